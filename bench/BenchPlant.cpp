#include "bench/BenchPlant.h"

#include "CommonFiles/collector/CommonVarGatherer.h"
#include "CommonFiles/control/CommonImport.h"
#include "CommonFiles/control/ConfigurationKeys.h"
#include "CommonFiles/target/TargetConnections.h"
#include "CommonFiles/target/VarTypeFunctions.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/SqlExecution.h"
#include "source/CustomConfiguration.h"
#include "source/CustomSource.h"
#include "targetdb/ReferenceTarget.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>

namespace {

constexpr qint32 kCollector = 1;
// Day files as a backfill finds them: settled long ago. (A file changed
// moments ago is read afresh on every request until it settles.)
constexpr qint64 kFileAgeSeconds = 3600;

DateTime StartOf(const QDate& day)
{
    return DateTime::FromParts(day.year(), day.month(), day.day());
}

QDate NextMonth(const QDate& day)
{
    return QDate(day.year(), day.month(), 1).addMonths(1);
}

}  // namespace

void BenchPlant::Imported::Add(const Imported& other)
{
    written += other.written;
    expected += other.expected;
    nanoseconds += other.nanoseconds;
    timings.Add(other.timings);
    ok = ok && other.ok;
}

double BenchPlant::Imported::SlotsPerSecond() const
{
    return nanoseconds > 0 ? written / (nanoseconds / 1e9) : 0.0;
}

BenchPlant::BenchPlant(const Target& target, const QString& home, int variables, const QString& varType)
    : m_target(target),
      m_globals(m_clock, home, "r58213"),
      m_dataFolder(home + "/data"),
      m_variables(variables),
      m_varType(varType)
{
    QELConfiguration& config = m_globals.config();
    config.setPath(home + "/r58213.xml");
    ConfigurationKeys::DefineStartupKeys(config, m_clock.now(), "r58213");
    CustomConfiguration::DefineSourceKeys(config);
    config.ReadConfig();
    config.setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_PROVIDER", target.provider);
    config.setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE", target.dataSource);
    config.setItem("R58213\\PATH", m_dataFolder);
    QDir().mkpath(m_dataFolder);
    CreateTarget(target);
    Populate();
}

void BenchPlant::CreateTarget(const Target& target)
{
    for (const char* name : {"QELROOT", kFacility}) {
        const auto schema =
            QString(name) == "QELROOT" ? ReferenceTarget::Schema::Root : ReferenceTarget::Schema::Facility;
        if (target.provider == "SQLite")
            ReferenceTarget::CreateSqlite(target.dataSource, name, schema);
        else
            ReferenceTarget::CreatePostgreSql(target.dataSource, target.password, name, schema);
    }
}

void BenchPlant::Populate()
{
    TargetConnections connections(m_globals);
    ado::Connection root;
    connections.ConfigureConnection(root, "QELROOT");
    root.Open();
    ado::SqlExecution::Run(root, "insert into FACILITY (FILENAME, NAME) values ('bench1', 'Bench works')");
    ado::SqlExecution::Run(root,
                           "insert into k5_server (INTERFACE_ID, NAME, ENABLED, COLLECTOR_DATEADJUST, "
                           "COLLECTOR_QELTIMEZONEID) values (?, 'Bench', -1, 0, 1)",
                           {kCollector});
    ado::Connection facility;
    connections.ConfigureConnection(facility, kFacility);
    facility.Open();
    ado::SqlExecution::Run(facility,
                           "insert into Settings (SETTING, CURVALUE) values ('LockDate', '2000-01-01 00:00:00')");
    for (int v = 1; v <= m_variables; ++v)
        ado::SqlExecution::Run(
            facility,
            "insert into VARDESC (VARID, VARNUM, NAME, VARTYPE, DECPLACES, SCADATAG, STATISTIC, "
            "SCALEFACTOR, SOURCE_CNN_APPROVAL, INTERFACETYPE, K5_INTERFACE_ID, K5_ENABLED) "
            "values (?, ?, ?, ?, 2, ?, 'LOOKUP', 1, 1, 'SAME', ?, -1)",
            {v, v, QString("Flow %1").arg(v), m_varType, QString("ALG %1:2").arg(v + 1), kCollector});
}

