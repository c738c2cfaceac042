#include "MainWindowLayout.h"

#include "Captions.h"
#include "basSQLSIZE.h"
#include "FieldEditing.h"
#include "ForeColors.h"
#include "Icons.h"
#include "JapaneseFonts.h"
#include "MainStatusBar.h"
#include "OutlineBox.h"
#include "Twips.h"

#include <QApplication>
#include <QKeySequence>
#include <QMenuBar>
#include <QTabBar>

namespace quorvel {
namespace {

const QColor kFrameCaptionBlue(0, 0, 255);
const QColor kResultYellow(255, 255, 0);
const QColor kTotalGreen(0, 255, 0);

// A frame's children are placed in twips from the frame's top-left corner.
constexpr double kFieldLeft = 2850;
constexpr double kFieldWidth = 1350;
constexpr double kRowHeight = 300;
constexpr double kLabelDrop = 60;  // a caption stands this much lower than its field
constexpr double kLabelHeight = 240;
// Captions reach up to their field, one pixel short: the longest captions
// need nearly all of the room the layout gives them.
constexpr double kCaptionGap = 15;

// Inner margin of a tab page around its frames, in pixels.
constexpr int kPageMargin = 4;

QString Indexed(const char* array, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

QString Text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// The frames paint their caption blue through the palette, which their
// children would inherit; captions, options and outline boxes keep the
// platform's own text colours, in every colour group.
void KeepPlatformTextColours(QWidget* control) {
    const QPalette platform = QApplication::palette();
    QPalette colours = control->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::WindowText, platform.color(group, QPalette::WindowText));
        colours.setColor(group, QPalette::Text, platform.color(group, QPalette::Text));
    }
    control->setPalette(colours);
}

class Builder {
public:
    Builder(QMainWindow& window, ControlInventory& controls) : m_window(window), m_c(controls) {}

    void Build();

private:
    void BuildWindow();
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void BuildTabs();
    void BuildDataFrame(QWidget* page);
    void BuildIndexFrame(QWidget* page, int section);
    void BuildTotalsFrame(QWidget* page);
    void FixWindowSize();

    QGroupBox* MakeFrame(QWidget* page, int index, const QString& caption, QFont font);
    QLabel* Caption(QWidget* frame, int index, std::string_view text, double left, double top, double width);
    InputTextBox* Field(QWidget* frame, FieldRef ref, double top);
    QRadioButton* Option(QWidget* frame, const char* array, int index, const char* text, double top, double width);
    QLabel* ResultCell(QWidget* frame, const char* array, int index, QRect geometry, const QColor& textColour);
    QFrame* Outline(QWidget* frame, int index, double left, double top, double width, double height);
    void StandOn(QFrame* outline, QRadioButton* option);
    QAction* MenuItem(QMenu* menu, const char* array, int index, const char* caption);

