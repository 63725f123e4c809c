#pragma once

#include "platform/DateTime.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

class CommonGlobals;
class CustomSource;

// One try of a tag over a date range against the real day files, without
// an import: a fresh source object, set up as an import would set it up.
class SourceReadTest {
public:
    struct Input {
        QString tag;
        QString statistic;
        DateTime start;
        DateTime end;
        QString highRange;  // empty for none
        QString lowRange;
        QString deadBand;
        QString filterTag;
        QString filterOp;
        QString filterValue;
    };
    enum class Outcome { ValidationFailed, ConnectionFailed, Value };
    struct Result {
        Outcome outcome = Outcome::ValidationFailed;
        QString text;  // the message, or the value ("[NULL]" for no value)
    };

    static Result Run(CommonGlobals& globals, const Input& input, bool textResult);

    // A slot of a day read as an import reads it; no value where the
    // source gives none, or nothing numeric.
    struct Reading {
        DateTime slot;
        std::optional<double> value;
    };
    struct Plot {
        Outcome outcome = Outcome::ValidationFailed;
        QString text;  // the message when the day could not be read
        QList<Reading> readings;
    };
    // Every slot of the start date's day, minutes long, read with one
    // source as an import reads a variable, so that a tag can be checked
    // before it is linked.
    static Plot PlotDay(CommonGlobals& globals, const Input& input, int minutes);

private:
    // A source set up from the input; none when the input is refused.
    static std::unique_ptr<CustomSource> Prepared(CommonGlobals& globals, const Input& input);
};
