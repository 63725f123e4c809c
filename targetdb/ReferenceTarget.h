#pragma once

#include <QString>

// Creates reference target databases from the schema files shipped with
// the program: the root schema QELROOT and any number of facilities, as
// SQLite files in a folder or as databases on a PostgreSQL server. A
// database of the same name is replaced. Failures raise NumberedError.
class ReferenceTarget {
public:
    enum class Schema { Root, Facility };

    // <folder>/QELROOT.sqlite or <folder>/<NAME>.sqlite
    static void CreateSqlite(const QString& folder, const QString& name, Schema schema);
    // Database lower(name) on host:port, created by the login qeldba.
    static void CreatePostgreSql(const QString& hostPort, const QString& password, const QString& name, Schema schema);
    // The schema file's text for the backend ("sqlite" or "postgresql").
    static QString SchemaText(const QString& backend, Schema schema);
};
