#pragma once

#include "CommonFiles/control/ImportSession.h"
#include "CommonFiles/control/ReportFormat.h"
#include "cli/ExitStatus.h"

#include <QString>
#include <QTextStream>

class CliSessionPrompts;
class CommandOptions;
class CommonGlobals;
class DiffReport;
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
    // The slots of the range without a row in the target, filled with
    // --fill; 0 when no fillable gap is left, 1 when some is, 2 on error.
    ExitStatus Gaps(const CommandOptions& options);
    ExitStatus LastRunList();
    ExitStatus LastRunSet(const CommandOptions& options);
    ExitStatus TestSource(const CommandOptions& options);
    ExitStatus UploadDefinition(const CommandOptions& options);
    ExitStatus Demo();
    ExitStatus Service(const CommandOptions& options);

private:
    ExitStatus Import(const CommandOptions& options, bool selected);
    ExitStatus DiffRun(const CommandOptions& options, bool selected);
    // One import of the chosen variables (--var or --facility given) or
    // of all; in test mode with diff, a dry run into diff.
    ImportSession::Outcome Run(ImportSession& session, bool selected, bool test, DiffReport* diff);
    // The scan of the gaps into found; false when it failed.
    bool Scan(ImportSession& session, bool selected, DiffReport& found);
    // Exit 2 for a scan that failed, naming the facilities it could not read.
    ExitStatus Unscanned(const ImportSession& session, const DiffReport& found, ReportFormat::Form form);
    // The --format chosen (text without one); nothing, said, for another.
    std::optional<ReportFormat::Form> FormatOf(const CommandOptions& options);
    template <typename Report> void Print(const Report& report, ReportFormat::Form form);
    ExitStatus Usage(const QString& problem);
    // The text on standard output for a success, on standard error otherwise.
    ExitStatus Tell(const QString& text, bool success);
    bool KnownFacility(LastRunGrid& grid, const QString& facilityId);

    CommonGlobals& m_globals;
    QTextStream& m_out;
    QTextStream& m_err;
};
