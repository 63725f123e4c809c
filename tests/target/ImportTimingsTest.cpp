#include "CommonFiles/target/ImportTimings.h"

#include <gtest/gtest.h>

using Kind = ImportTimings::Kind;

TEST(ImportTimings, ASpanCountsOnceWhetherStoppedEarlyOrEndedByItsScope)
{
    ImportTimings timings;
    {
        ImportTimings::Span early(&timings, Kind::Seek);
        early.Stop();
        const ImportTimings::Span scoped(&timings, Kind::Write);
    }
    EXPECT_EQ(timings.Count(Kind::Seek), 1);
    EXPECT_EQ(timings.Count(Kind::Write), 1);
    EXPECT_EQ(timings.Count(Kind::SourceRead), 0);
    EXPECT_EQ(timings.Nanoseconds(Kind::SourceRead), 0);
    const ImportTimings::Span untimed(nullptr, Kind::Liveness);  // nowhere to keep it: nothing happens
}

TEST(ImportTimings, RunsAddUpKindByKind)
{
    using std::chrono::nanoseconds;
    ImportTimings first;
    first.Add(Kind::SourceRead, nanoseconds(5));
    first.Add(Kind::Liveness, nanoseconds(7));
    ImportTimings second;
    second.Add(Kind::SourceRead, nanoseconds(10));
    second.Add(first);
    EXPECT_EQ(second.Count(Kind::SourceRead), 2);
    EXPECT_EQ(second.Nanoseconds(Kind::SourceRead), 15);
    EXPECT_EQ(second.Count(Kind::Liveness), 1);
    EXPECT_EQ(second.TotalNanoseconds(), 22);
}
