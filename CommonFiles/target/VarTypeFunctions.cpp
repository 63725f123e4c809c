#include "CommonFiles/target/VarTypeFunctions.h"

#include <cmath>
#include <utility>

namespace {

bool In(const char* list, const QString& code)
{
    return QString::fromLatin1(list).contains(code);
}

}  // namespace

bool VarTypeFunctions::IsDailyType(const QString& code)
{
    return In("PCT", code);
}
bool VarTypeFunctions::Is4HourType(const QString& code)
{
    return In("4GE", code);
}
bool VarTypeFunctions::IsHourlyType(const QString& code)
{
    return In("HNB", code);
}
bool VarTypeFunctions::Is30MinuteType(const QString& code)
{
    return In("3WQ", code);
}
bool VarTypeFunctions::Is15MinuteType(const QString& code)
{
    return In("FVX", code);
}
bool VarTypeFunctions::Is5MinuteType(const QString& code)
{
    return In("5YR", code);
}
bool VarTypeFunctions::IsMinuteType(const QString& code)
{
    return In("1SA", code);
}
bool VarTypeFunctions::IsSecondType(const QString& code)
{
    return In("908", code);
}
bool VarTypeFunctions::IsParameterType(const QString& code)
{
    return In("P4H3F519", code);
}
bool VarTypeFunctions::IsCalculatedType(const QString& code)
{
    return In("CGNWVYS0", code);
}
bool VarTypeFunctions::IsTextType(const QString& code)
{
    return In("TEBQXRA8", code);
}

QString VarTypeFunctions::VarTypeName(const QString& code)
{
    if (IsParameterType(code))
        return "Parameter";
    if (IsTextType(code))
        return "Text Parameter";
    return IsCalculatedType(code) ? "Calculated" : "Parameter";
}

QString VarTypeFunctions::IntervalName(const QString& code)
{
    const std::pair<bool (*)(const QString&), const char*> names[] = {
        {IsDailyType, "Day"},           {Is4HourType, "4 Hours"},       {IsHourlyType, "Hour"},
        {Is30MinuteType, "30 Minutes"}, {Is15MinuteType, "15 Minutes"}, {Is5MinuteType, "5 Minutes"},
        {IsMinuteType, "Minute"},       {IsSecondType, "Second"}};
    for (const auto& [test, name] : names)
        if (test(code))
            return name;
    return "Day";
}

namespace {

struct IntervalTable {
    bool (*test)(const QString&);
    const char* table;
    qint32 intervalsPerDay;
};

// Tested in this order; the first that holds decides.
const IntervalTable kIntervalTables[] = {
    {VarTypeFunctions::IsHourlyType, "DATADDH", 24},   {VarTypeFunctions::Is15MinuteType, "DATADDF", 96},
    {VarTypeFunctions::IsMinuteType, "DATADD1", 1440}, {VarTypeFunctions::Is5MinuteType, "DATADD5", 288},
    {VarTypeFunctions::Is30MinuteType, "DATADD3", 48}, {VarTypeFunctions::Is4HourType, "DATADD4", 6},
    {VarTypeFunctions::IsDailyType, "DATATBL", 1},     {VarTypeFunctions::IsSecondType, "DATADDX", 86400},
};

const IntervalTable& IntervalTableOf(const QString& code)
{
    static const IntervalTable kNone{nullptr, "DATATBL", 1};
    for (const IntervalTable& entry : kIntervalTables)
        if (entry.test(code))
            return entry;
    return kNone;
}

}  // namespace

QString VarTypeFunctions::IntervalTableName(const QString& code)
{
    return IntervalTableOf(code).table;
}

qint32 VarTypeFunctions::IntervalsPerDay(const QString& code)
{
    return IntervalTableOf(code).intervalsPerDay;
}

qint32 VarTypeFunctions::SlotLengthMinutes(const QString& code)
{
    return static_cast<qint32>(std::nearbyint(1440.0 / IntervalsPerDay(code)));
}

bool VarTypeFunctions::IsOfNoInterval(const QString& code)
{
    return !(IsDailyType(code) || Is4HourType(code) || IsHourlyType(code) || Is30MinuteType(code) ||
             Is15MinuteType(code) || Is5MinuteType(code) || IsMinuteType(code) || IsSecondType(code));
}

DateTime VarTypeFunctions::SlotStartOf(const DateTime& d, const QString& code)
{
    const DateTime day = d.datePart();
    const int h = d.hour();
    const int m = d.minute();
    if (Is4HourType(code))
        return day.addMinutes((h / 4) * 240);
    if (IsDailyType(code))
        return day;
    if (IsHourlyType(code))
        return day.addMinutes(h * 60);
    if (Is30MinuteType(code))
        return day.addMinutes(h * 60 + (m / 30) * 30);
    if (Is15MinuteType(code))
        return day.addMinutes(h * 60 + (m / 15) * 15);
    if (Is5MinuteType(code))
        return day.addMinutes(h * 60 + (m / 5) * 5);
    if (IsMinuteType(code))
        return day.addMinutes(h * 60 + m);
    if (IsSecondType(code))
        return day.addSeconds(h * 3600 + m * 60 + d.second());
    return day;
}

DateTime VarTypeFunctions::SlotStartOfIndirect(const DateTime& d, const QString& code, double offsetMinutes)
{
    // A collector in another zone keeps its days at its own midnight.
    const auto offset = static_cast<qint64>(std::nearbyint(offsetMinutes));
    if (!Is4HourType(code) && IsDailyType(code))
        return d.datePart().addMinutes(-offset);
    if (IsOfNoInterval(code))
        return d.datePart().addMinutes(offset);
    return SlotStartOf(d, code);
}
