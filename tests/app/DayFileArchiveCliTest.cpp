#include "support/CliRun.h"
#include "support/DemoRows.h"
#include "support/TempFolder.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QDate kYesterday = QDate::currentDate().addDays(-1);

// A demo installation that keeps an archive, with the first six hours of
// yesterday imported.
class ArchivedDemo : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RunCli(home, {"demo"}).status, 0);
        ASSERT_EQ(
            RunCli(home, {"config", "set", "R58213\\ARCHIVE", home.file("archive"), "OPTIONS\\LOG_VERBOSITY", "1"})
                .status,
            0);
        ASSERT_EQ(Import().status, 0);
    }

    CliRun Import() const
    {
        const QString day = kYesterday.toString("yyyy-MM-dd");
        return RunCli(home, {"import-all", "--from", day + " 00:00", "--to", day + " 06:00"});
    }

    QString DayFile(const QDate& day) const { return home.file("data/ALOG0" + day.toString("dd") + ".CSV"); }
    QString Archived(const QDate& day, const QString& name) const
    {
        return home.file("archive/" + day.toString("yyyy/MM/") + name);
    }

    QStringList Values() const
    {
        return DemoRows(home, "NORTHWTP", "select varid, datestamp, curvalue from DATADDH order by varid, datestamp") +
            DemoRows(home, "NORTHWTP", "select varid, datestamp, curvalue from DATADDF order by varid, datestamp");
    }

    QString Logs() const
    {
        QString all;
        for (const QString& name : TempFolder::Files(home.file("log")))
            all += TempFolder::Read(home.file("log/" + name));
        return all;
    }

    TempFolder home;
};

}  // namespace

// The month rolls over: the file of yesterday's day of the month now holds
// next month's day. An import of yesterday writes the rows it wrote before,
// read from the archive the first import filed it in.
TEST_F(ArchivedDemo, ADayTheLoggerOverwroteIsImportedFromTheArchive)
{
    const QStringList before = Values();
    ASSERT_FALSE(before.isEmpty());
    const QDate next = kYesterday.addMonths(1);
    TempFolder::Write(DayFile(kYesterday),
                      QString("CHANNEL,AVG\r\nFLOW,1\r\n%1,%2,%3\r\n")
                          .arg(next.year() % 100)
                          .arg(next.month())
                          .arg(next.day())
                          .toLatin1());
    DemoRows(home, "NORTHWTP", "delete from DATADDH");
    DemoRows(home, "NORTHWTP", "delete from DATADDF");

    const CliRun again = Import();
    EXPECT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_EQ(Values(), before);
    const QString archived = Archived(kYesterday, "ALOG0" + kYesterday.toString("dd") + ".CSV");
    EXPECT_EQ(Logs().count("Reading " + archived + " from the archive."), 1) << Logs().toStdString();
}

// Filing twice keeps one copy; a past day the logger rewrote is filed
// beside the first and told; today's file waits until its day is over.
TEST_F(ArchivedDemo, SyncFilesEachPastDayOnceAndARewrittenOneBeside)
{
    const QString name = "ALOG0" + kYesterday.toString("dd") + ".CSV";
    EXPECT_TRUE(QFile::exists(Archived(kYesterday, name)));
    EXPECT_FALSE(QFile::exists(Archived(QDate::currentDate(), "ALOG0" + QDate::currentDate().toString("dd") + ".CSV")));
    const CliRun unchanged = RunCli(home, {"archive", "sync"});
    EXPECT_EQ(unchanged.status, 0) << unchanged.err.toStdString();
    EXPECT_EQ(unchanged.out, "");

    TempFolder::Write(DayFile(kYesterday), TempFolder::Read(DayFile(kYesterday)).replace("CHANNEL", "CHAN").toLatin1());
    const CliRun rewritten = RunCli(home, {"archive", "sync"});
    EXPECT_EQ(rewritten.out, "filed " + Archived(kYesterday, name + ".1") + "\n");
    EXPECT_TRUE(Logs().contains("Warning - File " + DayFile(kYesterday) + " was rewritten after it was filed"));
    EXPECT_EQ(RunCli(home, {"archive", "verify"}).status, 0);

    TempFolder::Write(Archived(kYesterday, name), "changed after filing");
    const CliRun verify = RunCli(home, {"archive", "verify"});
    EXPECT_EQ(verify.status, 1);
    EXPECT_EQ(verify.out, "changed: " + Archived(kYesterday, name) + "\n");
}

