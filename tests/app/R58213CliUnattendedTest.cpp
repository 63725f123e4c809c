#include "CommonFiles/control/HealthMetrics.h"
#include "support/CliRun.h"
#include "support/StoredValueRows.h"
#include "support/TempFolder.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QString DaysAgo(int days)
{
    return QDate::currentDate().addDays(-days).toString("yyyy-MM-dd") + " 00:00";
}

// A demo installation as an unattended service runs it, with source
// retries short enough for a test.
class Unattended : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RunCli(home, {"demo"}).status, 0);
        ASSERT_EQ(Cli({"config", "set", "SOURCE\\RECOVERY\\ATTEMPTS", "2", "SOURCE\\RECOVERY\\SECONDS", "1"}).status,
                  0);
    }

    CliRun Cli(const QStringList& arguments) const { return RunCli(home, arguments); }

    QString Logs() const
    {
        QString all;
        for (const QString& name : TempFolder::Files(home.file("log")))
            all += TempFolder::Read(home.file("log/" + name));
        return all;
    }

    // The day file of the day so many days back.
    QString DayFile(int daysAgo) const
    {
        return home.file("data/ALOG0" + QDate::currentDate().addDays(-daysAgo).toString("dd") + ".CSV");
    }

    HealthMetrics Metrics() const { return HealthMetrics::FromText(TempFolder::Read(home.file("r58213.prom"))); }

    void NameFacility(const QString& facility, const QString& name) const
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "rename");
            db.setDatabaseName(home.file("target/QELROOT.sqlite"));
            ASSERT_TRUE(db.open());
            QSqlQuery update(db);
            update.prepare("update FACILITY set NAME = ? where upper(FILENAME) = ?");
            update.addBindValue(name);
            update.addBindValue(facility);
            ASSERT_TRUE(update.exec());
        }
        QSqlDatabase::removeDatabase("rename");
    }

    TempFolder home;
};

bool WaitFor(const std::function<bool()>& done, int milliseconds = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds)
        QThread::msleep(50);
    return done();
}

}  // namespace

