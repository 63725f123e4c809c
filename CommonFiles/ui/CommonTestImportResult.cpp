#include "CommonFiles/ui/CommonTestImportResult.h"

#include "CommonFiles/control/ReportFormat.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/ui/DialogHelp.h"
#include "CommonFiles/ui/DialogToolBar.h"
#include "CommonFiles/ui/ImportChartView.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kKindColumn = 3;
const QString kHelpTopic = QStringLiteral("7T3D1F");
const QStringList kHeaders{"Facility", "Variable", "Slot", "Kind", "Stored", "New", "Detail"};

QList<QStandardItem*> RowOf(const SlotDecision& d)
{
    const QStringList cells{d.facilityName,
                            ReportFormat::VariableText(d.facility, d.varId, d.variableName, d.number),
                            ReportFormat::SlotText(d.slot),
                            DiffReport::KindText(d.kind),
                            DiffReport::StoredText(d),
                            DiffReport::NewText(d),
                            DiffReport::Detail(d)};
    QList<QStandardItem*> row;
    for (const QString& cell : cells) {
        auto* item = new QStandardItem(cell);
        item->setEditable(false);
        row.append(item);
    }
    return row;
}

// A list with its caption at the start of a new row of the page.
QComboBox* AddList(QWidget& page, QHBoxLayout& row, const QString& caption, const QString& name,
                   const QString& accessibleName)
{
    auto* label = new QLabel(caption, &page);
    auto* list = new QComboBox(&page);
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    label->setBuddy(list);
    row.addWidget(label);
    qobject_cast<QVBoxLayout*>(page.layout())->addLayout(&row);
    return list;
}

}  // namespace

CommonTestImportResult::CommonTestImportResult(CommonGlobals& globals, DiffReport diff, QWidget* parent)
    : QDialog(parent), m_globals(globals), m_diff(std::move(diff))
{
    setObjectName(QStringLiteral("frmTestImportResult"));
    setWindowTitle(QStringLiteral("Test Import Result"));
    (new QVBoxLayout(this))->setContentsMargins(6, 0, 6, 6);
    AddToolBar();
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabResult"));
    tabs->setAccessibleName(QStringLiteral("Table or chart of the slots"));
    auto* table = new QWidget(tabs);
    new QVBoxLayout(table);
    AddFilter(*table);
    AddGrid(*table);
    auto* chart = new QWidget(tabs);
    new QVBoxLayout(chart);
    AddChart(*chart);
    tabs->addTab(table, QStringLiteral("&Table"));
    tabs->addTab(chart, QStringLiteral("C&hart"));
    layout()->addWidget(tabs);
    FillGrid();
    resize(1000, 480);
}

void CommonTestImportResult::AddToolBar()
{
    auto* toolBar = new DialogToolBar(*this);
    connect(toolBar->AddButton(QStringLiteral("export"), QStringLiteral("Export CSV"),
                               QStringLiteral("Saves the rows shown as a CSV file"), QStyle::SP_DialogSaveButton),
            &QAction::triggered, this, &CommonTestImportResult::Export);
    connect(toolBar->AddButton(QStringLiteral("exportImage"), QStringLiteral("Export Image"),
                               QStringLiteral("Saves the chart shown as an image"), QStyle::SP_DialogSaveButton),
            &QAction::triggered, this, &CommonTestImportResult::ExportImage);
    connect(toolBar->AddHelpButton(), &QAction::triggered, this, [this] { DialogHelp::Show(m_globals, kHelpTopic); });
    toolBar->AddCloseButton();
}

void CommonTestImportResult::AddFilter(QWidget& page)
{
    auto* row = new QHBoxLayout;
    m_cboKind = AddList(page, *row, QStringLiteral("&Kind:"), QStringLiteral("cboKind"), QStringLiteral("Kind shown"));
    m_cboKind->addItem(QStringLiteral("All kinds"));
    for (const SlotDecision::Kind kind : DiffReport::Kinds())
        m_cboKind->addItem(DiffReport::KindText(kind));
    m_lblCounts = new QLabel(&page);
    m_lblCounts->setObjectName(QStringLiteral("lblCounts"));
    m_lblCounts->setAccessibleName(QStringLiteral("Slots of each kind"));
    row->addWidget(m_cboKind);
    row->addWidget(m_lblCounts, 1);
    connect(m_cboKind, &QComboBox::currentIndexChanged, this, &CommonTestImportResult::FilterKind);
}

