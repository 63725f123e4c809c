#include "CommonFiles/ui/CommonNTWindow.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/service/QELntSvcWatcher.h"
#include "CommonFiles/ui/DialogHelp.h"
#include "CommonFiles/ui/ServiceStatusLabel.h"

#include <QAction>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace Keys = ConfigurationKeyNames;

CommonNTWindow::CommonNTWindow(CommonGlobals& globals, QWidget* parent)
    : QDialog(parent),
      m_globals(globals),
      m_watcher(new QELntSvcWatcher(globals, this)),
      m_status(new ServiceStatusLabel("Stopped", this)),
      m_toolBar(new QToolBar("Toolbar", this)),
      m_body(new QVBoxLayout),
      m_statusBar(new QStatusBar(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_status->setObjectName("lblStatus");
    connect(m_watcher, &QELntSvcWatcher::StatusShown, m_status, &ServiceStatusLabel::Show);
    m_toolBar->setObjectName("myToolBar");
    m_toolBar->setAccessibleName("Toolbar");
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_statusBar->setObjectName("StatusBar1");
    m_statusBar->setAccessibleName("Status Bar");
    m_statusBar->setSizeGripEnabled(false);
    m_namePanel = AddPanel("Name of the Service currently monitored");
    m_namePanel->setObjectName("ServiceName");
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->setSpacing(0);
    frame->setMenuBar(m_toolBar);
    frame->addLayout(m_body, 1);
    frame->addWidget(m_statusBar);
}

QString CommonNTWindow::ConfiguredName() const
{
    return m_globals.config().item(Keys::Options::kInstanceServiceName);
}

bool CommonNTWindow::InitServiceControl()
{
    m_watcher->Init();
    QString error;
    if (m_watcher->InitServiceControl(ConfiguredName(), error))
        return true;
    m_globals.msgBox().QelMsgBox("Failed to Initialize Service Control for the following reason : \r\n" + error);
    m_status->ShowNotAvailable();
    return false;
}

QAction* CommonNTWindow::AddToolButton(const QString& caption, const QString& key, const QString& tip,
                                       QStyle::StandardPixmap icon)
{
    QAction* action = m_toolBar->addAction(style()->standardIcon(icon), caption);
    action->setObjectName(key);
    action->setToolTip(tip);
    QWidget* button = m_toolBar->widgetForAction(action);
    button->setObjectName(key);
    button->setAccessibleName(caption);
    return action;
}

void CommonNTWindow::AddHelpAndClose(const QString& topic, const QString& closeKey)
{
    connect(AddToolButton("Help", "help", "Displays Help Article", QStyle::SP_DialogHelpButton), &QAction::triggered,
            this, [this, topic] { DialogHelp::Show(m_globals, topic); });
    connect(AddToolButton("Close", closeKey, "Closes this form", QStyle::SP_DialogCloseButton), &QAction::triggered,
            this, &QDialog::close);
}

ValueLabel* CommonNTWindow::AddPanel(const QString& tip)
{
    auto* panel = new ValueLabel(tip, m_statusBar);
    panel->setToolTip(tip);
    m_statusBar->addWidget(panel, 1);
    return panel;
}

void CommonNTWindow::ShowServiceName()
{
    m_namePanel->ShowValue(ConfiguredName());
}
