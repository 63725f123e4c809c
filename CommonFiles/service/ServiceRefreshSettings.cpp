#include "CommonFiles/service/ServiceRefreshSettings.h"

#include "platform/Conversions.h"

qint32 ServiceRefreshSettings::StatusSeconds(const QString& text)
{
    return Conversions::ClampedInt32(text, 1, 99, 99);
}

qint32 ServiceRefreshSettings::LogSeconds(const QString& text)
{
    return Conversions::ClampedInt32(text, 1, 99, 2);
}

qint32 ServiceRefreshSettings::LogSize(const QString& text)
{
    return Conversions::ClampedInt32(text, 1024, 99999, 4096);
}
