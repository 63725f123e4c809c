#pragma once

#include "CommonFiles/control/SlotDecision.h"
#include "CommonFiles/target/StoredRow.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <array>
#include <optional>

class CommonTypeVarRec;

// What a dry run would do, slot by slot, with a count of each kind per
// facility and variable. The import adds a decision for every slot it
// walks; the command line prints the report as text, CSV or JSON, and the
// desktop program shows it in a table.
class DiffReport {
public:
    static constexpr int kKinds = 5;

    struct Summary {
        QString facility;
        QString facilityName;
        qint32 varId = 0;
        qint32 number = 0;
        QString variableName;
        std::array<qint32, kKinds> counts{};
    };

    // A facility whose range reaches back before its lock date: the run
    // starts at the lock date, as it does without a report, and the slots
    // before it are not walked.
    struct LockedBefore {
        QString facility;
        QString facilityName;
        DateTime lockDate;
        // "FACILITY name: locked before <date>, not walked".
        QString Text() const;
        QJsonObject Json() const;
    };

    // With missingRowsOnly, only the slots without a stored row are kept
    // (all are counted): a long range's gaps are found without holding
    // every slot of it.
    explicit DiffReport(bool missingRowsOnly = false) : m_missingRowsOnly(missingRowsOnly) {}

    // "write", "same", "keep", "locked", "no value".
    static QString KindText(SlotDecision::Kind kind);
    static QList<SlotDecision::Kind> Kinds();

    // A slot of the record, with the stored row the writer weighed; its
    // kind is decided by the Add call it is given to.
    static SlotDecision Slot(const CommonTypeVarRec& record, const QString& facilityName, const DateTime& slot,
                             const StoredRow& stored);
    void AddNoValue(SlotDecision slot, const QString& reason);
    void AddLocked(SlotDecision slot, const DateTime& lockDate);
    void AddKept(SlotDecision slot);
    // Written, or "same" when the stored row holds the new value and status.
    void AddWritten(SlotDecision slot);
    void AddLockedBefore(const QString& facility, const QString& facilityName, const DateTime& lockDate);
    const QList<LockedBefore>& LockedRanges() const { return m_lockedBefore; }
    static QJsonArray LockedJson(const QList<LockedBefore>& locked);

    const QList<SlotDecision>& Decisions() const { return m_decisions; }
    // The decisions of one kind only.
    DiffReport Only(SlotDecision::Kind kind) const;
    // Per facility and variable, in the order walked.
    const QList<Summary>& Summaries() const { return m_summaries; }

    QString Text() const;
    QString Csv() const;
    QString Json() const;
    // The report as Json wrote it; none when the text is no such report.
    static std::optional<DiffReport> FromJson(const QByteArray& json);

    // The stored value and status of a slot, and what replaces them, as a
    // person reads them ("4.5 (status 1)", "none").
    static QString StoredText(const SlotDecision& decision);
    static QString NewText(const SlotDecision& decision);
    // What the kind rests on: the levels, the lock date, why there is no value.
    static QString Detail(const SlotDecision& decision);

private:
    void Add(SlotDecision slot, SlotDecision::Kind kind);
    void Count(const SlotDecision& slot);

    bool m_missingRowsOnly = false;
    qint64 m_walked = 0;
    QList<SlotDecision> m_decisions;
    QList<Summary> m_summaries;
    QList<LockedBefore> m_lockedBefore;
    QHash<QPair<QString, qint32>, qsizetype> m_summaryIndex;
};
