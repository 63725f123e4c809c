// Throughput of the import from generated day files into an embedded SQLite
// target and, when a server is given, into PostgreSQL.
//
// The default run imports 4 hourly variables over 1 day, 1 month and 1 year
// (a month at a time) into each target, measures in the same run the bare
// cost of the target protocol per slot (the floor), and prints per target
// the import's cost per slot against that floor, where its time went, the
// slots per second of each range and the peak resident memory.
//
// --soak runs 30 simulated days of hourly service imports of 1-minute
// variables with an outage every fifth hour (SoakRun).
//
// --large imports 1 year of 15-minute data for 100 variables (3.5 million
// slots) into SQLite, a month at a time, printing each month's throughput
// and resident memory; fewer variables or months may be given.
//
// --remote runs the PostgreSQL part through a delay proxy (DelayProxy) at
// a round-trip time of 0, 1 and 5 ms: the floor and an import of the same
// plant, with the round trips the proxy counted and the statements the
// import timed per slot, and the catch-up time of a month of 100 15-minute
// variables that gives. Fewer slots are run at the longer delays; the
// projection is the cost per slot measured times the month's slots.
//
//   r58213_bench [HOST:PORT PASSWORD]
//   r58213_bench --remote HOST:PORT PASSWORD
//   r58213_bench --large [VARIABLES [MONTHS]]
//   r58213_bench --soak [DAYS [VARIABLES]]

#include "bench/BenchPlant.h"
#include "bench/DelayProxy.h"
#include "bench/ProtocolFloor.h"
#include "bench/ResidentMemory.h"
#include "bench/SoakRun.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <utility>

