#pragma once

#include <QDialog>
#include <optional>

class CommonGlobals;
class QTreeWidget;

// A list of fields to choose one from for a row of the additional-info
// map. The row's current field starts selected; "ok" or a double click
// takes the selected field.
class AInfoFieldPicker : public QDialog {
    Q_OBJECT
public:
    // The choice when the picker closed with "ok" on a selected field.
    std::optional<QString> Choose();

protected:
    // Each row shows the field's name in its first column, then its details.
    AInfoFieldPicker(CommonGlobals& globals, const QString& caption, const QString& helpTopic,
                     const QStringList& headers, const QList<QStringList>& rows, const QString& current,
                     QWidget* parent);

private:
    void Take();

    QTreeWidget* m_lstFields = nullptr;
    std::optional<QString> m_chosen;
};
