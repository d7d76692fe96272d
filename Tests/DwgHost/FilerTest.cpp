// The host's filer: items tagged with their kind, and defensive reads.
#include <cstring>
#include <cwchar>
#include <vector>

#include <dbhostfaults.h>

#include "HostTestSupport.h"

namespace
{
// Writes one item of the kind.
void writeOne(AcDbMemoryFiler& filer, AcDbFilerItem::Kind kind)
{
    const unsigned char bytes[4] = {1, 2, 3, 4};
    switch (kind) {
    case AcDbFilerItem::kInt32: filer.writeInt32(7); break;
    case AcDbFilerItem::kBool: filer.writeBool(true); break;
    case AcDbFilerItem::kDouble: filer.writeDouble(2.5); break;
    case AcDbFilerItem::kPoint3d: filer.writePoint3d(AcGePoint3d(1.0, 2.0, 3.0)); break;
    case AcDbFilerItem::kHandle: filer.writeAcDbHandle(AcDbHandle(42, 1)); break;
    case AcDbFilerItem::kBytes: filer.writeBytes(bytes, sizeof bytes); break;
    case AcDbFilerItem::kString: filer.writeString(L"text"); break;
    }
}

// Reads one item of the kind and tells whether the value read is zero or empty.
bool readOneGivesNothing(AcDbMemoryFiler& filer, AcDbFilerItem::Kind kind)
{
    switch (kind) {
    case AcDbFilerItem::kInt32: {
        Adesk::Int32 value = -1;
        filer.readInt32(&value);
        return value == 0;
    }
    case AcDbFilerItem::kBool: {
        Adesk::Boolean value = true;
        filer.readBool(&value);
        return !value;
    }
    case AcDbFilerItem::kDouble: {
        double value = -1.0;
        filer.readDouble(&value);
        return value == 0.0;
    }
    case AcDbFilerItem::kPoint3d: {
        AcGePoint3d value(-1.0, -1.0, -1.0);
        filer.readPoint3d(&value);
        return value.x == 0.0 && value.y == 0.0 && value.z == 0.0;
    }
    case AcDbFilerItem::kHandle: {
        AcDbHandle value(9, 9);
        filer.readAcDbHandle(&value);
        return value.isNull();
    }
    case AcDbFilerItem::kBytes: {
        unsigned char value[4] = {9, 9, 9, 9};
        filer.readBytes(value, sizeof value);
        return value[0] == 0 && value[3] == 0;
    }
    case AcDbFilerItem::kString: {
        ACHAR* value = reinterpret_cast<ACHAR*>(&filer);  // anything but null
        filer.readString(&value);
        const bool empty = value == nullptr;
        if (value)
            acutDelBuffer(value);
        return empty;
    }
    }
    return false;
}

const AcDbFilerItem::Kind kKinds[] = {AcDbFilerItem::kInt32,  AcDbFilerItem::kBool,  AcDbFilerItem::kDouble,
                                      AcDbFilerItem::kPoint3d, AcDbFilerItem::kHandle, AcDbFilerItem::kBytes,
                                      AcDbFilerItem::kString};
}  // namespace

TEST(FilerTest, EveryKindReadsBackWhatWasWritten)
{
    AcDbMemoryFiler filer;
    for (AcDbFilerItem::Kind kind : kKinds)
        writeOne(filer, kind);
    ASSERT_EQ(7u, filer.remainingItems());

    Adesk::Int32 i = 0;
    Adesk::Boolean b = false;
    double d = 0.0;
    AcGePoint3d p(0.0, 0.0, 0.0);
    AcDbHandle h;
    unsigned char bytes[4] = {};
    ACHAR* text = nullptr;
    filer.readInt32(&i);
    filer.readBool(&b);
    filer.readDouble(&d);
    filer.readPoint3d(&p);
    filer.readAcDbHandle(&h);
    filer.readBytes(bytes, sizeof bytes);
    filer.readString(&text);
    EXPECT_EQ(Acad::eOk, filer.filerStatus());
    EXPECT_EQ(7, i);
    EXPECT_TRUE(b);
    EXPECT_EQ(2.5, d);
    EXPECT_EQ(3.0, p.z);
    EXPECT_EQ(AcDbHandle(42, 1), h);
    EXPECT_EQ(4, bytes[3]);
    EXPECT_STREQ(L"text", text);
    EXPECT_EQ(0u, filer.remainingItems());
    acutDelBuffer(text);
}

