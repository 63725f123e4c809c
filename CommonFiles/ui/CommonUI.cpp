#include "CommonFiles/ui/CommonUI.h"

#include "CommonFiles/control/DiffReport.h"
#include "CommonFiles/control/ImportSession.h"
#include "CommonFiles/control/ProgramEntryPoint.h"
#include "CommonFiles/defupload/CommonDefUpload.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/target/TargetConnections.h"
#include "CommonFiles/ui/CommonConfigAdvanced.h"
#include "CommonFiles/ui/CommonConfigCollector.h"
#include "CommonFiles/ui/CommonConfigKorvelOrvex.h"
#include "CommonFiles/ui/CommonConfigNTSvc.h"
#include "CommonFiles/ui/CommonLastRunViewer.h"
#include "CommonFiles/ui/CommonNTActivity.h"
#include "CommonFiles/ui/CommonNTControl.h"
#include "CommonFiles/ui/CommonTestImportResult.h"
#include "CommonFiles/ui/CommonTestSource.h"
#include "CommonFiles/ui/ConfigurationSave.h"
#include "CommonFiles/ui/CustomConfig.h"
#include "CommonFiles/ui/DialogHelp.h"
#include "CommonFiles/ui/SupportSite.h"
#include "platform/VersionRecord.h"
#include "platform/ado/Connection.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QScopeGuard>
#include <QStatusBar>
#include <QToolBar>
#include <cstdlib>

namespace Keys = ConfigurationKeyNames;

namespace {

const QString kNothingTransmitted =
    QStringLiteral("\r\n\r\nNote : No information will be transmitted to or from KORVEL Company\r\n\r\n");

QString Plain(const QString& caption)
{
    return QString(caption).remove('&');
}

// Ends the process where it stands. QCoreApplication::exit would end only
// the event loop, after a running import (which yields to the loop from
// inside its work) had gone on to its end unseen; std::exit would run the
// static destructors under the application object still alive on the stack.
// Nothing is lost: the log is closed first, an unsaved configuration is
// meant to be dropped, and the target rolls back a statement cut short.
void EndProcessAtOnce(int status)
{
    std::_Exit(status);
}

QString PickArchive(QWidget* owner, const QString& folder)
{
    return QFileDialog::getOpenFileName(owner, {}, folder);
}

}  // namespace

CommonUI::CommonUI(CommonGlobals& globals, ImportSession& session, QWidget* parent)
    : QMainWindow(parent),
      m_globals(globals),
      m_session(session),
      m_terminator(EndProcessAtOnce),
      m_archivePicker(PickArchive),
      m_urlOpener(&QDesktopServices::openUrl)
{
    setWindowIcon(style()->standardIcon(QStyle::SP_ComputerIcon));
    m_lstActivityLog = new QListWidget(this);
    m_lstActivityLog->setObjectName("lstActivityLog");
    m_lstActivityLog->setAccessibleName("Interactive Activity Log");
    m_lstActivityLog->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_lstActivityLog->setToolTip("Interactive Activity Log");
    setCentralWidget(m_lstActivityLog);
    // A panel of its own: menu hints would wipe a status-bar message.
    m_path = new QLabel(this);
    m_path->setObjectName("path");
    m_path->setAccessibleName("Most Recent Activity");
    statusBar()->setObjectName("StatusBar1");
    statusBar()->setToolTip("Most Recent Activity");
    statusBar()->addPermanentWidget(m_path, 1);
    connect(m_lstActivityLog, &QListWidget::itemClicked, this, &CommonUI::ShowLineInStatusBar);
    BuildFileMenu();
    BuildConfigurationMenu();
    BuildAutomatedImportMenu();
    BuildTestMenu();
    BuildSupportMenus();
    BuildHelpMenu();
    BuildToolBar();
    resize(900, 600);
}

