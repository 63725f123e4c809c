#pragma once

#include "CommonFiles/target/AdditionalInfoMap.h"
#include "cli/ExitStatus.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

class Clock;
class CommandOptions;
class CommonGlobals;
class GlobalOptions;
class NumberedError;

// r58213-cli: headless commands over the same configuration, log and
// target as the other faces.
class CommandLineTool {
public:
    CommandLineTool(const Clock& clock, QTextStream& out, QTextStream& err);

    // arguments: everything after the program name; defaultHome: the
    // program folder when --home is not given.
    ExitStatus Run(const QStringList& arguments, const QString& defaultHome);

private:
    ExitStatus Start(const GlobalOptions& options, const QString& defaultHome, const QStringList& arguments);
    ExitStatus Usage(const QString& problem);
    // Whether the command prints a report on standard output.
    static bool PrintsReport(const QStringList& command);
    ExitStatus Dispatch(CommonGlobals& globals, const QStringList& command);
    ExitStatus ConfigDump(CommonGlobals& globals);
    ExitStatus ConfigGet(CommonGlobals& globals, const QString& key);
    // The key's value as printed: the protection password masked.
    static QString Shown(CommonGlobals& globals, const QString& key);
    ExitStatus ConfigSet(CommonGlobals& globals, const QStringList& pairs);
    // Sets one key through its setting rule; false when the value was refused.
    bool SetValue(CommonGlobals& globals, const QString& key, const QString& typed);
    static bool KeepsAValidMap(CommonGlobals& globals, const QList<AdditionalInfoMap::Row>& before);
    ExitStatus TestConnection(CommonGlobals& globals);
    ExitStatus ArchiveList(CommonGlobals& globals, const CommandOptions& options);
    ExitStatus DispatchOperation(CommonGlobals& globals, const QStringList& command);
    ExitStatus ReportUndefinedKey(CommonGlobals& globals, const NumberedError& error);

    const Clock& m_clock;
    QTextStream& m_out;
    QTextStream& m_err;
};
