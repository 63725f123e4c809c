#pragma once

#include "CommonFiles/control/DiffReport.h"
#include "platform/DateTime.h"

#include <QList>
#include <QString>

// The slots of a range that the target holds no row for, taken from a dry
// run over that range: per variable, runs of consecutive missing slots
// that share whether the day files can fill them now. A slot with a row
// ends a run.
class GapReport {
public:
    struct Run {
        QString facility;
        QString facilityName;
        qint32 varId = 0;
        qint32 number = 0;
        QString variableName;
        DateTime from;  // the first slot
        DateTime to;  // the last slot
        qint32 slotCount = 0;
        bool fillable = false;
        // Why it is not: "missing file", "no file date", "file of another
        // day", "empty cell", "not a number", "locked".
        QString reason;
    };

    explicit GapReport(const DiffReport& diff);

    const QList<Run>& Runs() const { return m_runs; }
    // Whether any slot could be filled now.
    bool Fillable() const;

    QString Text() const;
    QString Csv() const;
    QString Json() const;

private:
    QString Totals() const;

    // Every variable walked, with gaps or without.
    QList<DiffReport::Summary> m_variables;
    QList<Run> m_runs;
    QList<DiffReport::LockedBefore> m_lockedBefore;
};
