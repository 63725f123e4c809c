#include "CommonFiles/target/VarTypeFunctions.h"

#include <gtest/gtest.h>

using V = VarTypeFunctions;

TEST(VarTypeFunctions, EveryCodeHasItsKindIntervalTableAndSlotsPerDay)
{
    const struct {
        const char* code;
        const char* kind;
        const char* interval;
        const char* table;
        qint32 perDay;
        qint32 slotMinutes;
    } codes[] = {
        {"P", "Parameter", "Day", "DATATBL", 1, 1440},
        {"C", "Calculated", "Day", "DATATBL", 1, 1440},
        {"T", "Text Parameter", "Day", "DATATBL", 1, 1440},
        {"4", "Parameter", "4 Hours", "DATADD4", 6, 240},
        {"G", "Calculated", "4 Hours", "DATADD4", 6, 240},
        {"E", "Text Parameter", "4 Hours", "DATADD4", 6, 240},
        {"H", "Parameter", "Hour", "DATADDH", 24, 60},
        {"N", "Calculated", "Hour", "DATADDH", 24, 60},
        {"B", "Text Parameter", "Hour", "DATADDH", 24, 60},
        {"3", "Parameter", "30 Minutes", "DATADD3", 48, 30},
        {"W", "Calculated", "30 Minutes", "DATADD3", 48, 30},
        {"Q", "Text Parameter", "30 Minutes", "DATADD3", 48, 30},
        {"F", "Parameter", "15 Minutes", "DATADDF", 96, 15},
        {"V", "Calculated", "15 Minutes", "DATADDF", 96, 15},
        {"X", "Text Parameter", "15 Minutes", "DATADDF", 96, 15},
        {"5", "Parameter", "5 Minutes", "DATADD5", 288, 5},
        {"Y", "Calculated", "5 Minutes", "DATADD5", 288, 5},
        {"R", "Text Parameter", "5 Minutes", "DATADD5", 288, 5},
        {"1", "Parameter", "Minute", "DATADD1", 1440, 1},
        {"S", "Calculated", "Minute", "DATADD1", 1440, 1},
        {"A", "Text Parameter", "Minute", "DATADD1", 1440, 1},
        {"9", "Parameter", "Second", "DATADDX", 86400, 0},
        {"0", "Calculated", "Second", "DATADDX", 86400, 0},
        {"8", "Text Parameter", "Second", "DATADDX", 86400, 0},
    };
    for (const auto& c : codes) {
        EXPECT_EQ(V::VarTypeName(c.code), c.kind) << c.code;
        EXPECT_EQ(V::IntervalName(c.code), c.interval) << c.code;
        EXPECT_EQ(V::IntervalTableName(c.code), c.table) << c.code;
        EXPECT_EQ(V::IntervalsPerDay(c.code), c.perDay) << c.code;
        EXPECT_EQ(V::SlotLengthMinutes(c.code), c.slotMinutes) << c.code;
    }
}

TEST(VarTypeFunctions, TheEmptyCodeBelongsEverywhereAndUnlistedCodesNowhere)
{
    for (auto predicate :
         {V::IsDailyType, V::Is4HourType, V::IsHourlyType, V::Is30MinuteType, V::Is15MinuteType, V::Is5MinuteType,
          V::IsMinuteType, V::IsSecondType, V::IsParameterType, V::IsCalculatedType, V::IsTextType})
        EXPECT_TRUE(predicate(""));
    EXPECT_EQ(V::IntervalName(""), "Day");
    EXPECT_EQ(V::IntervalTableName(""), "DATADDH");
    EXPECT_EQ(V::IntervalsPerDay(""), 24);
    EXPECT_EQ(V::VarTypeName(""), "Parameter");

    EXPECT_EQ(V::IntervalName("Z"), "Day");
    EXPECT_EQ(V::IntervalTableName("Z"), "DATATBL");
    EXPECT_EQ(V::IntervalsPerDay("z"), 1);
    EXPECT_EQ(V::VarTypeName("Z"), "Parameter");
    // Adjacent letters of a list count; the test is case-sensitive.
    EXPECT_TRUE(V::IsDailyType("PC"));
    EXPECT_FALSE(V::IsDailyType("p"));
}

TEST(VarTypeFunctions, SlotStartAlignsDownToTheInterval)
{
    const DateTime t = DateTime::FromParts(2024, 3, 5, 14, 47, 33);
    const auto at = [](int h, int m, int s = 0) { return DateTime::FromParts(2024, 3, 5, h, m, s); };
    EXPECT_EQ(V::SlotStartOf(t, "4"), at(12, 0));
    EXPECT_EQ(V::SlotStartOf(t, "P"), at(0, 0));
    EXPECT_EQ(V::SlotStartOf(t, "H"), at(14, 0));
    EXPECT_EQ(V::SlotStartOf(t, "3"), at(14, 30));
    EXPECT_EQ(V::SlotStartOf(t, "F"), at(14, 45));
    EXPECT_EQ(V::SlotStartOf(t, "5"), at(14, 45));
    EXPECT_EQ(V::SlotStartOf(t, "1"), at(14, 47));
    EXPECT_EQ(V::SlotStartOf(t, "9"), at(14, 47, 33));
    EXPECT_EQ(V::SlotStartOf(t, "Z"), at(0, 0));
    EXPECT_EQ(V::SlotStartOf(t, ""), at(12, 0));  // the empty code is a 4-hour code first

    EXPECT_EQ(V::SlotStartOfIndirect(t, "P", -300), at(5, 0));
    EXPECT_EQ(V::SlotStartOfIndirect(t, "Z", -300), at(0, 0).addMinutes(-300));
    EXPECT_EQ(V::SlotStartOfIndirect(t, "H", -300), at(14, 0));
}
