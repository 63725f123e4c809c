#pragma once

#include "cli/ExitStatus.h"

#include <QString>
#include <QTextStream>

class CommonGlobals;

// r58213-cli archive sync|verify: the archive of past day files seen from
// the command line. sync files what the data folder holds now and prints
// each file filed; verify checks every filed file against its month's
// manifest and prints each one changed, missing or unlisted (exit 1).
class ArchiveCommand {
public:
    ArchiveCommand(CommonGlobals& globals, QTextStream& out, QTextStream& err)
        : m_globals(globals), m_out(out), m_err(err)
    {
    }

    ExitStatus Sync();
    ExitStatus Verify();

private:
    bool Configured();

    CommonGlobals& m_globals;
    QTextStream& m_out;
    QTextStream& m_err;
};
