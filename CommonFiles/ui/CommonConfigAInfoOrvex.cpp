#include "CommonFiles/ui/CommonConfigAInfoOrvex.h"

namespace {

QList<QStringList> Rows(const QList<AdditionalInfoFields::Field>& targetFields)
{
    QList<QStringList> rows;
    for (const AdditionalInfoFields::Field& field : targetFields)
        rows.append({field.name, field.type, field.length});
    return rows;
}

}  // namespace

CommonConfigAInfoOrvex::CommonConfigAInfoOrvex(CommonGlobals& globals,
                                               const QList<AdditionalInfoFields::Field>& targetFields,
                                               const QString& current, QWidget* parent)
    : AInfoFieldPicker(globals, QStringLiteral("Select Korvel Orvex Field"), QStringLiteral("12599"),
                       {QStringLiteral("Field"), QStringLiteral("Type"), QStringLiteral("Length")}, Rows(targetFields),
                       current, parent)
{
}
