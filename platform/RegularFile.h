#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <optional>

// Files that come from outside the program (day files, the log a handle
// file names) are opened only when they are regular files. Opening never
// blocks: a FIFO or a device named like one of them is refused instead of
// hanging the process, and a file over a size bound is refused before any
// of it is read.
class RegularFile {
public:
    // Opens path for reading into file when it is a regular file (a link
    // to one is followed). False, with why in failure, otherwise.
    static bool OpenForReading(QFile& file, const QString& path, QString& failure);
    // The whole content of a regular file of at most limit bytes.
    static std::optional<QByteArray> ReadAll(const QString& path, qint64 limit, QString& failure);
    // Whether path itself, not what a link at path names, is a regular file.
    static bool IsRegularNotLink(const QString& path);
    // "64 MB", "4 kB" or "100 bytes", for a bound told to a person.
    static QString SizeText(qint64 bytes);
};
