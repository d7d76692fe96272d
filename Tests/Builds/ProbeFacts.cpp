#include "ProbeFacts.h"

#include <cinttypes>
#include <cstdio>
#include <fstream>

ProbeFacts::ProbeFacts()
{
#ifdef UNICODE
    Add("strings", std::string("WIDE"));
#else
    Add("strings", std::string("NARROW"));
#endif
}

void ProbeFacts::Add(const std::string& key, const std::string& value)
{
    m_lines.push_back(key + ": " + value);
}

void ProbeFacts::Add(const std::string& key, std::int64_t value)
{
    Add(key, std::to_string(value));
}

void ProbeFacts::Add(const std::string& key, std::uint64_t value)
{
    Add(key, std::to_string(value));
}

void ProbeFacts::Add(const std::string& key, int value)
{
    Add(key, std::to_string(value));
}

void ProbeFacts::Add(const std::string& key, bool value)
{
    Add(key, std::string(value ? "yes" : "no"));
}

void ProbeFacts::Add(const std::string& key, double value)
{
    Add(key, &value, 1);
}

void ProbeFacts::Add(const std::string& key, const double* values, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
    {
        char number[40];
        std::snprintf(number, sizeof number, "%.17g", values[i]);
        if (i > 0)
            text += ' ';
        text += number;
    }
    Add(key, text);
}

std::string ProbeFacts::Text() const
{
    std::string text;
    for (const std::string& line : m_lines)
        text += line + '\n';
    return text;
}

std::string ProbeText(const CString& text)
{
#ifdef UNICODE
    std::string out;
    for (int i = 0; i < text.GetLength(); ++i)
    {
        const auto code = static_cast<std::uint32_t>(text.GetString()[i]);
        if (code < 0x80)
        {
            out += static_cast<char>(code);
        }
        else
        {
            char escaped[16];
            std::snprintf(escaped, sizeof escaped, "\\u{%" PRIx32 "}", code);
            out += escaped;
        }
    }
    return out;
#else
    return std::string(text.GetString(), static_cast<std::size_t>(text.GetLength()));
#endif
}

std::string ProbeFactsFile::PathFor(const std::string& storedFile)
{
    return storedFile + ".facts";
}

bool ProbeFactsFile::Write(const std::string& path, const ProbeFacts& facts)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << facts.Text();
    return static_cast<bool>(out);
}

bool ProbeFactsFile::Read(const std::string& path, std::vector<std::string>& lines)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    lines.clear();
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return true;
}

std::string ProbeFactsFile::Difference(const std::vector<std::string>& expected, const std::vector<std::string>& actual)
{
    const std::size_t common = std::min(expected.size(), actual.size());
    for (std::size_t i = 0; i < common; ++i)
    {
        if (expected[i] != actual[i])
            return "line " + std::to_string(i + 1) + ": expected \"" + expected[i] + "\", read \"" + actual[i] + "\"";
    }
    if (expected.size() != actual.size())
        return "expected " + std::to_string(expected.size()) + " lines, read " + std::to_string(actual.size());
    return std::string();
}
