#include "CommonFiles/service/QELntSvcCM.h"

#include "platform/ProgramHome.h"

#include <QHash>
#include <QProcess>
#include <QRegularExpression>

namespace {

bool ValidUnitName(const QString& name)
{
    static const QRegularExpression kUnitCharacters(QStringLiteral("^[A-Za-z0-9:_.@\\-]+$"));
    return !name.startsWith('-') && kUnitCharacters.match(name).hasMatch();
}

QHash<QString, QString> Properties(const QString& output)
{
    QHash<QString, QString> properties;
    for (const QString& line : output.split('\n', Qt::SkipEmptyParts)) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            properties.insert(line.left(equals), line.mid(equals + 1).trimmed());
    }
    return properties;
}

// A running unit is paused by freezing it; a systemd without the freezer
// reports no FreezerState, and its active units simply run.
QString FreezerStateText(const QString& freezer)
{
    static const QHash<QString, QString> kTexts = {{"", "Running"},
                                                   {"running", "Running"},
                                                   {"thawing", "Continue Pending"},
                                                   {"freezing", "Pause Pending"},
                                                   {"frozen", "Paused"}};
    return kTexts.value(freezer);
}

QString StateText(const QString& active, const QString& freezer)
{
    static const QHash<QString, QString> kTexts = {{"inactive", "Stopped"},
                                                   {"failed", "Stopped"},
                                                   {"activating", "Start Pending"},
                                                   {"deactivating", "Stop Pending"}};
    if (active == "active" || active == "reloading")
        return FreezerStateText(freezer);
    return kTexts.value(active);
}

}  // namespace

QString QELntSvcCM::UnitName(const QString& name)
{
    const QString trimmed = name.trimmed();
    if (!ValidUnitName(trimmed))
        return {};
    return trimmed.endsWith(".service") ? trimmed : trimmed + ".service";
}

QString QELntSvcCM::ServiceStatus(const QString&, const QString& name) const
{
    const QString unit = UnitName(name);
    if (unit.isEmpty())
        return kServiceNotFound;
    const Outcome shown =
        Systemctl({"show", "--property=LoadState", "--property=ActiveState", "--property=FreezerState", "--", unit});
    if (shown.ManagerUnreachable())
        return kManagerUnreachable;
    const QHash<QString, QString> properties = Properties(shown.output);
    if (!shown.Succeeded() || !properties.contains("ActiveState"))
        return kStatusUnknown;
    // systemd answers for a unit it does not know as for a stopped one.
    if (properties.value("LoadState") == "not-found")
        return kServiceNotFound;
    return StateText(properties.value("ActiveState"), properties.value("FreezerState"));
}

QString QELntSvcCM::ServiceHome(const QString& name) const
{
    const QString unit = UnitName(name);
    if (unit.isEmpty())
        return {};
    const Outcome shown = Systemctl({"show", "--property=Environment", "--", unit});
    if (!shown.Succeeded())
        return {};
    const QString prefix = QString::fromLatin1(ProgramHome::kVariable) + "=";
    const QStringList assignments = Properties(shown.output).value("Environment").split(' ', Qt::SkipEmptyParts);
    for (const QString& assignment : assignments)
        if (assignment.startsWith(prefix))
            return assignment.mid(prefix.size());
    return {};
}

QString QELntSvcCM::vbStartService(const QString&, const QString& name) const
{
    return Request("start", name);
}

QString QELntSvcCM::vbStopService(const QString&, const QString& name) const
{
    return Request("stop", name);
}

QString QELntSvcCM::vbPauseService(const QString&, const QString& name) const
{
    return Request("freeze", name);
}

QString QELntSvcCM::vbContinueService(const QString&, const QString& name) const
{
    return Request("thaw", name);
}

// Without --no-block a stop would wait for the service to end, up to its
// stop time-out, with the window frozen meanwhile.
QString QELntSvcCM::Request(const QString& verb, const QString& name) const
{
    const QString unit = UnitName(name);
    if (unit.isEmpty())
        return kServiceNotFound;
    const Outcome requested = Systemctl({"--no-block", verb, "--", unit});
    if (requested.ManagerUnreachable())
        return kManagerUnreachable;
    if (!requested.Succeeded())
        return requested.error.isEmpty() ? kStatusUnknown : requested.error;
    return {};
}

// systemctl's words when it cannot reach systemd (no bus, no systemd as init).
bool QELntSvcCM::Outcome::ManagerUnreachable() const
{
    return !started || error.contains("Failed to connect to bus") || error.contains("Failed to get D-Bus connection");
}

// A systemctl that outlives the time-out is ended.
QELntSvcCM::Outcome QELntSvcCM::Systemctl(const QStringList& arguments) const
{
    QProcess systemctl;
    systemctl.start("systemctl", arguments);
    Outcome outcome;
    outcome.started = systemctl.waitForStarted(m_timeoutMs);
    if (!outcome.started)
        return outcome;
    outcome.ended = systemctl.waitForFinished(m_timeoutMs) && systemctl.exitStatus() == QProcess::NormalExit;
    if (systemctl.state() != QProcess::NotRunning) {
        systemctl.kill();
        systemctl.waitForFinished();
    }
    outcome.exitCode = systemctl.exitCode();
    outcome.output = QString::fromLocal8Bit(systemctl.readAllStandardOutput());
    outcome.error = QString::fromLocal8Bit(systemctl.readAllStandardError()).trimmed();
    return outcome;
}
