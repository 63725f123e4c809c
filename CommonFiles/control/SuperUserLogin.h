#pragma once

#include <QString>

namespace ado {
class Connection;
}

// Whether a target user may run interactive imports: the user exists, the
// password matches in any letter case, and the user is a super user.
class SuperUserLogin {
public:
    // Empty text when accepted, else the refusal to show.
    static QString Check(ado::Connection& connection, const QString& user, const QString& password);
};
