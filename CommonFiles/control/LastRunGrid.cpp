#include "CommonFiles/control/LastRunGrid.h"

#include "CommonFiles/collector/CommonLastRunReadWrite.h"
#include "CommonFiles/collector/CommonVarGatherer.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/target/TargetConnections.h"
#include "platform/Conversions.h"
#include "platform/InstallationLock.h"
#include "platform/NumberedError.h"
#include "platform/ado/Connection.h"

namespace Keys = ConfigurationKeyNames;

QList<LastRunGrid::Row> LastRunGrid::FillGrid()
{
    ado::Connection root;
    if (!TargetConnections(m_globals).ConfigureConnection(root, "QELROOT"))
        return {};
    try {
        root.Open();
        CommonLastRunReadWrite reader(m_globals.log());
        reader.setInterfaceID(Conversions::ToInt16(m_globals.config().item(Keys::KorvelOrvex::kServerInterfaceId)));
        CommonVarGatherer gatherer(m_globals);
        if (!gatherer.ReadKorvelOrvex(reader.InterfaceID(), root))
            return {};
        QList<Row> rows;
        const QMap<QString, QString>& unreadable = gatherer.UnreadableFacilities();
        const auto add = [&rows, &gatherer, &unreadable](const QString& key) {
            Row& row = rows.emplace_back();
            row.facilityId = key;
            row.facility = gatherer.FacilID2FacilNameHash.Item(key);
            row.unreadable = unreadable.value(key);
        };
        for (gatherer.MoveFirst(); !gatherer.EOF_Facility(); gatherer.MoveNext_Facility())
            if (!unreadable.contains(gatherer.Current_Facility()))
                add(gatherer.Current_Facility());
        for (auto it = unreadable.cbegin(); it != unreadable.cend(); ++it)
            add(it.key());
        for (Row& row : rows)
            ReadLastRun(row, reader, root);
        return rows;
    } catch (const NumberedError& error) {
        m_globals.msgBox().QelMsgBox("Unable to read last run dates from Korvel Orvex\r\n" + error.Text(),
                                     QELmsgBoxHandler::Exclamation);
        return {};
    }
}

void LastRunGrid::ReadLastRun(Row& row, CommonLastRunReadWrite& reader, ado::Connection& root) const
{
    DateTime lastRun;
    if (!reader.ReadLastRunInfo(row.facilityId, root, lastRun))
        return;
    row.lastRun = lastRun.generalDate();
    row.readLastRun = row.lastRun;
    row.auditUser = reader.AuditUser();
    row.workStation = reader.WorkStation();
    row.netUser = reader.NetUser();
    row.ip = reader.IP();
    row.localPath = reader.LocalPath();
}

bool LastRunGrid::PlausibleLastRun(const DateTime& date, const DateTime& now)
{
    return date >= DateTime::FromParts(1900, 1, 1) && date <= now.addDays(1);
}

bool LastRunGrid::SaveGrid(const QList<Row>& rows)
{
    if (rows.isEmpty())
        return false;
    // A running import stores its last-run dates when it ends, undoing a
    // date set meanwhile: no date is set while one runs.
    InstallationLock lock(m_globals.programFolder());
    if (!lock.TryLock()) {
        m_globals.msgBox().QelMsgBox(lock.Refusal("no last-run date was saved"), QELmsgBoxHandler::Exclamation);
        return false;
    }
    ado::Connection root;
    if (!TargetConnections(m_globals).ConfigureConnection(root, "QELROOT"))
        return false;
    try {
        root.Open();
        CommonLastRunReadWrite writer(m_globals.log());
        writer.setInterfaceID(Conversions::ToInt16(m_globals.config().item(Keys::KorvelOrvex::kServerInterfaceId)));
        bool saved = true;
        for (const Row& row : rows) {
            if (row.lastRun.isEmpty() || row.lastRun == row.readLastRun)
                continue;
            const auto date = DateTime::FromText(row.lastRun);
            saved = date && writer.SetLastRunDate(row.facilityId, *date, root) && saved;
        }
        return saved;
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("LastRunGrid.SaveGrid", error);
        return false;
    }
}
