#include "CommonFiles/control/CommonNTSERVICE.h"
#include "CommonFiles/control/QELTimer.h"
#include "CommonFiles/control/ServiceHealth.h"
#include "support/Printers.h"
#include "support/TestInstallation.h"

#include <QEventLoop>
#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>

namespace {

const QString kSchedule = "OPTIONS\\AUTOMATED_IMPORT\\SCHEDULE\\";

DateTime OnMarch(int day, int hour, int minute, int second = 0)
{
    return DateTime::FromParts(2024, 3, day, hour, minute, second);
}

DateTime At(int hour, int minute, int second = 0)
{
    return OnMarch(5, hour, minute, second);
}

// A service installation whose clock starts at 09:30 and whose import only
// records when it ran; duringImport lets a test act while an import runs.
struct ServiceInstallation : TestInstallation {
    QList<DateTime> imports;
    std::function<void()> duringImport;
    CommonNTSERVICE service{globals, [this] {
                                imports.append(clock.now());
                                if (duringImport)
                                    duringImport();
                            }};

    explicit ServiceInstallation(std::initializer_list<std::pair<QString, QString>> settings = {})
        : TestInstallation(At(9, 30))
    {
        OpenLog(2);
        LoadConfiguration();
        Configure({{"OPTIONS\\LOG_VERBOSITY", "2"}});
        Configure(settings);
    }

    // Settings the service finds both now and when it reloads the file.
    void Configure(std::initializer_list<std::pair<QString, QString>> settings)
    {
        for (const auto& [key, value] : settings)
            globals.config().setItem(key.startsWith("OPTIONS") ? key : kSchedule + key, value);
        globals.config().SaveConfig();
    }

    void TickAt(const DateTime& when)
    {
        clock.set(when);
        service.MyMinuteTimer_Timer();
    }
};

QString SleepLine(const QString& wake)
{
    return "Going to Sleep mode. Will next wake up at : " + wake;
}

}  // namespace

TEST(CommonNTSERVICE, DailyImportsAtOnceWhenTodaysTimeHasPassed)
{
    ServiceInstallation inst;  // daily at 00:01 by default
    inst.service.RunNTService();
    EXPECT_EQ(inst.imports, QList<DateTime>{At(9, 30)});
    EXPECT_EQ(inst.service.NextWake(), OnMarch(6, 0, 1));
    EXPECT_EQ(inst.LogLines().last(), SleepLine("03/06/2024 00:01:00"));

    inst.TickAt(OnMarch(6, 0, 0, 59));
    EXPECT_EQ(inst.imports.size(), 1);
    inst.TickAt(OnMarch(6, 0, 1, 30));
    EXPECT_EQ(inst.imports.size(), 2);
    EXPECT_EQ(inst.service.NextWake(), OnMarch(7, 0, 1));
}

TEST(CommonNTSERVICE, DailyWaitsForALaterTimeToday)
{
    ServiceInstallation inst({{"DAILY_HOUR", "23"}, {"DAILY_MINUTE", "15"}});
    inst.service.RunNTService();
    EXPECT_TRUE(inst.imports.isEmpty());
    EXPECT_EQ(inst.service.NextWake(), At(23, 15));
    inst.TickAt(At(23, 15));
    EXPECT_EQ(inst.imports, QList<DateTime>{At(23, 15)});
    EXPECT_EQ(inst.service.NextWake(), OnMarch(6, 23, 15));
}

TEST(CommonNTSERVICE, HourlyRunsAtItsMinuteOfEachHour)
{
    ServiceInstallation inst({{"HOURLY", "YES"}, {"HOURLY_MINUTE", "1"}});
    inst.service.RunNTService();
    EXPECT_EQ(inst.imports.size(), 1);  // 09:01 has passed
    EXPECT_EQ(inst.service.NextWake(), At(10, 1));

    inst.TickAt(At(10, 0, 59));
    EXPECT_EQ(inst.imports.size(), 1);
    inst.TickAt(At(10, 1, 40));
    EXPECT_EQ(inst.imports.size(), 2);
    EXPECT_EQ(inst.service.NextWake(), At(11, 1));
    EXPECT_EQ(inst.LogLines().last(), SleepLine("03/05/2024 11:01:00"));
}

