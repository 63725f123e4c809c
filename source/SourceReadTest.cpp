#include "source/SourceReadTest.h"

#include "platform/Conversions.h"
#include "source/CustomSource.h"

#include <optional>

namespace {

const QString kInvalid = QStringLiteral("Input Validation Failed. Try different input.");

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

SourceReadTest::Result SourceReadTest::Run(CommonGlobals& globals, const Input& input, bool textResult)
{
    const auto high = Filter(input.highRange);
    const auto low = Filter(input.lowRange);
    const auto deadBand = Filter(input.deadBand);
    if (!high || !low || !deadBand)
        return {Outcome::ValidationFailed, kInvalid};
    CustomSource source(globals);
    source.setSourceStatistic(input.statistic);
    source.setSourceTag(input.tag);
    source.setStartdate(input.start);
    source.setEnddate(input.end);
    source.setFilterOp(input.filterOp);
    source.setFilterTag(input.filterTag);
    source.setFilterValue(input.filterValue);
    source.setHighRangeFilter(*high);
    source.setLowRangeFilter(*low);
    source.setDeadBand(*deadBand);
    if (!source.Validate())
        return {Outcome::ValidationFailed, kInvalid};
    bool executionError = false;
    const QVariant value = textResult ? source.GetTextResult(executionError) : source.GetDoubleResult(executionError);
    if (executionError)
        return {Outcome::ConnectionFailed, QStringLiteral("Unable to Connect To Source")};
    return {Outcome::Value, value.isNull() || !value.isValid() ? QStringLiteral("[NULL]") : value.toString()};
}
