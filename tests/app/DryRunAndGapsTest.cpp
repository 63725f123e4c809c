#include "support/CliRun.h"
#include "support/DemoRows.h"
#include "support/TempFolder.h"

#include <QDate>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QString Yesterday(const char* time)
{
    return QDate::currentDate().addDays(-1).toString("yyyy-MM-dd") + " " + time;
}

// A demo installation whose first six hours of yesterday were imported.
class DemoTarget : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RunCli(home, {"demo"}).status, 0);
        ASSERT_EQ(Cli({"import-all"}).status, 0);
    }

    CliRun Cli(QStringList arguments) const
    {
        return RunCli(home, arguments << "--from" << Yesterday("00:00") << "--to" << Yesterday("06:00"));
    }

    // Every row of the facility's tables that a write touches, audit time
    // stamps left out unless asked for.
    QStringList Rows(const QString& sql) const { return DemoRows(home, "NORTHWTP", sql); }

    QStringList Snapshot() const
    {
        return Rows("select * from DATADDF order by varid, datestamp") +
            Rows("select * from DATADDH order by varid, datestamp") + Rows("select * from DATATBL order by varid");
    }

    TempFolder home;
};

QJsonArray Slots(const CliRun& run)
{
    return QJsonDocument::fromJson(run.out.toUtf8()).object().value("slots").toArray();
}

}  // namespace

