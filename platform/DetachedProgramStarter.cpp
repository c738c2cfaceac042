#include "platform/DetachedProgramStarter.h"

#include <QFileInfo>
#include <QProcess>

namespace quorvel {

CommandLine DetachedProgramStarter::SplitCommandText(const QString& commandText, const FileExists& isFile) {
    if (commandText.isEmpty() || isFile(commandText))
        return {commandText, {}};
    const qsizetype blank = commandText.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return {commandText, {}};
    CommandLine line{commandText.left(blank), {}};
    const QString argument = commandText.mid(blank + 1);
    if (!argument.isEmpty())
        line.arguments.append(argument);
    return line;
}

bool DetachedProgramStarter::Start(const QString& commandText) {
    const CommandLine line =
        SplitCommandText(commandText, [](const QString& path) { return QFileInfo(path).isFile(); });
    if (line.program.isEmpty())
        return false;
    return QProcess::startDetached(line.program, line.arguments);
}

} // namespace quorvel
