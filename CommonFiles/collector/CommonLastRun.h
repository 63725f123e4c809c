#pragma once

#include "CommonFiles/foundation/HashTable.h"
#include "platform/DateTime.h"

#include <QString>

class CommonGlobals;

namespace ado {
class Connection;
}

// Per facility of one collector: the last-run date (where the last
// scheduled import ended), the lock date (before which nothing may change)
// and the range the session chose; after a facility is imported, its new
// last-run date is written, with a calculation request when configured.
// Failures give false and never raise.
class CommonLastRun {
public:
    explicit CommonLastRun(CommonGlobals& globals);

    bool PersistLastRunDate(qint32 interfaceId, const QString& facilityKey, const DateTime& lastRun);
    bool ReadKorvelOrvex(qint32 interface_id, ado::Connection& aRootCNN);
    bool ReadKorvelOrvexFacilLockDates(const QString& RequestedFacilityTilda);
    // Where the facility's import starts: its last-run date or the
    // session's start, never before the lock date.
    DateTime startdate(const QString& facilityKey);
    // The same start as asked, before the lock date too: a dry run shows
    // what the lock date keeps.
    DateTime RequestedStartDate(const QString& facilityKey);
    DateTime enddate(const QString& facilityKey) const;
    DateTime LockDate(const QString& facilityKey) const;
    bool ViolatesLockDate(const QString& facilityKey) const;
    void setDefaultStart(const DateTime& start) { m_defaultStart = start; }
    void setDefaultEnd(const DateTime& end) { m_defaultEnd = end; }

private:
    bool ReadFacilityLockDate(const QString& facilityKey, DateTime& lockDate);
    void SubmitCalcRequest(ado::Connection& root, const QString& facilityKey, const DateTime& endDate);
    static DateTime StoredDate(const QString& text);

    CommonGlobals* m_globals;
    DateTime m_defaultStart;
    DateTime m_defaultEnd;
    HashTable<QString> m_lastRunDates;
    HashTable<QString> m_lockDates;
};
