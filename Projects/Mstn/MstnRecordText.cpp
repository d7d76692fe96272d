#include "MstnRecordText.h"

#include "MstnBytes.h"

#ifdef UNICODE
namespace
{
constexpr std::uint32_t kReplacement = 0xFFFD;

void PutUnit(std::vector<std::uint8_t>& out, std::uint32_t unit)
{
    out.push_back(static_cast<std::uint8_t>(unit));
    out.push_back(static_cast<std::uint8_t>(unit >> 8));
}

bool IsHighSurrogate(std::uint32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(std::uint32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
} // namespace

std::vector<std::uint8_t> MstnRecordText::Encode(const CString& text)
{
    std::vector<std::uint8_t> out;
    out.reserve(2 * static_cast<std::size_t>(text.GetLength()) + 2);
    for (int i = 0; i < text.GetLength(); ++i)
    {
        std::uint32_t code = static_cast<std::uint32_t>(text.GetString()[i]);
        if (code > 0x10FFFF)
            code = kReplacement;
        if (code >= 0x10000)
        {
            code -= 0x10000;
            PutUnit(out, 0xD800 + (code >> 10));
            PutUnit(out, 0xDC00 + (code & 0x3FF));
        }
        else
        {
            PutUnit(out, code);
        }
    }
    PutUnit(out, 0);
    return out;
}

bool MstnRecordText::Decode(const std::uint8_t* bytes, std::size_t available, CString& text, std::size_t& consumed)
{
    std::size_t units = 0;
    while (true)
    {
        if (2 * units + 2 > available)
            return false;
        if (MstnBytes::GetU16(bytes + 2 * units) == 0)
            break;
        ++units;
    }
    std::wstring decoded;
    decoded.reserve(units);
    for (std::size_t i = 0; i < units; ++i)
    {
        const std::uint32_t unit = MstnBytes::GetU16(bytes + 2 * i);
        if (IsHighSurrogate(unit) && i + 1 < units && IsLowSurrogate(MstnBytes::GetU16(bytes + 2 * i + 2)))
        {
            const std::uint32_t low = MstnBytes::GetU16(bytes + 2 * i + 2);
            decoded += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
            ++i;
        }
        else
        {
            decoded += static_cast<wchar_t>(unit);  // a lone surrogate is kept as it is
        }
    }
    text = CString(decoded.c_str(), static_cast<int>(decoded.size()));
    consumed = 2 * units + 2;
    return true;
}
#else
std::vector<std::uint8_t> MstnRecordText::Encode(const CString& text)
{
    const auto* begin = reinterpret_cast<const std::uint8_t*>(text.GetString());
    std::vector<std::uint8_t> out(begin, begin + text.GetLength());
    out.push_back(0);
    return out;
}

bool MstnRecordText::Decode(const std::uint8_t* bytes, std::size_t available, CString& text, std::size_t& consumed)
{
    std::size_t length = 0;
    while (true)
    {
        if (length + 1 > available)
            return false;
        if (bytes[length] == 0)
            break;
        ++length;
    }
    text = CString(reinterpret_cast<const char*>(bytes), static_cast<int>(length));
    consumed = length + 1;
    return true;
}
#endif
