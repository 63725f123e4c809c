#pragma once

#include "platform/DateTime.h"

#include <QList>
#include <QString>

namespace ado {
class Connection;
}

// What a seek would tell of the stored rows of one variable's slots, for a
// window of consecutive slots read in one query. Inside a batch this spares
// a round trip to the target per slot. The window holds only whether a
// slot has rows and what their statuses are: enough to weigh a write
// against the approval rules, nothing that is stored again.
class StoredSlotWindow {
public:
    // What the stored rows of one slot allow.
    struct StoredRow {
        bool found = false;
        // A row without a status cannot be weighed against any level.
        bool withoutStatus = false;
        qint32 status = 0;
        // The stored value, only where a seek read the row: a window reads
        // statuses alone.
        bool valueRead = false;
        double value = 0;
        QString text;
    };

    // Whether the backend's reference procedures are known well enough for
    // a window to tell what their seek tells: on other targets the seek
    // procedure alone decides.
    static bool Supported(const ado::Connection& connection);

    bool Covers(const QString& table, qint32 varId, const DateTime& slotStart, const DateTime& slotEnd) const;
    // Reads the rows of varId in table from slotStart over the window's
    // length of slots, holding them for the writer's transaction where the
    // backend can. Database errors are raised.
    void Read(ado::Connection& connection, const QString& table, qint32 varId, const DateTime& slotStart,
              qint32 minutesPerSlot);
    // The stored rows of the slot, judged as strictly as any one of them
    // would be: a slot that holds several rows is kept when one of them
    // would keep it.
    StoredRow Find(const DateTime& slotStart, const DateTime& slotEnd) const;
    // The slot now holds one row, written with this status (kept only
    // when the window holds the slot).
    void Wrote(const QString& table, qint32 varId, const DateTime& slotStart, const DateTime& slotEnd, qint32 status);
    void Clear();

private:
    struct Row {
        DateTime datestamp;
        bool withoutStatus = false;
        qint32 status = 0;
    };

    // The rows are kept in time order.
    qsizetype FirstAtOrAfter(const DateTime& when) const;

    QString m_table;
    qint32 m_varId = 0;
    DateTime m_from;
    DateTime m_to;
    bool m_valid = false;
    QList<Row> m_rows;
};
