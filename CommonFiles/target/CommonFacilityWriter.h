#pragma once

#include "CommonFiles/foundation/HashTable.h"
#include "CommonFiles/target/ImportTimings.h"
#include "CommonFiles/target/StoredRow.h"
#include "CommonFiles/target/TimeUtils.h"
#include "platform/DateTime.h"

#include <QString>
#include <map>
#include <memory>

class CommonGlobals;
class DataDDInt;
class DatatblInt;
class NumberedError;

namespace ado {
class Connection;
}

// Writes one result at a time into one facility database: an interval or
// daily value under the lock-date and approval rules, a comment, an
// additional-info row, a logbook entry. It owns the facility connection
// (opened on first use) and tells through its public outcome fields what
// the last write did. Test mode stores nothing and reports the rest as
// usual. Every write returns false instead of raising.
class CommonFacilityWriter {
public:
    explicit CommonFacilityWriter(CommonGlobals& globals);
    ~CommonFacilityWriter();

    bool PerfromedPhysicalWrite = false;
    bool PerfromedLogicalWrite = false;
    bool ApprovalLevelDisabledWrite = false;
    // Set with ApprovalLevelDisabledWrite when the refusal came from a
    // stored row without a status: such a row cannot be weighed against
    // any approval level, so it is kept as it is.
    bool StoredRowWithoutStatus = false;
    // Set with ApprovalLevelDisabledWrite when the lock date refused it.
    bool LockDateDisabledWrite = false;
    // The stored row the last value write was weighed against (not found
    // when none was read).
    StoredRow StoredRowSeen;
    DateTime PerfromedWriteDateStamp;
    qint16 PerformedAINFOfieldsLogicalWrite = 0;
    qint16 PerformedAINFOfieldsPhysicalWrite = 0;

    void setTestMode(bool testMode) { m_testMode = testMode; }
    void setFacilID(const QString& facilID) { m_facilID = facilID; }
    // 0 (the zero date) means "not set": nothing is written then.
    void setLockDate(const DateTime& lockDate) { m_lockDate = lockDate; }
    // Liveness queries, seeks and writes are timed into these from now on.
    void setTimings(ImportTimings* timings) { m_timings = timings; }

    // In batches, the writes after a commit run in one transaction until
    // CommitBatch; without, each write is committed on its own.
    void setBatching(bool batching) { m_batching = batching; }
    // False when the transaction could not be committed: its writes are
    // then undone, and the connection is to be destroyed and the batch
    // written again.
    bool CommitBatch();
    // An open batch is rolled back: its writes are undone.
    void DestroyConnection();
    bool ConnectionAlive();
    bool WriteToKorvelOrvex(const QString& VarType, qint32 VarId, const DateTime& Datestamp, double CurValue,
                            const QString& TextValue, qint32 ApprovalLevel,
                            const HashTable<QString>* AdditionalInfoHash);
    bool WriteCOMtoKorvelOrvex(const QString& VarType, qint32 VarId, const DateTime& Datestamp,
                               const QString& TextValue);
    bool WriteToLogbook(qint32 InLogBookID, const DateTime& InDateStamp, const DateTime& InTimeStamp,
                        const QString& InComment, qint32 InDefaultLogBookId);
    bool WriteToKorvelOrvexainfo(const QString& VarType, qint32 VarId, const DateTime& Datestamp,
                                 const HashTable<QString>& AdditionalInfoHash);
    // The stored row of the slot the value stamped Datestamp would be
    // written to, read without writing anything; false when it cannot be
    // read.
    bool PeekStoredRow(const QString& VarType, qint32 VarId, const DateTime& Datestamp, StoredRow& row);
    // The row date a value stamped Datestamp is stored under.
    static DateTime RowDateOf(const QString& VarType, const DateTime& Datestamp);

private:
    bool OpenWriterConnection();
    bool EnsureConnection();
    bool OpenBatch();
    // The value tables' access on the writer's connection, set up on first
    // use and kept with the connection.
    DataDDInt& IntervalAccess(qint32 intervalsPerDay);
    DatatblInt& DailyAccess();
    // Keeps the outcome of a statement on the writer's connection: after a
    // success the connection needs no liveness query before the next one.
    bool Proven(bool succeeded);
    bool Unwritable() const;
    void ResetOutcome();
    // The write is refused (lock date or approval level), which is no failure.
    bool Refuse(const DateTime& rowDate);
    bool RefusedByLockDate(const DateTime& rowDate);
    // Whether the stored row keeps the slot from being written; sets the
    // refusal outcome when it does.
    bool RefusedByStoredRow(const StoredRow& stored, qint32 ApprovalLevel, const DateTime& rowDate);
    // The stored row of an interval slot, as the facility's seek procedure
    // finds it: batched or not, on every target, a slot is judged alike.
    StoredRow StoredIntervalRow(DataDDInt& access, qint32 VarId, const DateTime& rowDate);
    StoredRow StoredDailyRow(DatatblInt& daily, qint32 VarId, const DateTime& day);
    void Performed(const DateTime& rowDate, bool physical);
    bool WriteDailyValue(qint32 VarId, const DateTime& day, double CurValue, const QString& TextValue,
                         qint32 ApprovalLevel);
    bool WriteIntervalValue(qint32 intervalsPerDay, qint32 VarId, const DateTime& rowDate, double CurValue,
                            const QString& TextValue, qint32 ApprovalLevel);
    bool WriteDailyComment(qint32 VarId, const DateTime& day, const QString& comment);
    bool WriteIntervalComment(qint32 intervalsPerDay, qint32 VarId, const DateTime& slotStart, const QString& comment);
    bool LogbookExists(qint32 id);
    void LogKeyedTable(const HashTable<QString>& table, const QString& prefix, int level) const;
    void LogWriteError(const NumberedError& error) const;
    void DumpAdditionalInfoError(const NumberedError& error, const QString& key, const QString& value, qint32 VarId,
                                 const DateTime& Datestamp, const HashTable<QString>& table) const;

    CommonGlobals& m_globals;
    TimeUtils m_timeUtils;
    std::unique_ptr<ado::Connection> m_connection;
    std::map<qint32, std::unique_ptr<DataDDInt>> m_intervalAccess;
    std::unique_ptr<DatatblInt> m_dailyAccess;
    bool m_testMode = false;
    bool m_batching = false;
    bool m_inTransaction = false;
    bool m_proven = false;
    QString m_facilID = "0";
    DateTime m_lockDate;
    ImportTimings* m_timings = nullptr;
};
