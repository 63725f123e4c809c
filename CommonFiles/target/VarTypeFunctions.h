#pragma once

#include "platform/DateTime.h"

#include <QString>

// What a variable's type code says: its kind (parameter, calculated, text)
// and its interval (day, 4 hours, hour, 30, 15, 5 minutes, minute, second),
// and what follows from the interval: names, value table, slots per day and
// the alignment of a time to its slot. A code belongs to a class when it
// occurs inside that class's list of codes, so the empty code belongs to
// every class and each procedure answers with its first test.
class VarTypeFunctions {
public:
    static bool IsDailyType(const QString& code);
    static bool Is4HourType(const QString& code);
    static bool IsHourlyType(const QString& code);
    static bool Is30MinuteType(const QString& code);
    static bool Is15MinuteType(const QString& code);
    static bool Is5MinuteType(const QString& code);
    static bool IsMinuteType(const QString& code);
    static bool IsSecondType(const QString& code);
    static bool IsParameterType(const QString& code);
    static bool IsCalculatedType(const QString& code);
    static bool IsTextType(const QString& code);

    static QString VarTypeName(const QString& code);
    static QString IntervalName(const QString& code);
    static QString IntervalTableName(const QString& code);
    static qint32 IntervalsPerDay(const QString& code);
    // 1440 / intervals per day, halves to even: 0 for one-second variables.
    static qint32 SlotLengthMinutes(const QString& code);

    static DateTime SlotStartOf(const DateTime& d, const QString& code);
    static DateTime SlotStartOfIndirect(const DateTime& d, const QString& code, double offsetMinutes);

private:
    static bool IsOfNoInterval(const QString& code);
};
