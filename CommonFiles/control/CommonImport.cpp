#include "CommonFiles/control/CommonImport.h"

#include "CommonFiles/collector/CommonTypeDateManager.h"
#include "CommonFiles/collector/CommonVarGatherer.h"
#include "CommonFiles/control/DiffReport.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/target/CommonFacilityWriter.h"
#include "CommonFiles/target/VarTypeFunctions.h"
#include "platform/Conversions.h"
#include "platform/NumberedError.h"
#include "platform/Rounding.h"
#include "source/CustomSource.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <cmath>
#include <utility>

namespace Keys = ConfigurationKeyNames;

namespace {

constexpr qint16 kNoRounding = 9999;
constexpr double kShortestElapsed = 0.00001;
// Waits are slept in steps this long, so a stop request is not slept
// through.
constexpr qint64 kPauseStepMilliseconds = 50;

QString Number(double value)
{
    return Conversions::NumberText(value);
}

QString VariableName(const CommonTypeVarRec& record)
{
    return record.gName() + " (#" + QString::number(record.gNumber()) + ")";
}

// Slots written in one transaction, 1 to 10,000; a setting that is not a
// number gives the default.
qint32 BatchSlots(const QELConfiguration& config)
{
    constexpr qint32 kDefaultBatchSlots = 500;
    return Conversions::ClampedInt32(config.item(Keys::Performance::kWriteBatchSlots), 1, 10000, kDefaultBatchSlots);
}

}  // namespace

CommonImport::CommonImport(CommonGlobals& globals, std::unique_ptr<CustomSource>& source)
    : m_globals(globals), m_keptSource(source), m_variables(globals)
{
}

CommonImport::~CommonImport() = default;

bool CommonImport::Setting(const QString& key) const
{
    return Conversions::ToBoolean(m_globals.config().item(key));
}

bool CommonImport::StartImport(CommonVarGatherer& aVarGatgerer, bool TestMode)
{
    m_gatherer = &aVarGatgerer;
    m_testMode = TestMode;
    std::unique_ptr<CustomSource>& source = m_keptSource;
    if (!source || !Setting(Keys::Source::kStaticCommonImport)) {
        m_globals.log().WriteLog("StartImport: Custom Source Reset", 0);
        source = std::make_unique<CustomSource>(m_globals);
    }
    m_source = source.get();
    if (!m_variables.ReadKorvelOrvex(aVarGatgerer))
        return false;
    m_globals.setWriteAsUser(aVarGatgerer.CollectorWriteAsUser().trimmed());
    m_batchSlots = BatchSlots(m_globals.config());
    // A monotonic clock: a run across midnight or a clock change reports its
    // true length.
    m_elapsed.start();
    try {
        for (aVarGatgerer.MoveFirst(); !aVarGatgerer.EOF_Facility(); aVarGatgerer.MoveNext_Facility()) {
            // A facility that could not be read is not walked: its last-run
            // date must stay where it is.
            if (aVarGatgerer.UnreadableFacilities().contains(aVarGatgerer.Current_Facility()))
                continue;
            if (!ImportMeasuredFacility(aVarGatgerer.Current_Facility())) {
                LogSessionStatistics();
                return false;
            }
        }
    } catch (const NumberedError& error) {
        m_globals.WriteActivity("Import stopped by an unexpected error " + error.Text(), 0);
        LogSessionStatistics();
        return false;
    }
    LogSessionStatistics();
    return aVarGatgerer.UnreadableFacilities().isEmpty();
}

ImportStatistics CommonImport::Statistics() const
{
    ImportStatistics statistics = m_statistics;
    statistics.slotsRead = m_physicalReads;
    statistics.slotsWritten = m_physicalWrites;
    statistics.slotsRefused = m_skippedWrites;
    statistics.sourceConnectionFailures = m_sourceConnectionFailures;
    statistics.targetConnectionFailures = m_targetConnectionFailures;
    return statistics;
}

bool CommonImport::ImportMeasuredFacility(const QString& facility)
{
    QElapsedTimer timer;
    timer.start();
    m_statistics.facilities.append({facility, m_gatherer->FacilID2FacilNameHash.Item(facility), {}, 0});
    const bool walked = ImportFacility(facility);
    m_statistics.facilities.last().seconds = timer.nsecsElapsed() / 1e9;
    return walked;
}