    QMainWindow& m_window;
    ControlInventory& m_c;
    QWidget* m_central = nullptr;
    std::array<QWidget*, 5> m_pages{};
};

void Builder::Build() {
    m_c.frmMain = &m_window;
    BuildWindow();
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    BuildTabs();
    FixWindowSize();
}

void Builder::BuildWindow() {
    m_window.setObjectName(QStringLiteral("frmMain"));
    m_window.setWindowTitle(QStringLiteral("Quorvel for SQL Server 6.x  Ver1.0J"));
    m_window.setWindowIcon(ProgramIcon());
    m_window.setFont(GothicFont(9));
    // Fixed single border: minimise and close, no maximise, no resizing.
    m_window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // No "hide the toolbar" menu on a right click.
    m_window.setContextMenuPolicy(Qt::NoContextMenu);
    m_central = new QWidget(&m_window);
    m_central->setObjectName(QStringLiteral("frmMainClient"));
    m_window.setCentralWidget(m_central);
}

QAction* Builder::MenuItem(QMenu* menu, const char* array, int index, const char* caption) {
    QAction* item = nullptr;
    if (QByteArray(caption) == "-")
        item = menu->addSeparator();
    else
        item = menu->addAction(Text(caption));
    item->setObjectName(Indexed(array, index));
    return item;
}

void Builder::BuildMenus() {
    QMenuBar* bar = m_window.menuBar();
    bar->setObjectName(QStringLiteral("mnuBar"));

    m_c.mnuFile = bar->addMenu(Text("ﾌｧｲﾙ(&F)"));
    m_c.mnuFile->setObjectName(QStringLiteral("mnuFile"));
    m_c.mnuFileItem[0] = MenuItem(m_c.mnuFile, "mnuFileItem", 0, "ｻｲｽﾞ計算(&S)");
    m_c.mnuFileItem[0]->setShortcut(QKeySequence(Qt::Key_F5));
    m_c.mnuFileItem[1] = MenuItem(m_c.mnuFile, "mnuFileItem", 1, "-");
    m_c.mnuFileItem[2] = MenuItem(m_c.mnuFile, "mnuFileItem", 2, "終了(&X)");

    m_c.mnuEdit = bar->addMenu(Text("編集(&E)"));
    m_c.mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    m_c.mnuEditItem[0] = MenuItem(m_c.mnuEdit, "mnuEditItem", 0, "ｸﾘｱ(&E)");
    m_c.mnuEditItem[1] = MenuItem(m_c.mnuEdit, "mnuEditItem", 1, "-");
    m_c.mnuEditItem[2] = MenuItem(m_c.mnuEdit, "mnuEditItem", 2, "切り取り(&T)");
    m_c.mnuEditItem[2]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    m_c.mnuEditItem[3] = MenuItem(m_c.mnuEdit, "mnuEditItem", 3, "ｺﾋﾟｰ(&C)");
    m_c.mnuEditItem[3]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    m_c.mnuEditItem[4] = MenuItem(m_c.mnuEdit, "mnuEditItem", 4, "貼り付け(&P)");
    m_c.mnuEditItem[4]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));

    m_c.mnuView = bar->addMenu(Text("表示(&V)"));
    m_c.mnuView->setObjectName(QStringLiteral("mnuView"));
    m_c.mnuViewItem[0] = MenuItem(m_c.mnuView, "mnuViewItem", 0, "入力領域の説明");
    m_c.mnuViewItem[0]->setCheckable(true);
    m_c.mnuViewItem[0]->setChecked(true);

    m_c.mnuTool = bar->addMenu(Text("ﾂｰﾙ(&T)"));
    m_c.mnuTool->setObjectName(QStringLiteral("mnuTool"));
    m_c.mnuToolItem[0] = MenuItem(m_c.mnuTool, "mnuToolItem", 0, "SQL Enterprise Manager(&E)");
    m_c.mnuToolItem[1] = MenuItem(m_c.mnuTool, "mnuToolItem", 1, "ISQL_w(&I)");
    m_c.mnuToolItem[2] = MenuItem(m_c.mnuTool, "mnuToolItem", 2, "SQL Service Manager(&S)");
    m_c.mnuToolItem[3] = MenuItem(m_c.mnuTool, "mnuToolItem", 3, "SQL Server Books Online(&B)");

    m_c.mnuHelp = bar->addMenu(Text("ﾍﾙﾌﾟ(&H)"));
    m_c.mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    m_c.mnuHelpItem[0] = MenuItem(m_c.mnuHelp, "mnuHelpItem", 0, "目次(&C)");
    m_c.mnuHelpItem[1] = MenuItem(m_c.mnuHelp, "mnuHelpItem", 1, "ﾄﾋﾟｯｸの検索(&S)...");
    m_c.mnuHelpItem[2] = MenuItem(m_c.mnuHelp, "mnuHelpItem", 2, "-");
    m_c.mnuHelpItem[3] = MenuItem(m_c.mnuHelp, "mnuHelpItem", 3, "ﾊﾞｰｼﾞｮﾝ情報(&A)...");
}

