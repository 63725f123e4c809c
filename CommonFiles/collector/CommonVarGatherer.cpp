#include "CommonFiles/collector/CommonVarGatherer.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/target/TargetConnections.h"
#include "platform/Conversions.h"
#include "platform/NumberedError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/ErrorText.h"
#include "platform/ado/Recordset.h"

#include <QDateTime>

namespace Keys = ConfigurationKeyNames;

CommonVarGatherer::CommonVarGatherer(CommonGlobals& globals) : LookupLastRun(globals), m_globals(globals)
{
}

bool CommonVarGatherer::ReadAboutCollector(qint32 interface_id, ado::Connection& aRootCNN)
{
    try {
        ado::Recordset row;
        row.Open("Select audituser, audittimestamp, name,description,enabled,override_audituser,"
                 "collector_dateadjust, collector_qeltimezoneid from k5_server where interface_id=?",
                 aRootCNN, ado::CursorType::Static, ado::LockType::ReadOnly, {interface_id});
        if (row.Eof())
            return false;
        m_collectorName = row.Fields("name").toString().trimmed();
        m_collectorDescription = row.Fields("description").toString().trimmed();
        if (row.Fields("enabled").IsNull())
            throw ado::kInvalidUseOfNull.error();
        m_collectorEnabled = Conversions::ToBoolean(row.Fields("enabled").toString());
        m_collectorWriteAsUser = row.Fields("override_audituser").toString().trimmed();
        m_collectorChangedAuditUser = row.Fields("audituser").toString().trimmed();
        m_collectorChangedTimeStamp = row.Fields("audittimestamp").toDateTime().value_or(DateTime::Zero());
        m_collectorId = interface_id;
        m_collectorTimeZoneId = row.Fields("collector_qeltimezoneid").toInt();
        m_collectorTimeZoneOffset = ReadTimeZoneOffset(m_collectorTimeZoneId, aRootCNN);
        m_collectorDateAdjust = row.Fields("collector_dateadjust").toDouble();
        return true;
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("CommonVarGatherer.ReadAboutCollector", error);
        return false;
    }
}

qint32 CommonVarGatherer::LocalTimeZoneOffset()
{
    return QDateTime::currentDateTime().offsetFromUtc() / 60;
}

double CommonVarGatherer::ReadTimeZoneOffset(qint32 timeZoneId, ado::Connection& root)
{
    const DateTime now = m_globals.clock().now();
    m_interfaceTimezoneOffset = LocalTimeZoneOffset();
    try {
        ado::Recordset row;
        row.Open("select bias_standard, bias_daylight , start_standard, start_daylight from qeltimezone_bias "
                 "where qeltimezoneid = ? and yearid=?",
                 root, ado::CursorType::Static, ado::LockType::ReadOnly, {timeZoneId, now.year()});
        if (row.Eof())
            return 0;
        const auto daylightStart = row.Fields("start_daylight").toDateTime();
        double bias = row.Fields("bias_standard").toDouble();
        if (daylightStart) {
            const auto standardStart = row.Fields("start_standard").toDateTime();
            if (now >= *daylightStart && standardStart && now < *standardStart)
                bias = row.Fields("bias_daylight").toDouble();
        }
        return -bias;
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("CommonVarGatherer.ReadTimeZoneOffset", error);
        return 0;
    }
}

bool CommonVarGatherer::ReadKorvelOrvex(qint32 interface_id, ado::Connection& aRootCNN)
{
    FacilID2FacilNameHash = HashTable<QString>();
    m_unreadableFacilities.clear();
    try {
        const QString limit = m_globals.config().item(Keys::NoUi::kLimitFacility);
        ado::Recordset rows;
        if (!limit.isEmpty()) {
            m_globals.log().WriteLog("Limiting gathering variables to facility: " + limit.toUpper(), 1);
            rows.Open("Select upper(filename),name from Facility where upper(filename) = ? order by upper(filename)",
                      aRootCNN, ado::CursorType::Static, ado::LockType::ReadOnly, {limit.toUpper()});
        } else {
            rows.Open("Select upper(filename),name from Facility order by upper(filename)", aRootCNN);
        }
        for (; !rows.Eof(); rows.MoveNext()) {
            const QString key = rows.Fields(0).toString().trimmed().toUpper();
            if (TargetConnections(m_globals).RefusesFacilityKey(key))
                continue;
            GatherFacilityVariables(key, interface_id);
            FacilID2FacilNameHash.Add(key, rows.Fields(1).toString());
        }
        m_collectorId = interface_id;
        return true;
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("CommonVarGatherer.ReadKorvelOrvex", error);
        return false;
    }
}

