#include "CommonFiles/target/CommonAINFOnavigator.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "platform/NumberedError.h"

namespace Keys = ConfigurationKeyNames;

void CommonAINFOnavigator::DefineTree()
{
    QELConfiguration& config = m_globals.config();
    config.DefineTree(Keys::Target::kAinfoEnabled, "FALSE");
    config.DefineTree(Keys::Target::kAinfoLogNumberWrites, "FALSE");
    for (int row = 1; row <= kMapRows; ++row) {
        config.DefineTree(MapRowKey(row, "ENABLED"), "FALSE");
        config.DefineTree(MapRowKey(row, "TARGETID"), "");
        config.DefineTree(MapRowKey(row, "SOURCEID"), "");
    }
}

QString CommonAINFOnavigator::MapRowKey(int row, const QString& field)
{
    return Keys::Target::kAinfoMapRowPrefix + QString::number(row) + "\\" + field;
}

void CommonAINFOnavigator::LoadMap()
{
    // The data-file source delivers no fields beyond its value: there is
    // nothing to map.
    m_mapEnabled = false;
}

void CommonAINFOnavigator::MoveFirst_Map()
{
    m_position = m_sourceFieldCount < 1 ? m_sourceFieldCount : 1;
}

bool CommonAINFOnavigator::EOF_Map() const
{
    return !m_mapEnabled || m_position > m_sourceFieldCount || m_position < 1;
}

QString CommonAINFOnavigator::Current_Map() const
{
    return EOF_Map() ? QString() : m_sourceFieldList.value(m_position - 1);
}

void CommonAINFOnavigator::SourceRecord_New()
{
    m_sourceRecord = std::make_shared<Table>();
    m_sourceRecord->SetSize(m_sourceFieldCount < 1 ? 1 : 2 * m_sourceFieldCount, 2048, 1024);
}

void CommonAINFOnavigator::SourceRecord_addTo(const QString& sourceFieldID, const QString& value)
{
    const QString key = sourceFieldID.toUpper();
    if (key.isEmpty() || !m_sourceRecord || !m_registeredSourceFields.Exists(key))
        return;
    m_sourceRecord->setItem(key, value);
}

std::shared_ptr<CommonAINFOnavigator::Table>
CommonAINFOnavigator::TransposeSource2Result(const Table& SourceHash, const QString& facilID,
                                             const HashTable<std::shared_ptr<Table>>& aFacilID2ainfoHash)
{
    try {
        if (!aFacilID2ainfoHash.Exists(facilID))
            throw NumberedError(424, "Object required");
        const auto catalogue = aFacilID2ainfoHash.Item(facilID);
        if (!catalogue || catalogue->Count() == 0)
            return nullptr;
        const auto map = m_facilityMap.Exists(facilID) ? m_facilityMap.Item(facilID) : nullptr;
        if (!map || map->Count() == 0)
            return nullptr;
        auto result = std::make_shared<Table>();
        const QStringList keys = SourceHash.Keys();
        for (const QString& key : keys)
            if (map->Exists(key))
                result->setItem(map->Item(key), SourceHash.Item(key));
        return result;
    } catch (const NumberedError& error) {
        m_globals.log().WriteLog("CommonAINFOnavigator.TransposeSource2Result() : Failed with the following error " +
                                     QString::number(error.number()) + " : " + error.description(),
                                 9);
        return nullptr;
    }
}
