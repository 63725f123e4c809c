#include "CommonFiles/ui/CommonTypeConfigCache.h"

#include "CommonFiles/control/SettingRules.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/ui/EnabledChoice.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>

namespace Keys = ConfigurationKeyNames::Source;

CommonTypeConfigCache::CommonTypeConfigCache(CommonGlobals& globals, QWidget* parent)
    : SettingsDialog(globals, QStringLiteral("Advanced Configuration : Source Input Cache"), QStringLiteral("12132"),
                     parent)
{
    m_enabled = new EnabledChoice(QStringLiteral("optCache"), QStringLiteral("Cache When Appropriate"), this);
    layout()->addWidget(m_enabled);
    auto* limits = new QGroupBox(QStringLiteral("Cache only when"), this);
    auto* form = new QFormLayout(limits);
    AddLimit(*form, QStringLiteral("Number of Datapoints cached is below"), Keys::kCacheLimitByDatapoints,
             QStringLiteral("setDatapoints"), Keys::kCacheLimitByDatapointsSetpoint);
    AddLimit(*form, QStringLiteral("Number of Days in cached date range is below"), Keys::kCacheLimitByDays,
             QStringLiteral("setDays"), Keys::kCacheLimitByDaysSetpoint);
    AddLimit(*form, QStringLiteral("Number of Bytes cached is below"), Keys::kCacheLimitByBytes,
             QStringLiteral("setBytes"), Keys::kCacheLimitByBytesSetpoint);
    layout()->addWidget(limits);
    Refresh();
}

// The check box is named after its set point ("setDays" → "chkDays").
void CommonTypeConfigCache::AddLimit(QFormLayout& form, const QString& caption, const QString& boxKey,
                                     const QString& name, const QString& setPointKey)
{
    auto* box = NamedControl<QCheckBox>(QStringLiteral("chk") + name.mid(3), caption);
    auto* setPoint = new QLineEdit(this);
    setPoint->setObjectName(name);
    setPoint->setAccessibleName(caption);
    form.addRow(box, setPoint);
    m_limits.append({box, boxKey, setPoint, setPointKey});
}

bool CommonTypeConfigCache::RefreshFromConfig()
{
    const QELConfiguration& config = globals().config();
    m_enabled->Load(config.item(Keys::kCacheEnabled));
    for (const Limit& limit : m_limits) {
        limit.box->setChecked(config.item(limit.boxKey).toUpper() == QStringLiteral("TRUE"));
        limit.setPoint->setText(config.item(limit.setPointKey));
    }
    return true;
}

bool CommonTypeConfigCache::ApplyToConfig()
{
    QELConfiguration& config = globals().config();
    config.setItem(Keys::kCacheEnabled, m_enabled->Stored());
    for (const Limit& limit : m_limits) {
        config.setItem(limit.boxKey, SettingRules::TrueFalse(limit.box->isChecked()));
        ApplyField(*limit.setPoint, limit.setPointKey);
    }
    return true;
}