void CommonVarGatherer::GatherFacilityVariables(const QString& facilityKey, qint32 interfaceId)
{
    QString failure;
    const auto facility = TargetConnections(m_globals).OpenFacility(facilityKey, failure);
    if (!facility) {
        MarkUnreadable(facilityKey, failure);
        return;
    }
    try {
        ado::Recordset rows;
        rows.Open("Select Varid from Vardesc where K5_Interface_ID = ? and K5_Enabled = -1 order by varid", *facility,
                  ado::CursorType::Static, ado::LockType::ReadOnly, {interfaceId});
        for (; !rows.Eof(); rows.MoveNext())
            ADHOCAddVariable(facilityKey, rows.Fields(0).toInt());
    } catch (const NumberedError& error) {
        MarkUnreadable(facilityKey, error.Text());
    }
}

void CommonVarGatherer::MarkUnreadable(const QString& facilityKey, const QString& reason)
{
    // The facility keeps its last-run date and is imported by a later run;
    // the operator must learn that this run left it out.
    m_unreadableFacilities.insert(facilityKey, reason);
    m_globals.WriteActivity(
        "Facility '" + facilityKey +
            "' cannot be read; its variables are not imported and the import does not succeed: " + reason,
        0);
}

bool CommonVarGatherer::ListHasVariable(qint32 id, const QString& list)
{
    return QString(list + ",").contains("," + QString::number(id) + ",");
}

bool CommonVarGatherer::HasVariable(const QString& facilID, qint32 VarId) const
{
    const QString key = facilID.toUpper();
    return m_facilityVariables.Exists(key) && ListHasVariable(VarId, m_facilityVariables.Item(key));
}

bool CommonVarGatherer::ADHOCAddVariable(const QString& facilID, qint32 VarId)
{
    try {
        const QString key = facilID.toUpper();
        if (m_facilityVariables.Exists(key)) {
            const QString list = m_facilityVariables.Item(key);
            if (ListHasVariable(VarId, list))
                return true;
            m_facilityVariables.setItem(key, list + "," + QString::number(VarId));
        } else {
            m_facilityVariables.Add(key, "," + QString::number(VarId));
        }
        ++m_totalVariable;
        return true;
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("CommonVarGatherer.ADHOCAddVariable", error);
        return false;
    }
}

void CommonVarGatherer::Clear()
{
    m_facilityVariables.RemoveAll();
    m_totalVariable = 0;
    m_unreadableFacilities.clear();
}

void CommonVarGatherer::MoveFirst()
{
    m_facilityIndex = -1;
    m_variableIndex = -1;
    if (m_totalVariable == 0)
        return;
    // The walk follows the table's own key order, not the query's.
    m_facilityKeys = m_facilityVariables.Keys();
    m_facilityIndex = 0;
    LoadFacilityIds();
}

void CommonVarGatherer::LoadFacilityIds()
{
    m_currentVariableIds = FacilityIds(m_facilityKeys[m_facilityIndex]);
    m_variableIndex = 0;
}

QStringList CommonVarGatherer::FacilityIds(const QString& facilityKey) const
{
    return m_facilityVariables.Item(facilityKey).mid(1).split(',');
}

bool CommonVarGatherer::EOF_Facility() const
{
    return m_facilityIndex == -1 || m_facilityIndex >= m_facilityKeys.size();
}

bool CommonVarGatherer::EOF_Variable() const
{
    return m_variableIndex == -1 || m_variableIndex >= m_currentVariableIds.size();
}

void CommonVarGatherer::MoveNext_Facility()
{
    if (m_facilityIndex == -1)
        return;
    ++m_facilityIndex;
    if (!EOF_Facility())
        LoadFacilityIds();
}

void CommonVarGatherer::MoveNext_Variable()
{
    if (m_variableIndex != -1)
        ++m_variableIndex;
}

QString CommonVarGatherer::Current_Facility() const
{
    return m_facilityKeys.value(m_facilityIndex).toUpper();
}

qint32 CommonVarGatherer::Current_Variable() const
{
    return Conversions::ToInt32(m_currentVariableIds.value(m_variableIndex));
}

QList<QPair<QString, qint32>> CommonVarGatherer::Variables() const
{
    QList<QPair<QString, qint32>> variables;
    const QStringList keys = m_facilityVariables.Keys();
    for (const QString& key : keys) {
        const QStringList ids = FacilityIds(key);
        for (const QString& id : ids)
            variables.append({key.toUpper(), Conversions::ToInt32(id)});
    }
    return variables;
}

void CommonVarGatherer::CopyCollectorInfo(const CommonVarGatherer& other)
{
    m_collectorName = other.m_collectorName;
    m_collectorDescription = other.m_collectorDescription;
    m_collectorEnabled = other.m_collectorEnabled;
    m_collectorWriteAsUser = other.m_collectorWriteAsUser;
    m_collectorChangedAuditUser = other.m_collectorChangedAuditUser;
    m_collectorChangedTimeStamp = other.m_collectorChangedTimeStamp;
    m_collectorId = other.m_collectorId;
    m_collectorTimeZoneId = other.m_collectorTimeZoneId;
    m_collectorTimeZoneOffset = other.m_collectorTimeZoneOffset;
    m_collectorDateAdjust = other.m_collectorDateAdjust;
    m_interfaceTimezoneOffset = other.m_interfaceTimezoneOffset;
}
