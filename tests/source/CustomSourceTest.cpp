#include "source/CustomSource.h"
#include "source/ArchiveFiling.h"
#include "source/CustomConfiguration.h"
#include "support/TestInstallation.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// A logger folder with day files, and a source reading it.
struct Loggers : TestInstallation {
    CustomSource source{globals};

    Loggers()
    {
        OpenLog(1);
        LoadConfiguration(CustomConfiguration::DefineSourceKeys);
        QDir().mkpath(folder.file("data"));
        globals.config().setItem("R58213\\PATH", folder.file("data"));
        source.setSourceStatistic("lookup");
        source.setSourceTag("ALG 2:2");
    }

    // A day file whose last line holds day, month and two-digit year.
    void WriteDay(const QString& name, const QString& body, const QString& dateLine)
    {
        TempFolder::Write(folder.file("data/" + name), (body + dateLine).toLatin1());
    }

    QVariant Read(const DateTime& start, bool failing = false)
    {
        source.setStartdate(start);
        source.setEnddate(start.addMinutes(60));
        bool error = !failing;
        const QVariant value = source.GetDoubleResult(error);
        EXPECT_EQ(error, failing);
        return value;
    }

    // Whether the slot reads as Null for that reason.
    bool NullFor(const DateTime& start, const QString& reason)
    {
        const QVariant value = Read(start);
        return (!value.isValid() || value.isNull()) && source.NoValueReason() == reason;
    }
};

const char* const kDay = "TIME,FLOW,LEVEL,CL2\r\n"
                         "01:00, 12.5 ,3.25,0.8\r\n"
                         "02:00,13.0,   ,0.9\r\n";

DateTime march(int day, int hour = 0)
{
    return DateTime::FromParts(2024, 3, day, hour, 0, 0);
}

bool IsNull(const QVariant& value)
{
    return !value.isValid() || value.isNull();
}

}  // namespace

TEST(CustomSource, ReadsTheAddressedCellOfTheDaysFile)
{
    Loggers l;
    l.WriteDay("ALOG007.CSV", kDay, "24,3,7\r\n");
    l.source.setSourceTag("ALG 2:2");
    EXPECT_EQ(l.Read(march(7)), "12.5");
    EXPECT_EQ(l.source.ColumnNumber(), 2);
    EXPECT_EQ(l.source.LineNumber(), 2);
    // Any slot of the day reads the same cell.
    EXPECT_EQ(l.Read(march(7, 13)), "12.5");
    l.source.setSourceTag("ALGx4:3");
    EXPECT_EQ(l.Read(march(7)), "0.9");
    l.source.setSourceTag("ALG 3:2");
    EXPECT_EQ(l.Read(march(7)), "3.25");
    // A field of blanks holds no value, which a request tells apart from a
    // value that is not a number.
    l.source.setSourceTag("ALG 3:3");
    EXPECT_TRUE(l.NullFor(march(7), CustomSource::kEmptyCell));
}

TEST(CustomSource, FileNameAndFolderAreReadAtEveryRequest)
{
    Loggers l;
    l.WriteDay("PLANT07.TXT", kDay, "24,3,7\r\n");
    EXPECT_TRUE(l.NullFor(march(7), CustomSource::kMissingFile));
    EXPECT_TRUE(l.LogText().contains("Warning - File " + l.folder.file("data") + "/ALOG007.CSV not found.\r\n"));
    l.globals.config().setItem("R58213\\PREFIX", "PLANT");
    l.globals.config().setItem("R58213\\EXT", "TXT");
    EXPECT_EQ(l.Read(march(7)), "12.5");
    // A missing file is reported on every request.
    EXPECT_TRUE(IsNull(l.Read(march(8))));
    EXPECT_TRUE(IsNull(l.Read(march(8))));
    EXPECT_EQ(l.LogText().count("PLANT08.TXT not found."), 2);
}

TEST(CustomSource, AFileHoldingAnotherDateGivesNothingSilently)
{
    Loggers l;
    l.WriteDay("ALOG007.CSV", kDay, "24,2,7\r\n");
    EXPECT_TRUE(l.NullFor(march(7), CustomSource::kFileOfAnotherDay));
    EXPECT_FALSE(l.LogText().contains("ALOG007"));
    // The date fields may be spread over lines, after a trailing line break.
    TempFolder::Write(l.folder.file("data/ALOG007.CSV"), QByteArray(kDay) + "x,24\r\n3,7\r\n");
    EXPECT_EQ(l.Read(march(7)), "12.5");
}

