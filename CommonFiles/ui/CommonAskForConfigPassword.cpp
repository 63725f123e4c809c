#include "CommonFiles/ui/CommonAskForConfigPassword.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/ui/OkCancelHelpButtons.h"

#include <QFormLayout>
#include <QLineEdit>

CommonAskForConfigPassword::CommonAskForConfigPassword(CommonGlobals& globals, QWidget* owner)
    : QDialog(owner), m_globals(globals)
{
    setObjectName("CommonAskForConfigPassword");
    setWindowTitle("Configuration Password");
    m_txtPassword = new QLineEdit(this);
    m_txtPassword->setObjectName("txtPassword");
    m_txtPassword->setEchoMode(QLineEdit::Password);
    m_txtPassword->setAccessibleName("Configuration Password");
    auto* form = new QFormLayout(this);
    form->addRow("Configuration Password", m_txtPassword);
    form->addRow(new OkCancelHelpButtons(*this, m_globals, kHelpTopic, [this] { Ok(); }));
    setMinimumWidth(360);
}

QString CommonAskForConfigPassword::Password() const
{
    return m_txtPassword->text();
}

void CommonAskForConfigPassword::Ok()
{
    if (!m_globals.CheckConfigurationPassword(Password()))
        return;
    m_cancelPressed = false;
    accept();
}
