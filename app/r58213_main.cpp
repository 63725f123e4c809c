#include "CommonFiles/control/CommonNTSERVICE.h"
#include "CommonFiles/control/ImportSession.h"
#include "CommonFiles/control/ProgramEntryPoint.h"
#include "CommonFiles/control/ServiceHealth.h"
#include "CommonFiles/control/UnattendedPrompts.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/ui/ChartImages.h"
#include "CommonFiles/ui/InteractiveFace.h"
#include "cli/DiffCharts.h"
#include "cli/ExitStatus.h"
#include "platform/ProcessFacts.h"
#include "platform/ProgramHome.h"
#include "platform/SystemClock.h"
#include "platform/VersionRecord.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <cstdio>
#include <unistd.h>

namespace {

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// The service needs no privilege, and what it writes as root (its
// configuration, logs, the work folder) would be out of its own user's
// reach afterwards.
bool refusedAsRoot(bool allowRoot)
{
    if (allowRoot || ::geteuid() != 0)
        return false;
    std::fputs("r58213: the service does not run as root: it needs no privilege, and the files it writes would then "
               "belong to root. Run it as its own user (User=r58213 in its unit), or give --allow-root to run it as "
               "root all the same.\n",
               stderr);
    return true;
}

// The program folder, created when missing; empty (and said on stderr)
// when it cannot be.
QString preparedHome(const QString& given)
{
    const QString folder = ProgramHome::Resolve(given, QCoreApplication::applicationDirPath());
    const QString home = ProgramHome::Prepared(folder);
    if (home.isEmpty())
        std::fprintf(stderr, "r58213: cannot create the program folder %s\n", qPrintable(folder));
    return home;
}

int runService(int argc, char** argv, const QStringList& arguments, const QString& given, bool allowRoot)
{
    QCoreApplication app(argc, argv);
    if (refusedAsRoot(allowRoot))
        return static_cast<int>(ExitStatus::UsageError);
    const QString folder = preparedHome(given);
    if (folder.isEmpty())
        return static_cast<int>(ExitStatus::UsageError);
    SystemClock clock;
    CommonGlobals globals(clock, folder, VersionRecord::Title());
    globals.setHelpFolder(ProgramHome::DataFolder(QCoreApplication::applicationDirPath()));
    UnattendedPrompts prompts;
    ImportSession session(globals, prompts);
    CommonNTSERVICE host(globals, [&session] { session.ImportAll(false); });
    host.setConfigurationUnreadable([&globals] { ServiceHealth(globals).RecordConfigurationError(); });
    ProgramEntryPoint entry(globals, RunFace::Service, ProcessFacts::Current(folder, arguments));
    if (!entry.Start())
        return static_cast<int>(ExitStatus::UsageError);
    host.RunNTService();
    return app.exec();
}

int runInteractive(int argc, char** argv, const QStringList& arguments, const QString& given)
{
    QApplication app(argc, argv);
    const QString folder = preparedHome(given);
    if (folder.isEmpty())
        return static_cast<int>(ExitStatus::UsageError);
    SystemClock clock;
    CommonGlobals globals(clock, folder, VersionRecord::Title());
    globals.setHelpFolder(ProgramHome::DataFolder(QCoreApplication::applicationDirPath()));
    globals.setHelpOpener([](const QString& page) { return QDesktopServices::openUrl(QUrl::fromLocalFile(page)); });
    InteractiveFace face(globals);
    if (!face.Start(ProcessFacts::Current(folder, arguments)))
        return static_cast<int>(ExitStatus::UsageError);
    return app.exec();
}

}  // namespace

int main(int argc, char** argv)
{
    // --home and --allow-root may stand anywhere; what is left is the
    // command line the program has always read.
    QStringList arguments = argumentsOf(argc, argv);
    QString home;
    if (!ProgramHome::TakeOption(arguments, home)) {
        std::fputs("r58213: --home needs a folder\n", stderr);
        return static_cast<int>(ExitStatus::UsageError);
    }
    const bool allowRoot = arguments.removeAll(QStringLiteral("--allow-root")) > 0;
    if (ProgramEntryPoint::IsServiceCommandLine(arguments.join(' ')))
        return runService(argc, argv, arguments, home, allowRoot);
    if (arguments.value(0) == DiffCharts::kRenderCommand) {
        QApplication app(argc, argv);
        return ChartImages::Run(arguments.value(1));
    }
    return runInteractive(argc, argv, arguments, home);
}
