#include "CommonFiles/target/StoredSlotWindow.h"

#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <algorithm>

namespace {

// About one batch of writes: a window is read at most once a batch.
constexpr qint64 kWindowSlots = 500;

}  // namespace

bool StoredSlotWindow::Supported(const ado::Connection& connection)
{
    return connection.backend() == ado::Backend::Sqlite || connection.backend() == ado::Backend::PostgreSql;
}

bool StoredSlotWindow::Covers(const QString& table, qint32 varId, const DateTime& slotStart,
                              const DateTime& slotEnd) const
{
    return m_valid && m_varId == varId && m_table == table && m_from <= slotStart && slotEnd <= m_to;
}

void StoredSlotWindow::Read(ado::Connection& connection, const QString& table, qint32 varId, const DateTime& slotStart,
                            qint32 minutesPerSlot)
{
    Clear();
    const DateTime to = slotStart.addMinutes(kWindowSlots * minutesPerSlot);
    // On the server the rows read stay locked until the batch is committed,
    // so what they allow cannot change before their slots are written.
    // SQLite's write transaction already keeps every other writer out.
    const QString lock = connection.backend() == ado::Backend::PostgreSql ? " for update" : "";
    // The table name comes from the interval's fixed list; the values are
    // bound.
    ado::Recordset rows;
    rows.Open("select datestamp, status from " + table + " where varid=? and datestamp>=? and datestamp<?" + lock,
              connection, ado::CursorType::Static, ado::LockType::ReadOnly,
              {varId, QVariant::fromValue(slotStart), QVariant::fromValue(to)});
    for (; !rows.Eof(); rows.MoveNext()) {
        const auto stamp = rows.Fields(0).toDateTime();
        if (!stamp)
            continue;
        Row row;
        row.datestamp = *stamp;
        row.withoutStatus = rows.Fields(1).IsNull();
        row.status = row.withoutStatus ? 0 : rows.Fields(1).toInt();
        m_rows.append(row);
    }
    std::sort(m_rows.begin(), m_rows.end(), [](const Row& a, const Row& b) { return a.datestamp < b.datestamp; });
    m_table = table;
    m_varId = varId;
    m_from = slotStart;
    m_to = to;
    m_valid = true;
}

StoredSlotWindow::StoredRow StoredSlotWindow::Find(const DateTime& slotStart, const DateTime& slotEnd) const
{
    StoredRow stored;
    for (qsizetype i = FirstAtOrAfter(slotStart); i < m_rows.size() && m_rows[i].datestamp < slotEnd; ++i) {
        const Row& row = m_rows[i];
        stored.withoutStatus = stored.withoutStatus || row.withoutStatus;
        stored.status = stored.found ? qMax(stored.status, row.status) : row.status;
        stored.found = true;
    }
    return stored;
}

void StoredSlotWindow::Wrote(const QString& table, qint32 varId, const DateTime& slotStart, const DateTime& slotEnd,
                             qint32 status)
{
    if (!Covers(table, varId, slotStart, slotEnd))
        return;
    const auto inSlot = [&](const Row& row) { return slotStart <= row.datestamp && row.datestamp < slotEnd; };
    m_rows.removeIf(inSlot);
    Row written;
    written.datestamp = slotStart;
    written.status = status;
    m_rows.insert(FirstAtOrAfter(slotStart), written);
}

qsizetype StoredSlotWindow::FirstAtOrAfter(const DateTime& when) const
{
    const auto first = std::lower_bound(m_rows.cbegin(), m_rows.cend(), when,
                                        [](const Row& row, const DateTime& at) { return row.datestamp < at; });
    return first - m_rows.cbegin();
}

void StoredSlotWindow::Clear()
{
    m_valid = false;
    m_rows.clear();
}
