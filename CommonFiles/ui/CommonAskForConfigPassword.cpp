#include "CommonFiles/ui/CommonAskForConfigPassword.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/ui/DialogHelp.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

CommonAskForConfigPassword::CommonAskForConfigPassword(CommonGlobals& globals, QWidget* owner)
    : QDialog(owner), m_globals(globals)
{
    setObjectName("CommonAskForConfigPassword");
    setWindowTitle("Configuration Password");
    m_txtPassword = new QLineEdit(this);
    m_txtPassword->setObjectName("txtPassword");
    m_txtPassword->setEchoMode(QLineEdit::Password);
    m_txtPassword->setAccessibleName("Configuration Password");
    auto* buttons = new QDialogButtonBox(this);
    const auto addButton = [buttons](const QString& key, const QString& caption, QDialogButtonBox::ButtonRole role) {
        QPushButton* button = buttons->addButton(caption, role);
        button->setObjectName(key);
        button->setAccessibleName(caption);
        return button;
    };
    QPushButton* ok = addButton("ok", "OK", QDialogButtonBox::ActionRole);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CommonAskForConfigPassword::Ok);
    connect(addButton("cancel", "Cancel", QDialogButtonBox::RejectRole), &QPushButton::clicked, this, &QDialog::reject);
    connect(addButton("help", "Help", QDialogButtonBox::ActionRole), &QPushButton::clicked, this,
            [this] { DialogHelp::Show(m_globals, kHelpTopic); });
    auto* form = new QFormLayout(this);
    form->addRow("Configuration Password", m_txtPassword);
    form->addRow(buttons);
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
