#include "CommonFiles/ui/DateTimePicker.h"

DateTimePicker::DateTimePicker(QWidget* parent) : QDateTimeEdit(parent)
{
    setTimeSpec(Qt::UTC);
    setDisplayFormat(QStringLiteral("MM/dd/yyyy HH:mm:ss"));
    setCalendarPopup(true);
}

DateTime DateTimePicker::Value() const
{
    const QDateTime shown = dateTime();
    return DateTime::FromQDateTime(shown.date(), shown.time());
}

void DateTimePicker::setValue(const DateTime& value)
{
    setDateTime(QDateTime(value.date(), value.time(), Qt::UTC));
}
