#include "CommonFiles/control/DiffReport.h"

#include "CommonFiles/collector/CommonTypeVarRec.h"
#include "CommonFiles/control/ReportFormat.h"
#include "CommonFiles/target/VarTypeFunctions.h"
#include "platform/Conversions.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace {

QString StatusText(const SlotDecision& decision)
{
    return decision.storedWithoutStatus ? QString() : QString::number(decision.storedStatus);
}

QJsonObject SlotObject(const SlotDecision& d)
{
    return ReportFormat::VariableObject(
        d.facility, d.facilityName, d.varId, d.number, d.variableName,
        QJsonObject{
            {"slot", ReportFormat::SlotData(d.slot)},
            {"kind", DiffReport::KindText(d.kind)},
            {"stored", d.stored},
            {"stored_value", d.stored ? QJsonValue(d.storedValue) : QJsonValue()},
            {"stored_status", d.stored && !d.storedWithoutStatus ? QJsonValue(d.storedStatus) : QJsonValue()},
            {"new_value", d.newValue.isEmpty() ? QJsonValue() : QJsonValue(d.newValue)},
            {"new_status", d.newStatus},
            {"detail", DiffReport::Detail(d)},
            {"lock_date",
             d.kind == SlotDecision::Kind::Locked ? QJsonValue(ReportFormat::SlotData(d.lockDate)) : QJsonValue()},
        });
}

// A slot as SlotObject wrote it; none when its slot date cannot be read.
std::optional<SlotDecision> SlotOf(const QJsonObject& o)
{
    const auto slot = DateTime::FromText(o["slot"].toString());
    if (!slot)
        return std::nullopt;
    SlotDecision d;
    d.facility = o["facility"].toString();
    d.facilityName = o["facility_name"].toString();
    d.varId = o["variable"].toInt();
    d.number = o["variable_number"].toInt();
    d.variableName = o["variable_name"].toString();
    d.slot = *slot;
    d.stored = o["stored"].toBool();
    d.storedValue = o["stored_value"].toString();
    d.storedWithoutStatus = d.stored && o["stored_status"].isNull();
    d.storedStatus = o["stored_status"].toInt();
    d.newValue = o["new_value"].toString();
    d.newStatus = o["new_status"].toInt();
    d.lockDate = DateTime::FromText(o["lock_date"].toString()).value_or(DateTime());
    d.reason = o["lock_date"].isString() ? ReportFormat::SlotData(d.lockDate) : o["detail"].toString();
    return d;
}

QJsonObject SummaryObject(const DiffReport::Summary& s)
{
    QJsonObject object =
        ReportFormat::VariableObject(s.facility, s.facilityName, s.varId, s.number, s.variableName, {});
    for (const SlotDecision::Kind kind : DiffReport::Kinds())
        object.insert(DiffReport::KindText(kind).replace(' ', '_'), s.counts[static_cast<int>(kind)]);
    return object;
}

// Written: stored -> new; kept or locked: both, the stored one staying.
QString ChangeText(const SlotDecision& d)
{
    switch (d.kind) {
    case SlotDecision::Kind::Write:
        return DiffReport::StoredText(d) + " -> " + DiffReport::NewText(d);
    case SlotDecision::Kind::Keep:
    case SlotDecision::Kind::Locked:
        return DiffReport::StoredText(d) + ", new " + DiffReport::NewText(d);
    default:
        return DiffReport::StoredText(d);
    }
}

QString CountsText(const DiffReport::Summary& s)
{
    QStringList counts;
    for (const SlotDecision::Kind kind : DiffReport::Kinds())
        counts.append(DiffReport::KindText(kind) + " " + QString::number(s.counts[static_cast<int>(kind)]));
    return counts.join(", ");
}

}  // namespace

QJsonArray DiffReport::LockedJson(const QList<LockedBefore>& locked)
{
    QJsonArray array;
    for (const LockedBefore& range : locked)
        array.append(range.Json());
    return array;
}

QString DiffReport::KindText(SlotDecision::Kind kind)
{
    switch (kind) {
    case SlotDecision::Kind::Write:
        return QStringLiteral("write");
    case SlotDecision::Kind::Same:
        return QStringLiteral("same");
    case SlotDecision::Kind::Keep:
        return QStringLiteral("keep");
    case SlotDecision::Kind::Locked:
        return QStringLiteral("locked");
    case SlotDecision::Kind::NoValue:
        return QStringLiteral("no value");
    }
    Q_UNREACHABLE();
}

