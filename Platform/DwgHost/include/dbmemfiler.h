// The host's filer: a byte stream in memory, each item tagged with its kind.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "dbfiler.h"

// One item of a record, as the host's own checks and the tests look at it.
struct AcDbFilerItem
{
    enum Kind : Adesk::UInt8
    {
        kInt32 = 1,
        kBool,
        kDouble,
        kPoint3d,
        kHandle,
        kBytes,
        kString
    };

    Kind kind = kInt32;
    Adesk::Int32 int32 = 0;
    bool boolean = false;
    double doubles[3] = {0.0, 0.0, 0.0};  // kDouble uses the first
    AcDbHandle handle;
    std::vector<unsigned char> bytes;
    std::wstring text;
};

// Writes append items to a stream of bytes, each a kind tag and its value; reads
// take them in order. A read of another kind (or of raw bytes of another count)
// than the next item, or past the last item, sets the filer status; from then on
// every read gives zero or empty and reports the status, and nothing remains to
// be read. A read or write the host cannot carry out sets eFilerError.
class DWGHOST_API AcDbMemoryFiler : public AcDbDwgFiler
{
public:
    ACRX_DECLARE_MEMBERS(AcDbMemoryFiler);
    explicit AcDbMemoryFiler(AcDbDatabase* database = nullptr, AcDb::FilerType type = AcDb::kFileFiler);
    // A filer that reads the given items.
    explicit AcDbMemoryFiler(const std::vector<AcDbFilerItem>& items, AcDbDatabase* database = nullptr,
                             AcDb::FilerType type = AcDb::kFileFiler);
    ~AcDbMemoryFiler() override;
    AcDbMemoryFiler(const AcDbMemoryFiler&) = delete;
    AcDbMemoryFiler& operator=(const AcDbMemoryFiler&) = delete;

    // Every item of the stream, read or not, decoded.
    std::vector<AcDbFilerItem> items() const;

    Acad::ErrorStatus filerStatus() const override;
    AcDb::FilerType filerType() const override;
    void setFilerStatus(Acad::ErrorStatus status) override;
    void resetFilerStatus() override;
    AcDbDatabase* database() const override;
    // How many items are left to read; 0 once the status is set. The host's
    // filer alone can tell: its own readers and the tests use it.
    Adesk::UInt32 remainingItems() const;

    Acad::ErrorStatus readInt32(Adesk::Int32* value) override;
    Acad::ErrorStatus writeInt32(Adesk::Int32 value) override;
    Acad::ErrorStatus readBool(Adesk::Boolean* value) override;
    Acad::ErrorStatus writeBool(Adesk::Boolean value) override;
    Acad::ErrorStatus readDouble(double* value) override;
    Acad::ErrorStatus writeDouble(double value) override;
    Acad::ErrorStatus readPoint3d(AcGePoint3d* value) override;
    Acad::ErrorStatus writePoint3d(const AcGePoint3d& value) override;
    Acad::ErrorStatus readAcDbHandle(AcDbHandle* value) override;
    Acad::ErrorStatus writeAcDbHandle(const AcDbHandle& value) override;
    Acad::ErrorStatus readBytes(void* buffer, Adesk::UIntPtr length) override;
    Acad::ErrorStatus writeBytes(const void* buffer, Adesk::UIntPtr length) override;
    Acad::ErrorStatus readString(ACHAR** value) override;
    Acad::ErrorStatus writeString(const ACHAR* value) override;

private:
    friend struct DwgHostFilerAccess;

    // A run of whole items: an item never spans two chunks. A chunk without
    // storage reads bytes the filer does not own (a drawing file being read).
    struct Chunk
    {
        std::unique_ptr<unsigned char[]> storage;
        const unsigned char* data = nullptr;
        std::size_t size = 0;
        std::size_t capacity = 0;
    };

    // Room for one item of valueBytes after its tag, the tag written.
    unsigned char* append(AcDbFilerItem::Kind kind, std::size_t valueBytes);
    // Room for a write: null, with the status set, when the write fails.
    unsigned char* put(AcDbFilerItem::Kind kind, std::size_t valueBytes);
    // The value of the next item when it is of the kind; else null, the status set for good.
    const unsigned char* take(AcDbFilerItem::Kind kind);
    void consume(std::size_t itemBytes);
    void fail(Acad::ErrorStatus status);

    std::vector<Chunk> mChunks;
    std::size_t mItemCount = 0;
    std::size_t mItemsRead = 0;
    std::size_t mReadChunk = 0;
    std::size_t mReadOffset = 0;
    Acad::ErrorStatus mStatus = Acad::eOk;
    Acad::ErrorStatus mFault = Acad::eOk;  // how the filer itself failed a read or write
    AcDbDatabase* mDatabase;
    AcDb::FilerType mType;
};
