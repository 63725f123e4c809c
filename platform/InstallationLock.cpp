#include "platform/InstallationLock.h"

#include <QByteArray>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

InstallationLock::InstallationLock(const QString& programFolder) : m_path(programFolder + "/r58213.lock")
{
}

InstallationLock::~InstallationLock()
{
    if (m_descriptor < 0)
        return;
    if (m_held)
        ::flock(m_descriptor, LOCK_UN);
    ::close(m_descriptor);
}

bool InstallationLock::TryLock()
{
    // Never through a link, never blocking on something that is not a file.
    m_descriptor =
        ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    struct stat status {};
    if (m_descriptor < 0 || ::fstat(m_descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        m_openFailure = m_descriptor < 0 ? QString::fromLocal8Bit(std::strerror(errno))
                                         : QStringLiteral("it is not a regular file");
        return false;
    }
    if (::flock(m_descriptor, LOCK_EX | LOCK_NB) != 0)
        return false;
    m_held = true;
    // A pid that cannot be written costs only the pid in a refusal.
    const QByteArray pid = QByteArray::number(static_cast<qint64>(::getpid())) + '\n';
    [[maybe_unused]] const bool told = ::ftruncate(m_descriptor, 0) == 0 &&
        ::pwrite(m_descriptor, pid.constData(), static_cast<size_t>(pid.size()), 0) == pid.size();
    return true;
}

qint64 InstallationLock::HolderPid() const
{
    char text[32] = {};
    const ssize_t read = m_descriptor < 0 ? -1 : ::pread(m_descriptor, text, sizeof text - 1, 0);
    return read > 0 ? QByteArray(text, read).trimmed().toLongLong() : 0;
}

QString InstallationLock::Refusal(const QString& what) const
{
    if (!m_openFailure.isEmpty())
        return "The import lock " + m_path + " cannot be opened (" + m_openFailure + "); " + what + ".";
    const qint64 pid = HolderPid();
    return "Another import is running on this installation (pid " +
        (pid > 0 ? QString::number(pid) : QStringLiteral("unknown")) + "); " + what + ".";
}
