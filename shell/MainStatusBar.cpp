#include "shell/MainStatusBar.h"

#include "platform/Twips.h"

#include <QDateTime>
#include <QLabel>
#include <QTimer>

namespace quorvel {
namespace {

QLabel* MakePanel(QWidget* parent, const QString& name) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setContentsMargins(2, 0, 2, 0);
    return panel;
}

} // namespace

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("sbStatusBar"));
    // The window has a fixed size: no grip.
    setSizeGripEnabled(false);

    m_panel1 = MakePanel(this, QStringLiteral("sbStatusBarPanel1"));
    m_date = MakePanel(this, QStringLiteral("sbStatusBarDate"));
    m_time = MakePanel(this, QStringLiteral("sbStatusBarTime"));
    m_date->setAlignment(Qt::AlignCenter);
    m_time->setAlignment(Qt::AlignCenter);
    m_date->setFixedWidth(TwipsToPixels(1200));
    m_time->setFixedWidth(TwipsToPixels(780));
    // Permanent widgets: a temporary status message never hides the panels.
    addPermanentWidget(m_panel1, 1);
    addPermanentWidget(m_date);
    addPermanentWidget(m_time);

    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, [this] { ShowClock(); });
    m_clock->start();
    ShowClock();
}

void MainStatusBar::ShowClock() {
    const QDateTime now = QDateTime::currentDateTime();
    m_date->setText(now.toString(QStringLiteral("yyyy/MM/dd")));
    m_time->setText(now.toString(QStringLiteral("H:mm")));
}

} // namespace quorvel
