#include "CommonFiles/control/ConfigurationKeys.h"

#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/foundation/QELConfiguration.h"

#include <utility>
#include <vector>

namespace Keys = ConfigurationKeyNames;

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
    const std::vector<std::pair<QString, QString>> keys = {
        {Keys::Options::kBranch, ""},
        {Keys::Options::kInstanceServiceName, applicationTitle},
        {Keys::Options::kRefreshStatusSeconds, "1"},
        {Keys::Options::kRefreshLogSeconds, "2"},
        {Keys::Options::kRefreshLogSize, "4096"},
        {Keys::Options::kLogVerbosity, "0"},
        {Keys::Options::kKeepLogsFor, "30"},
        {Keys::Options::kEncryptProtectConfig, "NO"},
        {Keys::Options::kPasswordProtectConfig, "NO"},
        {Keys::Options::kPasswordProtectConfigPassword, "48170"},
        {Keys::Options::kPasswordProtectInteractiveImport, "NO"},
        {Keys::AutomatedImport::kBranch, ""},
        {Keys::Schedule::kBranch, ""},
        {Keys::Schedule::kDaily, "YES"},
        {Keys::Schedule::kDailyHour, "0"},
        {Keys::Schedule::kDailyMinute, "1"},
        {Keys::Schedule::kHourly, "NO"},
        {Keys::Schedule::kHourlyMinute, "1"},
        {Keys::Schedule::kMinutely, "NO"},
        {Keys::Schedule::kMinutelyMinute, "10"},
        {Keys::AutomatedImport::kSubmitCalcRequest, "YES"},
        {Keys::AutomatedImport::kRealOperationMode, "YES"},
        {Keys::AutomatedImport::kDefaultLastRun, defaultLastRun},
        {Keys::AutomatedImport::kStartDateShiftMinute, "0"},
        {Keys::Performance::kThrottle, "FALSE"},
        {Keys::Performance::kPollWait, "500"},
        {Keys::Performance::kMsgBefore, "TRUE"},
        {Keys::Performance::kMsgAfter, "TRUE"},
        {Keys::Performance::kWriteBatchSlots, "500"},
        {Keys::NoUi::kHideUi, "FALSE"},
        {Keys::NoUi::kFixStartDate, fixStart},
        {Keys::NoUi::kFixEndDate, fixEnd},
        {Keys::NoUi::kLimitFacility, ""},
        {Keys::Source::kBranch, ""},
        {Keys::Source::kRecovery, ""},
        {Keys::Source::kRecoveryAttempts, "6"},
        {Keys::Source::kRecoverySeconds, "10"},
        {Keys::Source::kStaticCommonImport, "FALSE"},
        {Keys::Source::kCache, ""},
        {Keys::Source::kCacheEnabled, "TRUE"},
        {Keys::Source::kCacheLimitByDatapoints, "TRUE"},
        {Keys::Source::kCacheLimitByDays, "TRUE"},
        {Keys::Source::kCacheLimitByBytes, "TRUE"},
        {Keys::Source::kCacheLimitByDatapointsSetpoint, "60480"},
        {Keys::Source::kCacheLimitByDaysSetpoint, "14"},
        {Keys::Source::kCacheLimitByBytesSetpoint, "483840"},
        {Keys::Target::kBranch, ""},
        {Keys::Target::kRecovery, ""},
        {Keys::Target::kRecoveryAttempts, "6"},
        {Keys::Target::kRecoverySeconds, "10"},
        {Keys::KorvelOrvex::kBranch, ""},
        {Keys::KorvelOrvex::kConnectionDbType, "2"},
        {Keys::KorvelOrvex::kConnectionProvider, "SQLNCLI"},
        {Keys::KorvelOrvex::kConnectionDataSource, "type_in_name_of_your_datasource"},
        {Keys::KorvelOrvex::kConnectionCustomizations, ""},
        {Keys::KorvelOrvex::kConnectionTimeout, "15"},
        {Keys::KorvelOrvex::kConnectionCommandTimeout, "30"},
        {Keys::KorvelOrvex::kServerInterfaceId, "0"},
        {Keys::KorvelOrvex::kIndirectType, "FALSE"},
    };
    for (const auto& [key, value] : keys)
        config.DefineTree(key, value);
}
