#include "CommonFiles/control/PickerTimeBases.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/target/TargetConnections.h"
#include "platform/NumberedError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <QTimeZone>
#include <cmath>

PickerTimeBases::PickerTimeBases(CommonGlobals& globals, qint32 collectorZoneId, double collectorOffset,
                                 double interfaceOffset)
    : m_globals(globals),
      m_timeUtils(globals.clock(), globals.log()),
      m_collectorZoneId(collectorZoneId),
      m_collectorOffset(collectorOffset),
      m_interfaceOffset(interfaceOffset)
{
}

void PickerTimeBases::Load()
{
    ado::Connection root;
    if (!TargetConnections(m_globals).OpenRoot(root))
        return;
    m_collectorZoneName = ReadCollectorZoneName(root);
    m_timeUtils.SyncServerTime(root);
}

QString PickerTimeBases::ReadCollectorZoneName(ado::Connection& root) const
{
    try {
        ado::Recordset row;
        row.Open("SELECT TIMEZONENAME FROM QELTIMEZONE WHERE (QELTIMEZONEID = ?)", root, ado::CursorType::Static,
                 ado::LockType::ReadOnly, {m_collectorZoneId});
        return row.Eof() ? QString() : row.Fields(0).toString();
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("PickerTimeBases.ReadCollectorZoneName", error);
        return {};
    }
}

QString PickerTimeBases::InterfaceZoneName()
{
    const QString name = QTimeZone::systemTimeZone().displayName(QTimeZone::StandardTime).section(QChar(0), 0, 0);
    return name.isEmpty() ? QStringLiteral("Local") : name;
}

QString PickerTimeBases::Caption(Base base) const
{
    switch (base) {
    case Base::Utc:
        return QStringLiteral("UTC [Greenwich Mean Time]");
    case Base::Collector:
        return "Collector [" + m_collectorZoneName + "]";
    case Base::Interface:
        break;
    }
    return "Interface [" + InterfaceZoneName() + "]";
}

DateTime PickerTimeBases::Shifted(const DateTime& value, double minutes)
{
    return value.addSeconds(std::llround(minutes * 60));
}

DateTime PickerTimeBases::ToUtc(Base base, const DateTime& shown) const
{
    switch (base) {
    case Base::Utc:
        return shown;
    case Base::Collector:
        return Shifted(shown, -m_collectorOffset);
    case Base::Interface:
        break;
    }
    return m_timeUtils.LocalToUtc(shown);
}

DateTime PickerTimeBases::ReferenceMoment(Base base) const
{
    const DateTime serverNow = m_timeUtils.ServerNow();
    switch (base) {
    case Base::Utc:
        return m_timeUtils.LocalToUtc(serverNow);
    case Base::Collector:
        return Shifted(serverNow, m_collectorOffset - m_interfaceOffset);
    case Base::Interface:
        break;
    }
    return serverNow;
}
