#include "CommonFiles/service/LogTail.h"

#include "CommonFiles/foundation/QELLoggerTXT.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

namespace {

// A handle file holds one path.
constexpr qint64 kLargestHandle = 64 * 1024;

bool IsContinuationByte(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

QString LogTail::LastLogFilePath(const QString& handleFile, const QString& logFolder, QString& refusal)
{
    refusal.clear();
    if (!QFileInfo::exists(handleFile))
        return {};
    QString failure;
    const auto content = RegularFile::ReadAll(handleFile, kLargestHandle, failure);
    if (!content) {
        refusal = "No log is shown: " + handleFile + " cannot be read (" + failure + ").";
        return {};
    }
    const QString path = QString::fromUtf8(content->left(content->indexOf('\n'))).trimmed();
    const QString reason = path.isEmpty() ? QString() : NotOwnLog(path, logFolder);
    if (reason.isEmpty())
        return path;
    refusal = "No log is shown: " + handleFile + " names " + path + ", which " + reason + ".";
    return {};
}

QString LogTail::NotOwnLog(const QString& path, const QString& logFolder)
{
    const QFileInfo log(path);
    if (QDir::cleanPath(log.absolutePath()) != QDir::cleanPath(QFileInfo(logFolder).absoluteFilePath()))
        return "is not in the log folder " + logFolder;
    if (!QELLoggerTXT::IsLogFileName(log.fileName()))
        return QStringLiteral("is not named as a log");
    if (!RegularFile::IsRegularNotLink(path))
        return QStringLiteral("is not a regular file");
    return {};
}

std::optional<QString> LogTail::TailReversed(const QString& path, qint64 bytes)
{
    QFile log;
    QString failure;
    if (!RegularFile::OpenForReading(log, path, failure))
        return std::nullopt;
    // The service may append while this reads: the tail ends where the file
    // ended when it was opened.
    const qint64 size = log.size();
    const qint64 start = std::max<qint64>(0, size - std::max<qint64>(bytes, 0));
    if (!log.seek(start))
        return std::nullopt;
    const QByteArray tail = log.read(size - start);
    QStringList lines = DecodeTail(tail, start > 0).split("\r\n");
    std::reverse(lines.begin(), lines.end());
    return lines.join('\n') + '\n';
}

// A tail taken from inside the file may begin in the middle of a character:
// its stray continuation bytes are dropped, so the partial line reads clean.
// Anything else that is not UTF-8 reads as the replacement character.
QString LogTail::DecodeTail(QByteArray tail, bool cut)
{
    if (cut) {
        const auto first = std::find_if_not(tail.cbegin(), tail.cend(), IsContinuationByte);
        tail.remove(0, first - tail.cbegin());
    }
    return QString::fromUtf8(tail);
}
