#pragma once

#include "CommonFiles/foundation/HashTable.h"
#include "CommonFiles/foundation/TargetDbType.h"

#include <QString>

class QELLoggerTXT;

namespace ado {
class Connection;
}

// Turns the target database settings into connection strings and
// configures connections with them: one for the root schema QELROOT, one
// per facility database. It never opens a connection itself. All
// credentials travel in the connection string; the password is the target
// system's deployment password and never appears in the configuration or
// the log (the template string masks it). A facility table that cannot be
// read leaves its trace in the given log, which must outlive the manager.
class ConnectionManager {
public:
    explicit ConnectionManager(QELLoggerTXT& log);

    bool Init(TargetDbType aDB_TYPE, const QString& aDB_PROVIDER, const QString& aDB_DATASOURCE,
              const QString& aDB_CUSTOMIZATION, bool aPersistSecurityInfo, qint32 CnnTimeout_Sec,
              qint32 CommandTimeout_Sec);

    bool DataSourceReplace() const { return m_dataSourceReplace; }
    void setDataSourceReplace(bool replace) { m_dataSourceReplace = replace; }
    const QString& password() const { return m_password; }
    qint32 CONNECTION_TIMEOUT_s() const { return m_connectionTimeout; }
    void setCONNECTION_TIMEOUT_s(qint32 seconds) { m_connectionTimeout = seconds; }
    qint32 COMMAND_TIMEOUT_s() const { return m_commandTimeout; }
    void setCOMMAND_TIMEOUT_s(qint32 seconds) { m_commandTimeout = seconds; }

    bool RefreshDsHASH(ado::Connection& LiveCnnToQELROOT);
    void ConfigCnn4QELROOT(ado::Connection& objCnn2Configure);
    void ConfigCnn4FACILITY(ado::Connection& objCnn2Configure, const QString& FacilityID);

    const QString& TemplateCnnString() const { return m_templateCnnString; }
    const QString& DB_PROVIDER() const { return m_provider; }
    const QString& DB_DATASOURCE() const { return m_dataSource; }
    const QString& DB_CUSTOMIZATION() const { return m_customization; }
    TargetDbType DatabaseType() const { return m_dbType; }

    QString BuildConnectionString(const QString& userString);

private:
    QString LookupFacilityDataSource(const QString& key) const;
    void Configure(ado::Connection& connection, const QString& userString);

    QELLoggerTXT& m_log;
    TargetDbType m_dbType = TargetDbType::Oracle;
    QString m_provider;
    QString m_dataSource;
    QString m_customization;
    bool m_persistSecurityInfo = false;
    qint32 m_connectionTimeout = 0;
    qint32 m_commandTimeout = 0;
    QString m_password;
    QString m_templateCnnString;
    bool m_dataSourceReplace = false;
    HashTable<QString> m_facilityDataSources;
};
