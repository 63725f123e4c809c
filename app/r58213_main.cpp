#include "CommonFiles/control/CommonNTSERVICE.h"
#include "CommonFiles/control/ImportSession.h"
#include "CommonFiles/control/ProgramEntryPoint.h"
#include "CommonFiles/control/UnattendedPrompts.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/ui/InteractiveFace.h"
#include "cli/ExitStatus.h"
#include "platform/ProcessFacts.h"
#include "platform/SystemClock.h"
#include "platform/VersionRecord.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

namespace {

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

int runService(int argc, char** argv, const QStringList& arguments)
{
    QCoreApplication app(argc, argv);
    SystemClock clock;
    const QString folder = QCoreApplication::applicationDirPath();
    CommonGlobals globals(clock, folder, VersionRecord::Title());
    UnattendedPrompts prompts;
    ImportSession session(globals, prompts);
    CommonNTSERVICE host(globals, [&session] { session.ImportAll(false); });
    ProgramEntryPoint entry(globals, RunFace::Service, ProcessFacts::Current(folder, arguments));
    if (!entry.Start())
        return static_cast<int>(ExitStatus::UsageError);
    host.RunNTService();
    return app.exec();
}

int runInteractive(int argc, char** argv, const QStringList& arguments)
{
    QApplication app(argc, argv);
    SystemClock clock;
    const QString folder = QCoreApplication::applicationDirPath();
    CommonGlobals globals(clock, folder, VersionRecord::Title());
    globals.setHelpOpener([](const QString& page) { return QDesktopServices::openUrl(QUrl::fromLocalFile(page)); });
    InteractiveFace face(globals);
    if (!face.Start(ProcessFacts::Current(folder, arguments)))
        return static_cast<int>(ExitStatus::UsageError);
    return app.exec();
}

}  // namespace

int main(int argc, char** argv)
{
    const QStringList arguments = argumentsOf(argc, argv);
    if (ProgramEntryPoint::IsServiceCommandLine(arguments.join(' ')))
        return runService(argc, argv, arguments);
    return runInteractive(argc, argv, arguments);
}
