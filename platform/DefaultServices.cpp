// The real services of the running program, one of each, alive until exit.
#include "DetachedProgramStarter.h"
#include "IniSettingsStore.h"
#include "PlatformServices.h"
#include "QtMessageBox.h"
#include "SystemInformationLocator.h"

namespace quorvel {

PlatformServices DefaultServices(HelpService& help) {
    static QtMessageBox messageBox;
    static QtClipboard clipboard;
    static DetachedProgramStarter programs;
    static const SystemInformationLocator systemInformation;
    static IniSettingsStore settings;
    PlatformServices services;
    services.messageBox = &messageBox;
    services.clipboard = &clipboard;
    services.programs = &programs;
    services.help = &help;
    services.systemInformation = &systemInformation;
    services.settings = &settings;
    return services;
}

} // namespace quorvel
