#pragma once

#include <QList>
#include <QString>
#include <optional>

class CommonGlobals;
class CommonVarGatherer;

namespace ado {
class Connection;
}

// What the variable picker shows of each gathered variable: its VARDESC
// definition, the path of its location and the names of its type code,
// read on its facility's connection, one facility at a time, in the order
// the gatherer walks them.
class VariablePickerRows {
public:
    struct Row {
        QString facility;  // facility key
        qint32 id = 0;
        QString varNum;
        QString locPath;
        QString name;
        QString units;
        QString trackEvery;
        QString type;
        QString decPlaces;
        QString description;
        QString scadaTag;
        QString stat;
        QString factor;
    };

    explicit VariablePickerRows(CommonGlobals& globals) : m_globals(globals) {}

    // One row per gathered variable; one whose VARDESC row is gone keeps
    // empty details. Nothing when a facility cannot be opened (a connection
    // manager that cannot be set up is shown in a message) or read (logged),
    // as the picker must not offer a list it could not read whole.
    std::optional<QList<Row>> Read(const CommonVarGatherer& gatherer);

private:
    Row ReadRow(ado::Connection& facility, const QString& facilityKey, qint32 id);

    CommonGlobals& m_globals;
};
