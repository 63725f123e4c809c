#include "CommonFiles/ui/CommonUI.h"
#include "CommonFiles/control/ImportSession.h"
#include "CommonFiles/target/TargetConnections.h"
#include "CommonFiles/ui/CommonNTActivity.h"
#include "CommonFiles/ui/CommonNTControl.h"
#include "CommonFiles/ui/CommonTestImportResult.h"
#include "cli/DemoInstallation.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"
#include "support/DefinitionFiles.h"
#include "support/FakeSystemctl.h"
#include "support/InteractiveInstallation.h"
#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"
#include "support/ScriptedPrompts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSet>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// The desktop program just started, with a person who answers from a
// script, and a terminator and openers that only remember.
struct InteractiveStart : InteractiveInstallation {
    RecordingPresenter presenter;
    ScriptedPrompts prompts;
    ImportSession session{globals, prompts};
    CommonUI window{globals, session};
    QList<bool> endedWhileImporting;
    QStringList opened;

    InteractiveStart()
    {
        globals.setActivitySink(&window);
        globals.msgBox().setPresenter(&presenter);
        globals.setHelpOpener([this](const QString& page) {
            opened.append(page);
            return true;
        });
        window.setUrlOpener([this](const QUrl& address) {
            opened.append(address.toString());
            return true;
        });
        window.setTerminator([this](int) { endedWhileImporting.append(session.IsRunning()); });
    }
    QAction* action(const char* name) { return window.findChild<QAction*>(name); }
    void Trigger(const char* name) { action(name)->trigger(); }
    QListWidget* list() { return window.findChild<QListWidget*>("lstActivityLog"); }
    QStringList lines()
    {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out.append(list()->item(i)->text());
        return out;
    }
};

// The same on the demo target; the person picks the first two hours of
// yesterday (daily values need a whole day and stay out).
struct DemoStart : InteractiveStart {
    DemoStart()
    {
        DemoInstallation(globals).Create();
        prompts.range =
            SessionPrompts::DateRange{DateTime::FromParts(2024, 3, 4), DateTime::FromParts(2024, 3, 4, 2, 0)};
    }
    // The variables that have at least one value in the target.
    QSet<int> VariablesWithValues()
    {
        QSet<int> ids;
        for (const char* facility : {"NORTHWTP", "SOUTHWTP"}) {
            ado::Connection connection;
            TargetConnections(globals).ConfigureConnection(connection, facility);
            connection.Open();
            ado::Recordset rows;
            rows.Open("select VARID from DATADDH union select VARID from DATADDF union select VARID from DATATBL",
                      connection);
            for (; !rows.Eof(); rows.MoveNext())
                ids.insert(rows.Fields(0).toInt());
        }
        return ids;
    }
};

struct Entry {
    const char* name;
    const char* place;  // the menu's caption, or the toolbar's key
    const char* caption;
    const char* tip;  // toolbar buttons only
    bool enabled;
    const char* opens;  // the help page or address opened, when one is
};