bool CommonImport::ImportFacility(const QString& facility)
{
    if (Stopping())
        return false;
    CommonLastRun& lastRun = m_gatherer->LookupLastRun;
    const DateTime end = lastRun.enddate(facility);
    const QString name = m_gatherer->FacilID2FacilNameHash.Item(facility);
    m_globals.WriteActivity("Processing facility '" + name + "' (" + facility + ")", 0);
    // A dry run walks what the import walks; the slots the lock date keeps
    // out are only summed up.
    if (m_diff && lastRun.RequestedStartDate(facility) < lastRun.LockDate(facility))
        m_diff->AddLockedBefore(facility, name, lastRun.LockDate(facility));
    if (lastRun.ViolatesLockDate(facility)) {
        m_globals.WriteActivity("Unable to import into '" + name +
                                    "' because selected date range violates Lock Date of " +
                                    lastRun.LockDate(facility).generalDate(),
                                0);
        return true;
    }
    DateTime start = lastRun.startdate(facility);
    const qint32 shift = Conversions::ToInt32(m_globals.config().item(Keys::AutomatedImport::kStartDateShiftMinute));
    if (shift != 0)
        start = start.addMinutes(shift);
    m_source->PrepareForNextFacility(m_gatherer->CollectorTimeZoneOffset(), m_gatherer->CollectorTimeZoneOffset(),
                                     m_gatherer->InterfaceTimezoneOffset());
    m_globals.WriteActivity("Date Range for import into " + facility + " is set to " +
                                start.format("mm/dd/yyyy HH:nn:ss") + " to " + end.format("mm/dd/yyyy HH:nn:ss"),
                            0);
    m_writer = std::make_unique<CommonFacilityWriter>(m_globals);
    m_writer->setFacilID(facility);
    m_writer->setLockDate(lastRun.LockDate(facility));
    m_writer->setTestMode(m_testMode);
    m_writer->setBatching(m_batchSlots > 1);
    m_writer->setTimings(&m_timings);
    for (; !m_gatherer->EOF_Variable(); m_gatherer->MoveNext_Variable()) {
        const auto record = m_variables.GetVarRecord(facility, m_gatherer->Current_Variable());
        if (record && !ImportVariable(record, start, end))
            return false;
    }
    if (m_globals.serviceMode() && !m_source->HoldLastRunDate()) {
        if (lastRun.PersistLastRunDate(m_gatherer->CollectorID(), facility, end))
            m_statistics.facilities.last().storedLastRun = end;
        else
            m_globals.WriteActivity("WARNING : Unable to persist Last Run Date " + end.generalDate(), 0);
    }
    m_writer.reset();
    return true;
}

void CommonImport::PrepareSourceFor(const CommonTypeVarRec& record)
{
    m_source->PrepareForNextVariable();
    m_source->setDeadBand(record.gDeadBand());
    m_source->setFilterOp(record.gFilterOperand());
    m_source->setFilterTag(record.gFilterTag());
    m_source->setFilterValue(Number(record.gFilterValue()));
    m_source->setHighRangeFilter(record.gHighRangeFilter());
    m_source->setLowRangeFilter(record.gLowRangeFilter());
    m_source->setSourceStatistic(record.gScadaStat());
    m_source->setSourceTag(record.gScadaTag());
}

