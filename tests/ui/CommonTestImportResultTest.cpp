#include "CommonFiles/ui/CommonTestImportResult.h"
#include "CommonFiles/ui/ImportChartView.h"
#include "support/InteractiveInstallation.h"
#include "support/MixedDiffReport.h"
#include "support/Screenshot.h"

#include <QAbstractSeries>
#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QTabWidget>
#include <QXYSeries>
#include <gtest/gtest.h>

namespace {

// The chart's series by legend name, with the points each one draws.
QMap<QString, qsizetype> Legend(ImportChartView& chart)
{
    QMap<QString, qsizetype> legend;
    for (QAbstractSeries* series : chart.chart()->series())
        legend.insert(series->name(), qobject_cast<QXYSeries*>(series)->count());
    return legend;
}

}  // namespace

// Kept, locked and valueless slots each have their own entry with their
// count, beside the two lines; the lock date is a line of its own.
TEST(CommonTestImportResult, TheChartNamesEveryKindOfSlotWithItsCount)
{
    InteractiveInstallation s;
    CommonTestImportResult window(s.globals, MixedDiffReport());
    window.resize(1000, 560);
    window.findChild<QTabWidget*>("tabResult")->setCurrentIndex(1);
    window.show();
    auto* variable = window.findChild<QComboBox*>("cboVariable");
    ASSERT_EQ(variable->count(), 2);
    variable->setCurrentIndex(1);
    auto* chart = window.findChild<ImportChartView*>("chtSlots");
    const QMap<QString, qsizetype> expected{{"Would write (7)", 7}, {"Stored (9)", 9},   {"Kept (3)", 3},
                                            {"Locked (2)", 2},      {"No value (4)", 4}, {"Lock date", 2}};
    EXPECT_EQ(Legend(*chart), expected);
    EXPECT_EQ(chart->accessibleName(), "Chart of North: F01~1 Flow (#1)");
    EXPECT_TRUE(chart->accessibleDescription().endsWith("write 6, same 1, keep 3, locked 2, no value 4."));
    QCoreApplication::processEvents();
    EXPECT_TRUE(SaveScreenshot(window, "test-import-chart-kinds"));

    variable->setCurrentIndex(0);
    EXPECT_EQ(Legend(*chart).value("Would write (1)"), 1);
    EXPECT_FALSE(Legend(*chart).contains("Lock date"));

    const QString png = s.folder.file("chart.png");
    ASSERT_TRUE(window.ExportImageTo(png));
    EXPECT_FALSE(QImage(png).isNull());
    if (ImportChartView::CanSaveSvg()) {
        const QString svg = s.folder.file("chart.svg");
        ASSERT_TRUE(window.ExportImageTo(svg));
        EXPECT_TRUE(TempFolder::Read(svg).contains("<svg")) << "drawn as SVG, not as a PNG under that name";
    }
}
