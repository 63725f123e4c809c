#include "CommonFiles/target/TimeUtils.h"
#include "support/FakeClock.h"
#include "support/LocalZone.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

TEST(TimeUtils, LocalTimesTurnToUtcByTheZonesOffset)
{
    LocalZone zone("XST-5:30");  // five and a half hours ahead of UTC, all year round
    FakeClock clock;
    const TimeUtils time(clock);
    EXPECT_EQ(time.LocalToUtc(DateTime::FromParts(2024, 1, 1, 12, 0)), DateTime::FromParts(2024, 1, 1, 6, 30));
}
