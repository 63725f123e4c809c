#pragma once

#include "CommonFiles/control/DiffReport.h"
#include "CommonFiles/control/ImportChartData.h"

#include <QDialog>

class CommonGlobals;
class ImportChartView;
class QComboBox;
class QLabel;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

// What a test import would have done, one row per slot: write (stored ->
// new), same, keep, locked or no value, with the stored and the new value
// and status. The rows sort by any column and filter by kind; the rows
// shown can be saved as CSV. Beside the table, a chart of one variable at a
// time: what the import would write against what the target holds, which
// can be saved as an image.
class CommonTestImportResult : public QDialog {
    Q_OBJECT
public:
    CommonTestImportResult(CommonGlobals& globals, DiffReport diff, QWidget* parent = nullptr);

    // Writes the rows the filter shows to path; false (said) when it cannot.
    bool ExportTo(const QString& path);
    // Saves the chart shown as PNG (SVG for a name ending in ".svg");
    // false (said) when it cannot.
    bool ExportImageTo(const QString& path);

private:
    void AddToolBar();
    void AddFilter(QWidget& page);
    void AddGrid(QWidget& page);
    void AddChart(QWidget& page);
    void ShowVariable(int index);
    void ExportImage();
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
    QList<ImportChartData::Variable> m_variables;
    QComboBox* m_cboVariable = nullptr;
    ImportChartView* m_chart = nullptr;
};
