// The host's filer: tagged items in memory, read defensively.
#include <cstring>
#include <limits>

#include "HostInternal.h"

DWGHOST_DEFINE_MEMBERS(AcDbMemoryFiler, kDbMemoryFiler)

AcDbMemoryFiler::AcDbMemoryFiler(AcDbDatabase* database, AcDb::FilerType type) : mDatabase(database), mType(type) {}

AcDbMemoryFiler::AcDbMemoryFiler(std::vector<AcDbFilerItem> items, AcDbDatabase* database, AcDb::FilerType type)
    : mItems(std::move(items)), mDatabase(database), mType(type)
{
}

AcDbMemoryFiler::~AcDbMemoryFiler() = default;

const std::vector<AcDbFilerItem>& AcDbMemoryFiler::items() const { return mItems; }
Acad::ErrorStatus AcDbMemoryFiler::filerStatus() const { return mStatus; }
AcDb::FilerType AcDbMemoryFiler::filerType() const { return mType; }
void AcDbMemoryFiler::setFilerStatus(Acad::ErrorStatus status) { mStatus = status; }
void AcDbMemoryFiler::resetFilerStatus() { mStatus = Acad::eOk; }
AcDbDatabase* AcDbMemoryFiler::database() const { return mDatabase; }

Adesk::UInt32 AcDbMemoryFiler::remainingItems() const
{
    if (mStatus != Acad::eOk)
        return 0;
    const std::size_t left = mItems.size() - mNext;
    return left > std::numeric_limits<Adesk::UInt32>::max() ? std::numeric_limits<Adesk::UInt32>::max()
                                                            : static_cast<Adesk::UInt32>(left);
}

// The next item when it is of the kind asked for; else the status is set, for good.
const AcDbFilerItem* AcDbMemoryFiler::take(AcDbFilerItem::Kind kind)
{
    if (mStatus != Acad::eOk)
        return nullptr;
    if (mNext >= mItems.size()) {
        mStatus = Acad::eEndOfFile;
        return nullptr;
    }
    if (mItems[mNext].kind != kind) {
        mStatus = Acad::eFilerItemMismatch;
        return nullptr;
    }
    return &mItems[mNext++];
}

AcDbFilerItem& AcDbMemoryFiler::append(AcDbFilerItem::Kind kind)
{
    mItems.emplace_back();
    mItems.back().kind = kind;
    return mItems.back();
}

Acad::ErrorStatus AcDbMemoryFiler::readInt32(Adesk::Int32* value)
{
    const AcDbFilerItem* item = take(AcDbFilerItem::kInt32);
    if (value)
        *value = item ? item->int32 : 0;
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::writeInt32(Adesk::Int32 value)
{
    append(AcDbFilerItem::kInt32).int32 = value;
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::readBool(Adesk::Boolean* value)
{
    const AcDbFilerItem* item = take(AcDbFilerItem::kBool);
    if (value)
        *value = item ? item->boolean : false;
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::writeBool(Adesk::Boolean value)
{
    append(AcDbFilerItem::kBool).boolean = value;
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::readDouble(double* value)
{
    const AcDbFilerItem* item = take(AcDbFilerItem::kDouble);
    if (value)
        *value = item ? item->doubles[0] : 0.0;
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::writeDouble(double value)
{
    append(AcDbFilerItem::kDouble).doubles[0] = value;
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::readPoint3d(AcGePoint3d* value)
{
    const AcDbFilerItem* item = take(AcDbFilerItem::kPoint3d);
    if (value) {
        *value = item ? AcGePoint3d(item->doubles[0], item->doubles[1], item->doubles[2])
                      : AcGePoint3d(0.0, 0.0, 0.0);
    }
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::writePoint3d(const AcGePoint3d& value)
{
    AcDbFilerItem& item = append(AcDbFilerItem::kPoint3d);
    item.doubles[0] = value.x;
    item.doubles[1] = value.y;
    item.doubles[2] = value.z;
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::readAcDbHandle(AcDbHandle* value)
{
    const AcDbFilerItem* item = take(AcDbFilerItem::kHandle);
    if (value)
        *value = item ? item->handle : AcDbHandle();
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::writeAcDbHandle(const AcDbHandle& value)
{
    append(AcDbFilerItem::kHandle).handle = value;
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::readBytes(void* buffer, Adesk::UIntPtr length)
{
    if (!buffer && length > 0) {
        if (mStatus == Acad::eOk)
            mStatus = Acad::eInvalidInput;
        return mStatus;
    }
    const AcDbFilerItem* item = take(AcDbFilerItem::kBytes);
    if (item && item->bytes.size() != length) {
        mStatus = Acad::eFilerItemMismatch;
        item = nullptr;
    }
    if (length > 0) {
        if (item)
            std::memcpy(buffer, item->bytes.data(), length);
        else
            std::memset(buffer, 0, length);
    }
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::writeBytes(const void* buffer, Adesk::UIntPtr length)
{
    AcDbFilerItem& item = append(AcDbFilerItem::kBytes);
    // A record holds at most 4 GiB of bytes in one item.
    if ((!buffer && length > 0) || length > std::numeric_limits<Adesk::UInt32>::max()) {
        if (mStatus == Acad::eOk)
            mStatus = Acad::eInvalidInput;
        return mStatus;
    }
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    item.bytes.assign(bytes, bytes + length);
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::readString(ACHAR** value)
{
    if (!value) {
        if (mStatus == Acad::eOk)
            mStatus = Acad::eInvalidInput;
        return mStatus;
    }
    *value = nullptr;
    if (const AcDbFilerItem* item = take(AcDbFilerItem::kString))
        acutNewString(item->text.c_str(), *value);
    return mStatus;
}

Acad::ErrorStatus AcDbMemoryFiler::writeString(const ACHAR* value)
{
    append(AcDbFilerItem::kString).text = value ? value : L"";
    return mStatus;
}