void CommonTestImportResult::AddGrid(QWidget& page)
{
    m_model = new QStandardItemModel(0, static_cast<int>(kHeaders.size()), this);
    m_model->setHorizontalHeaderLabels(kHeaders);
    m_shown = new QSortFilterProxyModel(this);
    m_shown->setSourceModel(m_model);
    m_shown->setFilterKeyColumn(kKindColumn);
    m_grdSlots = new QTableView(&page);
    m_grdSlots->setObjectName(QStringLiteral("grdSlots"));
    m_grdSlots->setAccessibleName(QStringLiteral("Slots of the test import"));
    m_grdSlots->setModel(m_shown);
    m_grdSlots->setSortingEnabled(true);
    m_grdSlots->sortByColumn(-1, Qt::AscendingOrder);
    m_grdSlots->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdSlots->horizontalHeader()->setStretchLastSection(true);
    page.layout()->addWidget(m_grdSlots);
}

void CommonTestImportResult::AddChart(QWidget& page)
{
    auto* row = new QHBoxLayout;
    m_cboVariable = AddList(page, *row, QStringLiteral("&Variable:"), QStringLiteral("cboVariable"),
                            QStringLiteral("Variable charted"));
    auto* reset = new QPushButton(QStringLiteral("&Reset Zoom"), &page);
    reset->setObjectName(QStringLiteral("btnResetZoom"));
    reset->setAccessibleName(QStringLiteral("Reset Zoom"));
    row->addWidget(m_cboVariable, 1);
    row->addWidget(reset);
    m_chart = new ImportChartView(&page);
    page.layout()->addWidget(m_chart);
    m_variables = ImportChartData::VariablesOf(m_diff);
    for (const ImportChartData::Variable& variable : m_variables)
        m_cboVariable->addItem(variable.text);
    connect(m_cboVariable, &QComboBox::currentIndexChanged, this, &CommonTestImportResult::ShowVariable);
    connect(reset, &QPushButton::clicked, m_chart, &ImportChartView::ResetZoom);
    ShowVariable(m_cboVariable->currentIndex());
}

// Only the variable charted is held beside the run's rows.
void CommonTestImportResult::ShowVariable(int index)
{
    if (index >= 0 && index < m_variables.size())
        m_chart->Show(ImportChartData::Of(m_diff, m_variables[index]));
}

void CommonTestImportResult::FillGrid()
{
    for (const SlotDecision& d : m_diff.Decisions())
        m_model->appendRow(RowOf(d));
    m_grdSlots->resizeColumnsToContents();
    m_lblCounts->setText(CountsText());
}

QString CommonTestImportResult::CountsText() const
{
    QList<qint32> counts(DiffReport::kKinds, 0);
    for (const SlotDecision& d : m_diff.Decisions())
        ++counts[static_cast<int>(d.kind)];
    QStringList parts;
    for (const SlotDecision::Kind kind : DiffReport::Kinds())
        parts.append(DiffReport::KindText(kind) + " " + QString::number(counts[static_cast<int>(kind)]));
    return parts.join(", ");
}

void CommonTestImportResult::FilterKind(int index)
{
    // The first entry shows every kind; the others one, matched whole.
    m_shown->setFilterRegularExpression(
        index == 0 ? QString() : "^" + QRegularExpression::escape(m_cboKind->itemText(index)) + "$");
}

bool CommonTestImportResult::ExportTo(const QString& path)
{
    const int index = m_cboKind->currentIndex();
    const DiffReport shown = index == 0 ? m_diff : m_diff.Only(DiffReport::Kinds().value(index - 1));
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(shown.Csv().toUtf8()) >= 0 && file.commit())
        return true;
    m_globals.msgBox().QelMsgBox("Unable to save " + path + ": " + file.errorString(), QELmsgBoxHandler::Exclamation);
    return false;
}

bool CommonTestImportResult::ExportImageTo(const QString& path)
{
    if (m_chart->SaveImage(path))
        return true;
    m_globals.msgBox().QelMsgBox("Unable to save " + path, QELmsgBoxHandler::Exclamation);
    return false;
}

void CommonTestImportResult::ExportImage()
{
    const QString filter = ImportChartView::CanSaveSvg() ? QStringLiteral("PNG images (*.png);;SVG images (*.svg)")
                                                         : QStringLiteral("PNG images (*.png)");
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export Image"), QString(), filter);
    if (!path.isEmpty())
        ExportImageTo(path);
}

void CommonTestImportResult::Export()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export CSV"), QString(),
                                                      QStringLiteral("CSV files (*.csv)"));
    if (!path.isEmpty())
        ExportTo(path);
}
