#pragma once
// The main window: the whole workspace of the calculator.
//
// frmMain builds its controls (MainWindowLayout), keeps the estimation engine
// for its whole life and turns every user action into a call of the handler
// named after the control and the event: menu and toolbar commands, option
// clicks, the tab change, and the focus and key events of the input fields.
// The handlers stay thin; the behaviour lives in the workspace procedures
// (SectionModes, FieldEditing, Hints, EditCommands) and in the Calc command,
// which all reach the controls through the ControlInventory. Option clicks and
// the input fields' events go straight to those procedures.

#include "calc/TableEstimate.h"
#include "platform/PlatformServices.h"
#include "shell/EstimateDocument.h"
#include "workspace/ControlInventory.h"

#include <QMainWindow>

namespace quorvel {

class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // helpFile: the help file the Help menu opens (start-up finds it).
    explicit frmMain(const PlatformServices& services, QString helpFile = QStringLiteral("Mivrel.hlp"),
                     QWidget* parent = nullptr);

    ControlInventory& Controls() { return m_controls; }
    const ControlInventory& Controls() const { return m_controls; }
    const PlatformServices& Services() const { return m_services; }
    const QString& HelpFile() const { return m_helpFile; }

    // Load steps, run once before the window is first shown: stored position
    // and hint switch, hints, tab 0, empty status text.
    void Form_Load();

    // The Calc command.
    void RunCalc();

    // After the window is shown at start: offers the changes a log-out or
    // SIGTERM kept, then opens file (from the command line) when one is given.
    void StartWith(const QString& file);
    EstimateDocument& Document() { return m_document; }

    // Menu items by index and toolbar buttons by key, each the command it carries.
    void mnuFileItem_Click(int index);
    void mnuEditItem_Click(int index);
    void mnuViewItem_Click(int index);
    void mnuToolItem_Click(int index);
    void mnuHelpItem_Click(int index);
    void tbToolBar_ButtonClick(const QString& key);
    void RunCommand(Command command);

    // The tab change, with the tab shown before.
    void tabMain_Click(int previousTab);

    // Writes the position and the hint switch as a close does, leaving the
    // window open: the session manager asks for it before a log-out.
    void StoreSettings();
    // A log-out: the settings as StoreSettings, and changes nobody saved to
    // the recovery file, since no question can be asked.
    void KeepForLogOut();
    // The system ends the program (SIGTERM and friends): the unload steps run
    // as for a close, then every event loop ends, a modal About box's too.
    void EndSession();

protected:
    void closeEvent(QCloseEvent* event) override;
    // A file dropped on the window opens as through 開く.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void Run(FileCommand command);
    void Run(EditCommand command);
    void Run(ViewCommand command);
    void Run(ToolCommand command);
    void Run(HelpCommand command);

    // Unload steps: stores the position and the hint switch.
    void Form_Unload();

    void WireMenus();
    void WireToolBar();
    void WireOptions();
    void WireTabs();
    void WatchFieldFocus();
    void WatchChanges();
    bool Calc();
    void EndStaleFieldFocus(QWidget* now);
    void OnTabChanged(int current);

    PlatformServices m_services;
    QString m_helpFile;
    TableEstimator m_estimator;
    ControlInventory m_controls;
    EstimateDocument m_document;
    int m_shownTab = 0;
    bool m_unloaded = false;
};

} // namespace quorvel
