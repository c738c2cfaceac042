#pragma once
// The program's help file on screen: its contents page, or its keyword search
// with nothing typed yet. The Help menu asks for one of the two with the main
// window as owner; the running program shows its own help window (the shell's
// HelpViewerHost), tests hand in a fake that records the calls.

#include <QString>

#include <optional>

class QWidget;

namespace quorvel {

class HelpService {
public:
    virtual ~HelpService() = default;

    // owner is the window asking, which the help window belongs to.
    // std::nullopt when the help window took the request; what it shows then
    // (a missing help file included) is its own affair. Otherwise the help
    // could not be shown at all and the text says why, for a message box.
    [[nodiscard]] virtual std::optional<QString> ShowContents(QWidget* owner, const QString& helpFile) = 0;
    [[nodiscard]] virtual std::optional<QString> SearchKeywords(QWidget* owner, const QString& helpFile) = 0;
};

} // namespace quorvel
