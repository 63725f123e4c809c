#include "CommonFiles/ui/CommonLastRunViewer.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/ui/DialogHelp.h"
#include "CommonFiles/ui/DialogToolBar.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScopeGuard>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kLastRunColumn = 2;
const QString kHelpTopic = QStringLiteral("12213");

}  // namespace

CommonLastRunViewer::CommonLastRunViewer(CommonGlobals& globals, QWidget* parent) : QDialog(parent), m_globals(globals)
{
    setWindowTitle(QStringLiteral("Last Run Dates"));
    // The grid fills the window below the toolbar, a few pixels short of its edges.
    (new QVBoxLayout(this))->setContentsMargins(0, 0, 6, 2);
    AddToolBar();
    AddGrid();
    resize(900, 320);
    FillGrid();
}

void CommonLastRunViewer::AddToolBar()
{
    auto* toolBar = new DialogToolBar(*this);
    connect(toolBar->AddButton(QStringLiteral("save"), QStringLiteral("Save"),
                               QStringLiteral("Saves the edited last run dates into Korvel Orvex"),
                               QStyle::SP_DialogSaveButton),
            &QAction::triggered, this, &CommonLastRunViewer::Save);
    connect(toolBar->AddHelpButton(), &QAction::triggered, this, [this] { DialogHelp::Show(m_globals, kHelpTopic); });
    toolBar->AddCloseButton();
}

void CommonLastRunViewer::AddGrid()
{
    const QStringList headers{"Facility", "Facility ID", "Last Run Date", "Audit User", "Workstation",
                              "Netuser",  "IP",          "Local Path"};
    m_fpSpread = new QTableWidget(0, static_cast<int>(headers.size()), this);
    m_fpSpread->setObjectName(QStringLiteral("fpSpread"));
    m_fpSpread->setAccessibleName(QStringLiteral("Last Run Dates"));
    m_fpSpread->setHorizontalHeaderLabels(headers);
    m_fpSpread->horizontalHeader()->setStretchLastSection(true);
    layout()->addWidget(m_fpSpread);
}

void CommonLastRunViewer::FillGrid()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    m_rows = LastRunGrid(m_globals).FillGrid();
    m_fpSpread->setRowCount(static_cast<int>(m_rows.size()));
    for (int index = 0; index < m_rows.size(); ++index)
        AddRow(index, m_rows[index]);
    m_fpSpread->resizeColumnsToContents();
    if (!m_rows.isEmpty())
        m_fpSpread->setCurrentCell(0, kLastRunColumn);
}

void CommonLastRunViewer::AddRow(int index, const LastRunGrid::Row& row)
{
    const QStringList cells{row.facility,    row.facilityId, row.lastRun, row.auditUser,
                            row.workStation, row.netUser,    row.ip,      row.localPath};
    for (int column = 0; column < cells.size(); ++column) {
        auto* cell = new QTableWidgetItem(cells[column]);
        if (column != kLastRunColumn)
            cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
        m_fpSpread->setItem(index, column, cell);
    }
}

// Once every edited date is written, what the grid shows is what the
// target holds, and only later edits need writing.
bool CommonLastRunViewer::SaveGrid()
{
    QList<LastRunGrid::Row> rows = m_rows;
    for (int index = 0; index < rows.size(); ++index)
        rows[index].lastRun = m_fpSpread->item(index, kLastRunColumn)->text();
    if (!LastRunGrid(m_globals).SaveGrid(rows))
        return false;
    for (LastRunGrid::Row& row : rows)
        row.readLastRun = row.lastRun;
    m_rows = rows;
    return true;
}

void CommonLastRunViewer::Save()
{
    if (SaveGrid())
        m_globals.msgBox().QelMsgBox(QStringLiteral("Saved successfully"), QELmsgBoxHandler::Information);
    else
        m_globals.msgBox().QelMsgBox(QStringLiteral("Unable to save last run dates"), QELmsgBoxHandler::Exclamation);
}
