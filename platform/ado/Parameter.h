#pragma once

#include "platform/DateTime.h"
#include "platform/ado/AdoTypes.h"

#include <QString>
#include <QVariant>

namespace ado {

// One positional parameter of a command. A Null value is an invalid
// QVariant; dates travel as DateTime.
class Parameter {
public:
    Parameter(QString name, DataType type, Direction direction, int size)
        : m_name(std::move(name)), m_type(type), m_direction(direction), m_size(size)
    {
    }

    const QString& Name() const { return m_name; }
    DataType Type() const { return m_type; }
    Direction ParameterDirection() const { return m_direction; }
    int Size() const { return m_size; }
    bool IsOutput() const { return m_direction == Direction::Output; }

    const QVariant& Value() const { return m_value; }
    bool IsNull() const { return !m_value.isValid() || m_value.isNull(); }
    void setValue(const QVariant& value) { m_value = value; }
    void setValue(const DateTime& value) { m_value = QVariant::fromValue(value); }
    void setNull() { m_value = QVariant(); }

private:
    QString m_name;
    DataType m_type;
    Direction m_direction;
    int m_size;
    QVariant m_value;
};

}  // namespace ado
