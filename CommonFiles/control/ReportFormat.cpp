#include "CommonFiles/control/ReportFormat.h"

#include "CommonFiles/foundation/QELLoggerTXT.h"
#include "platform/DateTime.h"

#include <QJsonDocument>

std::optional<ReportFormat::Form> ReportFormat::Parse(const QString& name)
{
    if (name == "text")
        return Form::Text;
    if (name == "csv")
        return Form::Csv;
    if (name == "json")
        return Form::Json;
    return std::nullopt;
}

namespace {

QString Inert(const QString& field)
{
    static const QString kFormulaStarts = QStringLiteral("=+-@");
    bool number = false;
    field.toDouble(&number);
    return !field.isEmpty() && kFormulaStarts.contains(field[0]) && !number ? '\'' + field : field;
}

}  // namespace

QString ReportFormat::CsvRecord(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& given : fields) {
        const QString field = Inert(given);
        const bool plain =
            !field.contains(',') && !field.contains('"') && !field.contains('\n') && !field.contains('\r');
        quoted.append(plain ? field : '"' + QString(field).replace('"', "\"\"") + '"');
    }
    return quoted.join(',') + "\r\n";
}

QString ReportFormat::TextLine(const QString& content)
{
    return QELLoggerTXT::Printable(content) + "\n";
}

QString ReportFormat::SlotText(const DateTime& slot)
{
    return slot.format("yyyy-mm-dd HH:nn");
}

QString ReportFormat::SlotData(const DateTime& slot)
{
    return slot.format("yyyy-mm-dd HH:nn:ss");
}

QString ReportFormat::Json(const QJsonObject& document)
{
    return QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
}

QString ReportFormat::VariableText(const QString& facility, qint32 varId, const QString& name, qint32 number)
{
    return facility + "~" + QString::number(varId) + " " + name + " (#" + QString::number(number) + ")";
}

QJsonObject ReportFormat::VariableObject(const QString& facility, const QString& facilityName, qint32 varId,
                                         qint32 number, const QString& name, const QJsonObject& more)
{
    QJsonObject object{{"facility", facility},
                       {"facility_name", facilityName},
                       {"variable", varId},
                       {"variable_number", number},
                       {"variable_name", name}};
    for (auto field = more.begin(); field != more.end(); ++field)
        object.insert(field.key(), field.value());
    return object;
}
