#pragma once

#include "platform/DateTime.h"

#include <QString>

class QELConfiguration;

// The program's configuration tree: every key start-up defines, in
// definition order, with its default. The date defaults are computed from
// the moment of start-up; a value stored in the file always wins.
class ConfigurationKeys {
public:
    static void DefineStartupKeys(QELConfiguration& config, const DateTime& now, const QString& applicationTitle);
    // "MM-dd-yyyy HH:mm:ss", the form dates are stored in.
    static QString StoredDateText(const DateTime& value);
};
