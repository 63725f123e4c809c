#include "source/DataFileCache.h"

#include "platform/Conversions.h"
#include "platform/RegularFile.h"

#include <QDateTime>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace {

// Enough for a month of day files, so an import over many days re-reads
// nothing while the files stay as they are; fewer when they are large.
constexpr qsizetype kFilesKept = 32;
constexpr qint64 kBytesKept = 2 * DataFileCache::kLargestFile;
// Tags address lines 1 to 32,767.
constexpr qsizetype kAddressableLines = 32767;
// A file changed this recently may change again within the resolution of
// its time stamp without changing size; it is read afresh until it settles.
constexpr qint64 kSettleMilliseconds = 2000;

std::optional<int> WholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

}  // namespace

qsizetype DataFileCache::DataFile::LineEnd(qsizetype start) const
{
    const qsizetype lineFeed = content.indexOf('\n', start);
    if (lineFeed < 0)
        return content.size();
    return lineFeed > start && content[lineFeed - 1] == '\r' ? lineFeed - 1 : lineFeed;
}

std::optional<QString> DataFileCache::DataFile::Field(qsizetype line, qsizetype column) const
{
    if (line < 0 || line >= lineStarts.size() || column < 0)
        return std::nullopt;
    const qsizetype end = LineEnd(lineStarts[line]);
    qsizetype start = lineStarts[line];
    for (qsizetype c = 0; c < column; ++c) {
        const qsizetype comma = content.indexOf(',', start);
        if (comma < 0 || comma >= end)
            return std::nullopt;
        start = comma + 1;
    }
    const qsizetype comma = content.indexOf(',', start);
    const qsizetype fieldEnd = comma < 0 || comma > end ? end : comma;
    // Single-byte text: every byte is one character.
    return QString::fromLatin1(content.constData() + start, fieldEnd - start);
}

DataFileCache::FileStamp DataFileCache::StampOf(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    constexpr qint64 kNanosecondsPerMillisecond = 1000000;
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = status.st_size;
    stamp.modifiedMilliseconds =
        qint64{status.st_mtim.tv_sec} * 1000 + status.st_mtim.tv_nsec / kNanosecondsPerMillisecond;
    return stamp;
}

bool DataFileCache::FolderListable(const QString& folder, QString& failure)
{
    DIR* listing = ::opendir(QFile::encodeName(folder).constData());
    if (!listing) {
        failure = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    ::closedir(listing);
    return true;
}

std::shared_ptr<const DataFileCache::DataFile> DataFileCache::Load(const QString& path, const FileStamp& stamp,
                                                                   QString& failure)
{
    const bool settled = QDateTime::currentMSecsSinceEpoch() - stamp.modifiedMilliseconds >= kSettleMilliseconds;
    for (qsizetype i = 0; settled && i < m_entries.size(); ++i) {
        const Entry& entry = m_entries[i];
        if (entry.path == path && entry.stamp.size == stamp.size &&
            entry.stamp.modifiedMilliseconds == stamp.modifiedMilliseconds)
            return entry.file;
    }
    auto content = RegularFile::ReadAll(path, kLargestFile, failure);
    if (!content)
        return nullptr;
    const auto parsed = Parse(std::move(*content));
    m_entries.removeIf([&path](const Entry& entry) { return entry.path == path; });
    Keep(Entry{path, stamp, parsed});
    return parsed;
}

void DataFileCache::Keep(const Entry& entry)
{
    m_entries.append(entry);
    qint64 bytes = 0;
    for (const Entry& kept : m_entries)
        bytes += kept.file->content.size();
    while (m_entries.size() > 1 && (m_entries.size() > kFilesKept || bytes > kBytesKept)) {
        bytes -= m_entries.first().file->content.size();
        m_entries.removeFirst();
    }
}

std::shared_ptr<const DataFileCache::DataFile> DataFileCache::Parse(QByteArray content)
{
    auto file = std::make_shared<DataFile>();
    file->content = std::move(content);
    const QByteArray& text = file->content;
    for (qsizetype start = 0; start >= 0 && file->lineStarts.size() < kAddressableLines;) {
        file->lineStarts.append(static_cast<qint32>(start));
        const qsizetype lineFeed = text.indexOf('\n', start);
        start = lineFeed < 0 ? -1 : lineFeed + 1;
    }
    file->fileDate = FileDate(text);
    return file;
}

std::optional<QDate> DataFileCache::FileDate(const QByteArray& content)
{
    // Fields are taken from the end backwards; a line's CR before its LF
    // belongs to no field.
    QStringList found;  // day, month, year
    qsizetype fieldEnd = content.size();
    bool endsLine = false;
    for (qsizetype i = content.size() - 1; i >= -1 && found.size() < 3; --i) {
        const char c = i >= 0 ? content[i] : '\n';
        if (c != ',' && c != '\n')
            continue;
        const qsizetype end = endsLine && fieldEnd > i + 1 && content[fieldEnd - 1] == '\r' ? fieldEnd - 1 : fieldEnd;
        if (end > i + 1)
            found.append(QString::fromLatin1(content.constData() + i + 1, end - i - 1).trimmed());
        fieldEnd = i;
        endsLine = c == '\n';
    }
    if (found.size() < 3 || !Conversions::IsNumeric(found[2]))
        return std::nullopt;
    // Two-digit years: below 10 and 10 to 90 are this century, above 90
    // the last. A leading zero ("05") is the same year as "5".
    const auto year = WholeNumber(found[2]);
    const auto month = WholeNumber(found[1]);
    const auto day = WholeNumber(found[0]);
    if (!year || !month || !day || found[2].size() > 2 || *year < 0)
        return std::nullopt;
    const QDate date(*year > 90 ? 1900 + *year : 2000 + *year, *month, *day);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}
