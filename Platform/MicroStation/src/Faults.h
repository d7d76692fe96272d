// The record of handle faults (double frees, use after free) that tests read.
#pragma once

#include <cstddef>
#include <string>

namespace mstnhost {

class Faults
{
public:
    // Counts the fault, keeps its text and writes it to the standard error stream.
    void report(const std::string& text);
    std::size_t count() const { return count_; }
    const std::string& last() const { return last_; }
    void clear();

private:
    std::size_t count_ = 0;
    std::string last_;
};

} // namespace mstnhost
