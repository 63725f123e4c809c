#include "CommonFiles/ui/CommonNTControl.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/service/QELntSvcWatcher.h"
#include "CommonFiles/service/ServiceRefreshSettings.h"
#include "CommonFiles/ui/ServiceStatusLabel.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace Keys = ConfigurationKeyNames;

CommonNTControl::CommonNTControl(CommonGlobals& globals, QWidget* parent) : CommonNTWindow(globals, parent)
{
    setWindowTitle("NT Service Status and Control");
    setModal(true);
    BuildToolBar();
    BuildBody();
    if (InitServiceControl())
        ShowServiceName();
    watcher().EnableStatusAutoRefresh(
        ServiceRefreshSettings::StatusSeconds(globals.config().item(Keys::Options::kRefreshStatusSeconds)));
    resize(420, 240);
}

void CommonNTControl::BuildToolBar()
{
    connect(AddToolButton("Start Service", "add", "Attempts to start service", QStyle::SP_MediaPlay),
            &QAction::triggered, &watcher(), &QELntSvcWatcher::StartNTservice);
    connect(AddToolButton("Stop Service", "stop", "Attempts to stop service", QStyle::SP_MediaStop),
            &QAction::triggered, &watcher(), &QELntSvcWatcher::StopNTservice);
    AddHelpAndClose("12047", "Close");
}

void CommonNTControl::BuildBody()
{
    auto* frame = new QGroupBox("Status", this);
    frame->setObjectName("Frame1");
    frame->setAccessibleName("Status");
    QFont large = statusLabel().font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    large.setBold(true);
    statusLabel().setFont(large);
    statusLabel().setMinimumHeight(48);
    (new QVBoxLayout(frame))->addWidget(&statusLabel());
    const QString rights = "You must be allowed to manage system services (root, or a polkit rule for this unit) in "
                           "order to start or stop services";
    auto* note = new QLabel(rights, this);
    note->setObjectName("lblNote");
    note->setAccessibleName(rights);
    note->setWordWrap(true);
    body().setContentsMargins(9, 9, 9, 9);
    body().addWidget(frame);
    body().addWidget(note);
    body().addStretch();
}
