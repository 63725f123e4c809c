#include "cli/CommandLineTool.h"
#include "platform/ProgramHome.h"
#include "platform/SystemClock.h"
#include "platform/TerminationSignal.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // SIGINT or SIGTERM ends an import at its next slot; the command then
    // fails with status 1 like any import that did not complete.
    TerminationSignal stop;
    QTextStream out(stdout);
    QTextStream err(stderr);
    SystemClock clock;
    CommandLineTool tool(clock, out, err);
    const QString home = ProgramHome::Resolve({}, QCoreApplication::applicationDirPath());
    return static_cast<int>(tool.Run(app.arguments().mid(1), home));
}
