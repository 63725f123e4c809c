#pragma once

#include "CommonFiles/target/TimeUtils.h"
#include "platform/DateTime.h"

#include <QString>

class CommonGlobals;

namespace ado {
class Connection;
}

// The three time bases in which the time-zone date picker shows dates:
// UTC, the collector's zone and this machine's (the interface's) zone. It
// turns a date shown in a base into UTC, gives the moment the date
// shortcuts count from in each base (the target server's clock), and names
// the zones. Offsets are minutes east of UTC. The globals must outlive it.
class PickerTimeBases {
public:
    enum class Base { Utc, Collector, Interface };

    PickerTimeBases(CommonGlobals& globals, qint32 collectorZoneId, double collectorOffset, double interfaceOffset);

    // Reads the collector's zone name and learns the server's clock through
    // the root schema. A root that cannot be opened is reported to the
    // person; the local clock and an empty zone name then stand in.
    void Load();

    // "UTC [Greenwich Mean Time]", "Collector [<zone>]", "Interface [<zone>]".
    QString Caption(Base base) const;
    DateTime ToUtc(Base base, const DateTime& shown) const;
    DateTime ReferenceMoment(Base base) const;

    const QString& CollectorZoneName() const { return m_collectorZoneName; }
    // The system's standard zone name, or "Local" when it has none.
    static QString InterfaceZoneName();

private:
    QString ReadCollectorZoneName(ado::Connection& root) const;
    static DateTime Shifted(const DateTime& value, double minutes);

    CommonGlobals& m_globals;
    TimeUtils m_timeUtils;
    qint32 m_collectorZoneId;
    double m_collectorOffset;
    double m_interfaceOffset;
    QString m_collectorZoneName;
};