TEST(CommonNTSERVICE, MinutelyCountsFromTheTickThatNoticedIt)
{
    ServiceInstallation inst({{"MINUTELY", "YES"}, {"MINUTELY_MINUTE", "10"}});
    inst.duringImport = [&] {
        if (inst.imports.size() == 1)
            inst.clock.set(inst.clock.now().addMinutes(25));  // a long first import
    };
    inst.service.RunNTService();
    EXPECT_EQ(inst.imports, QList<DateTime>{At(9, 30)});
    EXPECT_EQ(inst.service.NextWake(), At(9, 40));

    inst.TickAt(At(9, 56));
    EXPECT_EQ(inst.imports.size(), 2);
    EXPECT_EQ(inst.service.NextWake(), At(10, 6));
}

TEST(CommonNTSERVICE, HourlyComesFirstAndOnlyAnExactYesCounts)
{
    ServiceInstallation both({{"HOURLY", "YES"}, {"MINUTELY", "YES"}});
    both.service.RunNTService();
    EXPECT_EQ(both.service.NextWake(), At(10, 1));
    // A window showing the schedule shows the one the service follows.
    using Schedule = CommonNTSERVICE::Schedule;
    EXPECT_EQ(CommonNTSERVICE::ChosenSchedule(both.globals.config()), Schedule::Hourly);

    ServiceInstallation mixedCase({{"HOURLY", "Yes"}, {"MINUTELY", "YES"}});
    mixedCase.service.RunNTService();
    EXPECT_EQ(mixedCase.service.NextWake(), At(9, 40));
    EXPECT_EQ(CommonNTSERVICE::ChosenSchedule(mixedCase.globals.config()), Schedule::Minutely);

    ServiceInstallation neither({{"HOURLY", "Yes"}, {"MINUTELY", "yes"}});
    neither.service.RunNTService();
    EXPECT_EQ(neither.service.NextWake(), OnMarch(6, 0, 1));
    EXPECT_EQ(CommonNTSERVICE::ChosenSchedule(neither.globals.config()), Schedule::Daily);
}

TEST(CommonNTSERVICE, ScheduleNumbersThatAreNotNumbersCountAsZero)
{
    ServiceInstallation hourly({{"HOURLY", "YES"}, {"HOURLY_MINUTE", "half past"}});
    hourly.service.RunNTService();
    EXPECT_EQ(hourly.service.NextWake(), At(10, 0));

    ServiceInstallation daily({{"DAILY_HOUR", ""}, {"DAILY_MINUTE", "99999999999"}});
    daily.service.RunNTService();
    EXPECT_EQ(daily.service.NextWake(), OnMarch(6, 0, 0));
}

TEST(CommonNTSERVICE, AScheduleChangeCountsFromTheImportAfterTheReload)
{
    ServiceInstallation inst({{"MINUTELY", "YES"}, {"MINUTELY_MINUTE", "10"}});
    inst.service.RunNTService();
    inst.globals.config().setItem(kSchedule + "HOURLY", "YES");  // the file still says minutely

    inst.TickAt(At(9, 45));
    EXPECT_EQ(inst.service.NextWake(), At(10, 1));  // planned before the file was reloaded
    inst.TickAt(At(10, 1));
    EXPECT_EQ(inst.service.NextWake(), At(10, 11));
}

TEST(CommonNTSERVICE, TicksDuringAnImportAreDiscarded)
{
    ServiceInstallation inst({{"MINUTELY", "YES"}, {"MINUTELY_MINUTE", "10"}});
    inst.duringImport = [&] { inst.TickAt(inst.clock.now().addMinutes(15)); };
    inst.service.RunNTService();
    EXPECT_EQ(inst.imports.size(), 1);
    EXPECT_EQ(inst.service.NextWake(), At(9, 40));

    inst.TickAt(At(9, 50));  // the busy flag was cleared after the import
    EXPECT_EQ(inst.imports.size(), 2);
}

