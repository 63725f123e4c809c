#pragma once

#include <QString>

// What the facility's seek procedure told of a slot's stored row: enough to
// weigh a write against the approval rules, and the value a dry run shows.
struct StoredRow {
    bool found = false;
    // A row without a status cannot be weighed against any level.
    bool withoutStatus = false;
    qint32 status = 0;
    // The stored value, when a row was found.
    double value = 0;
    QString text;
};
