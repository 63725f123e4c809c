#pragma once

#include "support/TempFolder.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QUuid>
#include <gtest/gtest.h>

// The rows a statement gives on a facility of a demo installation's target
// in home, each as its fields joined by "|"; a statement that changes rows
// gives none.
inline QStringList DemoRows(const TempFolder& home, const QString& facility, const QString& sql)
{
    const QString name = QUuid::createUuid().toString();
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(home.file("target/" + facility + ".sqlite"));
        EXPECT_TRUE(db.open());
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString();
        while (query.next()) {
            QStringList fields;
            for (int i = 0; i < query.record().count(); ++i)
                fields.append(query.value(i).toString());
            rows.append(fields.join('|'));
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}
