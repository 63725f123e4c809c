#include "CommonFiles/control/ConfigurationKeys.h"

#include "CommonFiles/foundation/QELConfiguration.h"

#include <utility>
#include <vector>

QString ConfigurationKeys::StoredDateText(const DateTime& value)
{
    return value.format("MM-dd-yyyy HH:mm:ss");
}

void ConfigurationKeys::DefineStartupKeys(QELConfiguration& config, const DateTime& now,
                                          const QString& applicationTitle)
{
    const QString defaultLastRun = StoredDateText(now.datePart().addDays(-1));
    const QString fixStart = StoredDateText(now.addDays(-1));
    const QString fixEnd = StoredDateText(now);
    const std::vector<std::pair<const char*, QString>> keys = {
        {"OPTIONS", ""},
        {"OPTIONS\\INSTANCE_SERVICE_NAME", applicationTitle},
        {"OPTIONS\\REFRESH_STATUS_SECONDS", "1"},
        {"OPTIONS\\REFRESH_LOG_SECONDS", "2"},
        {"OPTIONS\\REFRESH_LOGSIZE", "4096"},
        {"OPTIONS\\LOG_VERBOSITY", "0"},
        {"OPTIONS\\KEEP_LOGS_FOR", "30"},
        {"OPTIONS\\ENCRYPT_PROTECT_CONFIG", "NO"},
        {"OPTIONS\\PASSWORD_PROTECT_CONFIG", "NO"},
        {"OPTIONS\\PASSWORD_PROTECT_CONFIG_PASSWORD", "48170"},
        {"OPTIONS\\PASSWORD_PROTECT_INTERACTIVE_IMPORT", "NO"},
        {"OPTIONS\\AUTOMATED_IMPORT", ""},
        {"OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE", ""},
        {"OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\DAILY", "YES"},
        {"OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\DAILY_HOUR", "0"},
        {"OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\DAILY_MINUTE", "1"},
        {"OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\HOURLY", "NO"},
        {"OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\HOURLY_MINUTE", "1"},
        {"OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\MINUTELY", "NO"},
        {"OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\MINUTELY_MINUTE", "10"},
        {"OPTIONS\\AUTOMATED_IMPORT\\SUBMIT_CALC_REQUEST", "YES"},
        {"OPTIONS\\AUTOMATED_IMPORT\\REAL_OPERATION_MODE", "YES"},
        {"OPTIONS\\AUTOMATED_IMPORT\\DEFAULT_LAST_RUN", defaultLastRun},
        {"OPTIONS\\AUTOMATED_IMPORT\\STARTDATE_SHIFT_MINUTE", "0"},
        {"OPTIONS\\PERFORMANCE\\THROTTLE", "FALSE"},
        {"OPTIONS\\PERFORMANCE\\POLL_WAIT", "500"},
        {"OPTIONS\\PERFORMANCE\\MSG_BEFORE", "TRUE"},
        {"OPTIONS\\PERFORMANCE\\MSG_AFTER", "TRUE"},
        {"OPTIONS\\NOIU\\ASKFORDATES\\HIDE_UI", "FALSE"},
        {"OPTIONS\\NOIU\\ASKFORDATES\\FIX_STARTDATE", fixStart},
        {"OPTIONS\\NOIU\\ASKFORDATES\\FIX_ENDDATE", fixEnd},
        {"OPTIONS\\NOIU\\LIMITFACILITY", ""},
        {"SOURCE", ""},
        {"SOURCE\\RECOVERY", ""},
        {"SOURCE\\RECOVERY\\ATTEMPTS", "6"},
        {"SOURCE\\RECOVERY\\SECONDS", "10"},
        {"SOURCE\\STATICCOMMONIMPORT", "FALSE"},
        {"SOURCE\\CACHE", ""},
        {"SOURCE\\CACHE\\ENABLED", "TRUE"},
        {"SOURCE\\CACHE\\LIMIT_BY_DATAPOINTS", "TRUE"},
        {"SOURCE\\CACHE\\LIMIT_BY_DAYS", "TRUE"},
        {"SOURCE\\CACHE\\LIMIT_BY_BYTES", "TRUE"},
        {"SOURCE\\CACHE\\LIMIT_BY_DATAPOINTS_SETPOINT", "60480"},
        {"SOURCE\\CACHE\\LIMIT_BY_DAYS_SETPOINT", "14"},
        {"SOURCE\\CACHE\\LIMIT_BY_BYTES_SETPOINT", "483840"},
        {"TARGET", ""},
        {"TARGET\\RECOVERY", ""},
        {"TARGET\\RECOVERY\\ATTEMPTS", "6"},
        {"TARGET\\RECOVERY\\SECONDS", "10"},
        {"KORVELORVEX", ""},
        {"KORVELORVEX\\KORVELORVEX_CONNECTION_DBTYPE", "2"},
        {"KORVELORVEX\\KORVELORVEX_CONNECTION_PROVIDER", "SQLNCLI"},
        {"KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE", "type_in_name_of_your_datasource"},
        {"KORVELORVEX\\KORVELORVEX_CONNECTION_CUSTOMIZATIONS", ""},
        {"KORVELORVEX\\KORVELORVEX_CONNECTION_TIMEOUT", "15"},
        {"KORVELORVEX\\KORVELORVEX_CONNECTION_COMMAND_TIMEOUT", "30"},
        {"KORVELORVEX\\K5_SERVER_INTERFACE_ID", "0"},
        {"KORVELORVEX\\K5_INDIRECT_TYPE", "FALSE"},
    };
    for (const auto& [key, value] : keys)
        config.DefineTree(QString::fromLatin1(key), value);
}
