#include "CommonFiles/ui/CommonConfigUnits.h"

#include "CommonFiles/control/SettingRules.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/target/CommonUnitConvert.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLayout>
#include <QTableWidget>

namespace Keys = ConfigurationKeyNames::Target;

namespace {

constexpr int kRows = 100;
enum Column { kUse, kFrom, kKind, kFactor, kTo };

const QString kFtoC = QStringLiteral("Degrees F to C");
const QString kCtoF = QStringLiteral("Degrees C to F");
const QString kMultiplication = QStringLiteral("Multiplication");

QString RowKey(int row, const char* field)
{
    return Keys::kUnitConvertRowPrefix + QString::number(row + 1) + "\\" + field;
}

QString KindOfFactor(const QString& factor)
{
    if (factor.trimmed() == "-1")
        return kFtoC;
    if (factor.trimmed() == "-2")
        return kCtoF;
    return kMultiplication;
}

}  // namespace

CommonConfigUnits::CommonConfigUnits(CommonGlobals& globals, QWidget* parent)
    : SettingsDialog(globals, QStringLiteral("Advanced Configuration : Unit Conversion"), QStringLiteral("12132"),
                     parent)
{
    AddConversionGrid();
    Refresh();
}

void CommonConfigUnits::AddConversionGrid()
{
    m_chkEnabled = NamedControl<QCheckBox>(QStringLiteral("chkEnabled"), QStringLiteral("Convert Units"));
    m_grdUnits = new QTableWidget(kRows, 5, this);
    m_grdUnits->setObjectName(QStringLiteral("grdUnits"));
    m_grdUnits->setAccessibleName(QStringLiteral("Unit Conversions"));
    m_grdUnits->setHorizontalHeaderLabels({"Enabled", "From Unit", "Conversion", "Factor", "To Unit"});
    m_grdUnits->horizontalHeader()->setStretchLastSection(true);
    m_grdUnits->setMinimumSize(560, 320);
    for (int row = 0; row < kRows; ++row) {
        auto* kind = new QComboBox(m_grdUnits);
        kind->addItems({kMultiplication, kFtoC, kCtoF});
        kind->setAccessibleName(QStringLiteral("Conversion"));
        m_grdUnits->setCellWidget(row, kKind, kind);
    }
    layout()->addWidget(m_chkEnabled);
    layout()->addWidget(m_grdUnits);
}

// Start-up defines the rows before it reads the file; defining them again
// here finds them there and changes nothing, and keeps the window from
// failing on a configuration that was set up without them.
bool CommonConfigUnits::RefreshFromConfig()
{
    CommonUnitConvert(globals()).DefineTree();
    m_chkEnabled->setChecked(globals().config().item(Keys::kUnitConvertEnabled) == "TRUE");
    for (int row = 0; row < kRows; ++row)
        LoadRow(row);
    return true;
}

void CommonConfigUnits::LoadRow(int row)
{
    const QELConfiguration& config = globals().config();
    auto* use = new QTableWidgetItem;
    use->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    use->setCheckState(config.item(RowKey(row, "ENABLED")) == "TRUE" ? Qt::Checked : Qt::Unchecked);
    m_grdUnits->setItem(row, kUse, use);
    m_grdUnits->setItem(row, kFrom, new QTableWidgetItem(config.item(RowKey(row, "FROMUNIT"))));
    const QString factor = config.item(RowKey(row, "FACTOR"));
    const QString kind = KindOfFactor(factor);
    qobject_cast<QComboBox*>(m_grdUnits->cellWidget(row, kKind))->setCurrentText(kind);
    m_grdUnits->setItem(row, kFactor, new QTableWidgetItem(kind == kMultiplication ? factor : QString()));
    m_grdUnits->setItem(row, kTo, new QTableWidgetItem(config.item(RowKey(row, "TOUNIT"))));
}

bool CommonConfigUnits::ApplyToConfig()
{
    globals().config().setItem(Keys::kUnitConvertEnabled, SettingRules::TrueFalse(m_chkEnabled->isChecked()));
    for (int row = 0; row < kRows; ++row)
        ApplyRow(row);
    return true;
}

void CommonConfigUnits::ApplyRow(int row)
{
    QELConfiguration& config = globals().config();
    config.setItem(RowKey(row, "ENABLED"),
                   SettingRules::TrueFalse(m_grdUnits->item(row, kUse)->checkState() == Qt::Checked));
    config.setItem(RowKey(row, "FROMUNIT"), m_grdUnits->item(row, kFrom)->text().trimmed());
    config.setItem(RowKey(row, "FACTOR"), FactorOf(row));
    config.setItem(RowKey(row, "TOUNIT"), m_grdUnits->item(row, kTo)->text().trimmed());
}

QString CommonConfigUnits::FactorOf(int row) const
{
    const QString kind = qobject_cast<QComboBox*>(m_grdUnits->cellWidget(row, kKind))->currentText();
    if (kind == kFtoC)
        return QStringLiteral("-1");
    if (kind == kCtoF)
        return QStringLiteral("-2");
    return m_grdUnits->item(row, kFactor)->text().trimmed();
}
