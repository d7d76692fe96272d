#include "FilerItems.h"

#include <cstring>

namespace
{
constexpr int kKinds = AcDbFilerItem::kString;

class Bytes
{
public:
    Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_left(size) {}
    bool Take(std::uint64_t& value, std::size_t count)
    {
        if (count > m_left)
            return false;
        value = 0;
        for (std::size_t i = 0; i < count; ++i)
            value |= static_cast<std::uint64_t>(m_data[i]) << (8 * i);
        m_data += count;
        m_left -= count;
        return true;
    }
    bool TakeDouble(double& value)
    {
        std::uint64_t bits = 0;
        if (!Take(bits, 8))
            return false;
        std::memcpy(&value, &bits, sizeof value);
        return true;
    }
    bool Empty() const { return m_left == 0; }

private:
    const std::uint8_t* m_data;
    std::size_t m_left;
};

bool DecodeValue(Bytes& in, AcDbFilerItem& item)
{
    std::uint64_t value = 0;
    switch (item.kind)
    {
    case AcDbFilerItem::kInt32:
        if (!in.Take(value, 4))
            return false;
        item.int32 = static_cast<Adesk::Int32>(static_cast<std::uint32_t>(value));
        return true;
    case AcDbFilerItem::kBool:
        if (!in.Take(value, 1))
            return false;
        item.boolean = value != 0;
        return true;
    case AcDbFilerItem::kDouble:
        return in.TakeDouble(item.doubles[0]);
    case AcDbFilerItem::kPoint3d:
        return in.TakeDouble(item.doubles[0]) && in.TakeDouble(item.doubles[1]) && in.TakeDouble(item.doubles[2]);
    case AcDbFilerItem::kHandle:
        if (!in.Take(value, 8))
            return false;
        item.handle = AcDbHandle(static_cast<Adesk::UInt64>(value));
        return true;
    case AcDbFilerItem::kBytes:
    {
        std::uint64_t count = 0;
        if (!in.Take(count, 1))
            return false;
        for (std::uint64_t i = 0; i < count; ++i)
        {
            if (!in.Take(value, 1))
                return false;
            item.bytes.push_back(static_cast<unsigned char>(value));
        }
        return true;
    }
    case AcDbFilerItem::kString:
    {
        std::uint64_t count = 0;
        if (!in.Take(count, 1))
            return false;
        for (std::uint64_t i = 0; i < count; ++i)
        {
            if (!in.Take(value, 2))
                return false;
            item.text.push_back(static_cast<wchar_t>(value));
        }
        return true;
    }
    }
    return false;
}

void Put(std::vector<std::uint8_t>& out, std::uint64_t value, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutDouble(std::vector<std::uint8_t>& out, double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof value);
    Put(out, bits, 8);
}

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}
} // namespace

std::vector<AcDbFilerItem> DecodeFilerItems(const std::uint8_t* data, std::size_t size)
{
    std::vector<AcDbFilerItem> items;
    Bytes in(data, size);
    std::uint64_t kind = 0;
    while (in.Take(kind, 1))
    {
        AcDbFilerItem item;
        item.kind = static_cast<AcDbFilerItem::Kind>(kind % kKinds + 1);
        if (!DecodeValue(in, item))
            break;
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<std::uint8_t> EncodeFilerItems(const std::vector<AcDbFilerItem>& items)
{
    std::vector<std::uint8_t> out;
    for (const AcDbFilerItem& item : items)
    {
        out.push_back(static_cast<std::uint8_t>(item.kind - 1));
        switch (item.kind)
        {
        case AcDbFilerItem::kInt32:
            Put(out, static_cast<std::uint32_t>(item.int32), 4);
            break;
        case AcDbFilerItem::kBool:
            out.push_back(item.boolean ? 1 : 0);
            break;
        case AcDbFilerItem::kDouble:
            PutDouble(out, item.doubles[0]);
            break;
        case AcDbFilerItem::kPoint3d:
            for (double d : item.doubles)
                PutDouble(out, d);
            break;
        case AcDbFilerItem::kHandle:
            Put(out, static_cast<Adesk::UInt64>(item.handle), 8);
            break;
        case AcDbFilerItem::kBytes:
        {
            const std::size_t count = item.bytes.size() < 255 ? item.bytes.size() : 255;
            out.push_back(static_cast<std::uint8_t>(count));
            out.insert(out.end(), item.bytes.begin(), item.bytes.begin() + static_cast<std::ptrdiff_t>(count));
            break;
        }
        case AcDbFilerItem::kString:
        {
            const std::size_t count = item.text.size() < 255 ? item.text.size() : 255;
            out.push_back(static_cast<std::uint8_t>(count));
            for (std::size_t i = 0; i < count; ++i)
                Put(out, static_cast<std::uint16_t>(item.text[i]), 2);
            break;
        }
        }
    }
    return out;
}

bool SameFilerItems(const std::vector<AcDbFilerItem>& a, const std::vector<AcDbFilerItem>& b, bool compareDoubles)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        const AcDbFilerItem& x = a[i];
        const AcDbFilerItem& y = b[i];
        if (x.kind != y.kind || x.int32 != y.int32 || x.boolean != y.boolean ||
            static_cast<Adesk::UInt64>(x.handle) != static_cast<Adesk::UInt64>(y.handle) || x.bytes != y.bytes ||
            x.text != y.text)
            return false;
        const bool numbers = x.kind == AcDbFilerItem::kPoint3d || (x.kind == AcDbFilerItem::kDouble && compareDoubles);
        for (int k = 0; numbers && k < 3; ++k)
        {
            if (!SameBits(x.doubles[k], y.doubles[k]))
                return false;
        }
    }
    return true;
}