void CommonUI::BuildFileMenu()
{
    QMenu* file = AddMenu("&File", "mnuFile");
    m_importActions << AddEntry(file, "Import &All", "mnuFileImportAll", &CommonUI::ImportAll)
                    << AddEntry(file, "Import For Selected &Variables", "mnuFileImportVariables",
                                &CommonUI::ImportSelected);
    file->addSeparator();
    AddEntry(file, "E&xit", "mnuExit", &CommonUI::Exit);
}

// Entries whose windows the program does not offer yet keep their place,
// unavailable, so the menus read as they always will.
void CommonUI::BuildConfigurationMenu()
{
    QMenu* configuration = AddMenu("&Configuration", "mnuConfiguration");
    AddEntry(configuration, "&Connection to Korvel Orvex", "mnuKorvelSettings",
             &CommonUI::OpenModal<CommonConfigKorvelOrvex>);
    AddEntry(configuration, "Co&llector Configuration", "mnuCollector", &CommonUI::OpenModal<CommonConfigCollector>);
    AddEntry(configuration, "&Source Configuration", "mnuSourceSettings", &CommonUI::OpenModal<CustomConfig>);
    AddEntry(configuration, "Automated &Import Configuration", "mnuNtConfig", &CommonUI::OpenModal<CommonConfigNTSvc>);
    AddEntry(configuration, "&Advanced Configuration", "mnuKorvelOptions", &CommonUI::OpenModal<CommonConfigAdvanced>);
    configuration->addSeparator();
    AddEntry(configuration, "Sa&ve All Configuration", "mnuSaveConfig", &CommonUI::SaveAllConfiguration);
}

void CommonUI::BuildAutomatedImportMenu()
{
    QMenu* automated = AddMenu("&Automated Import", "mnuAutomatedImport");
    AddEntry(automated, "&Activity Log View", "mnuNTActLog", &CommonUI::ShowServiceActivity);
    AddEntry(automated, "&Status And Control", "mnuNTstatus", &CommonUI::ShowServiceControl);
    AddEntry(automated, "&Last Run Dates", "mnuLastRun", &CommonUI::OpenModal<CommonLastRunViewer>);
}

void CommonUI::BuildTestMenu()
{
    QMenu* test = AddMenu("&Test", "mnuTest");
    AddEntry(test, "&Source Read Test", "mnuTestSource", &CommonUI::TestSource);
    test->addSeparator();
    AddEntry(test, "Test Connection to Korvel Orvex", "mnuTestKorvelOrvexCnn", &CommonUI::TestConnection);
    m_importActions << AddEntry(test, "Test Import All", "mnuTestImportAll", &CommonUI::TestImportAll)
                    << AddEntry(test, "Test Import For Selected &Variables", "mnuTestSelectedVars",
                                &CommonUI::TestImportSelected);
}

void CommonUI::BuildSupportMenus()
{
    QMenu* utilities = AddMenu("&Utilities", "mnuUtilities");
    AddEntry(utilities, "Upload definition file to Korvel Orvex", "mnuUploadDef", &CommonUI::UploadDefinition);
    QMenu* support = AddMenu("&Support", "mnuSupport");
    AddEntry(support, "View Most Recent Release Notes on " + SupportSite::Name(), "mnuSupReleaseNotes",
             &CommonUI::ViewReleaseNotes);
    AddEntry(support, "Check for New Updates on " + SupportSite::Name(), "mnuSupUpdates", &CommonUI::CheckForUpdates);
}

void CommonUI::BuildHelpMenu()
{
    QMenu* help = AddMenu("&Help", "mnuHelp");
    AddHelpEntry(help, "&Contents", "mnuContent", "12036");
    QMenu* chapters = AddMenu("Cha&pters", "mnuChapters", help);
    AddHelpEntry(chapters, "Step-by-step Configuration Instructions", "mnuStepbyStep", "12069");
    AddHelpEntry(chapters, "Introduction", "mnuChapIntro", "2O6T2M");
    AddHelpEntry(chapters, "How To's", "mnuHelpHowTo", "3C6C3H");
    AddHelpEntry(chapters, "Main Menu", "mnuHelpMain", "4A2Y6X");
    QMenu* releaseNotes = AddMenu("Release Notes", "mnuReleaseNotes", chapters);
    AddHelpEntry(releaseNotes, "Interface", "mnuRNinterface", "58213");
    AddHelpEntry(releaseNotes, "Type", "mnuRNType", "12068");
    AddHelpEntry(releaseNotes, "Platform", "mnuRNplatform", "12033");
    AddHelpEntry(chapters, "Interface Specific Topics", "mnuChapInterTopics", "6S2S0E");
    help->addSeparator();
    AddEntry(help, "&About", "mnuAbout", &CommonUI::ShowAbout);
}

