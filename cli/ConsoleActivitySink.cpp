#include "cli/ConsoleActivitySink.h"

void ConsoleActivitySink::Append(const QString& line)
{
    m_out << line << Qt::endl;
}
