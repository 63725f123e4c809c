#include "CommonFiles/ui/CommonConfigAInfoSRC.h"

namespace {

QList<QStringList> Rows(const QStringList& sourceFields)
{
    QList<QStringList> rows;
    for (const QString& field : sourceFields)
        rows.append({field});
    return rows;
}

}  // namespace

CommonConfigAInfoSRC::CommonConfigAInfoSRC(CommonGlobals& globals, const QStringList& sourceFields,
                                           const QString& current, QWidget* parent)
    : AInfoFieldPicker(globals, QStringLiteral("Select Source Field"), QStringLiteral("12092"),
                       {QStringLiteral("Source Field")}, Rows(sourceFields), current, parent)
{
}
