// Helpers for the framework tests: readable strings in failure messages and a
// time zone set for the length of one test (TestTimeZone.h).
#pragma once

#include <afx.h>

#include <gtest/gtest.h>

#include "TestTimeZone.h"

#include <ostream>
#include <string>

// Shows a CStringA or CStringW as its text when an expectation fails.
template <typename Ch>
void PrintTo(const CStringT<Ch>& text, std::ostream* os) {
    *os << ::testing::PrintToString(std::basic_string<Ch>(text.GetString(), static_cast<std::size_t>(text.GetLength())));
}