bool CommonImport::ImportVariable(const std::shared_ptr<const CommonTypeVarRec>& shared, const DateTime& start,
                                  const DateTime& end)
{
    const CommonTypeVarRec& record = *shared;
    const QString variable = VariableName(record);
    m_globals.WriteActivity("Processing " + variable, 0);
    PrepareSourceFor(record);
    ++m_attemptedVariables;
    CommonTypeDateManager cuts;
    if (!cuts.Init(start, end, shared, m_gatherer->CollectorTimeZoneOffset(), m_globals.config())) {
        // Whole-minute slots cannot hold values that change every second.
        m_globals.WriteActivity("Variables with a one-second interval are not imported: " + variable, 0);
        return true;
    }
    if (!m_source->Validate()) {
        m_globals.WriteActivity("Validation failed for " + variable + ". Skipping import for this variable.", 0);
        ++m_variablesFailingValidation;
        return true;
    }
    for (; !cuts.Eof(); cuts.MoveNext()) {
        // What was written before a stop or a source that cannot be read
        // is kept, as every slot before it.
        if (Stopping())
            return EndVariableEarly();
        if (!record.gScadaTag().isEmpty()) {
            m_source->setStartdate(cuts.SlotStart());
            m_source->setEnddate(cuts.SlotEnd());
            QVariant value;
            if (!ReadSourceValue(record, value))
                return EndVariableEarly();
            const bool written = value.isValid() && !value.isNull();
            if (written && !WriteSlotValue(value, record, SlotDatestamp(cuts)))
                return false;
            if (!written && !SkipNoValue(record, SlotDatestamp(cuts)))
                return false;
        }
        if (Setting(Keys::Performance::kThrottle)) {
            if (!FlushBatch())
                return false;
            ThrottlePerformance();
        }
    }
    return FlushBatch();
}

bool CommonImport::EndVariableEarly()
{
    FlushBatch();
    return false;
}

bool CommonImport::Stopping()
{
    if (!m_globals.StopRequested())
        return false;
    m_globals.WriteActivity("Stop requested; the import ends at this slot.", 0);
    return true;
}

void CommonImport::Pause(qint64 milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!m_globals.StopRequested() && !deadline.hasExpired())
        QThread::msleep(static_cast<unsigned long>(qMin(kPauseStepMilliseconds, deadline.remainingTime())));
}

bool CommonImport::WaitBeforeRetry(const QString& secondsKey, qint32 seconds)
{
    m_globals.WriteActivity(
        "Waiting for " + m_globals.config().item(secondsKey) + " seconds before attempting to re-connect ... ", 1);
    Pause(static_cast<qint64>(qMax(0, seconds)) * 1000);
    QCoreApplication::processEvents();
    return !Stopping();
}

bool CommonImport::ReadSourceValue(const CommonTypeVarRec& record, QVariant& value)
{
    const qint32 attempts = Conversions::ToInt32(m_globals.config().item(Keys::Source::kRecoveryAttempts));
    const qint32 seconds = Conversions::ToInt32(m_globals.config().item(Keys::Source::kRecoverySeconds));
    const bool text = VarTypeFunctions::IsTextType(record.gVarType());
    for (qint32 i = 1; i <= attempts; ++i) {
        bool executionError = false;
        if (m_globals.log().Writes(3))
            m_globals.log().WriteLog((text ? "TXT_Query(): " : "DBL_Query(): ") + m_source->LogCustomSourceQuery(), 3);
        ImportTimings::Span read(&m_timings, ImportTimings::Kind::SourceRead);
        value = text ? m_source->GetTextResult(executionError) : m_source->GetDoubleResult(executionError);
        read.Stop();
        if (!executionError) {
            ++m_physicalReads;
            return true;
        }
        ++m_sourceConnectionFailures;
        if (!FlushBatch())
            return false;
        m_globals.WriteActivity("Connection error occured while communicating with source. Will attempt to "
                                "re-connect to source for " +
                                    QString::number(attempts - i + 1) + " times",
                                1);
        if (!Setting(Keys::Source::kStaticCommonImport))
            m_source->DestroyConnection();
        if (!WaitBeforeRetry(Keys::Source::kRecoverySeconds, seconds))
            return false;
    }
    m_globals.WriteActivity("Unable to connect to source.", 0);
    return false;
}

DateTime CommonImport::SlotDatestamp(const CommonTypeDateManager& cuts) const
{
    const DateTime datestamp = cuts.KorvelOrvexslotDateStamp();
    if (!Setting(Keys::KorvelOrvex::kIndirectType))
        return datestamp;
    return datestamp.addMinutes(std::llround(m_gatherer->CollectorTimeZoneOffset()));
}

QString CommonImport::FacilityName(const QString& facility) const
{
    return m_gatherer->FacilID2FacilNameHash.Item(facility);
}

