// Stand-in host classes for the model tests: blocks that record what is asked
// of them, and plain host subclasses of every model class.
#pragma once

#include <string>
#include <vector>

#include "PmBlockFactory.h"
#include "PmDbxFactory.h"
#include "PmDbxFactory200.h"
#include "PmPart.h"
#include "PmSection.h"
#include "PmSection200.h"
#include "PmSegment.h"
#include "PmSegment200.h"
#include "PmSim.h"
#include "PmSim200.h"
#include "PmSimList.h"
#include "PmSimList200.h"
#include "QdBlock.h"

// What the fakes saw, reset by each test fixture.
struct FakeLog
{
    std::vector<int> removedBlocks;        // ids, in removal order
    std::vector<std::string> deletedSims;  // names given to DeleteSim, in order
    int copyPart200 = 0;                   // CPmDbxFactory200::CopyPart calls
    int copyPart101 = 0;                   // CPmDbxFactory::CopyPart calls
    int liveBlocks = 0;

    static FakeLog& Get();
    static void Reset();
};

std::string Narrow(const CString& text);

class FakeBlock : public CQdBlock
{
public:
    explicit FakeBlock(int id, int removeStatus = 0);
    FakeBlock(const FakeBlock& source);
    ~FakeBlock() override;

    void DisplayPrint(PmDumpStream& os) const override;
    int AddToDrawing(bool visible) override;
    int RemoveFromDrawing() override;

    int id;
    int removeStatus;
    int addCalls = 0;
    bool visible = true;
    bool inDrawing = false;
};

// A block kind that the fake block factory cannot copy.
class ForeignBlock : public CQdBlock
{
public:
    void DisplayPrint(PmDumpStream& os) const override;
    int AddToDrawing(bool) override { return 0; }
    int RemoveFromDrawing() override { return 0; }
};

class FakeAnimationBlock : public CPmAnimationBlock
{
public:
    void DisplayPrint(PmDumpStream& os) const override;
    int AddToDrawing(bool visible) override;

    int addCalls = 0;
    bool visible = true;
};

class FakePart : public CPmPart
{
public:
    FakePart() = default;
    FakePart(const CPmPart& source) : CPmPart(source) {}
    void SetName(const CString& name) { m_name = name; }
    const CString& GetName() const { return m_name; }
};

class FakeSim200 : public CPmSim200
{
public:
    FakeSim200() = default;
    FakeSim200(const CPmSim200& source) : CPmSim200(source) {}
    explicit FakeSim200(const CPmSim& legacy) : CPmSim200(legacy) {}
    int Save() override { return 0; }
    int Update() override { return updateStatus; }
    int Close() override { return 0; }

    int updateStatus = 0;
};

class FakeSection200 : public CPmSection200
{
public:
    using CPmSection200::CPmSection200;
    FakeSection200(const CPmSection200& source) : CPmSection200(source) {}
    explicit FakeSection200(const CPmSection& legacy) : CPmSection200(legacy) {}
};

class FakeSegment200 : public CPmSegment200
{
public:
    using CPmSegment200::CPmSegment200;
    FakeSegment200(const CPmSegment200& source) : CPmSegment200(source) {}
    explicit FakeSegment200(const CPmSegment& legacy) : CPmSegment200(legacy) {}
};

class FakeSimList200 : public CPmSimList200
{
public:
    int Load(bool, bool) override { return 0; }
};

class FakeSim : public CPmSim
{
public:
    FakeSim() = default;
    FakeSim(const CPmSim& source) : CPmSim(source) {}
    int Save() override { return 0; }
    int Update() override { return updateStatus; }
    int Close() override { return 0; }
    // Stands in for the record reader, which sets the times.
    void SetCreated(CTime time) { m_dttmCreated = time; m_dttmEdited = time; }

    int updateStatus = 0;
};

class FakeSection : public CPmSection
{
public:
    using CPmSection::CPmSection;
    FakeSection(const CPmSection& source) : CPmSection(source) {}
};

class FakeSegment : public CPmSegment
{
public:
    using CPmSegment::CPmSegment;
    FakeSegment(const CPmSegment& source) : CPmSegment(source) {}
};

class FakeSimList : public CPmSimList
{
public:
    int Load(bool) override { return 0; }
};
