#include "CommonFiles/ui/CommonConfigKorvelOrvex.h"
#include "ui/SettingsWindow.h"

#include <QComboBox>

namespace {

const QString kDbType = "KORVELORVEX\\KORVELORVEX_CONNECTION_DBTYPE";
const QString kProvider = "KORVELORVEX\\KORVELORVEX_CONNECTION_PROVIDER";
const QString kDataSource = "KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE";
const QString kCustomizations = "KORVELORVEX\\KORVELORVEX_CONNECTION_CUSTOMIZATIONS";
const QString kTimeout = "KORVELORVEX\\KORVELORVEX_CONNECTION_TIMEOUT";
const QString kCommandTimeout = "KORVELORVEX\\KORVELORVEX_CONNECTION_COMMAND_TIMEOUT";

struct ConnectionWindow : SettingsWindow<CommonConfigKorvelOrvex> {
    ConnectionWindow() { Open(); }
    QComboBox& DbType() { return *window->findChild<QComboBox*>("dbType"); }
    // As a person picks an entry from the list.
    void PickType(const QString& entry)
    {
        DbType().setCurrentText(entry);
        emit DbType().textActivated(entry);
    }
    QStringList Connection()
    {
        return {Stored(kDbType), Stored(kProvider), Stored(kCustomizations), Stored(kTimeout), Stored(kCommandTimeout)};
    }
};

}  // namespace

TEST(CommonConfigKorvelOrvex, LoadsTheConnectionAndAppliesTrimmedTextsAndClampedTimeOuts)
{
    ConnectionWindow s;
    EXPECT_EQ(s.window->windowTitle(), "Connection To Korvel Orvex");
    EXPECT_EQ(QStringList({s.DbType().currentText(), s.Field("provider").text(), s.Field("datasource").text(),
                           s.Field("connection_timeout").accessibleName()}),
              (QStringList{"SQL Server", "SQLite", s.Stored(kDataSource), "Connection Timeout in Seconds"}));
    s.Screenshot("connection-to-korvel-orvex");

    s.Type("customization", "  Pooling=false ");
    s.Type("connection_timeout", "0");
    s.Type("command_timeout", "99999999999");
    const QStringList before = s.Connection();
    s.Press("close");
    EXPECT_EQ(s.Connection(), before);

    s.Press("check");
    EXPECT_EQ(s.Connection(), (QStringList{"2", "SQLite", "Pooling=false", "1", "2147483647"}));
    EXPECT_EQ(s.Field("connection_timeout").text(), "1");
    EXPECT_FALSE(s.Saved().contains("Pooling=false"));
    s.Press("save");
    EXPECT_TRUE(s.Saved().contains("Pooling=false"));
    EXPECT_EQ(s.presenter.shown, QStringList{"64||Saved successfully"});
}

TEST(CommonConfigKorvelOrvex, LettersInATimeOutKeepTheStoredValueAndTheOtherFieldsApply)
{
    ConnectionWindow s;
    s.Type("connection_timeout", "fifteen");
    s.Type("customization", "Mode=Fast");
    s.Press("check");
    EXPECT_EQ(s.presenter.shown,
              QStringList{"48|Validation failed|Invalid value provided for "
                          "'KORVELORVEX\\KORVELORVEX_CONNECTION_TIMEOUT'. Will use previous value."});
    EXPECT_EQ(s.Field("connection_timeout").text(), s.Stored(kTimeout));
    EXPECT_EQ(s.Stored(kCustomizations), "Mode=Fast");
}

TEST(CommonConfigKorvelOrvex, ChoosingATypeBringsItsProviderButLoadingKeepsTheStoredOne)
{
    ConnectionWindow s;
    s.globals.config().setItem(kProvider, "PostgreSQL");
    s.Open();
    EXPECT_EQ(s.Field("provider").text(), "PostgreSQL");
    s.Press("check");
    EXPECT_EQ(s.Stored(kProvider), "PostgreSQL");

    s.PickType("Oracle");
    EXPECT_EQ(s.Field("provider").text(), "OraOLEDB.Oracle");
    s.Press("check");
    EXPECT_EQ(QStringList({s.Stored(kDbType), s.Stored(kProvider)}), (QStringList{"1", "OraOLEDB.Oracle"}));
    s.Open();
    EXPECT_EQ(s.DbType().currentText(), "Oracle");
    s.PickType("SQL Server");
    EXPECT_EQ(s.Field("provider").text(), "SQLNCLI");
}

TEST(CommonConfigKorvelOrvex, ConnectTriesTheFieldsAsTheyStand)
{
    ConnectionWindow s;
    s.Press("connect");
    s.Type("datasource", s.folder.file("gone"));
    s.Press("connect");
    ASSERT_EQ(s.presenter.shown.size(), 2);
    EXPECT_EQ(s.presenter.shown[0], "64|Connection successful|Connection to Korvel Orvex was successful.");
    EXPECT_TRUE(s.presenter.shown[1].startsWith("48|Connection test failed|Connection Error :\r\n"));
    EXPECT_NE(s.Stored(kDataSource), s.folder.file("gone"));
}
