#include "CommonFiles/ui/CommonTestSource.h"

#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/ui/DateTimePicker.h"
#include "CommonFiles/ui/ImportChartView.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

namespace {

// The slot lengths a day is plotted in, in minutes.
constexpr std::array<int, 5> kPlotIntervals{1, 5, 15, 30, 60};

constexpr int kFramesPerRow = 2;

}  // namespace

CommonTestSource::CommonTestSource(CommonGlobals& globals, QWidget* parent) : QDialog(parent), m_globals(globals)
{
    setWindowTitle(QStringLiteral("Source Read Test"));
    new QVBoxLayout(this);
    AddInputFrame();
    AddButtons();
}

void CommonTestSource::AddInputFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Input"), this);
    m_inputs = new QGridLayout(frame);
    m_stag = AddText(QStringLiteral("stag"), QStringLiteral("SourceTag"), QStringLiteral("BIO_FIT_6001_1"));
    m_stat = AddText(QStringLiteral("stat"), QStringLiteral("Source Statistic"), QStringLiteral("AVERAGE"));
    m_dateS = AddDate(QStringLiteral("dateS"), QStringLiteral("Start Date"), DateTime::FromParts(2002, 1, 14));
    m_dateE = AddDate(QStringLiteral("dateE"), QStringLiteral("End Date"), DateTime::FromParts(2002, 1, 15));
    m_highRange = AddText(QStringLiteral("HighRange"), QStringLiteral("High Range Filter"));
    m_lowRange = AddText(QStringLiteral("LowRange"), QStringLiteral("Low Range Filter"));
    m_deadBand = AddText(QStringLiteral("DeadBand"), QStringLiteral("Dead Band"));
    m_filterTag = AddText(QStringLiteral("FilterTag"), QStringLiteral("FilterTag"));
    m_filterOp = AddText(QStringLiteral("FilterOp"), QStringLiteral("Filter Operand"));
    m_filterValue = AddText(QStringLiteral("FilterValue"), QStringLiteral("Filter Value"));
    layout()->addWidget(frame);
}

QLineEdit* CommonTestSource::AddText(const QString& name, const QString& caption, const QString& initial)
{
    auto* text = new QLineEdit(initial, this);
    text->setObjectName(name);
    AddFramed(text, caption);
    return text;
}

DateTimePicker* CommonTestSource::AddDate(const QString& name, const QString& caption, const DateTime& initial)
{
    auto* picker = new DateTimePicker(this);
    picker->setObjectName(name);
    picker->setValue(initial);
    AddFramed(picker, caption);
    return picker;
}

void CommonTestSource::AddFramed(QWidget* control, const QString& caption)
{
    const int index = m_inputs->count();
    auto* frame = new QGroupBox(caption, this);
    (new QVBoxLayout(frame))->addWidget(control);
    control->setAccessibleName(caption);
    m_inputs->addWidget(frame, index / kFramesPerRow, index % kFramesPerRow);
}

void CommonTestSource::AddButtons()
{
    auto* row = new QHBoxLayout;
    const auto add = [this, row](const QString& name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAccessibleName(caption);
        row->addWidget(button);
        return button;
    };
    connect(add(QStringLiteral("Command1"), QStringLiteral("Test Read Double")), &QPushButton::clicked, this,
            [this] { TestRead(false); });
    connect(add(QStringLiteral("Command2"), QStringLiteral("Test Read String")), &QPushButton::clicked, this,
            [this] { TestRead(true); });
    connect(add(QStringLiteral("cmdPlotDay"), QStringLiteral("Plot Day")), &QPushButton::clicked, this,
            &CommonTestSource::PlotDay);
    m_cboInterval = new QComboBox(this);
    m_cboInterval->setObjectName(QStringLiteral("cboInterval"));
    m_cboInterval->setAccessibleName(QStringLiteral("Interval of the plotted slots"));
    for (const int minutes : kPlotIntervals)
        m_cboInterval->addItem(QString::number(minutes) + " min", minutes);
    m_cboInterval->setCurrentText(QStringLiteral("15 min"));
    row->addWidget(m_cboInterval);
    connect(add(QStringLiteral("Command3"), QStringLiteral("Close")), &QPushButton::clicked, this, &QDialog::close);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

SourceReadTest::Input CommonTestSource::Typed() const
{
    return {m_stag->text(),     m_stat->text(),     m_dateS->Value(),    m_dateE->Value(),   m_highRange->text(),
            m_lowRange->text(), m_deadBand->text(), m_filterTag->text(), m_filterOp->text(), m_filterValue->text()};
}

void CommonTestSource::TestRead(bool textResult)
{
    const SourceReadTest::Result result = SourceReadTest::Run(m_globals, Typed(), textResult);
    if (result.outcome == SourceReadTest::Outcome::Value)
        m_globals.msgBox().QelMsgBox(result.text, QELmsgBoxHandler::OkOnly,
                                     textResult ? QStringLiteral("Text Result") : QStringLiteral("Double Result"));
    else
        m_globals.msgBox().QelMsgBox(result.text, QELmsgBoxHandler::Exclamation);
}

// The day of the start date, slot by slot, as a chart of its own.
void CommonTestSource::PlotDay()
{
    const SourceReadTest::Input input = Typed();
    const SourceReadTest::Plot plot = SourceReadTest::PlotDay(m_globals, input, m_cboInterval->currentData().toInt());
    if (plot.outcome != SourceReadTest::Outcome::Value) {
        m_globals.msgBox().QelMsgBox(plot.text, QELmsgBoxHandler::Exclamation);
        return;
    }
    auto* window = new QDialog(this);
    window->setObjectName(QStringLiteral("frmPlotDay"));
    window->setWindowTitle("Plot Day: " + input.tag);
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* chart = new ImportChartView(window);
    chart->Show(ImportChartData::OfReadings(input.tag + " on " + input.start.format("yyyy-mm-dd") + ", every " +
                                                m_cboInterval->currentText(),
                                            plot.readings));
    (new QVBoxLayout(window))->addWidget(chart);
    window->resize(900, 420);
    window->show();
}
