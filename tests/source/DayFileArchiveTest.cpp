#include "source/DayFileArchive.h"

#include "support/TempFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using Filing = DayFileArchive::Filing;

const QDate kToday(2026, 12, 9);

// A logger folder and an archive beside it.
struct Archive : ::testing::Test {
    TempFolder folder;
    DayFileArchive archive{folder.file("archive")};

    Archive() { QDir().mkpath(folder.file("data")); }

    // The day file of the 7th holding the given values and the date of
    // month/2026 in its last line.
    QString WriteSeventh(int month, const QByteArray& values = "01:00,12.5\r\n")
    {
        const QString path = folder.file("data/ALOG007.CSV");
        TempFolder::Write(path, values + "26," + QByteArray::number(month) + ",7\r\n");
        return path;
    }

    QString Filed(const QString& name) const { return folder.file("archive/2026/11/" + name); }

    QStringList ManifestLines() const { return TempFolder::Read(Filed("SHA256SUMS")).split('\n', Qt::SkipEmptyParts); }
};

QString SumLine(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex()) + "  " +
        QFileInfo(path).fileName();
}

}  // namespace

TEST_F(Archive, FilesAPastDayOnceUnderItsDateKeepingItsTime)
{
    const QString dayFile = WriteSeventh(11);
    QFile(dayFile).setFileTime(QDateTime(QDate(2026, 11, 8), QTime(0, 5), Qt::UTC), QFileDevice::FileModificationTime);
    const DayFileArchive::Outcome first = archive.File(dayFile, kToday);
    EXPECT_EQ(first.filing, Filing::Filed);
    EXPECT_EQ(first.path, Filed("ALOG007.CSV"));
    EXPECT_EQ(TempFolder::Read(first.path), TempFolder::Read(dayFile));
    EXPECT_EQ(QFileInfo(first.path).lastModified(), QFileInfo(dayFile).lastModified());
    EXPECT_EQ(ManifestLines(), QStringList{SumLine(first.path)});

    const DayFileArchive::Outcome again = archive.File(dayFile, kToday);
    EXPECT_EQ(again.filing, Filing::AlreadyFiled);
    EXPECT_EQ(ManifestLines().size(), 1);
    EXPECT_EQ(TempFolder::Files(Filed("")), (QStringList{"ALOG007.CSV", "SHA256SUMS"}));
}

// The logger rewrote a past day: the new version stands beside the first,
// which stays as it was; the newest comes first.
TEST_F(Archive, AChangedPastFileIsFiledBesideTheFirst)
{
    archive.File(WriteSeventh(11), kToday);
    const DayFileArchive::Outcome rewritten = archive.File(WriteSeventh(11, "01:00,99.0\r\n"), kToday);
    EXPECT_EQ(rewritten.filing, Filing::FiledBeside);
    EXPECT_EQ(rewritten.path, Filed("ALOG007.CSV.1"));
    EXPECT_TRUE(TempFolder::Read(Filed("ALOG007.CSV")).contains("12.5"));
    EXPECT_EQ(archive.VersionsOf(QDate(2026, 11, 7), "ALOG007.CSV"),
              (QStringList{Filed("ALOG007.CSV.1"), Filed("ALOG007.CSV")}));
    EXPECT_EQ(ManifestLines(), (QStringList{SumLine(Filed("ALOG007.CSV")), SumLine(Filed("ALOG007.CSV.1"))}));
    EXPECT_TRUE(archive.VersionsOf(QDate(2026, 10, 7), "ALOG007.CSV").isEmpty());
}

TEST_F(Archive, FilesNeitherAFileWithoutDateNorTodaysFile)
{
    const QString partial = folder.file("data/ALOG008.CSV");
    TempFolder::Write(partial, "01:00,12.5\r\n");
    EXPECT_EQ(archive.File(partial, kToday).filing, Filing::NoFileDate);
    TempFolder::Write(partial, "01:00,12.5\r\n26,12,9\r\n");
    EXPECT_EQ(archive.File(partial, kToday).filing, Filing::DayNotOver);
    EXPECT_FALSE(QFileInfo::exists(folder.file("archive/2026")));
}

// A run killed while filing leaves a hidden copy, or a file without its
// manifest line; the next filing completes the work and the manifest.
TEST_F(Archive, TheNextFilingCompletesOneCutShort)
{
    const QString dayFile = WriteSeventh(11);
    QDir().mkpath(Filed(""));
    TempFolder::Write(Filed(".ALOG007.CSV.partial"), "01:0");
    EXPECT_EQ(archive.File(dayFile, kToday).filing, Filing::Filed);
    EXPECT_FALSE(QFileInfo::exists(Filed(".ALOG007.CSV.partial")));

    QFile::remove(Filed("SHA256SUMS"));
    EXPECT_EQ(archive.File(dayFile, kToday).filing, Filing::AlreadyFiled);
    EXPECT_EQ(ManifestLines(), QStringList{SumLine(Filed("ALOG007.CSV"))});
    EXPECT_TRUE(archive.Verify().isEmpty());
}

TEST_F(Archive, VerifyNamesFilesChangedMissingOrUnlisted)
{
    archive.File(WriteSeventh(11), kToday);
    archive.File(WriteSeventh(11, "01:00,99.0\r\n"), kToday);
    TempFolder::Write(Filed("ALOG007.CSV"), "tampered");
    QFile::remove(Filed("ALOG007.CSV.1"));
    TempFolder::Write(Filed("NOTES.TXT"), "x");
    QStringList found;
    for (const DayFileArchive::Problem& problem : archive.Verify())
        found.append(QFileInfo(problem.path).fileName() + " " + problem.what);
    EXPECT_EQ(found, (QStringList{"ALOG007.CSV changed", "ALOG007.CSV.1 missing", "NOTES.TXT not in the manifest"}));
}