void CommonUI::BuildToolBar()
{
    m_toolBar = addToolBar("Toolbar");
    m_toolBar->setObjectName("myToolBar");
    m_toolBar->setAccessibleName("Toolbar");
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_importActions << AddToolButton("Import All", "wizard", "Imports Data For a Specified Date Range",
                                     QStyle::SP_ArrowDown, &CommonUI::ImportAll)
                    << AddToolButton("Import For Vars", "selectvar", "Imports Data For a Set of Variables",
                                     QStyle::SP_FileDialogDetailedView, &CommonUI::ImportSelected);
    AddToolButton("Activity Log View", "setup", {}, QStyle::SP_FileDialogContentsView, &CommonUI::ShowServiceActivity);
    AddToolButton("Help", "help", "Displays Interface Documentation and Help", QStyle::SP_DialogHelpButton,
                  &CommonUI::ShowContents);
    AddToolButton("About ...", "korvex", "Displays Information about this interface version",
                  QStyle::SP_MessageBoxInformation, &CommonUI::ShowAbout);
    AddToolButton("Exit", "exit", "Exists Application", QStyle::SP_DialogCloseButton, &CommonUI::Exit);
}

QMenu* CommonUI::AddMenu(const QString& caption, const QString& name, QMenu* parent)
{
    QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->setAccessibleName(Plain(caption));
    return menu;
}

QAction* CommonUI::AddEntry(QMenu* menu, const QString& caption, const QString& name, Command command)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    Attach(action, command);
    return action;
}

void CommonUI::AddHelpEntry(QMenu* menu, const QString& caption, const QString& name, const QString& topic)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, topic] { DialogHelp::Show(m_globals, topic); });
}

QAction* CommonUI::AddToolButton(const QString& caption, const QString& key, const QString& tip,
                                 QStyle::StandardPixmap icon, Command command)
{
    QAction* action = m_toolBar->addAction(style()->standardIcon(icon), caption);
    action->setObjectName(key);
    action->setIconText(caption);  // kept whole, ellipsis and all
    action->setToolTip(tip);
    Attach(action, command);
    QWidget* button = m_toolBar->widgetForAction(action);
    button->setObjectName(key);
    button->setAccessibleName(caption);
    return action;
}

