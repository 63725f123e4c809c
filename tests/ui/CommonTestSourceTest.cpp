#include "CommonFiles/ui/CommonTestSource.h"
#include "CommonFiles/ui/DateTimePicker.h"
#include "CommonFiles/ui/ImportChartView.h"
#include "support/Screenshot.h"
#include "ui/DemoTarget.h"

#include <QAbstractSeries>
#include <QChart>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

namespace {

const QString kInvalid = "48||Input Validation Failed. Try different input.";

// The source test on the demo installation, whose day files hold the week
// up to 5 March 2024.
struct SourceTest : DemoTarget {
    CommonTestSource window{globals};

    QLineEdit& Box(const char* name) { return *window.findChild<QLineEdit*>(name); }
    DateTimePicker& Picker(const char* name) { return *window.findChild<DateTimePicker*>(name); }
    void AskLookup(const DateTime& day)
    {
        Box("stag").setText("ALG 2:2");
        Box("stat").setText("LOOKUP");
        Picker("dateS").setValue(day);
        Picker("dateE").setValue(day.addDays(1));
    }
};

}  // namespace

TEST(CommonTestSource, StartsOnAnExampleWhoseStatisticFailsValidation)
{
    SourceTest s;
    EXPECT_EQ(s.window.windowTitle(), "Source Read Test");
    QStringList shown;
    for (const QGroupBox* frame : s.window.findChildren<QGroupBox*>()) {
        const auto* box = frame->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
        shown.append(frame->title() + "=" + (box ? box->text() : ""));
    }
    EXPECT_EQ(shown,
              (QStringList{"Input=", "SourceTag=BIO_FIT_6001_1", "Source Statistic=AVERAGE",
                           "Start Date=", "End Date=", "High Range Filter=", "Low Range Filter=", "Dead Band=",
                           "FilterTag=", "Filter Operand=", "Filter Value="}));
    EXPECT_EQ(s.Picker("dateS").Value(), DateTime::FromParts(2002, 1, 14));
    EXPECT_EQ(s.Picker("dateE").Value(), DateTime::FromParts(2002, 1, 15));
    s.window.show();
    EXPECT_TRUE(SaveScreenshot(s.window, "source-read-test"));
    Press(s.window, "Command1");
    EXPECT_EQ(s.presenter.shown, QStringList{kInvalid});
}

TEST(CommonTestSource, ShowsWhatTheSourceReadsForTheTag)
{
    SourceTest s;
    const QString file = TempFolder::Read(DemoInstallation(s.globals).DataFolder() + "/ALOG004.CSV");
    s.AskLookup(DateTime::FromParts(2024, 3, 4));
    Press(s.window, "Command1");
    Press(s.window, "Command2");
    s.AskLookup(DateTime::FromParts(2002, 1, 14));
    Press(s.window, "Command1");
    s.Box("HighRange").setText("abc");
    Press(s.window, "Command1");
    EXPECT_EQ(s.presenter.shown,
              (QStringList{"0|Double Result|" + file.split("\r\n").value(1).split(',').value(1), "0|Text Result|NA",
                           "0|Double Result|[NULL]", kInvalid}));
}

// Plot Day reads every slot of the start date's day at the interval chosen
// and charts it, the slots without value marked; refused input is told as
// the test reads tell it.
TEST(CommonTestSource, PlotDayChartsEverySlotOfTheDay)
{
    SourceTest s;
    Press(s.window, "cmdPlotDay");
    EXPECT_EQ(s.presenter.shown, QStringList{"48||Input Validation Failed. Try different input."});
    const auto legend = [&s] {
        QStringList names;
        auto* plot = s.window.findChildren<QDialog*>("frmPlotDay").value(0);
        for (QAbstractSeries* series : plot->findChild<ImportChartView*>("chtSlots")->chart()->series())
            if (series->isVisible())
                names.append(series->name());
        plot->close();
        delete plot;
        return names;
    };
    s.AskLookup(DateTime::FromParts(2024, 3, 4));
    s.window.findChild<QComboBox*>("cboInterval")->setCurrentText("60 min");
    Press(s.window, "cmdPlotDay");
    EXPECT_EQ(legend(), (QStringList{"Read (24)", "No value (0)"}));
    s.AskLookup(DateTime::FromParts(2002, 1, 14));
    Press(s.window, "cmdPlotDay");
    EXPECT_EQ(legend(), (QStringList{"Read (0)", "No value (24)"}));
}
