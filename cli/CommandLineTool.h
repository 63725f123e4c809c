#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

class Clock;
class CommonGlobals;
class NumberedError;

// r58213-cli: headless commands over the same configuration, log and
// target as the other faces. Exit status 0 success, 1 the command ran and
// failed, 2 usage or configuration error.
class CommandLineTool {
public:
    enum ExitStatus { Success = 0, Failed = 1, UsageError = 2 };

    CommandLineTool(const Clock& clock, QTextStream& out, QTextStream& err);

    // arguments: everything after the program name; defaultHome: the
    // program folder when --home is not given.
    int Run(const QStringList& arguments, const QString& defaultHome);

private:
    struct Invocation {
        QString home;
        std::optional<QString> configPassword;
        QStringList command;
    };

    std::optional<Invocation> Parse(const QStringList& arguments, const QString& defaultHome);
    int Usage(const QString& problem);
    int Dispatch(CommonGlobals& globals, const QStringList& command);
    int ConfigDump(CommonGlobals& globals);
    int ConfigGet(CommonGlobals& globals, const QString& key);
    int ConfigSet(CommonGlobals& globals, const QStringList& pairs);
    int TestConnection(CommonGlobals& globals);
    int DispatchOperation(CommonGlobals& globals, const QStringList& command);
    int ReportUndefinedKey(CommonGlobals& globals, const NumberedError& error);

    const Clock& m_clock;
    QTextStream& m_out;
    QTextStream& m_err;
};