const Entry kEntries[] = {
    {"mnuFileImportAll", "&File", "Import &All", "", true, ""},
    {"mnuFileImportVariables", "&File", "Import For Selected &Variables", "", true, ""},
    {"mnuExit", "&File", "E&xit", "", true, ""},
    {"mnuKorvelSettings", "&Configuration", "&Connection to Korvel Orvex", "", true, ""},
    {"mnuCollector", "&Configuration", "Co&llector Configuration", "", true, ""},
    {"mnuSourceSettings", "&Configuration", "&Source Configuration", "", true, ""},
    {"mnuNtConfig", "&Configuration", "Automated &Import Configuration", "", true, ""},
    {"mnuKorvelOptions", "&Configuration", "&Advanced Configuration", "", true, ""},
    {"mnuSaveConfig", "&Configuration", "Sa&ve All Configuration", "", true, ""},
    {"mnuNTActLog", "&Automated Import", "&Activity Log View", "", true, ""},
    {"mnuNTstatus", "&Automated Import", "&Status And Control", "", true, ""},
    {"mnuLastRun", "&Automated Import", "&Last Run Dates", "", true, ""},
    {"mnuTestSource", "&Test", "&Source Read Test", "", true, ""},
    {"mnuTestKorvelOrvexCnn", "&Test", "Test Connection to Korvel Orvex", "", true, ""},
    {"mnuTestImportAll", "&Test", "Test Import All", "", true, ""},
    {"mnuTestSelectedVars", "&Test", "Test Import For Selected &Variables", "", true, ""},
    {"mnuUploadDef", "&Utilities", "Upload definition file to Korvel Orvex", "", true, ""},
    {"mnuSupReleaseNotes", "&Support", "View Most Recent Release Notes on support.korvel.example", "", true,
     "https://kb.korvel.example/instantkb/article.aspx?id=58213"},
    {"mnuSupUpdates", "&Support", "Check for New Updates on support.korvel.example", "", true,
     "https://support.korvel.example/support_product_jump.aspx?id=58213"},
    {"mnuContent", "&Help", "&Contents", "", true, "/help/12036.html"},
    {"mnuStepbyStep", "Cha&pters", "Step-by-step Configuration Instructions", "", true, "/help/12069.html"},
    {"mnuChapIntro", "Cha&pters", "Introduction", "", true, "/help/2O6T2M.html"},
    {"mnuHelpHowTo", "Cha&pters", "How To's", "", true, "/help/3C6C3H.html"},
    {"mnuHelpMain", "Cha&pters", "Main Menu", "", true, "/help/4A2Y6X.html"},
    {"mnuRNinterface", "Release Notes", "Interface", "", true, "/help/58213.html"},
    {"mnuRNType", "Release Notes", "Type", "", true, "/help/12068.html"},
    {"mnuRNplatform", "Release Notes", "Platform", "", true, "/help/12033.html"},
    {"mnuChapInterTopics", "Cha&pters", "Interface Specific Topics", "", true, "/help/6S2S0E.html"},
    {"mnuAbout", "&Help", "&About", "", true, ""},
    {"wizard", "myToolBar", "Import All", "Imports Data For a Specified Date Range", true, ""},
    {"selectvar", "myToolBar", "Import For Vars", "Imports Data For a Set of Variables", true, ""},
    {"setup", "myToolBar", "Activity Log View", "Activity Log View", true, ""},
    {"help", "myToolBar", "Help", "Displays Interface Documentation and Help", true, "/help/12036.html"},
    {"korvex", "myToolBar", "About ...", "Displays Information about this interface version", true, ""},
    {"exit", "myToolBar", "Exit", "Exists Application", true, ""},
};

}  // namespace

TEST(CommonUI, MenusAndToolbarOfferEveryCommand)
{
    InteractiveStart s;
    for (const Entry& e : kEntries) {
        SCOPED_TRACE(e.name);
        QAction* action = s.action(e.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), e.caption);
        EXPECT_EQ(action->isEnabled(), e.enabled);
        if (auto* button = s.window.findChild<QToolButton*>(e.name)) {
            EXPECT_EQ(button->parent()->objectName(), e.place);
            EXPECT_EQ(button->text(), e.caption);
            EXPECT_EQ(button->accessibleName(), e.caption);
            EXPECT_EQ(action->toolTip(), e.tip);
        } else {
            auto* menu = qobject_cast<QMenu*>(action->associatedObjects().value(0));
            ASSERT_NE(menu, nullptr);
            EXPECT_EQ(menu->title(), e.place);
        }
        if (*e.opens) {
            if (QString page = e.opens; page.startsWith("/help/"))
                s.AddHelpPage(page.mid(6).chopped(5));
            action->trigger();
            EXPECT_TRUE(s.opened.value(s.opened.size() - 1).endsWith(e.opens));
        }
    }
}

TEST(CommonUI, ShowsItsCaptionAndTheActivityList)
{
    InteractiveStart s;
    s.window.ShowInteractive();
    EXPECT_TRUE(s.window.isVisible());
    EXPECT_EQ(s.window.windowTitle(),
              "R58213 Korvel Orvex Direct Server-Side Interface to Fischer & Porter v1.0.0 - Interactive Mode");
    ASSERT_NE(s.list(), nullptr);
    EXPECT_EQ(s.window.centralWidget(), s.list());
    EXPECT_EQ(s.list()->toolTip(), "Interactive Activity Log");
}

