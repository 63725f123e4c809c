#include "platform/SystemClock.h"

#include <QDateTime>

DateTime SystemClock::now() const
{
    const QDateTime local = QDateTime::currentDateTime();
    return DateTime::FromQDateTime(local.date(), local.time());
}