TEST(CustomSource, TwoDigitYearsAndBrokenDateFields)
{
    Loggers l;
    const auto readsWith = [&l](const char* dateLine, const DateTime& day) {
        l.WriteDay("ALOG007.CSV", kDay, dateLine);
        return !IsNull(l.Read(day));
    };
    EXPECT_TRUE(readsWith("5,3,7\r\n", DateTime::FromParts(2005, 3, 7)));
    EXPECT_TRUE(readsWith("05,3,7\r\n", DateTime::FromParts(2005, 3, 7)));
    EXPECT_TRUE(readsWith("98,3,7\r\n", DateTime::FromParts(1998, 3, 7)));
    EXPECT_TRUE(readsWith("90,3,7\r\n", DateTime::FromParts(2090, 3, 7)));
    EXPECT_FALSE(readsWith("  ,3,7\r\n", march(7)));
    EXPECT_FALSE(readsWith("xx,3,7\r\n", march(7)));
    EXPECT_FALSE(readsWith("24,2,31\r\n", march(7)));
    TempFolder::Write(l.folder.file("data/ALOG007.CSV"), "");
    EXPECT_TRUE(IsNull(l.Read(march(7))));
    EXPECT_FALSE(l.LogText().contains("ALOG007"));
}

TEST(CustomSource, AddressesOutsideTheFileGiveNothing)
{
    Loggers l;
    l.WriteDay("ALOG007.CSV", kDay, "24,3,7\r\n");
    for (const char* tag : {"ALG 3:40", "ALG 9:2", "ALG 0:2", "ALG 2:0", "ALG -1:2", "ALG 2:-3", "ALG 99999:2"})
        EXPECT_TRUE(IsNull((l.source.setSourceTag(tag), l.Read(march(7))))) << tag;
}

TEST(CustomSource, ValidationOfStatisticAndTag)
{
    Loggers l;
    const auto failsWith = [&l](const char* tag) {
        l.source.setSourceTag(tag);
        EXPECT_FALSE(l.source.Validate()) << tag;
        return l.LogLines().last();
    };
    EXPECT_EQ(failsWith("ALG"), "Validation Error : Invalid Source Tag");
    EXPECT_EQ(failsWith("alg 3:12"), "Validation Error : Invalid ALG Source Tag");
    EXPECT_EQ(failsWith(""), "Validation Error : Must provide a non-empty Source Tag");
    EXPECT_EQ(failsWith("ALG :12"), "Validation Error : Invalid Source Tag");
    EXPECT_EQ(failsWith("ALG 312"), "Validation Error : Invalid Source Tag");
    EXPECT_EQ(failsWith("ALG x:12"), "Validation Error : Invalid Source Tag");
    EXPECT_EQ(failsWith("ALG 3:1y"), "Validation Error : Invalid Source Tag");
    l.source.setSourceTag("ALG 3:12");
    EXPECT_TRUE(l.source.Validate());
    l.source.setSourceTag("ALG 0:99999");  // passes, then yields no value
    EXPECT_TRUE(l.source.Validate());
    l.source.setSourceStatistic("AVERAGE");
    EXPECT_FALSE(l.source.Validate());
    EXPECT_TRUE(l.LogText().endsWith("Validation Error : Unsupported Statistic 'AVERAGE'\r\n"));
}

TEST(CustomSource, TextRequestsAndTheContractsFixedAnswers)
{
    Loggers l;
    bool error = true;
    EXPECT_EQ(l.source.GetTextResult(error), "NA");
    EXPECT_FALSE(error);
    error = true;
    EXPECT_TRUE(l.source.CacheFill(error));
    EXPECT_FALSE(error);
    EXPECT_FALSE(l.source.HoldLastRunDate());
    EXPECT_EQ(l.source.GenerateSourceConnString(true), "N/A");
}

TEST(CustomSource, QueryLineNamesEveryField)
{
    Loggers l;
    l.source.setSourceTag("ALG 3:12");
    l.source.setStartdate(march(7, 1));
    l.source.setEnddate(march(7, 2));
    l.source.setLowRangeFilter(0.5);
    l.source.setHighRangeFilter(QVariant());
    l.source.setFilterValue("120");
    EXPECT_EQ(l.source.LogCustomSourceQuery(),
              "[SourceTag:] ALG 3:12\t[SourceStat:] LOOKUP\t[Date >= :] 03/07/2024 01:00:00 [ AND Date < :] "
              "03/07/2024 02:00:00\t[LowRange:] 0.5\t[HighRange:] \t[DeadBand:] \t[FilterTag:] \t[FilterOp:] \t"
              "[FilterValue:] 120");
}

TEST(CustomSource, SettledFilesAreParsedOnceAndReadAgainWhenChanged)
{
    Loggers l;
    const QString path = l.folder.file("data/ALOG007.CSV");
    const auto stamp = [&path](const QDateTime& when) {
        QFile file(path);
        file.open(QIODevice::ReadWrite);
        file.setFileTime(when, QFileDevice::FileModificationTime);
    };
    const QDateTime anHourAgo = QDateTime::currentDateTime().addSecs(-3600);
    l.WriteDay("ALOG007.CSV", kDay, "24,3,7\r\n");
    stamp(anHourAgo);
    EXPECT_EQ(l.Read(march(7)), "12.5");
    // Same size and time: the parsed file is reused, not read again.
    l.WriteDay("ALOG007.CSV", QString(kDay).replace("12.5", "13.5"), "24,3,7\r\n");
    stamp(anHourAgo);
    EXPECT_EQ(l.Read(march(7)), "12.5");
    stamp(anHourAgo.addSecs(60));
    EXPECT_EQ(l.Read(march(7)), "13.5");
}

