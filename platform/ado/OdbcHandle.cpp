#include "platform/ado/OdbcHandle.h"

#include "platform/NumberedError.h"
#include "platform/ado/ErrorText.h"

#include <QStringList>
#include <sqlucode.h>

namespace ado {

OdbcHandle::OdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : m_type(type)
{
    if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent, &m_handle))) {
        m_handle = SQL_NULL_HANDLE;
        throw NumberedError(kUnspecifiedFailure, QStringLiteral("SQLAllocHandle failed"));
    }
}

OdbcHandle::~OdbcHandle()
{
    if (m_handle != SQL_NULL_HANDLE)
        SQLFreeHandle(m_type, m_handle);
}

void OdbcHandle::Check(SQLRETURN result, const char* call) const
{
    if (SQL_SUCCEEDED(result) || result == SQL_NO_DATA)
        return;
    QStringList texts;
    SQLINTEGER firstNative = 0;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[6] = {};
        SQLWCHAR text[1024] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        if (!SQL_SUCCEEDED(SQLGetDiagRecW(m_type, m_handle, record, state, &native, text, 1024, &length)))
            break;
        if (record == 1)
            firstNative = native;
        texts << "[" + QString::fromUtf16(reinterpret_cast<const char16_t*>(state), 5) + "] " +
                QString::fromUtf16(reinterpret_cast<const char16_t*>(text), qMin<SQLSMALLINT>(length, 1023)).trimmed();
    }
    const QString description = texts.isEmpty() ? QString::fromLatin1(call) + " failed" : texts.join(' ');
    throw NumberedError(firstNative != 0 ? firstNative : kUnspecifiedFailure, description);
}

}  // namespace ado
