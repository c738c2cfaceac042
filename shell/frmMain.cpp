#include "shell/frmMain.h"

#include "workspace/CalcCommand.h"

#include "shell/MainWindowLayout.h"
#include "shell/MainWindowSettings.h"
#include "shell/ShellCommands.h"
#include "shell/TabPageKeys.h"
#include "workspace/AccessibleControls.h"
#include "workspace/EditCommands.h"
#include "workspace/FieldEditing.h"
#include "workspace/Hints.h"
#include "workspace/SectionModes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTabBar>
#include <QThread>

#include <algorithm>
#include <memory>
#include <utility>

namespace quorvel {
namespace {

template <std::size_t N, typename Handler>
void ConnectItems(const std::array<QAction*, N>& items, QObject* context, Handler handler) {
    for (std::size_t i = 0; i < N; ++i) {
        if (items[i]->isSeparator())
            continue;
        QObject::connect(items[i], &QAction::triggered, context, [handler, i] { handler(static_cast<int>(i)); });
    }
}

} // namespace

frmMain::frmMain(const PlatformServices& services, QString helpFile, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_helpFile(std::move(helpFile)),
      m_document(m_controls, m_services, [this] { return Calc(); }) {
    BuildMainWindowLayout(*this, m_controls);
    MakeControlsAccessible(m_controls);
    AddTabPageKeys(*m_controls.tabMain);
    m_shownTab = m_controls.tabMain->currentIndex();
    // Available only while an input field has the focus.
    SetEditEnabled(m_controls, false);
    WireMenus();
    WireToolBar();
    WireOptions();
    WireTabs();
    WireFieldEditing(m_controls);
    WatchFieldFocus();
    WatchChanges();
    setAcceptDrops(true);
    // The first input holds the focus when the window comes up.
    m_controls.txtData[0]->setFocus(Qt::OtherFocusReason);
}

void frmMain::Form_Load() {
    RestoreMainWindowSettings(*this, *m_controls.MenuItem(ViewCommand::Hints), *m_services.settings);
    SetToolTips(m_controls);
    m_controls.tabMain->setCurrentIndex(0);
    m_controls.sbStatusBarPanel1->setText(QString());
}

void frmMain::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    StoreSettings();
}

void frmMain::StoreSettings() {
    SaveMainWindowSettings(*this, *m_controls.MenuItem(ViewCommand::Hints), *m_services.settings);
}

void frmMain::KeepForLogOut() {
    m_document.KeepForRecovery();
    StoreSettings();
}

void frmMain::StartWith(const QString& file) {
    m_document.OfferRecovery();
    if (!file.isEmpty())
        m_document.OpenPath(file);
}

void frmMain::EndSession() {
    if (!m_unloaded)
        m_document.KeepForRecovery();
    Form_Unload();
    // Closing the window here could delete it under a modal box's event loop;
    // ending the loops lets every window go the ordinary way. Where none runs
    // (the window driven from outside a loop) there is nothing to end, and an
    // exit asked for then would end the next loop as soon as it began.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

void frmMain::closeEvent(QCloseEvent* event) {
    // A log-out closes the window after the session manager kept the changes.
    const bool sessionEnds = qApp->isSavingSession();
    if (!m_unloaded && !sessionEnds && !m_document.MayClose()) {
        event->ignore();
        return;
    }
    if (!m_unloaded && !sessionEnds)
        m_document.Closed();
    Form_Unload();
    event->accept();
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    m_document.OpenPath(urls.front().toLocalFile());
}

void frmMain::RunCalc() { Calc(); }

bool frmMain::Calc() {
    const bool shown = RunCalcCommand(m_controls, m_estimator, m_services);
    m_document.CalcRan(shown);
    return shown;
}

void frmMain::mnuFileItem_Click(int index) {
    if (const auto command = ControlInventory::CommandAt<FileCommand>(index))
        RunCommand(*command);
}

void frmMain::mnuEditItem_Click(int index) {
    if (const auto command = ControlInventory::CommandAt<EditCommand>(index))
        RunCommand(*command);
}

void frmMain::mnuViewItem_Click(int index) {
    if (const auto command = ControlInventory::CommandAt<ViewCommand>(index))
        RunCommand(*command);
}

void frmMain::mnuToolItem_Click(int index) {
    if (const auto command = ControlInventory::CommandAt<ToolCommand>(index))
        RunCommand(*command);
}

void frmMain::mnuHelpItem_Click(int index) {
    if (const auto command = ControlInventory::CommandAt<HelpCommand>(index))
        RunCommand(*command);
}

void frmMain::tbToolBar_ButtonClick(const QString& key) {
    if (const auto command = ControlInventory::ToolbarCommand(key))
        RunCommand(*command);
}

void frmMain::RunCommand(Command command) {
    std::visit([this](auto c) { Run(c); }, command);
}

void frmMain::Run(FileCommand command) {
    switch (command) {
    case FileCommand::Calc:
        RunCalc();
        break;
    case FileCommand::End:
        close();
        break;
    case FileCommand::Open:
        m_document.Open();
        break;
    case FileCommand::Save:
        (void)m_document.Save();
        break;
    case FileCommand::SaveAs:
        (void)m_document.SaveAs();
        break;
    case FileCommand::Export:
        m_document.Export();
        break;
    case FileCommand::CopyResults:
        m_document.CopyResults();
        break;
    }
}

void frmMain::Run(EditCommand command) {
    RunEditCommand(m_controls, *m_services.clipboard, command);
    if (command == EditCommand::Clear)
        m_document.CalcRan(false); // the results are back at "0 "
}

void frmMain::Run(ViewCommand) {
    QAction* hints = m_controls.MenuItem(ViewCommand::Hints);
    hints->setChecked(!hints->isChecked());
    SetToolTips(m_controls);
}

void frmMain::Run(ToolCommand command) {
    StartSqlTool(*m_services.programs, command);
}

void frmMain::Run(HelpCommand command) {
    if (command == HelpCommand::About)
        ShowAboutBox(this, m_services);
    else
        OpenHelp(this, m_services, m_helpFile, command);
}

void frmMain::tabMain_Click(int previousTab) {
    quorvel::tabMain_Click(m_controls, previousTab);
    // When the tab changed under a focused field, Qt leaves the focus on the
    // bare page; the tab strip is the sensible holder then.
    QWidget* focus = focusWidget();
    if (focus && focus == m_controls.tabMain->currentWidget())
        m_controls.tabMain->tabBar()->setFocus(Qt::OtherFocusReason);
}

void frmMain::WireMenus() {
    ConnectItems(m_controls.mnuFileItem, this, [this](int i) { mnuFileItem_Click(i); });
    ConnectItems(m_controls.mnuEditItem, this, [this](int i) { mnuEditItem_Click(i); });
    ConnectItems(m_controls.mnuToolItem, this, [this](int i) { mnuToolItem_Click(i); });
    ConnectItems(m_controls.mnuHelpItem, this, [this](int i) { mnuHelpItem_Click(i); });
    for (const auto& [item, command] : m_controls.NamedItems())
        connect(item, &QAction::triggered, this, [this, command = command] { RunCommand(command); });
    // The view item is checkable, so Qt has already flipped its check mark when
    // it reports the trigger; put it back so the handler flips it exactly once.
    QAction* hints = m_controls.MenuItem(ViewCommand::Hints);
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
    using Handler = void (*)(ControlInventory&, int);
    auto wire = [this](QRadioButton* option, int index, Handler handler) {
        auto selectedAtPress = std::make_shared<bool>(false);
        connect(option, &QRadioButton::toggled, this, [this, index, handler](bool checked) {
            if (checked)
                handler(m_controls, index);
        });
        connect(option, &QRadioButton::pressed, this, [option, selectedAtPress] { *selectedAtPress = option->isChecked(); });
        connect(option, &QRadioButton::clicked, this, [this, index, handler, selectedAtPress] {
            if (*selectedAtPress)
                handler(m_controls, index);
            *selectedAtPress = false;
        });
    };
    for (std::size_t i = 0; i < m_controls.optData.size(); ++i)
        wire(m_controls.optData[i], static_cast<int>(i), &optData_Click);
    for (std::size_t i = 0; i < m_controls.optClaster.size(); ++i)
        wire(m_controls.optClaster[i], static_cast<int>(i), &optClaster_Click);
    for (std::size_t i = 0; i < m_controls.optNonClaster.size(); ++i)
        wire(m_controls.optNonClaster[i], static_cast<int>(i), &optNonClaster_Click);
}

void frmMain::WireTabs() {
    connect(m_controls.tabMain, &QTabWidget::currentChanged, this, [this](int current) { OnTabChanged(current); });
}

void frmMain::OnTabChanged(int current) {
    const int previous = m_shownTab;
    m_shownTab = current;
    tabMain_Click(previous);
}

void frmMain::WatchFieldFocus() {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { EndStaleFieldFocus(now); });
}

void frmMain::WatchChanges() {
    // Every text and option belongs to the estimate: the modified mark follows them.
    m_controls.ForEachField([this](InputTextBox& field, FieldRef) {
        connect(&field, &QLineEdit::textChanged, this, [this] { m_document.ShowState(); });
    });
    const auto watch = [this](QRadioButton* option) {
        connect(option, &QRadioButton::toggled, this, [this] { m_document.ShowState(); });
    };
    std::for_each(m_controls.optData.begin(), m_controls.optData.end(), watch);
    std::for_each(m_controls.optClaster.begin(), m_controls.optClaster.end(), watch);
    std::for_each(m_controls.optNonClaster.begin(), m_controls.optNonClaster.end(), watch);
}

void frmMain::EndStaleFieldFocus(QWidget* now) {
    // A field that the focus left while the window was inactive never heard of
    // it; once the focus is seen elsewhere in this window, it leaves now.
    if (!now || now->window() != this)
        return;
    m_controls.ForEachField([now](InputTextBox& field, FieldRef) {
        if (&field != now && field.HoldsFocus())
            field.EndFocus();
    });
}

} // namespace quorvel
