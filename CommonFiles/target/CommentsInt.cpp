#include "CommonFiles/target/CommentsInt.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "platform/NumberedError.h"
#include "platform/ado/Command.h"

using ado::DataType;

namespace {

constexpr auto In = ado::Direction::Input;

}  // namespace

CommentsInt::CommentsInt(const CommonGlobals& globals) : m_globals(globals)
{
}

CommentsInt::~CommentsInt() = default;

void CommentsInt::Connect(ado::Connection& aCnn)
{
    m_delete = ado::Command::Procedure(
        aCnn, "deletecmts",
        {{"date", DataType::Date, In}, {"varId", DataType::Integer, In}, {"audituser", DataType::VarChar, In, 50}});
    // The procedure's fourth parameter really is spelled with a double t.
    m_write = ado::Command::Procedure(aCnn, "WRITETBL_C",
                                      {{"date", DataType::Date, In},
                                       {"varId", DataType::Integer, In},
                                       {"comment_in", DataType::VarWChar, In, 2000},
                                       {"audittuser", DataType::VarChar, In, 50}});
}

void CommentsInt::WriteData(const DateTime& DateValue, qint32 VarId, const QString& Comment)
{
    ado::Command& cmd = ado::Command::Prepared(m_write);
    cmd.Parameters("date").setValue(DateValue);
    cmd.Parameters("varId").setValue(VarId);
    cmd.Parameters("comment_in").setValue(Comment);
    cmd.Parameters("audittuser").setValue(m_globals.AuditUserName());
    cmd.Execute();
}

void CommentsInt::deletecmts(const DateTime& DateValue, qint32 VarId)
{
    ado::Command& cmd = ado::Command::Prepared(m_delete);
    cmd.Parameters("date").setValue(DateValue);
    cmd.Parameters("varId").setValue(VarId);
    cmd.Parameters("audituser").setValue(m_globals.AuditUserName());
    cmd.Execute();
}

void CommentsInt::Seekcmts(const DateTime&, qint32, QString&, QString&, DateTime&)
{
    m_noMatch = true;
}