TEST(CustomSource, LongFilesLoad)
{
    Loggers l;
    QString big = "TIME,FLOW\r\n";
    for (int i = 0; i < 40000; ++i)
        big += QString::number(i) + "," + QString::number(i * 2) + "\r\n";
    l.WriteDay("ALOG008.CSV", big, "24,3,8\r\n");
    l.source.setSourceTag("ALG 2:32000");
    EXPECT_EQ(l.Read(march(8)), QString::number(31998 * 2));
}

TEST(CustomSource, APastDaysFileWithoutItsDateIsToldOnce)
{
    Loggers l;
    l.WriteDay("ALOG007.CSV", kDay, "");
    // Today's file may still be waiting for its date fields.
    l.clock.set(march(7, 23));
    EXPECT_TRUE(l.NullFor(march(7), CustomSource::kNoFileDate));
    EXPECT_FALSE(l.source.PastDay());
    l.clock.set(march(8, 1));
    EXPECT_TRUE(l.NullFor(march(7), CustomSource::kNoFileDate));
    EXPECT_TRUE(l.NullFor(march(7, 5), CustomSource::kNoFileDate));
    EXPECT_EQ(l.LogText().count("ALOG007.CSV holds no file date"), 1);
}

TEST(CustomSource, OnlyRegularFilesWithinTheBoundAreRead)
{
    Loggers l;
    const QString fifo = l.folder.file("data/ALOG007.CSV");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_TRUE(IsNull(l.Read(march(7), true)));
    EXPECT_TRUE(l.LogText().contains("Unable to read file " + fifo + ": it is not a regular file"));
    ASSERT_TRUE(QFile::link("/dev/zero", l.folder.file("data/ALOG008.CSV")));
    EXPECT_TRUE(IsNull(l.Read(march(8), true)));
    EXPECT_TRUE(l.LogText().contains("ALOG008.CSV: it is not a regular file"));
    // 2 GB (sparse, so it costs no disk) are refused before anything is read.
    QFile large(l.folder.file("data/ALOG009.CSV"));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly) && large.resize(qint64{2} << 30));
    large.close();
    rusage before{};
    ::getrusage(RUSAGE_SELF, &before);
    EXPECT_TRUE(IsNull(l.Read(march(9), true)));
    rusage after{};
    ::getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024);  // kB
    EXPECT_TRUE(l.LogText().contains("ALOG009.CSV: it is larger than 64 MB (2147483648 bytes)"));
}

// With an archive, a day the data folder no longer holds is read from the
// archive's copy, told once; the data folder's file wins while it holds
// the day, and a day neither holds stays without a value.
TEST(CustomSource, ADayTheDataFolderNoLongerHoldsIsReadFromTheArchive)
{
    Loggers l;
    l.clock.set(DateTime::FromParts(2024, 4, 20));
    l.globals.config().setItem("R58213\\ARCHIVE", l.folder.file("archive"));
    l.WriteDay("ALOG007.CSV", kDay, "24,3,7\r\n");
    ArchiveFiling(l.globals).FileDataFolder();
    l.WriteDay("ALOG007.CSV", "TIME,FLOW\r\n01:00,99.0\r\n", "24,4,7\r\n");
    EXPECT_EQ(l.Read(march(7)), "12.5");
    EXPECT_EQ(l.Read(march(7, 1)), "12.5");
    EXPECT_EQ(l.LogText().count("Reading " + l.folder.file("archive/2024/03/ALOG007.CSV") + " from the archive."), 1);
    EXPECT_EQ(l.Read(DateTime::FromParts(2024, 4, 7)), "99.0");
    EXPECT_TRUE(l.NullFor(DateTime::FromParts(2024, 2, 7), CustomSource::kFileOfAnotherDay));
}

// A past day rewritten and filed again between two variables' reads: the
// next variable reads the newer version.
TEST(CustomSource, TheNextVariableReadsAVersionFiledSinceTheLast)
{
    Loggers l;
    l.clock.set(DateTime::FromParts(2024, 4, 20));
    l.globals.config().setItem("R58213\\ARCHIVE", l.folder.file("archive"));
    const auto fileMarch7 = [&](const QString& flow) {
        l.WriteDay("ALOG007.CSV", "TIME,FLOW\r\n01:00," + flow + "\r\n", "24,3,7\r\n");
        ArchiveFiling(l.globals).FileDataFolder();
        l.WriteDay("ALOG007.CSV", kDay, "24,4,7\r\n");
    };
    fileMarch7("12.5");
    EXPECT_EQ(l.Read(march(7)), "12.5");
    fileMarch7("13.5");
    l.source.PrepareForNextVariable();
    EXPECT_EQ(l.Read(march(7)), "13.5");
}
