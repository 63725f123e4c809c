#include "platform/NumberedError.h"

NumberedError::NumberedError(int number, const QString& description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
{
}

QString NumberedError::Text() const
{
    return QString::number(m_number) + " - " + m_description;
}
