#include "CommonFiles/control/AdditionalInfoFields.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/target/AdditionalInfoColumns.h"
#include "CommonFiles/target/TargetConnections.h"
#include "platform/NumberedError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <algorithm>

std::optional<QList<AdditionalInfoFields::Field>> AdditionalInfoFields::Read()
{
    ado::Connection root;
    if (!TargetConnections(m_globals).OpenRoot(root, true))
        return std::nullopt;
    QList<Field> fields;
    try {
        ado::Recordset rows;
        rows.Open("select upper(filename) from Facility order by upper(filename)", root, ado::CursorType::Static,
                  ado::LockType::ReadOnly);
        QStringList keys;
        for (; !rows.Eof(); rows.MoveNext())
            keys << rows.Fields(0).toString();
        root.Close();
        for (const QString& key : keys)
            AddColumnsOf(key, fields);
    } catch (const NumberedError& error) {
        m_globals.log().WriteClearedError("AdditionalInfoFields.Read", error);
    }
    if (fields.isEmpty()) {
        m_globals.msgBox().QelMsgBox(
            QStringLiteral("Failed to read Korvel Orvex list of available additional info fields."),
            QELmsgBoxHandler::Exclamation);
        return std::nullopt;
    }
    std::sort(fields.begin(), fields.end(), [](const Field& a, const Field& b) { return a.name < b.name; });
    return fields;
}

// A column that several facilities have is offered once, as the first
// facility declares it.
void AdditionalInfoFields::AddColumnsOf(const QString& facilityKey, QList<Field>& fields)
{
    const auto facility = TargetConnections(m_globals).OpenFacility(facilityKey);
    HashTable<QString> columns;
    if (!facility ||
        !AdditionalInfoColumns::Read(*facility, static_cast<qint16>(m_globals.targetDbType()), columns,
                                     m_globals.log()))
        return;
    for (const QString& name : columns.Keys()) {
        if (std::any_of(fields.begin(), fields.end(), [&name](const Field& field) { return field.name == name; }))
            continue;
        const QStringList typeAndLength = columns.Item(name).split('\t');
        fields.append({name, typeAndLength.value(0), typeAndLength.value(1)});
    }
}