bool CommonImport::PeekStored(const CommonTypeVarRec& record, const DateTime& datestamp, StoredRow& stored)
{
    return WithTargetRecovery(
        [&] { return WritePending() && m_writer->PeekStoredRow(record.gVarType(), record.gID(), datestamp, stored); });
}

bool CommonImport::TellNoValue(const CommonTypeVarRec& record, const DateTime& datestamp, const QString& reason)
{
    StoredRow stored;
    if (!PeekStored(record, datestamp, stored))
        return false;
    const DateTime slot = CommonFacilityWriter::RowDateOf(record.gVarType(), datestamp);
    m_diff->AddNoValue(DiffReport::Slot(record, FacilityName(record.gFacilID()), slot, stored), reason);
    return true;
}

bool CommonImport::SkipSlot(const CommonTypeVarRec& record, const DateTime& datestamp, const QString& reason)
{
    ++m_statistics.slotsSkipped;
    return !m_diff || TellNoValue(record, datestamp, reason);
}

bool CommonImport::SkipNoValue(const CommonTypeVarRec& record, const DateTime& datestamp)
{
    const QString& reason = m_source->NoValueReason();
    if (reason == CustomSource::kNoFileDate && m_source->PastDay())
        ++m_statistics.slotsNoFileDate;
    return SkipSlot(record, datestamp, reason);
}

void CommonImport::TellDecision(const PendingSlot& slot)
{
    const CommonTypeVarRec& record = *slot.record;
    SlotDecision decision = DiffReport::Slot(record, FacilityName(record.gFacilID()), slot.writeDateStamp, slot.stored);
    decision.newValue = slot.text;
    if (slot.locked)
        m_diff->AddLocked(std::move(decision), m_gatherer->LookupLastRun.LockDate(record.gFacilID()));
    else if (slot.refused)
        m_diff->AddKept(std::move(decision));
    else
        m_diff->AddWritten(std::move(decision));
}

bool CommonImport::WriteSlotValue(const QVariant& value, const CommonTypeVarRec& record, const DateTime& datestamp)
{
    double number = 1;
    QString text = value.toString();
    if (!VarTypeFunctions::IsTextType(record.gVarType())) {
        if (!Conversions::IsNumeric(text)) {
            // Not a number: this slot cannot be stored, the rest still can.
            m_globals.WriteActivity("Value '" + text + "' of " + VariableName(record) + " at " +
                                        datestamp.format("mm/dd/yyyy HH:nn:ss") +
                                        " is not a number. The slot is skipped.",
                                    0);
            return SkipSlot(record, datestamp, "not a number");
        }
        number = Conversions::ToDouble(text) * record.gScadaFactor();
        if (!std::isfinite(number))
            return SkipSlot(record, datestamp, "not a number");
        if (record.gDecPlaces() != kNoRounding)
            number = Rounding::RoundTo(number, record.gDecPlaces());
        text = Number(number);
    }
    if (m_onlyMissingRows) {
        StoredRow stored;
        if (!PeekStored(record, datestamp, stored))
            return false;
        if (stored.found)
            return true;
    }
    PendingSlot& slot = m_pending.emplace_back();
    slot.record = &record;
    slot.datestamp = datestamp;
    slot.number = number;
    slot.text = text;
    return WriteWithRecovery(m_pending.size() >= m_batchSlots);
}

bool CommonImport::WriteWithRecovery(bool commit)
{
    return WithTargetRecovery([this, commit] { return WritePending() && (!commit || CommitPending()); });
}

bool CommonImport::WithTargetRecovery(const std::function<bool()>& step)
{
    const qint32 attempts = Conversions::ToInt32(m_globals.config().item(Keys::Target::kRecoveryAttempts));
    const qint32 seconds = Conversions::ToInt32(m_globals.config().item(Keys::Target::kRecoverySeconds));
    // The furthest slot of the batch that any attempt failed at.
    qsizetype failedAt = 0;
    for (qint32 i = 1; i <= attempts; ++i) {
        m_failedAt = m_pending.size();
        if (step())
            return true;
        failedAt = qMax(failedAt, m_failedAt);
        ++m_targetConnectionFailures;
        m_globals.WriteActivity("Connection error occured while communicating with Korvel Orvex. Will attempt to "
                                "re-connect to source for " +
                                    QString::number(attempts - i + 1) + " times",
                                1);
        // The open batch is undone with the connection; it is written
        // again before the step is tried again.
        m_writer->DestroyConnection();
        m_writtenPending = 0;
        if (!WaitBeforeRetry(Keys::Target::kRecoverySeconds, seconds)) {
            KeepBeforeFailure(failedAt, false);
            return false;
        }
    }
    KeepBeforeFailure(failedAt, true);
    m_globals.WriteActivity("Unable to connect to Korvel Orvex.", 0);
    return false;
}

