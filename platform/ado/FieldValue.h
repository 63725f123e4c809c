#pragma once

#include "platform/DateTime.h"

#include <QString>
#include <QVariant>
#include <optional>

namespace ado {

// A value read from the database (a field or an output parameter) with the
// conversions its readers need. Dates come back as timestamps from ODBC and
// as "YYYY-MM-DD HH:MM:SS" text from SQLite; both read as DateTime.
class FieldValue {
public:
    FieldValue() = default;
    explicit FieldValue(QVariant value) : m_value(std::move(value)) {}

    bool IsNull() const { return !m_value.isValid() || m_value.isNull(); }
    const QVariant& variant() const { return m_value; }
    // Null reads as the empty text.
    QString toString() const;
    double toDouble() const;
    qint32 toInt() const;
    std::optional<DateTime> toDateTime() const;
    QByteArray toBytes() const { return m_value.toByteArray(); }

private:
    QVariant m_value;
};

}  // namespace ado
