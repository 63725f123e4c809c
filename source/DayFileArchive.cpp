#include "source/DayFileArchive.h"

#include "platform/RegularFile.h"
#include "source/DataFileCache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Sum(const QByteArray& content)
{
    return QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex());
}

// The sum of a file in the archive; empty when it cannot be read.
QString SumOf(const QString& path)
{
    QString failure;
    const auto content = RegularFile::ReadAll(path, DataFileCache::kLargestFile, failure);
    return content ? Sum(*content) : QString();
}

QString SystemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        written += count;
    }
    return true;
}

// A rename is durable once its folder is on the disk too.
void SyncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// A line of a manifest: the sum, two blanks (or a blank and "*") and a name.
const QRegularExpression kManifestLine(R"(^([0-9a-f]{64}) [ *](.+)$)");

}  // namespace

const QString DayFileArchive::kManifest = QStringLiteral("SHA256SUMS");

DayFileArchive::DayFileArchive(QString root) : m_root(std::move(root))
{
}

QString DayFileArchive::MonthFolder(const QDate& day) const
{
    return m_root + "/" + day.toString("yyyy") + "/" + day.toString("MM");
}

QString DayFileArchive::VersionName(const QString& fileName, int version)
{
    return version == 0 ? fileName : fileName + "." + QString::number(version);
}

// The versions filed under a name, oldest first: name, name.1, name.2, ...
QStringList DayFileArchive::Versions(const QString& folder, const QString& fileName)
{
    QStringList versions;
    for (int version = 0; QFileInfo::exists(folder + "/" + VersionName(fileName, version)); ++version)
        versions.append(VersionName(fileName, version));
    return versions;
}

DayFileArchive::Outcome DayFileArchive::File(const QString& dayFile, const QDate& today) const
{
    QString failure;
    const auto content = RegularFile::ReadAll(dayFile, DataFileCache::kLargestFile, failure);
    if (!content)
        return {Filing::NotFiled, {}, failure};
    const auto date = DataFileCache::FileDate(*content);
    if (!date)
        return {Filing::NoFileDate, {}, "it holds no file date"};
    if (*date >= today)
        return {Filing::DayNotOver, {}, {}};
    const QString name = QFileInfo(dayFile).fileName();
    if (name.contains('\n') || name.contains('\\'))
        return {Filing::NotFiled, {}, "its name cannot stand in a manifest"};
    const QString folder = MonthFolder(*date);
    if (!QDir().mkpath(folder))
        return {Filing::NotFiled, {}, "the folder " + folder + " cannot be made"};
    const QString sum = Sum(*content);
    const QStringList versions = Versions(folder, name);
    const QList<ManifestEntry> manifest = ManifestEntries(folder);
    for (const QString& version : versions) {
        const auto entry = std::find_if(manifest.begin(), manifest.end(),
                                        [&](const ManifestEntry& listed) { return listed.name == version; });
        const bool listed = entry != manifest.end();
        // Only a version listed with this content's sum, or not listed yet,
        // is read again to confirm it still holds it.
        if ((listed && entry->sum != sum) || SumOf(folder + "/" + version) != sum)
            continue;
        // Filed by a run that ended before it wrote the manifest line.
        if (!listed && !AppendToManifest(folder, sum, version, failure))
            return {Filing::NotFiled, {}, failure};
        return {Filing::AlreadyFiled, folder + "/" + version, {}};
    }
    const QString target = VersionName(name, static_cast<int>(versions.size()));
    if (!Copy(dayFile, *content, folder + "/" + target, failure) || !AppendToManifest(folder, sum, target, failure))
        return {Filing::NotFiled, {}, failure};
    return {versions.isEmpty() ? Filing::Filed : Filing::FiledBeside, folder + "/" + target, {}};
}

