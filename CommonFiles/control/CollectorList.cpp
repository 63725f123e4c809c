#include "CommonFiles/control/CollectorList.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/target/TargetConnections.h"
#include "platform/Conversions.h"
#include "platform/NumberedError.h"
#include "platform/VersionRecord.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

namespace Keys = ConfigurationKeyNames;

std::optional<QList<CollectorList::Entry>> CollectorList::Read()
{
    ado::Connection root;
    if (!TargetConnections(m_globals).OpenRoot(root, true))
        return std::nullopt;
    try {
        return Read(root);
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("CollectorList.Read", error);
        return std::nullopt;
    }
}

QList<CollectorList::Entry> CollectorList::Read(ado::Connection& root)
{
    ado::Recordset rows;
    rows.Open("select interface_id, name, lu_version from k5_server where lu_id=? order by lower(name)", root,
              ado::CursorType::Static, ado::LockType::ReadOnly, {Conversions::ToInt32(VersionRecord::ProductName())});
    QList<Entry> entries;
    for (; !rows.Eof(); rows.MoveNext())
        entries.append({rows.Fields(0).toInt(), rows.Fields(1).toString(), rows.Fields(2).toString()});
    return entries;
}

int CollectorList::StoredIndex(const QList<Entry>& entries) const
{
    const QString stored = m_globals.config().item(Keys::KorvelOrvex::kServerInterfaceId).trimmed();
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (QString::number(entries[i].interfaceId) == stored)
            return static_cast<int>(i);
    return -1;
}

bool CollectorList::Designate(const QList<Entry>& entries, qsizetype index)
{
    if (index < 0 || index >= entries.size())
        return false;
    const Entry& entry = entries[index];
    m_globals.config().setItem(Keys::KorvelOrvex::kServerInterfaceId, QString::number(entry.interfaceId));
    m_globals.WriteActivity("This Collector is now designated as : " + entry.name, 0);
    return true;
}
