#pragma once

#include "CommonFiles/control/DiffReport.h"
#include "source/SourceReadTest.h"

#include <QList>
#include <QString>
#include <array>
#include <cmath>
#include <optional>

// What the chart of a test import shows for one variable: the value the
// import would write and the value the target holds, slot by slot on the
// slots' local time; the slots that would be kept, that are locked or that
// have no value; and the facility's lock date. Times are milliseconds since
// the epoch of the slot's local date and time, as a time axis shows them.
class ImportChartData {
public:
    struct Point {
        qint64 msecs = 0;
        // NaN where the slot has no value to place it at.
        double value = std::nan("");
    };
    enum class Mark { Kept, Locked, NoValue };
    static constexpr int kMarks = 3;
    // A variable of the run, as the list of the chart offers it.
    struct Variable {
        QString facility;
        qint32 varId = 0;
        QString text;  // "facility name: FACILITY~ID name (#number)"
    };

    // Every variable of the report, by facility, in the order walked.
    static QList<Variable> VariablesOf(const DiffReport& report);
    static ImportChartData Of(const DiffReport& report, const Variable& variable);
    // A day of a tag read from the day files: the values read as the line,
    // the slots without value marked; no target beside them.
    static ImportChartData OfReadings(const QString& title, const QList<SourceReadTest::Reading>& readings);

    const QString& title() const { return m_title; }
    // What the line of values is: "Would write", or "Read" for readings.
    const QString& valuesName() const { return m_valuesName; }
    // Whether the chart stands beside a target, with stored values.
    bool hasTarget() const { return m_hasTarget; }
    qsizetype slotCount() const { return m_slots; }
    // The new values of the slots the import would write or finds the
    // same, and the values the target holds.
    const QList<Point>& wouldWrite() const { return m_wouldWrite; }
    const QList<Point>& stored() const { return m_stored; }
    // At the stored value, else the new one, else without a value.
    const QList<Point>& marks(Mark mark) const { return m_marks[static_cast<size_t>(mark)]; }
    static QString MarkText(Mark mark);
    const std::optional<qint64>& lockDate() const { return m_lockDate; }

    // What a screen reader reads for the chart: the variable, the slots,
    // the least, greatest and mean value of each series and the slots of
    // each kind.
    QString Summary() const;

    // The points between from and to (and one on either side, so that a
    // line leaves the view as it runs), at most two a bucket: the least and
    // the greatest of each, in time order, and the first and the last. A screen shows no more; the
    // exported values never pass through here.
    static QList<Point> Decimated(const QList<Point>& points, qint64 from, qint64 to, int buckets);

private:
    void Take(const SlotDecision& decision);
    static QString SeriesSummary(const QString& name, const QList<Point>& points);

    QString m_title;
    QString m_valuesName = QStringLiteral("Would write");
    bool m_hasTarget = true;
    qsizetype m_slots = 0;
    QList<Point> m_wouldWrite;
    QList<Point> m_stored;
    std::array<QList<Point>, kMarks> m_marks;
    std::optional<qint64> m_lockDate;
    std::array<qint32, DiffReport::kKinds> m_counts{};
};
