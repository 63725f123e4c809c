#pragma once

#include "platform/DateTime.h"

#include <optional>

class Clock;
class QELLoggerTXT;

namespace ado {
class Connection;
}

// The target server's clock as seen from here (the local clock plus an
// offset learned from the server), and the local zone's distance from UTC.
// One instance lives for the process. A failed synchronisation leaves its
// trace in the given log, which must outlive this object.
class TimeUtils {
public:
    TimeUtils(const Clock& clock, QELLoggerTXT& log) : m_clock(clock), m_log(log) {}

    DateTime ServerNow() const;
    // Learns the offset through the root schema's GETSERVERTIME; false (and
    // the previous offset kept) when the server gives no time or fails.
    bool SyncServerTime(ado::Connection& rootConnection);
    qint64 ServerOffsetSeconds() const { return m_serverOffsetSeconds; }
    static qint32 LocalUtcOffsetSeconds();
    DateTime LocalToUtc(std::optional<DateTime> value = std::nullopt) const;

private:
    const Clock& m_clock;
    QELLoggerTXT& m_log;
    qint64 m_serverOffsetSeconds = 0;
};
