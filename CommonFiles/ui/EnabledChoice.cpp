#include "CommonFiles/ui/EnabledChoice.h"

#include "CommonFiles/control/SettingRules.h"

#include <QHBoxLayout>
#include <QRadioButton>

EnabledChoice::EnabledChoice(const QString& key, const QString& heading, QWidget* parent) : QGroupBox(heading, parent)
{
    setObjectName(key);
    setAccessibleName(heading);
    auto* row = new QHBoxLayout(this);
    const auto addOption = [this, row, &key, &heading](const QString& suffix, const QString& caption) {
        auto* option = new QRadioButton(caption, this);
        option->setObjectName(key + suffix);
        option->setAccessibleName(heading + " " + caption);
        row->addWidget(option);
        return option;
    };
    m_enabled = addOption(QStringLiteral("_enabled"), QStringLiteral("Enabled"));
    m_disabled = addOption(QStringLiteral("_disabled"), QStringLiteral("Disabled"));
    row->addStretch();
}

void EnabledChoice::Load(const QString& stored)
{
    const bool enabled = stored.toUpper() == QStringLiteral("TRUE");
    m_enabled->setChecked(enabled);
    m_disabled->setChecked(!enabled);
}

QString EnabledChoice::Stored() const
{
    return SettingRules::TrueFalse(m_enabled->isChecked());
}
