#include "platform/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString SystemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

}  // namespace

bool RegularFile::OpenForReading(QFile& file, const QString& path, QString& failure)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        failure = SystemError(errno);
        return false;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        failure = QStringLiteral("it is not a regular file");
        ::close(descriptor);
        return false;
    }
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        failure = file.errorString();
        ::close(descriptor);
        return false;
    }
    return true;
}

std::optional<QByteArray> RegularFile::ReadAll(const QString& path, qint64 limit, QString& failure)
{
    QFile file;
    if (!OpenForReading(file, path, failure))
        return std::nullopt;
    if (file.size() > limit) {
        failure = "it is larger than " + SizeText(limit) + " (" + QString::number(file.size()) + " bytes)";
        return std::nullopt;
    }
    // A file that grows while it is read is cut at the bound, never read
    // without end.
    QByteArray content = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError) {
        failure = file.errorString();
        return std::nullopt;
    }
    if (content.size() > limit) {
        failure = "it grew beyond " + SizeText(limit) + " while it was read";
        return std::nullopt;
    }
    return content;
}

bool RegularFile::IsRegularNotLink(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

QString RegularFile::SizeText(qint64 bytes)
{
    constexpr qint64 kKilo = 1024;
    if (bytes >= kKilo * kKilo && bytes % (kKilo * kKilo) == 0)
        return QString::number(bytes / (kKilo * kKilo)) + " MB";
    if (bytes >= kKilo && bytes % kKilo == 0)
        return QString::number(bytes / kKilo) + " kB";
    return QString::number(bytes) + " bytes";
}
