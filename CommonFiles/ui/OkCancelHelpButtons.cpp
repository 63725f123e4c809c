#include "CommonFiles/ui/OkCancelHelpButtons.h"

#include "CommonFiles/ui/DialogHelp.h"

#include <QDialog>
#include <QPushButton>

OkCancelHelpButtons::OkCancelHelpButtons(QDialog& owner, CommonGlobals& globals, const QString& helpTopic,
                                         std::function<void()> ok)
    : QDialogButtonBox(&owner)
{
    QPushButton* okButton = Add("ok", "OK", ActionRole);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, &owner, std::move(ok));
    connect(Add("cancel", "Cancel", RejectRole), &QPushButton::clicked, &owner, &QDialog::reject);
    connect(Add("help", "Help", ActionRole), &QPushButton::clicked, &owner,
            [&globals, helpTopic] { DialogHelp::Show(globals, helpTopic); });
}

QPushButton* OkCancelHelpButtons::Add(const QString& key, const QString& caption, ButtonRole role)
{
    QPushButton* button = addButton(caption, role);
    button->setObjectName(key);
    button->setAccessibleName(caption);
    return button;
}
