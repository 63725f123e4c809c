#include "platform/ado/Recordset.h"

#include "platform/NumberedError.h"
#include "platform/ado/Connection.h"
#include "platform/ado/ErrorText.h"
#include "platform/ado/SqlExecution.h"

#include <QRegularExpression>

namespace ado {

namespace {

const QRegularExpression kFromTable(R"(\bfrom\s+("?[A-Za-z_][\w$]*"?))", QRegularExpression::CaseInsensitiveOption);

// The statement that reads and locks the rows it returns until the
// transaction ends, in the dialect of each backend.
QString LockingSelect(const QString& source, Backend backend)
{
    switch (backend) {
    case Backend::PostgreSql:
    case Backend::Oracle:
        return source + " FOR UPDATE";
    case Backend::SqlServer: {
        QString locked = source;
        const QRegularExpressionMatch match = kFromTable.match(source);
        if (match.hasMatch())
            locked.insert(match.capturedEnd(1), " WITH (UPDLOCK, HOLDLOCK)");
        return locked;
    }
    case Backend::Sqlite:
    case Backend::OdbcDsn:
        break;
    }
    return source;
}

}  // namespace

Recordset::~Recordset()
{
    Close();
}

Recordset::Recordset(Recordset&& other) noexcept
{
    *this = std::move(other);
}

Recordset& Recordset::operator=(Recordset&& other) noexcept
{
    if (this != &other) {
        Close();
        m_connection = std::exchange(other.m_connection, nullptr);
        m_fields = std::move(other.m_fields);
        m_rows = std::move(other.m_rows);
        m_position = other.m_position;
        m_table = std::move(other.m_table);
        m_updatable = other.m_updatable;
        m_optimistic = other.m_optimistic;
        m_keys = std::move(other.m_keys);
        m_keyIndexes = std::move(other.m_keyIndexes);
        m_inTransaction = std::exchange(other.m_inTransaction, false);
        m_adding = other.m_adding;
        m_pending = std::move(other.m_pending);
    }
    return *this;
}

void Recordset::Open(const QString& source, Connection& connection, CursorType, LockType lock,
                     const QVariantList& bound, const QStringList& keys)
{
    Close();
    m_updatable = lock != LockType::ReadOnly;
    m_optimistic = lock == LockType::Optimistic;
    m_keys = keys;
    m_keyIndexes.clear();
    if (m_updatable) {
        const QRegularExpressionMatch match = kFromTable.match(source);
        if (!match.hasMatch())
            connection.Raise(kUpdateNotSupported);
        m_table = match.captured(1);
    }
    QString sql = source;
    if (lock == LockType::Pessimistic) {
        connection.BeginTrans();
        m_inTransaction = true;
        sql = LockingSelect(source, connection.backend());
    }
    try {
        Load(SqlExecution::Run(connection, sql, bound), connection);
    } catch (const NumberedError&) {
        m_connection = &connection;
        Rollback();
        m_connection = nullptr;
        throw;
    }
}

void Recordset::Load(StatementResult&& result, Connection& connection)
{
    m_connection = &connection;
    m_fields = std::move(result.fields);
    m_rows = std::move(result.rows);
    m_position = 0;
}

void Recordset::Close()
{
    Rollback();
    m_connection = nullptr;
    m_fields.clear();
    m_rows.clear();
    m_pending.clear();
    m_adding = false;
    m_position = 0;
}

void Recordset::MoveNext()
{
    if (!Eof())
        ++m_position;
}

int Recordset::IndexOf(const QString& name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int Recordset::FieldIndex(const QString& name) const
{
    const int index = IndexOf(name);
    if (index >= 0)
        return index;
    if (m_connection)
        m_connection->Raise(kItemNotFound);
    throw kItemNotFound.error();
}

const QVariantList& Recordset::CurrentRow() const
{
    if (Eof())
        throw kNoCurrentRecord.error();
    return m_rows[m_position];
}

FieldValue Recordset::Fields(const QString& name) const
{
    return Fields(FieldIndex(name));
}

// A value set but not yet saved reads as set, as does a row being added.
FieldValue Recordset::Fields(int index) const
{
    for (const auto& [field, value] : m_pending)
        if (field == index)
            return FieldValue(value);
    return m_adding ? FieldValue() : FieldValue(CurrentRow().value(index));
}

void Recordset::RequireUpdatable() const
{
    if (!m_connection || !m_updatable)
        throw kUpdateNotSupported.error();
}

void Recordset::AddNew()
{
    RequireUpdatable();
    m_adding = true;
    m_pending.clear();
}

void Recordset::setField(const QString& name, const QVariant& value)
{
    RequireUpdatable();
    const int index = FieldIndex(name);
    for (auto& pending : m_pending)
        if (pending.first == index) {
            pending.second = value;
            return;
        }
    m_pending.append({index, value});
}

void Recordset::Update()
{
    RequireUpdatable();
    if (m_adding)
        Insert();
    else if (!m_pending.isEmpty())
        UpdateCurrent();
    m_pending.clear();
    m_adding = false;
    Commit();
}

void Recordset::Insert()
{
    QStringList columns;
    QStringList marks;
    QVariantList bound;
    QVariantList row(m_fields.size());
    for (const auto& [index, value] : m_pending) {
        columns.append(m_fields[index]);
        marks.append("?");
        bound.append(value);
        row[index] = value;
    }
    SqlExecution::Run(*m_connection,
                      "INSERT INTO " + m_table + " (" + columns.join(", ") + ") VALUES (" + marks.join(", ") + ")",
                      bound);
    m_rows.append(row);
    m_position = m_rows.size() - 1;
}

void Recordset::UpdateCurrent()
{
    QVariantList row = CurrentRow();
    QStringList assignments;
    QVariantList bound;
    for (const auto& [index, value] : m_pending) {
        assignments.append(m_fields[index] + " = ?");
        bound.append(value);
    }
    const QString condition = RowCondition(row, m_optimistic, bound);
    const StatementResult update = SqlExecution::Run(
        *m_connection, "UPDATE " + m_table + " SET " + assignments.join(", ") + " WHERE " + condition, bound);
    // A row someone else changed since it was read is not overwritten.
    if (update.rowsAffected == 0)
        m_connection->Raise(kRowNotLocated);
    for (const auto& [index, value] : m_pending)
        row[index] = value;
    m_rows[m_position] = row;
}

// The key of the rows: the columns the caller named, else the table's
// primary key. Without one a row cannot be told from its neighbours, and
// matching on every value fails as soon as a value does not travel back
// unchanged.
const QList<int>& Recordset::KeyIndexes()
{
    if (!m_keyIndexes.isEmpty())
        return m_keyIndexes;
    const QStringList names = m_keys.isEmpty() ? m_connection->PrimaryKey(m_table) : m_keys;
    for (const QString& name : names)
        m_keyIndexes.append(IndexOf(name));
    if (m_keyIndexes.isEmpty() || m_keyIndexes.contains(-1)) {
        m_keyIndexes.clear();
        m_connection->Raise(kInsufficientKeyColumns);
    }
    return m_keyIndexes;
}

// The row's key columns; asRead adds every other column as it was read, so
// that an optimistic update misses a row someone changed meanwhile. Binary
// values cannot be compared and are left out.
QString Recordset::RowCondition(const QVariantList& row, bool asRead, QVariantList& bound)
{
    const QList<int>& keys = KeyIndexes();
    QStringList terms;
    for (int i = 0; i < m_fields.size(); ++i) {
        const QVariant& value = row.value(i);
        if ((!asRead && !keys.contains(i)) || value.metaType() == QMetaType::fromType<QByteArray>())
            continue;
        if (!value.isValid() || value.isNull()) {
            terms.append(m_fields[i] + " IS NULL");
        } else {
            terms.append(m_fields[i] + " = ?");
            bound.append(value);
        }
    }
    return terms.join(" AND ");
}

void Recordset::Resync()
{
    RequireUpdatable();
    QVariantList bound;
    const QString condition = RowCondition(CurrentRow(), false, bound);
    StatementResult latest = SqlExecution::Run(
        *m_connection, "SELECT " + m_fields.join(", ") + " FROM " + m_table + " WHERE " + condition, bound);
    if (!latest.rows.isEmpty())
        m_rows[m_position] = std::move(latest.rows.first());
}

void Recordset::Commit()
{
    if (!m_inTransaction)
        return;
    m_inTransaction = false;
    m_connection->CommitTrans();
}

void Recordset::Rollback()
{
    if (!m_inTransaction || !m_connection)
        return;
    m_inTransaction = false;
    m_connection->AbandonTrans();
}

}  // namespace ado
