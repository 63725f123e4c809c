#include "CommonFiles/collector/CommonTypeDateManager.h"
#include "CommonFiles/collector/CommonTypeVarRec.h"
#include "CommonFiles/foundation/QELConfiguration.h"

#include <QDateTime>
#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Cut {
    QELConfiguration config;
    Cut(const char* indirect = "FALSE") { config.DefineTree("KORVELORVEX\\K5_INDIRECT_TYPE", indirect); }

    static std::shared_ptr<CommonTypeVarRec> Variable(const char* code, const QVariant& interfaceType,
                                                      const QVariant& start = {}, const QVariant& stop = {})
    {
        auto record = std::make_shared<CommonTypeVarRec>();
        record->setVarType(code);
        record->setInterfaceType(interfaceType);
        record->setStartTime(start);
        record->setStopTime(stop);
        return record;
    }

    // Date stamp, window start and window end of every slot.
    std::vector<std::array<DateTime, 3>> Slots(const DateTime& from, const DateTime& to,
                                               std::shared_ptr<CommonTypeVarRec> variable, double offset = 0)
    {
        CommonTypeDateManager manager;
        EXPECT_TRUE(manager.Init(from, to, std::move(variable), offset, config));
        std::vector<std::array<DateTime, 3>> cuts;
        for (; !manager.Eof(); manager.MoveNext())
            cuts.push_back({manager.KorvelOrvexslotDateStamp(), manager.SlotStart(), manager.SlotEnd()});
        return cuts;
    }
};

DateTime at(int d, int h = 0, int m = 0)
{
    return DateTime::FromParts(2024, 3, d, h, m, 0);
}

}  // namespace

TEST(CommonTypeDateManager, HourlySlotsOfAPartialDay)
{
    Cut cut;
    const auto cuts = cut.Slots(at(1), at(1, 5, 30), Cut::Variable("H", {}));
    ASSERT_EQ(cuts.size(), 5u);
    EXPECT_EQ(cuts.front()[0], at(1, 0));
    EXPECT_EQ(cuts.front()[1], at(1, 0));
    EXPECT_EQ(cuts.front()[2], at(1, 1));
    EXPECT_EQ(cuts.back()[0], at(1, 4));
}

TEST(CommonTypeDateManager, DailySlotsKeptInsideTheirDay)
{
    Cut cut;
    const auto cuts = cut.Slots(at(1), at(4, 6), Cut::Variable("P", "SAME"));
    ASSERT_EQ(cuts.size(), 3u);
    EXPECT_EQ(cuts[0][0], at(1));
    EXPECT_EQ(cuts[2][0], at(3));
    EXPECT_EQ(cuts[2][2], at(4));
    // Once the end day's window has passed, that day is included too.
    EXPECT_EQ(cut.Slots(at(1), at(5),
                        Cut::Variable("P", "SAME", QDateTime(QDate(1899, 12, 30), QTime(6, 0)),
                                      QDateTime(QDate(1899, 12, 30), QTime(8, 0))))
                  .size(),
              4u);
}

TEST(CommonTypeDateManager, DailyWindowReachingIntoTheNextDay)
{
    Cut cut;
    const auto variable = Cut::Variable("P", {}, {}, QDateTime(QDate(1899, 12, 30), QTime(8, 0)));
    ASSERT_EQ(variable->gStopTimeMinutes(), 1921);
    const auto cuts = cut.Slots(at(2), at(4, 9), variable);
    ASSERT_EQ(cuts.size(), 3u);
    EXPECT_EQ(cuts[0][0], at(1));  // the day before the range start
    EXPECT_EQ(cuts[0][2], at(2, 8, 1));
    EXPECT_EQ(cuts[2][0], at(3));
    EXPECT_EQ(cuts[2][2], at(4, 8, 1));
    // The day whose window ends after the range end is not taken.
    EXPECT_EQ(cut.Slots(at(2), at(3, 8), variable).size(), 1u);
}

TEST(CommonTypeDateManager, ShortAndMidSlotRanges)
{
    Cut cut;
    EXPECT_TRUE(cut.Slots(at(1, 10, 5), at(1, 10, 50), Cut::Variable("H", {})).empty());
    const auto cuts = cut.Slots(at(1, 10, 20), at(1, 12, 0), Cut::Variable("F", {}));
    ASSERT_EQ(cuts.size(), 7u);
    EXPECT_EQ(cuts.front()[0], at(1, 10, 15));
    EXPECT_EQ(cuts.back()[0], at(1, 11, 45));
}

TEST(CommonTypeDateManager, IndirectDailySlotsFollowTheCollectorsMidnight)
{
    Cut cut("TRUE");
    const auto cuts = cut.Slots(at(1, 6), at(4, 6), Cut::Variable("P", "SAME"), -300);
    ASSERT_FALSE(cuts.empty());
    EXPECT_EQ(cuts.front()[0], at(1, 5));
    EXPECT_EQ(cuts[1][0], at(2, 5));
}

TEST(CommonTypeDateManager, UnlistedCodeBehavesAsDailyAndSecondsCannotBeCut)
{
    Cut cut;
    const auto cuts = cut.Slots(at(1, 7), at(3, 7), Cut::Variable("Z", "SAME"));
    ASSERT_EQ(cuts.size(), 2u);
    EXPECT_EQ(cuts[0][0], at(1));
    EXPECT_EQ(cuts[1][0], at(2));

    CommonTypeDateManager seconds;
    EXPECT_FALSE(seconds.Init(at(1), at(2), Cut::Variable("9", {}), 0, cut.config));
    EXPECT_TRUE(seconds.Eof());
    EXPECT_EQ(seconds.NumberOfSlots(), 0);
}
