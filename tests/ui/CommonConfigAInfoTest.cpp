#include "CommonFiles/ui/CommonConfigAInfo.h"
#include "CommonFiles/ui/CommonConfigAdvanced.h"
#include "ui/SettingsWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {

QString Row(int n, const char* field)
{
    return "TARGET\\AINFO\\MAP" + QString::number(n) + "\\" + field;
}

QDialog* ModalDialog()
{
    return qobject_cast<QDialog*>(QApplication::activeModalWidget());
}

QTableWidget& Grid(QDialog& window)
{
    return *window.findChild<QTableWidget*>("grdMap");
}

// Fills a map row as a person would: the box ticked and both fields set.
void SetRow(QDialog& window, int n, const QString& source, const QString& target)
{
    Grid(window).item(n - 1, 0)->setCheckState(Qt::Checked);
    Grid(window).item(n - 1, 1)->setText(source);
    Grid(window).item(n - 1, 2)->setText(target);
}

// The advanced window on the demo target, whose "Configure Additional
// Info" opens the map window over it.
struct AdditionalInfo : SettingsWindow<CommonConfigAdvanced> {
    AdditionalInfo() { Open(); }

    // Presses the button and works the window it opens; the caption of that
    // window, or nothing when none opened. The window opens only after the
    // target has been read, which runs events of its own, so the test looks
    // for it until the button's work is done.
    QString OpenMap(const std::function<void(QDialog&)>& work)
    {
        QString caption;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, [&] {
            if (auto* map = qobject_cast<CommonConfigAInfo*>(QApplication::activeModalWidget())) {
                look.stop();
                caption = map->windowTitle();
                work(*map);
                map->close();
            }
        });
        look.start(10);
        Press("cmdAdditionalInfo");
        return caption;
    }
};

}  // namespace

TEST(CommonConfigAInfo, OffersEveryFacilitysColumnsAndStoresTheChosenMap)
{
    AdditionalInfo s;
    s.Exec("SOUTHWTP", "alter table DATATBL_I add column OPERATOR VARCHAR(20)");
    QStringList offered;
    int sourceFields = -1;
    const QString caption = s.OpenMap([&](QDialog& map) {
        EXPECT_TRUE(SaveScreenshot(map, "additional-info"));
        Grid(map).setCurrentCell(2, 2);
        WhenShown([&] {
            auto* list = ModalDialog()->findChild<QTreeWidget*>("lstFields");
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                offered << ModalDialog()->windowTitle() + ": " + list->topLevelItem(i)->text(0) + " " +
                        list->topLevelItem(i)->text(1) + " " + list->topLevelItem(i)->text(2);
            list->setCurrentItem(list->topLevelItem(2));
            Press(*ModalDialog(), "ok");
        });
        Press(map, "cmdOrvex");
        WhenShown([&] {
            sourceFields = ModalDialog()->findChild<QTreeWidget*>("lstFields")->topLevelItemCount();
            Press(*ModalDialog(), "cancel");
        });
        Press(map, "cmdSource");
        Grid(map).item(2, 1)->setText(" LABSAMPLER ");
        Grid(map).item(2, 0)->setCheckState(Qt::Checked);
        map.findChild<QCheckBox*>("chkEnabled")->setChecked(true);
        Press(map, "save");
    });
    EXPECT_EQ(caption, "Advanced Configuration : Additional Info");
    EXPECT_EQ(
        offered,
        (QStringList{"Select Korvel Orvex Field: LABREF NUMERIC ", "Select Korvel Orvex Field: OPERATOR VARCHAR 20",
                     "Select Korvel Orvex Field: SAMPLER VARCHAR 80"}));
    EXPECT_EQ(sourceFields, 0);  // the day files carry no extra fields
    EXPECT_EQ(QStringList({s.Stored(Row(3, "ENABLED")), s.Stored(Row(3, "SOURCEID")), s.Stored(Row(3, "TARGETID")),
                           s.Stored("TARGET\\AINFO\\ENABLED"), s.Stored("TARGET\\AINFO\\LOGNUMBERWRITES")}),
              (QStringList{"TRUE", "LABSAMPLER", "SAMPLER", "TRUE", "FALSE"}));
    EXPECT_TRUE(s.Saved().contains(">LABSAMPLER<"));
}

TEST(CommonConfigAInfo, RefusesAMapWithAnEmptyFieldOrAColumnNamedTwice)
{
    DemoTarget s;
    CommonConfigAInfo window(s.globals, {{"LABREF", "NUMERIC", ""}, {"SAMPLER", "VARCHAR", "80"}}, nullptr);
    SetRow(window, 1, "LAB", "");
    Press(window, "check");
    SetRow(window, 1, "LAB", "SAMPLER");
    SetRow(window, 512, "BENCH", "sampler");
    Press(window, "save");
    EXPECT_EQ(s.presenter.shown,
              (QStringList{"48|Validation failed|VALIDATION ERROR : Empty Fields detected",
                           "48|Validation failed|VALIDATION ERROR : Duplicate Entries detected"}));
    EXPECT_EQ(s.globals.config().item(Row(1, "ENABLED")), "FALSE");
    EXPECT_FALSE(TempFolder::Read(s.globals.config().path()).contains("BENCH"));

    Grid(window).item(511, 0)->setCheckState(Qt::Unchecked);  // a row not in use may repeat a column
    Press(window, "check");
    EXPECT_EQ(s.presenter.shown.size(), 2);
    EXPECT_EQ(s.globals.config().item(Row(512, "SOURCEID")), "BENCH");
}

TEST(CommonConfigAInfo, OpensOnlyWhenTheTargetsColumnsCanBeRead)
{
    AdditionalInfo unreachable;
    unreachable.globals.config().setItem("KORVELORVEX\\KORVELORVEX_CONNECTION_DATASOURCE",
                                         unreachable.folder.file("gone"));
    EXPECT_EQ(unreachable.OpenMap([](QDialog&) {}), "");
    ASSERT_EQ(unreachable.presenter.shown.size(), 1);
    EXPECT_TRUE(unreachable.presenter.shown[0].startsWith("48|Failed to connect to Korvel Orvex|Error :\r\n"));

    AdditionalInfo noColumns;
    for (const char* facility : {"NORTHWTP", "SOUTHWTP"})
        noColumns.Exec(facility, "drop table DATATBL_I");
    EXPECT_EQ(noColumns.OpenMap([](QDialog&) {}), "");
    EXPECT_EQ(noColumns.presenter.shown,
              QStringList("48||Failed to read Korvel Orvex list of available additional info fields."));
}
