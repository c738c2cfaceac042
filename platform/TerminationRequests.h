#pragma once
// The system asking the program to end: SIGTERM (kill, a service manager, a
// log-out without session management), SIGHUP (the terminal went away) and
// SIGINT (Ctrl+C). A signal handler may do next to nothing, so it only writes
// one byte into a socket pair; the event loop reads it and raises Requested,
// where the program can end the way a close does and keep its settings.

#include <QObject>

class QSocketNotifier;

namespace quorvel {

class TerminationRequests final : public QObject {
    Q_OBJECT

public:
    // Installs the handlers at once, before the event loop runs: a signal that
    // arrives early waits in the socket until the loop reads it. One object
    // for the program's life.
    explicit TerminationRequests(QObject* parent = nullptr);
    ~TerminationRequests() override;

signals:
    void Requested();

private:
    void Read();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace quorvel
