#include "CommonFiles/target/CommonFacilityWriter.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/target/CommentsInt.h"
#include "CommonFiles/target/DataDDInt.h"
#include "CommonFiles/target/DatatblInt.h"
#include "CommonFiles/target/TargetConnections.h"
#include "CommonFiles/target/VarTypeFunctions.h"
#include "platform/NumberedError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/ErrorText.h"
#include "platform/ado/Recordset.h"

#include <cmath>

namespace {

constexpr int kCommentLimit = 2000;
const QString kAinfo = QStringLiteral("CommonFacilityWriter.WriteToKorvelOrvexainfo():");

DateTime WholeDay(const DateTime& d)
{
    return DateTime(std::trunc(d.days()));
}

template <typename Access> StoredRow SoughtRow(const Access& access, qint32 status, double value, const QString& text)
{
    StoredRow stored;
    stored.found = !access.NoMatch();
    stored.withoutStatus = stored.found && access.StatusIsNull();
    stored.status = status;
    stored.value = value;
    stored.text = text;
    return stored;
}

}  // namespace

CommonFacilityWriter::CommonFacilityWriter(CommonGlobals& globals)
    : m_globals(globals), m_timeUtils(globals.clock(), globals.log())
{
}

CommonFacilityWriter::~CommonFacilityWriter()
{
    DestroyConnection();
}

void CommonFacilityWriter::DestroyConnection()
{
    if (m_connection && m_inTransaction) {
        try {
            m_connection->RollbackTrans();
        } catch (const NumberedError& error) {
            // A connection that broke has nothing left to undo.
            m_globals.log().WriteClearedError("CommonFacilityWriter.DestroyConnection", error);
        }
    }
    m_inTransaction = false;
    m_proven = false;
    m_intervalAccess.clear();
    m_dailyAccess.reset();
    if (m_connection)
        m_connection->Close();
    m_connection.reset();
}

bool CommonFacilityWriter::OpenBatch()
{
    if (!m_batching || m_testMode || m_inTransaction)
        return true;
    try {
        m_connection->BeginTrans();
        m_inTransaction = true;
        return true;
    } catch (const NumberedError& error) {
        LogWriteError(error);
        return Proven(false);
    }
}

bool CommonFacilityWriter::CommitBatch()
{
    if (!m_inTransaction)
        return true;
    const ImportTimings::Span commit(m_timings, ImportTimings::Kind::Commit);
    try {
        m_connection->CommitTrans();
        m_inTransaction = false;
        return true;
    } catch (const NumberedError& error) {
        LogWriteError(error);
        return false;
    }
}

DataDDInt& CommonFacilityWriter::IntervalAccess(qint32 intervalsPerDay)
{
    std::unique_ptr<DataDDInt>& kept = m_intervalAccess[intervalsPerDay];
    if (!kept) {
        auto access = std::make_unique<DataDDInt>(m_globals);
        access->ConnectTo(*m_connection, intervalsPerDay);
        kept = std::move(access);
    }
    return *kept;
}

DatatblInt& CommonFacilityWriter::DailyAccess()
{
    if (!m_dailyAccess) {
        m_dailyAccess = std::make_unique<DatatblInt>(m_globals);
        m_dailyAccess->Connect(*m_connection);
    }
    return *m_dailyAccess;
}

bool CommonFacilityWriter::Proven(bool succeeded)
{
    m_proven = succeeded;
    return succeeded;
}

bool CommonFacilityWriter::OpenWriterConnection()
{
    auto connection = std::make_unique<ado::Connection>();
    if (!TargetConnections(m_globals).ConfigureConnection(*connection, m_facilID))
        return false;
    try {
        connection->Open();
    } catch (const NumberedError&) {
        const ado::Error first = connection->Errors().value(0);
        m_globals.WriteActivity("Unable to Open Connection to Korvel Orvex. Error : " + QString::number(first.number) +
                                    " - " + first.description,
                                1);
        return false;
    }
    m_connection = std::move(connection);
    return true;
}

bool CommonFacilityWriter::EnsureConnection()
{
    if (!m_connection && !OpenWriterConnection())
        return false;
    return m_proven || ConnectionAlive();
}

bool CommonFacilityWriter::ConnectionAlive()
{
    if (!m_connection)
        return false;
    const ImportTimings::Span liveness(m_timings, ImportTimings::Kind::Liveness);
    try {
        ado::Recordset count;
        count.Open("select count(id) from approvalini", *m_connection);
        count.Fields(0).toInt();
        return true;
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("CommonFacilityWriter.ConnectionAlive", error);
        return false;
    }
}

bool CommonFacilityWriter::Unwritable() const
{
    return m_facilID.isEmpty() || m_lockDate.days() == 0.0;
}

