#include "CommonFiles/ui/ImportChartView.h"

#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>
#include <QWheelEvent>
#include <algorithm>
#ifdef R58213_HAVE_SVG
#include <QSvgGenerator>
#endif

namespace {

using Point = ImportChartData::Point;
using Mark = ImportChartData::Mark;

// Without a size yet, as wide as a usual window's plot.
constexpr int kDefaultColumns = 1000;

QString Named(const QString& name, qsizetype count)
{
    return name + " (" + QString::number(count) + ")";
}

QList<QPointF> PointsOf(const QList<Point>& points)
{
    QList<QPointF> shown;
    shown.reserve(points.size());
    for (const Point& p : points)
        shown.append(QPointF(static_cast<double>(p.msecs), p.value));
    return shown;
}

// The least and greatest time and value of every point with a value.
struct Extent {
    qint64 first = std::numeric_limits<qint64>::max();
    qint64 last = std::numeric_limits<qint64>::min();
    double least = std::numeric_limits<double>::max();
    double greatest = std::numeric_limits<double>::lowest();

    void Take(const QList<Point>& points)
    {
        for (const Point& p : points) {
            first = std::min(first, p.msecs);
            last = std::max(last, p.msecs);
            if (!std::isnan(p.value)) {
                least = std::min(least, p.value);
                greatest = std::max(greatest, p.value);
            }
        }
    }
};

}  // namespace

ImportChartView::ImportChartView(QWidget* parent)
    : QChartView(new QChart, parent), m_time(new QDateTimeAxis(this)), m_values(new QValueAxis(this))
{
    setObjectName(QStringLiteral("chtSlots"));
    setRubberBand(QChartView::RectangleRubberBand);
    setRenderHint(QPainter::Antialiasing);
    m_time->setFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
    m_time->setTitleText(QStringLiteral("Slot (local time)"));
    chart()->addAxis(m_time, Qt::AlignBottom);
    chart()->addAxis(m_values, Qt::AlignLeft);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    connect(m_time, &QDateTimeAxis::rangeChanged, this, &ImportChartView::ShowRange);
}

void ImportChartView::Show(ImportChartData shown)
{
    m_data = std::move(shown);
    // The series go with the chart's; nothing may be drawn into them.
    chart()->removeAllSeries();
    m_wouldWrite = m_stored = nullptr;
    m_marks.fill(nullptr);
    chart()->setTitle(m_data.title());
    setAccessibleName("Chart of " + m_data.title());
    setAccessibleDescription(m_data.Summary());
    QLineSeries* wouldWrite = AddLine(Named(m_data.valuesName(), m_data.wouldWrite().size()), QColor(0x1f, 0x77, 0xb4));
    QLineSeries* stored = AddLine(Named("Stored", m_data.stored().size()), QColor(0x7f, 0x7f, 0x7f));
    // Readings of the day files have no target to stand beside.
    stored->setVisible(m_data.hasTarget());
    AddMarkSeries();
    FitAxes();
    PlaceMarks();
    if (const auto lock = m_data.lockDate()) {
        QLineSeries* line = AddLine(QStringLiteral("Lock date"), Qt::black);
        line->setPen(QPen(Qt::black, 1.5, Qt::DashLine));
        line->append(static_cast<double>(*lock), m_values->min());
        line->append(static_cast<double>(*lock), m_values->max());
    }
    m_wouldWrite = wouldWrite;
    m_stored = stored;
    ShowRange();
}

void ImportChartView::AddMarkSeries()
{
    const std::array<QColor, ImportChartData::kMarks> colours{QColor(0xff, 0x7f, 0x0e), QColor(0xd6, 0x27, 0x28),
                                                              QColor(0x94, 0x67, 0xbd)};
    for (const Mark mark : {Mark::Kept, Mark::Locked, Mark::NoValue}) {
        const QString text = ImportChartData::MarkText(mark);
        const QString name = Named(text.left(1).toUpper() + text.mid(1), m_data.marks(mark).size());
        m_marks[static_cast<size_t>(mark)] = AddMarks(name, colours[static_cast<size_t>(mark)]);
        m_marks[static_cast<size_t>(mark)]->setVisible(m_data.hasTarget() || mark == Mark::NoValue);
    }
}