void Builder::BuildToolBar() {
    struct Button {
        const char* key; // null: separator
        const char* tooltip;
    };
    static constexpr std::array<Button, 16> kButtons{{
        {"End", "終了"},
        {nullptr, nullptr},
        {"Calc", "ｻｲｽﾞ計算"},
        {"Clear", "ｸﾘｱ"},
        {nullptr, nullptr},
        {"Cut", "切り取り"},
        {"Copy", "ｺﾋﾟｰ"},
        {"Paste", "貼り付け"},
        {nullptr, nullptr},
        {"SQLEW", "SQL Enterprise Manager"},
        {"ISQLW", "ISQL_w"},
        {"SQLMGR", "SQL Service Manager"},
        {"SQLBOOK", "SQL Server Books Online"},
        {nullptr, nullptr},
        {"Help", "ﾍﾙﾌﾟ"},
        {"Version", "ﾊﾞｰｼﾞｮﾝ情報"},
    }};

    auto* toolbar = new QToolBar(&m_window);
    toolbar->setObjectName(QStringLiteral("tbToolBar"));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setIconSize(QSize(16, 16));
    toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar->toggleViewAction()->setVisible(false);
    m_window.addToolBar(Qt::TopToolBarArea, toolbar);
    m_c.tbToolBar = toolbar;

    for (std::size_t position = 0; position < kButtons.size(); ++position) {
        const Button& entry = kButtons[position];
        if (!entry.key) {
            m_c.tbToolBarButtons[position] = toolbar->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(entry.key);
        QAction* button = toolbar->addAction(ToolbarIcon(key), Text(entry.tooltip));
        button->setObjectName(key);
        button->setToolTip(Text(entry.tooltip));
        if (QWidget* widget = toolbar->widgetForAction(button))
            widget->setObjectName(key);
        m_c.tbToolBarButtons[position] = button;
    }
}

void Builder::BuildStatusBar() {
    auto* statusBar = new MainStatusBar(&m_window);
    m_window.setStatusBar(statusBar);
    m_c.sbStatusBar = statusBar;
    m_c.sbStatusBarPanel1 = statusBar->Panel1();
    m_c.sbStatusBarPanel1->setText(QString());
}

QGroupBox* Builder::MakeFrame(QWidget* page, int index, const QString& caption, QFont font) {
    auto* frame = new QGroupBox(caption, page);
    frame->setObjectName(Indexed("fraSquare", index));
    frame->setFont(font);
    // Styles take the caption colour from WindowText or from Text; the
    // controls inside set their own, so the blue stays with the caption.
    QPalette colours = frame->palette();
    colours.setColor(QPalette::WindowText, kFrameCaptionBlue);
    colours.setColor(QPalette::Text, kFrameCaptionBlue);
    frame->setPalette(colours);
    m_c.fraSquare[static_cast<std::size_t>(index)] = frame;
    return frame;
}

QLabel* Builder::Caption(QWidget* frame, int index, std::string_view text, double left, double top, double width) {
    auto* label = new QLabel(Text(text), frame);
    label->setObjectName(Indexed("lblItem", index));
    label->setFont(GothicFont(9));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    KeepPlatformTextColours(label);
    label->setGeometry(TwipsRect(left, top, width, kLabelHeight));
    m_c.lblItem[static_cast<std::size_t>(index)] = label;
    return label;
}

InputTextBox* Builder::Field(QWidget* frame, FieldRef ref, double top) {
    auto* field = new InputTextBox(frame);
    field->setObjectName(Indexed(ArrayName(ref.array), ref.index));
    field->setFont(GothicFont(9.75));
    field->setGeometry(TwipsRect(kFieldLeft, top, kFieldWidth, kRowHeight));
    field->SetLengthLimit(BuiltLengthLimit(ref));
    field->SetText(QStringLiteral("0"));
    m_c.FieldSlot(ref) = field;
    return field;
}

QRadioButton* Builder::Option(QWidget* frame, const char* array, int index, const char* text, double top,
                              double width) {
    auto* option = new QRadioButton(Text(text), frame);
    option->setObjectName(Indexed(array, index));
    option->setFont(GothicFont(9));
    KeepPlatformTextColours(option);
    // No wider than its text: an option standing on an outline box opens the
    // box's top edge only behind itself.
    const QRect area = TwipsRect(210, top, width, 315);
    option->setGeometry(area.x(), area.y(), qMin(area.width(), option->sizeHint().width() + 2), area.height());
    return option;
}

QLabel* Builder::ResultCell(QWidget* frame, const char* array, int index, QRect geometry, const QColor& textColour) {
    auto* cell = new QLabel(QStringLiteral("0 "), frame);
    cell->setObjectName(Indexed(array, index));
    cell->setFont(GothicFont(9.75));
    cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cell->setFrameShape(QFrame::Panel);
    cell->setFrameShadow(QFrame::Sunken);
    cell->setLineWidth(1);
    cell->setAutoFillBackground(true);
    QPalette colours = cell->palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, textColour);
    cell->setPalette(colours);
    cell->setGeometry(geometry);
    return cell;
}

QFrame* Builder::Outline(QWidget* frame, int index, double left, double top, double width, double height) {
    auto* box = new OutlineBox(frame);
    box->setObjectName(Indexed("shpSquare", index));
    KeepPlatformTextColours(box);
    box->setGeometry(TwipsRect(left, top, width, height));
    box->lower();
    m_c.shpSquare[static_cast<std::size_t>(index)] = box;
    return box;
}