TEST(CommonUI, UndesignatedCollectorWarningGoesToTheListOnly)
{
    InteractiveStart s;
    s.window.ShowInteractive();
    const QStringList lines = s.lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "Configuration loaded from " + s.folder.file("r58213.xml"));
    EXPECT_TRUE(lines[1].startsWith("WARNING : No designation has been made for this collector instance."));
    EXPECT_EQ(lines[2], "Go to 'Help\\Chapters\\Step-by-step Configuration Instructions' for configuration help");
    const QString log = s.LogText();
    EXPECT_TRUE(log.contains("Configuration loaded from "));
    EXPECT_FALSE(log.contains("WARNING : No designation"));

    s.globals.config().setItem("KORVELORVEX\\K5_SERVER_INTERFACE_ID", "4");
    s.window.LoadActivity();
    EXPECT_EQ(s.lines().size(), 1);
}

TEST(CommonUI, ActivityLinesFollowVerbosityAndAClickShowsTheLine)
{
    InteractiveStart s;
    s.window.ShowInteractive();
    s.globals.WriteActivity("Import was successful.", 0);
    s.globals.WriteActivity("a detail", 1);
    EXPECT_EQ(s.lines().last(), "Import was successful.");
    EXPECT_EQ(s.list()->currentRow(), s.list()->count() - 1);

    QListWidgetItem* first = s.list()->item(0);
    QTest::mouseClick(s.list()->viewport(), Qt::LeftButton, {}, s.list()->visualItemRect(first).center());
    EXPECT_EQ(s.window.findChild<QLabel*>("path")->text(), first->text());
}

TEST(CommonUI, ImportCommandsImportThroughTheSession)
{
    DemoStart s;
    s.window.ShowInteractive();
    s.prompts.picks = {SessionPrompts::PickOutcome::Picked, {{"NORTHWTP", 1}, {"SOUTHWTP", 11}}};
    s.Trigger("mnuTestImportAll");
    s.Trigger("mnuTestSelectedVars");
    EXPECT_TRUE(s.VariablesWithValues().isEmpty());
    s.Trigger("mnuFileImportVariables");
    EXPECT_EQ(s.VariablesWithValues(), (QSet<int>{1, 11}));
    s.Trigger("mnuFileImportAll");
    EXPECT_EQ(s.VariablesWithValues(), (QSet<int>{1, 2, 3, 4, 11, 12, 13}));
    EXPECT_EQ(s.lines().count("Import was successful."), 4);
    EXPECT_TRUE(SaveScreenshot(s.window, "main-window"));

    s.prompts.range.reset();
    s.prompts.asked.clear();
    s.Trigger("wizard");
    s.Trigger("selectvar");
    EXPECT_EQ(s.prompts.asked, (QStringList{"dates", "variables", "dates"}));
}

// The result window's report only observes: the test import it shows
// tells the same activity as the same import without a report.
TEST(CommonUI, ATestImportTellsWhatTheSameImportWithoutAReportTells)
{
    DemoStart s;
    s.prompts.range = SessionPrompts::DateRange{s.clock.now().datePart().addDays(-3), s.clock.now().datePart()};
    const auto activity = [&s](qsizetype from) {
        QStringList lines = s.lines().mid(from);
        lines.removeIf(
            [](const QString& line) { return line.contains("Seconds Elapsed") || line.contains("per Second"); });
        lines.sort();
        lines.removeDuplicates();
        return lines;
    };
    s.window.ShowInteractive();
    qsizetype before = s.lines().size();
    s.Trigger("mnuTestImportAll");
    const QStringList withReport = activity(before);
    before = s.lines().size();
    s.session.ImportAll(true);
    EXPECT_EQ(activity(before), withReport);
    EXPECT_TRUE(withReport.join('\n').contains("Date Range for import into NORTHWTP is set to " +
                                               s.clock.now().datePart().addDays(-2).format("mm/dd/yyyy HH:nn:ss")));
}

