#pragma once

#include <QString>
#include <QTextStream>

class CommandOptions;
class CommonGlobals;
class LastRunGrid;

// The commands of r58213-cli that run the program's work: imports, the
// last-run dates, the source test, the definition upload, the demo and the
// service. Each returns the exit status (0 done, 1 ran and failed, 2 usage).
class CliOperations {
public:
    CliOperations(CommonGlobals& globals, QTextStream& out, QTextStream& err)
        : m_globals(globals), m_out(out), m_err(err)
    {
    }

    int ImportAll(const CommandOptions& options);
    int ImportSelected(const CommandOptions& options);
    int LastRunList();
    int LastRunSet(const CommandOptions& options);
    int TestSource(const CommandOptions& options);
    int UploadDefinition(const CommandOptions& options);
    int Demo();
    int Service(const CommandOptions& options);

private:
    int Import(const CommandOptions& options, bool selected);
    int Usage(const QString& problem);
    bool KnownFacility(LastRunGrid& grid, const QString& facilityId);

    CommonGlobals& m_globals;
    QTextStream& m_out;
    QTextStream& m_err;
};
