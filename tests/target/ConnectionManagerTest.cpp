#include "CommonFiles/target/ConnectionManager.h"
#include "platform/ado/Connection.h"
#include "platform/ado/ConnectionTarget.h"
#include "support/TestLog.h"

#include <gtest/gtest.h>

namespace {

const QString kPassword = QString::fromLatin1(R58213_TARGET_PASSWORD);

// A log never enabled, for the cases that leave no trace.
QELLoggerTXT& QuietLog()
{
    static FakeClock clock;
    static QELLoggerTXT log{clock, "/nonexistent", "r58213"};
    return log;
}

ConnectionManager Initialised(TargetDbType type, const QString& customization = {}, QELLoggerTXT& log = QuietLog())
{
    ConnectionManager manager(log);
    EXPECT_TRUE(manager.Init(type, " SQLNCLI ", " PLANTSRV\\SCADA ", customization, false, 15, 30));
    return manager;
}

}  // namespace

TEST(ConnectionManager, SqlServerStringsForRootAndFacility)
{
    ConnectionManager manager = Initialised(TargetDbType::SqlServer);
    EXPECT_EQ(manager.BuildConnectionString("qelroot"),
              "Provider=SQLNCLI;Persist Security Info=False;Data Source=PLANTSRV\\SCADA;Initial Catalog=QELROOT;"
              "User ID=QELDBA;Password=" +
                  kPassword + ";OLE DB Services =-2;Application Name=58213;");
    EXPECT_EQ(manager.TemplateCnnString(),
              "Provider=SQLNCLI;Data Source=PLANTSRV\\SCADA;Persist Security Info=False;Initial Catalog=@@@;"
              "User ID=QELDBA;Password=###;OLE DB Services =-2;Application Name=58213;");
    EXPECT_EQ(manager.BuildConnectionString("Plant1"),
              "Provider=SQLNCLI;Persist Security Info=False;Data Source=PLANTSRV\\SCADA;Initial Catalog=PLANT1;"
              "User ID=QELDBA;Password=" +
                  kPassword + ";OLE DB Services =-2;Application Name=58213;");
}

TEST(ConnectionManager, OracleStringsWithCustomization)
{
    ConnectionManager manager(QuietLog());
    ASSERT_TRUE(manager.Init(TargetDbType::Oracle, "OraOLEDB.Oracle", "KORVPROD", " FetchSize=200; ", true, 15, 30));
    EXPECT_EQ(manager.BuildConnectionString("qelroot"),
              "Provider=OraOLEDB.Oracle;Persist Security Info=True;Data Source=KORVPROD;User ID=QELROOT;Password=" +
                  kPassword + ";OLE DB Services =-2;Application Name=58213;FetchSize=200;");
    EXPECT_EQ(manager.TemplateCnnString(),
              "Provider=OraOLEDB.Oracle;Data Source=KORVPROD;Persist Security Info=True;User ID=@@@;Password=###;"
              "OLE DB Services =-2;Application Name=58213;FetchSize=200;");

    ConnectionManager plain(QuietLog());
    ASSERT_TRUE(plain.Init(TargetDbType::Oracle, "OraOLEDB.Oracle", "KORVPROD", "", false, 15, 30));
    EXPECT_TRUE(plain.BuildConnectionString("plant1").endsWith("User ID=PLANT1;Password=" + kPassword +
                                                               ";OLE DB Services =-2;Application Name=58213;"));
}

TEST(ConnectionManager, PasswordIsFiveLowerCaseLettersAndNeverInTheTemplate)
{
    ConnectionManager manager = Initialised(TargetDbType::SqlServer);
    EXPECT_EQ(manager.password().size(), 5);
    for (const QChar c : manager.password())
        EXPECT_TRUE(c >= 'a' && c <= 'z');
    manager.BuildConnectionString("QELROOT");
    EXPECT_FALSE(manager.TemplateCnnString().contains(manager.password()));
}

