#include "CommonFiles/collector/CommonLastRunReadWrite.h"

#include "CommonFiles/foundation/QELLoggerTXT.h"
#include "platform/NumberedError.h"
#include "platform/ado/ErrorText.h"
#include "platform/ado/Recordset.h"

bool CommonLastRunReadWrite::SetLastRunDate(const QString& facilityKey, const DateTime& lastRun, ado::Connection& root,
                                            qint32 interfaceId)
{
    const qint32 id = EffectiveId(interfaceId);
    if (id == 0)
        return false;
    try {
        ado::Recordset row;
        row.Open("Select INTERFACE_ID, FILENAME, LASTRUN from k5_server_run where interface_id = ? and filename=?",
                 root, ado::CursorType::Static, ado::LockType::Pessimistic, {id, facilityKey},
                 {"INTERFACE_ID", "FILENAME"});
        if (row.Eof())
            row.AddNew();
        row.setField("INTERFACE_ID", id);
        row.setField("FILENAME", facilityKey);
        row.setField("LASTRUN", QVariant::fromValue(lastRun));
        row.Update();
        row.Close();
        return true;
    } catch (const NumberedError& error) {
        m_log.WriteClearedError("CommonLastRunReadWrite.SetLastRunDate", error);
        return false;
    }
}

bool CommonLastRunReadWrite::ReadLastRunInfo(const QString& facilityKey, ado::Connection& root, DateTime& lastRun,
                                             qint32 interfaceId)
{
    const qint32 id = EffectiveId(interfaceId);
    if (id == 0)
        return false;
    try {
        ado::Recordset row;
        row.Open("Select AUDITUSER, FILENAME, LASTRUN, WORKSTATION, NETUSER, IP, LOCALPATH from k5_server_run "
                 "where interface_id = ? and filename=?",
                 root, ado::CursorType::Static, ado::LockType::ReadOnly, {id, facilityKey});
        if (row.Eof())
            return false;
        const auto stored = row.Fields("LASTRUN").toDateTime();
        if (!stored)
            throw ado::kInvalidUseOfNull.error();
        lastRun = *stored;
        m_lastRun = *stored;
        m_auditUser = row.Fields("AUDITUSER").toString();
        m_facilityId = row.Fields("FILENAME").toString();
        m_workStation = row.Fields("WORKSTATION").toString();
        m_netUser = row.Fields("NETUSER").toString();
        m_ip = row.Fields("IP").toString();
        m_localPath = row.Fields("LOCALPATH").toString();
        return true;
    } catch (const NumberedError& error) {
        m_log.WriteClearedError("CommonLastRunReadWrite.ReadLastRunInfo", error);
        return false;
    }
}