void Builder::StandOn(QFrame* outline, QRadioButton* option) {
    // A little air either side of the option's text.
    const int left = option->x() - outline->x() - 2;
    const int right = option->geometry().right() - outline->x() + 2;
    static_cast<OutlineBox*>(outline)->SetTopGap(left, right);
}

void Builder::BuildTabs() {
    auto* tabs = new QTabWidget(m_central);
    tabs->setObjectName(QStringLiteral("tabMain"));
    tabs->setFont(GothicFont(9));
    tabs->setUsesScrollButtons(false);
    tabs->setElideMode(Qt::ElideNone);
    // A click on a tab takes the focus, so the field left behind runs its
    // leaving steps before its frame is disabled.
    tabs->tabBar()->setFocusPolicy(Qt::StrongFocus);
    m_c.tabMain = tabs;

    for (std::size_t t = 0; t < captions::kTabs.size(); ++t) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("tabMainPage(%1)").arg(t));
        tabs->addTab(page, Text(captions::kTabs[t]));
        m_pages[t] = page;
    }

    BuildDataFrame(m_pages[kDataSection]);
    BuildTotalsFrame(m_pages[kDataSection]);
    for (int section = kClusteredSection; section < kSectionCount; ++section)
        BuildIndexFrame(m_pages[static_cast<std::size_t>(section)], section);

    // Frames stand at the page's top-left margin: (90, 390) in the container
    // is just inside the tab page.
    const QSize frameSize = TwipsRect(0, 0, 6855, 4830).size();
    for (QWidget* page : m_pages)
        page->setMinimumSize(frameSize + QSize(2 * kPageMargin, 2 * kPageMargin));

    // State as built: tab 1 current, only the data and totals frames enabled.
    tabs->setCurrentIndex(1);
    for (int f = 1; f <= 4; ++f)
        m_c.fraSquare[static_cast<std::size_t>(f)]->setEnabled(false);
}

void Builder::BuildDataFrame(QWidget* page) {
    const SectionLayout layout = SectionLayout::Of(kDataSection);
    QGroupBox* frame = MakeFrame(page, kDataSection, Text("データページ数のサイズ計算"), PGothicFont(9));
    frame->setGeometry(QRect(QPoint(kPageMargin, kPageMargin), TwipsRect(0, 0, 6855, 3930).size()));

    QFrame* allFixedBox = Outline(frame, 0, 90, 780, 4200, 570);
    QFrame* withVariableBox = Outline(frame, 1, 90, 1590, 4200, 1230);

    const double captionWidth = kFieldLeft - 180 - kCaptionGap;
    Caption(frame, 0, "データ行数", 180, 270 + kLabelDrop, captionWidth);
    Field(frame, {FieldArray::txtData, 0}, 270);

    m_c.optData[0] = Option(frame, "optData", 0, "固定長列のみ", 630, 1440);
    Caption(frame, 1, "固定長列のﾊﾞｲﾄ数の合計", 210, 930 + kLabelDrop, captionWidth - 30);
    Field(frame, layout.allFixedBytes, 930);

    m_c.optData[1] = Option(frame, "optData", 1, "固定長列＋可変長列", 1470, 2040);
    StandOn(allFixedBox, m_c.optData[0]);
    StandOn(withVariableBox, m_c.optData[1]);
    static constexpr std::array<std::string_view, 3> kVariableCaptions{
        "固定長列のﾊﾞｲﾄ数の合計", "可変長列のﾊﾞｲﾄ数の合計", "可変長列数"};
    for (std::size_t k = 0; k < 3; ++k) {
        const double top = 1740 + 330.0 * static_cast<double>(k);
        Caption(frame, 2 + static_cast<int>(k), kVariableCaptions[k], 210, top + kLabelDrop, captionWidth - 30);
        Field(frame, layout.withVariable[k], top);
    }

    for (std::size_t r = 0; r < captions::kDataFigures.size(); ++r) {
        const double top = 2940 + 300.0 * static_cast<double>(r);
        const int cell = layout.firstFigure + static_cast<int>(r);
        Caption(frame, 5 + static_cast<int>(r), captions::kDataFigures[r], 180, top + kLabelDrop, captionWidth);
        m_c.lblData[static_cast<std::size_t>(cell)] =
            ResultCell(frame, "lblData", cell, TwipsRect(kFieldLeft, top, kFieldWidth, kRowHeight), kResultYellow);
    }

    // Variable-length columns selected; only the row count and the fields of
    // that mode are open.
    m_c.optData[1]->setChecked(true);
    const SectionControls section = m_c.Section(kDataSection);
    section.allFixedBytes->setEnabled(false);
    section.allFixedBytes->SetForeColor(kMenuBarColor);
}

