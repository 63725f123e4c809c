#pragma once

#include "CommonFiles/collector/CommonTypeVar.h"
#include "CommonFiles/control/ImportStatistics.h"
#include "CommonFiles/target/ImportTimings.h"
#include "CommonFiles/target/StoredRow.h"
#include "platform/DateTime.h"

#include <QElapsedTimer>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

class CommonFacilityWriter;
class CommonTypeDateManager;
class CommonGlobals;
class CommonVarGatherer;
class CustomSource;
class DiffReport;

// One import: every gathered facility, every linked variable of it, every
// slot of the variable's interval within the facility's range. Each slot's
// value is read from the data-file source, scaled and rounded, and written
// through the facility writer; reads and writes are retried with a wait,
// and a slot that still fails ends the run. The run ends with the session
// statistics; in service mode each fully walked facility's last-run date
// advances. A stop request ends the run at the next slot boundary, like a
// failed slot.
//
// The writes of one variable are committed in batches of up to
// WRITE_BATCH_SLOTS slots. What a write did is told (activity line,
// statistics) only once its batch is committed; a batch that fails is
// undone and, after the wait, written again from its first slot. When the
// attempts are spent, the slots before the failing one are still stored,
// told and counted, as writing slot by slot would have. Every stored row is
// judged by what the facility's seek procedure returns, batched or not. No
// transaction stays open while the run sleeps.
class CommonImport {
public:
    // The source is the one kept by the caller: reused when the
    // configuration keeps it across imports, replaced otherwise.
    CommonImport(CommonGlobals& globals, std::unique_ptr<CustomSource>& source);
    ~CommonImport();

    // True when every facility was walked to its end and none was left
    // out unread.
    bool StartImport(CommonVarGatherer& aVarGatgerer, bool TestMode);
    // Where the run's time went, step by step.
    const ImportTimings& Timings() const { return m_timings; }
    // A dry run tells into diff what it would do with every slot it walks,
    // with each slot's stored row. It walks exactly what the same test
    // import walks; a range reaching back before a lock date is summed up.
    void setDiff(DiffReport* diff) { m_diff = diff; }
    // Only slots the target holds no row for are written: gaps are filled,
    // nothing stored is touched.
    void setOnlyMissingRows(bool only) { m_onlyMissingRows = only; }
    // What the run did, slot by slot and facility by facility.
    ImportStatistics Statistics() const;

private:
    // A slot written in the open batch, with what its write did.
    struct PendingSlot {
        const CommonTypeVarRec* record = nullptr;
        DateTime datestamp;
        double number = 0;
        QString text;
        bool logical = false;
        bool physical = false;
        bool refused = false;
        bool withoutStatus = false;
        bool locked = false;
        StoredRow stored;
        DateTime writeDateStamp;
    };

    // Imports the facility, recording how long it took.
    bool ImportMeasuredFacility(const QString& facility);
    bool ImportFacility(const QString& facility);
    bool ImportVariable(const std::shared_ptr<const CommonTypeVarRec>& shared, const DateTime& start,
                        const DateTime& end);
    void PrepareSourceFor(const CommonTypeVarRec& record);
    bool ReadSourceValue(const CommonTypeVarRec& record, QVariant& value);
    DateTime SlotDatestamp(const CommonTypeDateManager& cuts) const;
    bool WriteSlotValue(const QVariant& value, const CommonTypeVarRec& record, const DateTime& datestamp);
    // The stored row of the slot; false (and said) when it cannot be read.
    bool PeekStored(const CommonTypeVarRec& record, const DateTime& datestamp, StoredRow& stored);
    bool TellNoValue(const CommonTypeVarRec& record, const DateTime& datestamp, const QString& reason);
    // A slot with nothing to write is counted, and told to a dry run;
    // false when its stored row could not be read for that.
    bool SkipSlot(const CommonTypeVarRec& record, const DateTime& datestamp, const QString& reason);
    // A slot the source gave no value for, skipped with the source's reason.
    bool SkipNoValue(const CommonTypeVarRec& record, const DateTime& datestamp);
    void TellDecision(const PendingSlot& slot);
    QString FacilityName(const QString& facility) const;
    // Writes what the open batch holds and has not written yet, committing
    // it when commit is set, with the target's recovery attempts; false
    // when they are spent.
    bool WriteWithRecovery(bool commit);
    // Tries step until it succeeds or the target's recovery attempts are
    // spent, dropping the connection and waiting after each failure; the
    // open batch is written again before each new try.
    bool WithTargetRecovery(const std::function<bool()>& step);
    // Keeps the slots of the open batch before failedAt (all of them when
    // it is the batch's size) as slot-by-slot writing would have.
    void KeepBeforeFailure(qsizetype failedAt, bool countFailed);
    // Writes the slots of the open batch not yet written on the connection.
    bool WritePending();
    bool WriteSlot(PendingSlot& slot);
    bool CommitPending();
    // Commits what the open batch holds.
    bool FlushBatch() { return m_pending.isEmpty() || WriteWithRecovery(true); }
    // The variable's walk ends before its last slot: what was written so
    // far is kept, as every slot before it. Always false.
    bool EndVariableEarly();
    void RecordWriteOutcome(const PendingSlot& slot);
    void ThrottlePerformance();
    void LogSessionStatistics();
    // False when a stop was requested meanwhile.
    bool WaitBeforeRetry(const QString& secondsKey, qint32 seconds);
    // Sleeps, but no longer than until a stop is requested.
    void Pause(qint64 milliseconds);
    // Whether the run must end here for a stop request (then it says so).
    bool Stopping();
    bool Setting(const QString& key) const;

    CommonGlobals& m_globals;
    std::unique_ptr<CustomSource>& m_keptSource;
    CommonTypeVar m_variables;
    CommonVarGatherer* m_gatherer = nullptr;
    CustomSource* m_source = nullptr;
    std::unique_ptr<CommonFacilityWriter> m_writer;
    bool m_testMode = false;
    QElapsedTimer m_elapsed;
    qint32 m_batchSlots = 1;
    QList<PendingSlot> m_pending;
    // How many slots of the open batch the connection holds, and where the
    // last try failed (the batch's size when no slot's write did).
    qsizetype m_writtenPending = 0;
    qsizetype m_failedAt = 0;
    ImportTimings m_timings;
    DiffReport* m_diff = nullptr;
    bool m_onlyMissingRows = false;
    // The counts the session statistics do not keep, and the facilities.
    ImportStatistics m_statistics;

    qint32 m_logicalWrites = 0;
    qint32 m_physicalWrites = 0;
    qint32 m_skippedWrites = 0;
    qint32 m_physicalReads = 0;
    qint32 m_sourceConnectionFailures = 0;
    qint32 m_targetConnectionFailures = 0;
    qint32 m_attemptedVariables = 0;
    qint32 m_variablesFailingValidation = 0;
};
