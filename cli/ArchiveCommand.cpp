#include "cli/ArchiveCommand.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "platform/InstallationLock.h"
#include "source/ArchiveFiling.h"
#include "source/CustomConfiguration.h"
#include "source/DayFileArchive.h"

#include <QMap>
#include <QStringList>

bool ArchiveCommand::Configured()
{
    if (ArchiveFiling(m_globals).Configured())
        return true;
    m_err << "r58213-cli: no archive is configured (" << CustomConfiguration::kArchiveKey << ")" << Qt::endl;
    return false;
}

// Filing takes the installation's lock, as an import does: two filings of
// one file at a time would each take the other's copy for one cut short.
ExitStatus ArchiveCommand::Sync()
{
    if (!Configured())
        return ExitStatus::UsageError;
    InstallationLock lock(m_globals.programFolder());
    if (!lock.TryLock()) {
        m_err << lock.Refusal("nothing was filed") << Qt::endl;
        return ExitStatus::Failed;
    }
    bool failed = false;
    for (const DayFileArchive::Outcome& outcome : ArchiveFiling(m_globals).FileDataFolder()) {
        using Filing = DayFileArchive::Filing;
        if (outcome.filing == Filing::Filed || outcome.filing == Filing::FiledBeside)
            m_out << "filed " << outcome.path << "\n";
        // A file still waiting for its date is filed once it has one.
        failed = failed || outcome.filing == Filing::NotFiled;
    }
    m_out.flush();
    return failed ? ExitStatus::Failed : ExitStatus::Success;
}

ExitStatus ArchiveCommand::Verify()
{
    if (!Configured())
        return ExitStatus::UsageError;
    const QList<DayFileArchive::Problem> problems = DayFileArchive(Root()).Verify();
    for (const DayFileArchive::Problem& problem : problems)
        m_out << problem.what << ": " << problem.path << "\n";
    m_out.flush();
    return problems.isEmpty() ? ExitStatus::Success : ExitStatus::Failed;
}

QString ArchiveCommand::Root() const
{
    return CustomConfiguration::ArchiveFolder(m_globals.config());
}

ExitStatus ArchiveCommand::List(const QDate& from, const QDate& to)
{
    if (!Configured())
        return ExitStatus::UsageError;
    const QELConfiguration& config = m_globals.config();
    QMap<QString, QList<int>> months;
    for (const QDate& day : DayFileArchive(Root()).Days(config.item(CustomConfiguration::kPrefixKey),
                                                        config.item(CustomConfiguration::kExtKey)))
        if ((!from.isValid() || day >= from) && (!to.isValid() || day <= to))
            months[day.toString("yyyy-MM")].append(day.day());
    for (auto month = months.cbegin(); month != months.cend(); ++month) {
        const QList<int>& held = month.value();
        QList<int> missing;
        for (int day = held.first(); day <= held.last(); ++day)
            if (!held.contains(day))
                missing.append(day);
        m_out << month.key() << ": " << DayRuns(held) << " (" << held.size() << (held.size() == 1 ? " day" : " days")
              << (missing.isEmpty() ? QString() : "; not held: " + DayRuns(missing)) << ")\n";
    }
    m_out.flush();
    return ExitStatus::Success;
}

// "1-6, 9, 11-30": days in order, runs of following days joined.
QString ArchiveCommand::DayRuns(const QList<int>& days)
{
    QStringList runs;
    for (qsizetype i = 0; i < days.size();) {
        qsizetype end = i;
        while (end + 1 < days.size() && days[end + 1] == days[end] + 1)
            ++end;
        runs.append(end == i ? QString::number(days[i]) : QString::number(days[i]) + "-" + QString::number(days[end]));
        i = end + 1;
    }
    return runs.join(", ");
}