// A share that is not mounted is no month without files: the run fails and
// keeps its dates, and the slots are imported once the folder is back.
TEST_F(Unattended, AMissingDataFolderFailsTheImportUntilItReturns)
{
    const QString lastRuns = Cli({"last-run", "list"}).out;
    const qint64 rows = StoredValueRows(home);
    ASSERT_TRUE(QDir().rename(home.file("data"), home.file("data.unmounted")));
    const CliRun failed = Cli({"import-all", "--service"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.out.startsWith("Import did not succeed.")) << failed.out.toStdString();
    EXPECT_TRUE(
        Logs().contains("Unable to read the data folder '" + home.file("data") + "': No such file or directory"));
    EXPECT_TRUE(Logs().contains("Unable to connect to source."));
    EXPECT_EQ(Cli({"last-run", "list"}).out, lastRuns);
    EXPECT_EQ(StoredValueRows(home), rows);
    EXPECT_EQ(Metrics().counters.value("r58213_imports_total{result=\"failed\"}"), 1);
    EXPECT_EQ(Cli({"status"}).status, 2);

    ASSERT_TRUE(QDir().rename(home.file("data.unmounted"), home.file("data")));
    EXPECT_EQ(Cli({"import-all", "--service"}).status, 0);
    EXPECT_GT(StoredValueRows(home), rows);
    EXPECT_EQ(Cli({"status"}).status, 0);
}

TEST_F(Unattended, ACorruptFacilityDatabaseFailsTheImportWhileTheOtherAdvances)
{
    TempFolder::Write(home.file("target/SOUTHWTP.sqlite"), QByteArray(8192, 'x'));
    const qint64 north = StoredValueRows(home, "NORTHWTP");
    const CliRun run = Cli({"import-all", "--service"});
    EXPECT_EQ(run.status, 1);
    const QString named =
        "Facility 'SOUTHWTP' cannot be read; its variables are not imported and the import does not succeed: ";
    EXPECT_TRUE(Logs().contains(named)) << Logs().toStdString();
    EXPECT_GT(StoredValueRows(home, "NORTHWTP"), north);
    EXPECT_EQ(Metrics().counters.value("r58213_imports_total{result=\"failed\"}"), 1);
    EXPECT_TRUE(Metrics().facilities.value("NORTHWTP").lastSuccess.has_value());
    EXPECT_FALSE(Metrics().facilities.value("SOUTHWTP").lastSuccess.has_value());

    const CliRun status = Cli({"status"});
    EXPECT_EQ(status.status, 2);
    EXPECT_TRUE(status.out.startsWith("CRITICAL - cannot be read: SOUTHWTP\n")) << status.out.toStdString();
    EXPECT_TRUE(status.out.contains("\tNORTHWTP\t"));

    // The activity list of an interactive run names it too.
    const CliRun interactive = Cli({"import-all", "--test", "--from", DaysAgo(1), "--to", DaysAgo(0)});
    EXPECT_EQ(interactive.status, 1);
    EXPECT_TRUE(interactive.out.contains(named));
    const CliRun gaps = Cli({"gaps", "--from", DaysAgo(1), "--to", DaysAgo(0)});
    EXPECT_EQ(gaps.status, 2);
    EXPECT_TRUE(gaps.out.contains("in North")) << gaps.out.toStdString();
    EXPECT_TRUE(gaps.err.contains("r58213-cli: facility SOUTHWTP cannot be read, so its gaps are not known: "));
}

TEST_F(Unattended, DayFilesThatAreNoFilesEndTheImportWithinSecondsAndAStopEndsIt)
{
    ASSERT_TRUE(QFile::remove(DayFile(2)));
    ASSERT_EQ(::mkfifo(QFile::encodeName(DayFile(2)).constData(), 0600), 0);
    ASSERT_TRUE(QFile::remove(DayFile(1)));
    ASSERT_TRUE(QFile::link("/dev/zero", DayFile(1)));
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(Cli({"import-all", "--service"}).status, 1);
    EXPECT_LT(timer.elapsed(), 30000);
    EXPECT_TRUE(Logs().contains("Unable to read file " + DayFile(2) + ": it is not a regular file"));
    ASSERT_TRUE(QFile::remove(DayFile(2)));
    EXPECT_EQ(Cli({"import-all", "--service"}).status, 1);
    EXPECT_TRUE(Logs().contains("Unable to read file " + DayFile(1) + ": it is not a regular file"));

    // A stop in the middle of the source's waits ends the process at once.
    ASSERT_EQ(Cli({"config", "set", "SOURCE\\RECOVERY\\SECONDS", "59"}).status, 0);
    const qsizetype told = Logs().count(": it is not a regular file");
    QProcess import;
    import.start(R58213_CLI_EXE, {"--home", home.path(), "import-all", "--service"});
    ASSERT_TRUE(WaitFor([&] { return Logs().count(": it is not a regular file") > told; }));
    timer.restart();
    import.terminate();
    EXPECT_TRUE(import.waitForFinished(10000));
    EXPECT_LT(timer.elapsed(), 10000);
    EXPECT_EQ(import.exitCode(), 1);
}

TEST_F(Unattended, TwoImportsStartedTogetherRunOneAtATime)
{
    // The first import is slowed, so the second surely starts while it runs.
    ASSERT_EQ(
        Cli({"config", "set", "OPTIONS\\PERFORMANCE\\THROTTLE", "TRUE", "OPTIONS\\PERFORMANCE\\POLL_WAIT", "3"}).status,
        0);
    const qint64 rows = StoredValueRows(home);
    QProcess first;
    first.start(R58213_CLI_EXE, {"--home", home.path(), "import-all", "--service"});
    const QString pid = QString::number(first.processId());
    ASSERT_TRUE(WaitFor([&] { return TempFolder::Read(home.file("r58213.lock")).trimmed() == pid; }));
    QElapsedTimer timer;
    timer.start();
    const CliRun second = Cli({"import-all", "--service"});
    EXPECT_EQ(second.status, 1);
    EXPECT_LT(timer.elapsed(), 10000);
    EXPECT_TRUE(Logs().contains("Another import is running on this installation (pid " + pid +
                                "); this import was not started."));
    EXPECT_EQ(RunCli(home, {"last-run", "set", "NORTHWTP", DaysAgo(3)}).status, 1);

    ASSERT_TRUE(first.waitForFinished(120000));
    EXPECT_EQ(first.exitCode(), 0);
    const HealthMetrics metrics = Metrics();
    EXPECT_EQ(metrics.counters.value("r58213_imports_total{result=\"succeeded\"}"), 1);
    EXPECT_EQ(metrics.counters.value("r58213_imports_total{result=\"not_started\"}"), 0);
    EXPECT_EQ(metrics.counters.value("r58213_slots_written_total"), StoredValueRows(home) - rows);
}

TEST_F(Unattended, OldFilesOfOthersInTheLogFolderSurviveAStart)
{
    const QStringList names{"operator notes.txt", "07_03_2020__10_00_00_ntservice.log"};
    for (const QString& name : names) {
        TempFolder::Write(home.file("log/" + name), "old");
        QFile file(home.file("log/" + name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-100), QFileDevice::FileModificationTime));
    }
    ASSERT_EQ(Cli({"config", "dump"}).status, 0);
    EXPECT_TRUE(QFile::exists(home.file("log/operator notes.txt")));
    EXPECT_FALSE(QFile::exists(home.file("log/07_03_2020__10_00_00_ntservice.log")));
}

