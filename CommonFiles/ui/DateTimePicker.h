#pragma once

#include "platform/DateTime.h"

#include <QDateTimeEdit>

// The date-and-time control of the windows: a date and time to the second,
// with a calendar to pick the day from. The value is shown as it is; no
// zone may move it across a daylight-saving change.
class DateTimePicker : public QDateTimeEdit {
    Q_OBJECT
public:
    explicit DateTimePicker(QWidget* parent = nullptr);

    DateTime Value() const;
    void setValue(const DateTime& value);
};
