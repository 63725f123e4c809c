#include "CommonFiles/ui/CommonConfigAdvanced.h"

#include "CommonFiles/control/SettingRules.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/ui/CommonAskForConfigPassword.h"
#include "CommonFiles/ui/CommonChangeConfigPassword.h"
#include "CommonFiles/ui/CommonConfigAInfo.h"
#include "CommonFiles/ui/CommonConfigUnits.h"
#include "CommonFiles/ui/CommonTypeConfigCache.h"
#include "CommonFiles/ui/EnabledChoice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace Keys = ConfigurationKeyNames;

namespace {

constexpr int kHighestLogLevel = 9;
const QString kYes = QStringLiteral("YES");

}  // namespace

CommonConfigAdvanced::CommonConfigAdvanced(CommonGlobals& globals, QWidget* parent)
    : SettingsDialog(globals, QStringLiteral("Advanced Configuration"), QStringLiteral("12045"), parent)
{
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    tabs->addTab(AddLoggingTab(), QStringLiteral("Logging"));
    tabs->addTab(AddSecurityTab(), QStringLiteral("Security"));
    tabs->addTab(AddRecoveryTab(), QStringLiteral("Recovery"));
    tabs->addTab(AddPerformanceTab(), QStringLiteral("Performance"));
    layout()->addWidget(tabs);
    AddSubWindowButtons();
    Refresh();
}

QWidget* CommonConfigAdvanced::AddLoggingTab()
{
    auto* tab = new QWidget(this);
    auto* form = new QFormLayout(tab);
    m_logLevel = new QComboBox(tab);
    m_logLevel->setObjectName(QStringLiteral("o_log_level"));
    m_logLevel->setAccessibleName(QStringLiteral("Log Level"));
    for (int level = 0; level <= kHighestLogLevel; ++level)
        m_logLevel->addItem(QString::number(level));
    form->addRow(QStringLiteral("Log Level"), m_logLevel);
    m_serviceName = AddField(*form, QStringLiteral("o_ntservice_name"), QStringLiteral("Service Name"));
    AddNumberField(m_loggingNumbers, *form, QStringLiteral("o_log_keepdays"),
                   QStringLiteral("Days to Keep Logs [7 - 1000]"), Keys::Options::kKeepLogsFor);
    AddNumberField(m_loggingNumbers, *form, QStringLiteral("o_display_status"),
                   QStringLiteral("Refresh Service Status Every (seconds) [0 - 99]"),
                   Keys::Options::kRefreshStatusSeconds);
    AddNumberField(m_loggingNumbers, *form, QStringLiteral("o_display_log"),
                   QStringLiteral("Refresh Activity Log Every (seconds) [0 - 99]"), Keys::Options::kRefreshLogSeconds);
    AddNumberField(m_loggingNumbers, *form, QStringLiteral("o_display_bytes"),
                   QStringLiteral("Activity Log Bytes Shown [1024 - 99999]"), Keys::Options::kRefreshLogSize);
    return tab;
}

QWidget* CommonConfigAdvanced::AddSecurityTab()
{
    auto* tab = new QWidget(this);
    auto* form = new QFormLayout(tab);
    m_protectEncrypt =
        AddCheckBox(*form, QStringLiteral("o_protect_encrypt"), QStringLiteral("Encrypt Configuration File"));
    m_requireInteractive = AddCheckBox(
        *form, QStringLiteral("o_require_interactive"),
        QStringLiteral("Require Korvel Orvex Super User Login Credentials to Import Data in Interactive Mode"));
    m_protectChange = AddCheckBox(*form, QStringLiteral("o_protect_change"),
                                  QStringLiteral("Require Password to Change Configuration"));
    return tab;
}

QWidget* CommonConfigAdvanced::AddRecoveryTab()
{
    auto* tab = new QWidget(this);
    auto* form = new QFormLayout(tab);
    form->addRow(new QLabel(QStringLiteral("When Source Connection breaks"), tab));
    AddNumberField(m_recoveryNumbers, *form, QStringLiteral("o_source_reconnect_total"),
                   QStringLiteral("Source Reconnect Attempts [0 - 999]"), Keys::Source::kRecoveryAttempts);
    AddNumberField(m_recoveryNumbers, *form, QStringLiteral("o_source_reconnect_second"),
                   QStringLiteral("Source Seconds Between Attempts [1 - 59]"), Keys::Source::kRecoverySeconds);
    form->addRow(new QLabel(QStringLiteral("When Korvel Orvex Connection breaks"), tab));
    AddNumberField(m_recoveryNumbers, *form, QStringLiteral("o_orvex_reconnect_total"),
                   QStringLiteral("Korvel Orvex Reconnect Attempts [0 - 999]"), Keys::Target::kRecoveryAttempts);
    AddNumberField(m_recoveryNumbers, *form, QStringLiteral("o_orvex_reconnect_second"),
                   QStringLiteral("Korvel Orvex Seconds Between Attempts [1 - 59]"), Keys::Target::kRecoverySeconds);
    return tab;
}

QWidget* CommonConfigAdvanced::AddPerformanceTab()
{
    auto* tab = new QWidget(this);
    auto* form = new QFormLayout(tab);
    m_throttle = new EnabledChoice(QStringLiteral("o_throttle"), QStringLiteral("Performance Throttle"), tab);
    form->addRow(m_throttle);
    m_pollWait = AddField(*form, QStringLiteral("txtPollWait"),
                          QStringLiteral("Insert Artifical Wait between Source Polling (milliseconds)"));
    m_msgBefore =
        new EnabledChoice(QStringLiteral("o_msg_before"), QStringLiteral("Process Messages Before Wait"), tab);
    form->addRow(m_msgBefore);
    m_msgAfter = new EnabledChoice(QStringLiteral("o_msg_after"), QStringLiteral("Process Messages After Wait"), tab);
    form->addRow(m_msgAfter);
    return tab;
}

