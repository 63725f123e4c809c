#include "bench/SoakRun.h"

#include "bench/BenchPlant.h"
#include "bench/ResidentMemory.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kOutageEveryHours = 5;
constexpr int kSlotsPerDay = 1440;
constexpr double kAllowedGrowth = 0.10;

}  // namespace

int SoakRun::OpenFileDescriptors()
{
    return static_cast<int>(QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

int SoakRun::Run()
{
    QTemporaryDir home;
    BenchPlant plant({"SQLite", home.path() + "/target", QString()}, home.path(), m_variables, "1");
    QELConfiguration& config = plant.globals().config();
    config.setItem("TARGET\\RECOVERY\\ATTEMPTS", "2");
    config.setItem("TARGET\\RECOVERY\\SECONDS", "0");
    const QDate first(2024, 1, 1);
    const DateTime start = DateTime::FromParts(first.year(), first.month(), first.day());
    std::printf("SQLite, %d 1-minute variables, %d simulated days, one import an hour, an outage every %d hours\n",
                m_variables, m_days, kOutageEveryHours);
    plant.globals().setServiceMode(true);
    int imports = 0;
    int failed = 0;
    qint64 baseRss = 0;
    int baseDescriptors = 0;
    for (int day = 0; day < m_days; ++day) {
        plant.WriteDayFiles(first.addDays(day), first.addDays(day + 1));
        for (int hour = 0; hour < 24; ++hour) {
            const int hours = day * 24 + hour;
            const DateTime to = start.addMinutes(qint64{hours + 1} * 60);
            const bool outage = hours % kOutageEveryHours == kOutageEveryHours - 1;
            plant.setFacilityReachable(!outage);
            const BenchPlant::Imported imported = plant.Import(start, to);
            plant.setFacilityReachable(true);
            ++imports;
            failed += imported.ok && imported.written > 0 ? 0 : 1;
        }
        if (day == 0) {
            baseRss = ResidentMemory::CurrentKilobytes();
            baseDescriptors = OpenFileDescriptors();
        }
        if ((day + 1) % 5 == 0 || day + 1 == m_days)
            std::printf("  day %2d  imports %4d (%3d without the facility)  RSS %6.1f MB  open descriptors %d\n",
                        day + 1, imports, failed, ResidentMemory::CurrentKilobytes() / 1024.0, OpenFileDescriptors());
        std::fflush(stdout);
    }
    // The hour an outage ended on is imported by the next run.
    plant.Import(start, start.addDays(m_days));
    const BenchPlant::StoredRows stored = plant.Stored("DATADD1");
    const qint64 expected = qint64{m_days} * kSlotsPerDay * m_variables;
    const qint64 endRss = ResidentMemory::CurrentKilobytes();
    const double growth = baseRss > 0 ? double(endRss - baseRss) / baseRss : 0.0;
    const int descriptors = OpenFileDescriptors();
    std::printf("SQLite  %lld of %lld slots stored, %lld stored twice; RSS after day 1 %.1f MB, at the end %.1f MB "
                "(%+.1f %%); open descriptors %d, then %d\n",
                static_cast<long long>(stored.rows), static_cast<long long>(expected),
                static_cast<long long>(stored.slotsStoredTwice), baseRss / 1024.0, endRss / 1024.0, 100 * growth,
                baseDescriptors, descriptors);
    const bool whole = stored.rows == expected && stored.slotsStoredTwice == 0;
    return whole && growth < kAllowedGrowth && descriptors == baseDescriptors ? 0 : 1;
}
