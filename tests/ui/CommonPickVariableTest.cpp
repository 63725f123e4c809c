#include "CommonFiles/ui/CommonPickVariable.h"
#include "CommonFiles/collector/CommonVarGatherer.h"
#include "support/Screenshot.h"
#include "ui/DemoTarget.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

namespace {

// The demo's variables, North's raw water flow placed in the location tree
// with decimal places left open.
struct Picker : DemoTarget {
    CommonVarGatherer gatherer{globals};
    CommonPickVariable window{globals};

    Picker()
    {
        Exec("NORTHWTP",
             "insert into LOCATION (LOCID, LOCATION, PARENTID) values (1, 'North Plant', NULL), "
             "(2, 'Raw Water', 1)");
        Exec("NORTHWTP", "update VARDESC set LOCID = 2, DECPLACES = 9999 where VARID = 1");
        EXPECT_TRUE(gatherer.ReadKorvelOrvex(DemoInstallation::kCollector, *Open("QELROOT")));
    }
    QTableWidget& list() { return *window.findChild<QTableWidget*>("lpVars"); }
    int RowOf(const QString& facility, qint32 id)
    {
        for (int row = 0; row < list().rowCount(); ++row)
            if (list().item(row, 0)->data(Qt::UserRole).toString() == facility + "\t" + QString::number(id))
                return row;
        return -1;
    }
    QString Cell(const QString& facility, qint32 id, int column)
    {
        return list().item(RowOf(facility, id), column)->text();
    }
    QStringList Shown()
    {
        QStringList keys;
        for (int row = 0; row < list().rowCount(); ++row)
            if (!list().isRowHidden(row))
                keys.append(list().item(row, 0)->data(Qt::UserRole).toString());
        return keys;
    }
    void Click(const QString& facility, qint32 id)
    {
        const QRect cell = list().visualRect(list().model()->index(RowOf(facility, id), 2));
        QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, cell.center());
    }
    void Filter(const QString& facilityName, const QString& search)
    {
        auto* facilities = window.findChild<QComboBox*>("cboFacility");
        facilities->setCurrentIndex(facilities->findText(facilityName));
        window.findChild<QLineEdit*>("txtSearch")->setText(search);
    }
};

}  // namespace

TEST(CommonPickVariable, ListsEveryGatheredVariableWithItsDefinition)
{
    Picker picker;
    ASSERT_TRUE(picker.window.PreLoadVariables(picker.gatherer));
    EXPECT_EQ(picker.window.windowTitle(), "Select Variables to Import");
    QStringList headers;
    for (int column = 0; column < picker.list().columnCount(); ++column)
        headers.append(picker.list().horizontalHeaderItem(column)->text());
    EXPECT_EQ(headers,
              (QStringList{"Var #", "LocPath", "Var Name", "Units", "TrackEvery", "Type", "DecPlaces", "Description",
                           "ScadaTag", "stat", "factor"}));
    EXPECT_EQ(picker.Shown(),
              (QStringList{"NORTHWTP\t1", "NORTHWTP\t2", "NORTHWTP\t3", "NORTHWTP\t4", "NORTHWTP\t5", "NORTHWTP\t6",
                           "NORTHWTP\t7", "SOUTHWTP\t11", "SOUTHWTP\t12", "SOUTHWTP\t13", "SOUTHWTP\t14"}));
    const auto facilities = picker.window.findChild<QComboBox*>("cboFacility");
    QStringList names;
    for (int index = 0; index < facilities->count(); ++index)
        names.append(facilities->itemText(index));
    EXPECT_EQ(names, (QStringList{"All", "North Water Treatment Plant", "South Well Field"}));
    EXPECT_EQ(facilities->currentText(), "All");
    EXPECT_EQ(picker.window.findChild<QLineEdit*>("txtSearch")->placeholderText(), "Search");
    EXPECT_EQ(picker.Cell("NORTHWTP", 1, 0), "1001");
    EXPECT_EQ(picker.Cell("NORTHWTP", 1, 1), "North Plant\\Raw Water");
    EXPECT_EQ(picker.Cell("NORTHWTP", 1, 6), "Not Fixed");
    EXPECT_EQ(picker.Cell("SOUTHWTP", 11, 4), "Hour");
    EXPECT_EQ(picker.Cell("SOUTHWTP", 11, 6), "0");
    EXPECT_EQ(picker.Cell("SOUTHWTP", 11, 10), "694.444");
    picker.window.show();
    picker.Click("NORTHWTP", 1);
    EXPECT_TRUE(SaveScreenshot(picker.window, "variable-picker"));
}

TEST(CommonPickVariable, FacilityAndSearchNarrowTheList)
{
    Picker picker;
    ASSERT_TRUE(picker.window.PreLoadVariables(picker.gatherer));
    picker.Filter("South Well Field", "");
    EXPECT_EQ(picker.Shown(), (QStringList{"SOUTHWTP\t11", "SOUTHWTP\t12", "SOUTHWTP\t13", "SOUTHWTP\t14"}));
    picker.Filter("South Well Field", "chlorine");
    EXPECT_EQ(picker.Shown(), QStringList{"SOUTHWTP\t13"});
    picker.Filter("All", "CHLORINE");
    EXPECT_EQ(picker.Shown().size(), 2);
}

TEST(CommonPickVariable, GivesTheSelectedVariablesInListOrder)
{
    Picker picker;
    WhenShown([&] {
        picker.Click("SOUTHWTP", 12);
        picker.Click("NORTHWTP", 2);
        Press(picker.window, "wizard");
    });
    const SessionPrompts::Picks picks = picker.window.PickVariables(picker.gatherer);
    EXPECT_EQ(picks.outcome, SessionPrompts::PickOutcome::Picked);
    EXPECT_EQ(picks.variables, (QList<QPair<QString, qint32>>{{"NORTHWTP", 2}, {"SOUTHWTP", 12}}));
}

TEST(CommonPickVariable, SelectAllTakesTheShownRowsAndNoneIsStillAChoice)
{
    Picker picker;
    ASSERT_TRUE(picker.window.PreLoadVariables(picker.gatherer));
    picker.Filter("All", "Chlorine");
    Press(picker.window, "addall");
    picker.Filter("All", "");
    Press(picker.window, "wizard");
    EXPECT_EQ(picker.window.Result().variables.size(), 2);
    Press(picker.window, "removeall");
    Press(picker.window, "wizard");
    EXPECT_EQ(picker.window.Result().outcome, SessionPrompts::PickOutcome::Picked);
    EXPECT_TRUE(picker.window.Result().variables.isEmpty());
    Press(picker.window, "cancel");
    EXPECT_EQ(picker.window.Result().outcome, SessionPrompts::PickOutcome::Cancelled);
}

TEST(CommonPickVariable, AListThatCannotBeReadReturnsNothing)
{
    Picker picker;
    picker.globals.config().setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DBTYPE", "Oracle");
    EXPECT_EQ(picker.window.PickVariables(picker.gatherer).outcome, SessionPrompts::PickOutcome::NothingReturned);
    EXPECT_FALSE(picker.window.isVisible());
    EXPECT_EQ(picker.presenter.shown, QStringList{"48||Unable to init Korvel Orvex Connection Manager"});
}
