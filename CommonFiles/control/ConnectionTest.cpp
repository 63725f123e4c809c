#include "CommonFiles/control/ConnectionTest.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/target/ConnectionManager.h"
#include "CommonFiles/target/TargetConnections.h"
#include "platform/ado/Connection.h"

ConnectionTest::Result ConnectionTest::Run(const Settings& settings)
{
    ConnectionManager manager(m_globals.log());
    if (!manager.Init(settings.type, settings.provider, settings.dataSource, settings.customization, false,
                      settings.connectionTimeout, settings.commandTimeout))
        return {Outcome::InitFailed, {}};
    ado::Connection root;
    manager.ConfigCnn4QELROOT(root);
    QString error;
    if (!TargetConnections(m_globals).OpenTargetConnection(root, error, true))
        return {Outcome::OpenFailed, error};
    root.Close();
    return {Outcome::Ok, {}};
}

QString ConnectionTest::MessageText(const Result& result)
{
    switch (result.outcome) {
    case Outcome::InitFailed:
        return QStringLiteral("Connection Init Failed");
    case Outcome::OpenFailed:
        return "Connection Error :\r\n" + result.errorText;
    case Outcome::Ok:
        break;
    }
    return QStringLiteral("Connection to Korvel Orvex was successful.");
}

QString ConnectionTest::MessageTitle(const Result& result)
{
    return result.outcome == Outcome::Ok ? QStringLiteral("Connection successful")
                                         : QStringLiteral("Connection test failed");
}
