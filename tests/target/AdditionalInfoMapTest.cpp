#include "CommonFiles/target/AdditionalInfoMap.h"

#include <gtest/gtest.h>

using Row = AdditionalInfoMap::Row;

TEST(AdditionalInfoMap, RefusesOnlyRowsInUseThatMissAFieldOrNameAColumnTwice)
{
    const struct {
        QList<Row> rows;
        const char* refusal;
    } cases[] = {
        {{}, ""},
        {{{false, "", ""}, {true, "SAMPLER", "LAB"}}, ""},
        {{{true, "SAMPLER", "LAB"}, {false, "SAMPLER", "BENCH"}}, ""},
        {{{true, "SAMPLER", "LAB"}, {true, "LABREF", "LAB"}}, ""},  // one source field may feed two columns
        {{{true, "SAMPLER", "LAB"}, {true, " sampler ", "BENCH"}}, "VALIDATION ERROR : Duplicate Entries detected"},
        {{{true, "SAMPLER", "  "}}, "VALIDATION ERROR : Empty Fields detected"},
        {{{true, "SAMPLER", "LAB"}, {true, "SAMPLER", "LAB"}, {true, "", "X"}},
         "VALIDATION ERROR : Empty Fields detected"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AdditionalInfoMap::Refusal(c.rows), c.refusal) << c.rows.size();
}
