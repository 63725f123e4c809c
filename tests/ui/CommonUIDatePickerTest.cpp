#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/target/TargetConnections.h"
#include "CommonFiles/ui/CommonUIDatePickerUTC.h"
#include "platform/ado/Connection.h"
#include "platform/ado/SqlExecution.h"
#include "support/InteractiveInstallation.h"
#include "support/LocalZone.h"
#include "support/Printers.h"
#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"
#include "targetdb/ReferenceTarget.h"
#include "ui/DemoTarget.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// An interactive installation at 14:37:20 on 15 May 2024 in a zone five and
// a half hours east of UTC, with a target whose zone 7 is named and whose
// server clock runs an hour ahead.
struct PickerStart : InteractiveInstallation {
    LocalZone zone{"XST-5:30"};
    RecordingPresenter presenter;

    PickerStart() : InteractiveInstallation(DateTime::FromParts(2024, 5, 15, 14, 37, 20))
    {
        globals.msgBox().setPresenter(&presenter);
        globals.config().setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_PROVIDER", "SQLite");
        globals.config().setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE", folder.file("target"));
        ReferenceTarget::CreateSqlite(folder.file("target"), "QELROOT", ReferenceTarget::Schema::Root);
        ado::Connection root;
        TargetConnections(globals).ConfigureConnection(root, "QELROOT");
        root.Open();
        ado::SqlExecution::Run(root, "insert into QELTIMEZONE values (7, 'Eastern Standard Time')");
        ado::SqlExecution::Run(root,
                               "update qel_procedures set body = 'SELECT ''2024-05-15 15:37:20'' AS date_out' "
                               "where name = 'GETSERVERTIME'");
    }
};

// What the picker shows.
QString Shown(QWidget& window, const char* picker)
{
    return window.findChild<QDateTimeEdit*>(picker)->text();
}

QString Label(QWidget& window, const char* name)
{
    return window.findChild<QLabel*>(name)->text();
}

// Picks an entry from the list's pop-up, as a person does.
void Choose(QWidget& window, const char* list, const QString& entry)
{
    auto* combo = window.findChild<QComboBox*>(list);
    combo->showPopup();
    combo->view()->setCurrentIndex(combo->model()->index(combo->findText(entry), 0));
    QTest::keyClick(combo->view(), Qt::Key_Return);
}

void Trigger(QWidget& window, const char* key)
{
    window.findChild<QAction*>(key)->trigger();
}

}  // namespace

TEST(CommonUIDatePicker, OpensOnYesterdayAndTodayAndShortcutsTakeANewNow)
{
    PickerStart s;
    CommonUIDatePicker picker(s.globals);
    picker.show();
    EXPECT_EQ(picker.windowTitle(), "Select Date Range to Import");
    auto* shortcuts = picker.findChild<QComboBox*>("cboRelDateSetting");
    EXPECT_EQ(shortcuts->count(), 36);
    EXPECT_EQ(shortcuts->currentText(), "YESTERDAY AND TODAY");
    EXPECT_EQ(shortcuts->accessibleName(), "Set Using Start and End Date Shortcuts");
    EXPECT_EQ(Shown(picker, "dtStart"), "05/14/2024 00:00:00");
    EXPECT_EQ(Shown(picker, "dtEnd"), "05/15/2024 14:37:00");
    EXPECT_TRUE(SaveScreenshot(picker, "date-picker"));

    s.clock.set(DateTime::FromParts(2025, 2, 10, 9, 15, 0));
    Choose(picker, "cboRelDateSetting", "LAST QUATER");
    EXPECT_EQ(Shown(picker, "dtStart"), "10/01/2024 00:00:00");
    EXPECT_EQ(Shown(picker, "dtEnd"), "12/31/2024 00:00:00");
}