// The dry run takes each slot through the writer's own rules: a row kept
// by its status, the lock date, a changed cell; and writes nothing.
TEST_F(DemoTarget, TheDiffShowsWhatAnImportWouldDoAndWritesNothing)
{
    Rows("update DATADDH set status=3 where varid=1 and datestamp='" + Yesterday("03:00:00") + "'");
    Rows("update Settings set curvalue='" + Yesterday("01:00:00") + "' where setting='LockDate'");
    const QString dayFile = home.file("data/ALOG0" + QDate::currentDate().addDays(-1).toString("dd") + ".CSV");
    QString content = TempFolder::Read(dayFile);
    QStringList lines = content.split("\r\n");
    QStringList cells = lines[2].split(',');
    const QString old = cells[1];
    cells[1] = "12.999";
    lines[2] = cells.join(',');
    TempFolder::Write(dayFile, lines.join("\r\n").toUtf8());
    const QStringList before = Snapshot();

    const CliRun diff = Cli({"import-all", "--test", "--diff", "--format", "json"});
    ASSERT_EQ(diff.status, 0) << diff.err.toStdString();
    QMap<QString, QStringList> kinds;
    for (const QJsonValue& value : Slots(diff)) {
        const QJsonObject slot = value.toObject();
        const QString where = slot["facility"].toString() + "~" + QString::number(slot["variable"].toInt()) + " " +
            slot["slot"].toString();
        kinds[slot["kind"].toString()].append(where);
        const QString change = slot["stored_value"].toString() + "->" + slot["new_value"].toString();
        if (slot["kind"] == "write") {
            EXPECT_EQ(change, QString::number(std::round(old.toDouble() * 100) / 100) + "->13") << where.toStdString();
        } else if (slot["kind"] == "keep") {
            EXPECT_EQ(slot["detail"].toString(), "stored status 3 is above approval level 1");
        }
    }
    EXPECT_EQ(kinds["keep"], QStringList{"NORTHWTP~1 " + Yesterday("03:00:00")});
    // The range starts at the lock date, as the import's does: what lies
    // before it is summed up, not walked.
    EXPECT_TRUE(kinds["locked"].isEmpty());
    const QJsonArray locked = QJsonDocument::fromJson(diff.out.toUtf8()).object().value("locked_before").toArray();
    ASSERT_EQ(locked.size(), 1);
    EXPECT_EQ(locked[0].toObject()["facility"], "NORTHWTP");
    EXPECT_EQ(locked[0].toObject()["lock_date"], Yesterday("01:00:00"));
    QStringList expectedWrites;
    for (int quarter = 4; quarter < 24; ++quarter)
        expectedWrites.append(
            "NORTHWTP~2 " +
            QDate::currentDate().addDays(-1).startOfDay().addSecs(quarter * 900).toString("yyyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(kinds["write"], expectedWrites);
    EXPECT_FALSE(kinds["same"].isEmpty());
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(Cli({"import", "--var", "NORTHWTP~2", "--test", "--diff"}).status, 0);
    EXPECT_EQ(Snapshot(), before);
}

// A dry run only observes: its activity lines and statistics are those of
// the same test import without it, for a range before North's lock date
// (two days ago), one across it and one after it.
TEST_F(DemoTarget, ADryRunWalksWhatTheTestImportWalks)
{
    const auto activity = [](const QString& output) {
        QStringList lines;
        for (const QString& line : output.split('\n', Qt::SkipEmptyParts))
            if (!line.contains("Seconds Elapsed") && !line.contains("per Second"))
                lines.append(line);
        lines.sort();
        lines.removeDuplicates();
        return lines;
    };
    const auto daysAgo = [](int days) -> QString {
        return QDate::currentDate().addDays(-days).toString("yyyy-MM-dd") + " 00:00";
    };
    for (const auto& [from, to] : {std::pair{5, 4}, std::pair{3, 1}, std::pair{1, 0}}) {
        const QStringList range{"--from", daysAgo(from), "--to", daysAgo(to)};
        const CliRun plain = RunCli(home, QStringList{"import-all", "--test"} + range);
        const CliRun dry = RunCli(home, QStringList{"import-all", "--test", "--diff"} + range);
        EXPECT_EQ(activity(dry.err), activity(plain.out)) << from;
        EXPECT_TRUE(from < 2 || dry.out.contains("locked before")) << dry.out.toStdString();
    }
}

// Ten deleted rows are one fillable run; the fill stores them as they were
// and only them, and the last-run dates stay.
TEST_F(DemoTarget, GapsFindDeletedRowsAndFillExactlyThem)
{
    const QString range =
        "varid=2 and datestamp>='" + Yesterday("01:00:00") + "' and datestamp<'" + Yesterday("03:30:00") + "'";
    const QString values = "select varid, datestamp, curvalue, textvalue, status, forced, audituser from DATADDF ";
    const QStringList deleted = Rows(values + "where " + range + " order by datestamp");
    ASSERT_EQ(deleted.size(), 10);
    const QStringList kept = Rows("select * from DATADDF where not (" + range + ") order by varid, datestamp");
    Rows("delete from DATADDF where " + range);
    const QString lastRuns = RunCli(home, {"last-run", "list"}).out;

    const CliRun gaps = Cli({"gaps", "--facility", "northwtp"});
    EXPECT_EQ(gaps.status, 1) << gaps.err.toStdString();
    EXPECT_TRUE(
        gaps.out.contains("  " + Yesterday("01:00") + " \u2013 " + Yesterday("03:15") + ", 10 slots, fillable\n"))
        << gaps.out.toStdString();
    EXPECT_TRUE(gaps.out.startsWith("NORTHWTP~1 Raw Water Flow (#1001) in North Water Treatment Plant: no gaps\n"));

    const CliRun fill = Cli({"gaps", "--var", "NORTHWTP~2", "--fill", "--format", "csv"});
    EXPECT_EQ(fill.status, 0) << fill.err.toStdString();
    EXPECT_EQ(fill.out.count("\r\n"), 1);  // the header only: no run left
    EXPECT_EQ(Rows(values + "where " + range + " order by datestamp"), deleted);
    EXPECT_EQ(Rows("select * from DATADDF where not (" + range + ") order by varid, datestamp"), kept);
    EXPECT_EQ(RunCli(home, {"last-run", "list"}).out, lastRuns);
    EXPECT_EQ(Cli({"gaps"}).status, 0);
}

TEST_F(DemoTarget, ReportCommandsRefuseWhatTheyCannotDo)
{
    EXPECT_EQ(Cli({"import-all", "--diff"}).status, 2);
    EXPECT_EQ(Cli({"import-all", "--test", "--diff", "--service"}).status, 2);
    EXPECT_EQ(Cli({"gaps", "--format", "xml"}).status, 2);
    EXPECT_EQ(RunCli(home, {"gaps"}).status, 2);
    EXPECT_EQ(Cli({"gaps", "--facility", "NOWHERE"}).status, 2);
}

// Without a display, the charts of a dry run come out as pictures: one
// chart a variable stacked in one PNG, or one PNG a variable in a folder;
// nothing is written to the target.
TEST_F(DemoTarget, TheDiffDrawsItsChartsAsPicturesWithoutADisplay)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(variable);
    const QStringList before = Snapshot();
    const QStringList diff{"import-all", "--test", "--diff", "--format", "png", "--output"};
    const QStringList dates{"--from", Yesterday("00:00"), "--to", Yesterday("06:00")};
    const CliRun stacked = RunCli(home, diff + QStringList{home.file("run.png")} + dates, environment);
    ASSERT_EQ(stacked.status, 0) << stacked.err.toStdString();
    QImageReader picture(home.file("run.png"));
    EXPECT_EQ(picture.format(), "png");
    EXPECT_EQ(picture.size(), QSize(1000, 7 * 420)) << "one chart a variable";
    EXPECT_FALSE(picture.read().isNull());

    const CliRun apart = RunCli(home, diff + QStringList{home.file("charts") + "/"} + dates, environment);
    ASSERT_EQ(apart.status, 0) << apart.err.toStdString();
    EXPECT_EQ(TempFolder::Files(home.file("charts"), "*.png").size(), 7);
    EXPECT_FALSE(QImage(home.file("charts/NORTHWTP_1.png")).isNull());
    EXPECT_EQ(Snapshot(), before);

    EXPECT_EQ(RunCli(home, {"import-all", "--test", "--diff", "--format", "png"}).status, 2) << "no --output";
}
