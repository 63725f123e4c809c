#pragma once

#include "platform/DateTime.h"

#include <QStringList>
#include <optional>

// The named date ranges that the date pickers offer ("LAST HOUR", "TODAY",
// "30 DAYS 3 DAYS AGO", ...), in the order the pickers list them, and the
// range each name gives counted from a moment. Names are matched in any
// letter case; the two quarter entries are also known spelled "QUARTER".
class DateShortcuts {
public:
    struct Bounds {
        DateTime start;
        DateTime end;
    };

    static QStringList Names();
    // No value for a name that is not a shortcut.
    static std::optional<Bounds> Range(const QString& name, const DateTime& now);
};
