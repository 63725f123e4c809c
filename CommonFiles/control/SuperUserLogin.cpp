#include "CommonFiles/control/SuperUserLogin.h"

#include "CommonFiles/foundation/QELLoggerTXT.h"
#include "platform/NumberedError.h"
#include "platform/ado/Recordset.h"

namespace {

const QString kInvalid = QStringLiteral("Access Denied - Invalid Username or Password");

}  // namespace

QString SuperUserLogin::Check(ado::Connection& connection, const QString& user, const QString& password,
                              QELLoggerTXT& log)
{
    if (user.isEmpty() || password.isEmpty())
        return kInvalid;
    try {
        ado::Recordset row;
        row.Open("select * from \"USER\" WHERE USERNAME=?", connection, ado::CursorType::Static,
                 ado::LockType::ReadOnly, {user.toUpper()});
        if (row.Eof() || row.Fields("Password").toString().toUpper() != password.toUpper())
            return kInvalid;
        if (row.Fields("usertype").toString() != "Super")
            return QStringLiteral("Access Denied - You need to have Super User priviledges");
        return {};
    } catch (const NumberedError& error) {
        log.WriteClearedError("SuperUserLogin.Check", error);
        return kInvalid;
    }
}
