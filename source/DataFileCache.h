#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

// Day files read once: a file is read again only when its path, size or
// modification time changes (or it changed moments ago), so a request
// costs the same whatever the file's length. A file is kept as its bytes
// with where its lines begin; a cell is cut out when it is asked for, so a
// file costs little more memory than its size. Lines end in CR LF or in LF
// alone. Each file also keeps the date its last three non-empty fields
// hold.
class DataFileCache {
public:
    // The largest day file read: a real one holds a few hundred kB.
    static constexpr qint64 kLargestFile = 64 * 1024 * 1024;

    struct DataFile {
        QByteArray content;
        // Where each line a tag can address begins (line numbers are 16-bit).
        QList<qint32> lineStarts;
        std::optional<QDate> fileDate;

        // The text of a field, blanks kept (line and column from 0); nothing
        // when the file has no such cell.
        std::optional<QString> Field(qsizetype line, qsizetype column) const;

    private:
        qsizetype LineEnd(qsizetype start) const;
    };

    // What one look at the file system tells of a file. Times are counted
    // from the epoch, so comparing them needs no time-zone rules (which
    // would cost a look at the zone file on every read).
    struct FileStamp {
        bool exists = false;
        qint64 size = -1;
        qint64 modifiedMilliseconds = 0;
    };
    static FileStamp StampOf(const QString& path);
    // Whether the folder can be listed; failure tells why not.
    static bool FolderListable(const QString& folder, QString& failure);

    // The file at path, whose stamp was just taken, or nothing when it
    // cannot be read; failure then tells why.
    std::shared_ptr<const DataFile> Load(const QString& path, const FileStamp& stamp, QString& failure);

    // The date a day file holds: the last three non-empty fields, read
    // from the end, are day, month and two-digit year.
    static std::optional<QDate> FileDate(const QByteArray& content);

private:
    struct Entry {
        QString path;
        FileStamp stamp;
        std::shared_ptr<const DataFile> file;
    };

    static std::shared_ptr<const DataFile> Parse(QByteArray content);
    void Keep(const Entry& entry);

    QList<Entry> m_entries;
};
