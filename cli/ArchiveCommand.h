#pragma once

#include "cli/ExitStatus.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTextStream>

class CommonGlobals;

// r58213-cli archive sync|verify: the archive of past day files seen from
// the command line. sync files what the data folder holds now and prints
// each file filed; verify checks every filed file against its month's
// manifest and prints each one changed, missing or unlisted (exit 1); list
// shows the days held.
class ArchiveCommand {
public:
    ArchiveCommand(CommonGlobals& globals, QTextStream& out, QTextStream& err)
        : m_globals(globals), m_out(out), m_err(err)
    {
    }

    ExitStatus Sync();
    ExitStatus Verify();
    // The days held, a line per month, with the days missing between them;
    // from and to (when given) bound the days listed.
    ExitStatus List(const QDate& from, const QDate& to);

private:
    bool Configured();
    QString Root() const;
    static QString DayRuns(const QList<int>& days);

    CommonGlobals& m_globals;
    QTextStream& m_out;
    QTextStream& m_err;
};
