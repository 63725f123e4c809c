#pragma once

#include "platform/DateTime.h"

#include <QString>
#include <memory>

class CommonGlobals;

namespace ado {
class Command;
class Connection;
}  // namespace ado

// The daily values of one facility (DATATBL), reached only through the
// facility's daily procedures. Database errors are raised to the caller;
// a seek that finds nothing sets NoMatch and leaves the caller's variables
// untouched (but FORCED, which always resets to 0).
class DatatblInt {
public:
    explicit DatatblInt(const CommonGlobals& globals);
    ~DatatblInt();

    void Connect(ado::Connection& aCnn);
    void SeekDateVarId(const DateTime& DateValue, qint32 VarId, double& value, QString& TextValue,
                       QString* AuditUser = nullptr, DateTime* AuditTimeStamp = nullptr, qint32* FORCED = nullptr,
                       qint32* STATUS = nullptr);
    void deletedtbl(const DateTime& DateValue, qint32 VarId);
    void WriteData(const DateTime& DateValue, qint32 VarId, double value, const QString& TextValue, qint32 STATUS);
    void SetForced(const DateTime& DateValue, qint32 VarId, qint32 FORCED);
    void SetStatus(const DateTime& DateValue, qint32 VarId, qint32 STATUS);
    bool NoMatch() const { return m_noMatch; }
    // The row found by the last seek has no status, so no approval level
    // can be weighed against it; STATUS was left untouched.
    bool StatusIsNull() const { return m_statusIsNull; }

private:
    const CommonGlobals& m_globals;
    bool m_noMatch = true;
    bool m_statusIsNull = false;
    std::unique_ptr<ado::Command> m_seek, m_delete, m_write, m_setForced;
};
