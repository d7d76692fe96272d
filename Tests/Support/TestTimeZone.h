// The time zone the tests run in. Local times are the same on every machine:
// UTC, unless PM_TEST_TZ names another POSIX rule (CTest runs the tests of the
// time records a second time in Central European time, where local time and
// UTC differ by one or two hours).
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

// Central European time with its daylight saving rule (no time zone database needed).
inline constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";
inline constexpr const char* kUtc = "UTC0";

inline void UseTestTimeZone()
{
    const char* rule = std::getenv("PM_TEST_TZ");
    setenv("TZ", rule && *rule ? rule : kUtc, 1);
    tzset();
}

// Sets TZ to a POSIX rule and restores it after.
class ScopedTimeZone
{
public:
    explicit ScopedTimeZone(const char* rule)
    {
        if (const char* previous = std::getenv("TZ"))
            m_previous = previous;
        setenv("TZ", rule, 1);
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;
    ~ScopedTimeZone()
    {
        if (m_previous)
            setenv("TZ", m_previous->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> m_previous;
};
