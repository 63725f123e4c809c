#pragma once

#include "CommonFiles/control/LastRunGrid.h"

#include <QDialog>

class CommonGlobals;
class QTableWidget;

// The collector's last-run dates, one row per facility holding its
// variables, where a person corrects the date a facility's next scheduled
// import starts from. Only the date column can be edited. A save writes
// the dates edited since the grid was filled, so the dates the service
// advances meanwhile stay as the service left them.
class CommonLastRunViewer : public QDialog {
    Q_OBJECT
public:
    explicit CommonLastRunViewer(CommonGlobals& globals, QWidget* parent = nullptr);

private:
    void AddToolBar();
    void AddGrid();
    void FillGrid();
    void AddRow(int index, const LastRunGrid::Row& row);
    bool SaveGrid();
    void Save();

    CommonGlobals& m_globals;
    QTableWidget* m_fpSpread = nullptr;
    // The rows as filled; their dates tell an edited cell.
    QList<LastRunGrid::Row> m_rows;
};
