#pragma once

#include "platform/DateTime.h"

#include <QString>

class CommonGlobals;

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
};
