#pragma once
// The help engine: shows the program's help file at its contents page or at
// its keyword search. The Help menu calls it with the main window as owner; the
// engine of the running program hands the call to the help window the shell
// provides (HelpWindowHost), tests hand in a fake engine.

#include <QString>

#include <cstdint>
#include <optional>

class QWidget;

namespace quorvel {

// Command codes of the engine.
inline constexpr std::uint32_t kHelpContents = 3;        // data unused
inline constexpr std::uint32_t kHelpPartialKey = 0x0105; // data: address of a zero-ended keyword

class HelpEngine {
public:
    virtual ~HelpEngine() = default;

    // std::nullopt when the engine took the call; what it then shows (a
    // missing help file included) is its own affair. Otherwise the engine
    // could not be called and the text says why.
    [[nodiscard]] virtual std::optional<QString> WinHelpA(QWidget* owner, const QString& helpFile,
                                                          std::uint32_t command, std::uintptr_t data) = 0;
};

// The window that shows a help file, as the engine sees it.
class HelpWindowHost {
public:
    virtual ~HelpWindowHost() = default;
    virtual void ShowContents(QWidget* owner, const QString& helpFile) = 0;
    virtual void ShowKeywordSearch(QWidget* owner, const QString& helpFile, const QString& keyword) = 0;
};

} // namespace quorvel