TEST(FilerTest, AReadOfAnotherKindSetsTheStatusAndReadsNothing)
{
    for (AcDbFilerItem::Kind written : kKinds) {
        for (AcDbFilerItem::Kind read : kKinds) {
            if (written == read)
                continue;
            AcDbMemoryFiler filer;
            writeOne(filer, written);
            EXPECT_TRUE(readOneGivesNothing(filer, read)) << int(written) << " read as " << int(read);
            EXPECT_EQ(Acad::eFilerItemMismatch, filer.filerStatus()) << int(written) << " read as " << int(read);
            EXPECT_EQ(0u, filer.remainingItems());
        }
    }
}

TEST(FilerTest, AReadPastTheEndSetsTheStatusAndReadsNothing)
{
    for (AcDbFilerItem::Kind kind : kKinds) {
        AcDbMemoryFiler filer;
        EXPECT_TRUE(readOneGivesNothing(filer, kind)) << int(kind);
        EXPECT_EQ(Acad::eEndOfFile, filer.filerStatus()) << int(kind);
    }
}

TEST(FilerTest, AfterAFailedReadEveryReadGivesNothing)
{
    AcDbMemoryFiler filer;
    filer.writeInt32(1);
    filer.writeInt32(2);
    filer.writeInt32(3);
    double wrong = 0.0;
    filer.readDouble(&wrong);
    Adesk::Int32 value = -1;
    EXPECT_EQ(Acad::eFilerItemMismatch, filer.readInt32(&value));
    EXPECT_EQ(0, value);
    EXPECT_EQ(0u, filer.remainingItems());
    filer.resetFilerStatus();
    EXPECT_EQ(3u, filer.remainingItems());
}

