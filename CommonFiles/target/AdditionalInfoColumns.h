#pragma once

#include "CommonFiles/foundation/HashTable.h"

class QELLoggerTXT;

namespace ado {
class Connection;
}

// The catalogue of the user columns of a facility's DATATBL_I: column name
// (upper case) → type (upper case), a tab, and the length for character
// types. The fixed columns VARID, DATESTAMP, AUDITUSER and AUDITTIMESTAMP
// are never offered. Failure gives false and an empty table; a catalogue
// that cannot be read leaves its trace in the log.
class AdditionalInfoColumns {
public:
    static bool Read(ado::Connection& facilityConnection, qint16 databaseType, HashTable<QString>& columns,
                     QELLoggerTXT& log);

private:
    static QString CatalogueQuery(const ado::Connection& connection, qint16 databaseType);
};
