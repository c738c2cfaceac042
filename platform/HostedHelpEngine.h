#pragma once
// The help engine of the running program. It understands the contents and the
// partial-keyword commands and passes them to the help window host that the
// start-up code installs; with no host installed, or for any other command,
// the engine cannot be called and says why.

#include "HelpEngine.h"

namespace quorvel {

class HostedHelpEngine final : public HelpEngine {
public:
    // Not owned; nullptr removes the host.
    void SetHost(HelpWindowHost* host);

    [[nodiscard]] std::optional<QString> WinHelpA(QWidget* owner, const QString& helpFile,
                                                  std::uint32_t command, std::uintptr_t data) override;

    // The keyword a partial-keyword call points at: the zero-ended text at
    // data, read as UTF-8; "" for a null address.
    static QString KeywordAt(std::uintptr_t data);

private:
    HelpWindowHost* m_host = nullptr;
};

// The engine inside DefaultServices(); start-up installs the help window here.
HostedHelpEngine& DefaultHelpEngine();

} // namespace quorvel
