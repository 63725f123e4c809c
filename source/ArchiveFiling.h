#pragma once

#include "source/DayFileArchive.h"

#include <QList>
#include <QSet>
#include <QString>

class CommonGlobals;

// Files the day files of the data folder into the archive the
// configuration names (R58213\ARCHIVE; empty: no archive), each time the
// program reads the folder. A day file rewritten after it was filed is
// told at level 0; a past day's file that cannot be filed is told once.
class ArchiveFiling {
public:
    explicit ArchiveFiling(CommonGlobals& globals);

    // Whether an archive is configured.
    bool Configured() const;
    // What each day file of the data folder came to, in name order; nothing
    // when no archive is configured.
    QList<DayFileArchive::Outcome> FileDataFolder();
    // The data folder's day files (prefix, two-digit day, extension).
    QStringList DayFiles() const;

private:
    void Tell(const QString& dayFile, const DayFileArchive::Outcome& outcome);

    CommonGlobals& m_globals;
    QSet<QString> m_told;
};
