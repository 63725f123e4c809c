#include "CommonFiles/ui/DialogToolBar.h"

#include <QAction>
#include <QDialog>
#include <QLayout>

DialogToolBar::DialogToolBar(QDialog& owner) : QToolBar(&owner), m_owner(owner)
{
    setObjectName(QStringLiteral("myToolBar"));
    setAccessibleName(QStringLiteral("Toolbar"));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    owner.layout()->setMenuBar(this);
}

QAction* DialogToolBar::AddButton(const QString& key, const QString& caption, const QString& tip,
                                  QStyle::StandardPixmap icon)
{
    QAction* action = addAction(style()->standardIcon(icon), caption);
    action->setObjectName(key);
    action->setToolTip(tip);
    QWidget* button = widgetForAction(action);
    button->setObjectName(key);
    button->setAccessibleName(caption);
    return action;
}

QAction* DialogToolBar::AddHelpButton()
{
    return AddButton(QStringLiteral("help"), QStringLiteral("Help"), QStringLiteral("Displays Help Article"),
                     QStyle::SP_DialogHelpButton);
}

void DialogToolBar::AddCloseButton()
{
    connect(AddButton(QStringLiteral("close"), QStringLiteral("Close"), QStringLiteral("Closes this form"),
                      QStyle::SP_DialogCloseButton),
            &QAction::triggered, &m_owner, &QDialog::close);
}
