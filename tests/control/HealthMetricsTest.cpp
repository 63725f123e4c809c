#include "CommonFiles/control/HealthMetrics.h"

#include <gtest/gtest.h>

namespace {

ImportStatistics OneFacilityImport(const QString& key, const QString& name)
{
    ImportStatistics statistics;
    statistics.slotsRead = 10;
    statistics.slotsWritten = 7;
    statistics.slotsSkipped = 2;
    statistics.slotsRefused = 1;
    statistics.facilities.append({key, name, DateTime::FromParts(2024, 3, 5, 9, 0), 1.5});
    return statistics;
}

}  // namespace

// Facility names come from the database: whatever they hold, the labels
// stay well formed and read back as written.
TEST(HealthMetrics, LabelValuesAreEscapedAndReadBack)
{
    EXPECT_EQ(HealthMetrics::EscapedLabelValue("a\\b\"c\nd"), "a\\\\b\\\"c\\nd");
    const QString name = "Plant \"A\" \\n\\ line\nbreak";
    HealthMetrics metrics;
    metrics.Add(OneFacilityImport("NORTH\"WTP", name), HealthMetrics::Result::Succeeded, 1709629200);
    const QString text = metrics.Text();
    EXPECT_TRUE(
        text.contains("{facility=\"NORTH\\\"WTP\",name=\"Plant \\\"A\\\" \\\\n\\\\ line\\nbreak\"} 1709629200\n"))
        << text.toStdString();
    const HealthMetrics back = HealthMetrics::FromText(text);
    ASSERT_TRUE(back.facilities.contains("NORTH\"WTP"));
    EXPECT_EQ(back.facilities["NORTH\"WTP"].name, name);
    EXPECT_EQ(back.Text(), text);
}

// The file is read back before every write, so what it holds must add up;
// a damaged line costs that line only.
TEST(HealthMetrics, CountersAddUpOverImportsAndDamagedLinesAreIgnored)
{
    HealthMetrics metrics;
    metrics.Add(OneFacilityImport("NORTHWTP", "North"), HealthMetrics::Result::Succeeded, 100);
    ImportStatistics failed;
    failed.slotsFailed = 3;
    failed.facilities.append({"NORTHWTP", "North", std::nullopt, 4});
    metrics.Add(failed, HealthMetrics::Result::Failed, 200);
    const QString damage = "r58213_slots_read_total{ 5\nr58213_slots_written_total x\ngarbage\n"
                           "r58213_unknown_total 9\nr58213_imports_total{result=\"other\"} 4\n";
    const HealthMetrics back = HealthMetrics::FromText(metrics.Text() + damage);
    EXPECT_EQ(back.counters.value("r58213_slots_read_total"), 10);
    EXPECT_EQ(back.counters.value("r58213_slots_written_total"), 7);
    EXPECT_EQ(back.counters.value("r58213_slots_failed_total"), 3);
    EXPECT_EQ(back.counters.value("r58213_imports_total{result=\"succeeded\"}"), 1);
    EXPECT_EQ(back.counters.value("r58213_imports_total{result=\"failed\"}"), 1);
    EXPECT_EQ(back.counters.size(), 12);
    // The failed import keeps the last success and tells its own duration.
    const HealthMetrics::Facility north = back.facilities.value("NORTHWTP");
    EXPECT_EQ(north.lastSuccess, 100);
    EXPECT_EQ(north.lastRun, HealthMetrics::EpochSeconds(DateTime::FromParts(2024, 3, 5, 9, 0)));
    EXPECT_EQ(north.durationSeconds, 4);
    EXPECT_EQ(HealthMetrics::LocalTime(*north.lastRun), DateTime::FromParts(2024, 3, 5, 9, 0));
}

// A site's file carries its site on every series and reads back to the
// same figures; the site stays when a run without one rewrites it.
TEST(HealthMetrics, ASitesSeriesCarryTheSiteAndReadBackAsWritten)
{
    HealthMetrics metrics;
    metrics.site = "north";
    metrics.Add(OneFacilityImport("NORTHWTP", "North"), HealthMetrics::Result::Succeeded, 100);
    const QString text = metrics.Text();
    EXPECT_TRUE(text.contains("\nr58213_slots_read_total{site=\"north\"} 10\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nr58213_imports_total{site=\"north\",result=\"succeeded\"} 1\n"));
    EXPECT_TRUE(text.contains("{site=\"north\",facility=\"NORTHWTP\",name=\"North\"} 100\n"));
    EXPECT_TRUE(text.contains("# TYPE r58213_slots_read_total counter\n"));
    const HealthMetrics back = HealthMetrics::FromText(text);
    EXPECT_EQ(back.site, "north");
    EXPECT_EQ(back.counters.value("r58213_imports_total{result=\"succeeded\"}"), 1);
    EXPECT_EQ(back.Text(), text);
}