// Names come from the target, where anyone with a client may type them.
TEST_F(Unattended, ReportsKeepHostileNamesInert)
{
    NameFacility("NORTHWTP", "=HYPERLINK(\"x\")");
    NameFacility("SOUTHWTP", "South\r\nWorks|2");
    const auto inert = [](const QString& csv) {
        for (const QString& record : csv.split("\r\n"))
            if (record.startsWith('=') || record.contains(",=") || record.contains(",\"="))
                return false;
        return true;
    };
    const QStringList range{"--from", DaysAgo(1), "--to", DaysAgo(0)};
    const CliRun gapsCsv = Cli(QStringList{"gaps", "--format", "csv"} + range);
    EXPECT_TRUE(gapsCsv.out.contains("\"'=HYPERLINK(\"\"x\"\")\"")) << gapsCsv.out.toStdString();
    EXPECT_TRUE(inert(gapsCsv.out));
    const CliRun diffCsv = Cli(QStringList{"import-all", "--test", "--diff", "--format", "csv"} + range);
    EXPECT_TRUE(diffCsv.out.contains("'=HYPERLINK")) << diffCsv.out.toStdString();
    EXPECT_TRUE(inert(diffCsv.out));

    const CliRun gapsText = Cli(QStringList{"gaps"} + range);
    EXPECT_TRUE(gapsText.out.contains("in South\\r\\nWorks|2")) << gapsText.out.toStdString();
    EXPECT_FALSE(gapsText.out.contains("\nWorks|2"));
    ASSERT_EQ(Cli({"import-all", "--service"}).status, 0);
    const CliRun status = Cli({"status"});
    EXPECT_TRUE(status.out.contains("South\\r\\nWorks/2\tSOUTHWTP\t")) << status.out.toStdString();
    EXPECT_FALSE(status.out.contains('|'));
}

TEST_F(Unattended, LineFeedOnlyDayFilesImportTheSameValuesAsTheirCrLfTwins)
{
    const QStringList diff{"import-all", "--test",   "--diff", "--format", "csv",
                           "--from",     DaysAgo(3), "--to",   DaysAgo(0)};
    const QString crlf = Cli(diff).out;
    ASSERT_TRUE(crlf.contains(",write,")) << crlf.toStdString();
    for (const QString& name : TempFolder::Files(home.file("data")))
        TempFolder::Write(home.file("data/" + name),
                          TempFolder::Read(home.file("data/" + name)).replace("\r\n", "\n").toLatin1());
    EXPECT_EQ(Cli(diff).out, crlf);
}

TEST_F(Unattended, RangesRunForwardAndStayWithinBounds)
{
    const CliRun reversed = Cli({"gaps", "--from", DaysAgo(0), "--to", DaysAgo(1)});
    EXPECT_EQ(reversed.status, 2);
    EXPECT_TRUE(reversed.err.contains("must be earlier than --to")) << reversed.err.toStdString();
    EXPECT_EQ(Cli({"gaps", "--from", DaysAgo(1), "--to", "2126-01-01 00:00"}).status, 2);
    EXPECT_EQ(Cli({"import-all", "--test", "--from", "1850-01-01 00:00", "--to", DaysAgo(0)}).status, 2);
}

TEST_F(Unattended, TheSuperUserPasswordCanStayOutOfTheProcessList)
{
    ASSERT_EQ(Cli({"config", "set", "OPTIONS\\PASSWORD_PROTECT_INTERACTIVE_IMPORT", "YES"}).status, 0);
    const QStringList import{"--home",   home.path(), "import-all", "--test", "--from",
                             DaysAgo(1), "--to",      DaysAgo(0),   "--user", "admin"};
    QProcess piped;
    piped.start(R58213_CLI_EXE, import + QStringList{"--password", "-"});
    piped.write("demo\n");
    piped.closeWriteChannel();
    ASSERT_TRUE(piped.waitForFinished(60000));
    EXPECT_EQ(piped.exitCode(), 0) << piped.readAllStandardError().toStdString();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("R58213_PASSWORD", "demo");
    EXPECT_EQ(CliRun::Of(R58213_CLI_EXE, import, environment).status, 0);
    environment.insert("R58213_PASSWORD", "guess");
    EXPECT_EQ(CliRun::Of(R58213_CLI_EXE, import, environment).status, 1);
}
