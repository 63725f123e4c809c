#pragma once

#include "CommonFiles/ui/AInfoFieldPicker.h"

// Chooses the source field of an additional-info map row from the extra
// fields the source declares.
class CommonConfigAInfoSRC : public AInfoFieldPicker {
    Q_OBJECT
public:
    CommonConfigAInfoSRC(CommonGlobals& globals, const QStringList& sourceFields, const QString& current,
                         QWidget* parent);
};