// Written one at a time, the slots before the one that failed would be
// stored, told and counted by now: they are written again and committed
// one by one, so that a batch keeps exactly what slot-by-slot writing
// keeps. A commit that failed names no slot; then each slot is tried in
// turn until one fails.
void CommonImport::KeepBeforeFailure(qsizetype failedAt, bool countFailed)
{
    const QList<PendingSlot> batch = std::exchange(m_pending, {});
    qsizetype kept = 0;
    for (; kept < failedAt && kept < batch.size(); ++kept) {
        m_pending = {batch[kept]};
        if (!WritePending() || !CommitPending()) {
            m_writer->DestroyConnection();
            break;
        }
    }
    m_pending.clear();
    m_writtenPending = 0;
    if (countFailed)
        m_statistics.slotsFailed += batch.size() - kept;
}

bool CommonImport::WritePending()
{
    for (; m_writtenPending < m_pending.size(); ++m_writtenPending) {
        PendingSlot& slot = m_pending[m_writtenPending];
        const CommonTypeVarRec& record = *slot.record;
        if (m_globals.log().Writes(9))
            m_globals.log().WriteLog("About to write " + record.gVarType() + " " + QString::number(record.gID()) + " " +
                                         slot.datestamp.generalDate() + " " + Number(slot.number) + " " + slot.text +
                                         " " + QString::number(record.gDataApproval()),
                                     9);
        if (!WriteSlot(slot)) {
            m_failedAt = m_writtenPending;
            return false;
        }
    }
    return true;
}

bool CommonImport::WriteSlot(PendingSlot& slot)
{
    const CommonTypeVarRec& record = *slot.record;
    if (!m_writer->WriteToKorvelOrvex(record.gVarType(), record.gID(), slot.datestamp, slot.number, slot.text,
                                      record.gDataApproval(), nullptr))
        return false;
    slot.logical = m_writer->PerfromedLogicalWrite;
    slot.physical = m_writer->PerfromedPhysicalWrite;
    slot.refused = m_writer->ApprovalLevelDisabledWrite;
    slot.withoutStatus = m_writer->StoredRowWithoutStatus;
    slot.locked = m_writer->LockDateDisabledWrite;
    slot.stored = m_writer->StoredRowSeen;
    slot.writeDateStamp = m_writer->PerfromedWriteDateStamp;
    // The lock date refuses before the stored row is read; a dry run
    // reads it all the same, to tell a locked gap from a locked row.
    return !m_diff || !slot.locked ||
        m_writer->PeekStoredRow(record.gVarType(), record.gID(), slot.datestamp, slot.stored);
}

// Only a committed write is told and counted: a batch that fails is written
// again, and its slots must not count twice.
bool CommonImport::CommitPending()
{
    if (!m_writer->CommitBatch())
        return false;
    for (const PendingSlot& slot : m_pending)
        RecordWriteOutcome(slot);
    m_pending.clear();
    m_writtenPending = 0;
    return true;
}

void CommonImport::RecordWriteOutcome(const PendingSlot& slot)
{
    if (m_diff)
        TellDecision(slot);
    const CommonTypeVarRec& record = *slot.record;
    const QString line = "Wrote " + slot.writeDateStamp.format("mm/dd/yyyy HH:nn") + "  " + record.gFacilID() + ":" +
        QString::number(record.gNumber()) + "\t" + record.gName() + "\t" + slot.text + " " + record.gUnits();
    if (slot.logical) {
        ++m_logicalWrites;
        m_globals.WriteActivity(line, 0);
    }
    if (slot.physical)
        ++m_physicalWrites;
    if (!slot.refused)
        return;
    ++m_skippedWrites;
    if (slot.withoutStatus)
        m_globals.WriteActivity("The stored row of " + VariableName(record) + " in " + record.gFacilID() + " at " +
                                    slot.writeDateStamp.format("mm/dd/yyyy HH:nn:ss") +
                                    " has no status; it is kept and the slot is skipped.",
                                0);
    else
        m_globals.WriteActivity(
            "Approval Level of Data (Or Lock Date) disallowed interface to write record '" + line + "'", 1);
}

