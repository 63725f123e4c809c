#include "bench/ProtocolFloor.h"

#include "CommonFiles/target/DataDDInt.h"
#include "CommonFiles/target/TargetConnections.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <QElapsedTimer>

namespace {

constexpr qint32 kHoursPerDay = 24;
constexpr qint32 kStatus = 1;

// What a seek hands back; read by nobody.
struct Seen {
    DateTime date;
    double value = 0;
    QString text;
    QString user;
    DateTime audited;
    qint32 status = 0;
};

}  // namespace

qint64 ProtocolFloor::Measure(CommonGlobals& globals, const QString& facility, qint32 varId, int slotCount,
                              const DateTime& first)
{
    ado::Connection connection;
    TargetConnections(globals).ConfigureConnection(connection, facility);
    connection.Open();
    DataDDInt access(globals);
    access.ConnectTo(connection, kHoursPerDay);
    Seen seen;
    QElapsedTimer timer;
    timer.start();
    for (int slot = 0; slot < slotCount; ++slot) {
        const DateTime start = first.addMinutes(60LL * slot);
        ado::Recordset alive;
        alive.Open("select count(id) from approvalini", connection);
        alive.Fields(0).toInt();
        access.SeekData(start, varId, seen.date, seen.value, seen.text, &seen.user, &seen.audited, &seen.status);
        access.WriteData(start, start, varId, slot + 0.25, QString::number(slot + 0.25), kStatus);
    }
    return timer.nsecsElapsed();
}