void Builder::BuildIndexFrame(QWidget* page, int sectionNumber) {
    const SectionLayout layout = SectionLayout::Of(sectionNumber);
    const bool clustered = sectionNumber == kClusteredSection;
    const int n = sectionNumber - kFirstNonClusteredSection; // nonclustered index n+1

    const QString caption = clustered ? Text("クラスタ化インデックスページ数のサイズ計算")
                                      : Text("非クラスタ化インデックスページ数のサイズ計算(%1)").arg(n + 1);
    QGroupBox* frame = MakeFrame(page, sectionNumber, caption, PGothicFont(9));
    frame->setGeometry(QRect(QPoint(kPageMargin, kPageMargin), TwipsRect(0, 0, 6855, 4830).size()));

    // Outline box indices per frame: the box of the all-fixed row, then the
    // box of the rows with variable-length columns.
    static constexpr std::array<std::array<int, 2>, 4> kOutlines{{{2, 3}, {5, 4}, {7, 6}, {8, 9}}};
    const auto& outline = kOutlines[static_cast<std::size_t>(sectionNumber - 1)];
    QFrame* allFixedBox = Outline(frame, outline[0], 90, 780, 4200, 570);
    QFrame* withVariableBox = Outline(frame, outline[1], 90, 1590, 4200, 1230);

    // Caption labels: the clustered frame's from 8, each nonclustered frame's 11 further on.
    const double captionWidth = kFieldLeft - 210 - kCaptionGap;
    const int item = clustered ? 8 : 16 + 11 * n;
    const char* optArray = clustered ? "optClaster" : "optNonClaster";
    const int opt = layout.firstOption;
    QRadioButton** options = clustered ? m_c.optClaster.data() : m_c.optNonClaster.data();

    options[opt] = Option(frame, optArray, opt, "なし", 270, 885);
    Caption(frame, item, "FILLFACTOR(%)", 1650, 270 + kLabelDrop, kFieldLeft - 1650 - kCaptionGap);
    Field(frame, {FieldArray::txtFillFactor, layout.fillFactor}, 270);

    options[opt + 1] = Option(frame, optArray, opt + 1, "固定長列のみ", 630, 1440);
    Caption(frame, item + 1, "固定長ｲﾝﾃﾞｯｸｽｷｰのﾊﾞｲﾄ数の合計", 210, 930 + kLabelDrop, captionWidth);
    Field(frame, layout.allFixedBytes, 930);

    options[opt + 2] = Option(frame, optArray, opt + 2, "固定長列＋可変長列", 1470, 2040);
    StandOn(allFixedBox, options[opt + 1]);
    StandOn(withVariableBox, options[opt + 2]);
    static constexpr std::array<std::string_view, 3> kVariableCaptions{
        "固定長ｲﾝﾃﾞｯｸｽｷｰのﾊﾞｲﾄ数の合計", "可変長ｲﾝﾃﾞｯｸｽｷｰのﾊﾞｲﾄ数の合計", "可変長列数"};
    for (std::size_t k = 0; k < 3; ++k) {
        const double top = 1740 + 330.0 * static_cast<double>(k);
        Caption(frame, item + 2 + static_cast<int>(k), kVariableCaptions[k], 210, top + kLabelDrop, captionWidth);
        Field(frame, layout.withVariable[k], top);
    }

    // Result rows of the left half.
    for (int r = 0; r < layout.figureCount; ++r) {
        const double top = 2940 + 300.0 * r;
        std::string_view text = clustered ? captions::kClusteredFigures[static_cast<std::size_t>(r)]
                                          : captions::kNonClusteredFigures[static_cast<std::size_t>(r)];
        if (clustered && r == 1)
            text = captions::kWindowClusteredRowsPerPage;
        Caption(frame, (clustered ? 13 : 21 + 11 * n) + r, text, 180, top + kLabelDrop, kFieldLeft - 180 - kCaptionGap);
        const int cell = layout.firstFigure + r;
        m_c.lblData[static_cast<std::size_t>(cell)] =
            ResultCell(frame, "lblData", cell, TwipsRect(kFieldLeft, top, kFieldWidth, kRowHeight), kResultYellow);
    }

    // Right half: fifteen level rows, the root at the top.
    for (int k = 0; k < kLevelCount; ++k) {
        const double row = 300.0 * (14 - k);
        Caption(frame, (clustered ? 53 : 68 + 15 * n) + k, captions::LevelCaption(k, !clustered), 4500, 300 + row,
                5550 - 4500 - kCaptionGap);
        const int cell = layout.firstLevel + k;
        m_c.lblLevel[static_cast<std::size_t>(cell)] =
            ResultCell(frame, "lblLevel", cell, TwipsRect(5550, 240 + row, 1200, kRowHeight), kResultYellow);
    }

    // No index: the "なし" option selected, every field of the section dimmed.
    // The nonclustered sections 2 and 3 start with the fixed grey on their key
    // fields until their first mode choice.
    options[opt]->setChecked(true);
    const SectionControls section = m_c.Section(sectionNumber);
    const std::uint32_t keyGrey = n >= 1 ? kStartingGreyColor : kMenuBarColor;
    section.fillFactor->setEnabled(false);
    section.fillFactor->SetForeColor(kMenuBarColor);
    section.allFixedBytes->setEnabled(false);
    section.allFixedBytes->SetForeColor(keyGrey);
    for (InputTextBox* field : section.withVariableFields) {
        field->setEnabled(false);
        field->SetForeColor(keyGrey);
    }
}

