#pragma once

#include <QString>

// New globally unique identifiers as 36-character upper-case text.
class QELguid {
public:
    static QString GetNewGUID();
};
