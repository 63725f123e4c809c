#include "platform/ServiceManager.h"

#include <QProcess>
#include <QStringList>

bool ServiceManager::Systemctl(const QStringList& arguments, QString& output) const
{
    QProcess systemctl;
    systemctl.start("systemctl", arguments + QStringList{m_name + ".service"});
    if (!systemctl.waitForFinished(60000)) {
        output = systemctl.errorString();
        return false;
    }
    output = QString::fromLocal8Bit(systemctl.readAllStandardOutput() + systemctl.readAllStandardError()).trimmed();
    return systemctl.exitStatus() == QProcess::NormalExit && systemctl.exitCode() == 0;
}

bool ServiceManager::Status(QString& state) const
{
    QString shown;
    if (!Systemctl({"show", "--property=ActiveState", "--property=SubState", "--value"}, shown)) {
        state = shown;
        return false;
    }
    const QStringList values = shown.split('\n', Qt::SkipEmptyParts);
    state = values.value(0) + " (" + values.value(1) + ")";
    return true;
}

bool ServiceManager::Start(QString& error) const
{
    return Systemctl({"start"}, error);
}

bool ServiceManager::Stop(QString& error) const
{
    return Systemctl({"stop"}, error);
}
