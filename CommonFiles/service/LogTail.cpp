#include "CommonFiles/service/LogTail.h"

#include <QFile>
#include <QStringList>
#include <algorithm>

namespace {

bool IsContinuationByte(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

QString LogTail::LastLogFilePath(const QString& handleFile)
{
    QFile handle(handleFile);
    if (!handle.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(handle.readLine()).trimmed();
}

std::optional<QString> LogTail::TailReversed(const QString& path, qint64 bytes)
{
    QFile log(path);
    if (!log.open(QIODevice::ReadOnly))
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
