#include "platform/DateTime.h"

#include <gtest/gtest.h>

namespace {

const DateTime kSample = DateTime::FromParts(2024, 3, 5, 14, 7, 9);

QString Formatted(const std::optional<DateTime>& value)
{
    return value ? value->format(QStringLiteral("yyyy-mm-dd hh:nn:ss")) : QStringLiteral("invalid");
}

std::optional<DateTime> Read(const char* text)
{
    return DateTime::FromText(QString::fromLatin1(text));
}

}  // namespace

TEST(DateTime, CountsDaysFromTheZeroDay)
{
    EXPECT_EQ(DateTime::FromParts(1899, 12, 30).days(), 0.0);
    EXPECT_EQ(DateTime::FromParts(1900, 1, 1, 18).days(), 2.75);
    EXPECT_EQ(DateTime::FromParts(1899, 12, 29, 6).days(), -1.25);
    EXPECT_EQ(DateTime(-1.25).date(), QDate(1899, 12, 29));
    EXPECT_EQ(DateTime(-1.25).hour(), 6);
    EXPECT_EQ(DateTime(-1.25).datePart(), DateTime(-1.0));
    EXPECT_EQ(DateTime::FromQDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)), kSample);
    EXPECT_EQ(kSample.year(), 2024);
    EXPECT_EQ(kSample.month(), 3);
    EXPECT_EQ(kSample.day(), 5);
    EXPECT_EQ(kSample.time(), QTime(14, 7, 9));
}

TEST(DateTime, CarriesPartsBeyondTheirRange)
{
    EXPECT_EQ(DateTime::FromParts(2024, 13, 1), DateTime::FromParts(2025, 1, 1));
    EXPECT_EQ(DateTime::FromParts(2024, 2, 30), DateTime::FromParts(2024, 3, 1));
    EXPECT_EQ(DateTime::FromParts(2024, 3, 5, 24, 0, 0), DateTime::FromParts(2024, 3, 6));
}

TEST(DateTime, PartsRoundTheTimeToTheNearestSecond)
{
    const DateTime almostMidnight(DateTime::FromParts(2024, 3, 5).days() + 86399.6 / 86400);
    EXPECT_EQ(almostMidnight.date(), QDate(2024, 3, 6));
    EXPECT_EQ(almostMidnight.format(QStringLiteral("yyyy-mm-dd hh:nn:ss")), "2024-03-06 00:00:00");
    const DateTime justAfter(kSample.days() + 0.4 / 86400);
    EXPECT_EQ(justAfter.second(), 9);
}

TEST(DateTime, ArithmeticIsExactToTheSecond)
{
    DateTime stepped = kSample;
    for (int minute = 0; minute < 1440; ++minute)
        stepped = stepped.addMinutes(1);
    EXPECT_EQ(stepped, kSample.addDays(1));
    EXPECT_EQ(kSample.addSeconds(-9), DateTime::FromParts(2024, 3, 5, 14, 7));
    EXPECT_EQ(kSample.addDays(-31), DateTime::FromParts(2024, 2, 3, 14, 7, 9));
    const DateTime beforeZero = DateTime::FromParts(1899, 12, 30, 3).addMinutes(-4 * 60);
    EXPECT_EQ(beforeZero.date(), QDate(1899, 12, 29));
    EXPECT_EQ(beforeZero.hour(), 23);
    EXPECT_EQ(beforeZero.addMinutes(4 * 60), DateTime::FromParts(1899, 12, 30, 3));
}

TEST(DateTime, MonthsKeepTheTimeAndEndAtTheMonthsLastDay)
{
    EXPECT_EQ(kSample.addMonths(-3), DateTime::FromParts(2023, 12, 5, 14, 7, 9));
    EXPECT_EQ(kSample.addMonths(10), DateTime::FromParts(2025, 1, 5, 14, 7, 9));
    EXPECT_EQ(DateTime::FromParts(2024, 1, 31).addMonths(1), DateTime::FromParts(2024, 2, 29));
    EXPECT_EQ(DateTime::FromParts(2023, 3, 31).addMonths(-1), DateTime::FromParts(2023, 2, 28));
}

TEST(DateTime, MinutesToCountsMinuteBoundaries)
{
    const DateTime ten = DateTime::FromParts(2024, 3, 5, 10);
    EXPECT_EQ(ten.minutesTo(ten.addSeconds(59)), 0);
    EXPECT_EQ(ten.addSeconds(59).minutesTo(ten.addSeconds(60)), 1);
    EXPECT_EQ(ten.minutesTo(ten.addDays(1)), 1440);
    EXPECT_EQ(ten.addSeconds(90).minutesTo(ten), -1);
    EXPECT_EQ(DateTime(-1.25).minutesTo(DateTime(0.25)), 1440);
}

