#pragma once

#include "platform/DateTime.h"

#include <QString>
#include <ostream>

// Failure messages show dates and texts as text.
inline void PrintTo(const DateTime& value, std::ostream* out)
{
    *out << value.format("yyyy-mm-dd hh:nn:ss").toStdString();
}

inline void PrintTo(const QString& value, std::ostream* out)
{
    *out << '"' << value.toStdString() << '"';
}
