#pragma once
// The estimate as a document: the file it was opened from or saved to, and
// the file commands of the main window (開く, 上書き保存, 名前を付けて保存,
// 結果の書き出し, 結果のｺﾋﾟｰ).
//
// The files themselves are read and written by cli/EstimateFile, the tool's
// own format and code; this class asks (file dialogs, the table chooser, the
// question about unsaved changes), shows the result on the window, and keeps
// what a desktop document keeps: its file (windowFilePath and the title), whether it
// changed since it was opened or saved (the [*] mark), and whether the results
// shown belong to the fields as they are. A window that never touched a file
// keeps its title and closes without a question.
//
// An estimate taken from a schema script or from a file of several tables
// names that file and its table in the title, but 上書き保存 asks for a new
// name: saving over the script would lose it. When the program is ended
// where no question can be asked (a log-out, SIGTERM), changes nobody saved
// go to a recovery file beside the settings, and the next start offers them.

#include "calc/TableEstimate.h"
#include "platform/PlatformServices.h"
#include "workspace/ControlInventory.h"

#include <functional>
#include <optional>
#include <string>

namespace quorvel {

class EstimateDocument {
public:
    // runCalc runs the Calc command and answers whether every figure is shown.
    EstimateDocument(ControlInventory& controls, const PlatformServices& services, std::function<bool()> runCalc);

    void Open();
    // As 開く once the file is chosen: from the command line and a drop too.
    void OpenPath(const QString& path);
    bool Save();
    bool SaveAs();
    void Export();
    void CopyResults();

    // Before the estimate is closed or replaced: asks about changes nobody
    // saved; true when it may go.
    bool MayClose();
    // The program ends where no question can be asked: changes go to the recovery file.
    void KeepForRecovery();
    // A close after the question: no recovery is needed any more.
    void Closed();
    // At start: offers the changes the recovery file keeps.
    void OfferRecovery();

    // After the Calc command: whether the figures shown are those of the fields now.
    void CalcRan(bool everyFigureShown);
    // The title and the modified mark, after any change of a field or an option.
    void ShowState();
    bool Modified() const;

private:
    QString Title() const;
    bool WriteEstimate(const QString& path);
    bool ResultsCurrent() const;
    std::optional<std::string> ReportText(bool csv) const;
    void Show(const TableDescription& table, const QString& path, bool bound, const std::string& name);
    void Tell(const QString& text) const;
    void Status(const QString& text) const;
    QString RecoveryPath() const;
    void ClearRecovery();

    ControlInventory& m_controls;
    PlatformServices m_services;
    std::function<bool()> m_runCalc;
    QString m_path;                         // opened or saved; empty: no file touched
    bool m_bound = false;                   // 上書き保存 writes to m_path
    std::string m_name;                     // the table's name
    std::optional<TableDescription> m_saved;    // as opened or saved; none: changed since
    std::optional<TableDescription> m_computed; // the fields the figures shown belong to
};

} // namespace quorvel
