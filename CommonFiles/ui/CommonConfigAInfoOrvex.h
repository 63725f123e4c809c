#pragma once

#include "CommonFiles/control/AdditionalInfoFields.h"
#include "CommonFiles/ui/AInfoFieldPicker.h"

// Chooses the target column of an additional-info map row, with each
// column's type and length.
class CommonConfigAInfoOrvex : public AInfoFieldPicker {
    Q_OBJECT
public:
    CommonConfigAInfoOrvex(CommonGlobals& globals, const QList<AdditionalInfoFields::Field>& targetFields,
                           const QString& current, QWidget* parent);
};
