#pragma once

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/target/ImportTimings.h"
#include "platform/SystemClock.h"

#include <QDate>
#include <QString>

// One target of the benchmark with a configuration of its own: the root and
// one facility whose variables (all of one interval type) are linked to one
// collector, day files written as the logger leaves them, and imports of
// whole days from those files. The logger names its day files by the day of
// the month, so a range longer than a month is imported a month at a time,
// each month from its own files, as a backfill has to.
class BenchPlant {
public:
    static constexpr const char* kFacility = "BENCH1";

    struct Target {
        QString provider;  // "SQLite" or "PostgreSQL"
        QString dataSource;  // folder or HOST:PORT
        QString password;
    };

    // What imports wrote and where their time went.
    struct Imported {
        qint64 written = 0;
        qint64 expected = 0;
        qint64 nanoseconds = 0;
        ImportTimings timings;
        bool ok = true;

        void Add(const Imported& other);
        double SlotsPerSecond() const;
    };

    BenchPlant(const Target& target, const QString& home, int variables, const QString& varType);

    // Imports every slot of the days from first up to (not including) end.
    Imported ImportDays(const QDate& first, const QDate& end);
    // The logger's files of the days from first up to (not including) end.
    void WriteDayFiles(const QDate& first, const QDate& end);
    // One import of the slots from..to out of the day files written,
    // without checking what it wrote. In service mode the facility starts
    // from its stored last-run date instead, when it has one.
    Imported Import(const DateTime& from, const DateTime& to);
    // An embedded target's facility taken away (an outage) or given back.
    void setFacilityReachable(bool reachable);
    // Value rows stored in table, and how many slots hold more than one.
    struct StoredRows {
        qint64 rows = 0;
        qint64 slotsStoredTwice = 0;
    };
    StoredRows Stored(const QString& table);

    CommonGlobals& globals() { return m_globals; }

private:
    void CreateTarget(const Target& target);
    void Populate();
    void WriteDayFile(const QDate& day);
    Imported ImportWithinMonth(const QDate& first, const QDate& end);
    QString FacilityFile() const;

    Target m_target;
    SystemClock m_clock;
    CommonGlobals m_globals;
    QString m_dataFolder;
    int m_variables;
    QString m_varType;
};
