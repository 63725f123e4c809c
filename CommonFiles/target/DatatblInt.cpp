#include "CommonFiles/target/DatatblInt.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/target/ProcedureOutputs.h"
#include "platform/NumberedError.h"
#include "platform/ado/Command.h"

using ado::DataType;
using Out = ProcedureOutputs;

namespace {

constexpr auto In = ado::Direction::Input;
constexpr auto Output = ado::Direction::Output;

}  // namespace

DatatblInt::DatatblInt(const CommonGlobals& globals) : m_globals(globals)
{
}

DatatblInt::~DatatblInt() = default;

void DatatblInt::Connect(ado::Connection& aCnn)
{
    using P = ado::Command;
    m_seek = P::Procedure(aCnn, "seekddatevarid",
                          {{"datestamp_1", DataType::Date, In},
                           {"varid_2", DataType::Integer, In},
                           {"curvalue_3", DataType::Double, Output},
                           {"textvalue_4", DataType::VarWChar, Output, 255},
                           {"varid_5", DataType::Integer, Output},
                           {"audituser", DataType::VarChar, Output, 50},
                           {"audittimestamp", DataType::Date, Output},
                           {"forced", DataType::Integer, Output},
                           {"status", DataType::Integer, Output}});
    m_delete = P::Procedure(
        aCnn, "deletedtbl",
        {{"date", DataType::Date, In}, {"varid", DataType::Integer, In}, {"audituser", DataType::VarChar, In, 50}});
    m_write = P::Procedure(aCnn, "writedtbl",
                           {{"date", DataType::Date, In},
                            {"varid", DataType::Integer, In},
                            {"value", DataType::Double, In},
                            {"textvalue", DataType::VarWChar, In, 255},
                            {"audituser", DataType::VarChar, In, 50},
                            {"status", DataType::Integer, In}});
    m_setForced = P::Procedure(aCnn, "SETFORCED",
                               {{"date", DataType::Date, In},
                                {"varid", DataType::Integer, In},
                                {"audituser", DataType::VarChar, In, 50},
                                {"forced", DataType::Integer, In}});
}

void DatatblInt::SeekDateVarId(const DateTime& DateValue, qint32 VarId, double& value, QString& TextValue,
                               QString* AuditUser, DateTime* AuditTimeStamp, qint32* FORCED, qint32* STATUS)
{
    ado::Command& cmd = ado::Command::Prepared(m_seek);
    cmd.Parameters("varid_2").setValue(VarId);
    cmd.Parameters("datestamp_1").setValue(DateValue);
    cmd.Execute();
    if (FORCED)
        *FORCED = 0;
    m_noMatch = Out::IsNull(cmd.Parameters("varid_5"));
    m_statusIsNull = false;
    if (m_noMatch)
        return;
    value = Out::NumberOrZero(cmd.Parameters("curvalue_3"));
    TextValue = Out::Text(cmd.Parameters("textvalue_4"));
    if (AuditUser)
        *AuditUser = Out::Text(cmd.Parameters("audituser"));
    if (AuditTimeStamp)
        *AuditTimeStamp = Out::DateOrZero(cmd.Parameters("audittimestamp"));
    if (FORCED)
        *FORCED = Out::Integer(cmd.Parameters("forced"));
    m_statusIsNull = !Out::IntegerIfPresent(cmd.Parameters("status"), STATUS);
}

void DatatblInt::deletedtbl(const DateTime& DateValue, qint32 VarId)
{
    ado::Command& cmd = ado::Command::Prepared(m_delete);
    cmd.Parameters("date").setValue(DateValue);
    cmd.Parameters("varid").setValue(VarId);
    cmd.Parameters("audituser").setValue(m_globals.AuditUserName());
    cmd.Execute();
}

void DatatblInt::WriteData(const DateTime& DateValue, qint32 VarId, double value, const QString& TextValue,
                           qint32 STATUS)
{
    ado::Command& cmd = ado::Command::Prepared(m_write);
    cmd.Parameters("date").setValue(DateValue);
    cmd.Parameters("varid").setValue(VarId);
    cmd.Parameters("value").setValue(value);
    cmd.Parameters("textvalue").setValue(TextValue);
    cmd.Parameters("audituser").setValue(m_globals.AuditUserName());
    cmd.Parameters("status").setValue(STATUS);
    cmd.Execute();
}

void DatatblInt::SetForced(const DateTime& DateValue, qint32 VarId, qint32 FORCED)
{
    ado::Command& cmd = ado::Command::Prepared(m_setForced);
    cmd.Parameters("date").setValue(DateValue);
    cmd.Parameters("varid").setValue(VarId);
    cmd.Parameters("audituser").setValue(m_globals.AuditUserName());
    cmd.Parameters("forced").setValue(FORCED);
    cmd.Execute();
}

void DatatblInt::SetStatus(const DateTime& DateValue, qint32 VarId, qint32 STATUS)
{
    double value = 0;
    QString text;
    QString user;
    DateTime stamp;
    qint32 forced = 0;
    qint32 storedStatus = 0;
    SeekDateVarId(DateValue, VarId, value, text, &user, &stamp, &forced, &storedStatus);
    if (!m_noMatch && storedStatus != STATUS)
        WriteData(DateValue, VarId, value, text, STATUS);
}
