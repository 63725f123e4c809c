#include "source/SourceReadTest.h"

#include "platform/Conversions.h"
#include "source/CustomSource.h"

#include <optional>

namespace {

const QString kInvalid = QStringLiteral("Input Validation Failed. Try different input.");
const QString kUnreachable = QStringLiteral("Unable to Connect To Source");

// An empty box is no filter; a number is the filter; anything else cannot
// be set and fails the test like invalid input.
std::optional<QVariant> Filter(const QString& box)
{
    if (box.isEmpty())
        return QVariant();
    if (!Conversions::IsNumeric(box))
        return std::nullopt;
    return QVariant(Conversions::ToDouble(box));
}

}  // namespace

std::unique_ptr<CustomSource> SourceReadTest::Prepared(CommonGlobals& globals, const Input& input)
{
    const auto high = Filter(input.highRange);
    const auto low = Filter(input.lowRange);
    const auto deadBand = Filter(input.deadBand);
    if (!high || !low || !deadBand)
        return nullptr;
    auto source = std::make_unique<CustomSource>(globals);
    source->setSourceStatistic(input.statistic);
    source->setSourceTag(input.tag);
    source->setStartdate(input.start);
    source->setEnddate(input.end);
    source->setFilterOp(input.filterOp);
    source->setFilterTag(input.filterTag);
    source->setFilterValue(input.filterValue);
    source->setHighRangeFilter(*high);
    source->setLowRangeFilter(*low);
    source->setDeadBand(*deadBand);
    return source->Validate() ? std::move(source) : nullptr;
}

SourceReadTest::Result SourceReadTest::Run(CommonGlobals& globals, const Input& input, bool textResult)
{
    const std::unique_ptr<CustomSource> source = Prepared(globals, input);
    if (!source)
        return {Outcome::ValidationFailed, kInvalid};
    bool executionError = false;
    const QVariant value = textResult ? source->GetTextResult(executionError) : source->GetDoubleResult(executionError);
    if (executionError)
        return {Outcome::ConnectionFailed, kUnreachable};
    return {Outcome::Value, value.isNull() || !value.isValid() ? QStringLiteral("[NULL]") : value.toString()};
}

SourceReadTest::Plot SourceReadTest::PlotDay(CommonGlobals& globals, const Input& input, int minutes)
{
    const std::unique_ptr<CustomSource> source = Prepared(globals, input);
    if (!source)
        return {Outcome::ValidationFailed, kInvalid, {}};
    Plot plot{Outcome::Value, {}, {}};
    const DateTime day = input.start.datePart();
    for (qint64 start = 0; start < 24 * 60; start += minutes) {
        const DateTime slot = day.addMinutes(start);
        source->setStartdate(slot);
        source->setEnddate(slot.addMinutes(minutes));
        bool executionError = false;
        const QVariant value = source->GetDoubleResult(executionError);
        if (executionError)
            return {Outcome::ConnectionFailed, kUnreachable, {}};
        const bool numeric = value.isValid() && !value.isNull() && Conversions::IsNumeric(value.toString());
        plot.readings.append({slot, numeric ? std::optional(Conversions::ToDouble(value.toString())) : std::nullopt});
    }
    return plot;
}
