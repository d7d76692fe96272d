// What the end-to-end tests of a MicroStation module share. Each test program
// links one module and runs on the stand-in host's one active model.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <mdl.h>
#include <mstnhost.h>

#include "FreshHost.h"
#include "PmBlockFactory.h"
#include "PmDbxFactory200.h"
#include "PmHeld.h"
#include "PmMstnAnimationBlock.h"
#include "PmMstnPart.h"
#include "PmMstnSection.h"
#include "PmMstnSegment.h"
#include "PmMstnSim200.h"
#include "PmMstnSimList200.h"
#include "PmPart.h"
#include "PmSection200.h"
#include "PmSegment200.h"
#include "QdBlock.h"
#include "ZrMstnBlock.h"
#include "ZrMstnObject.h"

namespace MstnTest
{
#ifdef UNICODE
constexpr std::size_t kCharBytes = 2;  // UTF-16 in the record
#else
constexpr std::size_t kCharBytes = 1;
#endif
constexpr int kSimKind = 1000;

// A simulation given back to the factory at the end of a scope.
using SimPtr = PmHeld::Detached<CPmSim200, CPmDbxFactory200>;

// The bytes a name of that many characters takes in a record, its NUL included.
constexpr std::size_t NameBytes(std::size_t characters)
{
    return (characters + 1) * kCharBytes;
}

// Every test starts on an empty model and must leave no descriptor or scan
// criteria behind, and provoke no fault of the host.
class Fixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
};

// Live elements of the record layout (type 66, level 20), in file order.
std::vector<MstnHostElementInfo> RecordElements();
// Live elements of any kind.
std::size_t LiveElementCount();
// Live kind-1000 headers of exactly that name.
int HeaderCount(const CString& name);
// The live header of the kind-1000 record of that name (the first in file order).
MstnHostElementInfo Header(const CString& name);
// The ids of the record's elements as its live header names them: the
// header's first, then its data elements' in stream order.
std::vector<ElementId> RecordIds(const CString& name);
// The ids of every live element of the model.
std::set<ElementId> LiveIds();
// The record's chunk stream, joined from its data elements as the host holds them.
std::vector<std::uint8_t> RecordStream(const CString& name);
// The chunk lengths of a stream, in order.
std::vector<int> ChunkLengths(const std::vector<std::uint8_t>& stream);
// The payload of each chunk, in order.
std::vector<std::vector<std::uint8_t>> Chunks(const std::vector<std::uint8_t>& stream);

// A visible element of the drawing (not of the record layout); its id.
ElementId AddDrawingElement();
// A new descriptor holding a drawing element that is not in the model.
MSElementDescr* NewDescriptor();
bool ElementLive(ElementId id);
bool ElementVisible(ElementId id);

// A part named so, whose block shows a new element added through AddBlock.
CPmPart* MakePart(const CString& name);
// count positions: pt (i, 2i, 0.5), tpt (i, 0, 1), turned about z by i/10.
std::vector<PmPosition200> MakePath(int count);
CPmSegment200* MakeSegment(CPmPart* part, int positions);
// A simulation from the factory: one section (speed 50, units 0) with one
// segment of the given positions, whose part is named "Cart".
CPmSim200* MakeSimulation(const CString& name, int positions = 2);

// A record written straight through the store, one chunk a payload.
void WriteRecord(const CString& name, const std::vector<std::vector<std::uint8_t>>& payloads, int kind = kSimKind);

// Little-endian payload builders.
void PutI32(std::vector<std::uint8_t>& bytes, std::int32_t value);
void PutU64(std::vector<std::uint8_t>& bytes, std::uint64_t value);
void PutF64(std::vector<std::uint8_t>& bytes, double value);
std::int32_t GetI32(const std::uint8_t* p);
std::uint64_t GetU64(const std::uint8_t* p);
// A simulation chunk payload of version 200 (or of version 101: no version field).
std::vector<std::uint8_t> SimChunk(int version, int type, std::uint64_t id, bool inUse);

// The name of a simulation as narrow text, for messages.
std::string Narrow(const CString& text);

// A variable set for the rest of a scope and restored after it.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const char* value);  // null: unset
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    bool m_had;
    std::string m_old;
};

// The path a loaded module was loaded by, found by its file name without
// regard to case; empty when none is loaded.
std::string LoadedModulePath(const std::string& fileName);
} // namespace MstnTest
