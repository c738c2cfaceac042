#include "shell/frmSplash.h"

#include "platform/JapaneseFonts.h"
#include "platform/Twips.h"
#include "resources/Icons.h"

#include "shell/WindowPlacement.h"

#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>
#include <QWindow>

namespace quorvel {
namespace {

QLabel* AddInfoLabel(QWidget* frame, int index, const QString& caption, const QRect& place,
                     const QColor& colour) {
    auto* label = new QLabel(caption, frame);
    label->setObjectName(QStringLiteral("lblInfo(%1)").arg(index));
    label->setGeometry(place);
    label->setFont(PGothicFont(12, true));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(TwipsToPixels(5880), TwipsToPixels(1275));
    // Closing the splash before the main window shows must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("fraMainFrame"));
    frame->setGeometry(TwipsRect(30, -30, 5790, 1260));

    auto* icon = new QLabel(frame);
    icon->setObjectName(QStringLiteral("imgIcon"));
    icon->setGeometry(TwipsRect(120, 240, 480, 480));
    icon->setPixmap(ProgramPixmap(icon->devicePixelRatioF()));

    const QColor blue(0, 0, 255);
    AddInfoLabel(frame, 0, QStringLiteral("Quorvel for SQL Server 6.x"), TwipsRect(690, 240, 4905, 240),
                 blue);
    AddInfoLabel(frame, 2, QStringLiteral("Ver.1.0J"), TwipsRect(2595, 510, 960, 240), blue);
    AddInfoLabel(frame, 3, QStringLiteral("プログラムを起動しています。"), TwipsRect(1110, 870, 3810, 240),
                 Qt::black);
}

void frmSplash::Form_Load() {
    CentreOnScreen(*this);
}

bool frmSplash::ShowPainted(int timeoutMs) {
    show();
    if (!m_painted) {
        QEventLoop wait;
        QTimer::singleShot(timeoutMs, &wait, &QEventLoop::quit);
        connect(this, &frmSplash::Painted, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return m_painted;
}

void frmSplash::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // A paint before the window is exposed goes nowhere.
    if (windowHandle() != nullptr && windowHandle()->isExposed() && !m_painted) {
        m_painted = true;
        emit Painted();
    }
}

} // namespace quorvel
