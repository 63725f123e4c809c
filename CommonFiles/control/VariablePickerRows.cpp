#include "CommonFiles/control/VariablePickerRows.h"

#include "CommonFiles/collector/CommonVarGatherer.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/target/LocationPath.h"
#include "CommonFiles/target/TargetConnections.h"
#include "CommonFiles/target/VarTypeFunctions.h"
#include "platform/NumberedError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <memory>

namespace {

// Decimal places the facility leaves to each value.
constexpr double kNotFixedPlaces = 9999;

QString DecPlacesText(const ado::FieldValue& places)
{
    return !places.IsNull() && places.toDouble() == kNotFixedPlaces ? QStringLiteral("Not Fixed") : places.toString();
}

}  // namespace

std::optional<QList<VariablePickerRows::Row>> VariablePickerRows::Read(const CommonVarGatherer& gatherer)
{
    QList<Row> rows;
    QString openKey;
    std::unique_ptr<ado::Connection> facility;
    try {
        // The walk keeps a facility's variables together, so each facility
        // is opened once.
        for (const auto& [key, id] : gatherer.Variables()) {
            if (key != openKey) {
                facility = TargetConnections(m_globals).OpenFacility(key);
                if (!facility)
                    return std::nullopt;
                openKey = key;
            }
            rows.append(ReadRow(*facility, key, id));
        }
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("VariablePickerRows.Read", error);
        return std::nullopt;
    }
    return rows;
}

VariablePickerRows::Row VariablePickerRows::ReadRow(ado::Connection& facility, const QString& facilityKey, qint32 id)
{
    Row row;
    row.facility = facilityKey;
    row.id = id;
    ado::Recordset details;
    details.Open("select varnum,name,vartype,units,decplaces,description,scadatag,statistic,scalefactor,LOCID "
                 "FROM VarDesc where varid=?",
                 facility, ado::CursorType::Static, ado::LockType::ReadOnly, {id});
    if (details.Eof())
        return row;
    const auto text = [&details](const char* column) { return details.Fields(column).toString(); };
    const QString varType = text("vartype");
    row.varNum = text("varnum");
    row.locPath = LocationPath(m_globals.log()).GetLocationPath(text("LOCID"), facility);
    row.name = text("name");
    row.units = text("units");
    row.trackEvery = VarTypeFunctions::IntervalName(varType);
    row.type = VarTypeFunctions::VarTypeName(varType);
    row.decPlaces = DecPlacesText(details.Fields("decplaces"));
    row.description = text("description");
    row.scadaTag = text("scadatag");
    row.stat = text("statistic");
    row.factor = text("scalefactor");
    return row;
}
