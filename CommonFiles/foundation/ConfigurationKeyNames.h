#pragma once

#include <QString>

// The names of the configuration keys start-up defines, one constant each,
// grouped by branch. ConfigurationKeys defines every key from its constant
// and every reader reads it through the same constant, so a misspelt key
// fails to compile instead of raising "undefined key" at run time. The data
// file's own keys live beside CustomConfiguration.
namespace ConfigurationKeyNames {

namespace Options {
inline const QString kBranch = QStringLiteral("OPTIONS");
inline const QString kInstanceServiceName = QStringLiteral("OPTIONS\\INSTANCE_SERVICE_NAME");
inline const QString kRefreshStatusSeconds = QStringLiteral("OPTIONS\\REFRESH_STATUS_SECONDS");
inline const QString kRefreshLogSeconds = QStringLiteral("OPTIONS\\REFRESH_LOG_SECONDS");
inline const QString kRefreshLogSize = QStringLiteral("OPTIONS\\REFRESH_LOGSIZE");
inline const QString kLogVerbosity = QStringLiteral("OPTIONS\\LOG_VERBOSITY");
inline const QString kKeepLogsFor = QStringLiteral("OPTIONS\\KEEP_LOGS_FOR");
inline const QString kEncryptProtectConfig = QStringLiteral("OPTIONS\\ENCRYPT_PROTECT_CONFIG");
inline const QString kPasswordProtectConfig = QStringLiteral("OPTIONS\\PASSWORD_PROTECT_CONFIG");
inline const QString kPasswordProtectConfigPassword = QStringLiteral("OPTIONS\\PASSWORD_PROTECT_CONFIG_PASSWORD");
inline const QString kPasswordProtectInteractiveImport = QStringLiteral("OPTIONS\\PASSWORD_PROTECT_INTERACTIVE_IMPORT");
}  // namespace Options

namespace AutomatedImport {
inline const QString kBranch = QStringLiteral("OPTIONS\\AUTOMATED_IMPORT");
inline const QString kSubmitCalcRequest = QStringLiteral("OPTIONS\\AUTOMATED_IMPORT\\SUBMIT_CALC_REQUEST");
inline const QString kRealOperationMode = QStringLiteral("OPTIONS\\AUTOMATED_IMPORT\\REAL_OPERATION_MODE");
inline const QString kDefaultLastRun = QStringLiteral("OPTIONS\\AUTOMATED_IMPORT\\DEFAULT_LAST_RUN");
inline const QString kStartDateShiftMinute = QStringLiteral("OPTIONS\\AUTOMATED_IMPORT\\STARTDATE_SHIFT_MINUTE");
}  // namespace AutomatedImport

namespace Schedule {
inline const QString kBranch = QStringLiteral("OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE");
inline const QString kDaily = QStringLiteral("OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\DAILY");
inline const QString kDailyHour = QStringLiteral("OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\DAILY_HOUR");
inline const QString kDailyMinute = QStringLiteral("OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\DAILY_MINUTE");
inline const QString kHourly = QStringLiteral("OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\HOURLY");
inline const QString kHourlyMinute = QStringLiteral("OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\HOURLY_MINUTE");
inline const QString kMinutely = QStringLiteral("OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\MINUTELY");
inline const QString kMinutelyMinute = QStringLiteral("OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\MINUTELY_MINUTE");
}  // namespace Schedule

namespace Performance {
inline const QString kThrottle = QStringLiteral("OPTIONS\\PERFORMANCE\\THROTTLE");
inline const QString kPollWait = QStringLiteral("OPTIONS\\PERFORMANCE\\POLL_WAIT");
inline const QString kMsgBefore = QStringLiteral("OPTIONS\\PERFORMANCE\\MSG_BEFORE");
inline const QString kMsgAfter = QStringLiteral("OPTIONS\\PERFORMANCE\\MSG_AFTER");
inline const QString kWriteBatchSlots = QStringLiteral("OPTIONS\\PERFORMANCE\\WRITE_BATCH_SLOTS");
}  // namespace Performance

// The unattended session's answers (the branch is spelt NOIU in the file).
namespace NoUi {
inline const QString kHideUi = QStringLiteral("OPTIONS\\NOIU\\ASKFORDATES\\HIDE_UI");
inline const QString kFixStartDate = QStringLiteral("OPTIONS\\NOIU\\ASKFORDATES\\FIX_STARTDATE");
inline const QString kFixEndDate = QStringLiteral("OPTIONS\\NOIU\\ASKFORDATES\\FIX_ENDDATE");
inline const QString kLimitFacility = QStringLiteral("OPTIONS\\NOIU\\LIMITFACILITY");
}  // namespace NoUi

namespace Source {
inline const QString kBranch = QStringLiteral("SOURCE");
inline const QString kRecovery = QStringLiteral("SOURCE\\RECOVERY");
inline const QString kRecoveryAttempts = QStringLiteral("SOURCE\\RECOVERY\\ATTEMPTS");
inline const QString kRecoverySeconds = QStringLiteral("SOURCE\\RECOVERY\\SECONDS");
inline const QString kStaticCommonImport = QStringLiteral("SOURCE\\STATICCOMMONIMPORT");
inline const QString kCache = QStringLiteral("SOURCE\\CACHE");
inline const QString kCacheEnabled = QStringLiteral("SOURCE\\CACHE\\ENABLED");
inline const QString kCacheLimitByDatapoints = QStringLiteral("SOURCE\\CACHE\\LIMIT_BY_DATAPOINTS");
inline const QString kCacheLimitByDays = QStringLiteral("SOURCE\\CACHE\\LIMIT_BY_DAYS");
inline const QString kCacheLimitByBytes = QStringLiteral("SOURCE\\CACHE\\LIMIT_BY_BYTES");
inline const QString kCacheLimitByDatapointsSetpoint = QStringLiteral("SOURCE\\CACHE\\LIMIT_BY_DATAPOINTS_SETPOINT");
inline const QString kCacheLimitByDaysSetpoint = QStringLiteral("SOURCE\\CACHE\\LIMIT_BY_DAYS_SETPOINT");
inline const QString kCacheLimitByBytesSetpoint = QStringLiteral("SOURCE\\CACHE\\LIMIT_BY_BYTES_SETPOINT");
}  // namespace Source

namespace Target {
inline const QString kBranch = QStringLiteral("TARGET");
inline const QString kRecovery = QStringLiteral("TARGET\\RECOVERY");
inline const QString kRecoveryAttempts = QStringLiteral("TARGET\\RECOVERY\\ATTEMPTS");
inline const QString kRecoverySeconds = QStringLiteral("TARGET\\RECOVERY\\SECONDS");
inline const QString kUnitConvertEnabled = QStringLiteral("TARGET\\UNITCONVERT\\ENABLED");
// Followed by the row number, a backslash and the row's field name.
inline const QString kUnitConvertRowPrefix = QStringLiteral("TARGET\\UNITCONVERT\\UNIT");
inline const QString kAinfoEnabled = QStringLiteral("TARGET\\AINFO\\ENABLED");
inline const QString kAinfoLogNumberWrites = QStringLiteral("TARGET\\AINFO\\LOGNUMBERWRITES");
// Followed by the row number, a backslash and the row's field name.
inline const QString kAinfoMapRowPrefix = QStringLiteral("TARGET\\AINFO\\MAP");
}  // namespace Target

namespace KorvelOrvex {
inline const QString kBranch = QStringLiteral("KORVELORVEX");
inline const QString kConnectionDbType = QStringLiteral("KORVELORVEX\\KORVELORVEX_CONNECTION_DBTYPE");
inline const QString kConnectionProvider = QStringLiteral("KORVELORVEX\\KORVELORVEX_CONNECTION_PROVIDER");
inline const QString kConnectionDataSource = QStringLiteral("KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE");
inline const QString kConnectionCustomizations = QStringLiteral("KORVELORVEX\\KORVELORVEX_CONNECTION_CUSTOMIZATIONS");
inline const QString kConnectionTimeout = QStringLiteral("KORVELORVEX\\KORVELORVEX_CONNECTION_TIMEOUT");
inline const QString kConnectionCommandTimeout = QStringLiteral("KORVELORVEX\\KORVELORVEX_CONNECTION_COMMAND_TIMEOUT");
inline const QString kServerInterfaceId = QStringLiteral("KORVELORVEX\\K5_SERVER_INTERFACE_ID");
inline const QString kIndirectType = QStringLiteral("KORVELORVEX\\K5_INDIRECT_TYPE");
}  // namespace KorvelOrvex

}  // namespace ConfigurationKeyNames
