#pragma once

#include "CommonFiles/collector/CommonTypeVarRec.h"
#include "CommonFiles/foundation/HashTable.h"

#include <memory>

class CommonGlobals;
class CommonVarGatherer;

namespace ado {
class Connection;
}

// The full records of the gathered variables, loaded facility by facility
// and handed out by facility key and variable id. A variable whose row is
// missing or unreadable has no record (and is logged).
class CommonTypeVar {
public:
    explicit CommonTypeVar(CommonGlobals& globals) : m_globals(globals) {}

    bool ReadKorvelOrvex(CommonVarGatherer& myVarGatgerer);
    std::shared_ptr<const CommonTypeVarRec> GetVarRecord(const QString& facilID, qint32 VarId) const;

private:
    void ExpandVaridToRecord(const QString& facilityKey, qint32 id, ado::Connection& connection);
    static QString VariableKey(const QString& facilityKey, qint32 id);

    CommonGlobals& m_globals;
    HashTable<std::shared_ptr<const CommonTypeVarRec>> m_variableRecords;
};
