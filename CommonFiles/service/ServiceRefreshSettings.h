#pragma once

#include <QString>
#include <QtGlobal>

// How often the service windows look again, and how much of the log they
// show, from the stored setting texts. A number is clamped into its range
// before it becomes a whole number, so no stored value can overflow, and no
// period can be 0, which would stop the refresh for good; any other text
// gives the default.
class ServiceRefreshSettings {
public:
    // 1 to 99 seconds; 99 for text that is not a number.
    static qint32 StatusSeconds(const QString& text);
    // 1 to 99 seconds; 2 for text that is not a number.
    static qint32 LogSeconds(const QString& text);
    // 1024 to 99999 bytes; 4096 for text that is not a number.
    static qint32 LogSize(const QString& text);
};
