#include "platform/ado/SqlBinding.h"

#include "platform/DateTime.h"
#include "platform/ado/FieldValue.h"

#include <QDateTime>
#include <cstdio>

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

// Written out by hand: every slot binds several of these, and the
// locale-aware formatting of QDate and QTime costs more than the rest of
// the binding.
QString SqliteText(const QDate& date, const QTime& time)
{
    char text[96];
    const int length = time.msec() == 0
        ? std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", date.year(), date.month(), date.day(),
                        time.hour(), time.minute(), time.second())
        : std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", date.year(), date.month(), date.day(),
                        time.hour(), time.minute(), time.second(), time.msec());
    return QString::fromLatin1(text, qMin<int>(length, sizeof text - 1));
}

// SQLite keeps date-times as text that orders as it compares; ODBC takes a
// timestamp. A naive local time: the UTC tag keeps daylight-saving rules
// from moving it on its way to the driver, which reads date and time.
QVariant Timestamp(const QDate& date, const QTime& time, Backend backend)
{
    if (backend == Backend::Sqlite)
        return SqliteText(date, time);
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

OdbcStatement::Type SqlBinding::OdbcType(DataType type)
{
    switch (type) {
    case DataType::Integer:
        return OdbcStatement::Type::Integer;
    case DataType::Double:
        return OdbcStatement::Type::Double;
    case DataType::Date:
        return OdbcStatement::Type::DateTime;
    case DataType::LongVarBinary:
        return OdbcStatement::Type::Binary;
    case DataType::VarChar:
    case DataType::VarWChar:
        break;
    }
    return OdbcStatement::Type::Text;
}

void SqlBinding::BindInput(OdbcStatement& statement, int index, const QVariant& value, DataType type, Backend backend)
{
    statement.Bind(index, OdbcStatement::Direction::Input, OdbcType(type), ToDriver(value, type, backend));
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
