#include "CommonFiles/ui/CommonPickVariable.h"

#include "CommonFiles/collector/CommonVarGatherer.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/ui/DialogHelp.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelection>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <iterator>

namespace {

using Row = VariablePickerRows::Row;

// The import pickers share one help page.
const QString kHelpTopic = QStringLiteral("12058");

// Each row carries its variable as "facility key<TAB>variable id".
constexpr int kKeyRole = Qt::UserRole;

struct Column {
    const char* caption;
    QString Row::*detail;
};

const Column kColumns[] = {{"Var #", &Row::varNum},          {"LocPath", &Row::locPath},
                           {"Var Name", &Row::name},         {"Units", &Row::units},
                           {"TrackEvery", &Row::trackEvery}, {"Type", &Row::type},
                           {"DecPlaces", &Row::decPlaces},   {"Description", &Row::description},
                           {"ScadaTag", &Row::scadaTag},     {"stat", &Row::stat},
                           {"factor", &Row::factor}};

constexpr int kColumnCount = static_cast<int>(std::size(kColumns));

}  // namespace

CommonPickVariable::CommonPickVariable(CommonGlobals& globals, QWidget* parent) : QDialog(parent), m_globals(globals)
{
    setWindowTitle("Select Variables to Import");
    setModal(true);
    new QVBoxLayout(this);
    AddToolbar();
    AddFilters();
    AddVariableList();
    resize(1040, 480);
}

void CommonPickVariable::AddToolbar()
{
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName("Toolbar1");
    m_toolbar->setAccessibleName("Toolbar");
    layout()->setMenuBar(m_toolbar);
    const auto add = [this](const QString& key, const QString& caption, const QString& tip, auto slot) {
        QAction* action = m_toolbar->addAction(caption);
        action->setObjectName(key);
        action->setToolTip(tip);
        m_toolbar->widgetForAction(action)->setAccessibleName(caption);
        connect(action, &QAction::triggered, this, slot);
    };
    add("wizard", "OK", "Import the selected variables", &CommonPickVariable::TakeSelection);
    add("cancel", "Cancel", "Close without importing", &QDialog::reject);
    add("addall", "Select All", "Select every variable shown", [this] { SelectShown(true); });
    add("removeall", "Select None", "Unselect every variable shown", [this] { SelectShown(false); });
    add("help", "Help", "How to choose the variables to import", [this] { DialogHelp::Show(m_globals, kHelpTopic); });
}

void CommonPickVariable::AddFilters()
{
    auto* label = new QLabel("&Facility", this);
    m_cboFacility = new QComboBox(this);
    m_cboFacility->setObjectName("cboFacility");
    m_cboFacility->setAccessibleName("Facility");
    label->setBuddy(m_cboFacility);
    m_txtSearch = new QLineEdit(this);
    m_txtSearch->setObjectName("txtSearch");
    m_txtSearch->setAccessibleName("Search");
    m_txtSearch->setPlaceholderText("Search");
    m_txtSearch->setClearButtonEnabled(true);
    auto* filters = new QHBoxLayout;
    filters->addWidget(label);
    filters->addWidget(m_cboFacility, 1);
    filters->addWidget(m_txtSearch, 2);
    static_cast<QVBoxLayout*>(layout())->addLayout(filters);
    connect(m_cboFacility, &QComboBox::currentIndexChanged, this, &CommonPickVariable::ApplyFilter);
    connect(m_txtSearch, &QLineEdit::textChanged, this, &CommonPickVariable::ApplyFilter);
}

void CommonPickVariable::AddVariableList()
{
    m_lpVars = new QTableWidget(0, kColumnCount, this);
    m_lpVars->setObjectName("lpVars");
    m_lpVars->setAccessibleName("Variables");
    QStringList captions;
    for (const Column& column : kColumns)
        captions.append(column.caption);
    m_lpVars->setHorizontalHeaderLabels(captions);
    m_lpVars->horizontalHeader()->setStretchLastSection(true);
    m_lpVars->setSelectionBehavior(QAbstractItemView::SelectRows);
    // A click adds a variable to the choice or takes it out again.
    m_lpVars->setSelectionMode(QAbstractItemView::MultiSelection);
    m_lpVars->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout()->addWidget(m_lpVars);
}

bool CommonPickVariable::PreLoadVariables(const CommonVarGatherer& gatherer)
{
    const auto rows = VariablePickerRows(m_globals).Read(gatherer);
    if (!rows)
        return false;
    const QSignalBlocker quiet(m_cboFacility);
    m_cboFacility->clear();
    m_cboFacility->addItem("All");
    m_lpVars->setRowCount(0);
    for (const Row& row : *rows) {
        if (m_cboFacility->findData(row.facility) < 0) {
            const QString name = gatherer.FacilID2FacilNameHash.Item(row.facility);
            m_cboFacility->addItem(name.isEmpty() ? row.facility : name, row.facility);
        }
        AddRow(row);
    }
    m_lpVars->resizeColumnsToContents();
    ApplyFilter();
    return true;
}

void CommonPickVariable::AddRow(const Row& row)
{
    const int index = m_lpVars->rowCount();
    m_lpVars->insertRow(index);
    for (int column = 0; column < kColumnCount; ++column)
        m_lpVars->setItem(index, column, new QTableWidgetItem(row.*kColumns[column].detail));
    m_lpVars->item(index, 0)->setData(kKeyRole, QString(row.facility + '\t' + QString::number(row.id)));
    // With every facility shown, the row header tells them apart.
    m_lpVars->setVerticalHeaderItem(index, new QTableWidgetItem(row.facility));
}

QPair<QString, qint32> CommonPickVariable::Variable(int row) const
{
    const QString key = m_lpVars->item(row, 0)->data(kKeyRole).toString();
    return {key.section('\t', 0, 0), key.section('\t', 1).toInt()};
}

void CommonPickVariable::ApplyFilter()
{
    const QString facility = m_cboFacility->currentData().toString();
    const QString search = m_txtSearch->text().trimmed();
    for (int row = 0; row < m_lpVars->rowCount(); ++row)
        m_lpVars->setRowHidden(row, !RowShown(row, facility, search));
}

bool CommonPickVariable::RowShown(int row, const QString& facility, const QString& search) const
{
    if (!facility.isEmpty() && Variable(row).first != facility)
        return false;
    if (search.isEmpty())
        return true;
    for (int column = 0; column < kColumnCount; ++column)
        if (m_lpVars->item(row, column)->text().contains(search, Qt::CaseInsensitive))
            return true;
    return false;
}

void CommonPickVariable::SelectShown(bool select)
{
    QItemSelection shown;
    for (int row = 0; row < m_lpVars->rowCount(); ++row)
        if (!m_lpVars->isRowHidden(row))
            shown.select(m_lpVars->model()->index(row, 0), m_lpVars->model()->index(row, kColumnCount - 1));
    m_lpVars->selectionModel()->select(shown, select ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

void CommonPickVariable::TakeSelection()
{
    m_result = {SessionPrompts::PickOutcome::Picked, {}};
    for (int row = 0; row < m_lpVars->rowCount(); ++row)
        if (m_lpVars->selectionModel()->isRowSelected(row))
            m_result.variables.append(Variable(row));
    accept();
}

void CommonPickVariable::reject()
{
    m_result = {};
    QDialog::reject();
}

SessionPrompts::Picks CommonPickVariable::PickVariables(const CommonVarGatherer& gatherer)
{
    if (!PreLoadVariables(gatherer))
        return {SessionPrompts::PickOutcome::NothingReturned, {}};
    exec();
    return m_result;
}
