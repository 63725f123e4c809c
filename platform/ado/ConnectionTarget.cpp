#include "platform/ado/ConnectionTarget.h"

#include <QStringList>

namespace ado {

namespace {

const QStringList kStandardKeys = {
    "provider", "persist security info", "data source",      "initial catalog", "user id",
    "password", "ole db services",       "application name", "driver",          "procedure call"};

std::optional<Backend> BackendOf(const QString& provider)
{
    const QString p = provider.trimmed().toUpper();
    if (p == "SQLNCLI" || p == "SQLNCLI11" || p == "SQLOLEDB" || p == "MSOLEDBSQL")
        return Backend::SqlServer;
    if (p == "ORAOLEDB.ORACLE")
        return Backend::Oracle;
    if (p == "MSDASQL")
        return Backend::OdbcDsn;
    if (p == "POSTGRESQL")
        return Backend::PostgreSql;
    if (p == "SQLITE")
        return Backend::Sqlite;
    return std::nullopt;
}

// An ODBC value between braces arrives whole; a closing brace inside is
// doubled.
QString Braced(const QString& value)
{
    return "{" + QString(value).replace('}', "}}") + "}";
}

// Values holding a separator go between braces.
QString OdbcValue(const QString& value)
{
    const bool plain = !value.contains(';') && !value.contains('=') && !value.contains('{') && !value.contains('}');
    return plain ? value : Braced(value);
}

}  // namespace

std::optional<ConnectionTarget> ConnectionTarget::Parse(const QString& connectionString)
{
    ConnectionTarget target;
    const QStringList parts = connectionString.split(';', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const qsizetype equals = part.indexOf('=');
        if (equals > 0)
            target.m_pairs.append({part.left(equals).trimmed(), part.mid(equals + 1).trimmed()});
    }
    const auto backend = BackendOf(target.Value("Provider"));
    if (!backend)
        return std::nullopt;
    target.m_backend = *backend;
    target.m_dataSource = target.Value("Data Source");
    return target;
}

QString ConnectionTarget::Value(const QString& key) const
{
    for (const auto& [k, v] : m_pairs)
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return v;
    return {};
}

QString ConnectionTarget::DriverOr(const QString& fallback) const
{
    const QString driver = Value("Driver");
    return driver.isEmpty() ? fallback : driver;
}

CallForm ConnectionTarget::callForm() const
{
    if (m_backend != Backend::PostgreSql)
        return CallForm::Escape;
    return Value("Procedure Call").compare("Escape", Qt::CaseInsensitive) == 0 ? CallForm::Escape : CallForm::Select;
}

QString ConnectionTarget::schema() const
{
    const QString catalog = Value("Initial Catalog");
    return catalog.isEmpty() ? Value("User ID") : catalog;
}

QString ConnectionTarget::SqliteFile() const
{
    return m_dataSource + "/" + schema() + ".sqlite";
}

QString ConnectionTarget::OdbcConnectString() const
{
    QStringList pieces;
    const QString user = Value("User ID");
    const QString password = Value("Password");
    switch (m_backend) {
    case Backend::SqlServer:
        pieces << "DRIVER=" + Braced(DriverOr("ODBC Driver 18 for SQL Server")) << "SERVER=" + OdbcValue(m_dataSource)
               << "DATABASE=" + OdbcValue(schema());
        break;
    case Backend::Oracle:
        pieces << "DRIVER=" + Braced(DriverOr("Oracle ODBC Driver")) << "DBQ=" + OdbcValue(m_dataSource);
        break;
    case Backend::PostgreSql: {
        const QStringList hostPort = m_dataSource.split(':');
        pieces << "DRIVER=" + Braced(DriverOr("PostgreSQL Unicode")) << "SERVER=" + OdbcValue(hostPort.value(0))
               << "PORT=" + (hostPort.size() > 1 ? hostPort[1] : QStringLiteral("5432"))
               << "DATABASE=" + OdbcValue(schema().toLower());
        break;
    }
    case Backend::OdbcDsn:
        pieces << "DSN=" + OdbcValue(m_dataSource);
        break;
    case Backend::Sqlite:
        return {};
    }
    // PostgreSQL folds unquoted role names to lower case.
    pieces << "UID=" + OdbcValue(m_backend == Backend::PostgreSql ? user.toLower() : user)
           << "PWD=" + OdbcValue(password);
    for (const auto& [key, value] : m_pairs)
        if (!kStandardKeys.contains(key.toLower()))
            pieces << key + "=" + OdbcValue(value);
    // No closing ";": a driver that parses the length it is given, and is
    // handed one more character, fails on an empty last pair.
    return pieces.join(';');
}

}  // namespace ado