void CommonImport::ThrottlePerformance()
{
    QELLoggerTXT& log = m_globals.log();
    const QString prefix = "Error in ThrottlePerformance : Artificial Wait between Source Polling ";
    try {
        const QString wait = m_globals.config().item(Keys::Performance::kPollWait);
        if (!Conversions::IsNumeric(wait)) {
            m_globals.WriteActivity(prefix +
                                        "needs to be a whole number between 1 and 9999. Artificial Wait between "
                                        "Source Polling is: 0",
                                    0);
            return;
        }
        const double w = Conversions::ToDouble(wait);
        const QString shown = Number(w);
        const QString is = ". Artificial Wait between Source Polling is: " + shown;
        if (shown.contains('.')) {
            m_globals.WriteActivity(prefix + "needs to be a whole number" + is, 0);
        } else if (w > 9999) {
            m_globals.WriteActivity(prefix + "is not less than 10,000" + is, 0);
        } else if (w < 1) {
            m_globals.WriteActivity(prefix + "is not greater than 0" + is, 0);
        } else {
            log.WriteLog("Throttle = True. System will sleep " + shown + " milliseconds between queries.", 9);
            const bool before = Setting(Keys::Performance::kMsgBefore);
            log.WriteLog(
                QString(before ? "Processing" : "Skipping") +
                    " DoEvents before putting the system to sleep. MsgBefore = " + Conversions::BooleanText(before),
                9);
            if (before)
                QCoreApplication::processEvents();
            log.WriteLog("Program will sleep for " + shown + " milliseconds.", 9);
            Pause(static_cast<qint64>(w));
            const bool after = Setting(Keys::Performance::kMsgAfter);
            log.WriteLog(
                QString(after ? "Processing" : "Skipping") +
                    " DoEvents after putting the system to sleep. MsgAfter = " + Conversions::BooleanText(after),
                9);
            if (after)
                QCoreApplication::processEvents();
        }
    } catch (const NumberedError& error) {
        // A throttle that cannot be read does not stop the import.
        m_globals.log().WriteClearedError("CommonImport.ThrottlePerformance", error);
    }
}

void CommonImport::LogSessionStatistics()
{
    const double elapsed = qMax(kShortestElapsed, m_elapsed.isValid() ? m_elapsed.nsecsElapsed() / 1e9 : 0.0);
    const auto line = [this](const char* label, const QString& value) {
        m_globals.WriteActivity(" " + QString::fromLatin1(label) + "\t" + value, 0);
    };
    const auto count = [](qint32 n) { return QString::number(n); };
    m_globals.WriteActivity("Session Statistics :", 0);
    line("# of Physical Read Transactions   : ", count(m_physicalReads));
    line("# of Logical Write Transactions   : ", count(m_logicalWrites));
    line("# of Physical Write Transactions  : ", count(m_physicalWrites));
    line("# of Skipped Write Transactions   : ", count(m_skippedWrites));
    line("# of Source Connection Failures   : ", count(m_sourceConnectionFailures));
    line("# of Target Connection Failures   : ", count(m_targetConnectionFailures));
    line("# of Attempted Variables          : ", count(m_attemptedVariables));
    line("# of Variables to Fail Validation : ", count(m_variablesFailingValidation));
    line("# Seconds Elapsed                 : ", Number(Rounding::RoundTo(elapsed, 0)));
    line("# Read Transactions per Second    : ", Number(Rounding::RoundTo(m_physicalReads / elapsed, 2)));
    line("# Write Transactions  per Second  : ", Number(Rounding::RoundTo(m_logicalWrites / elapsed, 2)));
    m_globals.WriteActivity("", 0);
}