// One line of values and the closing line with the file's date.
void BenchPlant::WriteDayFile(const QDate& day)
{
    QByteArray text = "TIME";
    for (int v = 1; v <= m_variables; ++v)
        text += ",V" + QByteArray::number(v);
    text += "\r\n00:00";
    for (int v = 1; v <= m_variables; ++v)
        text += "," + QByteArray::number(day.day() * 10 + v + 0.125, 'f', 3);
    text += "\r\n" + QByteArray::number(day.year() % 100) + "," + QByteArray::number(day.month()) + "," +
        QByteArray::number(day.day()) + "\r\n";
    QFile file(QString("%1/ALOG0%2.CSV").arg(m_dataFolder).arg(day.day(), 2, 10, QChar('0')));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(text);
    // Written out first: the buffered write would otherwise reach the disk
    // at close and make the file look freshly changed again.
    file.flush();
    file.setFileTime(QDateTime::currentDateTime().addSecs(-kFileAgeSeconds), QFileDevice::FileModificationTime);
}

BenchPlant::Imported BenchPlant::ImportDays(const QDate& first, const QDate& end)
{
    Imported imported;
    for (QDate from = first; from < end; from = NextMonth(from))
        imported.Add(ImportWithinMonth(from, std::min(end, NextMonth(from))));
    return imported;
}

void BenchPlant::WriteDayFiles(const QDate& first, const QDate& end)
{
    for (QDate day = first; day < end; day = day.addDays(1))
        WriteDayFile(day);
}

BenchPlant::Imported BenchPlant::ImportWithinMonth(const QDate& first, const QDate& end)
{
    WriteDayFiles(first, end);
    Imported imported = Import(StartOf(first), StartOf(end));
    imported.expected = first.daysTo(end) * VarTypeFunctions::IntervalsPerDay(m_varType) * m_variables;
    imported.ok = imported.ok && imported.written == imported.expected;
    return imported;
}

BenchPlant::Imported BenchPlant::Import(const DateTime& from, const DateTime& to)
{
    TargetConnections connections(m_globals);
    ado::Connection root;
    connections.ConfigureConnection(root, "QELROOT");
    root.Open();
    CommonVarGatherer gatherer(m_globals);
    gatherer.ReadAboutCollector(kCollector, root);
    gatherer.ReadKorvelOrvex(kCollector, root);
    gatherer.LookupLastRun.setDefaultStart(from);
    gatherer.LookupLastRun.setDefaultEnd(to);
    // As the service: each facility starts from its stored last-run date,
    // which a successful import moves on to the end.
    if (m_globals.serviceMode())
        gatherer.LookupLastRun.ReadKorvelOrvex(kCollector, root);
    gatherer.LookupLastRun.ReadKorvelOrvexFacilLockDates(kFacility);
    std::unique_ptr<CustomSource> source;
    CommonImport import(m_globals, source);
    Imported imported;
    QElapsedTimer timer;
    timer.start();
    imported.ok = import.StartImport(gatherer, false);
    imported.nanoseconds = timer.nsecsElapsed();
    imported.timings = import.Timings();
    imported.written = imported.timings.Count(ImportTimings::Kind::Write);
    return imported;
}

QString BenchPlant::FacilityFile() const
{
    return m_target.dataSource + "/" + kFacility + ".sqlite";
}

void BenchPlant::setFacilityReachable(bool reachable)
{
    // Away, every connection to the facility is refused.
    const QString away = FacilityFile() + ".away";
    if (!reachable)
        QFile::rename(FacilityFile(), away);
    else if (QFile::exists(away))
        QFile::rename(away, FacilityFile());
}

BenchPlant::StoredRows BenchPlant::Stored(const QString& table)
{
    TargetConnections connections(m_globals);
    ado::Connection facility;
    connections.ConfigureConnection(facility, kFacility);
    facility.Open();
    // The table name is one of the fixed value tables.
    ado::Recordset counts;
    counts.Open("select count(*), (select count(*) from (select varid, datestamp from " + table +
                    " group by varid, datestamp having count(*) > 1) twice) from " + table,
                facility);
    StoredRows stored;
    stored.rows = counts.Fields(0).toInt();
    stored.slotsStoredTwice = counts.Fields(1).toInt();
    return stored;
}