// Written under a hidden name, flushed, given the day file's modification
// time, and renamed only where no file stands.
bool DayFileArchive::Copy(const QString& from, const QByteArray& content, const QString& to, QString& failure)
{
    const QFileInfo target(to);
    const QString temporary = target.path() + "/." + target.fileName() + ".partial";
    const QByteArray temporaryName = QFile::encodeName(temporary);
    // What a copy cut short left behind is no filed file.
    ::unlink(temporaryName.constData());
    struct stat source {};
    if (::stat(QFile::encodeName(from).constData(), &source) != 0) {
        failure = SystemError();
        return false;
    }
    const int fd = ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        failure = "cannot write " + temporary + ": " + SystemError();
        return false;
    }
    const timespec times[2] = {source.st_atim, source.st_mtim};
    const bool written = WriteAll(fd, content) && ::fsync(fd) == 0 && ::futimens(fd, times) == 0;
    failure = written ? QString() : "cannot write " + temporary + ": " + SystemError();
    ::close(fd);
    if (written &&
        ::renameat2(AT_FDCWD, temporaryName.constData(), AT_FDCWD, QFile::encodeName(to).constData(),
                    RENAME_NOREPLACE) != 0)
        failure = "cannot file " + to + ": " + SystemError();
    if (!failure.isEmpty()) {
        ::unlink(temporaryName.constData());
        return false;
    }
    SyncFolder(target.path());
    return true;
}

bool DayFileArchive::AppendToManifest(const QString& folder, const QString& sum, const QString& fileName,
                                      QString& failure)
{
    const QString manifest = folder + "/" + kManifest;
    const int fd = ::open(QFile::encodeName(manifest).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    const bool written = fd >= 0 && WriteAll(fd, (sum + "  " + fileName + "\n").toUtf8()) && ::fsync(fd) == 0;
    if (!written)
        failure = "cannot write " + manifest + ": " + SystemError();
    if (fd >= 0)
        ::close(fd);
    return written;
}

QList<DayFileArchive::ManifestEntry> DayFileArchive::ManifestEntries(const QString& folder)
{
    QFile manifest(folder + "/" + kManifest);
    QList<ManifestEntry> entries;
    if (!manifest.open(QIODevice::ReadOnly))
        return entries;
    for (const QByteArray& line : manifest.readAll().split('\n')) {
        const QRegularExpressionMatch match = kManifestLine.match(QString::fromUtf8(line));
        if (match.hasMatch())
            entries.append({match.captured(1), match.captured(2)});
    }
    return entries;
}

QStringList DayFileArchive::VersionsOf(const QDate& day, const QString& fileName) const
{
    const QString folder = MonthFolder(day);
    QStringList paths;
    for (const QString& version : Versions(folder, fileName))
        paths.prepend(folder + "/" + version);
    return paths;
}

QStringList DayFileArchive::MonthFolders() const
{
    static const QRegularExpression kYear("^[0-9]{4}$");
    static const QRegularExpression kMonth("^[0-9]{2}$");
    QStringList folders;
    const QDir root(m_root);
    for (const QString& year : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (!kYear.match(year).hasMatch())
            continue;
        for (const QString& month : QDir(root.filePath(year)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            if (kMonth.match(month).hasMatch())
                folders.append(root.filePath(year + "/" + month));
    }
    return folders;
}

QList<DayFileArchive::Problem> DayFileArchive::Verify() const
{
    QList<Problem> problems;
    for (const QString& folder : MonthFolders())
        problems += VerifyMonth(folder);
    return problems;
}

QList<QDate> DayFileArchive::Days(const QString& prefix, const QString& extension) const
{
    const QRegularExpression name("^" + QRegularExpression::escape(prefix) + "([0-9]{2})\\." +
                                  QRegularExpression::escape(extension) + "(\\.[0-9]+)?$");
    QList<QDate> days;
    for (const QString& folder : MonthFolders()) {
        const QStringList parts = folder.split('/');
        const int year = parts.value(parts.size() - 2).toInt();
        const int month = parts.last().toInt();
        for (const QString& file : QDir(folder).entryList(QDir::Files, QDir::Name)) {
            const QRegularExpressionMatch match = name.match(file);
            const QDate day(year, month, match.hasMatch() ? match.captured(1).toInt() : 0);
            if (day.isValid() && !days.contains(day))
                days.append(day);
        }
    }
    std::sort(days.begin(), days.end());
    return days;
}

QList<DayFileArchive::Problem> DayFileArchive::VerifyMonth(const QString& folder)
{
    QList<Problem> problems;
    QStringList listed;
    for (const ManifestEntry& entry : ManifestEntries(folder)) {
        const QString path = folder + "/" + entry.name;
        listed.append(entry.name);
        if (!QFileInfo::exists(path))
            problems.append({path, "missing"});
        else if (SumOf(path) != entry.sum)
            problems.append({path, "changed"});
    }
    // Hidden names are copies not yet filed.
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name))
        if (name != kManifest && !listed.contains(name))
            problems.append({folder + "/" + name, "not in the manifest"});
    return problems;
}