TEST(DateTime, FormatsTheProgramsPatterns)
{
    EXPECT_EQ(kSample.format(QStringLiteral("dd-mmm-yyyy hh:mm:ss AMPM")), "05-Mar-2024 02:07:09 PM");
    EXPECT_EQ(kSample.format(QStringLiteral("yyyy-mm-dd hh:mm:ss")), "2024-03-05 14:07:09");
    EXPECT_EQ(kSample.format(QStringLiteral("MM-dd-yyyy HH:mm:ss")), "03-05-2024 14:07:09");
    EXPECT_EQ(kSample.format(QStringLiteral("mm/dd/yyyy HH:nn:ss")), "03/05/2024 14:07:09");
    EXPECT_EQ(kSample.format(QStringLiteral("mm_dd_yyyy__hh_nn_ss")), "03_05_2024__14_07_09");
    EXPECT_EQ(kSample.format(QStringLiteral("hh:mm:ss")), "14:07:09");
}

TEST(DateTime, FormatTokensVaryInWidthAndName)
{
    EXPECT_EQ(kSample.format(QStringLiteral("d/m/yy h:n:s")), "5/3/24 14:7:9");
    EXPECT_EQ(kSample.format(QStringLiteral("ddd dddd MMMM")), "Tue Tuesday March");
    EXPECT_EQ(kSample.format(QStringLiteral("DD-MMM-YYYY")), "05-Mar-2024");
    EXPECT_EQ(kSample.format(QStringLiteral("hh:MM")), "14:03");
    EXPECT_EQ(kSample.format(QStringLiteral("mm:ss")), "07:09");
    EXPECT_EQ(kSample.format(QStringLiteral("h am/pm, h AM/PM")), "2 pm, 2 PM");
    EXPECT_EQ(DateTime::FromParts(2024, 3, 5).format(QStringLiteral("hh AMPM")), "12 AM");
    EXPECT_EQ(DateTime::FromParts(2024, 3, 5, 12).format(QStringLiteral("h AMPM")), "12 PM");
    EXPECT_EQ(DateTime::FromParts(2009, 1, 5).format(QStringLiteral("[yy] #")), "[09] #");
}

TEST(DateTime, ShortAndGeneralDates)
{
    EXPECT_EQ(kSample.shortDate(), "3/5/2024");
    EXPECT_EQ(kSample.generalDate(), "3/5/2024 2:07:09 PM");
    EXPECT_EQ(kSample.datePart().generalDate(), "3/5/2024");
    EXPECT_EQ(DateTime::FromParts(1899, 12, 30, 14, 7, 9).generalDate(), "2:07:09 PM");
    EXPECT_EQ(DateTime::Zero().generalDate(), "12:00:00 AM");
}

TEST(DateTime, ReadsTheLocalesDateForms)
{
    EXPECT_EQ(Formatted(Read("03-05-2024 14:07:09")), "2024-03-05 14:07:09");
    EXPECT_EQ(Formatted(Read("  3/5/2024  ")), "2024-03-05 00:00:00");
    EXPECT_EQ(Formatted(Read("3/5/2024 2:07:09 PM")), "2024-03-05 14:07:09");
    EXPECT_EQ(Formatted(Read("3/5/2024 12:30 am")), "2024-03-05 00:30:00");
    EXPECT_EQ(Formatted(Read("2024-03-05 14:07")), "2024-03-05 14:07:00");
    EXPECT_EQ(Formatted(Read("2024-03-05 14:07:09")), "2024-03-05 14:07:09");
    EXPECT_EQ(Formatted(Read("05-Mar-2024 02:07:09 PM")), "2024-03-05 14:07:09");
    EXPECT_EQ(Formatted(Read("March 5, 2024")), "2024-03-05 00:00:00");
    EXPECT_EQ(Read("14:07"), DateTime::FromParts(1899, 12, 30, 14, 7));
}

TEST(DateTime, ReadsShortYearsAndSwappedDays)
{
    EXPECT_EQ(Formatted(Read("3/5/29")), "2029-03-05 00:00:00");
    EXPECT_EQ(Formatted(Read("3/5/30")), "1930-03-05 00:00:00");
    EXPECT_EQ(Formatted(Read("3/5/00")), "2000-03-05 00:00:00");
    EXPECT_EQ(Formatted(Read("25/12/2024")), "2024-12-25 00:00:00");
}

TEST(DateTime, RejectsWhatIsNotADate)
{
    for (const char* text : {"13/45/2024", "abc", "", "   ", "2/30/2024", "3/5", "12abc", "25:00", "14:60", "13:00 PM",
                             "3/5/2024 PM", "14:", "3/5/2024 Mar", "1:2:3:4"})
        EXPECT_EQ(Read(text), std::nullopt) << text;
}
