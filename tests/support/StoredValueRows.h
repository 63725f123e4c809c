#pragma once

#include "support/TempFolder.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>

// Value rows stored in the facility databases of a demo installation's
// target in home: every facility's, or only the one given.
inline qint64 StoredValueRows(const TempFolder& home, const QString& onlyFacility = {})
{
    qint64 rows = 0;
    const QStringList files = TempFolder::Files(home.file("target"), "*.sqlite");
    for (const QString& file : files) {
        if (file == "QELROOT.sqlite" || (!onlyFacility.isEmpty() && file != onlyFacility + ".sqlite"))
            continue;
        const QString name = QUuid::createUuid().toString();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
            db.setDatabaseName(home.file("target/" + file));
            db.open();
            QSqlQuery tables("select name from sqlite_master where type = 'table' and name like 'DATA%' and name not "
                             "like '%\\_I' escape '\\'",
                             db);
            while (tables.next()) {
                QSqlQuery count("select count(*) from " + tables.value(0).toString(), db);
                rows += count.next() ? count.value(0).toLongLong() : 0;
            }
        }
        QSqlDatabase::removeDatabase(name);
    }
    return rows;
}
