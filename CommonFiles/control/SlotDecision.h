#pragma once

#include "platform/DateTime.h"

#include <QString>

// What an import does, or would do, with one slot of one variable: the
// writer's own decision, with the stored row it weighed. A dry run lists
// these so a person sees a backfill's effect before running it.
struct SlotDecision {
    enum class Kind { Write, Same, Keep, Locked, NoValue };

    QString facility;  // the facility key
    QString facilityName;
    qint32 varId = 0;  // the variable's id, as FACILITY~ID names it
    qint32 number = 0;  // the variable's number, as the activity lines show it
    QString variableName;
    DateTime slot;  // the row date the value is stored under
    Kind kind = Kind::NoValue;
    bool stored = false;  // whether the target holds a row for the slot
    bool storedWithoutStatus = false;
    QString storedValue;
    qint32 storedStatus = 0;
    QString newValue;  // empty when there is no value
    qint32 newStatus = 0;  // the variable's approval level
    // The slot's place in the walk of its report: consecutive slots of a
    // variable have consecutive numbers.
    qint64 sequence = 0;
    // No value: "missing file", "no file date", "file of another day",
    // "empty cell" or "not a number"; locked: the facility's lock date.
    QString reason;
    // Locked: the facility's lock date.
    DateTime lockDate;
};
