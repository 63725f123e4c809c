#include "CommonFiles/ui/CommonUI.h"

#include "CommonFiles/control/ProgramEntryPoint.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"

#include <QFontDatabase>
#include <QListWidget>
#include <QStatusBar>

namespace Keys = ConfigurationKeyNames;

CommonUI::CommonUI(CommonGlobals& globals, QWidget* parent) : QMainWindow(parent), m_globals(globals)
{
    m_lstActivityLog = new QListWidget(this);
    m_lstActivityLog->setObjectName("lstActivityLog");
    m_lstActivityLog->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_lstActivityLog->setToolTip("Interactive Activity Log");
    setCentralWidget(m_lstActivityLog);
    statusBar()->setObjectName("StatusBar1");
    statusBar()->setToolTip("Most Recent Activity");
    connect(m_lstActivityLog, &QListWidget::itemClicked, this, &CommonUI::ShowLineInStatusBar);
    resize(900, 600);
}

void CommonUI::ShowInteractive()
{
    setWindowTitle(ProgramEntryPoint::InteractiveCaption());
    LoadActivity();
    show();
}

void CommonUI::LoadActivity()
{
    Clear();
    m_globals.WriteActivity("Configuration loaded from " + m_globals.config().path(), 0);
    if (m_globals.config().item(Keys::KorvelOrvex::kServerInterfaceId).trimmed() == "0") {
        // Shown to the person only: the log has no use for this advice.
        Append("WARNING : No designation has been made for this collector instance. Use "
               "'Configuration\\Collector Configuration' to set it.");
        Append("Go to 'Help\\Chapters\\Step-by-step Configuration Instructions' for configuration help");
    }
}

int CommonUI::LineCount() const
{
    return m_lstActivityLog->count();
}

void CommonUI::Clear()
{
    m_lstActivityLog->clear();
}

void CommonUI::Append(const QString& line)
{
    m_lstActivityLog->addItem(line);
    m_lstActivityLog->setCurrentRow(m_lstActivityLog->count() - 1);
    m_lstActivityLog->scrollToBottom();
}

void CommonUI::closeEvent(QCloseEvent* event)
{
    m_globals.RequestStop();
    QMainWindow::closeEvent(event);
}

void CommonUI::ShowLineInStatusBar(QListWidgetItem* item)
{
    statusBar()->showMessage(item->text());
}
