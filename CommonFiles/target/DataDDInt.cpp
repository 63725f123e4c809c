#include "CommonFiles/target/DataDDInt.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/target/ProcedureOutputs.h"
#include "platform/NumberedError.h"
#include "platform/ado/Command.h"
#include "platform/ado/FieldValue.h"

#include <cmath>

using ado::DataType;
using ado::Direction;
using Out = ProcedureOutputs;

namespace {

constexpr auto In = Direction::Input;
constexpr auto Output = Direction::Output;

QString IntervalCodeOf(qint32 intervalsPerDay)
{
    switch (intervalsPerDay) {
    case 96:
        return "F";
    case 1440:
        return "1";
    case 288:
        return "5";
    case 48:
        return "3";
    case 6:
        return "4";
    default:
        return "H";
    }
}

}  // namespace

DataDDInt::DataDDInt(CommonGlobals& globals) : m_globals(globals)
{
}

DataDDInt::~DataDDInt() = default;

void DataDDInt::ConnectTo(ado::Connection& aCnn, qint32 IntervalsInDay)
{
    if (IntervalsInDay == 0)
        throw NumberedError(11, "Division by zero");
    m_intervalsPerDay = IntervalsInDay;
    m_code = IntervalCodeOf(IntervalsInDay);
    m_minutesPerInterval = static_cast<qint32>(std::nearbyint(1440.0 / IntervalsInDay));
    const QString c = m_code;
    using P = ado::Command;
    m_write = P::Procedure(aCnn, "WRITEDD" + c,
                           {{"date", DataType::Date, In},
                            {"varid", DataType::Integer, In},
                            {"value", DataType::Double, In},
                            {"textvalue", DataType::VarWChar, In, 255},
                            {"audituser", DataType::VarChar, In, 50},
                            {"slotstarttime", DataType::Date, In},
                            {"slotendtime", DataType::Date, In},
                            {"status", DataType::Integer, In}});
    m_seek = P::Procedure(aCnn, "SEEKFDD" + c,
                          {{"datestamp_1", DataType::Date, In},
                           {"varid_2", DataType::Integer, In},
                           {"curvalue_3", DataType::Double, Output},
                           {"textvalue_4", DataType::VarWChar, Output, 255},
                           {"varid_5", DataType::Integer, Output},
                           {"audituser", DataType::VarChar, Output, 50},
                           {"audittimestamp", DataType::Date, Output},
                           {"datestamp_out", DataType::Date, Output},
                           {"slotstarttime", DataType::Date, In},
                           {"slotendtime", DataType::Date, In},
                           {"status", DataType::Integer, Output},
                           {"forced", DataType::Integer, Output}});
    m_seekNext = P::Procedure(aCnn, "SEEKNEXTDD" + c,
                              {{"varid_in", DataType::Integer, In},
                               {"slotstart_in", DataType::Date, In},
                               {"slotend_in", DataType::Date, In},
                               {"topnum_in", DataType::Integer, In},
                               {"varid_out", DataType::Integer, Output},
                               {"datestamp_out", DataType::Date, Output},
                               {"curvalue_out", DataType::Double, Output},
                               {"textvalue_out", DataType::VarWChar, Output, 255},
                               {"audituser_out", DataType::VarChar, Output, 50},
                               {"audittimestamp_out", DataType::Date, Output},
                               {"status_out", DataType::Integer, Output},
                               {"forced_out", DataType::Integer, Output}});
    m_delete = P::Procedure(aCnn, "DELETEDD" + c,
                            {{"slotstarttime", DataType::Date, In},
                             {"varid", DataType::Integer, In},
                             {"audituser", DataType::VarChar, In, 50},
                             {"slotendtime", DataType::Date, In}});
    m_setForced = P::Procedure(aCnn, "SETFDD" + c,
                               {{"slotstarttime", DataType::Date, In},
                                {"slotendtime", DataType::Date, In},
                                {"varid", DataType::Integer, In},
                                {"audituser", DataType::VarChar, In, 50},
                                {"forced", DataType::Integer, In}});
    m_seekComment = P::Procedure(aCnn, "SEEKDD" + c + "_C",
                                 {{"varid_in", DataType::Integer, In},
                                  {"comment_out", DataType::VarWChar, Output, 2000},
                                  {"audituser", DataType::VarChar, Output, 50},
                                  {"audittimestamp", DataType::Date, Output},
                                  {"slotstarttime", DataType::Date, In},
                                  {"slotendtime", DataType::Date, In}});
    m_writeComment = P::Procedure(aCnn, "WRITEDD" + c + "_C",
                                  {{"datestamp_1", DataType::Date, In},
                                   {"varid_2", DataType::Integer, In},
                                   {"comment_in", DataType::VarWChar, In, 2000},
                                   {"audituser", DataType::VarChar, In, 50},
                                   {"slotstarttime", DataType::Date, In},
                                   {"slotendtime", DataType::Date, In}});
    m_deleteComment = P::Procedure(aCnn, "DELETEDD" + c + "_C",
                                   {{"slotstarttime", DataType::Date, In},
                                    {"varid_2", DataType::Integer, In},
                                    {"slotendtime", DataType::Date, In},
                                    {"audituser", DataType::VarChar, In, 50}});
}

