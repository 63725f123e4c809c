#include "CommonFiles/control/CommandLineTool.h"
#include "platform/SystemClock.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    SystemClock clock;
    CommandLineTool tool(clock, out, err);
    return tool.Run(app.arguments().mid(1), QCoreApplication::applicationDirPath());
}
