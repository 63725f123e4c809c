#include "CommonFiles/ui/CommonConfigAInfo.h"

#include "CommonFiles/control/SettingRules.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/target/CommonAINFOnavigator.h"
#include "CommonFiles/ui/CommonConfigAInfoOrvex.h"
#include "CommonFiles/ui/CommonConfigAInfoSRC.h"
#include "source/CustomConfiguration.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLayout>
#include <QPushButton>
#include <QTableWidget>

namespace Keys = ConfigurationKeyNames::Target;

namespace {

enum Column { kUse, kSource, kTarget };

}  // namespace

CommonConfigAInfo::CommonConfigAInfo(CommonGlobals& globals, const QList<AdditionalInfoFields::Field>& targetFields,
                                     QWidget* parent)
    : SettingsDialog(globals, QStringLiteral("Advanced Configuration : Additional Info"), QStringLiteral("12598"),
                     parent),
      m_targetFields(targetFields)
{
    m_chkEnabled =
        NamedControl<QCheckBox>(QStringLiteral("chkEnabled"), QStringLiteral("Write Additional Info Fields"));
    m_chkLogNumberWrites = NamedControl<QCheckBox>(QStringLiteral("chkLogNumberWrites"),
                                                   QStringLiteral("Log Number of Additional Info Fields Written"));
    layout()->addWidget(m_chkEnabled);
    layout()->addWidget(m_chkLogNumberWrites);
    AddMapGrid();
    AddPickButtons();
    Refresh();
}

void CommonConfigAInfo::Open(CommonGlobals& globals, QWidget* parent)
{
    if (const auto fields = AdditionalInfoFields(globals).Read())
        CommonConfigAInfo(globals, *fields, parent).exec();
}

void CommonConfigAInfo::AddMapGrid()
{
    m_grdMap = new QTableWidget(CommonAINFOnavigator::kMapRows, 3, this);
    m_grdMap->setObjectName(QStringLiteral("grdMap"));
    m_grdMap->setAccessibleName(QStringLiteral("Additional Info Fields"));
    m_grdMap->setHorizontalHeaderLabels({"Enabled", "Source Field", "Korvel Orvex Field"});
    m_grdMap->horizontalHeader()->setStretchLastSection(true);
    m_grdMap->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdMap->setMinimumSize(520, 320);
    layout()->addWidget(m_grdMap);
}

void CommonConfigAInfo::AddPickButtons()
{
    auto* row = new QHBoxLayout;
    for (const auto& [name, caption, choose] :
         {std::tuple{"cmdSource", "Choose Source Field", &CommonConfigAInfo::ChooseSource},
          std::tuple{"cmdOrvex", "Choose Korvel Orvex Field", &CommonConfigAInfo::ChooseTarget}}) {
        auto* button = NamedControl<QPushButton>(QString::fromLatin1(name), QString::fromLatin1(caption));
        connect(button, &QPushButton::clicked, this, choose);
        row->addWidget(button);
    }
    qobject_cast<QBoxLayout*>(layout())->addLayout(row);
}

bool CommonConfigAInfo::RefreshFromConfig()
{
    const QELConfiguration& config = globals().config();
    m_chkEnabled->setChecked(config.item(Keys::kAinfoEnabled) == "TRUE");
    m_chkLogNumberWrites->setChecked(config.item(Keys::kAinfoLogNumberWrites) == "TRUE");
    const QList<AdditionalInfoMap::Row> rows = AdditionalInfoMap::Read(config);
    for (int i = 0; i < rows.size(); ++i) {
        auto* use = new QTableWidgetItem;
        use->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        use->setCheckState(rows[i].enabled ? Qt::Checked : Qt::Unchecked);
        m_grdMap->setItem(i, kUse, use);
        m_grdMap->setItem(i, kSource, new QTableWidgetItem(rows[i].sourceId));
        // A target column is only ever chosen from the target's own list.
        auto* target = new QTableWidgetItem(rows[i].targetId);
        target->setFlags(target->flags() & ~Qt::ItemIsEditable);
        m_grdMap->setItem(i, kTarget, target);
    }
    return true;
}

QList<AdditionalInfoMap::Row> CommonConfigAInfo::Rows() const
{
    QList<AdditionalInfoMap::Row> rows;
    for (int i = 0; i < m_grdMap->rowCount(); ++i)
        rows.append({m_grdMap->item(i, kUse)->checkState() == Qt::Checked, m_grdMap->item(i, kTarget)->text(),
                     m_grdMap->item(i, kSource)->text()});
    return rows;
}

QString CommonConfigAInfo::Refusal()
{
    return AdditionalInfoMap::Refusal(Rows());
}

bool CommonConfigAInfo::ApplyToConfig()
{
    QELConfiguration& config = globals().config();
    config.setItem(Keys::kAinfoEnabled, SettingRules::TrueFalse(m_chkEnabled->isChecked()));
    config.setItem(Keys::kAinfoLogNumberWrites, SettingRules::TrueFalse(m_chkLogNumberWrites->isChecked()));
    AdditionalInfoMap::Store(config, Rows());
    return true;
}

// The row the person is on; the first one before they chose any.
QTableWidgetItem& CommonConfigAInfo::Current(int column) const
{
    return *m_grdMap->item(qMax(m_grdMap->currentRow(), 0), column);
}

void CommonConfigAInfo::ChooseSource()
{
    const QStringList fields = CustomConfiguration::SourceFieldList().split(QChar(0), Qt::SkipEmptyParts);
    CommonConfigAInfoSRC picker(globals(), fields, Current(kSource).text(), this);
    TakeChoice(picker, kSource);
}

void CommonConfigAInfo::ChooseTarget()
{
    CommonConfigAInfoOrvex picker(globals(), m_targetFields, Current(kTarget).text(), this);
    TakeChoice(picker, kTarget);
}

void CommonConfigAInfo::TakeChoice(AInfoFieldPicker& picker, int column)
{
    if (const auto chosen = picker.Choose())
        Current(column).setText(*chosen);
}
