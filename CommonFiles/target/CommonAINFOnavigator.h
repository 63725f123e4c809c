#pragma once

#include "CommonFiles/foundation/HashTable.h"

#include <QString>
#include <QStringList>
#include <memory>

class CommonGlobals;

// The map from a source record's extra fields to the additional-info
// columns of a facility's "_I" table: a source walks the mapped fields,
// collects one record's values, and the map transposes them into column →
// value for the facility writer. This data-file source has no extra
// fields, so loading leaves the map disabled and empty.
class CommonAINFOnavigator {
public:
    using Table = HashTable<QString>;

    // The rows of the map under TARGET\AINFO, numbered from 1.
    static constexpr int kMapRows = 512;

    explicit CommonAINFOnavigator(CommonGlobals& globals) : m_globals(globals) {}

    // Defines the switches and the map's rows, all switched off and empty;
    // start-up does this before the configuration file is read.
    void DefineTree();
    // The key of one map row's field: "ENABLED", "TARGETID" or "SOURCEID".
    static QString MapRowKey(int row, const QString& field);

    void LoadMap();
    void MoveFirst_Map();
    void MoveNext_Map() { ++m_position; }
    qint32 Count_Map() const { return m_sourceFieldCount; }
    QString Current_Map() const;
    bool EOF_Map() const;

    void SourceRecord_New();
    void SourceRecord_addTo(const QString& sourceFieldID, const QString& value);
    std::shared_ptr<Table> SourceRecord_download() const { return m_sourceRecord; }

    // Column → value for the facility, or nothing when the facility has no
    // additional-info catalogue or no mapping, or on an error (logged).
    std::shared_ptr<Table> TransposeSource2Result(const Table& SourceHash, const QString& facilID,
                                                  const HashTable<std::shared_ptr<Table>>& aFacilID2ainfoHash);

private:
    CommonGlobals& m_globals;
    bool m_mapEnabled = false;
    qint32 m_position = 0;
    qint32 m_sourceFieldCount = 0;
    Table m_registeredSourceFields;
    QStringList m_sourceFieldList;
    HashTable<std::shared_ptr<Table>> m_facilityMap;
    std::shared_ptr<Table> m_sourceRecord;
};
