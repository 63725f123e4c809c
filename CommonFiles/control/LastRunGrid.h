#pragma once

#include "platform/DateTime.h"

#include <QList>
#include <QString>
#include <QStringList>

class CommonGlobals;

// The rows of the last-run viewer: one per facility holding variables of
// this collector, with the collector's last-run row for it, and the save
// that corrects the dates (only INTERFACE_ID, FILENAME and LASTRUN).
class LastRunGrid {
public:
    struct Row {
        QString facility;  // the facility's name
        QString facilityId;  // the facility key
        QString lastRun;  // empty when the facility has no last-run row
        // The date text as read. The service goes on advancing dates while
        // a person edits, so a row whose date still reads so is not written.
        QString readLastRun;
        QString auditUser;
        QString workStation;
        QString netUser;
        QString ip;
        QString localPath;
    };

    explicit LastRunGrid(CommonGlobals& globals) : m_globals(globals) {}

    // The rows, or none when the target cannot be read (the reason shown).
    QList<Row> FillGrid();
    // Writes the rows whose date differs from the one read. True only when
    // every such non-empty date was a date and was written.
    bool SaveGrid(const QList<Row>& rows);
    // A last-run date a person may set: from 1900 up to one day after now.
    // An earlier one would re-import a century; a later one would stop the
    // facility's imports until that date.
    static bool PlausibleLastRun(const DateTime& date, const DateTime& now);

private:
    CommonGlobals& m_globals;
};