// The result lists every slot the test walked: sorted by any column,
// filtered by kind, and saved as the rows shown.
TEST(CommonUI, ATestImportOpensItsResultInATable)
{
    DemoStart s;
    s.window.ShowInteractive();
    s.Trigger("mnuTestImportAll");
    auto* result = s.window.findChild<CommonTestImportResult*>();
    ASSERT_NE(result, nullptr);
    EXPECT_TRUE(result->isVisible());
    auto* grid = result->findChild<QTableView*>("grdSlots");
    auto* kind = result->findChild<QComboBox*>("cboKind");
    const int walked = grid->model()->rowCount();
    EXPECT_EQ(walked, 4 * 2 + 3 * 8);  // 4 hourly and 3 15-minute variables over two hours
    EXPECT_EQ(result->findChild<QLabel*>("lblCounts")->text(),
              "write " + QString::number(walked) + ", same 0, keep 0, locked 0, no value 0");
    grid->sortByColumn(2, Qt::DescendingOrder);
    EXPECT_EQ(grid->model()->index(0, 2).data().toString(), "2024-03-04 01:45");
    EXPECT_EQ(grid->model()->index(0, 3).data().toString(), "write");
    EXPECT_TRUE(SaveScreenshot(*result, "test-import-result"));
    auto* tabs = result->findChild<QTabWidget*>("tabResult");
    tabs->setCurrentIndex(1);
    auto* variable = result->findChild<QComboBox*>("cboVariable");
    EXPECT_EQ(variable->count(), 7);
    variable->setCurrentIndex(variable->count() - 1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(SaveScreenshot(*result, "test-import-chart"));
    tabs->setCurrentIndex(0);
    s.AddHelpPage("7T3D1F");
    result->findChild<QAction*>("help")->trigger();
    EXPECT_EQ(s.opened, QStringList{s.globals.HelpFile() + "/7T3D1F.html"});

    kind->setCurrentText("same");
    EXPECT_EQ(grid->model()->rowCount(), 0);
    kind->setCurrentText("write");
    EXPECT_EQ(grid->model()->rowCount(), walked);
    const QString csv = s.folder.file("result.csv");
    ASSERT_TRUE(result->ExportTo(csv));
    EXPECT_EQ(TempFolder::Read(csv).count("\r\n"), walked + 1);
    EXPECT_TRUE(s.VariablesWithValues().isEmpty());
}

TEST(CommonUI, DuringAnImportNoOtherStartsAndClosingEndsTheProcess)
{
    DemoStart s;
    s.window.ShowInteractive();
    s.Trigger("mnuExit");
    s.window.show();
    QList<bool> availableDuring;
    s.prompts.onDates = [&s, &availableDuring] {
        for (const char* name : {"mnuFileImportAll", "mnuFileImportVariables", "mnuTestImportAll",
                                 "mnuTestSelectedVars", "wizard", "selectvar"})
            availableDuring.append(s.action(name)->isEnabled());
        s.session.ImportAll(false);
        s.window.close();
    };
    s.Trigger("wizard");
    EXPECT_EQ(availableDuring, QList<bool>(6, false));
    EXPECT_TRUE(s.lines().contains("An import is already running. The new import request was not started."));
    EXPECT_EQ(s.endedWhileImporting, (QList<bool>{false, true}));
    EXPECT_FALSE(s.window.isVisible());
    // Had the process gone on, its import would have stopped at once.
    EXPECT_TRUE(s.lines().contains("Stop requested; the import ends at this slot."));
    EXPECT_TRUE(s.VariablesWithValues().isEmpty());
    EXPECT_TRUE(s.action("wizard")->isEnabled());
}

TEST(CommonUI, ServiceWindowsOpenAfreshAndGoWhenClosed)
{
    FakeSystemctl systemctl;
    InteractiveStart s;
    for (const char* entry : {"mnuNTActLog", "mnuNTActLog", "setup"})
        s.Trigger(entry);
    EXPECT_EQ(s.window.findChildren<CommonNTActivity*>().size(), 3);
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->findChild<QAction*>("Close")->trigger(); });
    s.Trigger("mnuNTstatus");  // returns once the modal window is closed
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(s.window.findChild<CommonNTControl*>(), nullptr);
}

TEST(CommonUI, SaveTellsWhetherTheConfigurationIsSaved)
{
    InteractiveStart s;
    s.Trigger("mnuSaveConfig");
    s.globals.config().setItem("R58213\\PREFIX", "PLANT");
    s.Trigger("mnuSaveConfig");
    EXPECT_TRUE(TempFolder::Read(s.globals.config().path()).contains("PLANT"));
    s.globals.config().setItem("OPTIONS\\PASSWORD_PROTECT_CONFIG", "YES");
    s.Trigger("mnuSaveConfig");
    EXPECT_EQ(s.presenter.shown,
              (QStringList{"64||Saved successfully", "64||Saved successfully", "48||Unable to save configuration"}));
}

