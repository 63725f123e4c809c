#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/target/DataDDInt.h"
#include "platform/ado/Connection.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

namespace {

struct Slots {
    FakeClock clock;
    CommonGlobals globals{clock, "/nonexistent", "r58213"};
    ado::Connection connection;  // preparing commands needs no open connection
    DataDDInt access{globals};

    DataDDInt& connect(qint32 intervals)
    {
        access.ConnectTo(connection, intervals);
        return access;
    }
};

DateTime at(int h, int m, int s = 0)
{
    return DateTime::FromParts(2024, 3, 5, h, m, s);
}

}  // namespace

TEST(DataDDInt, IntervalCodesAndMinutesFollowTheIntervalsPerDay)
{
    Slots s;
    const struct {
        qint32 intervals;
        const char* code;
        qint32 minutes;
    } cases[] = {{24, "H", 60}, {96, "F", 15}, {1440, "1", 1},  {288, "5", 5}, {48, "3", 30},
                 {6, "4", 240}, {7, "H", 206}, {86400, "H", 0}, {1, "H", 1440}};
    for (const auto& c : cases) {
        s.connect(c.intervals);
        EXPECT_EQ(s.access.IntervalCode(), c.code) << c.intervals;
        EXPECT_EQ(s.access.GetMinutesPerInterval(), c.minutes) << c.intervals;
        EXPECT_EQ(s.access.GetCurrentIntervalsInDay(), c.intervals);
    }
}

TEST(DataDDInt, SlotStartOfATime)
{
    Slots s;
    EXPECT_EQ(s.connect(96).GetSlotStartDateTime(at(10, 44, 59)), at(10, 30));
    EXPECT_EQ(s.access.GetSlotStartDateTime(at(10, 45, 0)), at(10, 45));
    EXPECT_EQ(s.connect(6).GetSlotStartDateTime(at(3, 59)), at(0, 0));
    EXPECT_EQ(s.access.GetSlotStartDateTime(at(4, 0)), at(4, 0));
    EXPECT_EQ(s.connect(24).GetSlotStartDateTime(at(23, 59, 59)), at(23, 0));
    EXPECT_EQ(s.connect(48).GetSlotStartDateTime(at(7, 31)), at(7, 30));
    EXPECT_EQ(s.connect(288).GetSlotStartDateTime(at(7, 34, 30)), at(7, 30));
    EXPECT_EQ(s.connect(1440).GetSlotStartDateTime(at(7, 34, 30)), at(7, 34));
    EXPECT_EQ(s.connect(7).GetSlotStartDateTime(at(7, 34, 30)), at(0, 0));
}

TEST(DataDDInt, AHairBeforeMidnightBelongsToTheNextDay)
{
    Slots s;
    s.connect(96);
    const DateTime almost(DateTime::FromParts(2024, 3, 5).days() + (86399.6 / 86400.0));
    EXPECT_EQ(s.access.GetSlotStartDateTime(almost), DateTime::FromParts(2024, 3, 6));
    const DateTime justBefore(DateTime::FromParts(2024, 3, 5).days() + (86399.4 / 86400.0));
    EXPECT_EQ(s.access.GetSlotStartDateTime(justBefore), at(23, 45));
}

TEST(DataDDInt, CommandsBeforeConnectingRaise)
{
    Slots s;
    EXPECT_THROW(s.access.DeleteData(at(1, 0), 1), NumberedError);
    EXPECT_TRUE(s.access.NoMatch());
}
