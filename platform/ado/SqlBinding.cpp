#include "platform/ado/SqlBinding.h"

#include "platform/DateTime.h"
#include "platform/ado/FieldValue.h"

#include <QDateTime>

namespace ado {

namespace {

QMetaType DriverType(DataType type, Backend backend)
{
    switch (type) {
    case DataType::Integer:
        return QMetaType::fromType<int>();
    case DataType::Double:
        return QMetaType::fromType<double>();
    case DataType::Date:
        return backend == Backend::Sqlite ? QMetaType::fromType<QString>() : QMetaType::fromType<QDateTime>();
    case DataType::LongVarBinary:
        return QMetaType::fromType<QByteArray>();
    case DataType::VarChar:
    case DataType::VarWChar:
        break;
    }
    return QMetaType::fromType<QString>();
}

// SQLite keeps date-times as text that orders as it compares; ODBC takes a
// timestamp. A naive local time: the UTC tag keeps daylight-saving rules
// from moving it on its way to the driver, which reads date and time.
QVariant Timestamp(const QDate& date, const QTime& time, Backend backend)
{
    if (backend == Backend::Sqlite)
        return QString(date.toString(u"yyyy-MM-dd") +
                       time.toString(time.msec() == 0 ? u" HH:mm:ss" : u" HH:mm:ss.zzz"));
    return QDateTime(date, time, Qt::UTC);
}

}  // namespace

QVariant SqlBinding::ToDriver(const QVariant& value, DataType type, Backend backend)
{
    if (!value.isValid() || value.isNull())
        return QVariant(DriverType(type, backend));
    switch (type) {
    case DataType::Integer:
        return FieldValue(value).toInt();
    case DataType::Double:
        return FieldValue(value).toDouble();
    case DataType::Date: {
        // A time the driver gave goes back whole, milliseconds and all, so
        // that the row it was read from is found by it again.
        if (value.metaType() == QMetaType::fromType<QDateTime>()) {
            const QDateTime stamp = value.toDateTime();
            return Timestamp(stamp.date(), stamp.time(), backend);
        }
        const auto date = FieldValue(value).toDateTime();
        if (!date)
            return QVariant(DriverType(type, backend));
        return Timestamp(date->date(), date->time(), backend);
    }
    case DataType::LongVarBinary:
        return value.toByteArray();
    case DataType::VarChar:
    case DataType::VarWChar:
        break;
    }
    return FieldValue(value).toString();
}

DataType SqlBinding::TypeOf(const QVariant& value)
{
    const QMetaType type = value.metaType();
    if (type == QMetaType::fromType<DateTime>() || type == QMetaType::fromType<QDateTime>())
        return DataType::Date;
    if (type == QMetaType::fromType<double>() || type == QMetaType::fromType<float>())
        return DataType::Double;
    if (type == QMetaType::fromType<int>() || type == QMetaType::fromType<qint64>() ||
        type == QMetaType::fromType<short>() || type == QMetaType::fromType<bool>())
        return DataType::Integer;
    if (type == QMetaType::fromType<QByteArray>())
        return DataType::LongVarBinary;
    return DataType::VarWChar;
}

}  // namespace ado
