#pragma once

#include "platform/ado/AdoTypes.h"
#include "platform/ado/FieldValue.h"
#include "platform/ado/StatementResult.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

namespace ado {

class Connection;

// The rows of a query, read whole when it is opened (a static cursor).
// Opened updatable, it can add a row (AddNew, then Update) or change the
// current one (set fields, then Update) on the one table its query reads;
// with pessimistic locking the rows stay locked from Open until Update or
// Close. A row is found again by its key: the columns the caller names, or
// else the table's primary key when the query reads all of it. Values from
// outside the statement are bound, never pasted in.
class Recordset {
public:
    Recordset() = default;
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    void Open(const QString& source, Connection& connection, CursorType cursor = CursorType::Static,
              LockType lock = LockType::ReadOnly, const QVariantList& bound = {}, const QStringList& keys = {});
    void Close();
    bool IsOpen() const { return m_connection != nullptr; }

    bool Eof() const { return m_position >= m_rows.size(); }
    void MoveFirst() { m_position = 0; }
    void MoveNext();
    int RecordCount() const { return static_cast<int>(m_rows.size()); }
    int FieldCount() const { return static_cast<int>(m_fields.size()); }
    QString FieldName(int index) const { return m_fields.value(index); }
    FieldValue Fields(const QString& name) const;
    FieldValue Fields(int index) const;

    void AddNew();
    void setField(const QString& name, const QVariant& value);
    void Update();
    // Reads the current row again, with the values the database gave it.
    void Resync();

    // Takes the rows of an executed statement.
    void Load(StatementResult&& result, Connection& connection);

private:
    int IndexOf(const QString& name) const;
    int FieldIndex(const QString& name) const;
    const QVariantList& CurrentRow() const;
    void RequireUpdatable() const;
    void Insert();
    void UpdateCurrent();
    const QList<int>& KeyIndexes();
    QString RowCondition(const QVariantList& row, bool asRead, QVariantList& bound);
    void Commit();
    void Rollback();

    Connection* m_connection = nullptr;
    QStringList m_fields;
    QList<QVariantList> m_rows;
    qsizetype m_position = 0;
    QString m_table;
    bool m_updatable = false;
    bool m_optimistic = false;
    QStringList m_keys;
    QList<int> m_keyIndexes;
    bool m_inTransaction = false;
    bool m_adding = false;
    QList<QPair<int, QVariant>> m_pending;
};

}  // namespace ado
