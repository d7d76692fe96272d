#include "Faults.h"

#include <cstdio>

namespace mstnhost {

void Faults::report(const std::string& text)
{
    ++count_;
    last_ = text;
    std::fprintf(stderr, "MicroStation host fault: %s\n", text.c_str());
}

void Faults::clear()
{
    count_ = 0;
    last_.clear();
}

} // namespace mstnhost
