#include "frmMain.h"

#include "CalcCommand.h"

#include "EditCommands.h"
#include "FieldEditing.h"
#include "Hints.h"
#include "MainWindowLayout.h"
#include "MainWindowSettings.h"
#include "SectionModes.h"
#include "ShellCommands.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTabBar>

#include <memory>

namespace quorvel {
namespace {

// Toolbar key -> the menu item it stands for.
enum class Menu { File, Edit, Tool, Help };
struct ToolbarRoute {
    const char* key;
    Menu menu;
    int item;
};
constexpr std::array<ToolbarRoute, 12> kToolbarRoutes{{
    {"End", Menu::File, 2},
    {"Calc", Menu::File, 0},
    {"Clear", Menu::Edit, 0},
    {"Cut", Menu::Edit, 2},
    {"Copy", Menu::Edit, 3},
    {"Paste", Menu::Edit, 4},
    {"SQLEW", Menu::Tool, 0},
    {"ISQLW", Menu::Tool, 1},
    {"SQLMGR", Menu::Tool, 2},
    {"SQLBOOK", Menu::Tool, 3},
    {"Help", Menu::Help, 0},
    {"Version", Menu::Help, 3},
}};

template <std::size_t N, typename Handler>
void ConnectItems(const std::array<QAction*, N>& items, QObject* context, Handler handler) {
    for (std::size_t i = 0; i < N; ++i) {
        if (items[i]->isSeparator())
            continue;
        QObject::connect(items[i], &QAction::triggered, context, [handler, i] { handler(static_cast<int>(i)); });
    }
}

} // namespace

frmMain::frmMain(const PlatformServices& services, QWidget* parent) : QMainWindow(parent), m_services(services) {
    BuildMainWindowLayout(*this, m_controls);
    m_shownTab = m_controls.tabMain->currentIndex();
    // Available only while an input field has the focus.
    SetEditEnabled(false);
    WireMenus();
    WireToolBar();
    WireOptions();
    WireTabs();
    WireFields();
    // The first input holds the focus when the window comes up.
    m_controls.txtData[0]->setFocus(Qt::OtherFocusReason);
}

void frmMain::Form_Load() {
    if (m_services.settings)
        RestoreMainWindowSettings(*this, *m_controls.mnuViewItem[0], *m_services.settings);
    SetToolTips();
    m_controls.tabMain->setCurrentIndex(0);
    m_controls.sbStatusBarPanel1->setText(QString());
}

void frmMain::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (m_services.settings)
        SaveMainWindowSettings(*this, *m_controls.mnuViewItem[0], *m_services.settings);
}

void frmMain::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void frmMain::RunCalc() { RunCalcCommand(m_controls, m_engine, m_services); }

void frmMain::mnuFileItem_Click(int index) {
    switch (index) {
    case 0:
        RunCalc();
        break;
    case 2:
        close();
        break;
    default:
        break;
    }
}

void frmMain::mnuEditItem_Click(int index) {
    if (m_services.clipboard)
        quorvel::mnuEditItem_Click(m_controls, *m_services.clipboard, index);
    else if (index == 0)
        ClearWorkspace(m_controls);
}

void frmMain::mnuViewItem_Click(int index) {
    if (index != 0)
        return;
    QAction* hints = m_controls.mnuViewItem[0];
    hints->setChecked(!hints->isChecked());
    SetToolTips();
}

void frmMain::mnuToolItem_Click(int index) {
    if (index >= 0 && index <= 3 && m_services.programs)
        StartSqlTool(*m_services.programs, index);
}

void frmMain::mnuHelpItem_Click(int index) {
    switch (index) {
    case 0:
    case 1:
        OpenHelp(this, m_services, index);
        break;
    case 3:
        ShowAboutBox(this, m_services);
        break;
    default:
        break;
    }
}

