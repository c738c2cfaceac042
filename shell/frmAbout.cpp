#include "shell/frmAbout.h"

#include "platform/JapaneseFonts.h"
#include "platform/ProgramStarter.h"
#include "platform/SystemInformationLocator.h"
#include "platform/Twips.h"
#include "resources/Icons.h"
#include "shell/WindowPlacement.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>


namespace quorvel {
namespace {

const QString kCopyHint = QStringLiteral("ｸﾘｯｸするとｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰします。");
const QString kFullWidthColon = QStringLiteral("：");
const char* const kIndexProperty = "controlIndex";

QString IndexedName(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

void AddLine(QWidget* parent, int index, const QRect& place, QPalette::ColorRole colour) {
    auto* line = new QFrame(parent);
    line->setObjectName(IndexedName("Line1", index));
    line->setGeometry(place);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, parent->palette().color(colour));
    line->setPalette(palette);
    line->setAutoFillBackground(true);
}

} // namespace

frmAbout::frmAbout(const PlatformServices& services, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      m_services(services) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setFont(PGothicFont(9));
    setFixedSize(TwipsToPixels(5130), TwipsToPixels(2745));
    BuildControls();
}

QLabel* frmAbout::AddInfoLabel(int index, const QString& caption, const QRect& place) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(IndexedName("lblInfo", index));
    label->setGeometry(place);
    label->setFont(PGothicFont(9.75));
    label->setProperty(kIndexProperty, index);
    // The places were measured for narrower fonts than ours: a one-line label
    // grows to the right as far as its text needs.
    if (label->sizeHint().width() > label->width())
        label->resize(label->sizeHint().width(), label->height());
    label->installEventFilter(this);
    m_lblInfo[index] = label;
    return label;
}

void frmAbout::BuildControls() {
    m_imgIcon = new QLabel(this);
    m_imgIcon->setObjectName(QStringLiteral("imgIcon"));
    m_imgIcon->setGeometry(TwipsRect(120, 120, 540, 540));
    m_imgIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QLabel* title =
        AddInfoLabel(0, QStringLiteral("Quorvel for SQL Server 6.x"), TwipsRect(900, 90, 3570, 195));
    QPalette black = title->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    title->setPalette(black);
    AddInfoLabel(1, QStringLiteral("Ver.1.0J"), TwipsRect(2250, 300, 705, 195));
    AddInfoLabel(2, QStringLiteral("(C) Quorvel Project"), TwipsRect(1500, 600, 2280, 195));

    // An etched separator: a dark line with a light one just below it.
    AddLine(this, 0, TwipsRect(45, 1590, 4965, 15), QPalette::Dark);
    AddLine(this, 1, TwipsRect(30, 1605, 4980, 15), QPalette::Light);

    QLabel* notice = AddInfoLabel(
        4, QStringLiteral("転載、書籍などへ掲載をする際には、下記アドレスまで事前に連絡して下さい。"),
        TwipsRect(90, 1740, 3330, 405));
    notice->setFont(font());
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // It wraps onto a second line in its own place instead of growing.
    notice->setGeometry(TwipsRect(90, 1740, 3330, 450));
    for (QLabel* contact :
         {AddInfoLabel(5, QStringLiteral("support@quorvel.example"), TwipsRect(90, 2190, 3405, 195)),
          AddInfoLabel(6, QStringLiteral("最新版入手先：https://quorvel.example/"),
                       TwipsRect(90, 2430, 3510, 195))}) {
        contact->setToolTip(kCopyHint);
        contact->setCursor(Qt::PointingHandCursor);
    }

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(TwipsRect(3690, 1890, 1350, 330));
    // Enter presses it as the default button; Esc, as for every dialog, closes
    // the box the same way.
    m_cmdOK->setDefault(true);
    connect(m_cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    m_cmdSysInfo = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this);
    m_cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    m_cmdSysInfo->setGeometry(TwipsRect(3705, 2310, 1335, 330));
    m_cmdSysInfo->setAutoDefault(false);
    connect(m_cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });

    setTabOrder(m_cmdOK, m_cmdSysInfo);
}

void frmAbout::Form_Load() {
    CentreOnScreen(*this);
    // The window icon is the main window's hidden second icon; the picture in
    // the box is the program's own icon.
    setWindowIcon(SecondProgramIcon());
    m_imgIcon->setPixmap(ProgramPixmap(m_imgIcon->devicePixelRatioF()));
    m_cmdOK->setFocus();
}

void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::cmdSysInfo_Click() {
    RunSystemInformation();
}

void frmAbout::lblInfo_Click(int index) {
    if (index != 5 && index != 6)
        return;
    const QString caption = m_lblInfo.at(index)->text();
    m_services.clipboard->Clear();
    if (index == 5) {
        m_services.clipboard->SetText(caption);
        return;
    }
    // Only the address: the prefix up to the first full-width colon stays behind.
    const qsizetype colon = caption.indexOf(kFullWidthColon);
    m_services.clipboard->SetText(colon < 0 ? caption : caption.mid(colon + 1));
}

void frmAbout::RunSystemInformation() {
    const std::optional<QString> command = m_services.systemInformation->ProgramToStart();
    if (!command)
        return;
    // A program that does not start leaves the box open, as when none is found;
    // no message either way.
    if (m_services.programs->Start(*command))
        accept();
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* label = qobject_cast<QLabel*>(watched);
        if (label != nullptr && mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint()))
            lblInfo_Click(label->property(kIndexProperty).toInt());
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quorvel
