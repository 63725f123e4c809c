#include "CommonFiles/collector/CommonLastRun.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/target/TargetConnections.h"
#include "platform/Conversions.h"
#include "platform/NumberedError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/ErrorText.h"
#include "platform/ado/Recordset.h"

namespace Keys = ConfigurationKeyNames;

namespace {

const DateTime kNoLock = DateTime::FromParts(1970, 1, 1);

}  // namespace

CommonLastRun::CommonLastRun(CommonGlobals& globals)
    : m_globals(&globals), m_defaultStart(globals.clock().now()), m_defaultEnd(m_defaultStart)
{
}

DateTime CommonLastRun::StoredDate(const QString& text)
{
    const auto date = DateTime::FromText(text);
    if (!date)
        throw ado::kTypeMismatch.error();
    return *date;
}

bool CommonLastRun::ReadKorvelOrvex(qint32 interface_id, ado::Connection& aRootCNN)
{
    m_lastRunDates = HashTable<QString>();
    m_lastRunDates.SetSize(2048, 2048, 1024);
    if (!m_globals->serviceMode())
        return true;
    try {
        ado::Recordset rows;
        rows.Open("Select Filename,lastrun from k5_server_run where interface_id = ?", aRootCNN,
                  ado::CursorType::Static, ado::LockType::ReadOnly, {interface_id});
        for (; !rows.Eof(); rows.MoveNext()) {
            const QString facility = rows.Fields("Filename").toString();
            const ado::FieldValue lastRun = rows.Fields("lastrun");
            // A row that holds no date is taken as no row, so the facility
            // and those after it are still imported, from the default date.
            if (!lastRun.toDateTime()) {
                m_globals->WriteActivity("WARNING : The Last Run Date for facility " + facility +
                                             " is not a date; the default last-run date is used.",
                                         0);
                continue;
            }
            m_lastRunDates.Add(facility, lastRun.toString());
            m_globals->log().WriteLog(
                "Last Run Date for facility " + facility + " was detected to be " + lastRun.toString(), 0);
        }
        return true;
    } catch (const NumberedError& error) {
        m_globals->log().WriteClearedError("CommonLastRun.ReadKorvelOrvex", error);
        return false;
    }
}

bool CommonLastRun::ReadKorvelOrvexFacilLockDates(const QString& RequestedFacilityTilda)
{
    const QStringList facilities = RequestedFacilityTilda.split('~', Qt::SkipEmptyParts);
    for (const QString& facility : facilities) {
        DateTime lockDate;
        if (!ReadFacilityLockDate(facility, lockDate))
            return false;
        m_lockDates.setItem(facility.toUpper(), lockDate.generalDate());
    }
    return true;
}

bool CommonLastRun::ReadFacilityLockDate(const QString& facilityKey, DateTime& lockDate)
{
    lockDate = kNoLock;
    ado::Connection connection;
    if (!TargetConnections(*m_globals).ConfigureConnection(connection, facilityKey))
        return false;
    try {
        connection.Open();
        ado::Recordset row;
        row.Open("Select curvalue from Settings Where Setting = 'LockDate'", connection);
        if (!row.Eof() && !row.Fields("curvalue").IsNull())
            lockDate = StoredDate(row.Fields("curvalue").toString());
        return true;
    } catch (const NumberedError& error) {
        m_globals->log().WriteClearedError("CommonLastRun.ReadFacilityLockDate", error);
        return false;
    }
}

DateTime CommonLastRun::RequestedStartDate(const QString& facilityKey)
{
    const QString key = facilityKey.toUpper();
    if (!m_lastRunDates.Exists(key))
        m_lastRunDates.Add(key, m_defaultStart.generalDate());
    return StoredDate(m_lastRunDates.Item(key));
}

DateTime CommonLastRun::startdate(const QString& facilityKey)
{
    const DateTime start = RequestedStartDate(facilityKey);
    const DateTime lock = LockDate(facilityKey);
    return start < lock ? lock : start;
}

