#pragma once
// The program starter of the running program: QProcess::startDetached, so the
// started program lives on its own and outlives the calculator if need be.

#include "platform/ProgramStarter.h"

#include <QStringList>

#include <functional>

namespace quorvel {

struct CommandLine {
    QString program;
    QStringList arguments;
};

class DetachedProgramStarter final : public ProgramStarter {
public:
    using FileExists = std::function<bool(const QString&)>;

    bool Start(const QString& commandText) override;

    // A command text as program and argument. A text that names an existing
    // file as a whole is the program alone, so a path with blanks in it (as a
    // registry may give) is not torn apart; otherwise the first blank ends the
    // program name and the rest is its one argument.
    static CommandLine SplitCommandText(const QString& commandText, const FileExists& isFile);
};

} // namespace quorvel
