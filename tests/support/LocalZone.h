#pragma once

#include <cstdlib>
#include <string>
#include <time.h>

// Puts the process in another time zone for as long as it lives, as a
// site's own zone would (with daylight saving, or a fixed offset).
class LocalZone {
public:
    explicit LocalZone(const char* zone)
    {
        if (const char* previous = std::getenv("TZ")) {
            m_previous = previous;
            m_hadPrevious = true;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~LocalZone()
    {
        if (m_hadPrevious)
            setenv("TZ", m_previous.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    LocalZone(const LocalZone&) = delete;
    LocalZone& operator=(const LocalZone&) = delete;

private:
    std::string m_previous;
    bool m_hadPrevious = false;
};
