#pragma once

#include <QObject>

class CommonGlobals;
class TerminationSignal;

// The host of service mode. It has no window: systemd starts it and stops
// it with SIGTERM, which ends the process through the normal exit path with
// status 0, as the host's "end" button would.
class CommonNTSERVICE : public QObject {
    Q_OBJECT
public:
    explicit CommonNTSERVICE(CommonGlobals& globals, QObject* parent = nullptr);

    // Called once by start-up when the host is up. Stop requests are
    // honoured from construction on.
    void RunNTService();
    // Ends the service process.
    void EndService();

private:
    CommonGlobals& m_globals;
    TerminationSignal* m_termination;
};