QLineSeries* ImportChartView::AddLine(const QString& name, const QColor& colour)
{
    auto* series = new QLineSeries(this);
    series->setName(name);
    series->setPen(QPen(colour, 1.5));
    Attach(series);
    return series;
}

QScatterSeries* ImportChartView::AddMarks(const QString& name, const QColor& colour)
{
    auto* series = new QScatterSeries(this);
    series->setName(name);
    series->setColor(colour);
    series->setBorderColor(colour);
    series->setMarkerSize(7);
    Attach(series);
    return series;
}

void ImportChartView::Attach(QXYSeries* series)
{
    chart()->addSeries(series);
    series->attachAxis(m_time);
    series->attachAxis(m_values);
}

void ImportChartView::FitAxes()
{
    Extent extent;
    extent.Take(m_data.wouldWrite());
    extent.Take(m_data.stored());
    for (const Mark mark : {Mark::Kept, Mark::Locked, Mark::NoValue})
        extent.Take(m_data.marks(mark));
    if (extent.first > extent.last)
        extent.first = extent.last = QDateTime::currentMSecsSinceEpoch();
    if (extent.least > extent.greatest)
        extent.least = extent.greatest = 0;
    // A margin, so that the marks at the edges show whole.
    const double margin = std::max((extent.greatest - extent.least) * 0.05, 0.5);
    m_bottom = extent.least - margin;
    m_values->setRange(m_bottom, extent.greatest + margin);
    m_time->setRange(QDateTime::fromMSecsSinceEpoch(extent.first), QDateTime::fromMSecsSinceEpoch(extent.last + 1));
}

void ImportChartView::ResetZoom()
{
    chart()->zoomReset();
    FitAxes();
}

// Slots without a value lie along the bottom of the chart.
void ImportChartView::PlaceMarks()
{
    for (const Mark mark : {Mark::Kept, Mark::Locked, Mark::NoValue}) {
        QList<Point>& placed = m_placed[static_cast<size_t>(mark)];
        placed = m_data.marks(mark);
        for (Point& p : placed)
            p.value = std::isnan(p.value) ? m_bottom : p.value;
    }
}

void ImportChartView::ShowRange()
{
    if (!m_wouldWrite)
        return;
    const qint64 from = m_time->min().toMSecsSinceEpoch();
    const qint64 to = m_time->max().toMSecsSinceEpoch();
    const int columns =
        chart()->plotArea().width() > 1 ? static_cast<int>(chart()->plotArea().width()) : kDefaultColumns;
    m_wouldWrite->replace(PointsOf(ImportChartData::Decimated(m_data.wouldWrite(), from, to, columns)));
    m_stored->replace(PointsOf(ImportChartData::Decimated(m_data.stored(), from, to, columns)));
    for (const Mark mark : {Mark::Kept, Mark::Locked, Mark::NoValue})
        m_marks[static_cast<size_t>(mark)]->replace(
            PointsOf(ImportChartData::Decimated(m_placed[static_cast<size_t>(mark)], from, to, columns)));
}

void ImportChartView::wheelEvent(QWheelEvent* event)
{
    chart()->zoom(event->angleDelta().y() > 0 ? 1.25 : 0.8);
    event->accept();
}

bool ImportChartView::CanSaveSvg()
{
#ifdef R58213_HAVE_SVG
    return true;
#else
    return false;
#endif
}

bool ImportChartView::SaveImage(const QString& path)
{
#ifdef R58213_HAVE_SVG
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(size());
        svg.setViewBox(rect());
        svg.setTitle(chart()->title());
        svg.setDescription(accessibleDescription());
        QPainter painter;
        if (!painter.begin(&svg))
            return false;
        render(&painter);
        return painter.end();
    }
#endif
    return grab().save(path, "PNG");
}
