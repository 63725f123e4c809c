#pragma once

#include <QString>
#include <QStringList>

// The service manager of this machine, systemd, reached through systemctl:
// the state of a service and the requests to start, stop, pause (freeze) and
// continue (thaw) it. The computer name is kept for the callers' sake and
// ignored: only this machine's services can be reached. A service name is
// never handed to systemctl as an option: it follows "--", and a name that is
// no unit name is not looked for at all.
class QELntSvcCM {
public:
    static inline const QString kManagerUnreachable = QStringLiteral("ERROR: Unable to connect to service manager!");
    static inline const QString kServiceNotFound = QStringLiteral("ERROR: Service not found!");
    static inline const QString kStatusUnknown = QStringLiteral("ERROR: Unable to get status!");
    // Long enough for a busy manager, short enough that a window polling the
    // state every second stays usable when the manager hangs.
    static constexpr int kDefaultTimeoutMs = 5000;

    explicit QELntSvcCM(int timeoutMs = kDefaultTimeoutMs) : m_timeoutMs(timeoutMs) {}

    // "Stopped", "Start Pending", "Stop Pending", "Running", "Continue
    // Pending", "Pause Pending", "Paused", "" for a state none of these
    // names, or one of the three ERROR texts above.
    QString ServiceStatus(const QString& computer, const QString& name) const;

    // Each hands the request to systemd without waiting for it to be carried
    // out; its effect shows in the next ServiceStatus. The result is why the
    // request was refused (systemctl's own words, or an ERROR text above),
    // empty when it was taken.
    QString vbStartService(const QString& computer, const QString& name) const;
    QString vbStopService(const QString& computer, const QString& name) const;
    QString vbPauseService(const QString& computer, const QString& name) const;
    QString vbContinueService(const QString& computer, const QString& name) const;

    // The state folder the service's unit gives the programs in its
    // environment (R58213_HOME); empty when it gives none or cannot be
    // asked.
    QString ServiceHome(const QString& name) const;

    // The unit of a service name: trimmed, with ".service" added unless it
    // ends in it; empty when the name holds anything but the letters,
    // digits and ":_.@-" of unit names, or starts with "-".
    static QString UnitName(const QString& name);

private:
    struct Outcome {
        bool started = false;
        bool ended = false;  // on its own, within the time-out
        int exitCode = -1;
        QString output;
        QString error;

        // No systemctl, or one that could not reach systemd.
        bool ManagerUnreachable() const;
        bool Succeeded() const { return ended && exitCode == 0; }
    };

    QString Request(const QString& verb, const QString& name) const;
    Outcome Systemctl(const QStringList& arguments) const;

    int m_timeoutMs;
};