void Builder::BuildTotalsFrame(QWidget* page) {
    QGroupBox* frame = MakeFrame(page, 5, Text(captions::kTotalsHeading), GothicFont(9));
    const QRect area = TwipsRect(0, 4350 - 390, 6855, 870);
    frame->setGeometry(QRect(QPoint(kPageMargin, kPageMargin + area.y()), area.size()));

    // Two columns of two cells; each caption 90 below its cell's top.
    struct Total {
        double captionLeft;
        double left, top, width;
    };
    static constexpr std::array<Total, 4> kTotals{{
        {180, 1500, 180, 1500},
        {180, 1500, 480, 1500},
        {3750, 4800, 180, 1890},
        {3750, 4800, 480, 1890},
    }};
    for (std::size_t i = 0; i < kTotals.size(); ++i) {
        const Total& total = kTotals[i];
        QLabel* caption = Caption(frame, 49 + static_cast<int>(i), captions::kTotals[i], total.captionLeft,
                                  total.top + 90, total.left - total.captionLeft - kCaptionGap);
        caption->setFont(PGothicFont(9));
        m_c.lblTotal[i] = ResultCell(frame, "lblTotal", static_cast<int>(i),
                                     TwipsRect(total.left, total.top, total.width, kRowHeight), kTotalGreen);
    }
}

void Builder::FixWindowSize() {
    QTabWidget* tabs = m_c.tabMain;
    const QSize tabSize = tabs->sizeHint().expandedTo(TwipsRect(0, 0, 7050, 5325).size());
    const int tabLeft = TwipsToPixels(30);
    tabs->setGeometry(QRect(QPoint(tabLeft, tabLeft), tabSize));
    const QSize client(qMax(TwipsToPixels(7110), tabSize.width() + 2 * tabLeft), tabSize.height() + 2 * tabLeft);
    m_central->setFixedSize(client);

    // Hidden: it only carries the second program icon for the About box.
    auto* icon = new QLabel(m_central);
    icon->setObjectName(QStringLiteral("imgWinIcon"));
    icon->setPixmap(SecondProgramPixmap());
    icon->setGeometry(TwipsRect(5400, 5700 - 420, 480, 480));
    icon->hide();
    m_c.imgWinIcon = icon;

    // The width is the client area's: the toolbar must not widen the window.
    m_window.setFixedSize(client.width(), m_window.sizeHint().height());
}

} // namespace

void BuildMainWindowLayout(QMainWindow& window, ControlInventory& controls) {
    Builder builder(window, controls);
    builder.Build();
    SetMainWindowFocusOrder(controls);
}

void SetMainWindowFocusOrder(ControlInventory& c) {
    // Each section's inputs in the order they stand: the option "none" and the
    // fill factor (index sections), then each option followed by its fields.
    std::vector<QWidget*> order{c.txtData[0]};
    for (int number = kDataSection; number < kSectionCount; ++number) {
        const SectionControls s = c.Section(number);
        if (s.none)
            order.insert(order.end(), {s.none, s.fillFactor});
        order.insert(order.end(), {s.allFixed, s.allFixedBytes, s.withVariable});
        order.insert(order.end(), s.withVariableFields.begin(), s.withVariableFields.end());
    }
    // The status bar and the toolbar come next but never take the focus;
    // the tabbed container closes the round.
    order.push_back(c.tabMain);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace quorvel
