#pragma once

#include <QList>
#include <QStringList>
#include <QVariantList>

namespace ado {

// What one executed statement gave: its columns and every row, read whole,
// and the rows it changed (-1 when the driver cannot tell).
struct StatementResult {
    QStringList fields;
    QList<QVariantList> rows;
    qint64 rowsAffected = -1;
};

}  // namespace ado
