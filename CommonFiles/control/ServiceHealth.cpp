#include "CommonFiles/control/ServiceHealth.h"

#include "CommonFiles/control/CommonNTSERVICE.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

HealthMetrics::Result ResultOf(ImportSession::Outcome outcome)
{
    switch (outcome) {
    case ImportSession::Outcome::Succeeded:
        return HealthMetrics::Result::Succeeded;
    case ImportSession::Outcome::Failed:
        return HealthMetrics::Result::Failed;
    case ImportSession::Outcome::NotStarted:
        return HealthMetrics::Result::NotStarted;
    }
    Q_UNREACHABLE();
}

}  // namespace

QString ServiceHealth::FilePath(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("r58213.prom"));
}

HealthMetrics ServiceHealth::Read(const QString& programFolder)
{
    // Never blocking on a FIFO put in its place, never reading without end.
    constexpr qint64 kLargestFile = 16 * 1024 * 1024;
    QString failure;
    const auto content = RegularFile::ReadAll(FilePath(programFolder), kLargestFile, failure);
    return content ? HealthMetrics::FromText(QString::fromUtf8(*content)) : HealthMetrics();
}

qint64 ServiceHealth::Now() const
{
    return HealthMetrics::EpochSeconds(m_globals.clock().now());
}

void ServiceHealth::RecordImport(ImportSession::Outcome outcome, const ImportStatistics& statistics)
{
    HealthMetrics metrics = Read(m_globals.programFolder());
    metrics.Add(statistics, ResultOf(outcome), Now());
    Write(metrics);
}

void ServiceHealth::RecordConfigurationError()
{
    HealthMetrics metrics = Read(m_globals.programFolder());
    metrics.configurationErrorTime = static_cast<double>(Now());
    Write(metrics);
}

void ServiceHealth::Write(HealthMetrics& metrics)
{
    metrics.schedulePeriodSeconds = static_cast<double>(CommonNTSERVICE::SchedulePeriodSeconds(m_globals.config()));
    // A site's unit names it; a run by hand keeps the site the file has.
    const QString site = qEnvironmentVariable(kSiteVariable).trimmed();
    if (!site.isEmpty())
        metrics.site = site;
    const QString path = FilePath(m_globals.programFolder());
    const QByteArray content = metrics.Text().toUtf8();
    QSaveFile file(path);
    const auto readableByAll =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (file.open(QIODevice::WriteOnly) && file.setPermissions(readableByAll) &&
        file.write(content) == content.size() && file.commit())
        return;
    m_globals.log().WriteLog("The health file " + path + " could not be written: " + file.errorString(), 0);
}
