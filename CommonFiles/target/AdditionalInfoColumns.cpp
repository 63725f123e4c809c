#include "CommonFiles/target/AdditionalInfoColumns.h"

#include "CommonFiles/foundation/QELLoggerTXT.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

namespace {

const QStringList kCharacterTypes = {"VARCHAR2", "VARCHAR", "NVARCHAR", "NVARCHAR2"};

}  // namespace

QString AdditionalInfoColumns::CatalogueQuery(const ado::Connection& connection, qint16 databaseType)
{
    // The embedded and PostgreSQL targets cannot run the Oracle or SQL
    // Server catalogue queries; they give the same columns from their own.
    switch (connection.backend()) {
    case ado::Backend::Sqlite:
        return "SELECT name, type, NULL AS length FROM pragma_table_info('DATATBL_I') WHERE upper(name) NOT IN "
               "('AUDITUSER', 'AUDITTIMESTAMP', 'DATESTAMP', 'VARID') ORDER BY cid";
    case ado::Backend::PostgreSql:
        return "SELECT column_name AS name, CASE WHEN data_type = 'character varying' THEN 'VARCHAR' "
               "ELSE data_type END AS type, character_maximum_length AS length FROM information_schema.columns "
               "WHERE table_name = 'datatbl_i' AND upper(column_name) NOT IN "
               "('AUDITUSER', 'AUDITTIMESTAMP', 'DATESTAMP', 'VARID') ORDER BY ordinal_position";
    case ado::Backend::SqlServer:
    case ado::Backend::Oracle:
    case ado::Backend::OdbcDsn:
        break;
    }
    if (databaseType == 1)
        return "SELECT column_name name, data_type type, data_length length FROM user_tab_columns WHERE "
               "table_name='DATATBL_I' and column_name <> 'AUDITUSER' and column_name <> 'AUDITTIMESTAMP' and "
               "column_name <> 'DATESTAMP' and column_name  <> 'VARID'";
    return "SELECT c.name, t.name type, c.length FROM syscolumns c, systypes t, sysobjects o WHERE o.name = "
           "'DATATBL_I' AND o.id = c.id AND c.xtype = t.xtype and c.name <> 'AUDITUSER' and c.name <> "
           "'AUDITTIMESTAMP' and c.name <> 'DATESTAMP' and c.name <> 'VARID' and t.name <> 'sysname' order by c.id";
}

bool AdditionalInfoColumns::Read(ado::Connection& facilityConnection, qint16 databaseType, HashTable<QString>& columns,
                                 QELLoggerTXT& log)
{
    columns.RemoveAll();
    try {
        ado::Recordset rows;
        rows.Open(CatalogueQuery(facilityConnection, databaseType), facilityConnection, ado::CursorType::Static,
                  ado::LockType::ReadOnly);
        if (rows.Eof())
            return false;
        for (; !rows.Eof(); rows.MoveNext()) {
            const QString name = rows.Fields("name").toString().toUpper();
            QString type = rows.Fields("type").toString().toUpper();
            // The embedded target declares lengths in the type: VARCHAR(80).
            QString length = rows.Fields("length").toString();
            if (const qsizetype open = type.indexOf('('); open > 0) {
                length = type.mid(open + 1).chopped(1).trimmed();
                type = type.left(open).trimmed();
            }
            if (!name.isEmpty())
                columns.Add(name, type + "\t" + (kCharacterTypes.contains(type) ? length : QString()));
        }
        return true;
    } catch (const NumberedError& error) {
        log.WriteClearedError("AdditionalInfoColumns.Read", error);
        columns.RemoveAll();
        return false;
    }
}
