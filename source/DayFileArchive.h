#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The day files kept beyond the logger's month. The logger names a file by
// the day of the month alone and overwrites it a month later; the archive
// keeps each one under the date it holds, as <root>/<yyyy>/<mm>/<name>,
// with a manifest per month (SHA256SUMS, in sha256sum's format). A file is
// filed once its day is over. A version already filed is left alone; one
// with other content (the logger rewrote a past day) is filed beside it as
// <name>.<n>. Nothing in the archive is ever overwritten or deleted: a copy
// is written to a hidden name in its folder, flushed to the disk and then
// renamed, so a copy cut short by a crash is never taken for a filed file.
class DayFileArchive {
public:
    enum class Filing { Filed, FiledBeside, AlreadyFiled, DayNotOver, NoFileDate, NotFiled };
    struct Outcome {
        Filing filing;
        // The archive's file (filed or already there); empty when not filed.
        QString path;
        // Why a file was not filed.
        QString reason;
    };
    struct Problem {
        QString path;
        QString what;  // "changed", "missing" or "not in the manifest"
    };

    explicit DayFileArchive(QString root);

    const QString& root() const { return m_root; }
    // Files one day file of the data folder, as of today.
    Outcome File(const QString& dayFile, const QDate& today) const;
    // The versions of the file of that name filed under day's month, newest
    // first. Which of them holds the day is for the reader to check: a name
    // serves one day only as long as the logger keeps to its naming.
    QStringList VersionsOf(const QDate& day, const QString& fileName) const;
    // Every filed file checked against its month's manifest.
    QList<Problem> Verify() const;
    // The days the archive holds a file of, by the day in the names of the
    // files filed (prefix, two-digit day, extension), in order.
    QList<QDate> Days(const QString& prefix, const QString& extension) const;

    static const QString kManifest;

private:
    struct ManifestEntry {
        QString sum;
        QString name;
    };

    QString MonthFolder(const QDate& day) const;
    static QStringList Versions(const QString& folder, const QString& fileName);
    static QString VersionName(const QString& fileName, int version);
    static bool Copy(const QString& from, const QByteArray& content, const QString& to, QString& failure);
    static bool AppendToManifest(const QString& folder, const QString& sum, const QString& fileName, QString& failure);
    static QList<ManifestEntry> ManifestEntries(const QString& folder);
    static QList<Problem> VerifyMonth(const QString& folder);
    // The year and month folders, oldest first.
    QStringList MonthFolders() const;

    QString m_root;
};
