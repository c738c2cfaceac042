// The real services of the running program, one of each, alive until exit.
#include "DesktopRegistryReader.h"
#include "DetachedProgramStarter.h"
#include "HostedHelpEngine.h"
#include "IniSettingsStore.h"
#include "PlatformServices.h"
#include "QtMessageBox.h"

namespace quorvel {

HostedHelpEngine& DefaultHelpEngine() {
    static HostedHelpEngine engine;
    return engine;
}

PlatformServices DefaultServices() {
    static QtMessageBox messageBox;
    static QtClipboard clipboard;
    static DetachedProgramStarter programs;
    static DesktopRegistryReader registry;
    static IniSettingsStore settings;
    PlatformServices services;
    services.messageBox = &messageBox;
    services.clipboard = &clipboard;
    services.programs = &programs;
    services.help = &DefaultHelpEngine();
    services.registry = &registry;
    services.settings = &settings;
    return services;
}

} // namespace quorvel
