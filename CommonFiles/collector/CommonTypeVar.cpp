#include "CommonFiles/collector/CommonTypeVar.h"

#include "CommonFiles/collector/CommonVarGatherer.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/target/TargetConnections.h"
#include "platform/NumberedError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

QString CommonTypeVar::VariableKey(const QString& facilityKey, qint32 id)
{
    return (facilityKey + "~" + QString::number(id)).toUpper();
}

bool CommonTypeVar::ReadKorvelOrvex(CommonVarGatherer& myVarGatgerer)
{
    try {
        m_variableRecords = HashTable<std::shared_ptr<const CommonTypeVarRec>>();
        m_variableRecords.SetSize(qMax(1, 2 * myVarGatgerer.TotalVariable()), 2048, 1024);
        for (myVarGatgerer.MoveFirst(); !myVarGatgerer.EOF_Facility(); myVarGatgerer.MoveNext_Facility()) {
            const QString facility = myVarGatgerer.Current_Facility();
            QString failure;
            const auto connection = TargetConnections(m_globals).OpenFacility(facility, failure);
            if (!connection) {
                myVarGatgerer.MarkUnreadable(facility, failure);
                continue;
            }
            for (; !myVarGatgerer.EOF_Variable(); myVarGatgerer.MoveNext_Variable())
                ExpandVaridToRecord(facility, myVarGatgerer.Current_Variable(), *connection);
        }
        return true;
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("CommonTypeVar.ReadKorvelOrvex", error);
        return false;
    }
}

void CommonTypeVar::ExpandVaridToRecord(const QString& facilityKey, qint32 id, ado::Connection& connection)
{
    const QString key = VariableKey(facilityKey, id);
    if (m_variableRecords.Exists(key))
        return;
    try {
        ado::Recordset row;
        row.Open("select varid,varnum,name,vartype,units,decplaces,description,scadatag,statistic,scalefactor,"
                 "SOURCE_CNN_APPROVAL,DEADBAND,FILTERTAG,FILTEROP,FILTERVAL,HIGHRANGE,INTERFACETYPE,LOWRANGE,"
                 "STARTTIME,STOPTIME from vardesc where varid=?",
                 connection, ado::CursorType::Static, ado::LockType::ReadOnly, {id});
        if (row.Eof())
            return;
        const auto field = [&row](const char* name) { return row.Fields(name).variant(); };
        // The type and the interface type come before the window times,
        // whose setters depend on them.
        auto record = std::make_shared<CommonTypeVarRec>();
        record->setVarType(field("vartype"));
        record->setId(id);
        record->setDataApproval(field("SOURCE_CNN_APPROVAL"));
        record->setDeadBand(field("DEADBAND"));
        record->setDecPlaces(field("decplaces"));
        record->setDesc(field("description"));
        record->setFacilID(facilityKey);
        record->setFilterOperand(field("FILTEROP"));
        record->setFilterTag(field("FILTERTAG"));
        record->setFilterValue(field("FILTERVAL"));
        record->setHighRangeFilter(field("HIGHRANGE"));
        record->setInterfaceType(field("INTERFACETYPE"));
        record->setLowRangeFilter(field("LOWRANGE"));
        record->setName(field("name"));
        record->setNumber(field("varnum"));
        record->setScadaFactor(field("scalefactor"));
        record->setScadaStat(field("statistic"));
        record->setScadaTag(field("scadatag"));
        record->setStartTime(field("STARTTIME"));
        record->setStopTime(field("STOPTIME"));
        record->setUnits(field("units"));
        m_variableRecords.Add(key, record);
    } catch (const NumberedError& error) {
        m_globals.WriteActivity("Error in Sub ExpandVaridToRecord(VarId = " + QString::number(id) + "): Error " +
                                    QString::number(error.number()) + "  " + error.description(),
                                0);
    }
}

std::shared_ptr<const CommonTypeVarRec> CommonTypeVar::GetVarRecord(const QString& facilID, qint32 VarId) const
{
    try {
        const QString key = VariableKey(facilID, VarId);
        return m_variableRecords.Exists(key) ? m_variableRecords.Item(key) : nullptr;
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("CommonTypeVar.GetVarRecord", error);
        return nullptr;
    }
}
