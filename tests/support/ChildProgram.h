#pragma once
// Signals for a program a test started with QProcess. A signal goes only to a
// child that is still running: a child that has ended has no process id
// (QProcess answers 0), and kill(0, ...) would signal the test's own process
// group, ctest and the script that started it included. When the child is
// gone, the answer says how it ended and what it wrote to standard error, so
// the test fails with the program's own reason.

#include <QProcess>
#include <QTest>

#include <sys/types.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <optional>
#include <string>

namespace quorvel::testing {

// "ended with status 3" or "was ended by signal 11", then its standard error.
inline std::string HowItEnded(QProcess& program) {
    program.waitForFinished(5000);
    std::string text = program.exitStatus() == QProcess::CrashExit
                           ? "was ended by signal " + std::to_string(program.exitCode())
                           : "ended with status " + std::to_string(program.exitCode());
    // Peeked, not read, so that every later answer says it too.
    program.setReadChannel(QProcess::StandardError);
    const QByteArray err = program.peek(program.bytesAvailable()).trimmed();
    return text + (err.isEmpty() ? "; it wrote nothing to standard error"
                                 : "; its standard error: " + err.toStdString());
}

// Sends the signal to the running child; otherwise answers why it could not.
inline std::optional<std::string> SignalChild(QProcess& program, int signal) {
    const qint64 pid = program.processId();
    if (program.state() != QProcess::Running || pid <= 0)
        return "the program is no longer running: it " + HowItEnded(program);
    if (::kill(static_cast<pid_t>(pid), signal) != 0)
        return std::string("kill failed: ") + std::strerror(errno);
    return std::nullopt;
}

// Waits until ready() holds while the child runs; answers why not when the
// child ends first or the time runs out.
inline std::optional<std::string> WaitWhileRunning(QProcess& program, const std::function<bool()>& ready,
                                                   int timeoutMs) {
    constexpr int kStepMs = 50;
    for (int waited = 0; waited <= timeoutMs; waited += kStepMs) {
        if (program.state() != QProcess::Running || program.processId() <= 0)
            return "the program ended before it was ready: it " + HowItEnded(program);
        if (ready())
            return std::nullopt;
        QTest::qWait(kStepMs);
    }
    return "the program was not ready within " + std::to_string(timeoutMs / 1000) + " s";
}

// Whether the running child has a handler of its own for the signal (SigCgt).
inline bool CatchesSignal(const QProcess& program, int signal) {
    QFile status(QStringLiteral("/proc/%1/status").arg(program.processId()));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = status.readAll();
    const qsizetype at = text.indexOf("SigCgt:");
    return at >= 0 && ((text.mid(at + 7, 18).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1);
}

} // namespace quorvel::testing
