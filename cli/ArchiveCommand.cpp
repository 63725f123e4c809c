#include "cli/ArchiveCommand.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "platform/InstallationLock.h"
#include "source/ArchiveFiling.h"
#include "source/CustomConfiguration.h"
#include "source/DayFileArchive.h"

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
    const QList<DayFileArchive::Problem> problems =
        DayFileArchive(m_globals.config().item(CustomConfiguration::kArchiveKey).trimmed()).Verify();
    for (const DayFileArchive::Problem& problem : problems)
        m_out << problem.what << ": " << problem.path << "\n";
    m_out.flush();
    return problems.isEmpty() ? ExitStatus::Success : ExitStatus::Failed;
}