namespace {

constexpr int kVariables = 4;
constexpr int kFloorSlots = 2000;
constexpr int kLargeVariables = 100;
constexpr int kLargeMonths = 12;
constexpr int kSoakDays = 30;
constexpr int kSoakVariables = 10;
constexpr double kKilobytesPerMegabyte = 1024.0;

using Kind = ImportTimings::Kind;

struct Range {
    const char* name;
    QDate first;
    QDate end;
};

// Distinct dates, so that every range and the floor write new rows.
const Range kRanges[] = {
    {"1 day", QDate(2021, 6, 1), QDate(2021, 6, 2)},
    {"1 month", QDate(2022, 7, 1), QDate(2022, 8, 1)},
    {"1 year", QDate(2023, 1, 1), QDate(2024, 1, 1)},
};
const DateTime kFloorStart = DateTime::FromParts(2025, 1, 1);

double Megabytes(qint64 kilobytes)
{
    return kilobytes / kKilobytesPerMegabyte;
}

double MicrosecondsPerSlot(qint64 nanoseconds, qint64 slotCount)
{
    return slotCount > 0 ? nanoseconds / 1e3 / slotCount : 0.0;
}

const char* Failed(const BenchPlant::Imported& imported)
{
    return imported.ok ? "" : "  IMPORT FAILED";
}

void PrintSplit(const BenchPlant::Imported& total)
{
    const ImportTimings& timings = total.timings;
    const auto part = [&total](qint64 nanoseconds) {
        return std::pair{MicrosecondsPerSlot(nanoseconds, total.written),
                         total.nanoseconds > 0 ? 100.0 * nanoseconds / total.nanoseconds : 0.0};
    };
    const auto [source, sourceShare] = part(timings.Nanoseconds(Kind::SourceRead));
    const auto [seek, seekShare] = part(timings.Nanoseconds(Kind::Seek));
    const auto [write, writeShare] = part(timings.Nanoseconds(Kind::Write));
    const auto [liveness, livenessShare] = part(timings.Nanoseconds(Kind::Liveness));
    const auto [commit, commitShare] = part(timings.Nanoseconds(Kind::Commit));
    const auto [rest, restShare] = part(total.nanoseconds - timings.TotalNanoseconds());
    std::printf("            split: source %.1f us (%.0f%%)  seek %.1f (%.0f%%)  write %.1f (%.0f%%)  liveness %.1f "
                "(%.0f%%)  commit %.1f (%.0f%%)  rest %.1f (%.0f%%)\n",
                source, sourceShare, seek, seekShare, write, writeShare, liveness, livenessShare, commit, commitShare,
                rest, restShare);
}

void RunTarget(const char* name, const BenchPlant::Target& target, const QString& home)
{
    ResidentMemory::ResetPeak();
    BenchPlant plant(target, home, kVariables, "H");
    BenchPlant::Imported total;
    QString ranges;
    for (const Range& range : kRanges) {
        const BenchPlant::Imported imported = plant.ImportDays(range.first, range.end);
        ranges += QString("%1 %2 slots/s  ").arg(range.name).arg(imported.SlotsPerSecond(), 0, 'f', 0);
        total.Add(imported);
    }
    const qint64 floorNs = ProtocolFloor::Measure(plant.globals(), BenchPlant::kFacility, 1, kFloorSlots, kFloorStart);
    const double floor = MicrosecondsPerSlot(floorNs, kFloorSlots);
    const double import = MicrosecondsPerSlot(total.nanoseconds, total.written);
    std::printf("%-10s %7lld slots  floor %6.1f us/slot  import %6.1f us/slot  ratio %5.2f  %6.0f slots/s%s\n", name,
                static_cast<long long>(total.written), floor, import, floor > 0 ? import / floor : 0.0,
                total.SlotsPerSecond(), Failed(total));
    PrintSplit(total);
    std::printf("            ranges: %s peak RSS %.0f MB\n", qPrintable(ranges),
                Megabytes(ResidentMemory::PeakKilobytes()));
    std::fflush(stdout);
}

int RunLarge(int variables, int months)
{
    QTemporaryDir home;
    BenchPlant plant({"SQLite", home.path() + "/target", QString()}, home.path(), variables, "F");
    const qint64 startRss = ResidentMemory::CurrentKilobytes();
    std::printf("SQLite, %d 15-minute variables, %d month(s); resident memory at the start %.0f MB\n", variables,
                months, Megabytes(startRss));
    BenchPlant::Imported total;
    for (int m = 0; m < months; ++m) {
        const QDate first = QDate(2023, 1, 1).addMonths(m);
        const BenchPlant::Imported month = plant.ImportDays(first, first.addMonths(1));
        total.Add(month);
        std::printf("  %s  %8lld slots  %7.1f s  %6.0f slots/s  RSS %.0f MB%s\n", qPrintable(first.toString("yyyy-MM")),
                    static_cast<long long>(month.written), month.nanoseconds / 1e9, month.SlotsPerSecond(),
                    Megabytes(ResidentMemory::CurrentKilobytes()), Failed(month));
        PrintSplit(month);
        std::fflush(stdout);
    }
    const qint64 endRss = ResidentMemory::CurrentKilobytes();
    std::printf("SQLite    %9lld slots  %.1f s  %.0f slots/s  peak RSS %.0f MB  RSS growth %+.1f MB%s\n",
                static_cast<long long>(total.written), total.nanoseconds / 1e9, total.SlotsPerSecond(),
                Megabytes(ResidentMemory::PeakKilobytes()), Megabytes(endRss - startRss), Failed(total));
    return total.ok ? 0 : 1;
}

struct Delay {
    int roundTripMicroseconds;
    int days;  // of the plant's 4 hourly variables
    int floorSlots;
};
// Distinct days for each delay, so that every run writes new rows.
const Delay kDelays[] = {{0, 28, 1000}, {1000, 7, 300}, {5000, 2, 60}};
constexpr double kMonthOfQuarterHours = 100.0 * 31 * 96;

double StatementsPerSlot(const BenchPlant::Imported& imported)
{
    const ImportTimings& t = imported.timings;
    const qint64 statements =
        t.Count(Kind::Seek) + t.Count(Kind::Write) + t.Count(Kind::Liveness) + t.Count(Kind::Commit);
    return imported.written > 0 ? static_cast<double>(statements) / imported.written : 0.0;
}

int RunRemote(const QString& server, const QString& password)
{
    const QString host = server.section(':', 0, 0);
    DelayProxy proxy(host, server.section(':', 1).toUShort(), 0);
    if (proxy.port() == 0)
        return 1;
    QTemporaryDir home;
    BenchPlant plant({"PostgreSQL", "127.0.0.1:" + QString::number(proxy.port()), password}, home.path(), kVariables,
                     "H");
    std::printf("PostgreSQL through a delay proxy, %d hourly variables; projection: a month of 100 15-minute "
                "variables (%.0f slots)\n",
                kVariables, kMonthOfQuarterHours);
    QDate first(2026, 1, 1);
    for (const Delay& delay : kDelays) {
        proxy.setOneWayMicroseconds(delay.roundTripMicroseconds / 2);
        proxy.ResetRoundTrips();
        const qint64 floorNs = ProtocolFloor::Measure(plant.globals(), BenchPlant::kFacility, 1, delay.floorSlots,
                                                      DateTime::FromQDateTime(first, QTime(0, 0)));
        const double floorTrips = static_cast<double>(proxy.RoundTrips()) / delay.floorSlots;
        first = first.addDays(delay.floorSlots / 24 + 1);
        proxy.ResetRoundTrips();
        const BenchPlant::Imported imported = plant.ImportDays(first, first.addDays(delay.days));
        first = first.addDays(delay.days);
        const double perSlot = MicrosecondsPerSlot(imported.nanoseconds, imported.written);
        std::printf("RTT %.0f ms  floor %7.1f us/slot %4.2f round trips/slot  import %5lld slots %7.1f us/slot "
                    "%6.0f slots/s  %4.2f round trips/slot  %4.2f statements/slot  month's catch-up %6.1f min%s\n",
                    delay.roundTripMicroseconds / 1000.0, MicrosecondsPerSlot(floorNs, delay.floorSlots), floorTrips,
                    static_cast<long long>(imported.written), perSlot, imported.SlotsPerSecond(),
                    imported.written > 0 ? static_cast<double>(proxy.RoundTrips()) / imported.written : 0.0,
                    StatementsPerSlot(imported), perSlot * kMonthOfQuarterHours / 1e6 / 60, Failed(imported));
        std::fflush(stdout);
    }
    return 0;
}

int Argument(const QStringList& arguments, int index, int fallback)
{
    return arguments.size() > index ? arguments[index].toInt() : fallback;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.value(1) == "--soak")
        return SoakRun(Argument(arguments, 2, kSoakDays), Argument(arguments, 3, kSoakVariables)).Run();
    if (arguments.value(1) == "--remote" && arguments.size() >= 4)
        return RunRemote(arguments[2], arguments[3]);
    if (arguments.value(1) == "--large")
        return RunLarge(Argument(arguments, 2, kLargeVariables), Argument(arguments, 3, kLargeMonths));
    std::printf("%d hourly variables over 1 day, 1 month and 1 year (a month at a time); floor over %d slots\n",
                kVariables, kFloorSlots);
    QTemporaryDir sqliteHome;
    RunTarget("SQLite", {"SQLite", sqliteHome.path() + "/target", QString()}, sqliteHome.path());
    if (argc >= 3) {
        QTemporaryDir pgHome;
        RunTarget("PostgreSQL", {"PostgreSQL", arguments[1], arguments[2]}, pgHome.path());
    }
    return 0;
}
