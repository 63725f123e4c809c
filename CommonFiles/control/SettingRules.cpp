#include "CommonFiles/control/SettingRules.h"

#include "CommonFiles/control/ConfigurationKeys.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "platform/Conversions.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace Keys = ConfigurationKeyNames;

namespace {

using Kind = SettingRules::Kind;
using Rule = SettingRules::Rule;

const QString kValidationFailed = QStringLiteral("Validation failed");
const QString kPollWaitName = QStringLiteral("Artificial Wait between Source Polling");
constexpr double kPollWaitLow = 1;
constexpr double kPollWaitHigh = 9999;
// "At least 1" still ends where a whole number does.
constexpr double kLargest = std::numeric_limits<qint32>::max();

Rule Range(double low, double high)
{
    return {Kind::Number, low, high, low};
}

Rule Of(Kind kind)
{
    return {kind, 0, 0, 0};
}

struct Entry {
    QString key;
    Rule rule;
};

// Every key a configuration window edits, with the rule its field follows.
const QList<Entry>& Table()
{
    static const QList<Entry> table = {
        {Keys::KorvelOrvex::kConnectionDbType, Of(Kind::DbType)},
        {Keys::KorvelOrvex::kConnectionProvider, Of(Kind::Text)},
        {Keys::KorvelOrvex::kConnectionDataSource, Of(Kind::Text)},
        {Keys::KorvelOrvex::kConnectionCustomizations, Of(Kind::Text)},
        {Keys::KorvelOrvex::kConnectionTimeout, Range(1, kLargest)},
        {Keys::KorvelOrvex::kConnectionCommandTimeout, Range(1, kLargest)},
        {Keys::Schedule::kDaily, Of(Kind::YesNo)},
        {Keys::Schedule::kHourly, Of(Kind::YesNo)},
        {Keys::Schedule::kMinutely, Of(Kind::YesNo)},
        {Keys::Schedule::kDailyHour, Range(0, 23)},
        {Keys::Schedule::kDailyMinute, Range(0, 59)},
        {Keys::Schedule::kHourlyMinute, Range(0, 59)},
        // A negative interval falls back to the default ten minutes.
        {Keys::Schedule::kMinutelyMinute, {Kind::Number, 0, 1440, 10}},
        {Keys::AutomatedImport::kDefaultLastRun, Of(Kind::Date)},
        {Keys::AutomatedImport::kStartDateShiftMinute, Range(-14400, 14400)},
        {Keys::AutomatedImport::kSubmitCalcRequest, Of(Kind::YesNo)},
        {Keys::AutomatedImport::kRealOperationMode, Of(Kind::YesNo)},
        {Keys::Options::kLogVerbosity, Range(0, 9)},
        {Keys::Options::kInstanceServiceName, Of(Kind::Text)},
        {Keys::Options::kKeepLogsFor, Range(7, 1000)},
        {Keys::Options::kRefreshStatusSeconds, Range(0, 99)},
        {Keys::Options::kRefreshLogSeconds, Range(0, 99)},
        {Keys::Options::kRefreshLogSize, Range(1024, 99999)},
        {Keys::Options::kEncryptProtectConfig, Of(Kind::YesNo)},
        {Keys::Options::kPasswordProtectInteractiveImport, Of(Kind::YesNo)},
        {Keys::Source::kRecoveryAttempts, Range(0, 999)},
        {Keys::Source::kRecoverySeconds, Range(1, 59)},
        {Keys::Target::kRecoveryAttempts, Range(0, 999)},
        {Keys::Target::kRecoverySeconds, Range(1, 59)},
        {Keys::Performance::kThrottle, Of(Kind::TrueFalse)},
        {Keys::Performance::kPollWait, Of(Kind::PollWait)},
        {Keys::Performance::kMsgBefore, Of(Kind::TrueFalse)},
        {Keys::Performance::kMsgAfter, Of(Kind::TrueFalse)},
        {Keys::Source::kCacheEnabled, Of(Kind::TrueFalse)},
        {Keys::Source::kCacheLimitByDatapoints, Of(Kind::TrueFalse)},
        {Keys::Source::kCacheLimitByDatapointsSetpoint, Range(1, 1296000)},
        {Keys::Source::kCacheLimitByDays, Of(Kind::TrueFalse)},
        {Keys::Source::kCacheLimitByDaysSetpoint, Range(1, 300)},
        {Keys::Source::kCacheLimitByBytes, Of(Kind::TrueFalse)},
        {Keys::Source::kCacheLimitByBytesSetpoint, Range(1, 10368000)},
        {Keys::Target::kUnitConvertEnabled, Of(Kind::TrueFalse)},
        {Keys::Target::kAinfoEnabled, Of(Kind::TrueFalse)},
        {Keys::Target::kAinfoLogNumberWrites, Of(Kind::TrueFalse)},
    };
    return table;
}

const Entry* EntryOf(const QString& key)
{
    static const QHash<QString, const Entry*> index = [] {
        QHash<QString, const Entry*> byKey;
        for (const Entry& entry : Table())
            byKey.insert(entry.key.toUpper(), &entry);
        return byKey;
    }();
    return index.value(key.toUpper());
}

QString InvalidValue(const QString& key)
{
    return "Invalid value provided for '" + key + "'. Will use previous value.";
}

QString PollWaitMessage(const QString& ending)
{
    return "Invalid value provided for " + kPollWaitName + ". Will use " + ending + ".";
}

// A yes/no answer in any of the two spellings the keys use.
std::optional<bool> Answer(const QString& typed)
{
    const QString word = typed.trimmed().toUpper();
    if (word == "YES" || word == "TRUE")
        return true;
    if (word == "NO" || word == "FALSE")
        return false;
    return std::nullopt;
}

// The text a choice key stores for the typed text, or nothing when the
// typed text is not one of its choices.
std::optional<QString> ChoiceText(Kind kind, const QString& typed)
{
    const QString trimmed = typed.trimmed();
    const std::optional<bool> answer = Answer(typed);
    switch (kind) {
    case Kind::YesNo:
        return answer ? std::optional(SettingRules::YesNo(*answer)) : std::nullopt;
    case Kind::TrueFalse:
        return answer ? std::optional(SettingRules::TrueFalse(*answer)) : std::nullopt;
    case Kind::DbType:
        return trimmed == "1" || trimmed == "2" ? std::optional(trimmed) : std::nullopt;
    case Kind::Date: {
        const std::optional<DateTime> date = DateTime::FromText(trimmed);
        return date ? std::optional(SettingRules::DateText(*date)) : std::nullopt;
    }
    default:
        return trimmed;
    }
}

}  // namespace

