#include "CommonFiles/ui/CommonNTActivity.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/service/QELntSvcWatcher.h"
#include "CommonFiles/service/ServiceRefreshSettings.h"
#include "CommonFiles/ui/ServiceStatusLabel.h"

#include <QAction>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QUrl>
#include <QVBoxLayout>

namespace Keys = ConfigurationKeyNames;

CommonNTActivity::CommonNTActivity(CommonGlobals& globals, QWidget* parent)
    : CommonNTWindow(globals, parent), m_urlOpener(&QDesktopServices::openUrl)
{
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    BuildToolBar();
    BuildBody();
    Load();
    resize(900, 500);
}

void CommonNTActivity::BuildToolBar()
{
    connect(AddToolButton("Refresh", "refresh", "Manually refreshes log file view", QStyle::SP_BrowserReload),
            &QAction::triggered, &watcher(), &QELntSvcWatcher::RefreshLog);
    connect(AddToolButton("View Full Log", "order", "Opens full Log File", QStyle::SP_FileDialogContentsView),
            &QAction::triggered, this, &CommonNTActivity::ViewFullLog);
    AddHelpAndClose("12049", "close");
}

// The status label only carries the state into the second panel.
void CommonNTActivity::BuildBody()
{
    m_txtLog = new QPlainTextEdit(this);
    m_txtLog->setObjectName("txtLog");
    m_txtLog->setAccessibleName("Service Activity Log");
    m_txtLog->setReadOnly(true);
    m_txtLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_txtLog->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    body().addWidget(m_txtLog);
    statusLabel().hide();
    m_statusPanel = AddPanel("Status of Service currently monitored");
    m_statusPanel->setObjectName("ServiceStatus");
    m_statusPanel->ShowValue(statusLabel().text());
    connect(&statusLabel(), &ServiceStatusLabel::CaptionChanged, m_statusPanel, &ValueLabel::ShowValue);
    connect(&watcher(), &QELntSvcWatcher::LogShown, m_txtLog, &QPlainTextEdit::setPlainText);
}

// No status period here: the state is the one read at opening.
void CommonNTActivity::Load()
{
    setWindowTitle("NT Service Activity View for '" + ConfiguredName() + "'");
    InitServiceControl();
    ShowServiceName();
    QString error;
    if (!watcher().InitLogView(error))
        globals().msgBox().QelMsgBox("Failed to Initialize Log View for the following reason : \r\n" + error);
    const QELConfiguration& config = globals().config();
    watcher().EnableLogAutoRefresh(ServiceRefreshSettings::LogSeconds(config.item(Keys::Options::kRefreshLogSeconds)),
                                   ServiceRefreshSettings::LogSize(config.item(Keys::Options::kRefreshLogSize)));
}

// Without a log file there is nothing to open, and nothing to report.
void CommonNTActivity::ViewFullLog()
{
    const QString path = watcher().LastLogFilePath();
    if (!path.isEmpty())
        m_urlOpener(QUrl::fromLocalFile(path));
}
