// Throughput of the import: 10 hourly variables over two imports of 21
// days each (10,080 slots), from generated day files into an embedded
// SQLite target and, when a server is given, into PostgreSQL. Reports
// slots per second for the whole import and the time the same slots take
// in source reads alone.
//
//   r58213_bench [HOST:PORT PASSWORD]

#include "CommonFiles/collector/CommonVarGatherer.h"
#include "CommonFiles/control/CommonImport.h"
#include "CommonFiles/control/ConfigurationKeys.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/target/TargetConnections.h"
#include "platform/SystemClock.h"
#include "platform/ado/Connection.h"
#include "platform/ado/SqlExecution.h"
#include "source/CustomConfiguration.h"
#include "source/CustomSource.h"
#include "targetdb/ReferenceTarget.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kVariables = 10;
constexpr int kDays = 21;
constexpr qint32 kCollector = 1;

struct Target {
    const char* name;
    QString provider;
    QString dataSource;
    QString password;
};

void WriteDayFiles(const QString& folder, int month)
{
    for (int day = 1; day <= kDays; ++day) {
        QByteArray text = "TIME";
        for (int v = 1; v <= kVariables; ++v)
            text += ",V" + QByteArray::number(v);
        text += "\r\n00:00";
        for (int v = 1; v <= kVariables; ++v)
            text += "," + QByteArray::number(day * 10 + v + 0.125, 'f', 3);
        text += "\r\n24," + QByteArray::number(month) + "," + QByteArray::number(day) + "\r\n";
        QFile file(QString("%1/ALOG0%2.CSV").arg(folder).arg(day, 2, 10, QChar('0')));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(text);
    }
}

void CreateTarget(const Target& target)
{
    for (const char* name : {"QELROOT", "BENCH1"}) {
        const auto schema =
            QString(name) == "QELROOT" ? ReferenceTarget::Schema::Root : ReferenceTarget::Schema::Facility;
        if (target.provider == "SQLite")
            ReferenceTarget::CreateSqlite(target.dataSource, name, schema);
        else
            ReferenceTarget::CreatePostgreSql(target.dataSource, target.password, name, schema);
    }
}

void Populate(CommonGlobals& globals)
{
    TargetConnections connections(globals);
    ado::Connection root;
    connections.ConfigureConnection(root, "QELROOT");
    root.Open();
    ado::SqlExecution::Run(root, "insert into FACILITY (FILENAME, NAME) values ('bench1', 'Bench works')");
    ado::SqlExecution::Run(root,
                           "insert into k5_server (INTERFACE_ID, NAME, ENABLED, COLLECTOR_DATEADJUST, "
                           "COLLECTOR_QELTIMEZONEID) values (?, 'Bench', -1, 0, 1)",
                           {kCollector});
    ado::Connection facility;
    connections.ConfigureConnection(facility, "BENCH1");
    facility.Open();
    ado::SqlExecution::Run(facility,
                           "insert into Settings (SETTING, CURVALUE) values ('LockDate', '2024-01-01 00:00:00')");
    for (int v = 1; v <= kVariables; ++v)
        ado::SqlExecution::Run(facility,
                               "insert into VARDESC (VARID, VARNUM, NAME, VARTYPE, DECPLACES, SCADATAG, STATISTIC, "
                               "SCALEFACTOR, SOURCE_CNN_APPROVAL, INTERFACETYPE, K5_INTERFACE_ID, K5_ENABLED) "
                               "values (?, ?, ?, 'H', 2, ?, 'LOOKUP', 1, 1, 'SAME', ?, -1)",
                               {v, v, QString("Flow %1").arg(v), QString("ALG %1:2").arg(v + 1), kCollector});
}

bool Import(CommonGlobals& globals, int month)
{
    TargetConnections connections(globals);
    ado::Connection root;
    connections.ConfigureConnection(root, "QELROOT");
    root.Open();
    CommonVarGatherer gatherer(globals);
    gatherer.ReadAboutCollector(kCollector, root);
    gatherer.ReadKorvelOrvex(kCollector, root);
    gatherer.LookupLastRun.setDefaultStart(DateTime::FromParts(2024, month, 1));
    gatherer.LookupLastRun.setDefaultEnd(DateTime::FromParts(2024, month, kDays + 1));
    gatherer.LookupLastRun.ReadKorvelOrvexFacilLockDates("BENCH1");
    std::unique_ptr<CustomSource> source;
    CommonImport import(globals, source);
    return import.StartImport(gatherer, false);
}

// The same requests the import makes, without the target.
qint64 SourceReadNanoseconds(CommonGlobals& globals, int month)
{
    CustomSource source(globals);
    source.setSourceStatistic("LOOKUP");
    QElapsedTimer timer;
    timer.start();
    for (int v = 1; v <= kVariables; ++v) {
        source.setSourceTag(QString("ALG %1:2").arg(v + 1));
        for (int slot = 0; slot < kDays * 24; ++slot) {
            const DateTime start = DateTime::FromParts(2024, month, 1).addMinutes(slot * 60);
            source.setStartdate(start);
            source.setEnddate(start.addMinutes(60));
            bool error = false;
            source.GetDoubleResult(error);
        }
    }
    return timer.nsecsElapsed();
}

void Run(const Target& target, const QString& home)
{
    SystemClock clock;
    CommonGlobals globals(clock, home, "r58213");
    QELConfiguration& config = globals.config();
    config.setPath(home + "/r58213.xml");
    ConfigurationKeys::DefineStartupKeys(config, clock.now(), "r58213");
    CustomConfiguration::DefineSourceKeys(config);
    config.ReadConfig();
    config.setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_PROVIDER", target.provider);
    config.setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE", target.dataSource);
    config.setItem("R58213\\PATH", home + "/data");
    QDir().mkpath(home + "/data");
    CreateTarget(target);
    Populate(globals);

    const int slotCount = 2 * kDays * 24 * kVariables;
    qint64 importNs = 0;
    qint64 sourceNs = 0;
    bool ok = true;
    for (const int month : {3, 4}) {
        WriteDayFiles(home + "/data", month);
        QElapsedTimer timer;
        timer.start();
        ok = Import(globals, month) && ok;
        importNs += timer.nsecsElapsed();
        sourceNs += SourceReadNanoseconds(globals, month);
    }
    std::printf("%-10s %6d slots  import %7.2f s  %8.0f slots/s  source reads %6.3f s (%5.1f us/read)%s\n", target.name,
                slotCount, importNs / 1e9, slotCount / (importNs / 1e9), sourceNs / 1e9, sourceNs / 1e3 / slotCount,
                ok ? "" : "  IMPORT FAILED");
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir sqliteHome;
    Run({"SQLite", "SQLite", sqliteHome.path() + "/target", QString()}, sqliteHome.path());
    if (argc >= 3) {
        QTemporaryDir pgHome;
        Run({"PostgreSQL", "PostgreSQL", QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2])},
            pgHome.path());
    }
    return 0;
}