bool CommonFacilityWriter::Refuse(const DateTime& rowDate)
{
    ApprovalLevelDisabledWrite = true;
    PerfromedWriteDateStamp = rowDate;
    return true;
}

bool CommonFacilityWriter::RefusedByLockDate(const DateTime& rowDate)
{
    LockDateDisabledWrite = rowDate < m_lockDate;
    return LockDateDisabledWrite && Refuse(rowDate);
}

bool CommonFacilityWriter::RefusedByStoredRow(const StoredRow& stored, qint32 ApprovalLevel, const DateTime& rowDate)
{
    StoredRowSeen = stored;
    if (!stored.found)
        return false;
    StoredRowWithoutStatus = stored.withoutStatus;
    return (StoredRowWithoutStatus || ApprovalLevel < stored.status) && Refuse(rowDate);
}

StoredRow CommonFacilityWriter::StoredIntervalRow(DataDDInt& access, qint32 VarId, const DateTime& rowDate)
{
    DateTime found;
    double value = 0;
    QString text;
    QString user;
    DateTime stamp;
    qint32 status = 0;
    const ImportTimings::Span seek(m_timings, ImportTimings::Kind::Seek);
    access.SeekData(rowDate, VarId, found, value, text, &user, &stamp, &status);
    return SoughtRow(access, status, value, text);
}

StoredRow CommonFacilityWriter::StoredDailyRow(DatatblInt& daily, qint32 VarId, const DateTime& day)
{
    double value = 0;
    QString text;
    QString user;
    DateTime stamp;
    qint32 forced = 0;
    qint32 status = 0;
    const ImportTimings::Span seek(m_timings, ImportTimings::Kind::Seek);
    daily.SeekDateVarId(day, VarId, value, text, &user, &stamp, &forced, &status);
    return SoughtRow(daily, status, value, text);
}

DateTime CommonFacilityWriter::RowDateOf(const QString& VarType, const DateTime& Datestamp)
{
    return VarTypeFunctions::IsDailyType(VarType) ? WholeDay(Datestamp)
                                                  : VarTypeFunctions::SlotStartOf(Datestamp, VarType);
}

bool CommonFacilityWriter::PeekStoredRow(const QString& VarType, qint32 VarId, const DateTime& Datestamp,
                                         StoredRow& row)
{
    if (Unwritable() || !EnsureConnection())
        return false;
    const DateTime rowDate = RowDateOf(VarType, Datestamp);
    try {
        if (VarTypeFunctions::IsDailyType(VarType)) {
            row = StoredDailyRow(DailyAccess(), VarId, rowDate);
        } else {
            DataDDInt& access = IntervalAccess(VarTypeFunctions::IntervalsPerDay(VarType));
            row = StoredIntervalRow(access, VarId, rowDate);
        }
        return Proven(true);
    } catch (const NumberedError& error) {
        LogWriteError(error);
        return Proven(false);
    }
}

void CommonFacilityWriter::ResetOutcome()
{
    PerfromedPhysicalWrite = false;
    PerfromedLogicalWrite = false;
    ApprovalLevelDisabledWrite = false;
    StoredRowWithoutStatus = false;
    LockDateDisabledWrite = false;
    StoredRowSeen = {};
    PerfromedWriteDateStamp = DateTime::Zero();
}

void CommonFacilityWriter::Performed(const DateTime& rowDate, bool physical)
{
    PerfromedPhysicalWrite = physical;
    PerfromedWriteDateStamp = rowDate;
    PerfromedLogicalWrite = true;
}

void CommonFacilityWriter::LogWriteError(const NumberedError& error) const
{
    m_globals.log().WriteLog(error.Text(), 0);
}

bool CommonFacilityWriter::WriteToKorvelOrvex(const QString& VarType, qint32 VarId, const DateTime& Datestamp,
                                              double CurValue, const QString& TextValue, qint32 ApprovalLevel,
                                              const HashTable<QString>* AdditionalInfoHash)
{
    ResetOutcome();
    PerformedAINFOfieldsLogicalWrite = 0;
    PerformedAINFOfieldsPhysicalWrite = 0;
    if (Unwritable() || !EnsureConnection() || !OpenBatch())
        return false;
    const DateTime rowDate = RowDateOf(VarType, Datestamp);
    const bool result = VarTypeFunctions::IsDailyType(VarType)
        ? WriteDailyValue(VarId, rowDate, CurValue, TextValue, ApprovalLevel)
        : WriteIntervalValue(VarTypeFunctions::IntervalsPerDay(VarType), VarId, rowDate, CurValue, TextValue,
                             ApprovalLevel);
    Proven(result);
    if (result && AdditionalInfoHash && !ApprovalLevelDisabledWrite && AdditionalInfoHash->Count() > 0 &&
        !WriteToKorvelOrvexainfo(VarType, VarId, rowDate, *AdditionalInfoHash))
        m_globals.log().WriteLog("CommonFacilityWriter.WriteToKorvelOrvex() : WriteToKorvelOrvexainfo returned "
                                 "failure during write of Additional Info Fields",
                                 9);
    return result;
}

