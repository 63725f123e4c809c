#pragma once

#include "platform/DateTime.h"

#include <memory>

class CommonTypeVarRec;
class QELConfiguration;

// Cuts one variable's import range into the slots of its interval. Each
// slot has a date stamp (its nominal start, under which the value is
// stored) and a source window from date stamp + start minutes to date
// stamp + stop minutes. The walk stops at the first slot whose window is
// not complete by the end of the range.
class CommonTypeDateManager {
public:
    // False (and no slots) for a variable whose interval is shorter than a
    // minute: whole-minute slots cannot hold it. Other errors are raised.
    bool Init(const DateTime& IntervalStart, const DateTime& IntervalEnd,
              std::shared_ptr<const CommonTypeVarRec> CurrentVariable, double collectorOffsetMinutes,
              const QELConfiguration& config);

    bool Eof() const;
    void MoveNext() { ++m_slotIndex; }
    qint32 NumberOfSlots() const { return m_numberOfSlots; }
    DateTime SlotStart() const;
    DateTime SlotEnd() const;
    DateTime KorvelOrvexslotDateStamp() const;

private:
    qint32 m_slotIndex = 0;
    qint32 m_numberOfSlots = 0;
    qint32 m_slotMinutes = 0;
    DateTime m_firstSlotStart;
    DateTime m_intervalEnd;
    std::shared_ptr<const CommonTypeVarRec> m_variable;
};
