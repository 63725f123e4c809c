#pragma once

#include "platform/DateTime.h"

#include <QString>
#include <memory>

class CommonGlobals;

namespace ado {
class Command;
class Connection;
}  // namespace ado

// The daily comments of one facility, written and deleted through the
// facility's comment procedures. They cannot be read back through this
// class: Seekcmts always leaves NoMatch set. Database errors are raised.
class CommentsInt {
public:
    explicit CommentsInt(const CommonGlobals& globals);
    ~CommentsInt();

    void Connect(ado::Connection& aCnn);
    void WriteData(const DateTime& DateValue, qint32 VarId, const QString& Comment);
    void deletecmts(const DateTime& DateValue, qint32 VarId);
    bool NoMatch() const { return m_noMatch; }
    void Seekcmts(const DateTime& DateValue, qint32 VarId, QString& Comment, QString& AuditUser,
                  DateTime& AuditTimeStamp);

private:
    const CommonGlobals& m_globals;
    bool m_noMatch = true;
    std::unique_ptr<ado::Command> m_delete;
    std::unique_ptr<ado::Command> m_write;
};