bool CommonFacilityWriter::WriteIntervalValue(qint32 intervalsPerDay, qint32 VarId, const DateTime& rowDate,
                                              double CurValue, const QString& TextValue, qint32 ApprovalLevel)
{
    if (RefusedByLockDate(rowDate))
        return true;
    try {
        DataDDInt& access = IntervalAccess(intervalsPerDay);
        if (RefusedByStoredRow(StoredIntervalRow(access, VarId, rowDate), ApprovalLevel, rowDate))
            return true;
        if (!m_testMode) {
            m_globals.log().WriteLog("Writing DD Value to database.", 9);
            const ImportTimings::Span write(m_timings, ImportTimings::Kind::Write);
            access.WriteData(rowDate, rowDate, VarId, CurValue, TextValue, ApprovalLevel);
        }
        Performed(rowDate, !m_testMode);
        return true;
    } catch (const NumberedError& error) {
        LogWriteError(error);
        return false;
    }
}

bool CommonFacilityWriter::WriteDailyValue(qint32 VarId, const DateTime& day, double CurValue, const QString& TextValue,
                                           qint32 ApprovalLevel)
{
    if (RefusedByLockDate(day))
        return true;
    try {
        DatatblInt& daily = DailyAccess();
        if (RefusedByStoredRow(StoredDailyRow(daily, VarId, day), ApprovalLevel, day))
            return true;
        if (!m_testMode) {
            const ImportTimings::Span write(m_timings, ImportTimings::Kind::Write);
            daily.WriteData(day, VarId, CurValue, TextValue, ApprovalLevel);
        }
        Performed(day, !m_testMode);
        return true;
    } catch (const NumberedError& error) {
        LogWriteError(error);
        return false;
    }
}

bool CommonFacilityWriter::WriteCOMtoKorvelOrvex(const QString& VarType, qint32 VarId, const DateTime& Datestamp,
                                                 const QString& TextValue)
{
    ResetOutcome();
    if (Unwritable() || !EnsureConnection())
        return false;
    const QString comment = TextValue.left(kCommentLimit);
    if (VarTypeFunctions::IsDailyType(VarType))
        return WriteDailyComment(VarId, WholeDay(Datestamp), comment);
    return WriteIntervalComment(VarTypeFunctions::IntervalsPerDay(VarType), VarId,
                                VarTypeFunctions::SlotStartOf(Datestamp, VarType), comment);
}

bool CommonFacilityWriter::WriteDailyComment(qint32 VarId, const DateTime& day, const QString& comment)
{
    if (RefusedByLockDate(day))
        return true;
    try {
        CommentsInt comments(m_globals);
        comments.Connect(*m_connection);
        if (!m_testMode)
            comments.WriteData(day, VarId, comment);
        Performed(day, !m_testMode);
        return true;
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("CommonFacilityWriter.WriteDailyComment", error);
        return false;
    }
}

bool CommonFacilityWriter::WriteIntervalComment(qint32 intervalsPerDay, qint32 VarId, const DateTime& slotStart,
                                                const QString& comment)
{
    if (RefusedByLockDate(slotStart))
        return true;
    try {
        DataDDInt& access = IntervalAccess(intervalsPerDay);
        if (!m_testMode)
            access.WriteComment(slotStart, slotStart, VarId, comment);
        Performed(slotStart, !m_testMode);
        return true;
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("CommonFacilityWriter.WriteIntervalComment", error);
        return false;
    }
}

