#include "platform/NumberedError.h"

NumberedError::NumberedError(int number, const QString& description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
{
}
