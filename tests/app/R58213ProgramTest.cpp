#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <QDate>
#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// The program keeps its configuration and logs beside itself, so each test
// runs its own copy in a fresh folder.
QString installCopy(const TempFolder& folder)
{
    const QString copy = folder.file("r58213");
    QFile::copy(R58213_GUI_EXE, copy);
    return copy;
}

QString currentLog(const TempFolder& folder, const QString& postfix)
{
    const QStringList logs = TempFolder::Files(folder.file("log"), "*" + postfix);
    return logs.isEmpty() ? QString() : TempFolder::Read(folder.file("log/" + logs.last()));
}

bool waitFor(const std::function<bool()>& condition)
{
    const QDeadlineTimer deadline(60000);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

}  // namespace

TEST(R58213Program, ServiceRunsHeadlessAndEndsCleanlyOnSigterm)
{
    TempFolder folder;
    QProcess service;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    service.setProcessEnvironment(environment);
    // The state lives where --home says, not beside the program.
    TempFolder state;
    service.start(installCopy(folder), {"--home", state.path(), "--allow-root", "NTSERVICE"});
    ASSERT_TRUE(service.waitForStarted());
    ASSERT_TRUE(waitFor([&] { return currentLog(state, "_ntservice.log").contains("will be removed after"); }));
    EXPECT_FALSE(QFile::exists(folder.file("r58213.log_handle")));

    const QString handle = TempFolder::Read(state.file("r58213.log_handle")).trimmed();
    EXPECT_TRUE(handle.endsWith("_ntservice.log"));
    EXPECT_TRUE(QFile::exists(handle));
    const QString log = currentLog(state, "_ntservice.log");
    EXPECT_TRUE(log.contains(" : Korvel Orvex Direct Server-Side Interface to Fischer & Porter\r\n"));
    EXPECT_TRUE(log.contains(" : r58213 version "));
    EXPECT_TRUE(log.contains(" : ID: 58213\r\n"));
    EXPECT_TRUE(log.contains(" : Running on "));

    ::kill(static_cast<pid_t>(service.processId()), SIGTERM);
    ASSERT_TRUE(service.waitForFinished(30000));
    EXPECT_EQ(service.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(service.exitCode(), 0);
}

TEST(R58213Program, TheServiceRefusesToRunAsRootUnlessAllowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root";
    TempFolder folder;
    QProcess service;
    service.start(installCopy(folder), {"NTSERVICE"});
    ASSERT_TRUE(service.waitForFinished(30000));
    EXPECT_EQ(service.exitCode(), 2);
    EXPECT_TRUE(QString::fromUtf8(service.readAllStandardError()).contains("the service does not run as root"));
    EXPECT_FALSE(QFile::exists(folder.file("log")));
}

TEST(R58213Program, ServiceImportsAtOnceAndSleepsUntilTheNextRun)
{
    TempFolder folder;
    const QString program = installCopy(folder);
    QProcess demo;
    demo.start(R58213_CLI_EXE, {"--home", folder.path(), "demo"});
    ASSERT_TRUE(demo.waitForFinished(60000));
    ASSERT_EQ(demo.exitCode(), 0);
    QProcess schedule;
    schedule.start(R58213_CLI_EXE,
                   {"--home", folder.path(), "config", "set", "OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\MINUTELY", "YES"});
    ASSERT_TRUE(schedule.waitForFinished(60000));

    QProcess service;
    service.start(program, {"--allow-root", "NTSERVICE"});
    ASSERT_TRUE(service.waitForStarted());
    ASSERT_TRUE(waitFor([&] { return currentLog(folder, "_ntservice.log").contains("Going to Sleep mode."); }));
    const QString log = currentLog(folder, "_ntservice.log");
    EXPECT_TRUE(log.contains("Updated Last Run Date for facility NORTHWTP to "));
    EXPECT_TRUE(log.contains("Updated Last Run Date for facility SOUTHWTP to "));
    // Every ten minutes: the next run is ten minutes after this one began.
    EXPECT_TRUE(log.contains("Going to Sleep mode. Will next wake up at : ")) << log.toStdString();

    ::kill(static_cast<pid_t>(service.processId()), SIGTERM);
    ASSERT_TRUE(service.waitForFinished(30000));
    EXPECT_EQ(service.exitCode(), 0);
}

TEST(R58213Program, SigtermDuringAnImportEndsTheServiceAtTheNextSlot)
{
    TempFolder folder;
    const QString program = installCopy(folder);
    const auto cli = [&folder](const QStringList& arguments) { return RunCli(folder, arguments); };
    ASSERT_EQ(cli({"demo"}).status, 0);
    const QString weekAgo = QDate::currentDate().addDays(-6).toString("yyyy-MM-dd") + " 00:00";
    for (const char* facility : {"NORTHWTP", "SOUTHWTP"})
        ASSERT_EQ(cli({"last-run", "set", facility, weekAgo}).status, 0);
    // A pause after every slot makes the import last well over a minute.
    ASSERT_EQ(cli({"config", "set", "OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\MINUTELY", "YES",
                   "OPTIONS\\PERFORMANCE\\THROTTLE", "TRUE", "OPTIONS\\PERFORMANCE\\POLL_WAIT", "50"})
                  .status,
              0);
    const QString lastRuns = cli({"last-run", "list"}).out;

    QProcess service;
    service.start(program, {"--allow-root", "NTSERVICE"});
    ASSERT_TRUE(waitFor([&] { return currentLog(folder, "_ntservice.log").contains("Processing facility"); }));
    QThread::msleep(500);
    ::kill(static_cast<pid_t>(service.processId()), SIGTERM);
    ASSERT_TRUE(service.waitForFinished(5000));
    EXPECT_EQ(service.exitCode(), 0);
    const QString log = currentLog(folder, "_ntservice.log");
    EXPECT_TRUE(log.contains("Stop requested; the import ends at this slot.\r\n"));
    EXPECT_TRUE(log.contains("Session Statistics :"));
    EXPECT_EQ(cli({"last-run", "list"}).out, lastRuns);

    ASSERT_EQ(cli({"config", "set", "OPTIONS\\PERFORMANCE\\THROTTLE", "FALSE"}).status, 0);
    const QDate today = QDate::currentDate();
    EXPECT_EQ(cli({"import-all", "--service"}).status, 0);
    // Both facilities now stand at today, or at tomorrow had midnight passed
    // during the import.
    const QString listed = cli({"last-run", "list"}).out;
    EXPECT_EQ(listed.count(today.toString("\tM/d/yyyy ")) + listed.count(today.addDays(1).toString("\tM/d/yyyy ")), 2);
}

TEST(R58213Program, ServiceWithUnreadableConfigurationLogsAndFails)
{
    TempFolder folder;
    TempFolder::Write(folder.file("r58213.xml"), "not a configuration");
    QProcess service;
    service.start(installCopy(folder), {"--allow-root", "ntservice"});
    ASSERT_TRUE(service.waitForFinished(60000));
    EXPECT_NE(service.exitCode(), 0);
    const QString log = currentLog(folder, "_ntservice.log");
    EXPECT_TRUE(log.contains("PROMPT= Unable to read configuration at " + folder.file("r58213.xml")));
    EXPECT_TRUE(service.readAllStandardError().isEmpty());
}

TEST(R58213Program, InteractiveStartWritesItsLogAndShowsTheWindow)
{
    TempFolder folder;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(installCopy(folder), {});
    ASSERT_TRUE(program.waitForStarted());
    EXPECT_TRUE(waitFor([&] { return currentLog(folder, "_interactive.log").contains("Configuration loaded from"); }));
    EXPECT_FALSE(QFile::exists(folder.file("r58213.log_handle")));
    program.kill();
    program.waitForFinished();
}