QList<SlotDecision::Kind> DiffReport::Kinds()
{
    return {SlotDecision::Kind::Write, SlotDecision::Kind::Same, SlotDecision::Kind::Keep, SlotDecision::Kind::Locked,
            SlotDecision::Kind::NoValue};
}

SlotDecision DiffReport::Slot(const CommonTypeVarRec& record, const QString& facilityName, const DateTime& slot,
                              const StoredRow& stored)
{
    SlotDecision decision;
    decision.facility = record.gFacilID();
    decision.facilityName = facilityName;
    decision.varId = record.gID();
    decision.number = record.gNumber();
    decision.variableName = record.gName();
    decision.slot = slot;
    decision.stored = stored.found;
    decision.storedWithoutStatus = stored.withoutStatus;
    decision.storedStatus = stored.status;
    if (stored.found)
        decision.storedValue =
            VarTypeFunctions::IsTextType(record.gVarType()) ? stored.text : Conversions::NumberText(stored.value);
    decision.newStatus = record.gDataApproval();
    return decision;
}

void DiffReport::Add(SlotDecision slot, SlotDecision::Kind kind)
{
    slot.kind = kind;
    slot.sequence = m_walked++;
    Count(slot);
    if (!m_missingRowsOnly || !slot.stored)
        m_decisions.append(std::move(slot));
}

void DiffReport::Count(const SlotDecision& slot)
{
    const QPair<QString, qint32> key{slot.facility, slot.varId};
    auto found = m_summaryIndex.constFind(key);
    if (found == m_summaryIndex.constEnd()) {
        found = m_summaryIndex.insert(key, m_summaries.size());
        m_summaries.append(Summary{slot.facility, slot.facilityName, slot.varId, slot.number, slot.variableName, {}});
    }
    ++m_summaries[found.value()].counts[static_cast<int>(slot.kind)];
}

void DiffReport::AddNoValue(SlotDecision slot, const QString& reason)
{
    slot.reason = reason;
    Add(std::move(slot), SlotDecision::Kind::NoValue);
}

void DiffReport::AddLocked(SlotDecision slot, const DateTime& lockDate)
{
    slot.reason = ReportFormat::SlotData(lockDate);
    slot.lockDate = lockDate;
    Add(std::move(slot), SlotDecision::Kind::Locked);
}

void DiffReport::AddLockedBefore(const QString& facility, const QString& facilityName, const DateTime& lockDate)
{
    m_lockedBefore.append(LockedBefore{facility, facilityName, lockDate});
}

QString DiffReport::LockedBefore::Text() const
{
    return facility + " " + facilityName + ": locked before " + ReportFormat::SlotText(lockDate) + ", not walked";
}

QJsonObject DiffReport::LockedBefore::Json() const
{
    return QJsonObject{
        {"facility", facility}, {"facility_name", facilityName}, {"lock_date", ReportFormat::SlotData(lockDate)}};
}

void DiffReport::AddKept(SlotDecision slot)
{
    Add(std::move(slot), SlotDecision::Kind::Keep);
}

void DiffReport::AddWritten(SlotDecision slot)
{
    const bool same = slot.stored && !slot.storedWithoutStatus && slot.storedValue == slot.newValue &&
        slot.storedStatus == slot.newStatus;
    Add(std::move(slot), same ? SlotDecision::Kind::Same : SlotDecision::Kind::Write);
}

DiffReport DiffReport::Only(SlotDecision::Kind kind) const
{
    DiffReport only;
    for (const SlotDecision& d : m_decisions)
        if (d.kind == kind) {
            only.Count(d);
            only.m_decisions.append(d);
        }
    return only;
}

QString DiffReport::StoredText(const SlotDecision& d)
{
    if (!d.stored)
        return QStringLiteral("none");
    const QString value = d.storedValue.isEmpty() ? QStringLiteral("(empty)") : d.storedValue;
    return value + (d.storedWithoutStatus ? QString(" (no status)") : " (status " + StatusText(d) + ")");
}

