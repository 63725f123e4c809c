#pragma once

#include "platform/DateTime.h"

#include <QString>

class QELLoggerTXT;

namespace ado {
class Connection;
}

// Reads or corrects one collector's last-run row for one facility, as the
// last-run viewer does. An interface id of 0 in a call means the
// InterfaceID property; when that is 0 too, nothing is done (false). A
// failed read or write leaves its trace in the given log, which must outlive
// this object.
class CommonLastRunReadWrite {
public:
    explicit CommonLastRunReadWrite(QELLoggerTXT& log) : m_log(log) {}

    bool SetLastRunDate(const QString& facilityKey, const DateTime& lastRun, ado::Connection& root,
                        qint32 interfaceId = 0);
    bool ReadLastRunInfo(const QString& facilityKey, ado::Connection& root, DateTime& lastRun, qint32 interfaceId = 0);

    const DateTime& LastRun() const { return m_lastRun; }
    const QString& AuditUser() const { return m_auditUser; }
    const QString& FacilityID() const { return m_facilityId; }
    const QString& WorkStation() const { return m_workStation; }
    const QString& NetUser() const { return m_netUser; }
    const QString& IP() const { return m_ip; }
    const QString& LocalPath() const { return m_localPath; }
    qint32 InterfaceID() const { return m_interfaceId; }
    void setInterfaceID(qint32 id) { m_interfaceId = id; }

private:
    qint32 EffectiveId(qint32 interfaceId) const { return interfaceId != 0 ? interfaceId : m_interfaceId; }

    QELLoggerTXT& m_log;
    DateTime m_lastRun;
    QString m_auditUser;
    QString m_facilityId;
    QString m_workStation;
    QString m_netUser;
    QString m_ip;
    QString m_localPath;
    qint32 m_interfaceId = 0;
};
