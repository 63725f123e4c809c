#include "CommonFiles/target/TargetConnections.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/foundation/ConnectProgress.h"
#include "CommonFiles/target/ConnectionManager.h"
#include "platform/Conversions.h"
#include "platform/NumberedError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/ConnectionStringValue.h"

#include <QCoreApplication>

namespace Keys = ConfigurationKeyNames;

namespace {

bool IsRoot(const QString& schema)
{
    return schema.compare("QELROOT", Qt::CaseInsensitive) == 0;
}

}  // namespace

bool TargetConnections::InitConnectionManager(ConnectionManager& manager)
{
    QELConfiguration& config = m_globals.config();
    try {
        const qint16 type = Conversions::ToInt16(config.item(Keys::KorvelOrvex::kConnectionDbType));
        const bool initialised =
            manager.Init(static_cast<TargetDbType>(type), config.item(Keys::KorvelOrvex::kConnectionProvider),
                         config.item(Keys::KorvelOrvex::kConnectionDataSource),
                         config.item(Keys::KorvelOrvex::kConnectionCustomizations), false,
                         Conversions::ToInt32(config.item(Keys::KorvelOrvex::kConnectionTimeout)),
                         Conversions::ToInt32(config.item(Keys::KorvelOrvex::kConnectionCommandTimeout)));
        m_globals.setTargetDbType(static_cast<TargetDbType>(type));
        return initialised;
    } catch (const NumberedError& error) {
        // A database type or time-out that is not a number cannot set up a
        // connection; the caller reports it as a failed initialisation.
        m_globals.log().WriteClearedError("TargetConnections.InitConnectionManager", error);
        return false;
    }
}

bool TargetConnections::RefusesFacilityKey(const QString& facilityKey)
{
    if (ado::ConnectionStringValue::CarriesName(facilityKey))
        return false;
    // The activity line shows control characters in the key as escapes.
    m_globals.WriteActivity("Facility '" + facilityKey +
                                "' is not imported: its key holds a character that a connection string cannot carry.",
                            0);
    return true;
}

bool TargetConnections::ConfigureConnection(ado::Connection& connection, const QString& schema)
{
    return !RefusesFacilityKey(schema) && Configure(connection, schema);
}

bool TargetConnections::Configure(ado::Connection& connection, const QString& schema)
{
    ConnectionManager manager(m_globals.log());
    if (!InitConnectionManager(manager))
        return false;
    if (IsRoot(schema))
        manager.ConfigCnn4QELROOT(connection);
    else
        manager.ConfigCnn4FACILITY(connection, schema);
    return true;
}

bool TargetConnections::ConfigureReporting(ado::Connection& connection, const QString& schema)
{
    if (RefusesFacilityKey(schema))
        return false;
    if (Configure(connection, schema))
        return true;
    m_globals.msgBox().QelMsgBox("Unable to init Korvel Orvex Connection Manager", QELmsgBoxHandler::Exclamation);
    return false;
}

bool TargetConnections::OpenRoot(ado::Connection& root, bool withAttemptDialog)
{
    if (!ConfigureReporting(root, "QELROOT"))
        return false;
    QString error;
    if (OpenTargetConnection(root, error, withAttemptDialog))
        return true;
    m_globals.msgBox().QelMsgBox("Error :\r\n" + error, QELmsgBoxHandler::Exclamation,
                                 QStringLiteral("Failed to connect to Korvel Orvex"));
    return false;
}

std::unique_ptr<ado::Connection> TargetConnections::OpenFacility(const QString& facilityKey)
{
    QString failure;
    return OpenFacility(facilityKey, failure);
}

std::unique_ptr<ado::Connection> TargetConnections::OpenFacility(const QString& facilityKey, QString& failure)
{
    auto connection = std::make_unique<ado::Connection>();
    if (!ConfigureReporting(*connection, facilityKey)) {
        failure = QStringLiteral("its connection cannot be configured");
        return nullptr;
    }
    try {
        connection->Open();
        return connection;
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("TargetConnections.OpenFacility", error);
        failure = error.Text();
        return nullptr;
    }
}

bool TargetConnections::OpenTargetConnection(ado::Connection& connection, QString& errorText, bool withAttemptDialog)
{
    if (m_globals.serviceMode())
        return OpenConnection(connection, errorText);
    ConnectProgress* progress = m_globals.connectProgress();
    if (withAttemptDialog && progress)
        return progress->AttemptConnect(connection, errorText);
    return OpenWatched(connection, errorText);
}

bool TargetConnections::OpenWatched(ado::Connection& connection, QString& errorText)
{
    const QString dataSource = connection.Property("Data Source");
    m_globals.WriteActivity("Connecting to Korvel Orvex server '" + dataSource + "' ...", 0);
    ConnectProgress* progress = m_globals.connectProgress();
    if (progress)
        progress->ShowConnecting(dataSource);
    // One pass of the event loop paints the progress before the opening
    // blocks the thread.
    QCoreApplication::processEvents();
    const bool opened = OpenConnection(connection, errorText);
    if (progress)
        progress->Finished(opened, opened ? QString() : errorText);
    m_globals.WriteActivity(opened ? QStringLiteral("Connection to Korvel Orvex was established.")
                                   : QStringLiteral("Failed to Connect to Korvel Orvex."),
                            0);
    return opened;
}

bool TargetConnections::OpenConnection(ado::Connection& connection, QString& errorText)
{
    try {
        connection.Open();
        return true;
    } catch (const NumberedError& error) {
        errorText = error.Text();
        return false;
    }
}
