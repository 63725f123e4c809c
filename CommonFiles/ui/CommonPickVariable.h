#pragma once

#include "CommonFiles/control/SessionPrompts.h"
#include "CommonFiles/control/VariablePickerRows.h"

#include <QDialog>

class CommonGlobals;
class CommonVarGatherer;
class QComboBox;
class QLineEdit;
class QTableWidget;
class QToolBar;

// Lets a person choose which of the collector's variables an interactive
// import runs for. The list shows each variable's definition; the
// facility list and the search box narrow what is shown, without changing
// what is selected. The choice is the selected rows, in list order.
class CommonPickVariable : public QDialog {
    Q_OBJECT
public:
    explicit CommonPickVariable(CommonGlobals& globals, QWidget* parent = nullptr);

    // Fills the facility list, the variable list and its details from the
    // gatherer and shows every facility. False when the details cannot be
    // read (the person has been told, or the log has the reason).
    bool PreLoadVariables(const CommonVarGatherer& gatherer);
    // The choice when the window closed: Picked with the selected variables
    // (possibly none) after "wizard", else Cancelled.
    const SessionPrompts::Picks& Result() const { return m_result; }
    // Loads, shows modally and gives the choice; NothingReturned when the
    // list could not be loaded.
    SessionPrompts::Picks PickVariables(const CommonVarGatherer& gatherer);

public slots:
    // However the window is left without "wizard", nothing is chosen.
    void reject() override;

private:
    void AddToolbar();
    void AddFilters();
    void AddVariableList();
    void AddRow(const VariablePickerRows::Row& row);
    // The row's variable: facility key and variable id.
    QPair<QString, qint32> Variable(int row) const;
    void ApplyFilter();
    bool RowShown(int row, const QString& facility, const QString& search) const;
    void SelectShown(bool select);
    void TakeSelection();

    CommonGlobals& m_globals;
    SessionPrompts::Picks m_result;
    QToolBar* m_toolbar = nullptr;
    QComboBox* m_cboFacility = nullptr;
    QLineEdit* m_txtSearch = nullptr;
    QTableWidget* m_lpVars = nullptr;
};
