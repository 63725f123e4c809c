#pragma once

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
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

    // The parsed file, or nothing when it cannot be read; failure then
    // tells why.
    std::shared_ptr<const DataFile> Load(const QFileInfo& file, QString& failure);

    // The date a day file holds: the last three non-empty fields, read
    // from the end, are day, month and two-digit year.
    static std::optional<QDate> FileDate(const QList<QStringList>& lines);

private:
    struct Entry {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        std::shared_ptr<const DataFile> file;
    };

    static std::shared_ptr<const DataFile> Parse(const QByteArray& content);

    QList<Entry> m_entries;
};
