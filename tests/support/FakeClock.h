#pragma once

#include "platform/Clock.h"

// A clock that stands where a test puts it.
class FakeClock : public Clock {
public:
    explicit FakeClock(DateTime now = DateTime::FromParts(2024, 3, 5, 14, 7, 9)) : m_now(now) {}
    DateTime now() const override { return m_now; }
    void set(DateTime now) { m_now = now; }

private:
    DateTime m_now;
};
