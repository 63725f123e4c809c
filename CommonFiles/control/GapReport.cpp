#include "CommonFiles/control/GapReport.h"

#include "CommonFiles/control/DiffReport.h"
#include "CommonFiles/control/ReportFormat.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

QString FillState(const SlotDecision& d)
{
    switch (d.kind) {
    case SlotDecision::Kind::Locked:
        return QStringLiteral("locked");
    case SlotDecision::Kind::NoValue:
        return d.reason;
    default:
        return QString();
    }
}

bool Continues(const GapReport::Run& run, qint64 lastSequence, const SlotDecision& d, const QString& state)
{
    return d.sequence == lastSequence + 1 && run.facility == d.facility && run.varId == d.varId && run.reason == state;
}

QString VariableLine(const DiffReport::Summary& v)
{
    return ReportFormat::VariableText(v.facility, v.varId, v.variableName, v.number) + " in " + v.facilityName;
}

QString SlotsText(qint64 count)
{
    return QString::number(count) + (count == 1 ? " slot" : " slots");
}

QJsonObject RunObject(const GapReport::Run& run)
{
    return ReportFormat::VariableObject(run.facility, run.facilityName, run.varId, run.number, run.variableName,
                                        QJsonObject{
                                            {"from", ReportFormat::SlotData(run.from)},
                                            {"to", ReportFormat::SlotData(run.to)},
                                            {"slots", run.slotCount},
                                            {"fillable", run.fillable},
                                            {"reason", run.reason},
                                        });
}

}  // namespace

GapReport::GapReport(const DiffReport& diff) : m_variables(diff.Summaries()), m_lockedBefore(diff.LockedRanges())
{
    // A slot with a row, or another variable, ends the open run.
    qint64 last = -2;
    for (const SlotDecision& d : diff.Decisions()) {
        if (d.stored)
            continue;
        const QString state = FillState(d);
        if (!m_runs.isEmpty() && Continues(m_runs.last(), last, d, state)) {
            m_runs.last().to = d.slot;
            ++m_runs.last().slotCount;
        } else {
            m_runs.append(Run{d.facility, d.facilityName, d.varId, d.number, d.variableName, d.slot, d.slot, 1,
                              state.isEmpty(), state});
        }
        last = d.sequence;
    }
}

bool GapReport::Fillable() const
{
    return std::any_of(m_runs.begin(), m_runs.end(), [](const Run& run) { return run.fillable; });
}

QString GapReport::Totals() const
{
    qint64 fillableRuns = 0;
    qint64 fillableSlots = 0;
    qint64 otherSlots = 0;
    for (const Run& run : m_runs) {
        fillableRuns += run.fillable ? 1 : 0;
        (run.fillable ? fillableSlots : otherSlots) += run.slotCount;
    }
    return QString::number(fillableRuns) + " fillable run(s), " + SlotsText(fillableSlots) + "; " +
        QString::number(m_runs.size() - fillableRuns) + " run(s) not fillable, " + SlotsText(otherSlots);
}

QString GapReport::Text() const
{
    QString text;
    for (const DiffReport::Summary& v : m_variables) {
        QString runs;
        for (const Run& run : m_runs)
            if (run.facility == v.facility && run.varId == v.varId)
                runs += ReportFormat::TextLine("  " + ReportFormat::SlotText(run.from) + " \u2013 " +
                                               ReportFormat::SlotText(run.to) + ", " + SlotsText(run.slotCount) + ", " +
                                               (run.fillable ? QString("fillable") : "not fillable: " + run.reason));
        text += ReportFormat::TextLine(VariableLine(v) + (runs.isEmpty() ? QString(": no gaps") : QString())) + runs;
    }
    for (const DiffReport::LockedBefore& locked : m_lockedBefore)
        text += ReportFormat::TextLine(locked.Text());
    return text + Totals() + "\n";
}

QString GapReport::Csv() const
{
    QString csv = ReportFormat::CsvRecord({"facility", "facility_name", "variable", "variable_number", "variable_name",
                                           "from", "to", "slots", "fillable", "reason"});
    for (const Run& run : m_runs)
        csv += ReportFormat::CsvRecord({run.facility, run.facilityName, QString::number(run.varId),
                                        QString::number(run.number), run.variableName, ReportFormat::SlotData(run.from),
                                        ReportFormat::SlotData(run.to), QString::number(run.slotCount),
                                        run.fillable ? "yes" : "no", run.reason});
    return csv;
}

QString GapReport::Json() const
{
    QJsonArray runs;
    for (const Run& run : m_runs)
        runs.append(RunObject(run));
    return ReportFormat::Json(QJsonObject{
        {"runs", runs}, {"fillable", Fillable()}, {"locked_before", DiffReport::LockedJson(m_lockedBefore)}});
}
