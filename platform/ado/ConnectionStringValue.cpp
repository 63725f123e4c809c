#include "platform/ado/ConnectionStringValue.h"

#include <QStringView>

namespace ado {

namespace {

bool Holds(const QString& value, QStringView refused)
{
    for (const QChar c : value)
        if (c.category() == QChar::Other_Control || refused.contains(c))
            return true;
    return false;
}

}  // namespace

bool ConnectionStringValue::CarriesName(const QString& value)
{
    return !Holds(value, u";={}\"'/\\");
}

bool ConnectionStringValue::CarriesDataSource(const QString& value)
{
    return !Holds(value, u";={}\"'");
}

}  // namespace ado
