#pragma once

#include "platform/DateTime.h"

#include <QList>
#include <QString>
#include <QStringList>

class CommonGlobals;
class CommonLastRunReadWrite;

namespace ado {
class Connection;
}

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
        // Why the facility's database could not be read; empty when it was.
        QString unreadable;
    };

    explicit LastRunGrid(CommonGlobals& globals) : m_globals(globals) {}

    // The rows, or none when the target cannot be read (the reason shown).
    // A facility whose database cannot be read has a row too, after the
    // others, saying why.
    QList<Row> FillGrid();
    // Writes the rows whose date differs from the one read. True only when
    // every such non-empty date was a date and was written; nothing is
    // written while an import runs on the installation.
    bool SaveGrid(const QList<Row>& rows);
    // A last-run date a person may set: from 1900 up to one day after now.
    // An earlier one would re-import a century; a later one would stop the
    // facility's imports until that date.
    static bool PlausibleLastRun(const DateTime& date, const DateTime& now);

private:
    void ReadLastRun(Row& row, CommonLastRunReadWrite& reader, ado::Connection& root) const;

    CommonGlobals& m_globals;
};