// The days held, by month, with the days missing between them; a second
// version of a day is one day held.
TEST(ArchiveList, ShowsTheDaysHeldPerMonthWithTheirGaps)
{
    TempFolder home;
    ASSERT_EQ(RunCli(home, {"config", "set", "R58213\\ARCHIVE", home.file("archive")}).status, 0);
    QDir().mkpath(home.file("archive/2026/11"));
    QDir().mkpath(home.file("archive/2026/12"));
    for (const char* name : {"2026/11/ALOG001.CSV", "2026/11/ALOG002.CSV", "2026/11/ALOG005.CSV",
                             "2026/11/ALOG005.CSV.1", "2026/11/SHA256SUMS", "2026/12/ALOG003.CSV"})
        TempFolder::Write(home.file("archive/") + name, "x");
    const CliRun all = RunCli(home, {"archive", "list"});
    EXPECT_EQ(all.status, 0) << all.err.toStdString();
    EXPECT_EQ(all.out, "2026-11: 1-2, 5 (3 days; not held: 3-4)\n2026-12: 3 (1 day)\n");
    EXPECT_EQ(RunCli(home, {"archive", "list", "--from", "2026-11-02 00:00", "--to", "2026-11-30 00:00"}).out,
              "2026-11: 2, 5 (2 days; not held: 3-4)\n");
}

// A filing killed at any moment leaves every file the archive shows whole;
// the next one files the rest and completes the manifests.
TEST(ArchiveSync, AKilledFilingLeavesNoHalfFile)
{
    TempFolder home;
    ASSERT_EQ(
        RunCli(home, {"config", "set", "R58213\\PATH", home.file("data"), "R58213\\ARCHIVE", home.file("archive")})
            .status,
        0);
    QDir().mkpath(home.file("data"));
    for (int day = 1; day <= 20; ++day)
        TempFolder::Write(home.file(QString("data/ALOG0%1.CSV").arg(day, 2, 10, QChar('0'))),
                          QByteArray(4 * 1024 * 1024, 'x') + "\r\n20,1," + QByteArray::number(day) + "\r\n");
    QProcess sync;
    sync.start(R58213_CLI_EXE, {"--home", home.path(), "archive", "sync"});
    ASSERT_TRUE(sync.waitForStarted());
    const QString month = home.file("archive/2020/01");
    QElapsedTimer waited;
    waited.start();
    while (TempFolder::Files(month, "ALOG*").size() < 3 && waited.elapsed() < 30000)
        QThread::msleep(5);
    sync.kill();
    sync.waitForFinished();
    const QStringList filed = TempFolder::Files(month, "ALOG*");
    ASSERT_LT(filed.size(), 20) << "the filing ended before it was killed";
    for (const QString& name : filed)
        EXPECT_EQ(TempFolder::Read(month + "/" + name), TempFolder::Read(home.file("data/" + name)))
            << name.toStdString();

    EXPECT_EQ(RunCli(home, {"archive", "sync"}).status, 0);
    EXPECT_EQ(TempFolder::Files(month, "ALOG*").size(), 20);
    const CliRun verify = RunCli(home, {"archive", "verify"});
    EXPECT_EQ(verify.status, 0) << verify.out.toStdString();
}

// Gaps over two months, the first held only by the archive: its slots are
// fillable and --fill writes them with the values the day file held.
TEST_F(ArchivedDemo, GapsFillADayOnlyTheArchiveHolds)
{
    const QDate lastMonth = kYesterday.addMonths(-1);
    QString content = TempFolder::Read(DayFile(kYesterday));
    content.truncate(content.lastIndexOf("\r\n", content.size() - 3) + 2);
    content += QString("%1,%2,%3\r\n").arg(lastMonth.year() % 100).arg(lastMonth.month()).arg(lastMonth.day());
    QDir().mkpath(Archived(lastMonth, ""));
    TempFolder::Write(Archived(lastMonth, "ALOG0" + lastMonth.toString("dd") + ".CSV"), content.toLatin1());
    const QString hours = "select datestamp, curvalue from DATADDH where varid = 11 and datestamp >= '%1 00:00:00' "
                          "and datestamp < '%1 06:00:00' order by datestamp";
    const auto values = [&](const QDate& day) {
        QStringList rows = DemoRows(home, "SOUTHWTP", hours.arg(day.toString("yyyy-MM-dd")));
        for (QString& row : rows)
            row = row.section('|', 0, 0).mid(11) + "|" + row.section('|', 1);
        return rows;
    };
    ASSERT_EQ(values(kYesterday).size(), 6);
    ASSERT_TRUE(values(lastMonth).isEmpty());

    const QString from = lastMonth.toString("yyyy-MM-dd") + " 00:00";
    const QString to = kYesterday.toString("yyyy-MM-dd") + " 06:00";
    const CliRun fill = RunCli(home, {"gaps", "--var", "SOUTHWTP~11", "--from", from, "--to", to, "--fill"});
    EXPECT_EQ(fill.status, 0) << fill.out.toStdString() << fill.err.toStdString();
    EXPECT_EQ(values(lastMonth), values(kYesterday));
    const CliRun after = RunCli(
        home, {"gaps", "--var", "SOUTHWTP~11", "--from", from, "--to", lastMonth.toString("yyyy-MM-dd") + " 23:00"});
    EXPECT_EQ(after.status, 0) << after.out.toStdString();
}
