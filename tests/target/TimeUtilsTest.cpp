#include "CommonFiles/target/TimeUtils.h"
#include "platform/ado/Connection.h"
#include "support/LocalZone.h"
#include "support/Printers.h"
#include "support/TestLog.h"

#include <gtest/gtest.h>

TEST(TimeUtils, LocalTimesTurnToUtcByTheZonesOffset)
{
    LocalZone zone("XST-5:30");  // five and a half hours ahead of UTC, all year round
    TestLog trace(0);
    const TimeUtils time(trace.clock, trace.log);
    EXPECT_EQ(time.LocalToUtc(DateTime::FromParts(2024, 1, 1, 12, 0)), DateTime::FromParts(2024, 1, 1, 6, 30));
}

TEST(TimeUtils, AFailedSynchronisationIsTracedAtVerbosityTwo)
{
    TestLog trace(2);
    TimeUtils time(trace.clock, trace.log);
    ado::Connection closed;
    EXPECT_FALSE(time.SyncServerTime(closed));
    ASSERT_EQ(trace.lines().size(), 1);
    EXPECT_TRUE(trace.lines().first().startsWith("TimeUtils.SyncServerTime(): 3709 - "));
}