void frmMain::tbToolBar_ButtonClick(const QString& key) {
    for (const ToolbarRoute& route : kToolbarRoutes) {
        if (key != QLatin1String(route.key))
            continue;
        switch (route.menu) {
        case Menu::File:
            mnuFileItem_Click(route.item);
            break;
        case Menu::Edit:
            mnuEditItem_Click(route.item);
            break;
        case Menu::Tool:
            mnuToolItem_Click(route.item);
            break;
        case Menu::Help:
            mnuHelpItem_Click(route.item);
            break;
        }
        return;
    }
}

void frmMain::optData_Click(int index) { quorvel::optData_Click(m_controls, index); }
void frmMain::optClaster_Click(int index) { quorvel::optClaster_Click(m_controls, index); }
void frmMain::optNonClaster_Click(int index) { quorvel::optNonClaster_Click(m_controls, index); }

void frmMain::tabMain_Click(int previousTab) {
    quorvel::tabMain_Click(m_controls, previousTab);
    // When the tab changed under a focused field, Qt leaves the focus on the
    // bare page; the tab strip is the sensible holder then.
    QWidget* focus = focusWidget();
    if (focus && focus == m_controls.tabMain->currentWidget())
        m_controls.tabMain->tabBar()->setFocus(Qt::OtherFocusReason);
}

void frmMain::txtData_GotFocus(int index) { quorvel::txtData_GotFocus(m_controls, index); }
void frmMain::txtData_KeyPress(int index, int& keyAscii) { quorvel::txtData_KeyPress(index, keyAscii); }
void frmMain::txtData_LostFocus(int index) { quorvel::txtData_LostFocus(m_controls, index); }
void frmMain::txtData1_GotFocus(int index) { quorvel::txtData1_GotFocus(m_controls, index); }
void frmMain::txtData1_KeyPress(int index, int& keyAscii) { quorvel::txtData1_KeyPress(index, keyAscii); }
void frmMain::txtData1_LostFocus(int index) { quorvel::txtData1_LostFocus(m_controls, index); }
void frmMain::txtData2_GotFocus(int index) { quorvel::txtData2_GotFocus(m_controls, index); }
void frmMain::txtData2_KeyPress(int index, int& keyAscii) { quorvel::txtData2_KeyPress(index, keyAscii); }
void frmMain::txtData2_LostFocus(int index) { quorvel::txtData2_LostFocus(m_controls, index); }
void frmMain::txtFillFactor_GotFocus(int index) { quorvel::txtFillFactor_GotFocus(m_controls, index); }
void frmMain::txtFillFactor_KeyPress(int index, int& keyAscii) { quorvel::txtFillFactor_KeyPress(index, keyAscii); }
void frmMain::txtFillFactor_LostFocus(int index) { quorvel::txtFillFactor_LostFocus(m_controls, index); }

void frmMain::SetToolTips() { quorvel::SetToolTips(m_controls); }
void frmMain::SetEditEnabled(bool enabled) { quorvel::SetEditEnabled(m_controls, enabled); }

void frmMain::WireMenus() {
    ConnectItems(m_controls.mnuFileItem, this, [this](int i) { mnuFileItem_Click(i); });
    ConnectItems(m_controls.mnuEditItem, this, [this](int i) { mnuEditItem_Click(i); });
    ConnectItems(m_controls.mnuToolItem, this, [this](int i) { mnuToolItem_Click(i); });
    ConnectItems(m_controls.mnuHelpItem, this, [this](int i) { mnuHelpItem_Click(i); });
    // The view item is checkable, so Qt has already flipped its check mark when
    // it reports the trigger; put it back so the handler flips it exactly once.
    QAction* hints = m_controls.mnuViewItem[0];
    connect(hints, &QAction::triggered, this, [this, hints] {
        hints->setChecked(!hints->isChecked());
        mnuViewItem_Click(0);
    });
}

void frmMain::WireToolBar() {
    for (QAction* button : m_controls.tbToolBarButtons) {
        if (button->isSeparator())
            continue;
        connect(button, &QAction::triggered, this, [this, button] { tbToolBar_ButtonClick(button->objectName()); });
    }
}

