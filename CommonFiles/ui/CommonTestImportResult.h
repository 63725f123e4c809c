#pragma once

#include "CommonFiles/control/DiffReport.h"

#include <QDialog>

class CommonGlobals;
class QComboBox;
class QLabel;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

// What a test import would have done, one row per slot: write (stored ->
// new), same, keep, locked or no value, with the stored and the new value
// and status. The rows sort by any column and filter by kind; the rows
// shown can be saved as CSV.
class CommonTestImportResult : public QDialog {
    Q_OBJECT
public:
    CommonTestImportResult(CommonGlobals& globals, DiffReport diff, QWidget* parent = nullptr);

    // Writes the rows the filter shows to path; false (said) when it cannot.
    bool ExportTo(const QString& path);

private:
    void AddToolBar();
    void AddFilter();
    void AddGrid();
    void FillGrid();
    void FilterKind(int index);
    void Export();
    QString CountsText() const;

    CommonGlobals& m_globals;
    DiffReport m_diff;
    QComboBox* m_cboKind = nullptr;
    QLabel* m_lblCounts = nullptr;
    QTableView* m_grdSlots = nullptr;
    QStandardItemModel* m_model = nullptr;
    QSortFilterProxyModel* m_shown = nullptr;
};
