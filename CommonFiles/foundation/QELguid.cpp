#include "CommonFiles/foundation/QELguid.h"

#include <QUuid>

QString QELguid::GetNewGUID()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}
