#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

// Day files parsed once: a file is read and split again only when its
// path, size or modification time changes (or it changed moments ago), so
// a request costs the same whatever the file's length. Each parsed file also keeps the date its
// last three non-empty fields hold.
class DataFileCache {
public:
    struct DataFile {
        QList<QStringList> lines;
        std::optional<QDate> fileDate;
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

    // The parsed file at path, whose stamp was just taken, or nothing when
    // it cannot be read; failure then tells why.
    std::shared_ptr<const DataFile> Load(const QString& path, const FileStamp& stamp, QString& failure);

    // The date a day file holds: the last three non-empty fields, read
    // from the end, are day, month and two-digit year.
    static std::optional<QDate> FileDate(const QList<QStringList>& lines);

private:
    struct Entry {
        QString path;
        FileStamp stamp;
        std::shared_ptr<const DataFile> file;
    };

    static std::shared_ptr<const DataFile> Parse(const QByteArray& content);

    QList<Entry> m_entries;
};
