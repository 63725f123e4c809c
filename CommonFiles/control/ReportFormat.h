#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>

class DateTime;

// The three forms a report is printed in: text for a person, CSV for a
// spreadsheet, JSON for a script.
class ReportFormat {
public:
    enum class Form { Text, Csv, Json };

    // Nothing for a name that is none of "text", "csv", "json".
    static std::optional<Form> Parse(const QString& name);
    // One CSV record: fields holding a comma, a quote or a line break are
    // quoted, quotes doubled; the record ends with CRLF. A text field that
    // a spreadsheet would take for a formula (starting with =, +, - or @)
    // is written with a leading apostrophe; numbers stay numbers.
    static QString CsvRecord(const QStringList& fields);
    // One line of a text report: control characters escaped as the log
    // escapes them, so a name from the target cannot break or forge lines.
    static QString TextLine(const QString& content);
    // A slot as text ("yyyy-mm-dd HH:nn") and as data ("yyyy-mm-dd HH:nn:ss").
    static QString SlotText(const DateTime& slot);
    static QString SlotData(const DateTime& slot);
    static QString Json(const QJsonObject& document);
    // A variable as a person reads it: "FACILITY~ID name (#number)".
    static QString VariableText(const QString& facility, qint32 varId, const QString& name, qint32 number);
    // The fields that name a variable in a JSON report, with more fields.
    static QJsonObject VariableObject(const QString& facility, const QString& facilityName, qint32 varId, qint32 number,
                                      const QString& name, const QJsonObject& more);
};
