// What a simulation holds, field by field, as lines of text: one build writes
// the facts of the simulations it stored beside the file, and every other build
// that reads the file compares what it loaded with them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <afx.h>

class ProbeFacts
{
public:
    // Facts start with the build's string width ("strings: WIDE" or
    // "strings: NARROW"), so that a reader tells a record of the other width.
    ProbeFacts();

    void Add(const std::string& key, const std::string& value);
    void Add(const std::string& key, std::int64_t value);
    void Add(const std::string& key, std::uint64_t value);
    void Add(const std::string& key, int value);
    void Add(const std::string& key, bool value);
    // Numbers in full precision: what comes back must be bit for bit the same.
    void Add(const std::string& key, double value);
    void Add(const std::string& key, const double* values, int count);

    const std::vector<std::string>& Lines() const { return m_lines; }
    std::string Text() const;

private:
    std::vector<std::string> m_lines;
};

// The text with every character past ASCII as \u{hex} (a narrow build's bytes
// as they stand), so that builds of both string widths write the same facts.
std::string ProbeText(const CString& text);

namespace ProbeFactsFile
{
// The file beside a drawing or design file that holds its facts.
std::string PathFor(const std::string& storedFile);
bool Write(const std::string& path, const ProbeFacts& facts);
// The lines of the file; false when it cannot be read.
bool Read(const std::string& path, std::vector<std::string>& lines);
// Empty when equal; else where the first difference is, and both lines.
std::string Difference(const std::vector<std::string>& expected, const std::vector<std::string>& actual);
} // namespace ProbeFactsFile
