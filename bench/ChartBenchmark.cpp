// How long the chart of a test import takes to draw for a month of minute
// slots: 44,640 slots of one variable, the stored values beside the new
// ones, with kept, locked and valueless slots among them. Timed: building
// the chart's data from the report, showing it, drawing the whole month,
// and drawing again after zooming into a day.

#include "CommonFiles/control/ImportChartData.h"
#include "CommonFiles/ui/ImportChartView.h"

#include <QApplication>
#include <QChart>
#include <QElapsedTimer>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kSlots = 31 * 24 * 60;

DiffReport MonthOfMinutes()
{
    DiffReport diff;
    const DateTime start = DateTime::FromParts(2024, 3, 1);
    for (int i = 0; i < kSlots; ++i) {
        SlotDecision d;
        d.facility = "NORTHWTP";
        d.facilityName = "North";
        d.varId = 1;
        d.variableName = "Raw Water Flow";
        d.slot = start.addMinutes(i);
        d.stored = i % 2 == 0;
        d.storedValue = QString::number(100 + 10 * std::sin(i / 500.0), 'f', 2);
        d.storedStatus = 1;
        d.newValue = i % 997 == 0 ? QString() : QString::number(100 + 10 * std::sin(i / 480.0), 'f', 2);
        d.newStatus = 1;
        if (d.newValue.isEmpty())
            diff.AddNoValue(d, "empty cell");
        else if (i % 1009 == 0)
            diff.AddKept(d);
        else
            diff.AddWritten(d);
    }
    return diff;
}

double Milliseconds(QElapsedTimer& timer)
{
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    return ms;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const DiffReport diff = MonthOfMinutes();
    ImportChartView view;
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(1000, 420);
    view.show();
    QApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    const ImportChartData data = ImportChartData::Of(diff, ImportChartData::VariablesOf(diff).value(0));
    const double built = Milliseconds(timer);
    view.Show(data);
    QApplication::processEvents();
    const double shown = Milliseconds(timer);
    const QImage month = view.grab().toImage();
    const double drawn = Milliseconds(timer);
    view.chart()->zoom(31.0);
    const QImage day = view.grab().toImage();
    const double zoomed = Milliseconds(timer);

    std::printf("chart of %d slots per series (%lld written, %lld stored)\n", kSlots,
                static_cast<long long>(data.wouldWrite().size()), static_cast<long long>(data.stored().size()));
    std::printf("  chart data from the report  %8.1f ms\n", built);
    std::printf("  shown (decimated)           %8.1f ms\n", shown);
    std::printf("  whole month drawn           %8.1f ms\n", drawn);
    std::printf("  zoomed to a day and drawn   %8.1f ms\n", zoomed);
    const double total = built + shown + drawn;
    std::printf("  from report to a drawn month %7.1f ms (%s a second)\n", total, total < 1000 ? "under" : "OVER");
    return month.isNull() || day.isNull() ? 1 : 0;
}
