#include "CommonFiles/ui/CommonConfigUnits.h"
#include "ui/SettingsWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTableWidget>

namespace {

QString Row(int n, const char* field)
{
    return "TARGET\\UNITCONVERT\\UNIT" + QString::number(n) + "\\" + field;
}

struct UnitsWindow : SettingsWindow<CommonConfigUnits> {
    UnitsWindow() { Open(); }
    QTableWidget& Grid() { return *window->findChild<QTableWidget*>("grdUnits"); }
    QComboBox& Kind(int n) { return *qobject_cast<QComboBox*>(Grid().cellWidget(n - 1, 2)); }
    void Set(int n, int column, const QString& text) { Grid().item(n - 1, column)->setText(text); }
};

}  // namespace

TEST(CommonConfigUnits, DefinesItsRowsAndShowsEachConversion)
{
    UnitsWindow s;
    EXPECT_TRUE(s.window->findChild<QCheckBox*>("chkEnabled")->isChecked());
    EXPECT_EQ(s.Grid().rowCount(), 100);
    EXPECT_EQ(QStringList({s.Kind(1).currentText(), s.Grid().item(0, 3)->text(), s.Kind(19).currentText(),
                           s.Kind(24).currentText(), s.Grid().item(24 - 1, 1)->text()}),
              (QStringList{"Multiplication", "0.000001", "Degrees F to C", "Degrees C to F", "degc"}));
    s.Screenshot("unit-conversion");
}

TEST(CommonConfigUnits, StoresTheTemperatureCodesAndTheFactors)
{
    UnitsWindow s;
    s.Kind(1).setCurrentText("Degrees C to F");
    s.Kind(19).setCurrentText("Multiplication");
    s.Set(19, 3, " 2.5 ");
    s.Set(100, 1, "gpm");
    s.Set(100, 4, "mgd");
    s.Kind(100).setCurrentText("Degrees F to C");
    s.Grid().item(99, 0)->setCheckState(Qt::Checked);
    s.window->findChild<QCheckBox*>("chkEnabled")->setChecked(false);
    s.Press("close");
    EXPECT_EQ(s.Stored(Row(1, "FACTOR")), "0.000001");

    s.Press("check");
    EXPECT_EQ(QStringList({s.Stored(Row(1, "FACTOR")), s.Stored(Row(19, "FACTOR")), s.Stored(Row(100, "FACTOR")),
                           s.Stored(Row(100, "FROMUNIT")), s.Stored(Row(100, "TOUNIT")), s.Stored(Row(100, "ENABLED")),
                           s.Stored("TARGET\\UNITCONVERT\\ENABLED")}),
              (QStringList{"-2", "2.5", "-1", "gpm", "mgd", "TRUE", "FALSE"}));
    s.Press("save");
    EXPECT_TRUE(s.Saved().contains("gpm"));
}
