#include "platform/ado/FieldValue.h"

#include "platform/Conversions.h"
#include "platform/ado/ErrorText.h"

#include <QDateTime>
#include <cmath>

namespace ado {

namespace {

[[noreturn]] void TypeMismatch()
{
    throw kTypeMismatch.error();
}

}  // namespace

QString FieldValue::toString() const
{
    if (IsNull())
        return {};
    const QMetaType type = m_value.metaType();
    if (type == QMetaType::fromType<DateTime>() || type == QMetaType::fromType<QDateTime>() ||
        type == QMetaType::fromType<QDate>())
        return toDateTime()->generalDate();
    if (m_value.metaType() == QMetaType::fromType<double>())
        return Conversions::NumberText(m_value.toDouble());
    return m_value.toString();
}

double FieldValue::toDouble() const
{
    bool ok = false;
    const double value = m_value.toDouble(&ok);
    if (IsNull() || !ok)
        TypeMismatch();
    return value;
}

qint32 FieldValue::toInt() const
{
    const double value = toDouble();
    if (std::isnan(value) || value > 2147483647.0 || value < -2147483648.0)
        throw kOverflow.error();
    return static_cast<qint32>(std::nearbyint(value));
}

std::optional<DateTime> FieldValue::toDateTime() const
{
    if (IsNull())
        return std::nullopt;
    if (m_value.metaType() == QMetaType::fromType<DateTime>())
        return m_value.value<DateTime>();
    if (m_value.metaType() == QMetaType::fromType<QDateTime>()) {
        const QDateTime stamp = m_value.toDateTime();
        return DateTime::FromQDateTime(stamp.date(), stamp.time());
    }
    if (m_value.metaType() == QMetaType::fromType<QDate>())
        return DateTime::FromQDateTime(m_value.toDate(), QTime(0, 0));
    return DateTime::FromText(m_value.toString());
}

}  // namespace ado