TEST(CommonNTSERVICE, EveryMinuteTickIsLoggedAlsoWhenDiscarded)
{
    ServiceInstallation inst({{"MINUTELY", "YES"}, {"MINUTELY_MINUTE", "10"}});
    inst.service.RunNTService();
    auto* minuteTimer = inst.service.findChild<QELTimer*>();
    ASSERT_NE(minuteTimer, nullptr);
    EXPECT_EQ(minuteTimer->id(), "NTService_Scheduler");
    EXPECT_EQ(minuteTimer->Interval(), 60000);
    EXPECT_TRUE(minuteTimer->Enabled());

    int ticksDuringImport = 0;
    inst.duringImport = [&] {
        inst.clock.set(At(10, 30));  // every tick from here on would be due
        QEventLoop loop;
        QObject::connect(minuteTimer, &QELTimer::Timer, &loop, [&] {
            if (++ticksDuringImport == 2)
                loop.quit();
        });
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
    };
    minuteTimer->setInterval(20);
    inst.TickAt(At(9, 40));

    ASSERT_EQ(ticksDuringImport, 2);
    EXPECT_EQ(inst.imports.size(), 2);
    const QStringList lines = inst.LogLines();
    EXPECT_EQ(lines.count("NTService_Scheduler callback entered."), 2);
    EXPECT_EQ(lines.count("NTService_Scheduler callback exited."), 2);
}

TEST(CommonNTSERVICE, AnUnreadableConfigurationSkipsOnlyThatImport)
{
    ServiceInstallation inst({{"MINUTELY", "YES"}, {"MINUTELY_MINUTE", "10"}});
    inst.service.RunNTService();
    TempFolder::Write(inst.globals.config().path(), "not a configuration");

    inst.TickAt(At(9, 41));
    EXPECT_EQ(inst.imports.size(), 1);
    EXPECT_EQ(inst.service.NextWake(), At(9, 51));
    EXPECT_EQ(inst.LogLines().filter("Going to Sleep mode.").size(), 1);

    inst.globals.config().SaveConfig();
    inst.TickAt(At(9, 51));
    EXPECT_EQ(inst.imports.size(), 2);
}

// Monitoring learns of the skipped import from the health file; a file
// that cannot be written costs a log line only.
TEST(CommonNTSERVICE, AnUnreadableConfigurationIsToldToTheHealthFile)
{
    ServiceInstallation inst({{"MINUTELY", "YES"}, {"MINUTELY_MINUTE", "10"}});
    inst.service.setConfigurationUnreadable([&inst] { ServiceHealth(inst.globals).RecordConfigurationError(); });
    inst.service.RunNTService();
    const QString file = ServiceHealth::FilePath(inst.folder.path());
    EXPECT_FALSE(QFile::exists(file));
    TempFolder::Write(inst.globals.config().path(), "not a configuration");
    inst.TickAt(At(9, 41));
    EXPECT_EQ(ServiceHealth::Read(inst.folder.path()).configurationErrorTime, HealthMetrics::EpochSeconds(At(9, 41)));
    EXPECT_TRUE(TempFolder::Read(file).contains("\nr58213_schedule_period_seconds 600\n"));

    ASSERT_TRUE(QFile::remove(file) && QDir().mkdir(file));
    inst.TickAt(At(9, 51));
    EXPECT_EQ(inst.LogLines().filter("The health file " + file + " could not be written").size(), 1);
    EXPECT_EQ(inst.imports.size(), 1);
}

TEST(CommonNTSERVICE, ReloadedVerbosityIsCorrectedAsAtStartUp)
{
    ServiceInstallation inst({{"MINUTELY", "YES"}, {"OPTIONS\\LOG_VERBOSITY", "12"}});
    inst.service.RunNTService();
    EXPECT_EQ(inst.globals.log().Verbosity(), 9);
    EXPECT_TRUE(inst.LogLines().contains("[Log Verbosity is set to 9, Log Date is 3/5/2024]"));

    inst.Configure({{"OPTIONS\\LOG_VERBOSITY", "abc"}});
    inst.TickAt(At(9, 45));
    EXPECT_EQ(inst.globals.log().Verbosity(), 0);
}

TEST(CommonNTSERVICE, AClockSetBackPlansTheScheduleAgainFromNow)
{
    ServiceInstallation inst({{"MINUTELY", "YES"}, {"MINUTELY_MINUTE", "10"}});
    inst.service.RunNTService();
    inst.TickAt(At(8, 0));  // set back 90 minutes: not asleep until 09:40
    EXPECT_EQ(inst.imports, (QList<DateTime>{At(9, 30), At(8, 0)}));
    EXPECT_EQ(inst.service.NextWake(), At(8, 10));
    EXPECT_TRUE(inst.LogText().contains("The clock was set back from 03/05/2024 09:30:00 to 03/05/2024 08:00:00."));
    inst.TickAt(At(8, 5));
    EXPECT_EQ(inst.imports.size(), 2);
}
