// Helpers for the framework tests: readable strings in failure messages and a
// time zone set for the length of one test.
#pragma once

#include <afx.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <ostream>
#include <string>

// Shows a CStringA or CStringW as its text when an expectation fails.
template <typename Ch>
void PrintTo(const CStringT<Ch>& text, std::ostream* os) {
    *os << ::testing::PrintToString(std::basic_string<Ch>(text.GetString(), static_cast<std::size_t>(text.GetLength())));
}

// Sets TZ to a POSIX rule (no time zone database needed) and restores it after.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* rule) {
        if (const char* previous = std::getenv("TZ")) {
            m_previous = previous;
        }
        setenv("TZ", rule, 1);
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;
    ~ScopedTimeZone() {
        if (m_previous) {
            setenv("TZ", m_previous->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    std::optional<std::string> m_previous;
};

// Central European time with its daylight saving rule.
inline constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";
inline constexpr const char* kUtc = "UTC0";
