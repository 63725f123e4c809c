#pragma once

#include "platform/ado/AdoTypes.h"

#include <QList>
#include <QPair>
#include <QString>
#include <optional>

namespace ado {

// What an OLE DB style connection string ("Provider=...;Data Source=...;")
// asks for, and how to reach it on this platform: an SQLite file in a
// folder, or an ODBC driver. Keys the string adds beyond the standard ones
// (the installation's customizations) pass through to the ODBC driver.
class ConnectionTarget {
public:
    // Nothing when the provider is not one this platform can serve.
    static std::optional<ConnectionTarget> Parse(const QString& connectionString);

    Backend backend() const { return m_backend; }
    const QString& dataSource() const { return m_dataSource; }
    CallForm callForm() const;
    // The schema or database: the initial catalog, else the user.
    QString schema() const;
    QString SqliteFile() const;
    QString OdbcConnectString() const;

private:
    QString Value(const QString& key) const;
    QString DriverOr(const QString& fallback) const;

    Backend m_backend = Backend::Sqlite;
    QString m_dataSource;
    QList<QPair<QString, QString>> m_pairs;
};

}  // namespace ado