bool CommonFacilityWriter::WriteToKorvelOrvexainfo(const QString& VarType, qint32 VarId, const DateTime& Datestamp,
                                                   const HashTable<QString>& AdditionalInfoHash)
{
    PerformedAINFOfieldsLogicalWrite = 0;
    PerformedAINFOfieldsPhysicalWrite = 0;
    QString key;
    QString value;
    try {
        if (!m_connection && !OpenWriterConnection())
            throw ado::kConnectionUnusable.error();
        // The table name comes from the type code's fixed list; the values
        // are bound.
        ado::Recordset row;
        row.Open("select * from " + VarTypeFunctions::IntervalTableName(VarType) + "_I where varid=? and datestamp=?",
                 *m_connection, ado::CursorType::Static, ado::LockType::Optimistic,
                 {VarId, QVariant::fromValue(Datestamp)}, {"varid", "datestamp"});
        if (row.Eof()) {
            row.AddNew();
            row.setField("datestamp", QVariant::fromValue(Datestamp));
            row.setField("varid", VarId);
        }
        row.setField("audituser", m_globals.AuditUserName());
        row.setField("audittimestamp", QVariant::fromValue(m_timeUtils.ServerNow()));
        const QStringList keys = AdditionalInfoHash.Keys();
        for (const QString& field : keys) {
            key = field;
            value = AdditionalInfoHash.Item(field);
            row.setField(field, value.isEmpty() ? QVariant() : QVariant(value));
        }
        if (!m_testMode)
            row.Update();
        row.Close();
        PerformedAINFOfieldsLogicalWrite = static_cast<qint16>(AdditionalInfoHash.Count());
        if (!m_testMode)
            PerformedAINFOfieldsPhysicalWrite = static_cast<qint16>(AdditionalInfoHash.Count());
        LogKeyedTable(
            AdditionalInfoHash,
            m_testMode ? "(Test) Wrote Additional Info [Field] Value :" : "Wrote Additional Info [Field] Value :", 5);
        return true;
    } catch (const NumberedError& error) {
        DumpAdditionalInfoError(error, key, value, VarId, Datestamp, AdditionalInfoHash);
        return false;
    }
}

void CommonFacilityWriter::DumpAdditionalInfoError(const NumberedError& error, const QString& key, const QString& value,
                                                   qint32 VarId, const DateTime& Datestamp,
                                                   const HashTable<QString>& table) const
{
    QELLoggerTXT& log = m_globals.log();
    log.WriteLog(kAinfo + "  Error Handler dump BEGIN --------------------------", 9);
    log.WriteLog(kAinfo + "  WHEN_KEY = " + key + ", WHEN_VALUE = " + value, 9);
    log.WriteLog(kAinfo + "  WHEN_FACILID = " + m_facilID + ", WHEN_VARID = " + QString::number(VarId) +
                     ", WHEN_DATESTAMP = " + Datestamp.generalDate(),
                 9);
    if (error.number() > 0)
        log.WriteLog(kAinfo + " Generic Error # " + QString::number(error.number()) + " - '" + error.description() +
                         " ' occured",
                     0);
    const QList<ado::Error> errors = m_connection ? m_connection->Errors() : QList<ado::Error>();
    for (qsizetype i = 0; i < errors.size(); ++i)
        log.WriteLog(kAinfo + " Connection Error (" + QString::number(i) + ") # " + QString::number(errors[i].number) +
                         " - '" + errors[i].description + " ' occured",
                     0);
    LogKeyedTable(table, kAinfo + " HASH_DUMP : ", 9);
    log.WriteLog(kAinfo + "  Error Handler dump END   --------------------------", 9);
}

void CommonFacilityWriter::LogKeyedTable(const HashTable<QString>& table, const QString& prefix, int level) const
{
    const QStringList keys = table.Keys();
    for (const QString& key : keys)
        m_globals.log().WriteLog(prefix + " [" + key + "] " + table.Item(key), level);
}

bool CommonFacilityWriter::WriteToLogbook(qint32 InLogBookID, const DateTime& InDateStamp, const DateTime& InTimeStamp,
                                          const QString& InComment, qint32 InDefaultLogBookId)
{
    if (InComment.trimmed().isEmpty())
        return true;
    try {
        if (!m_connection && !OpenWriterConnection())
            throw ado::kConnectionUnusable.error();
        const qint32 logbook = LogbookExists(InLogBookID) ? InLogBookID
            : LogbookExists(InDefaultLogBookId)           ? InDefaultLogBookId
                                                          : 0;
        ado::Recordset entry;
        entry.Open("select * from logbookentries where lbid=-1", *m_connection, ado::CursorType::Static,
                   ado::LockType::Pessimistic);
        entry.AddNew();
        entry.setField("comment", InComment);
        entry.setField("timestamp", QVariant::fromValue(InTimeStamp));
        entry.setField("datestamp", QVariant::fromValue(InDateStamp));
        entry.setField("lbid", logbook);
        entry.setField("audituser", m_globals.AuditUserName());
        entry.setField("audittimestamp", QVariant::fromValue(m_globals.clock().now()));
        entry.Update();
        return true;
    } catch (const NumberedError& error) {
        m_globals.WriteActivity("Error in WriteToLogbook: " + error.Text(), 0);
        return false;
    }
}

bool CommonFacilityWriter::LogbookExists(qint32 id)
{
    try {
        ado::Recordset row;
        row.Open("select id from logbook where id=?", *m_connection, ado::CursorType::Static, ado::LockType::ReadOnly,
                 {id});
        return !row.Eof();
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("CommonFacilityWriter.LogbookExists", error);
        return false;
    }
}
