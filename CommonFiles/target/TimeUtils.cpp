#include "CommonFiles/target/TimeUtils.h"

#include "CommonFiles/foundation/QELLoggerTXT.h"
#include "CommonFiles/target/ProcedureOutputs.h"
#include "platform/Clock.h"
#include "platform/NumberedError.h"
#include "platform/ado/Command.h"

#include <QDateTime>

DateTime TimeUtils::ServerNow() const
{
    return m_clock.now().addSeconds(m_serverOffsetSeconds);
}

bool TimeUtils::SyncServerTime(ado::Connection& rootConnection)
{
    try {
        const auto command = ado::Command::Procedure(rootConnection, "GETSERVERTIME",
                                                     {{"date_out", ado::DataType::Date, ado::Direction::Output}});
        command->Execute();  // the first call warms up the connection
        const DateTime before = m_clock.now();
        command->Execute();
        const ado::Parameter& serverTime = command->Parameters("date_out");
        if (ProcedureOutputs::IsNull(serverTime))
            return false;
        m_serverOffsetSeconds = before.secondsTo(ProcedureOutputs::DateOrZero(serverTime));
        return true;
    } catch (const NumberedError& error) {
        m_log.WriteClearedError("TimeUtils.SyncServerTime", error);
        return false;
    }
}

qint32 TimeUtils::LocalUtcOffsetSeconds()
{
    // The zone's bias with daylight saving applied when it is in force.
    return QDateTime::currentDateTime().offsetFromUtc();
}

DateTime TimeUtils::LocalToUtc(std::optional<DateTime> value) const
{
    return value.value_or(m_clock.now()).addSeconds(-LocalUtcOffsetSeconds());
}