QString DiffReport::NewText(const SlotDecision& d)
{
    if (d.kind == SlotDecision::Kind::NoValue)
        return QString();
    return (d.newValue.isEmpty() ? QStringLiteral("(empty)") : d.newValue) + " (status " +
        QString::number(d.newStatus) + ")";
}

QString DiffReport::Detail(const SlotDecision& d)
{
    switch (d.kind) {
    case SlotDecision::Kind::Write:
        return d.stored ? QString() : QStringLiteral("new row");
    case SlotDecision::Kind::Same:
        return QString();
    case SlotDecision::Kind::Keep:
        return d.storedWithoutStatus
            ? QStringLiteral("the stored row has no status")
            : "stored status " + StatusText(d) + " is above approval level " + QString::number(d.newStatus);
    case SlotDecision::Kind::Locked:
        return "before the lock date " + d.reason;
    case SlotDecision::Kind::NoValue:
        return d.reason;
    }
    Q_UNREACHABLE();
}

QString DiffReport::Text() const
{
    QString text;
    QPair<QString, qint32> current;
    for (const SlotDecision& d : m_decisions) {
        if (current != qMakePair(d.facility, d.varId)) {
            current = {d.facility, d.varId};
            text += ReportFormat::TextLine(d.facilityName + ": " +
                                           ReportFormat::VariableText(d.facility, d.varId, d.variableName, d.number));
        }
        QString change = ChangeText(d);
        const QString detail = Detail(d);
        if (!detail.isEmpty())
            change += "; " + detail;
        text += ReportFormat::TextLine("  " + ReportFormat::SlotText(d.slot) + "  " +
                                       KindText(d.kind).leftJustified(8) + "  " + change);
    }
    for (const LockedBefore& locked : m_lockedBefore)
        text += ReportFormat::TextLine(locked.Text());
    text += "Summary\n";
    for (const Summary& s : m_summaries)
        text += ReportFormat::TextLine(
            "  " + ReportFormat::VariableText(s.facility, s.varId, s.variableName, s.number) + ": " + CountsText(s));
    return text;
}

QString DiffReport::Csv() const
{
    QString csv =
        ReportFormat::CsvRecord({"facility", "facility_name", "variable", "variable_number", "variable_name", "slot",
                                 "kind", "stored_value", "stored_status", "new_value", "new_status", "detail"});
    for (const SlotDecision& d : m_decisions)
        csv += ReportFormat::CsvRecord({d.facility, d.facilityName, QString::number(d.varId), QString::number(d.number),
                                        d.variableName, ReportFormat::SlotData(d.slot), KindText(d.kind),
                                        d.stored ? d.storedValue : QString(), d.stored ? StatusText(d) : QString(),
                                        d.newValue, QString::number(d.newStatus), Detail(d)});
    return csv;
}

std::optional<DiffReport> DiffReport::FromJson(const QByteArray& json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return std::nullopt;
    DiffReport report;
    const QList<SlotDecision::Kind> kinds = Kinds();
    for (const QJsonValue& value : document.object()["slots"].toArray()) {
        const QJsonObject o = value.toObject();
        const auto kind = std::find_if(kinds.begin(), kinds.end(),
                                       [&](SlotDecision::Kind k) { return KindText(k) == o["kind"].toString(); });
        const auto slot = SlotOf(o);
        if (!slot || kind == kinds.end())
            return std::nullopt;
        report.Add(*slot, *kind);
    }
    for (const QJsonValue& value : document.object()["locked_before"].toArray()) {
        const QJsonObject o = value.toObject();
        const auto lockDate = DateTime::FromText(o["lock_date"].toString());
        if (!lockDate)
            return std::nullopt;
        report.AddLockedBefore(o["facility"].toString(), o["facility_name"].toString(), *lockDate);
    }
    return report;
}

QString DiffReport::Json() const
{
    QJsonArray walked;
    for (const SlotDecision& d : m_decisions)
        walked.append(SlotObject(d));
    QJsonArray summary;
    for (const Summary& s : m_summaries)
        summary.append(SummaryObject(s));
    return ReportFormat::Json(
        QJsonObject{{"slots", walked}, {"summary", summary}, {"locked_before", LockedJson(m_lockedBefore)}});
}
