// The host's filer: a list of items in memory, each tagged with its kind.
#pragma once

#include <string>
#include <vector>

#include "dbfiler.h"

// One item of a record.
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

// Writes append items; reads take them in order. A read of another kind (or of
// raw bytes of another count) than the next item, or past the last item, sets the
// filer status; from then on every read gives zero or empty and reports the status,
// and nothing remains to be read.
class DWGHOST_API AcDbMemoryFiler : public AcDbDwgFiler
{
public:
    ACRX_DECLARE_MEMBERS(AcDbMemoryFiler);
    explicit AcDbMemoryFiler(AcDbDatabase* database = nullptr, AcDb::FilerType type = AcDb::kFileFiler);
    // A filer that reads the given items.
    explicit AcDbMemoryFiler(std::vector<AcDbFilerItem> items, AcDbDatabase* database = nullptr,
                             AcDb::FilerType type = AcDb::kFileFiler);
    ~AcDbMemoryFiler() override;

    const std::vector<AcDbFilerItem>& items() const;

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
    const AcDbFilerItem* take(AcDbFilerItem::Kind kind);
    AcDbFilerItem& append(AcDbFilerItem::Kind kind);

    std::vector<AcDbFilerItem> mItems;
    std::size_t mNext = 0;
    Acad::ErrorStatus mStatus = Acad::eOk;
    AcDbDatabase* mDatabase;
    AcDb::FilerType mType;
};
