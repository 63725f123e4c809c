#include "targetdb/ReferenceTarget.h"

#include "platform/NumberedError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/SqlExecution.h"
#include "platform/ado/SqlScript.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

void RunScript(ado::Connection& connection, const QString& script)
{
    const QStringList statements = ado::SqlScript::Statements(script);
    for (const QString& statement : statements)
        ado::SqlExecution::Statement(connection, statement);
}

QString PostgreSqlConnectionString(const QString& hostPort, const QString& password, const QString& database)
{
    return "Provider=PostgreSQL;Data Source=" + hostPort + ";Initial Catalog=" + database +
        ";User ID=qeldba;Password=" + password + ";";
}

// Identifiers cannot be bound; only plain names are accepted.
QString CheckedName(const QString& name)
{
    static const QRegularExpression plain("^[A-Za-z_][A-Za-z0-9_]*$");
    if (!plain.match(name).hasMatch())
        throw NumberedError(5, "Invalid database name: " + name);
    return name;
}

}  // namespace

QString ReferenceTarget::SchemaText(const QString& backend, Schema schema)
{
    QFile file(":/targetdb/" + backend + (schema == Schema::Root ? "/root.sql" : "/facility.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw NumberedError(53, "File not found: " + file.fileName());
    return QString::fromUtf8(file.readAll());
}

void ReferenceTarget::CreateSqlite(const QString& folder, const QString& name, Schema schema)
{
    const QString file = folder + "/" + CheckedName(name) + ".sqlite";
    QDir().mkpath(folder);
    QFile::remove(file);
    QFile created(file);
    if (!created.open(QIODevice::WriteOnly))
        throw NumberedError(75, "Path/File access error: " + file);
    created.close();
    ado::Connection connection;
    connection.Open("Provider=SQLite;Data Source=" + folder + ";Initial Catalog=" + name + ";");
    // One transaction: the file is written once instead of per statement.
    ado::SqlExecution::Statement(connection, "BEGIN");
    RunScript(connection, SchemaText("sqlite", schema));
    ado::SqlExecution::Statement(connection, "COMMIT");
}

void ReferenceTarget::CreatePostgreSql(const QString& hostPort, const QString& password, const QString& name,
                                       Schema schema)
{
    const QString database = CheckedName(name).toLower();
    {
        ado::Connection server;
        server.Open(PostgreSqlConnectionString(hostPort, password, "postgres"));
        ado::SqlExecution::Statement(server, "DROP DATABASE IF EXISTS " + database + " WITH (FORCE)");
        ado::SqlExecution::Statement(server, "CREATE DATABASE " + database);
    }
    ado::Connection connection;
    connection.Open(PostgreSqlConnectionString(hostPort, password, database));
    RunScript(connection, SchemaText("postgresql", schema));
}
