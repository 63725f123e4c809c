#include "source/ArchiveFiling.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "source/CustomConfiguration.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

ArchiveFiling::ArchiveFiling(CommonGlobals& globals) : m_globals(globals)
{
}

bool ArchiveFiling::Configured() const
{
    return !CustomConfiguration::ArchiveFolder(m_globals.config()).isEmpty();
}

QStringList ArchiveFiling::DayFiles() const
{
    const QELConfiguration& config = m_globals.config();
    const QRegularExpression name("^" + QRegularExpression::escape(config.item(CustomConfiguration::kPrefixKey)) +
                                  "(0[1-9]|[12][0-9]|3[01])\\." +
                                  QRegularExpression::escape(config.item(CustomConfiguration::kExtKey)) + "$");
    // As the source builds its paths: an empty folder is the root, never
    // the working folder.
    const QDir folder(config.item(CustomConfiguration::kPathKey) + "/");
    QStringList files;
    for (const QString& entry : folder.entryList(QDir::Files | QDir::System, QDir::Name))
        if (name.match(entry).hasMatch())
            files.append(folder.filePath(entry));
    return files;
}

QList<DayFileArchive::Outcome> ArchiveFiling::FileDataFolder()
{
    QList<DayFileArchive::Outcome> outcomes;
    if (!Configured())
        return outcomes;
    const DayFileArchive archive(CustomConfiguration::ArchiveFolder(m_globals.config()));
    const QDate today = m_globals.clock().now().date();
    for (const QString& dayFile : DayFiles()) {
        outcomes.append(archive.File(dayFile, today));
        Tell(dayFile, outcomes.last());
    }
    return outcomes;
}

void ArchiveFiling::Tell(const QString& dayFile, const DayFileArchive::Outcome& outcome)
{
    using Filing = DayFileArchive::Filing;
    QELLoggerTXT& log = m_globals.log();
    if (outcome.filing == Filing::Filed)
        log.WriteLog("Filed " + dayFile + " in the archive as " + outcome.path + ".", 1);
    if (outcome.filing == Filing::FiledBeside)
        log.WriteLog("Warning - File " + dayFile +
                         " was rewritten after it was filed; the new version is filed beside "
                         "the first as " +
                         outcome.path + ".",
                     0);
    if (outcome.filing != Filing::NotFiled && outcome.filing != Filing::NoFileDate)
        return;
    // Today's file may still be waiting for its date fields.
    const QFileInfo file(dayFile);
    if (file.lastModified().date() >= m_globals.clock().now().date())
        return;
    const QString version = dayFile + '\n' + QString::number(file.size()) + '\n' +
        QString::number(file.lastModified().toMSecsSinceEpoch()) + '\n' + outcome.reason;
    if (m_told.contains(version))
        return;
    m_told.insert(version);
    log.WriteLog("Warning - File " + dayFile + " is not filed in the archive: " + outcome.reason + ".", 0);
}