void frmMain::WireOptions() {
    // An option handler runs when the option becomes the selected one (by the
    // user or the program), and when the user chooses the selected one again:
    // that click changes no state, so Qt reports it only as a click.
    auto wire = [this](QRadioButton* option, int index, void (frmMain::*handler)(int)) {
        auto selectedAtPress = std::make_shared<bool>(false);
        connect(option, &QRadioButton::toggled, this, [this, index, handler](bool checked) {
            if (checked)
                (this->*handler)(index);
        });
        connect(option, &QRadioButton::pressed, this, [option, selectedAtPress] { *selectedAtPress = option->isChecked(); });
        connect(option, &QRadioButton::clicked, this, [this, index, handler, selectedAtPress] {
            if (*selectedAtPress)
                (this->*handler)(index);
            *selectedAtPress = false;
        });
    };
    for (std::size_t i = 0; i < m_controls.optData.size(); ++i)
        wire(m_controls.optData[i], static_cast<int>(i), &frmMain::optData_Click);
    for (std::size_t i = 0; i < m_controls.optClaster.size(); ++i)
        wire(m_controls.optClaster[i], static_cast<int>(i), &frmMain::optClaster_Click);
    for (std::size_t i = 0; i < m_controls.optNonClaster.size(); ++i)
        wire(m_controls.optNonClaster[i], static_cast<int>(i), &frmMain::optNonClaster_Click);
}

void frmMain::WireTabs() {
    connect(m_controls.tabMain, &QTabWidget::currentChanged, this, [this](int current) { OnTabChanged(current); });
}

void frmMain::OnTabChanged(int current) {
    const int previous = m_shownTab;
    m_shownTab = current;
    tabMain_Click(previous);
}

void frmMain::WireFields() {
    using Handler = void (frmMain::*)(int);
    using KeyHandler = void (frmMain::*)(int, int&);
    auto wire = [this](InputTextBox* field, int index, Handler got, KeyHandler key, Handler lost) {
        if (!field)
            return;
        InputTextBox::Events events;
        events.gotFocus = [this, index, got] { (this->*got)(index); };
        events.keyPress = [this, index, key](int& keyAscii) { (this->*key)(index, keyAscii); };
        events.lostFocus = [this, index, lost] { (this->*lost)(index); };
        field->SetEvents(std::move(events));
        field->SetContextActions({m_controls.mnuEditItem[2], m_controls.mnuEditItem[3], m_controls.mnuEditItem[4]});
    };
    for (std::size_t i = 0; i < 9; ++i) {
        const int index = static_cast<int>(i);
        wire(m_controls.txtData[i], index, &frmMain::txtData_GotFocus, &frmMain::txtData_KeyPress,
             &frmMain::txtData_LostFocus);
        wire(m_controls.txtData1[i], index, &frmMain::txtData1_GotFocus, &frmMain::txtData1_KeyPress,
             &frmMain::txtData1_LostFocus);
        wire(m_controls.txtData2[i], index, &frmMain::txtData2_GotFocus, &frmMain::txtData2_KeyPress,
             &frmMain::txtData2_LostFocus);
    }
    for (std::size_t i = 0; i < 4; ++i)
        wire(m_controls.txtFillFactor[i], static_cast<int>(i), &frmMain::txtFillFactor_GotFocus,
             &frmMain::txtFillFactor_KeyPress, &frmMain::txtFillFactor_LostFocus);

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { EndStaleFieldFocus(now); });
}

void frmMain::EndStaleFieldFocus(QWidget* now) {
    // A field that the focus left while the window was inactive never heard of
    // it; once the focus is seen elsewhere in this window, it leaves now.
    if (!now || now->window() != this)
        return;
    auto end = [now](InputTextBox* field) {
        if (field && field != now && field->HoldsFocus())
            field->EndFocus();
    };
    for (InputTextBox* field : m_controls.txtData)
        end(field);
    for (InputTextBox* field : m_controls.txtData1)
        end(field);
    for (InputTextBox* field : m_controls.txtData2)
        end(field);
    for (InputTextBox* field : m_controls.txtFillFactor)
        end(field);
}

} // namespace quorvel
