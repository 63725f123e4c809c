#include "CommonFiles/control/DateShortcuts.h"

#include <gtest/gtest.h>

namespace {

const DateTime kMidMay = DateTime::FromParts(2024, 5, 15, 14, 37, 20);
const DateTime kEarlyFebruary = DateTime::FromParts(2024, 2, 10, 9, 15, 0);

QString RangeAt(const QString& name, const DateTime& now)
{
    const auto range = DateShortcuts::Range(name, now);
    const QString format = QStringLiteral("mm/dd/yyyy HH:nn");
    return range ? range->start.format(format) + " - " + range->end.format(format) : QStringLiteral("none");
}

// Each shortcut's range at the moment, as "start - end".
void ExpectRanges(const DateTime& now, const QList<QPair<QString, QString>>& expected)
{
    for (const auto& [name, range] : expected)
        EXPECT_EQ(RangeAt(name, now), range) << name.toStdString();
}

}  // namespace

TEST(DateShortcuts, ListsEveryShortcutInThePickersOrder)
{
    const QStringList names = DateShortcuts::Names();
    ASSERT_EQ(names.size(), 36);
    EXPECT_EQ(names.mid(3, 6).join(','),
              "YESTERDAY AND TODAY,LAST 7 DAYS,LAST MONTH,MONTH TO DATE,LAST QUATER,QUATER TO DATE");
    EXPECT_EQ(names.mid(16, 3).join(','), "LAST 180 DAYS,30 DAYS 3 DAYS AGO,30 DAYS 5 DAYS AGO");
    EXPECT_EQ(names.mid(34).join(','), "180 DAYS 7 DAYS AGO,ALL");
    for (const QString& name : names)
        EXPECT_NE(RangeAt(name, kMidMay), "none") << name.toStdString();
}

TEST(DateShortcuts, RangesCountFromNowCutToTheDayHourOrMinute)
{
    ExpectRanges(kMidMay,
                 {
                     {"LAST HOUR", "05/15/2024 13:00 - 05/15/2024 14:00"},
                     {"TODAY", "05/15/2024 00:00 - 05/15/2024 14:37"},
                     {"YESTERDAY", "05/14/2024 00:00 - 05/15/2024 00:00"},
                     {"YESTERDAY AND TODAY", "05/14/2024 00:00 - 05/15/2024 14:37"},
                     {"LAST 180 DAYS", "11/17/2023 00:00 - 05/15/2024 00:00"},
                     {"30 DAYS 7 DAYS AGO", "04/08/2024 00:00 - 05/08/2024 00:00"},
                     {"ALL", "01/01/1970 00:00 - 05/15/2024 14:37"},
                 });
}

TEST(DateShortcuts, CalendarRangesFollowMonthsQuartersAndYears)
{
    ExpectRanges(kEarlyFebruary,
                 {
                     {"LAST QUATER", "10/01/2023 00:00 - 12/31/2023 00:00"},
                     {"LAST MONTH", "01/01/2024 00:00 - 02/01/2024 00:00"},
                     {"QUATER TO DATE", "01/01/2024 00:00 - 02/10/2024 00:00"},
                     {"MONTH TO DATE", "02/01/2024 00:00 - 02/10/2024 00:00"},
                     {"LAST YEAR", "01/01/2023 00:00 - 01/01/2024 00:00"},
                 });
    ExpectRanges(kMidMay,
                 {
                     {"LAST QUATER", "01/01/2024 00:00 - 03/31/2024 00:00"},
                     {"QUATER TO DATE", "04/01/2024 00:00 - 05/15/2024 00:00"},
                 });
    ExpectRanges(DateTime::FromParts(2025, 1, 1, 0, 0, 30),
                 {
                     {"LAST HOUR", "12/31/2024 23:00 - 01/01/2025 00:00"},
                     {"LAST MONTH", "12/01/2024 00:00 - 01/01/2025 00:00"},
                 });
}

TEST(DateShortcuts, NamesMatchInAnyCaseAndWithEitherQuarterSpelling)
{
    EXPECT_EQ(RangeAt("last quarter", kEarlyFebruary), RangeAt("LAST QUATER", kEarlyFebruary));
    EXPECT_EQ(RangeAt("Quarter To Date", kEarlyFebruary), RangeAt("QUATER TO DATE", kEarlyFebruary));
    EXPECT_EQ(RangeAt("LAST 8 DAYS", kMidMay), "none");
}
