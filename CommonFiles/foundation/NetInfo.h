#pragma once

#include <QString>

// Facts about the machine and the account the program runs as, gathered
// once at start-up: they go into the start-up banner and into every last-run
// record, so one can tell where and as whom an import ran.
class NetInfo {
public:
    void GetNetInfo();

    const QString& WinVersion() const { return m_winVersion; }
    const QString& WinBuild() const { return m_winBuild; }
    const QString& WinDirectory() const { return m_winDirectory; }
    const QString& WorkStation() const { return m_workStation; }
    const QString& NetUser() const { return m_netUser; }
    const QString& IPAddrs() const { return m_ipAddrs; }
    const QString& AllTextDump() const { return m_allTextDump; }

    // The summary line: family, version, address, host and user.
    static QString Summary(const QString& version, const QString& build, const QString& address,
                           const QString& workStation, const QString& user);
    // A user name longer than 24 characters is not reported.
    static QString AcceptedUserName(const QString& name);

private:
    static QString FirstIPv4Address(const QString& hostName);

    QString m_winVersion;
    QString m_winBuild;
    QString m_winDirectory;
    QString m_workStation;
    QString m_netUser;
    QString m_ipAddrs;
    QString m_allTextDump;
};