TEST(CommonUIDatePicker, WizardGivesThePickersAndEveryOtherWayOutCancels)
{
    PickerStart s;
    CommonUIDatePicker accepted(s.globals);
    accepted.show();
    SetPicker(accepted, "dtStart", DateTime::FromParts(2024, 5, 1, 6, 30, 15));
    s.AddHelpPage("12058");
    Trigger(accepted, "help");
    EXPECT_EQ(s.helpOpened, QStringList{s.globals.HelpFile() + "/12058.html"});
    Trigger(accepted, "wizard");
    EXPECT_FALSE(accepted.isVisible());
    EXPECT_FALSE(accepted.Cancelled());
    EXPECT_EQ(accepted.Start(), DateTime::FromParts(2024, 5, 1, 6, 30, 15));
    EXPECT_EQ(accepted.End(), DateTime::FromParts(2024, 5, 15, 14, 37, 0));

    CommonUIDatePicker cancelled(s.globals);
    cancelled.show();
    Trigger(cancelled, "cancel");
    EXPECT_TRUE(cancelled.Cancelled());
    CommonUIDatePicker closed(s.globals);
    closed.show();
    QTest::keyClick(&closed, Qt::Key_Escape);
    EXPECT_FALSE(closed.isVisible());
    EXPECT_TRUE(closed.Cancelled());
}

TEST(CommonUIDatePickerUTC, OpensInTheCollectorsZoneOnTheServerClock)
{
    PickerStart s;
    CommonUIDatePickerUTC picker(s.globals);
    picker.Init(7, -300, 330);
    picker.show();
    auto* bases = picker.findChild<QComboBox*>("cboTimeZone");
    ASSERT_EQ(bases->count(), 3);
    EXPECT_EQ(bases->itemText(0), "UTC [Greenwich Mean Time]");
    EXPECT_EQ(bases->itemText(1), "Collector [Eastern Standard Time]");
    EXPECT_EQ(bases->itemText(2), "Interface [XST]");
    EXPECT_EQ(bases->currentIndex(), 1);
    // The server's 15:37:20 seen from a collector ten and a half hours west of here.
    EXPECT_EQ(Shown(picker, "dtStart"), "05/14/2024 00:00:00");
    EXPECT_EQ(Shown(picker, "dtEnd"), "05/15/2024 05:07:00");
    EXPECT_EQ(Label(picker, "UTC_Start"), "05/14/2024 05:00:00");
    EXPECT_EQ(Label(picker, "UTC_End"), "05/15/2024 10:07:00");
    EXPECT_TRUE(s.presenter.shown.isEmpty());
    EXPECT_TRUE(SaveScreenshot(picker, "date-picker-utc"));
}

TEST(CommonUIDatePickerUTC, LabelsFollowTheBaseAndTheRangeReturnsInUtc)
{
    PickerStart s;
    CommonUIDatePickerUTC picker(s.globals);
    picker.Init(7, -300, 330);
    picker.show();
    const DateTime start = DateTime::FromParts(2024, 5, 10, 6, 30, 15);
    SetPicker(picker, "dtStart", start);
    EXPECT_EQ(Label(picker, "UTC_Start"), "05/10/2024 11:30:15");

    Choose(picker, "cboTimeZone", "UTC [Greenwich Mean Time]");
    EXPECT_EQ(Shown(picker, "dtStart"), "05/10/2024 06:30:15");
    EXPECT_EQ(Label(picker, "UTC_Start"), "05/10/2024 06:30:15");
    Choose(picker, "cboRelDateSetting", "TODAY");
    EXPECT_EQ(Shown(picker, "dtEnd"), "05/15/2024 10:07:00");

    Choose(picker, "cboTimeZone", "Interface [XST]");
    EXPECT_EQ(Label(picker, "UTC_End"), "05/15/2024 04:37:00");
    SetPicker(picker, "dtStart", start);
    Trigger(picker, "wizard");
    EXPECT_FALSE(picker.Cancelled());
    EXPECT_EQ(picker.InteractiveStart(), DateTime::FromParts(2024, 5, 10, 1, 0, 15));
    EXPECT_EQ(picker.InteractiveEnd(), DateTime::FromParts(2024, 5, 15, 4, 37, 0));
}
