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
    // missing or cannot be read.
    static QString LastLogFilePath(const QString& handleFile);
    // The last bytes of the file (all of it when it is shorter), its lines
    // newest first, each followed by a line break. A file ending in a line
    // break gives an empty first line; the first line of the tail, usually
    // cut, comes last. Nothing when the file cannot be read.
    static std::optional<QString> TailReversed(const QString& path, qint64 bytes);

private:
    static QString DecodeTail(QByteArray tail, bool cut);
};
