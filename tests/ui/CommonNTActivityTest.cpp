#include "CommonFiles/ui/CommonNTActivity.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/service/QELntSvcWatcher.h"
#include "cli/DemoInstallation.h"
#include "platform/SystemClock.h"
#include "support/Screenshot.h"
#include "ui/ServiceDesk.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QProcess>
#include <QUrl>
#include <csignal>
#include <gtest/gtest.h>

namespace Keys = ConfigurationKeyNames;

namespace {

// The service program, run from a copy in the installation's folder (its
// program folder) until SIGTERM ends it.
struct RunningService {
    QProcess process;

    explicit RunningService(const TempFolder& folder)
    {
        QFile::copy(R58213_GUI_EXE, folder.file("r58213"));
        process.start(folder.file("r58213"), {"--allow-root", "NTSERVICE"});
    }
    ~RunningService()
    {
        ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
        process.waitForFinished(30000);
    }
};

// Lines of 16 bytes ("entry 00000000" and a line break) appended to the log
// the handle file names; the log's path.
// The service log of the state folder home, and its handle file.
QString WriteLogIn(const QString& home, int from, int to)
{
    QDir().mkpath(home + "/log");
    const QString path = home + "/log/03_05_2024__14_07_09_ntservice.log";
    QFile log(path);
    EXPECT_TRUE(log.open(from ? QIODevice::Append : QIODevice::WriteOnly));
    for (int i = from; i < to; ++i)
        log.write(QString("entry %1\r\n").arg(i, 8, 10, QChar('0')).toUtf8());
    TempFolder::Write(home + "/r58213.log_handle", path.toUtf8() + "\r\n");
    return path;
}

QString WriteLog(const ServiceDesk& desk, int from, int to)
{
    return WriteLogIn(desk.folder.path(), from, to);
}

QStringList Shown(QWidget* view)
{
    return view->findChild<QPlainTextEdit*>("txtLog")->toPlainText().split('\n');
}

}  // namespace

TEST(CommonNTActivity, FollowsTheRunningServiceNewestLineFirst)
{
    ServiceDesk desk(SystemClock().now());
    DemoInstallation(desk.globals).Create();
    desk.Set(Keys::Schedule::kMinutely, "YES");
    desk.Set(Keys::Options::kRefreshLogSeconds, "1");
    ASSERT_TRUE(desk.globals.SaveConfiguration());
    auto* view = desk.Open<CommonNTActivity>();
    EXPECT_EQ(view->windowTitle(), "NT Service Activity View for 'r58213'");
    EXPECT_EQ(Shown(view), QStringList{""});

    RunningService service(desk.folder);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shown(view).value(1).contains("Going to Sleep mode."); }, 60000));
    const QStringList lines = Shown(view);
    const auto at = [&lines](const char* text) { return lines.indexOf(QRegularExpression(".* : " + QString(text))); };
    EXPECT_EQ(lines.first(), "");
    EXPECT_EQ(at("Import was successful\\."), 2);
    EXPECT_GT(at("Session Statistics :"), 2);
    EXPECT_EQ(desk.Panel(view, "ServiceStatus"), "Running");
    EXPECT_TRUE(SaveScreenshot(*view, "service-activity"));
}

TEST(CommonNTActivity, ShowsTheTailItsSizeAllowsAndKeepsRefreshing)
{
    ServiceDesk desk;
    const struct {
        const char* seconds;
        const char* size;
        int milliseconds;
        const char* oldest;  // of the last 4096, 1024 and all of the 4816 bytes
    } rows[] = {{"0", "x", 1000, "entry 00000045"},
                {"x", "100", 2000, "entry 00000237"},
                {"500", "500000", 99000, "entry 00000000"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.seconds);
        WriteLog(desk, 0, 300);
        desk.Set(Keys::Options::kRefreshLogSeconds, row.seconds);
        desk.Set(Keys::Options::kRefreshLogSize, row.size);
        auto* view = desk.Open<CommonNTActivity>();
        EXPECT_EQ(desk.Timer(view, QELntSvcWatcher::kLogTimerId)->Interval(), row.milliseconds);
        EXPECT_EQ(Shown(view).mid(0, 2), (QStringList{"", "entry 00000299"}));

        WriteLog(desk, 300, 301);
        if (row.milliseconds > 2000)
            desk.Press(view, "refresh");
        EXPECT_TRUE(QTest::qWaitFor([&] { return Shown(view).value(1) == "entry 00000300"; }));
        EXPECT_EQ(Shown(view).value(Shown(view).size() - 2), row.oldest);
        view->close();
    }
}