void DataDDInt::WriteComment(const DateTime& SlotStartDatetime, const DateTime& NewDateTime, qint32 VarId,
                             const QString& Comment)
{
    ado::Command& cmd = ado::Command::Prepared(m_writeComment);
    cmd.Parameters("datestamp_1").setValue(NewDateTime);
    cmd.Parameters("varid_2").setValue(VarId);
    cmd.Parameters("comment_in").setValue(Comment);
    cmd.Parameters("audituser").setValue(m_globals.AuditUserName());
    cmd.Parameters("slotstarttime").setValue(SlotStartDatetime);
    cmd.Parameters("slotendtime").setValue(SlotEnd(SlotStartDatetime));
    cmd.Execute();
}

void DataDDInt::DeleteComment(const DateTime& SlotStartDatetime, qint32 VarId)
{
    ado::Command& cmd = ado::Command::Prepared(m_deleteComment);
    cmd.Parameters("slotstarttime").setValue(SlotStartDatetime);
    cmd.Parameters("varid_2").setValue(VarId);
    cmd.Parameters("slotendtime").setValue(SlotEnd(SlotStartDatetime));
    cmd.Parameters("audituser").setValue(m_globals.AuditUserName());
    cmd.Execute();
}

void DataDDInt::SeekComment(const DateTime& SlotStartDatetime, qint32 VarId, QString& comment_out, QString* AuditUser,
                            DateTime* AuditTimeStamp)
{
    ado::Command& cmd = ado::Command::Prepared(m_seekComment);
    cmd.Parameters("varid_in").setValue(VarId);
    cmd.Parameters("slotstarttime").setValue(SlotStartDatetime);
    cmd.Parameters("slotendtime").setValue(SlotEnd(SlotStartDatetime));
    cmd.Execute();
    const QString comment = ado::FieldValue(cmd.Parameters("comment_out").Value()).toString();
    m_noMatch = comment.isEmpty();
    if (m_noMatch)
        return;
    comment_out = comment;
    if (AuditUser)
        *AuditUser = ado::FieldValue(cmd.Parameters("audituser").Value()).toString();
    if (AuditTimeStamp)
        *AuditTimeStamp = Out::DateOrZero(cmd.Parameters("audittimestamp"));
}

void DataDDInt::SeekData(const DateTime& SlotStartDatetime, qint32 VarId, DateTime& DateOut, double& value,
                         QString& TextValue, QString* AuditUser, DateTime* AuditTimeStamp, qint32* STATUS,
                         qint32* FORCED)
{
    ado::Command& cmd = ado::Command::Prepared(m_seek);
    cmd.Parameters("varid_2").setValue(VarId);
    cmd.Parameters("datestamp_1").setValue(SlotStartDatetime);
    cmd.Parameters("slotstarttime").setValue(SlotStartDatetime);
    cmd.Parameters("slotendtime").setValue(SlotEnd(SlotStartDatetime));
    cmd.Execute();
    m_noMatch = Out::IsNull(cmd.Parameters("varid_5"));
    m_statusIsNull = false;
    if (m_noMatch)
        return;
    value = Out::NumberOrZero(cmd.Parameters("curvalue_3"));
    DateOut = Out::DateOrZero(cmd.Parameters("datestamp_out"));
    TextValue = Out::Text(cmd.Parameters("textvalue_4"));
    if (AuditUser)
        *AuditUser = Out::Text(cmd.Parameters("audituser"));
    if (AuditTimeStamp)
        *AuditTimeStamp = Out::DateOrZero(cmd.Parameters("audittimestamp"));
    m_statusIsNull = !Out::IntegerIfPresent(cmd.Parameters("status"), STATUS);
    if (FORCED)
        *FORCED = Out::Integer(cmd.Parameters("forced"));
}

void DataDDInt::DeleteData(const DateTime& SlotStartDatetime, qint32 VarId)
{
    ado::Command& cmd = ado::Command::Prepared(m_delete);
    cmd.Parameters("slotstarttime").setValue(SlotStartDatetime);
    cmd.Parameters("varid").setValue(VarId);
    cmd.Parameters("audituser").setValue(m_globals.AuditUserName());
    cmd.Parameters("slotendtime").setValue(SlotEnd(SlotStartDatetime));
    cmd.Execute();
}

