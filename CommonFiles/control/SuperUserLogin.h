#pragma once

#include <QString>

class QELLoggerTXT;

namespace ado {
class Connection;
}

// Whether a target user may run interactive imports: the user exists, the
// password matches in any letter case, and the user is a super user.
class SuperUserLogin {
public:
    // Empty text when accepted, else the refusal to show. A user row that
    // cannot be read refuses, and leaves its trace in the log.
    static QString Check(ado::Connection& connection, const QString& user, const QString& password, QELLoggerTXT& log);
};
