#include "CommonFiles/foundation/NetInfo.h"

#include <QDir>
#include <QSysInfo>
#include <netdb.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <arpa/inet.h>

void NetInfo::GetNetInfo()
{
    // The family is the operating system's own name, the version its kernel's.
    m_winVersion = QSysInfo::prettyProductName();
    m_winBuild = QSysInfo::kernelVersion();
    m_winDirectory = QDir::rootPath();
    const QString host = QSysInfo::machineHostName().left(255);
    m_workStation = host.isEmpty() ? QStringLiteral("?") : host;
    const passwd* account = getpwuid(geteuid());
    m_netUser = account ? AcceptedUserName(QString::fromLocal8Bit(account->pw_name)) : QString();
    m_ipAddrs = FirstIPv4Address(host);
    m_allTextDump = Summary(m_winVersion, m_winBuild, m_ipAddrs, m_workStation, m_netUser);
}

QString NetInfo::Summary(const QString& version, const QString& build, const QString& address,
                         const QString& workStation, const QString& user)
{
    return version + " " + build + ", IP Address = " + address + ", Workstation = " + workStation +
        ", Network User = " + user;
}

QString NetInfo::AcceptedUserName(const QString& name)
{
    return name.size() > 24 ? QString() : name;
}

QString NetInfo::FirstIPv4Address(const QString& hostName)
{
    if (hostName.trimmed().isEmpty())
        return {};
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (getaddrinfo(hostName.trimmed().toLocal8Bit().constData(), nullptr, &hints, &found) != 0 || !found)
        return {};
    char text[INET_ADDRSTRLEN] = {};
    const auto* address = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    const bool ok = inet_ntop(AF_INET, &address->sin_addr, text, sizeof text) != nullptr;
    freeaddrinfo(found);
    return ok ? QString::fromLatin1(text) : QString();
}
