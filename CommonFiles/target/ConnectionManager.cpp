#include "CommonFiles/target/ConnectionManager.h"

#include "CommonFiles/foundation/QELLoggerTXT.h"
#include "TargetPasswordPieces.h"
#include "platform/VersionRecord.h"
#include "platform/ado/Connection.h"
#include "platform/ado/ConnectionStringValue.h"
#include "platform/ado/Recordset.h"

ConnectionManager::ConnectionManager(QELLoggerTXT& log) : m_log(log)
{
    QStringList pieces;
    for (const char piece : TargetPasswordPieces::kPieces)
        pieces.append(QString(QChar::fromLatin1(piece)));
    m_password = pieces.join(QString());
}

bool ConnectionManager::Init(TargetDbType aDB_TYPE, const QString& aDB_PROVIDER, const QString& aDB_DATASOURCE,
                             const QString& aDB_CUSTOMIZATION, bool aPersistSecurityInfo, qint32 CnnTimeout_Sec,
                             qint32 CommandTimeout_Sec)
{
    if (aDB_TYPE != TargetDbType::Oracle && aDB_TYPE != TargetDbType::SqlServer)
        return false;
    const QString provider = aDB_PROVIDER.trimmed();
    const QString dataSource = aDB_DATASOURCE.trimmed();
    if (provider.isEmpty() || dataSource.isEmpty() || !ado::ConnectionStringValue::CarriesDataSource(dataSource))
        return false;
    m_dbType = aDB_TYPE;
    m_provider = provider;
    m_dataSource = dataSource;
    m_customization = aDB_CUSTOMIZATION.trimmed();
    m_connectionTimeout = CnnTimeout_Sec;
    m_commandTimeout = CommandTimeout_Sec;
    m_persistSecurityInfo = aPersistSecurityInfo;
    return true;
}

QString ConnectionManager::BuildConnectionString(const QString& userString)
{
    const QString user = userString.toUpper();
    const QString dataSource = user != "QELROOT" && m_dataSourceReplace ? LookupFacilityDataSource(user) : m_dataSource;
    const QString persist = m_persistSecurityInfo ? "Persist Security Info=True" : "Persist Security Info=False";
    const QString tail = "OLE DB Services =-2;Application Name=" + VersionRecord::ProductName() + ";" + m_customization;
    const QString provider = "Provider=" + m_provider + ";";
    const QString source = "Data Source=" + dataSource + ";";
    switch (m_dbType) {
    case TargetDbType::Oracle:
        m_templateCnnString = provider + source + persist + ";User ID=@@@;Password=###;" + tail;
        return provider + persist + ";" + source + "User ID=" + user + ";Password=" + m_password + ";" + tail;
    case TargetDbType::SqlServer:
        m_templateCnnString = provider + source + persist + ";Initial Catalog=@@@;User ID=QELDBA;Password=###;" + tail;
        return provider + persist + ";" + source + "Initial Catalog=" + user +
            ";User ID=QELDBA;Password=" + m_password + ";" + tail;
    default:
        return {};
    }
}

void ConnectionManager::Configure(ado::Connection& connection, const QString& userString)
{
    connection.setCursorLocation(ado::kUseClient);
    connection.setConnectionString(BuildConnectionString(userString));
    connection.setCommandTimeout(m_commandTimeout);
    connection.setConnectionTimeout(m_connectionTimeout);
}

void ConnectionManager::ConfigCnn4QELROOT(ado::Connection& objCnn2Configure)
{
    Configure(objCnn2Configure, "QELROOT");
}

void ConnectionManager::ConfigCnn4FACILITY(ado::Connection& objCnn2Configure, const QString& FacilityID)
{
    Configure(objCnn2Configure, FacilityID.trimmed());
}

bool ConnectionManager::RefreshDsHASH(ado::Connection& LiveCnnToQELROOT)
{
    if (!m_dataSourceReplace)
        return true;
    try {
        ado::Recordset rows;
        rows.Open("select filename, directory from facility order by lower(filename)", LiveCnnToQELROOT);
        m_facilityDataSources = HashTable<QString>();
        if (rows.Eof())
            return true;
        m_facilityDataSources.SetSize(2 * rows.RecordCount(), 2048, 1024);
        for (; !rows.Eof(); rows.MoveNext()) {
            // A directory that cannot travel in a connection string leaves
            // its facility without a data source: it cannot be opened.
            const QString directory = rows.Fields("directory").toString().trimmed();
            m_facilityDataSources.Add(rows.Fields("filename").toString().toUpper(),
                                      ado::ConnectionStringValue::CarriesDataSource(directory) ? directory : QString());
        }
        return true;
    } catch (const NumberedError& error) {
        m_log.WriteClearedError("ConnectionManager.RefreshDsHASH", error);
        return false;
    }
}

QString ConnectionManager::LookupFacilityDataSource(const QString& key) const
{
    try {
        return m_facilityDataSources.Exists(key) ? m_facilityDataSources.Item(key) : QString();
    } catch (const NumberedError& error) {
        m_log.WriteClearedError("ConnectionManager.LookupFacilityDataSource", error);
        return {};
    }
}
