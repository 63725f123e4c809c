#include "CommonFiles/control/ImportChartData.h"

#include "CommonFiles/control/ReportFormat.h"
#include "platform/Conversions.h"

#include <QDateTime>
#include <algorithm>

namespace {

qint64 Msecs(const DateTime& local)
{
    return QDateTime(local.date(), local.time()).toMSecsSinceEpoch();
}

double Number(const QString& text)
{
    return Conversions::IsNumeric(text) ? Conversions::ToDouble(text) : std::nan("");
}

}  // namespace

QList<ImportChartData::Variable> ImportChartData::VariablesOf(const DiffReport& report)
{
    QList<Variable> variables;
    for (const DiffReport::Summary& s : report.Summaries())
        variables.append(
            {s.facility, s.varId,
             s.facilityName + ": " + ReportFormat::VariableText(s.facility, s.varId, s.variableName, s.number)});
    std::stable_sort(variables.begin(), variables.end(),
                     [](const Variable& a, const Variable& b) { return a.facility < b.facility; });
    return variables;
}

ImportChartData ImportChartData::Of(const DiffReport& report, const Variable& variable)
{
    ImportChartData data;
    data.m_title = variable.text;
    for (const SlotDecision& d : report.Decisions())
        if (d.facility == variable.facility && d.varId == variable.varId)
            data.Take(d);
    for (const DiffReport::LockedBefore& locked : report.LockedRanges())
        if (locked.facility == variable.facility && !data.m_lockDate)
            data.m_lockDate = Msecs(locked.lockDate);
    return data;
}

ImportChartData ImportChartData::OfReadings(const QString& title, const QList<SourceReadTest::Reading>& readings)
{
    ImportChartData data;
    data.m_title = title;
    data.m_valuesName = QStringLiteral("Read");
    data.m_hasTarget = false;
    for (const SourceReadTest::Reading& reading : readings) {
        ++data.m_slots;
        const Point point{Msecs(reading.slot), reading.value.value_or(std::nan(""))};
        if (reading.value) {
            data.m_wouldWrite.append(point);
        } else {
            data.m_marks[static_cast<size_t>(Mark::NoValue)].append(point);
            ++data.m_counts[static_cast<size_t>(SlotDecision::Kind::NoValue)];
        }
    }
    return data;
}

void ImportChartData::Take(const SlotDecision& d)
{
    ++m_slots;
    ++m_counts[static_cast<size_t>(d.kind)];
    const qint64 at = Msecs(d.slot);
    const double stored = d.stored ? Number(d.storedValue) : std::nan("");
    const double fresh = Number(d.newValue);
    if (!std::isnan(stored))
        m_stored.append({at, stored});
    const Point mark{at, std::isnan(stored) ? fresh : stored};
    switch (d.kind) {
    case SlotDecision::Kind::Write:
    case SlotDecision::Kind::Same:
        if (!std::isnan(fresh))
            m_wouldWrite.append({at, fresh});
        break;
    case SlotDecision::Kind::Keep:
        m_marks[static_cast<size_t>(Mark::Kept)].append(mark);
        break;
    case SlotDecision::Kind::Locked:
        m_marks[static_cast<size_t>(Mark::Locked)].append(mark);
        m_lockDate = std::max(m_lockDate.value_or(Msecs(d.lockDate)), Msecs(d.lockDate));
        break;
    case SlotDecision::Kind::NoValue:
        m_marks[static_cast<size_t>(Mark::NoValue)].append(mark);
        break;
    }
}

QString ImportChartData::MarkText(Mark mark)
{
    static const std::array<QString, kMarks> kTexts{"kept", "locked", "no value"};
    return kTexts[static_cast<size_t>(mark)];
}

QString ImportChartData::SeriesSummary(const QString& name, const QList<Point>& points)
{
    if (points.isEmpty())
        return name + ": no values";
    double least = points.first().value;
    double greatest = least;
    double sum = 0;
    for (const Point& p : points) {
        least = std::min(least, p.value);
        greatest = std::max(greatest, p.value);
        sum += p.value;
    }
    return name + ": " + QString::number(points.size()) + " values, min " + QString::number(least) + ", max " +
        QString::number(greatest) + ", mean " + QString::number(sum / static_cast<double>(points.size()));
}

QString ImportChartData::Summary() const
{
    const QString head =
        m_title + ", " + QString::number(m_slots) + " slots. " + SeriesSummary(m_valuesName, m_wouldWrite) + ". ";
    if (!m_hasTarget)
        return head + "Slots without value: " + QString::number(marks(Mark::NoValue).size()) + ".";
    QStringList kinds;
    for (const SlotDecision::Kind kind : DiffReport::Kinds())
        kinds.append(DiffReport::KindText(kind) + " " + QString::number(m_counts[static_cast<size_t>(kind)]));
    return head + SeriesSummary("Stored", m_stored) + ". Slots: " + kinds.join(", ") + ".";
}

QList<ImportChartData::Point> ImportChartData::Decimated(const QList<Point>& points, qint64 from, qint64 to,
                                                         int buckets)
{
    const auto byTime = [](const Point& p, qint64 t) { return p.msecs < t; };
    auto first = std::lower_bound(points.begin(), points.end(), from, byTime);
    auto last = std::lower_bound(first, points.end(), to + 1, byTime);
    if (first != points.begin())
        --first;
    if (last != points.end())
        ++last;
    if (buckets <= 0 || last - first <= 2 * buckets)
        return QList<Point>(first, last);
    QList<Point> shown;
    const double width = static_cast<double>(to - from + 1) / buckets;
    const auto bucketOf = [&](const Point& p) { return std::floor(static_cast<double>(p.msecs - from) / width); };
    for (auto it = first; it != last;) {
        const double bucket = bucketOf(*it);
        auto end = it;
        while (end != last && bucketOf(*end) == bucket)
            ++end;
        const auto [least, greatest] =
            std::minmax_element(it, end, [](const Point& a, const Point& b) { return a.value < b.value; });
        shown.append(*std::min(least, greatest));
        if (least != greatest)
            shown.append(*std::max(least, greatest));
        it = end;
    }
    // The line runs to both edges of the range, as the whole run's does.
    if (shown.first().msecs != first->msecs)
        shown.prepend(*first);
    if (shown.last().msecs != std::prev(last)->msecs)
        shown.append(*std::prev(last));
    return shown;
}
