#pragma once

#include "platform/Clock.h"

// The machine's local wall clock.
class SystemClock : public Clock {
public:
    DateTime now() const override;
};
