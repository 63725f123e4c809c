#include "CommonFiles/control/SettingRules.h"

#include <gtest/gtest.h>

namespace {

const QString kTimeout = "KORVELORVEX\\KORVELORVEX_CONNECTION_TIMEOUT";
const QString kPollWait = "OPTIONS\\PERFORMANCE\\POLL_WAIT";
const QString kValidationFailed = "Validation failed";

QString PollWaitInvalid(const QString& ending)
{
    return "Invalid value provided for Artificial Wait between Source Polling. Will use " + ending + ".";
}

}  // namespace

// What is stored for what is typed, for every kind of rule.
TEST(SettingRules, TypedValuesAreStoredAsTheWindowsStoreThem)
{
    const struct {
        const char* key;
        const char* typed;
        const char* stored;
        bool adjusted;
    } cases[] = {
        {"KORVELORVEX\\KORVELORVEX_CONNECTION_TIMEOUT", "0", "1", true},
        {"KORVELORVEX\\KORVELORVEX_CONNECTION_COMMAND_TIMEOUT", "99999999999", "2147483647", true},
        {"OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\MINUTELY_MINUTE", "-5", "10", true},
        {"OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\MINUTELY_MINUTE", "5000", "1440", true},
        {"OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\MINUTELY_MINUTE", "0", "0", false},
        {"OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\DAILY_HOUR", "99999999999", "23", true},
        {"OPTIONS\\AUTOMATED_IMPORT\\STARTDATE_SHIFT_MINUTE", "20000", "14400", true},
        {"options\\automated_import\\startdate_shift_minute", "-99999999", "-14400", true},
        {"OPTIONS\\REFRESH_LOGSIZE", "10", "1024", true},
        {"OPTIONS\\KEEP_LOGS_FOR", "3", "7", true},
        // Fractions round half to even.
        {"OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\DAILY_MINUTE", "2.5", "2", true},
        {"OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\DAILY_MINUTE", "3.5", "4", true},
        {"SOURCE\\CACHE\\LIMIT_BY_BYTES_SETPOINT", "1,000", "1000", false},
        {"OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\HOURLY", "yes", "YES", false},
        {"OPTIONS\\PERFORMANCE\\THROTTLE", "false", "FALSE", false},
        {"KORVELORVEX\\KORVELORVEX_CONNECTION_PROVIDER", "  SQLite ", "SQLite", false},
        {"OPTIONS\\AUTOMATED_IMPORT\\DEFAULT_LAST_RUN", "2024-03-01 06:00", "03-01-2024 06:00:00", false},
        // A key no window edits is stored as typed.
        {"R58213\\PATH", " /srv/loggers ", " /srv/loggers ", false},
    };
    for (const auto& c : cases) {
        const SettingRules::Outcome outcome = SettingRules::Apply(c.key, c.typed, "previous");
        EXPECT_FALSE(outcome.refused) << c.key << " " << c.typed;
        EXPECT_EQ(outcome.value, c.stored) << c.key << " " << c.typed;
        EXPECT_EQ(outcome.adjusted, c.adjusted) << c.key << " " << c.typed;
        EXPECT_TRUE(outcome.messages.isEmpty()) << c.key << " " << c.typed;
    }
    // The connection window's type list.
    EXPECT_EQ(SettingRules::DbTypeOfEntry("Oracle") + SettingRules::ProviderOfEntry("Oracle"), "1OraOLEDB.Oracle");
    EXPECT_EQ(SettingRules::DbTypeOfEntry("SQL Server") + SettingRules::ProviderOfEntry("SQL Server"), "2SQLNCLI");
}

TEST(SettingRules, UnreadableValuesKeepTheStoredOneAndSaySo)
{
    const SettingRules::Outcome letters = SettingRules::Apply(kTimeout.toLower(), "abc", "15");
    EXPECT_TRUE(letters.refused);
    EXPECT_EQ(letters.value, "15");
    EXPECT_EQ(letters.messages.value(0).text,
              "Invalid value provided for 'KORVELORVEX\\KORVELORVEX_CONNECTION_TIMEOUT'. Will use previous value.");
    EXPECT_EQ(letters.messages.value(0).title, kValidationFailed);
    for (const char* key : {"OPTIONS\\ENCRYPT_PROTECT_CONFIG", "KORVELORVEX\\KORVELORVEX_CONNECTION_DBTYPE",
                            "OPTIONS\\AUTOMATED_IMPORT\\DEFAULT_LAST_RUN"})
        EXPECT_TRUE(SettingRules::Apply(key, "3 maybe", "kept").refused) << key;
}

TEST(SettingRules, PollWaitSaysWhatItChanges)
{
    const struct {
        const char* typed;
        const char* stored;
        QStringList messages;
    } cases[] = {
        {"2.6",
         "3",
         {"Artificial Wait between Source Polling field can only accept whole numbers. 2.6 will be rounded to "
          "nearest whole number"}},
        {"0", "1", {PollWaitInvalid("minimum value of 1")}},
        {"10000", "9999", {PollWaitInvalid("maximum value of 9999")}},
        {"0.4",
         "1",
         {"Artificial Wait between Source Polling field can only accept whole numbers. 0.4 will be rounded to "
          "nearest whole number",
          PollWaitInvalid("minimum value of 1")}},
        {"x", "500", {PollWaitInvalid("previous value")}},
        {"250", "250", {}},
    };
    for (const auto& c : cases) {
        const SettingRules::Outcome outcome = SettingRules::Apply(kPollWait, c.typed, "500");
        EXPECT_EQ(outcome.value, c.stored) << c.typed;
        EXPECT_EQ(outcome.refused, QString(c.typed) == "x") << c.typed;
        QStringList texts;
        for (const SettingRules::Message& message : outcome.messages) {
            texts.append(message.text);
            EXPECT_EQ(message.title, kValidationFailed);
        }
        EXPECT_EQ(texts, c.messages) << c.typed;
    }
}
