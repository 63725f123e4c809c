#include "CommonFiles/target/LocationPath.h"

#include "CommonFiles/foundation/QELLoggerTXT.h"
#include "platform/NumberedError.h"
#include "platform/ado/Recordset.h"

namespace {

// A location tree deeper than this is taken to loop back on itself.
constexpr int kLocationDepthLimit = 256;

// A numeric id is compared as a number, so that the database needs no
// conversion of its own.
QVariant LocationKey(const QString& id)
{
    bool numeric = false;
    const qint64 value = id.toLongLong(&numeric);
    return numeric ? QVariant(value) : QVariant(id);
}

}  // namespace

QString LocationPath::GetLocationPath(const QString& locationId, ado::Connection& connection)
{
    QString id = locationId.trimmed();
    if (id.isEmpty() || id == "0" || id == "-1")
        return {};
    QString path;
    try {
        // Each step names its parent; the walk ends at a location without one.
        for (int depth = 0; depth < kLocationDepthLimit && !id.isEmpty(); ++depth) {
            ado::Recordset row;
            row.Open("Select LOCATION,LOCID,PARENTID FROM LOCATION WHERE LOCID=?", connection, ado::CursorType::Static,
                     ado::LockType::ReadOnly, {LocationKey(id)});
            if (row.Eof())
                break;
            path.prepend(row.Fields("LOCATION").toString() + "\\");
            id = row.Fields("PARENTID").IsNull() ? QString() : row.Fields("PARENTID").toString().trimmed();
        }
    } catch (const NumberedError& error) {
        m_log.WriteLog("Error found in Util.GetLocationPath. Error: " + QString::number(error.number()) + "\r\n" +
                           error.description(),
                       0);
        return {};
    }
    if (!path.isEmpty())
        path.chop(1);
    return path;
}
