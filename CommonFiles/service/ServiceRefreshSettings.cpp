#include "CommonFiles/service/ServiceRefreshSettings.h"

#include "platform/Conversions.h"

#include <algorithm>

qint32 ServiceRefreshSettings::StatusSeconds(const QString& text)
{
    return Clamped(text, 1, 99, 99);
}

qint32 ServiceRefreshSettings::LogSeconds(const QString& text)
{
    return Clamped(text, 1, 99, 2);
}

qint32 ServiceRefreshSettings::LogSize(const QString& text)
{
    return Clamped(text, 1024, 99999, 4096);
}

qint32 ServiceRefreshSettings::Clamped(const QString& text, double low, double high, qint32 fallback)
{
    if (!Conversions::IsNumeric(text))
        return fallback;
    return Conversions::ToInt32(std::clamp(Conversions::ToDouble(text), low, high));
}