DateTime CommonLastRun::enddate(const QString&) const
{
    return m_defaultEnd;
}

DateTime CommonLastRun::LockDate(const QString& facilityKey) const
{
    const QString key = facilityKey.toUpper();
    return m_lockDates.Exists(key) ? StoredDate(m_lockDates.Item(key)) : DateTime::Zero();
}

bool CommonLastRun::ViolatesLockDate(const QString& facilityKey) const
{
    return LockDate(facilityKey) > enddate(facilityKey);
}

bool CommonLastRun::PersistLastRunDate(qint32 interfaceId, const QString& facilityKey, const DateTime& lastRun)
{
    ado::Connection root;
    if (!TargetConnections(*m_globals).ConfigureConnection(root, "QELROOT"))
        return false;
    NetInfo& host = m_globals->netInfo();
    host.GetNetInfo();
    try {
        root.Open();
        ado::Recordset row;
        row.Open("Select AUDITUSER,AUDITTIMESTAMP,interface_id,FileName,LASTRUN,WorkStation,NetUser,IP,LOCALPATH "
                 "from k5_server_run where interface_id = ? and filename=?",
                 root, ado::CursorType::Static, ado::LockType::Pessimistic, {interfaceId, facilityKey},
                 {"interface_id", "FileName"});
        if (row.Eof())
            row.AddNew();
        row.setField("AUDITUSER", m_globals->AuditUserName());
        row.setField("AUDITTIMESTAMP", QVariant::fromValue(m_globals->clock().now()));
        row.setField("interface_id", interfaceId);
        row.setField("FileName", facilityKey);
        row.setField("LASTRUN", QVariant::fromValue(lastRun));
        row.setField("WorkStation", host.WorkStation());
        row.setField("NetUser", host.NetUser());
        row.setField("IP", host.IPAddrs());
        row.setField("LOCALPATH", m_globals->programFolder());
        row.Update();
        row.Close();
        m_globals->log().WriteLog("Updated Last Run Date for facility " + facilityKey + " to " + lastRun.generalDate(),
                                  0);
        if (m_globals->config().item(Keys::AutomatedImport::kSubmitCalcRequest) == "YES")
            SubmitCalcRequest(root, facilityKey, lastRun);
        root.Close();
        return true;
    } catch (const NumberedError& error) {
        m_globals->log().WriteClearedError("CommonLastRun.PersistLastRunDate", error);
        return false;
    }
}

void CommonLastRun::SubmitCalcRequest(ado::Connection& root, const QString& facilityKey, const DateTime& endDate)
{
    try {
        DateTime start = startdate(facilityKey).datePart();
        const qint32 shift =
            Conversions::ToInt32(m_globals->config().item(Keys::AutomatedImport::kStartDateShiftMinute));
        if (shift != 0)
            start = start.addMinutes(shift);
        ado::Recordset queue;
        queue.Open("select * from CALCQUEUE where ID=0", root, ado::CursorType::Static, ado::LockType::Pessimistic);
        queue.AddNew();
        queue.setField("status", 0);
        queue.setField("vlist", QString(""));
        queue.setField("datestart", QVariant::fromValue(start));
        queue.setField("dateend", QVariant::fromValue(endDate));
        queue.setField("facility", facilityKey);
        queue.setField("audituser", m_globals->AuditUserName());
        queue.Update();
        queue.Close();
        m_globals->log().WriteLog("Submitted Calc Request for facility " + facilityKey + " for dates from " +
                                      start.format("mm/dd/yyyy HH:nn:ss") + " to " +
                                      endDate.format("mm/dd/yyyy HH:nn:ss"),
                                  0);
    } catch (const NumberedError& error) {
        // A calculation request that cannot be queued does not undo the
        // last-run date just written.
        m_globals->log().WriteClearedError("CommonLastRun.SubmitCalcRequest", error);
    }
}
