#pragma once

#include <QString>

// The service as systemd knows it: its state, start and stop, through
// systemctl. Failures come back as false with systemctl's own words.
class ServiceManager {
public:
    explicit ServiceManager(QString serviceName) : m_name(std::move(serviceName)) {}

    // "active (running)", "inactive (dead)", ...; false when systemd cannot tell.
    bool Status(QString& state) const;
    bool Start(QString& error) const;
    bool Stop(QString& error) const;

private:
    bool Systemctl(const QStringList& arguments, QString& output) const;

    QString m_name;
};
