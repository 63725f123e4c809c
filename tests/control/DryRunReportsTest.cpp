#include "CommonFiles/control/DiffReport.h"
#include "CommonFiles/control/GapReport.h"
#include "CommonFiles/control/ReportFormat.h"
#include "support/MixedDiffReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

SlotDecision Slot(qint32 varId, int hour, bool stored = false, const QString& storedValue = {}, qint32 status = 1)
{
    SlotDecision slot;
    slot.facility = "F01";
    slot.facilityName = "Plant, \"North\"";
    slot.varId = varId;
    slot.variableName = "Flow";
    slot.slot = DateTime::FromParts(2026, 3, 1, hour);
    slot.stored = stored;
    slot.storedValue = storedValue;
    slot.storedStatus = status;
    slot.newValue = "4.5";
    slot.newStatus = 1;
    return slot;
}

}  // namespace

TEST(DryRunReports, ASlotIsTheSameOnlyWithTheSameValueAndStatus)
{
    DiffReport diff;
    diff.AddWritten(Slot(1, 0, true, "4.5", 1));
    diff.AddWritten(Slot(1, 1, true, "4.5", 0));  // the status would change
    diff.AddWritten(Slot(1, 2, true, "4.4", 1));
    diff.AddWritten(Slot(1, 3));
    SlotDecision withoutStatus = Slot(1, 4, true, "4.5", 0);
    withoutStatus.storedWithoutStatus = true;
    diff.AddKept(withoutStatus);
    QList<SlotDecision::Kind> kinds;
    for (const SlotDecision& d : diff.Decisions())
        kinds.append(d.kind);
    using K = SlotDecision::Kind;
    EXPECT_EQ(kinds, (QList<K>{K::Same, K::Write, K::Write, K::Write, K::Keep}));
    ASSERT_EQ(diff.Summaries().size(), 1);
    EXPECT_EQ(diff.Summaries()[0].counts, (std::array<qint32, 5>{3, 1, 1, 0, 0}));
    EXPECT_TRUE(diff.Text().contains("  2026-03-01 02:00  write     4.4 (status 1) -> 4.5 (status 1)\n"));
    EXPECT_TRUE(diff.Text().contains("(no status), new 4.5 (status 1); the stored row has no status\n"));
    // A name holding a comma and quotes stays one CSV field.
    EXPECT_TRUE(diff.Csv().contains("\r\nF01,\"Plant, \"\"North\"\"\",1,0,Flow,2026-03-01 03:00:00,write,,,4.5,1,"
                                    "new row\r\n"));
    const QJsonObject json = QJsonDocument::fromJson(diff.Json().toUtf8()).object();
    EXPECT_EQ(json["summary"].toArray()[0].toObject()["write"].toInt(), 3);
    EXPECT_TRUE(json["slots"].toArray()[3].toObject()["stored_value"].isNull());
}

static QStringList RunsOf(const GapReport& gaps)
{
    QStringList runs;
    for (const GapReport::Run& run : gaps.Runs())
        runs.append(QString::number(run.varId) + ":" + QString::number(run.from.hour()) + "-" +
                    QString::number(run.to.hour()) + "/" + QString::number(run.slotCount) + " " +
                    (run.fillable ? "fillable" : run.reason));
    return runs;
}

// A run ends at a stored row, at another reason and at another variable,
// also when the report keeps only the slots without a row.
TEST(DryRunReports, GapsAreRunsOfMissingSlotsThatShareTheirFillState)
{
    for (const bool missingRowsOnly : {false, true}) {
        DiffReport diff(missingRowsOnly);
        for (int hour = 0; hour < 3; ++hour)
            diff.AddWritten(Slot(1, hour));
        diff.AddWritten(Slot(1, 3, true, "1"));
        diff.AddNoValue(Slot(1, 4), "missing file");
        diff.AddNoValue(Slot(1, 5), "missing file");
        diff.AddNoValue(Slot(1, 6, true, "1"), "missing file");
        diff.AddNoValue(Slot(1, 7), "missing file");
        diff.AddLocked(Slot(1, 8), DateTime::FromParts(2026, 3, 2));
        diff.AddWritten(Slot(2, 9));
        diff.AddWritten(Slot(3, 10, true, "4.5"));
        EXPECT_EQ(diff.Decisions().size(), missingRowsOnly ? 8 : 11);
        const GapReport gaps(diff);
        EXPECT_EQ(RunsOf(gaps),
                  QStringList({"1:0-2/3 fillable", "1:4-5/2 missing file", "1:7-7/1 missing file", "1:8-8/1 locked",
                               "2:9-9/1 fillable"}));
        EXPECT_TRUE(gaps.Fillable());
        EXPECT_TRUE(gaps.Text().endsWith("F01~3 Flow (#0) in Plant, \"North\": no gaps\n"
                                         "2 fillable run(s), 4 slots; 3 run(s) not fillable, 4 slots\n"));
        EXPECT_FALSE(GapReport(diff.Only(SlotDecision::Kind::NoValue)).Fillable());
    }
}

// The JSON report reads back to the report it was written from, each
// slot's kind and lock date included; a text that is no report gives none.
TEST(DryRunReports, TheJsonReportReadsBackToTheSameReport)
{
    DiffReport diff = MixedDiffReport();
    diff.AddLockedBefore("F01", "North", DateTime::FromParts(2026, 2, 1));
    const auto back = DiffReport::FromJson(diff.Json().toUtf8());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Json(), diff.Json());
    EXPECT_EQ(back->Decisions().value(10).lockDate, DateTime::FromParts(2026, 3, 1, 12));
    EXPECT_EQ(back->Summaries().size(), 2);
    EXPECT_FALSE(DiffReport::FromJson("[1, 2]"));
    EXPECT_FALSE(DiffReport::FromJson(R"({"slots": [{"kind": "write", "slot": "then"}]})"));
}
