#include "CommonFiles/control/CommonNTSERVICE.h"

#include "CommonFiles/control/ProgramEntryPoint.h"
#include "CommonFiles/control/QELTimer.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "platform/Conversions.h"
#include "platform/NumberedError.h"
#include "platform/TerminationSignal.h"

#include <QCoreApplication>
#include <QScopedValueRollback>

namespace Keys = ConfigurationKeyNames;

namespace {

constexpr qint32 kMinuteMilliseconds = 60000;
constexpr qint64 kMinutesPerHour = 60;
const QString kSchedulerId = QStringLiteral("NTService_Scheduler");

}  // namespace

CommonNTSERVICE::CommonNTSERVICE(CommonGlobals& globals, std::function<void()> importAll, QObject* parent)
    : QObject(parent), m_globals(globals), m_importAll(std::move(importAll)), m_termination(new TerminationSignal(this))
{
    // Listening from the start: a stop that arrives while the program is
    // still starting is acted on as soon as the event loop runs.
    connect(m_termination, &TerminationSignal::terminationRequested, this, &CommonNTSERVICE::EndService);
}

void CommonNTSERVICE::RunNTService()
{
    // The host exists before the configuration is read, so that stops are
    // honoured early; the schedule can only be planned from here on.
    m_nextWake = InitialWake();
    m_lastWake = m_globals.clock().now();
    auto* myMinuteTimer = new QELTimer(m_globals.log(), this);
    myMinuteTimer->setInterval(kMinuteMilliseconds);
    myMinuteTimer->setId(kSchedulerId);
    connect(myMinuteTimer, &QELTimer::Timer, this, &CommonNTSERVICE::MyMinuteTimer_Timer);
    // A start after today's time, this hour's minute or (every N minutes)
    // the start itself imports without waiting for the first minute.
    MyMinuteTimer_Timer();
    myMinuteTimer->setEnabled(true);
}

void CommonNTSERVICE::MyMinuteTimer_Timer()
{
    if (m_busy)
        return;
    FollowClockSteppedBack();
    if (!m_globals.StopRequested() && m_globals.clock().now() >= m_nextWake) {
        const QScopedValueRollback<bool> busy(m_busy, true);
        RunDueImport();
    }
    if (m_globals.StopRequested())
        EndService();
}

// A wake planned before the clock was set back may lie hours ahead of the
// new time; the schedule is planned again from now, as at a start.
void CommonNTSERVICE::FollowClockSteppedBack()
{
    const DateTime now = m_globals.clock().now();
    if (now < m_lastWake) {
        m_nextWake = InitialWake();
        m_globals.log().WriteLog("The clock was set back from " + m_lastWake.format("mm/dd/yyyy HH:nn:ss") + " to " +
                                     now.format("mm/dd/yyyy HH:nn:ss") +
                                     ". Will next wake up at : " + m_nextWake.format("mm/dd/yyyy HH:nn:ss"),
                                 0);
    }
    m_lastWake = now;
}

void CommonNTSERVICE::EndService()
{
    // An import that yields to the event loop must return first: leaving
    // the loop under it would go unnoticed and the service would sleep on.
    if (m_busy || m_ending)
        return;
    m_ending = true;
    m_globals.log().WriteLog("Service stop requested; ending the service process.", 0);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

void CommonNTSERVICE::RunDueImport()
{
    // Planned from the moment the import became due, before it runs, so a
    // long import does not push the schedule back; a configuration that
    // cannot be reloaded skips this import only.
    m_nextWake = FollowOnWake();
    if (!m_globals.config().ReadConfig()) {
        if (m_configurationUnreadable)
            m_configurationUnreadable();
        return;
    }
    ApplyReloadedVerbosity();
    if (m_importAll)
        m_importAll();
    if (!m_globals.StopRequested())
        m_globals.log().WriteLog(
            "Going to Sleep mode. Will next wake up at : " + m_nextWake.format("mm/dd/yyyy HH:nn:ss"), 0);
}

void CommonNTSERVICE::ApplyReloadedVerbosity()
{
    // The file may hold a value start-up would have corrected; it is
    // corrected the same way here.
    QELLoggerTXT& log = m_globals.log();
    log.setVerbosity(ProgramEntryPoint::NormalisedVerbosity(m_globals.config().item(Keys::Options::kLogVerbosity)));
    log.AssertVerbosity();
}

CommonNTSERVICE::Schedule CommonNTSERVICE::ChosenSchedule(const QELConfiguration& config)
{
    if (config.item(Keys::Schedule::kHourly) == "YES")
        return Schedule::Hourly;
    if (config.item(Keys::Schedule::kMinutely) == "YES")
        return Schedule::Minutely;
    return Schedule::Daily;
}

qint64 CommonNTSERVICE::SchedulePeriodSeconds(const QELConfiguration& config)
{
    constexpr qint64 kMinuteSeconds = 60;
    switch (ChosenSchedule(config)) {
    case Schedule::Hourly:
        return kMinutesPerHour * kMinuteSeconds;
    case Schedule::Minutely:
        return Conversions::ClampedInt32(config.item(Keys::Schedule::kMinutelyMinute), 1, 1440, 1) * kMinuteSeconds;
    case Schedule::Daily:
        return 24 * kMinutesPerHour * kMinuteSeconds;
    }
    Q_UNREACHABLE();
}

DateTime CommonNTSERVICE::InitialWake() const
{
    const DateTime now = m_globals.clock().now();
    switch (ChosenSchedule(m_globals.config())) {
    case Schedule::Hourly:
        return ThisHoursTime(now);
    case Schedule::Minutely:
        return now;
    case Schedule::Daily:
        return TodaysDailyTime(now);
    }
    Q_UNREACHABLE();
}

DateTime CommonNTSERVICE::FollowOnWake() const
{
    const DateTime now = m_globals.clock().now();
    switch (ChosenSchedule(m_globals.config())) {
    case Schedule::Hourly:
        return ThisHoursTime(now).addMinutes(kMinutesPerHour);
    case Schedule::Minutely:
        return now.addMinutes(ScheduleNumber(Keys::Schedule::kMinutelyMinute));
    case Schedule::Daily:
        return TodaysDailyTime(now).addDays(1);
    }
    Q_UNREACHABLE();
}

DateTime CommonNTSERVICE::ThisHoursTime(const DateTime& now) const
{
    return now.datePart().addMinutes(now.hour() * kMinutesPerHour + ScheduleNumber(Keys::Schedule::kHourlyMinute));
}

DateTime CommonNTSERVICE::TodaysDailyTime(const DateTime& now) const
{
    return now.datePart().addMinutes(ScheduleNumber(Keys::Schedule::kDailyHour) * kMinutesPerHour +
                                     ScheduleNumber(Keys::Schedule::kDailyMinute));
}

qint32 CommonNTSERVICE::ScheduleNumber(const QString& key) const
{
    // A value that is not a number, or too large for one, counts as 0, so a
    // slip in the file moves the schedule instead of stopping the service.
    const QString text = m_globals.config().item(key);
    try {
        return Conversions::ToInt32(text);
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("CommonNTSERVICE.ScheduleNumber", error);
        return 0;
    }
}
