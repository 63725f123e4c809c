#include "CommonFiles/ui/SettingsDialog.h"

#include "CommonFiles/control/SettingRules.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/ui/ConfigurationSave.h"
#include "CommonFiles/ui/DialogHelp.h"
#include "CommonFiles/ui/DialogToolBar.h"
#include "platform/NumberedError.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <functional>

namespace {

// A step of a window's refresh or apply: a configuration error raised
// inside it counts as the step failing, which the window then tells.
bool Succeeds(const std::function<bool()>& step)
{
    try {
        return step();
    } catch (const NumberedError&) {
        return false;
    }
}

}  // namespace

SettingsDialog::SettingsDialog(CommonGlobals& globals, const QString& caption, const QString& helpTopic,
                               QWidget* parent)
    : QDialog(parent), m_globals(globals), m_helpTopic(helpTopic)
{
    setWindowTitle(caption);
    new QVBoxLayout(this);
    m_toolBar = new DialogToolBar(*this);
    connect(m_toolBar->AddButton(QStringLiteral("check"), QStringLiteral("Apply Settings"),
                                 QStringLiteral("Applies settings (but does not save into configuration XML)"),
                                 QStyle::SP_DialogApplyButton),
            &QAction::triggered, this, &SettingsDialog::Apply);
    connect(m_toolBar->AddButton(QStringLiteral("save"), QStringLiteral("Save Settings"),
                                 QStringLiteral("Applies Settings and Saves them into Configuration XML"),
                                 QStyle::SP_DialogSaveButton),
            &QAction::triggered, this, &SettingsDialog::Save);
    connect(m_toolBar->AddHelpButton(), &QAction::triggered, this,
            [this] { DialogHelp::Show(m_globals, m_helpTopic); });
    m_toolBar->AddCloseButton();
}

QLineEdit* SettingsDialog::AddField(QFormLayout& form, const QString& name, const QString& label)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setAccessibleName(label);
    form.addRow(label, field);
    return field;
}

void SettingsDialog::Refresh()
{
    if (!Succeeds([this] { return RefreshFromConfig(); }))
        m_globals.msgBox().QelMsgBox(QStringLiteral("Failed to refresh UI from CONFIG"));
}

void SettingsDialog::ApplyField(QLineEdit& field, const QString& key)
{
    QELConfiguration& config = m_globals.config();
    const SettingRules::Outcome outcome = SettingRules::Apply(key, field.text(), config.item(key));
    for (const SettingRules::Message& message : outcome.messages)
        m_globals.msgBox().QelMsgBox(message.text, QELmsgBoxHandler::Exclamation, message.title);
    if (!outcome.refused)
        config.setItem(key, outcome.value);
    field.setText(outcome.value);
}

// Applies, telling the person when that fails.
bool SettingsDialog::Apply()
{
    if (const QString refusal = Refusal(); !refusal.isEmpty()) {
        m_globals.msgBox().QelMsgBox(refusal, QELmsgBoxHandler::Exclamation, QStringLiteral("Validation failed"));
        return false;
    }
    const bool applied = Succeeds([this] { return ApplyToConfig(); });
    if (!applied)
        m_globals.msgBox().QelMsgBox(QStringLiteral("Unable to apply settings"), QELmsgBoxHandler::Exclamation);
    return applied;
}

// Settings that could not be applied are not saved: the person has been
// told, and a "Saved successfully" after it would say the opposite.
void SettingsDialog::Save()
{
    if (Apply())
        ConfigurationSave::SaveAndReport(m_globals);
}
