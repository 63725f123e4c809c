#include "CommonFiles/ui/CommonUISuperUserLogin.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/ui/DialogHelp.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The import pickers share one help page.
const QString kHelpTopic = QStringLiteral("12058");

}  // namespace

CommonUISuperUserLogin::CommonUISuperUserLogin(CommonGlobals& globals, SessionPrompts::CredentialCheck check,
                                               QWidget* parent)
    : QDialog(parent), m_globals(globals), m_check(std::move(check))
{
    setWindowTitle("Must Provide Korvel Orvex Super User Credentials");
    setModal(true);
    new QFormLayout(this);
    m_txtUserName = AddField("txtUserName", "Korvel Orvex User Name");
    m_txtPassword = AddField("txtPassword", "Korvel Orvex Password");
    m_txtPassword->setEchoMode(QLineEdit::Password);
    AddButtons();
}

QLineEdit* CommonUISuperUserLogin::AddField(const QString& objectName, const QString& label)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(objectName);
    field->setAccessibleName(label);
    field->setMinimumWidth(220);
    static_cast<QFormLayout*>(layout())->addRow(label, field);
    return field;
}

void CommonUISuperUserLogin::AddButtons()
{
    auto* buttons = new QDialogButtonBox(this);
    const auto add = [this, buttons](const QString& key, const QString& caption, QDialogButtonBox::ButtonRole role,
                                     auto slot) {
        QPushButton* button = buttons->addButton(caption, role);
        button->setObjectName(key);
        button->setAccessibleName(QString(caption).remove('&'));
        connect(button, &QPushButton::clicked, this, slot);
        return button;
    };
    add("ok", "&OK", QDialogButtonBox::AcceptRole, &CommonUISuperUserLogin::TryLogin)->setDefault(true);
    add("cancel", "&Cancel", QDialogButtonBox::RejectRole, &QDialog::reject);
    add("help", "&Help", QDialogButtonBox::HelpRole, [this] { DialogHelp::Show(m_globals, kHelpTopic); });
    static_cast<QFormLayout*>(layout())->addRow(buttons);
}

std::optional<SessionPrompts::Credentials> CommonUISuperUserLogin::AskSuperUser()
{
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return Typed();
}

SessionPrompts::Credentials CommonUISuperUserLogin::Typed() const
{
    return {m_txtUserName->text(), m_txtPassword->text()};
}

void CommonUISuperUserLogin::TryLogin()
{
    const QString refusal = m_check(Typed());
    if (refusal.isEmpty()) {
        accept();
        return;
    }
    m_globals.msgBox().QelMsgBox(refusal, QELmsgBoxHandler::Exclamation);
    m_txtPassword->selectAll();
    m_txtPassword->setFocus();
}
