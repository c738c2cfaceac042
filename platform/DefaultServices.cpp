// The real services of the running program, one of each, alive until exit.
#include "platform/DetachedProgramStarter.h"
#include "platform/IniSettingsStore.h"
#include "platform/PlatformServices.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtMessageBox.h"
#include "platform/SystemInformationLocator.h"

namespace quorvel {

PlatformServices DefaultServices(HelpService& help, TableChooserService& tableChooser) {
    static QtMessageBox messageBox;
    static QtClipboard clipboard;
    static DetachedProgramStarter programs;
    static const SystemInformationLocator systemInformation;
    static IniSettingsStore settings;
    static QtFileDialogs fileDialogs;
    PlatformServices services;
    services.messageBox = &messageBox;
    services.clipboard = &clipboard;
    services.programs = &programs;
    services.help = &help;
    services.systemInformation = &systemInformation;
    services.settings = &settings;
    services.tableChooser = &tableChooser;
    services.fileDialogs = &fileDialogs;
    return services;
}

} // namespace quorvel