// A null command leaves the entry unavailable.
void CommonUI::Attach(QAction* action, Command command)
{
    if (command)
        connect(action, &QAction::triggered, this, command);
    else
        action->setEnabled(false);
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

// An import yields to the event loop, so the window can be closed in the
// middle of one; it must not go on unseen. It is asked to stop at its next
// slot as well, for a terminator that returns.
void CommonUI::closeEvent(QCloseEvent* event)
{
    m_globals.RequestStop();
    m_globals.log().closeLog();
    QMainWindow::closeEvent(event);
    m_terminator(EXIT_SUCCESS);
}

void CommonUI::ImportAll()
{
    RunImport([this] { m_session.ImportAll(false); });
}

void CommonUI::ImportSelected()
{
    RunImport([this] { m_session.ImportSelected(false); });
}

void CommonUI::TestImportAll()
{
    RunTestImport(false);
}

void CommonUI::TestImportSelected()
{
    RunTestImport(true);
}

void CommonUI::RunTestImport(bool selected)
{
    DiffReport diff;
    m_session.setDiff(&diff);
    RunImport([this, selected] { selected ? m_session.ImportSelected(true) : m_session.ImportAll(true); });
    m_session.setDiff(nullptr);
    // A run that ended early still shows the slots it got to.
    if (diff.Decisions().isEmpty())
        return;
    auto* result = new CommonTestImportResult(m_globals, std::move(diff), this);
    result->setAttribute(Qt::WA_DeleteOnClose);
    result->show();
}

void CommonUI::Exit()
{
    close();
}

void CommonUI::RunImport(const std::function<void()>& import)
{
    for (QAction* action : std::as_const(m_importActions))
        action->setEnabled(false);
    import();
    for (QAction* action : std::as_const(m_importActions))
        action->setEnabled(true);
}

void CommonUI::SaveAllConfiguration()
{
    ConfigurationSave::SaveAndReport(m_globals);
}

// Each window destroys itself on closing.
void CommonUI::ShowServiceActivity()
{
    auto* view = new CommonNTActivity(m_globals, this);
    view->setUrlOpener(m_urlOpener);
    view->show();
}

void CommonUI::ShowServiceControl()
{
    (new CommonNTControl(m_globals, this))->exec();
}

void CommonUI::TestConnection()
{
    ado::Connection root;
    if (TargetConnections(m_globals).OpenRoot(root))
        root.Close();
}

void CommonUI::UploadDefinition()
{
    if (UploadChosenDefinition())
        return;
    m_globals.msgBox().QelMsgBox("Failed to upload");
    m_globals.WriteActivity("Upload Failed.", 0);
}

bool CommonUI::UploadChosenDefinition()
{
    // The archive is asked for only once the target is open; the hourglass
    // shows from the choice on.
    bool waiting = false;
    const auto restore = qScopeGuard([&waiting] {
        if (waiting)
            QGuiApplication::restoreOverrideCursor();
    });
    return CommonDefUpload(m_globals).UploadCurrentDefinition([this, &waiting] {
        const QString archive = m_archivePicker(this, m_globals.programFolder());
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        waiting = true;
        QCoreApplication::processEvents();
        return archive;
    });
}

void CommonUI::ViewReleaseNotes()
{
    OfferSupportPage("After clicking OK, you will be redirected to online Korvel Orvex Knowledgebase \r\n(" +
                         SupportSite::Name() + ") where the latest release notes article resides." +
                         kNothingTransmitted,
                     "Online Release Notes", SupportSite::ReleaseNotesAddress());
}

void CommonUI::CheckForUpdates()
{
    OfferSupportPage("After clicking OK, you will be redirected to the support area of " + SupportSite::Name() +
                         "\r\nto check for new update packages for this interface" + kNothingTransmitted,
                     "Check New Update Packages", SupportSite::UpdatesAddress());
}

void CommonUI::OfferSupportPage(const QString& text, const QString& title, const QUrl& address)
{
    if (m_globals.msgBox().QelMsgBox(text, QELmsgBoxHandler::OkCancel | QELmsgBoxHandler::Question, title) !=
        QELmsgBoxHandler::Cancel)
        m_urlOpener(address);
}

// Each opening is a new window, loaded from the configuration as it stands.
template <class Dialog> void CommonUI::OpenModal()
{
    Dialog dialog(m_globals, this);
    dialog.exec();
}

// The test reads as an import would, with the additional-info map as the
// configuration now gives it.
void CommonUI::TestSource()
{
    m_session.ainfoNavigator().LoadMap();
    OpenModal<CommonTestSource>();
}

void CommonUI::ShowContents()
{
    DialogHelp::Show(m_globals, "12036");
}

void CommonUI::ShowAbout()
{
    QMessageBox::about(this, "About " + VersionRecord::Title(),
                       VersionRecord::Title() + "\n" + VersionRecord::Comments() + "\nVersion " +
                           VersionRecord::VersionText() + " (Build " + VersionRecord::FileDescription() +
                           ")\n\nImports the day files of Fischer & Porter data loggers into the Korvel Orvex "
                           "water-information database.");
}

void CommonUI::ShowLineInStatusBar(QListWidgetItem* item)
{
    m_path->setText(item->text());
}