TEST(CommonNTActivity, WithoutALogTheViewIsEmptyAndNothingOpens)
{
    ServiceDesk desk;
    desk.AddHelpPage("12049");
    auto* view = desk.Open<CommonNTActivity>();
    QStringList urls;
    view->setUrlOpener([&urls](const QUrl& url) { return urls.append(url.toLocalFile()), true; });
    EXPECT_EQ(Shown(view), QStringList{""});
    EXPECT_EQ(desk.Panel(view, "ServiceName") + "|" + desk.Panel(view, "ServiceStatus"), "r58213|Running");
    EXPECT_EQ(
        desk.ToolBar(view),
        (QStringList{"refresh|Refresh|Manually refreshes log file view", "order|View Full Log|Opens full Log File",
                     "help|Help|Displays Help Article", "close|Close|Closes this form"}));
    desk.Press(view, "order");
    EXPECT_TRUE(urls.isEmpty());
    EXPECT_TRUE(desk.presenter.shown.isEmpty());

    const QString log = WriteLog(desk, 0, 1);
    desk.Press(view, "order");
    desk.Press(view, "help");
    EXPECT_EQ(urls, QStringList{log});
    EXPECT_EQ(desk.opened, QStringList{desk.folder.file("help/12049.html")});
}

TEST(CommonNTActivity, TwoViewsWatchIndependently)
{
    ServiceDesk desk;
    desk.Set(Keys::Options::kRefreshLogSeconds, "1");
    WriteLog(desk, 0, 300);
    QPointer<QWidget> first = desk.Open<CommonNTActivity>();
    desk.systemctl.FailWith("Failed to connect to bus: Host is down");
    auto* second = desk.Open<CommonNTActivity>();
    EXPECT_EQ(desk.presenter.shown,
              QStringList{"0||Failed to Initialize Service Control for the following reason : "
                          "\r\nUnable to connect to service manager"});
    EXPECT_EQ(desk.Panel(first, "ServiceStatus") + "|" + desk.Panel(second, "ServiceStatus"), "Running|N/A");

    desk.Press(first, "close");
    EXPECT_TRUE(desk.Destroyed(first));
    WriteLog(desk, 300, 301);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Shown(second).value(1) == "entry 00000300"; }));
}

// A site of several runs with its own state folder: the view of its
// instance shows that folder's log, not this program's own.
TEST(CommonNTActivity, AnInstanceShowsTheLogOfItsOwnStateFolder)
{
    ServiceDesk desk;
    TempFolder north;
    desk.Set(Keys::Options::kInstanceServiceName, "r58213@north");
    desk.systemctl.SetEnvironment("R58213_HOME=" + north.path() + " R58213_SITE=north QT_ENABLE_REGEXP_JIT=0");
    WriteLog(desk, 0, 5);
    WriteLogIn(north.path(), 0, 2);
    auto* view = desk.Open<CommonNTActivity>();
    EXPECT_EQ(Shown(view).mid(0, 2), (QStringList{"", "entry 00000001"}));
    EXPECT_EQ(desk.Panel(view, "ServiceName"), "r58213@north");
    EXPECT_TRUE(desk.systemctl.Calls().contains("show --property=Environment -- r58213@north.service"));
}
