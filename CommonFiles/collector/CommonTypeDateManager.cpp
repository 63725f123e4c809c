#include "CommonFiles/collector/CommonTypeDateManager.h"

#include "CommonFiles/collector/CommonTypeVarRec.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/foundation/QELConfiguration.h"
#include "CommonFiles/target/VarTypeFunctions.h"
#include "platform/Conversions.h"

#include <cmath>
#include <cstdlib>

namespace Keys = ConfigurationKeyNames;

bool CommonTypeDateManager::Init(const DateTime& IntervalStart, const DateTime& IntervalEnd,
                                 std::shared_ptr<const CommonTypeVarRec> CurrentVariable, double collectorOffsetMinutes,
                                 const QELConfiguration& config)
{
    m_variable = std::move(CurrentVariable);
    m_slotIndex = 0;
    m_numberOfSlots = 0;
    const QString code = m_variable->gVarType();
    m_slotMinutes = VarTypeFunctions::SlotLengthMinutes(code);
    if (m_slotMinutes == 0)
        return false;
    const bool indirect = Conversions::ToBoolean(config.item(Keys::KorvelOrvex::kIndirectType));
    const auto align = [&](const DateTime& d) {
        return indirect ? VarTypeFunctions::SlotStartOfIndirect(d, code, collectorOffsetMinutes)
                        : VarTypeFunctions::SlotStartOf(d, code);
    };
    const DateTime first = align(IntervalStart);
    const DateTime last = align(IntervalEnd);
    const qint64 span = std::llabs(first.minutesTo(last));
    m_numberOfSlots = static_cast<qint32>(std::nearbyint(static_cast<double>(span) / m_slotMinutes));
    m_firstSlotStart = first;
    m_intervalEnd = IntervalEnd;
    if (VarTypeFunctions::IsDailyType(code)) {
        if (m_variable->gInterfaceType() == 1) {
            // The previous day's window reaches into the first day.
            m_firstSlotStart = first.addDays(-1);
            ++m_numberOfSlots;
        } else {
            const qint64 rest = last.minutesTo(IntervalEnd);
            if (m_variable->gStopTimeMinutes() < rest && m_variable->gStartTimeMinutes() < rest)
                ++m_numberOfSlots;
        }
    }
    return true;
}

bool CommonTypeDateManager::Eof() const
{
    if (m_slotIndex >= m_numberOfSlots)
        return true;
    return SlotEnd() > m_intervalEnd;
}

DateTime CommonTypeDateManager::KorvelOrvexslotDateStamp() const
{
    return m_firstSlotStart.addMinutes(static_cast<qint64>(m_slotIndex) * m_slotMinutes);
}

DateTime CommonTypeDateManager::SlotStart() const
{
    return KorvelOrvexslotDateStamp().addMinutes(m_variable->gStartTimeMinutes());
}

DateTime CommonTypeDateManager::SlotEnd() const
{
    return KorvelOrvexslotDateStamp().addMinutes(m_variable->gStopTimeMinutes());
}
