#pragma once
// The outside world as the program sees it.
//
// Every service the windows call that is not plain widget work (message
// boxes and questions, the clipboard, starting programs, the help window, the
// table chooser, the file dialogs, the system information program, the
// per-user settings store)
// goes through one of these small interfaces. The running program uses the
// real implementations (DefaultServices); tests hand in fakes for every one of
// them, so that nothing modal opens and nothing outside is touched. Every
// pointer is always set.

#include <QString>

class QWidget;

namespace quorvel {

enum class MessageIcon { Critical, Exclamation };

// What to do with an estimate that has changes nobody has saved.
enum class SaveChangesAnswer { Save, Discard, Cancel };

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Modal; one OK button. Returns when the user has closed the box.
    virtual void Show(QWidget* owner, const QString& text, MessageIcon icon, const QString& title) = 0;
    // Modal, before the estimate is closed or another file replaces it:
    // "「document」への変更を保存しますか?" with 保存, 破棄 and ｷｬﾝｾﾙ. document is
    // the name the title bar shows. Esc and the close box answer Cancel.
    [[nodiscard]] virtual SaveChangesAnswer AskSaveChanges(QWidget* owner, const QString& document) = 0;
    // Modal, at start when the program last ended (a log-out, SIGTERM) with
    // changes to document nobody saved: true to bring them back, false to
    // throw them away. 復元 is the default; Esc and the close box answer false.
    [[nodiscard]] virtual bool AskRestore(QWidget* owner, const QString& document) = 0;
};

class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    virtual void Clear() = 0;
    // The plain text on the clipboard; "" when it holds no text.
    virtual QString Text() const = 0;
    virtual void SetText(const QString& text) = 0;
};

class ProgramStarter;
class HelpService;
class TableChooserService;
class FileDialogService;
class SystemInformationLocator;
class SettingsStore;

// Non-owning; every pointer is set.
struct PlatformServices {
    MessageBoxService* messageBox = nullptr;
    ClipboardService* clipboard = nullptr;
    ProgramStarter* programs = nullptr;
    HelpService* help = nullptr;
    const SystemInformationLocator* systemInformation = nullptr;
    SettingsStore* settings = nullptr;
    TableChooserService* tableChooser = nullptr;
    FileDialogService* fileDialogs = nullptr;
};

// The real services, alive for the whole program. The shell provides the two
// that are windows of its own: help (its help window) and tableChooser.
PlatformServices DefaultServices(HelpService& help, TableChooserService& tableChooser);

inline const QString kApplicationTitle = QStringLiteral("Quorvel");

} // namespace quorvel
