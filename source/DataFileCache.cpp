#include "source/DataFileCache.h"

#include "platform/Conversions.h"

#include <QDateTime>
#include <QFile>
#include <sys/stat.h>

namespace {

// Enough for a month of day files, so an import over many days re-reads
// nothing while the files stay as they are.
constexpr qsizetype kFilesKept = 32;
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
    QFile file(path);
    const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (file.error() != QFileDevice::NoError) {
        failure = file.errorString();
        return nullptr;
    }
    const auto parsed = Parse(content);
    m_entries.removeIf([&path](const Entry& entry) { return entry.path == path; });
    if (m_entries.size() >= kFilesKept)
        m_entries.removeFirst();
    m_entries.append(Entry{path, stamp, parsed});
    return parsed;
}

std::shared_ptr<const DataFileCache::DataFile> DataFileCache::Parse(const QByteArray& content)
{
    auto file = std::make_shared<DataFile>();
    // Single-byte text: every byte is one character.
    const QStringList lines = QString::fromLatin1(content).split("\r\n");
    file->lines.reserve(lines.size());
    for (const QString& line : lines)
        file->lines.append(line.split(','));
    file->fileDate = FileDate(file->lines);
    return file;
}

std::optional<QDate> DataFileCache::FileDate(const QList<QStringList>& lines)
{
    QStringList found;  // day, month, year
    for (qsizetype l = lines.size() - 1; l >= 0 && found.size() < 3; --l)
        for (qsizetype f = lines[l].size() - 1; f >= 0 && found.size() < 3; --f)
            if (!lines[l][f].isEmpty())
                found.append(lines[l][f].trimmed());
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
