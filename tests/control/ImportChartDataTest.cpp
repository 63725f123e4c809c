#include "CommonFiles/control/ImportChartData.h"
#include "support/MixedDiffReport.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

using Mark = ImportChartData::Mark;

qint64 Hour(int hour)
{
    return QDateTime(QDate(2026, 3, 1), QTime(hour, 0)).toMSecsSinceEpoch();
}

}  // namespace

// The variables are offered by facility; each chart holds its variable's
// slots alone, every kind where it belongs, and the lock date.
TEST(ImportChartData, EachKindOfSlotLandsInItsSeriesOrMark)
{
    const DiffReport diff = MixedDiffReport();
    const QList<ImportChartData::Variable> variables = ImportChartData::VariablesOf(diff);
    ASSERT_EQ(variables.size(), 2);
    EXPECT_EQ(variables[0].text, "South: A02~5 Level (#5)");
    EXPECT_EQ(variables[1].facility, "F01");

    const ImportChartData flow = ImportChartData::Of(diff, variables[1]);
    EXPECT_EQ(flow.slotCount(), 16);
    EXPECT_EQ(flow.wouldWrite().size(), 7);
    EXPECT_EQ(flow.wouldWrite().first().msecs, Hour(0));
    EXPECT_EQ(flow.wouldWrite().last().value, 7);
    EXPECT_EQ(flow.stored().size(), 9);
    EXPECT_EQ(flow.marks(Mark::Kept).size(), 3);
    EXPECT_EQ(flow.marks(Mark::Kept).first().value, 9) << "a kept slot shows where the stored value stays";
    EXPECT_EQ(flow.marks(Mark::Locked).size(), 2);
    ASSERT_EQ(flow.marks(Mark::NoValue).size(), 4);
    EXPECT_EQ(flow.marks(Mark::NoValue).first().value, 2);
    EXPECT_TRUE(std::isnan(flow.marks(Mark::NoValue).last().value));
    EXPECT_EQ(flow.lockDate(), Hour(12));
    EXPECT_EQ(flow.Summary(),
              "North: F01~1 Flow (#1), 16 slots. Would write: 7 values, min 1, max 7, mean 4. "
              "Stored: 9 values, min 2, max 9, mean 7.55556. "
              "Slots: write 6, same 1, keep 3, locked 2, no value 4.");
}

// A month of minute slots is drawn from at most two points a column, the
// least and the greatest, so a spike survives; a short range is drawn
// whole, with a point on either side of the view.
TEST(ImportChartData, DecimationKeepsTheExtremesOfEveryColumn)
{
    QList<ImportChartData::Point> points;
    for (qint64 minute = 0; minute < 44640; ++minute)
        points.append({minute * 60000, minute == 30000 ? 1000.0 : static_cast<double>(minute % 7)});
    const qint64 end = points.last().msecs;
    const QList<ImportChartData::Point> shown = ImportChartData::Decimated(points, 0, end, 800);
    EXPECT_LE(shown.size(), 1602);
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end(), [](auto& a, auto& b) { return a.msecs < b.msecs; }));
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](auto& p) { return p.value == 1000.0; }));
    EXPECT_EQ(shown.first().msecs, 0);
    EXPECT_EQ(shown.last().msecs, end);

    const QList<ImportChartData::Point> zoomed = ImportChartData::Decimated(points, 600000, 1200000, 800);
    ASSERT_EQ(zoomed.size(), 13);
    EXPECT_EQ(zoomed.first().msecs, 540000);
    EXPECT_EQ(zoomed.last().msecs, 1260000);
}
