#include "CommonFiles/control/HealthMetrics.h"
#include "support/CliRun.h"
#include "support/StoredValueRows.h"
#include "support/TempFolder.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

HealthMetrics Metrics(const TempFolder& home)
{
    return HealthMetrics::FromText(TempFolder::Read(home.file("r58213.prom")));
}

// The last-run date of each facility as `last-run list` shows it, in Unix seconds.
QMap<QString, double> ListedLastRuns(const TempFolder& home)
{
    QMap<QString, double> lastRuns;
    const QStringList rows = RunCli(home, {"last-run", "list"}).out.split('\n', Qt::SkipEmptyParts).mid(1);
    for (const QString& row : rows)
        lastRuns.insert(row.section('\t', 1, 1),
                        QDateTime::fromString(row.section('\t', 2, 2), "M/d/yyyy h:mm:ss AP").toSecsSinceEpoch());
    return lastRuns;
}

}  // namespace

// What monitoring reads after imports run as the scheduler runs them: a
// file promtool accepts, holding the figures of those imports, added up
// across processes.
TEST(R58213CliHealth, AServiceImportLeavesAHealthFileThatAddsUp)
{
    TempFolder home;
    ASSERT_EQ(RunCli(home, {"demo"}).status, 0);
    const qint64 before = StoredValueRows(home);
    ASSERT_EQ(RunCli(home, {"import-all", "--service"}).status, 0);

    const QString file = home.file("r58213.prom");
    QProcess promtool;
    promtool.setStandardInputFile(file);
    promtool.setProcessChannelMode(QProcess::MergedChannels);
    promtool.start("promtool", {"check", "metrics"});
    ASSERT_TRUE(promtool.waitForFinished(60000));
    EXPECT_EQ(promtool.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(promtool.readAll()), "");
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0644u);

    const HealthMetrics first = Metrics(home);
    const double written = first.counters.value("r58213_slots_written_total");
    EXPECT_GT(written, 0);
    EXPECT_EQ(written, StoredValueRows(home) - before);
    EXPECT_EQ(first.counters.value("r58213_imports_total{result=\"succeeded\"}"), 1);
    const QMap<QString, double> lastRuns = ListedLastRuns(home);
    ASSERT_EQ(lastRuns.size(), 2);
    for (auto it = lastRuns.cbegin(); it != lastRuns.cend(); ++it) {
        EXPECT_EQ(first.facilities.value(it.key()).lastRun, it.value()) << it.key().toStdString();
        EXPECT_TRUE(first.facilities.value(it.key()).lastSuccess.has_value());
    }

    ASSERT_EQ(RunCli(home, {"import-all", "--service"}).status, 0);
    const HealthMetrics second = Metrics(home);
    EXPECT_EQ(second.counters.value("r58213_imports_total{result=\"succeeded\"}"), 2);
    EXPECT_GE(second.counters.value("r58213_slots_read_total"), first.counters.value("r58213_slots_read_total"));
    EXPECT_GE(second.counters.value("r58213_slots_written_total"), written);
    EXPECT_GE(second.facilities.value("NORTHWTP").lastSuccess, first.facilities.value("NORTHWTP").lastSuccess);
}

// status as a Nagios check: OK right after an import, CRITICAL once a
// last-run date lies further back than twice the schedule period.
TEST(R58213CliHealth, StatusTellsWhenAFacilityFallsBehind)
{
    TempFolder home;
    ASSERT_EQ(RunCli(home, {"demo"}).status, 0);
    ASSERT_EQ(RunCli(home, {"config", "set", "OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\HOURLY", "YES"}).status, 0);
    const CliRun never = RunCli(home, {"status"});
    EXPECT_EQ(never.status, 2) << never.out.toStdString();
    ASSERT_EQ(RunCli(home, {"import-all", "--service"}).status, 0);

    const CliRun ok = RunCli(home, {"status"});
    EXPECT_EQ(ok.status, 0) << ok.out.toStdString();
    EXPECT_TRUE(ok.out.startsWith("OK - every facility imported within 2h 0m\n")) << ok.out.toStdString();
    EXPECT_EQ(ok.out.count('\n'), 4);
    const QString old = QDateTime::currentDateTime().addSecs(-3 * 3600).toString("yyyy-MM-dd HH:mm");
    ASSERT_EQ(RunCli(home, {"last-run", "set", "NORTHWTP", old}).status, 0);
    const CliRun late = RunCli(home, {"status"});
    EXPECT_EQ(late.status, 2);
    EXPECT_TRUE(late.out.startsWith("CRITICAL - not imported within 2h 0m: NORTHWTP\n")) << late.out.toStdString();
    EXPECT_TRUE(late.out.contains("\tNORTHWTP\t")) << late.out.toStdString();
    // The date set has whole minutes, and a minute may turn while the
    // commands run.
    EXPECT_TRUE(late.out.contains("\t3h 0m\n") || late.out.contains("\t3h 1m\n") || late.out.contains("\t2h 59m\n"))
        << late.out.toStdString();

    ASSERT_EQ(
        RunCli(home, {"config", "set", "KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE", home.file("none")}).status, 0);
    EXPECT_EQ(RunCli(home, {"status"}).status, 3);
}

// With an archive, the health file counts the day files filed, and status
// warns once nothing was filed for two days: a logger that stopped, or an
// archive the service may not write.
TEST(R58213CliHealth, TheArchiveIsCountedAndALaggingOneIsAWarning)
{
    TempFolder home;
    ASSERT_EQ(RunCli(home, {"demo"}).status, 0);
    ASSERT_EQ(RunCli(home,
                     {"config", "set", "OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\HOURLY", "YES", "R58213\\ARCHIVE",
                      home.file("archive")})
                  .status,
              0);
    ASSERT_EQ(RunCli(home, {"import-all", "--service"}).status, 0);
    const HealthMetrics metrics = Metrics(home);
    // Every day file but today's is filed.
    EXPECT_EQ(metrics.counters.value("r58213_archive_files_total"), TempFolder::Files(home.file("data")).size() - 1);
    EXPECT_NEAR(metrics.archiveLastFiled, QDateTime::currentSecsSinceEpoch(), 120);
    EXPECT_EQ(RunCli(home, {"status"}).status, 0);

    HealthMetrics lagging = metrics;
    lagging.archiveLastFiled = static_cast<double>(QDateTime::currentSecsSinceEpoch() - 3 * 24 * 3600);
    TempFolder::Write(home.file("r58213.prom"), lagging.Text().toUtf8());
    const CliRun warned = RunCli(home, {"status"});
    EXPECT_EQ(warned.status, 1);
    EXPECT_TRUE(warned.out.startsWith("WARNING - nothing was filed in the archive for more than 2d 0h\n"))
        << warned.out.toStdString();
}
