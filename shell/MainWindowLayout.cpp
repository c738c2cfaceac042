#include "shell/MainWindowLayout.h"

#include "shell/MainWindowBuilder.h"

#include "calc/Captions.h"
#include "platform/JapaneseFonts.h"
#include "platform/Twips.h"
#include "resources/Icons.h"
#include "shell/MainStatusBar.h"

#include <QApplication>
#include <QKeySequence>
#include <QMenuBar>
#include <QTabBar>

namespace quorvel {

QString MainWindowBuilder::Indexed(const char* array, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

QString MainWindowBuilder::Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

void MainWindowBuilder::Build() {
    m_c.frmMain = &m_window;
    BuildWindow();
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    BuildTabs();
    FixWindowSize();
}

void MainWindowBuilder::BuildWindow() {
    m_window.setObjectName(QStringLiteral("frmMain"));
    m_window.setWindowTitle(QStringLiteral("Quorvel for SQL Server 6.x  Ver1.0J"));
    m_window.setWindowIcon(ProgramIcon());
    m_window.setFont(GothicFont(9));
    // Fixed single border: minimise and close, no maximise, no resizing.
    m_window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                            Qt::WindowCloseButtonHint);
    // No "hide the toolbar" menu on a right click.
    m_window.setContextMenuPolicy(Qt::NoContextMenu);
    m_central = new QWidget(&m_window);
    m_central->setObjectName(QStringLiteral("frmMainClient"));
    m_window.setCentralWidget(m_central);
}

QAction* MainWindowBuilder::MenuItem(QMenu* menu, const char* array, int index, const char* caption) {
    QAction* item = nullptr;
    if (QByteArray(caption) == "-")
        item = menu->addSeparator();
    else
        item = menu->addAction(Text(caption));
    item->setObjectName(Indexed(array, index));
    return item;
}

QAction* MainWindowBuilder::NamedItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& key) {
    QAction* item = menu->addAction(Text(caption));
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(key);
    return item;
}

void MainWindowBuilder::BuildMenus() {
    QMenuBar* bar = m_window.menuBar();
    bar->setObjectName(QStringLiteral("mnuBar"));

    m_c.mnuFile = bar->addMenu(Text("ﾌｧｲﾙ(&F)"));
    m_c.mnuFile->setObjectName(QStringLiteral("mnuFile"));
    m_c.mnuFileItem[0] = MenuItem(m_c.mnuFile, "mnuFileItem", 0, "ｻｲｽﾞ計算(&S)");
    m_c.mnuFileItem[0]->setShortcut(QKeySequence(Qt::Key_F5));
    m_c.mnuFileItem[1] = MenuItem(m_c.mnuFile, "mnuFileItem", 1, "-");
    // The file commands between, grouped as Japanese desktop programs group
    // them: open and save, then handing the results on, then the end.
    m_c.mnuFileOpen = NamedItem(m_c.mnuFile, "mnuFileOpen", "開く(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O));
    m_c.mnuFileSave = NamedItem(m_c.mnuFile, "mnuFileSave", "上書き保存(&V)", QKeySequence(Qt::CTRL | Qt::Key_S));
    m_c.mnuFileSaveAs = NamedItem(m_c.mnuFile, "mnuFileSaveAs", "名前を付けて保存(&A)...",
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    m_c.mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileSeparatorExport"));
    m_c.mnuFileExport = NamedItem(m_c.mnuFile, "mnuFileExport", "結果の書き出し(&E)...", QKeySequence());
    m_c.mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileSeparatorEnd"));
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
    m_c.mnuEdit->addSeparator()->setObjectName(QStringLiteral("mnuEditSeparatorResults"));
    m_c.mnuEditCopyResults = NamedItem(m_c.mnuEdit, "mnuEditCopyResults", "結果のｺﾋﾟｰ(&R)",
                                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));

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

void MainWindowBuilder::BuildToolBar() {
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

void MainWindowBuilder::BuildStatusBar() {
    auto* statusBar = new MainStatusBar(&m_window);
    m_window.setStatusBar(statusBar);
    m_c.sbStatusBarPanel1 = statusBar->Panel1();
}

void MainWindowBuilder::BuildTabs() {
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

void MainWindowBuilder::FixWindowSize() {
    QTabWidget* tabs = m_c.tabMain;
    const QSize tabSize = tabs->sizeHint().expandedTo(TwipsRect(0, 0, 7050, 5325).size());
    const int tabLeft = TwipsToPixels(30);
    tabs->setGeometry(QRect(QPoint(tabLeft, tabLeft), tabSize));
    const QSize client(qMax(TwipsToPixels(7110), tabSize.width() + 2 * tabLeft),
                       tabSize.height() + 2 * tabLeft);
    m_central->setFixedSize(client);

    // Hidden: it only carries the second program icon for the About box.
    auto* icon = new QLabel(m_central);
    icon->setObjectName(QStringLiteral("imgWinIcon"));
    icon->setPixmap(SecondProgramPixmap(icon->devicePixelRatioF()));
    icon->setGeometry(TwipsRect(5400, 5700 - 420, 480, 480));
    icon->hide();
    m_c.imgWinIcon = icon;

    // The width is the client area's: the toolbar must not widen the window.
    m_window.setFixedSize(client.width(), m_window.sizeHint().height());
}

void BuildMainWindowLayout(QMainWindow& window, ControlInventory& controls) {
    MainWindowBuilder builder(window, controls);
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
