#pragma once

#include "CommonFiles/control/ImportChartData.h"

#include <QChartView>
#include <array>

class QDateTimeAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
class QXYSeries;

// The chart of one variable of a test import: the values it would write
// and the values the target holds as lines, the kept, locked and valueless
// slots as marks in their own colours, the lock date as a vertical line,
// each named in the legend with its count. A drag zooms into its rectangle,
// the mouse wheel in and out; what is in view is redrawn from the whole
// run, at most two points a pixel column.
class ImportChartView : public QChartView {
    Q_OBJECT
public:
    explicit ImportChartView(QWidget* parent = nullptr);

    void Show(ImportChartData shown);
    void ResetZoom();
    // As PNG, or SVG for a name ending in ".svg" where Qt's SVG module is
    // at hand; false when it cannot be written.
    bool SaveImage(const QString& path);
    static bool CanSaveSvg();

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    QLineSeries* AddLine(const QString& name, const QColor& colour);
    QScatterSeries* AddMarks(const QString& name, const QColor& colour);
    void AddMarkSeries();
    void Attach(QXYSeries* series);
    void FitAxes();
    void ShowRange();
    void PlaceMarks();

    ImportChartData m_data;
    QDateTimeAxis* m_time;
    QValueAxis* m_values;
    QLineSeries* m_wouldWrite = nullptr;
    QLineSeries* m_stored = nullptr;
    std::array<QScatterSeries*, ImportChartData::kMarks> m_marks{};
    // The marks where they are drawn: those without a value at the bottom.
    std::array<QList<ImportChartData::Point>, ImportChartData::kMarks> m_placed;
    double m_bottom = 0;
};
