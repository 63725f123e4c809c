#pragma once

#include "cli/ExitStatus.h"

#include <QString>
#include <QTextStream>

class CommandOptions;
class CommonGlobals;
class LastRunGrid;

// The commands of r58213-cli that run the program's work: imports, the
// last-run dates, the source test, the definition upload, the demo and the
// service. Each returns the exit status of the command.
class CliOperations {
public:
    CliOperations(CommonGlobals& globals, QTextStream& out, QTextStream& err)
        : m_globals(globals), m_out(out), m_err(err)
    {
    }

    ExitStatus ImportAll(const CommandOptions& options);
    ExitStatus ImportSelected(const CommandOptions& options);
    ExitStatus LastRunList();
    ExitStatus LastRunSet(const CommandOptions& options);
    ExitStatus TestSource(const CommandOptions& options);
    ExitStatus UploadDefinition(const CommandOptions& options);
    ExitStatus Demo();
    ExitStatus Service(const CommandOptions& options);

private:
    ExitStatus Import(const CommandOptions& options, bool selected);
    ExitStatus Usage(const QString& problem);
    // The text on standard output for a success, on standard error otherwise.
    ExitStatus Tell(const QString& text, bool success);
    bool KnownFacility(LastRunGrid& grid, const QString& facilityId);

    CommonGlobals& m_globals;
    QTextStream& m_out;
    QTextStream& m_err;
};
