#pragma once

#include "platform/NumberedError.h"

#include <optional>

// The error a call raises, if it raises one.
template <typename Action> std::optional<NumberedError> Raised(Action&& action)
{
    try {
        action();
    } catch (const NumberedError& error) {
        return error;
    }
    return std::nullopt;
}

// The number of the error a call raises, 0 when it raises none.
template <typename Action> int RaisedNumber(Action&& action)
{
    const std::optional<NumberedError> error = Raised(action);
    return error ? error->number() : 0;
}