TEST(FilerTest, RawBytesMustBeReadWithTheirOwnCount)
{
    const unsigned char bytes[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    AcDbMemoryFiler filer;
    filer.writeBytes(bytes, sizeof bytes);
    unsigned char shorter[8];
    std::memset(shorter, 0xFF, sizeof shorter);
    EXPECT_EQ(Acad::eFilerItemMismatch, filer.readBytes(shorter, sizeof shorter));
    EXPECT_EQ(0, shorter[0]);
}

TEST(FilerTest, StringsComeOnTheHostHeapAndANullStringIsEmpty)
{
    AcDbMemoryFiler filer;
    filer.writeString(nullptr);
    filer.writeString(L"Wheel");
    const std::size_t blocks = acdbHostHeapLiveBlocks();
    ACHAR* empty = nullptr;
    ACHAR* name = nullptr;
    filer.readString(&empty);
    filer.readString(&name);
    EXPECT_STREQ(L"", empty);
    EXPECT_STREQ(L"Wheel", name);
    EXPECT_TRUE(acdbHostHeapContains(name));
    EXPECT_EQ(blocks + 2, acdbHostHeapLiveBlocks());
    acutDelBuffer(empty);
    acutDelBuffer(name);
    EXPECT_EQ(blocks, acdbHostHeapLiveBlocks());
}

TEST(FilerTest, TheFilerKeepsItsItemsInOrderWithTheirKinds)
{
    AcDbMemoryFiler filer;
    for (AcDbFilerItem::Kind kind : kKinds)
        writeOne(filer, kind);
    ASSERT_EQ(7u, filer.items().size());
    for (std::size_t i = 0; i < filer.items().size(); ++i)
        EXPECT_EQ(kKinds[i], filer.items()[i].kind);
    AcDbMemoryFiler reader(filer.items());
    EXPECT_EQ(7u, reader.remainingItems());
}

TEST(FilerTest, TheAbstractFilerHasNoDatabase)
{
    AcDbMemoryFiler filer;
    EXPECT_EQ(nullptr, static_cast<AcDbDwgFiler&>(filer).AcDbDwgFiler::database());
}

// Far more than one chunk of the stream: every value comes back in its place,
// one item larger than any chunk included.
TEST(FilerTest, ALargeRecordReadsBackEveryItemInOrder)
{
    const int count = 300000;
    std::vector<unsigned char> large(3u << 20);
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<unsigned char>(i * 7 + 1);
    AcDbMemoryFiler filer;
    for (int i = 0; i < count; ++i) {
        switch (i % 5) {
        case 0: filer.writeInt32(-i); break;
        case 1: filer.writeDouble(i * 0.25); break;
        case 2: filer.writePoint3d(AcGePoint3d(i, -i, i * 0.5)); break;
        case 3: filer.writeAcDbHandle(AcDbHandle(static_cast<Adesk::UInt32>(i), 7)); break;
        case 4: filer.writeString(i % 2 ? L"odd" : L""); break;
        }
        if (i == count / 2)
            filer.writeBytes(large.data(), large.size());
    }
    ASSERT_EQ(Acad::eOk, filer.filerStatus());
    ASSERT_EQ(static_cast<Adesk::UInt32>(count + 1), filer.remainingItems());
    ASSERT_EQ(static_cast<std::size_t>(count + 1), filer.items().size());

    int wrong = 0;
    for (int i = 0; i < count; ++i) {
        switch (i % 5) {
        case 0: {
            Adesk::Int32 value = 0;
            filer.readInt32(&value);
            wrong += value != -i;
            break;
        }
        case 1: {
            double value = 0.0;
            filer.readDouble(&value);
            wrong += value != i * 0.25;
            break;
        }
        case 2: {
            AcGePoint3d value(0.0, 0.0, 0.0);
            filer.readPoint3d(&value);
            wrong += value.x != i || value.y != -i || value.z != i * 0.5;
            break;
        }
        case 3: {
            AcDbHandle value;
            filer.readAcDbHandle(&value);
            wrong += value != AcDbHandle(static_cast<Adesk::UInt32>(i), 7);
            break;
        }
        case 4: {
            ACHAR* value = nullptr;
            filer.readString(&value);
            wrong += !value || std::wcscmp(value, i % 2 ? L"odd" : L"") != 0;
            acutDelBuffer(value);
            break;
        }
        }
        if (i == count / 2) {
            std::vector<unsigned char> back(large.size());
            filer.readBytes(back.data(), back.size());
            EXPECT_EQ(large, back);
        }
    }
    EXPECT_EQ(0, wrong);
    EXPECT_EQ(Acad::eOk, filer.filerStatus());
    EXPECT_EQ(0u, filer.remainingItems());
    EXPECT_TRUE(readOneGivesNothing(filer, AcDbFilerItem::kInt32));
    EXPECT_EQ(Acad::eEndOfFile, filer.filerStatus());
}

// The test switch fails the nth read or write of the host's filers: the call
// reports eFilerError, a failed write keeps nothing, and no read gives anything after.
TEST(FilerTest, AReadOrWriteTheFilerFailsSetsAFilerErrorForGood)
{
    for (AcDbFilerItem::Kind kind : kKinds) {
        AcDbMemoryFiler writer;
        dwgHostFault(DwgHostCall::FilerWrite).failAt(2);
        writeOne(writer, kind);
        writeOne(writer, kind);
        writeOne(writer, kind);
        dwgHostFault(DwgHostCall::FilerWrite).off();
        EXPECT_EQ(Acad::eFilerError, writer.filerStatus()) << int(kind);
        EXPECT_EQ(2u, writer.items().size()) << int(kind) << ": the failed write keeps nothing";

        AcDbMemoryFiler reader(writer.items());
        EXPECT_FALSE(readOneGivesNothing(reader, kind)) << int(kind);
        dwgHostFault(DwgHostCall::FilerRead).failAt(1);
        EXPECT_TRUE(readOneGivesNothing(reader, kind)) << int(kind);
        dwgHostFault(DwgHostCall::FilerRead).off();
        EXPECT_EQ(Acad::eFilerError, reader.filerStatus()) << int(kind);
        EXPECT_EQ(0u, reader.remainingItems()) << int(kind);
    }

    AcDbMemoryFiler filer;
    dwgHostFault(DwgHostCall::FilerWrite).count();
    dwgHostFault(DwgHostCall::FilerRead).count();
    filer.writeInt32(1);
    filer.writeDouble(2.0);
    Adesk::Int32 value = 0;
    filer.readInt32(&value);
    EXPECT_EQ(2u, dwgHostFault(DwgHostCall::FilerWrite).calls());
    EXPECT_EQ(1u, dwgHostFault(DwgHostCall::FilerRead).calls());
    dwgHostFaultsOff();
    EXPECT_EQ(1, value);
    EXPECT_EQ(Acad::eOk, filer.filerStatus());
}
