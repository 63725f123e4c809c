#pragma once

#include "platform/DateTime.h"

// Where "now" comes from. The program reads the local wall clock; tests
// drive log roll-over, clean-up hours and schedules with a clock they set.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() const = 0;
};
