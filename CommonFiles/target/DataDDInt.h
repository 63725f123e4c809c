#pragma once

#include "platform/DateTime.h"

#include <QString>
#include <memory>

class CommonGlobals;

namespace ado {
class Command;
class Connection;
}  // namespace ado

// The interval values of one facility for one tracking interval, reached
// only through the facility's stored procedures (named by a base name and
// the interval's one-character code). Commands are prepared once per
// ConnectTo and reused. Database errors are raised to the caller as
// NumberedError; seeks that find nothing set NoMatch and leave the
// caller's variables untouched.
class DataDDInt {
public:
    explicit DataDDInt(CommonGlobals& globals);
    ~DataDDInt();

    void ConnectTo(ado::Connection& aCnn, qint32 IntervalsInDay);

    void WriteComment(const DateTime& SlotStartDatetime, const DateTime& NewDateTime, qint32 VarId,
                      const QString& Comment);
    void DeleteComment(const DateTime& SlotStartDatetime, qint32 VarId);
    void SeekComment(const DateTime& SlotStartDatetime, qint32 VarId, QString& comment_out,
                     QString* AuditUser = nullptr, DateTime* AuditTimeStamp = nullptr);
    void SeekData(const DateTime& SlotStartDatetime, qint32 VarId, DateTime& DateOut, double& value, QString& TextValue,
                  QString* AuditUser = nullptr, DateTime* AuditTimeStamp = nullptr, qint32* STATUS = nullptr,
                  qint32* FORCED = nullptr);
    void DeleteData(const DateTime& SlotStartDatetime, qint32 VarId);
    void WriteData(const DateTime& SlotStartDatetime, const DateTime& NewDateTime, qint32 VarId, double value,
                   const QString& TextValue, qint32 STATUS);
    // Rewrites the stored row with a new status; an error ends it, leaving
    // only its trace in the log.
    void SetStatus(const DateTime& DateTimeStamp, qint32 VarId, qint32 STATUS);
    void SetForced(const DateTime& DateTimeStamp, qint32 VarId, qint32 FORCED);
    void SeekNext(const DateTime& SlotStartDatetime, const DateTime& SlotEndDatetime, qint32 VarId, DateTime& DateOut,
                  double& value, QString& TextValue, qint32 GetNthRecord, QString* AuditUser = nullptr,
                  DateTime* AuditTimeStamp = nullptr, qint32* STATUS = nullptr, qint32* FORCED = nullptr);

    bool NoMatch() const { return m_noMatch; }
    // The row found by the last SeekData has no status, so no approval
    // level can be weighed against it; STATUS was left untouched.
    bool StatusIsNull() const { return m_statusIsNull; }
    qint32 GetCurrentIntervalsInDay() const { return m_intervalsPerDay; }
    qint32 GetMinutesPerInterval() const { return m_minutesPerInterval; }
    const QString& IntervalCode() const { return m_code; }
    DateTime GetSlotStartDateTime(const DateTime& sDate) const;

private:
    DateTime SlotEnd(const DateTime& slotStart) const { return slotStart.addMinutes(m_minutesPerInterval); }

    CommonGlobals& m_globals;
    qint32 m_intervalsPerDay = -1;
    QString m_code;
    qint32 m_minutesPerInterval = 0;
    bool m_noMatch = true;
    bool m_statusIsNull = false;
    std::unique_ptr<ado::Command> m_write, m_seek, m_seekNext, m_delete, m_setForced, m_seekComment, m_writeComment,
        m_deleteComment;
};