void DataDDInt::WriteData(const DateTime& SlotStartDatetime, const DateTime& NewDateTime, qint32 VarId, double value,
                          const QString& TextValue, qint32 STATUS)
{
    ado::Command& cmd = ado::Command::Prepared(m_write);
    cmd.Parameters("date").setValue(NewDateTime);
    cmd.Parameters("varid").setValue(VarId);
    cmd.Parameters("value").setValue(value);
    cmd.Parameters("textvalue").setValue(TextValue);
    cmd.Parameters("audituser").setValue(m_globals.AuditUserName());
    cmd.Parameters("slotstarttime").setValue(SlotStartDatetime);
    cmd.Parameters("slotendtime").setValue(SlotEnd(SlotStartDatetime));
    cmd.Parameters("status").setValue(STATUS);
    cmd.Execute();
}

void DataDDInt::SetStatus(const DateTime& DateTimeStamp, qint32 VarId, qint32 STATUS)
{
    try {
        const DateTime slotStart = GetSlotStartDateTime(DateTimeStamp);
        DateTime found;
        double value = 0;
        QString text;
        QString user;
        DateTime stamp;
        qint32 storedStatus = 0;
        qint32 forced = 0;
        SeekData(slotStart, VarId, found, value, text, &user, &stamp, &storedStatus, &forced);
        if (!m_noMatch && storedStatus != STATUS)
            WriteData(slotStart, found, VarId, value, text, STATUS);
    } catch (const NumberedError& error) {
        // A status change that cannot be made leaves the row as it was.
        m_globals.log().WriteClearedError("DataDDInt.SetStatus", error);
    }
}

void DataDDInt::SetForced(const DateTime& DateTimeStamp, qint32 VarId, qint32 FORCED)
{
    ado::Command& cmd = ado::Command::Prepared(m_setForced);
    const DateTime slotStart = GetSlotStartDateTime(DateTimeStamp);
    cmd.Parameters("slotstarttime").setValue(slotStart);
    cmd.Parameters("slotendtime").setValue(SlotEnd(slotStart));
    cmd.Parameters("varid").setValue(VarId);
    cmd.Parameters("audituser").setValue(m_globals.AuditUserName());
    cmd.Parameters("forced").setValue(FORCED);
    cmd.Execute();
}

void DataDDInt::SeekNext(const DateTime& SlotStartDatetime, const DateTime& SlotEndDatetime, qint32 VarId,
                         DateTime& DateOut, double& value, QString& TextValue, qint32 GetNthRecord, QString* AuditUser,
                         DateTime* AuditTimeStamp, qint32* STATUS, qint32* FORCED)
{
    ado::Command& cmd = ado::Command::Prepared(m_seekNext);
    cmd.Parameters("varid_in").setValue(VarId);
    cmd.Parameters("slotstart_in").setValue(SlotStartDatetime);
    cmd.Parameters("slotend_in").setValue(SlotEndDatetime);
    cmd.Parameters("topnum_in").setValue(qMax(1, GetNthRecord));
    cmd.Execute();
    m_noMatch = Out::IsNull(cmd.Parameters("varid_out"));
    if (m_noMatch)
        return;
    value = Out::NumberOrZero(cmd.Parameters("curvalue_out"));
    DateOut = Out::DateOrZero(cmd.Parameters("datestamp_out"));
    TextValue = Out::Text(cmd.Parameters("textvalue_out"));
    if (AuditUser)
        *AuditUser = Out::Text(cmd.Parameters("audituser_out"));
    if (AuditTimeStamp)
        *AuditTimeStamp = Out::DateOrZero(cmd.Parameters("audittimestamp_out"));
    if (STATUS)
        *STATUS = Out::Integer(cmd.Parameters("status_out"));
    if (FORCED)
        *FORCED = Out::Integer(cmd.Parameters("forced_out"));
}

DateTime DataDDInt::GetSlotStartDateTime(const DateTime& sDate) const
{
    // A time a hair below midnight shows as the next day, and belongs to it.
    const DateTime wholeDay(std::trunc(sDate.days()));
    const DateTime moment = sDate.day() != wholeDay.day() ? sDate.addSeconds(1) : sDate;
    const DateTime day(std::trunc(moment.days()));
    const int h = moment.hour();
    const int m = moment.minute();
    switch (m_intervalsPerDay) {
    case 6:
        return day.addMinutes((h / 4) * 240);
    case 24:
        return day.addMinutes(h * 60);
    case 48:
        return day.addMinutes(h * 60 + (m / 30) * 30);
    case 96:
        return day.addMinutes(h * 60 + (m / 15) * 15);
    case 288:
        return day.addMinutes(h * 60 + (m / 5) * 5);
    case 1440:
        return day.addMinutes(h * 60 + m);
    default:
        return day;
    }
}
