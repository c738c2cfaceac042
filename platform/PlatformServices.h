#pragma once
// The outside world as the program sees it.
//
// Every service the windows call that is not plain widget work (message
// boxes, the clipboard, starting programs, the help window, the system
// information program, the per-user settings store) goes through one of these
// small interfaces. The running program uses the real implementations
// (DefaultServices); tests hand in fakes for every one of them, so that nothing
// modal opens and nothing outside is touched. Every pointer is always set.

#include <QString>

class QWidget;

namespace quorvel {

enum class MessageIcon { Critical, Exclamation };

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Modal; one OK button. Returns when the user has closed the box.
    virtual void Show(QWidget* owner, const QString& text, MessageIcon icon, const QString& title) = 0;
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
};

// The real services, alive for the whole program; help is the program's help
// window, which the shell provides.
PlatformServices DefaultServices(HelpService& help);

inline const QString kApplicationTitle = QStringLiteral("Quorvel");

} // namespace quorvel