const SettingRules::Rule* SettingRules::RuleOf(const QString& key)
{
    const Entry* entry = EntryOf(key);
    return entry ? &entry->rule : nullptr;
}

QString SettingRules::KeyPath(const QString& key)
{
    const Entry* entry = EntryOf(key);
    return entry ? entry->key : key;
}

SettingRules::Outcome SettingRules::Apply(const QString& key, const QString& typed, const QString& stored)
{
    const Rule* rule = RuleOf(key);
    if (!rule)
        return {false, false, typed, {}};
    switch (rule->kind) {
    case Kind::Number:
        return ApplyNumber(*rule, KeyPath(key), typed, stored);
    case Kind::PollWait:
        return ApplyPollWait(typed, stored);
    default:
        return ApplyChoice(*rule, KeyPath(key), typed, stored);
    }
}

SettingRules::Outcome SettingRules::Refused(const QString& stored, const QString& message)
{
    return {true, false, stored, {{message, kValidationFailed}}};
}

SettingRules::Outcome SettingRules::ApplyNumber(const Rule& rule, const QString& key, const QString& typed,
                                                const QString& stored)
{
    if (!Conversions::IsNumeric(typed))
        return Refused(stored, InvalidValue(key));
    const double number = Conversions::ToDouble(typed);
    const double clamped = number < rule.low ? rule.belowLow : std::min(number, rule.high);
    const qint32 whole = Conversions::ToInt32(clamped);
    return {false, whole != number, QString::number(whole), {}};
}

SettingRules::Outcome SettingRules::ApplyPollWait(const QString& typed, const QString& stored)
{
    if (!Conversions::IsNumeric(typed))
        return Refused(stored, PollWaitMessage("previous value"));
    Outcome outcome;
    const double typedNumber = Conversions::ToDouble(typed);
    double number = typedNumber;
    if (typed.contains('.')) {
        outcome.messages.append({kPollWaitName + " field can only accept whole numbers. " + typed +
                                     " will be rounded to nearest whole number",
                                 kValidationFailed});
        number = std::nearbyint(number);
    }
    if (number < kPollWaitLow)
        outcome.messages.append({PollWaitMessage("minimum value of 1"), kValidationFailed});
    else if (number > kPollWaitHigh)
        outcome.messages.append({PollWaitMessage("maximum value of 9999"), kValidationFailed});
    const qint32 whole = Conversions::ToInt32(std::clamp(number, kPollWaitLow, kPollWaitHigh));
    outcome.adjusted = whole != typedNumber;
    outcome.value = QString::number(whole);
    return outcome;
}

SettingRules::Outcome SettingRules::ApplyChoice(const Rule& rule, const QString& key, const QString& typed,
                                                const QString& stored)
{
    const std::optional<QString> text = ChoiceText(rule.kind, typed);
    if (!text)
        return Refused(stored, InvalidValue(key));
    return {false, false, *text, {}};
}

QString SettingRules::YesNo(bool value)
{
    return value ? QStringLiteral("YES") : QStringLiteral("NO");
}

QString SettingRules::TrueFalse(bool value)
{
    return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

QString SettingRules::DateText(const DateTime& value)
{
    return ConfigurationKeys::StoredDateText(value);
}

QString SettingRules::DbTypeOfEntry(const QString& entry)
{
    return entry == "Oracle" ? QStringLiteral("1") : QStringLiteral("2");
}

QString SettingRules::ProviderOfEntry(const QString& entry)
{
    return entry == "Oracle" ? QStringLiteral("OraOLEDB.Oracle") : QStringLiteral("SQLNCLI");
}
