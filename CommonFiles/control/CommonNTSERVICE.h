#pragma once

#include "platform/DateTime.h"

#include <QObject>
#include <functional>

class CommonGlobals;
class QELConfiguration;
class TerminationSignal;

// The host of service mode. It has no window: systemd starts it and stops
// it with SIGTERM, which ends the process through the normal exit path with
// status 0, as the host's "end" button would; an import running then ends
// at its next slot first. Once started it wakes every
// minute and, when the schedule says an import is due, reloads the
// configuration and runs the import it was given.
class CommonNTSERVICE : public QObject {
    Q_OBJECT
public:
    enum class Schedule { Hourly, Minutely, Daily };

    // The schedule the service follows: HOURLY "YES" (exactly) wins, then
    // MINUTELY "YES", else the daily time. A window that shows the schedule
    // shows the same choice.
    static Schedule ChosenSchedule(const QELConfiguration& config);
    // Seconds from one scheduled import to the next: an hour, a day, or
    // the minutes of MINUTELY_MINUTE (at least one, as the minute tick
    // cannot wake sooner).
    static qint64 SchedulePeriodSeconds(const QELConfiguration& config);

    // importAll runs one automated import of all linked variables; a host
    // given none runs no import when one is due.
    explicit CommonNTSERVICE(CommonGlobals& globals, std::function<void()> importAll = {}, QObject* parent = nullptr);

    // Called once by start-up when the configuration has been read: plans
    // the first wake, runs an import at once if that is already due, then
    // ticks every minute. Stop requests are honoured from construction on.
    void RunNTService();
    // Told whenever a due import is skipped because the configuration
    // cannot be read.
    void setConfigurationUnreadable(std::function<void()> report) { m_configurationUnreadable = std::move(report); }
    // The minute tick. A tick arriving while an import runs (the import
    // yields to the event loop) is discarded; a stop requested by the time
    // its import returns ends the service.
    void MyMinuteTimer_Timer();
    // The local time at or after which the next import is due.
    const DateTime& NextWake() const { return m_nextWake; }
    // Ends the service process, also when its event loop has not started
    // yet; while an import runs, only once that import has returned.
    void EndService();

private:
    void RunDueImport();
    void FollowClockSteppedBack();
    void ApplyReloadedVerbosity();
    DateTime InitialWake() const;
    DateTime FollowOnWake() const;
    DateTime ThisHoursTime(const DateTime& now) const;
    DateTime TodaysDailyTime(const DateTime& now) const;
    qint32 ScheduleNumber(const QString& key) const;

    CommonGlobals& m_globals;
    std::function<void()> m_importAll;
    std::function<void()> m_configurationUnreadable;
    TerminationSignal* m_termination;
    DateTime m_nextWake;
    // When the last tick came: a later tick at an earlier time means the
    // clock was set back.
    DateTime m_lastWake;
    bool m_busy = false;
    bool m_ending = false;
};