void CommonConfigAdvanced::AddSubWindowButtons()
{
    auto* row = new QHBoxLayout;
    QPushButton* additionalInfo =
        NamedControl<QPushButton>(QStringLiteral("cmdAdditionalInfo"), QStringLiteral("Configure Additional Info"));
    connect(additionalInfo, &QPushButton::clicked, this, [this] { CommonConfigAInfo::Open(globals(), this); });
    row->addWidget(additionalInfo);
    QPushButton* conversion =
        NamedControl<QPushButton>(QStringLiteral("cmdConversion"), QStringLiteral("Configure Conversion"));
    connect(conversion, &QPushButton::clicked, this, [this] { CommonConfigUnits(globals(), this).exec(); });
    row->addWidget(conversion);
    QPushButton* caching = NamedControl<QPushButton>(QStringLiteral("cmdCaching"), QStringLiteral("Configure Caching"));
    connect(caching, &QPushButton::clicked, this, [this] { CommonTypeConfigCache(globals(), this).exec(); });
    row->addWidget(caching);
    row->addStretch();
    static_cast<QBoxLayout*>(layout())->addLayout(row);
}

void CommonConfigAdvanced::AddNumberField(QList<NumberField>& fields, QFormLayout& form, const QString& name,
                                          const QString& label, const QString& key)
{
    fields.append({key, AddField(form, name, label)});
}

QCheckBox* CommonConfigAdvanced::AddCheckBox(QFormLayout& form, const QString& name, const QString& caption)
{
    auto* box = NamedControl<QCheckBox>(name, caption);
    form.addRow(box);
    return box;
}

// The check boxes read their keys as the rest of the program does: the
// encryption in any letter case, the two password keys only as "YES".
bool CommonConfigAdvanced::RefreshFromConfig()
{
    const QELConfiguration& config = globals().config();
    m_logLevel->setCurrentIndex(m_logLevel->findText(config.item(Keys::Options::kLogVerbosity)));
    m_serviceName->setText(config.item(Keys::Options::kInstanceServiceName));
    for (const NumberField& number : m_loggingNumbers + m_recoveryNumbers)
        number.field->setText(config.item(number.key));
    m_protectEncrypt->setChecked(config.item(Keys::Options::kEncryptProtectConfig).toUpper() == kYes);
    m_requireInteractive->setChecked(config.item(Keys::Options::kPasswordProtectInteractiveImport) == kYes);
    m_protectChange->setChecked(config.item(Keys::Options::kPasswordProtectConfig) == kYes);
    m_throttle->Load(config.item(Keys::Performance::kThrottle));
    m_pollWait->setText(config.item(Keys::Performance::kPollWait));
    m_msgBefore->Load(config.item(Keys::Performance::kMsgBefore));
    m_msgAfter->Load(config.item(Keys::Performance::kMsgAfter));
    return true;
}

bool CommonConfigAdvanced::ApplyToConfig()
{
    QELConfiguration& config = globals().config();
    config.setItem(Keys::Options::kLogVerbosity, m_logLevel->currentText());
    ApplyField(*m_serviceName, Keys::Options::kInstanceServiceName);
    ApplyNumbers(m_loggingNumbers);
    config.setItem(Keys::Options::kEncryptProtectConfig, SettingRules::YesNo(m_protectEncrypt->isChecked()));
    config.setItem(Keys::Options::kPasswordProtectInteractiveImport,
                   SettingRules::YesNo(m_requireInteractive->isChecked()));
    ApplyPasswordProtection();
    ApplyNumbers(m_recoveryNumbers);
    config.setItem(Keys::Performance::kThrottle, m_throttle->Stored());
    ApplyField(*m_pollWait, Keys::Performance::kPollWait);
    config.setItem(Keys::Performance::kMsgBefore, m_msgBefore->Stored());
    config.setItem(Keys::Performance::kMsgAfter, m_msgAfter->Stored());
    return true;
}

void CommonConfigAdvanced::ApplyNumbers(const QList<NumberField>& fields)
{
    for (const NumberField& number : fields)
        ApplyField(*number.field, number.key);
}

// Only a change of the box asks for a password; the box goes back to the
// stored state when the person cancels.
void CommonConfigAdvanced::ApplyPasswordProtection()
{
    const bool stored = globals().config().item(Keys::Options::kPasswordProtectConfig) == kYes;
    if (m_protectChange->isChecked() == stored)
        return;
    if (stored)
        SwitchProtectionOff();
    else
        SwitchProtectionOn();
}

void CommonConfigAdvanced::SwitchProtectionOn()
{
    CommonChangeConfigPassword dialog(globals(), this);
    dialog.exec();
    if (dialog.CancelPressed()) {
        m_protectChange->setChecked(false);
        return;
    }
    globals().config().setItem(Keys::Options::kPasswordProtectConfigPassword, dialog.NewPassword());
    globals().config().setItem(Keys::Options::kPasswordProtectConfig, kYes);
}

void CommonConfigAdvanced::SwitchProtectionOff()
{
    CommonAskForConfigPassword dialog(globals(), this);
    dialog.exec();
    if (dialog.CancelPressed()) {
        m_protectChange->setChecked(true);
        return;
    }
    globals().config().setItem(Keys::Options::kPasswordProtectConfig, SettingRules::YesNo(false));
}