TEST(ConnectionManager, InitRefusesBadSettingsAndKeepsThePrevious)
{
    ConnectionManager manager = Initialised(TargetDbType::SqlServer, "X=1");
    EXPECT_FALSE(manager.Init(static_cast<TargetDbType>(3), "OraOLEDB.Oracle", "OTHER", "", false, 1, 1));
    EXPECT_FALSE(manager.Init(TargetDbType::Oracle, "   ", "OTHER", "", false, 1, 1));
    EXPECT_FALSE(manager.Init(TargetDbType::Oracle, "OraOLEDB.Oracle", "  ", "", false, 1, 1));
    EXPECT_EQ(manager.DatabaseType(), TargetDbType::SqlServer);
    EXPECT_EQ(manager.DB_PROVIDER(), "SQLNCLI");
    EXPECT_EQ(manager.DB_DATASOURCE(), "PLANTSRV\\SCADA");
    EXPECT_EQ(manager.DB_CUSTOMIZATION(), "X=1");
    EXPECT_EQ(manager.CONNECTION_TIMEOUT_s(), 15);
    EXPECT_EQ(manager.COMMAND_TIMEOUT_s(), 30);
}

TEST(ConnectionManager, ReplacedDataSourceOfAnUnknownFacilityIsEmpty)
{
    ConnectionManager manager = Initialised(TargetDbType::SqlServer);
    manager.setDataSourceReplace(true);
    EXPECT_EQ(manager.BuildConnectionString("NOWHERE"),
              "Provider=SQLNCLI;Persist Security Info=False;Data Source=;Initial Catalog=NOWHERE;User ID=QELDBA;"
              "Password=" +
                  kPassword + ";OLE DB Services =-2;Application Name=58213;");
    // The root schema always uses the configured data source.
    EXPECT_TRUE(manager.BuildConnectionString("QELROOT").contains("Data Source=PLANTSRV\\SCADA;"));
}

TEST(ConnectionManager, FailedFacilityLookupsAreTracedAtVerbosityTwo)
{
    TestLog trace(2);
    ConnectionManager manager = Initialised(TargetDbType::SqlServer, {}, trace.log);
    manager.setDataSourceReplace(true);
    ado::Connection closed;
    EXPECT_FALSE(manager.RefreshDsHASH(closed));
    EXPECT_TRUE(manager.BuildConnectionString("").contains(";Data Source=;"));
    EXPECT_EQ(trace.lines(),
              (QStringList{"ConnectionManager.RefreshDsHASH(): 3709 - The connection cannot be used to perform this "
                           "operation. It is either closed or invalid in this context.",
                           "ConnectionManager.LookupFacilityDataSource(): 1001 - Invalid key"}));
}

TEST(ConnectionManager, ConfiguresConnectionsWithoutOpeningThem)
{
    ConnectionManager manager = Initialised(TargetDbType::SqlServer);
    ado::Connection connection;
    manager.ConfigCnn4FACILITY(connection, "  plant2 ");
    EXPECT_EQ(connection.CursorLocation(), ado::kUseClient);
    EXPECT_TRUE(connection.ConnectionString().contains("Initial Catalog=PLANT2;"));
    EXPECT_EQ(connection.CommandTimeout(), 30);
    EXPECT_EQ(connection.ConnectionTimeout(), 15);
    EXPECT_EQ(connection.State(), ado::kStateClosed);
    EXPECT_EQ(connection.Property("Data Source"), "PLANTSRV\\SCADA");
    // Without data-source replacement nothing is asked of the database.
    EXPECT_TRUE(manager.RefreshDsHASH(connection));
}

TEST(ConnectionManager, ValuesThatWouldSplitTheStringAreRefusedOrArriveWhole)
{
    ConnectionManager manager(QuietLog());
    EXPECT_FALSE(manager.Init(TargetDbType::SqlServer, "SQLNCLI", "PLANTSRV;Initial Catalog=OTHER", "", false, 15, 30));
    const auto target = ado::ConnectionTarget::Parse(
        "Provider=PostgreSQL;Data Source=db;Initial Catalog=plant1;User ID=QELDBA;Password=pw;Options=-c a}b=c;");
    ASSERT_TRUE(target);
    EXPECT_TRUE(target->OdbcConnectString().endsWith(";Options={-c a}}b=c}"));
}
