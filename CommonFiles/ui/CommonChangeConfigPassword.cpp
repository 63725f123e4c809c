#include "CommonFiles/ui/CommonChangeConfigPassword.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/ui/OkCancelHelpButtons.h"

#include <QFormLayout>
#include <QLineEdit>

CommonChangeConfigPassword::CommonChangeConfigPassword(CommonGlobals& globals, QWidget* owner)
    : QDialog(owner), m_globals(globals)
{
    setObjectName("CommonChangeConfigPassword");
    setWindowTitle("Change Configuration Password");
    auto* form = new QFormLayout(this);
    m_txtCurrent = AddPasswordField(*form, "txtCurrent", "Current Password");
    m_txtNew = AddPasswordField(*form, "txtNew", "New Password");
    m_txtNewAgain = AddPasswordField(*form, "txtNewAgain", "New Password Again");
    form->addRow(new OkCancelHelpButtons(*this, m_globals, kHelpTopic, [this] { Ok(); }));
    setMinimumWidth(360);
}

QLineEdit* CommonChangeConfigPassword::AddPasswordField(QFormLayout& form, const QString& name, const QString& label)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setEchoMode(QLineEdit::Password);
    field->setAccessibleName(label);
    form.addRow(label, field);
    return field;
}

QString CommonChangeConfigPassword::NewPassword() const
{
    return m_txtNew->text();
}

QString CommonChangeConfigPassword::Refusal() const
{
    const QString stored = m_globals.config().item(ConfigurationKeyNames::Options::kPasswordProtectConfigPassword);
    if (m_txtCurrent->text() != stored)
        return "Provided Current Password is invalid";
    if (m_txtNew->text() != m_txtNewAgain->text())
        return "New passwords do not match.";
    if (NewPassword().size() < kShortest)
        return "Password must be at least 5 characters long.";
    return {};
}

void CommonChangeConfigPassword::Ok()
{
    const QString refusal = Refusal();
    if (!refusal.isEmpty()) {
        m_globals.msgBox().QelMsgBox(refusal, QELmsgBoxHandler::Exclamation, "Unable to change password");
        return;
    }
    m_cancelPressed = false;
    accept();
}
