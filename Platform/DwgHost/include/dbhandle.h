// The 64-bit handle of a drawing object: its name within its drawing.
#pragma once

#include "adesk.h"

class AcDbHandle
{
public:
    AcDbHandle() = default;
    AcDbHandle(Adesk::UInt32 low, Adesk::UInt32 high) : mLow(low), mHigh(high) {}
    explicit AcDbHandle(Adesk::UInt64 value)
        : mLow(static_cast<Adesk::UInt32>(value)), mHigh(static_cast<Adesk::UInt32>(value >> 32))
    {
    }

    operator Adesk::UInt64() const { return (static_cast<Adesk::UInt64>(mHigh) << 32) | mLow; }

    Adesk::UInt32 low() const { return mLow; }
    Adesk::UInt32 high() const { return mHigh; }
    void setLow(Adesk::UInt32 low) { mLow = low; }
    void setHigh(Adesk::UInt32 high) { mHigh = high; }
    bool isNull() const { return mLow == 0 && mHigh == 0; }
    void setNull() { mLow = mHigh = 0; }

    bool operator==(const AcDbHandle& other) const { return mLow == other.mLow && mHigh == other.mHigh; }
    bool operator!=(const AcDbHandle& other) const { return !(*this == other); }

private:
    // Low word first: the layout that records copying handles rely on.
    Adesk::UInt32 mLow = 0;
    Adesk::UInt32 mHigh = 0;
};