TEST(CommonUI, TestConnectionSpeaksOnlyOfAFailure)
{
    DemoStart s;
    s.Trigger("mnuTestKorvelOrvexCnn");
    EXPECT_EQ(s.lines().last(), "Connection to Korvel Orvex was established.");
    s.globals.config().setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE", s.folder.file("gone"));
    s.Trigger("mnuTestKorvelOrvexCnn");
    ASSERT_EQ(s.presenter.shown.size(), 1);
    EXPECT_TRUE(s.presenter.shown[0].startsWith("48|Failed to connect to Korvel Orvex|Error :\r\n"));
}

TEST(CommonUI, ACancelledUploadIsReportedAndThePointerRestored)
{
    DemoStart s;
    QString askedIn;
    s.window.setArchivePicker([&askedIn](QWidget*, const QString& folder) {
        askedIn = folder;
        return QString();
    });
    s.Trigger("mnuUploadDef");
    EXPECT_EQ(askedIn, s.folder.path());
    EXPECT_EQ(s.presenter.shown, QStringList{"0||Failed to upload"});
    EXPECT_EQ(s.lines().last(), "Upload Failed.");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(CommonUI, AnUnreachableTargetIsToldBeforeAnArchiveIsAsked)
{
    DemoStart s;
    s.globals.config().setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE", s.folder.file("gone"));
    bool asked = false;
    s.window.setArchivePicker([&asked](QWidget*, const QString&) {
        asked = true;
        return QString();
    });
    s.Trigger("mnuUploadDef");
    EXPECT_FALSE(asked);
    ASSERT_EQ(s.presenter.shown.size(), 2);
    EXPECT_TRUE(s.presenter.shown[0].startsWith("48|Failed to connect to Korvel Orvex|Error :\r\n"));
    EXPECT_EQ(s.presenter.shown[1], "0||Failed to upload");
}

TEST(CommonUI, AGoodArchiveIsUploaded)
{
    DemoStart s;
    const QString archive = s.folder.file("definition.zip");
    DefinitionFiles::WriteArchive(archive, DefinitionFiles::ArchiveEntries(DefinitionFiles::CompleteServerLu(), {}));
    s.window.setArchivePicker([&archive](QWidget*, const QString&) { return archive; });
    s.Trigger("mnuUploadDef");
    EXPECT_TRUE(s.presenter.shown.isEmpty()) << s.presenter.shown.join('\n').toStdString();
    EXPECT_EQ(s.lines().last(), "Upload Successful");
}

TEST(CommonUI, SourceAndLastRunEntriesOpenTheirWindowsOverTheMainWindow)
{
    DemoStart s;
    QStringList opened;
    for (const char* entry : {"mnuSourceSettings", "mnuLastRun", "mnuTestSource"}) {
        QTimer::singleShot(0, [&s, &opened] {
            QWidget* dialog = QApplication::activeModalWidget();
            opened.append(dialog->windowTitle() + (dialog->parent() == &s.window ? " over the window" : ""));
            dialog->close();
        });
        s.Trigger(entry);
    }
    EXPECT_EQ(opened,
              (QStringList{"Source Configuration over the window", "Last Run Dates over the window",
                           "Source Read Test over the window"}));
}

TEST(CommonUI, SupportPagesOpenOnlyAfterOk)
{
    InteractiveStart s;
    s.presenter.answer = QELmsgBoxHandler::Cancel;
    s.Trigger("mnuSupReleaseNotes");
    s.Trigger("mnuSupUpdates");
    EXPECT_TRUE(s.opened.isEmpty());
    EXPECT_EQ(s.presenter.shown.value(0),
              "33|Online Release Notes|After clicking OK, you will be redirected to online Korvel Orvex Knowledgebase "
              "\r\n(support.korvel.example) where the latest release notes article resides.\r\n\r\nNote : No "
              "information will be transmitted to or from KORVEL Company\r\n\r\n");
    EXPECT_TRUE(s.presenter.shown.value(1).startsWith("33|Check New Update Packages|After clicking OK, you will be "
                                                      "redirected to the support area of support.korvel.example\r\nto "
                                                      "check for new update packages for this interface\r\n"));
}
