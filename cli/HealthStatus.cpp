#include "cli/HealthStatus.h"

#include "CommonFiles/control/CommonNTSERVICE.h"
#include "CommonFiles/control/LastRunGrid.h"
#include "CommonFiles/control/ServiceHealth.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "source/ArchiveFiling.h"

#include <QStringList>

namespace {

constexpr qint64 kMinuteSeconds = 60;
constexpr qint64 kHourMinutes = 60;
constexpr qint64 kDayMinutes = 24 * kHourMinutes;

// "2d 5h", "3h 12m" or "7m": the two largest units are enough to judge.
QString Age(qint64 seconds)
{
    const qint64 minutes = qMax<qint64>(0, seconds) / kMinuteSeconds;
    const qint64 hours = minutes / kHourMinutes % 24;
    if (minutes >= kDayMinutes)
        return QString("%1d %2h").arg(minutes / kDayMinutes).arg(hours);
    if (hours > 0)
        return QString("%1h %2m").arg(hours).arg(minutes % kHourMinutes);
    return QString("%1m").arg(minutes);
}

// Names come from the target: their control characters are escaped as the
// log escapes them (tabs too, which part the columns), and a "|" would
// start a check's performance data.
QString Shown(const QString& text)
{
    return QELLoggerTXT::Printable(text).replace('|', '/').replace('\t', QStringLiteral("\\t"));
}

}  // namespace

ExitStatus HealthStatus::Run()
{
    const QList<LastRunGrid::Row> rows = LastRunGrid(m_globals).FillGrid();
    if (rows.isEmpty()) {
        m_out << "UNKNOWN - the target could not be read, or no facility is linked to the collector" << Qt::endl;
        return ExitStatus::Unknown;
    }
    const HealthMetrics metrics = ServiceHealth::Read(m_globals.programFolder());
    const qint64 limit = 2 * CommonNTSERVICE::SchedulePeriodSeconds(m_globals.config());
    const qint64 now = HealthMetrics::EpochSeconds(m_globals.clock().now());
    QStringList overdue;
    QStringList unreadable;
    QString lines = "Facility\tFacility ID\tLast Success\tLast Run Date\tAge\n";
    for (const LastRunGrid::Row& row : rows) {
        const std::optional<DateTime> lastRun = DateTime::FromText(row.lastRun);
        const std::optional<double> success = metrics.facilities.value(row.facilityId).lastSuccess;
        const qint64 age = lastRun ? now - HealthMetrics::EpochSeconds(*lastRun) : 0;
        if (!row.unreadable.isEmpty())
            unreadable.append(Shown(row.facilityId));
        else if (!lastRun || age > limit || (success && now - *success > limit))
            overdue.append(Shown(row.facilityId));
        const QString ageText = !row.unreadable.isEmpty() ? "cannot be read: " + row.unreadable
            : lastRun                                     ? Age(age)
                                                          : QStringLiteral("-");
        lines += QStringList{Shown(row.facility), Shown(row.facilityId),
                             success ? HealthMetrics::LocalTime(static_cast<qint64>(*success)).generalDate()
                                     : QStringLiteral("unknown"),
                             lastRun ? row.lastRun : QStringLiteral("none"), Shown(ageText)}
                     .join('\t') +
            "\n";
    }
    QStringList problems;
    if (!unreadable.isEmpty())
        problems.append("cannot be read: " + unreadable.join(", "));
    if (!overdue.isEmpty())
        problems.append("not imported within " + Age(limit) + ": " + overdue.join(", "));
    const QString archive = ArchiveWarning(metrics, now);
    if (!problems.isEmpty())
        m_out << "CRITICAL - " << (archive.isEmpty() ? problems : problems + QStringList{archive}).join("; ") << "\n"
              << lines;
    else if (!archive.isEmpty())
        m_out << "WARNING - " << archive << "\n" << lines;
    else
        m_out << "OK - every facility imported within " << Age(limit) << "\n" << lines;
    m_out.flush();
    if (!problems.isEmpty())
        return ExitStatus::Overdue;
    return archive.isEmpty() ? ExitStatus::Success : ExitStatus::Warning;
}

// A logger that stopped writing, or an archive the service may not write,
// shows as days without a file filed: one is filed each day.
QString HealthStatus::ArchiveWarning(const HealthMetrics& metrics, qint64 now) const
{
    constexpr qint64 kTwoDays = 2 * kDayMinutes * kMinuteSeconds;
    if (!ArchiveFiling(m_globals).Configured() || now - static_cast<qint64>(metrics.archiveLastFiled) <= kTwoDays)
        return {};
    return "nothing was filed in the archive for more than " + Age(kTwoDays);
}
