#pragma once

#include <QString>
#include <optional>

// What the service has written last to its text log, read while the service
// goes on writing it, for a window that follows the log. The service names
// its current log file in its handle file; both files are only appended to
// or rewritten whole, so a read never needs a lock.
class LogTail {
public:
    // The trimmed first line of the handle file; empty when the file is
    // missing or cannot be read. Only one of the program's own logs is
    // named: a regular file, not a link, with a log's name, in logFolder.
    // Anything else gives nothing, and refusal says why.
    static QString LastLogFilePath(const QString& handleFile, const QString& logFolder, QString& refusal);
    // The last bytes of the file (all of it when it is shorter), its lines
    // newest first, each followed by a line break. A file ending in a line
    // break gives an empty first line; the first line of the tail, usually
    // cut, comes last. Nothing when the file cannot be read or is not a
    // regular file.
    static std::optional<QString> TailReversed(const QString& path, qint64 bytes);

private:
    // Why path is not one of the program's logs in logFolder; empty when it is.
    static QString NotOwnLog(const QString& path, const QString& logFolder);
    static QString DecodeTail(QByteArray tail, bool cut);
};
