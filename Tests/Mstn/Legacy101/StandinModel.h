// The classes of the test-only MicroStation format 101 modules: their
// simulation class CPmMstnSim, derived from the format 101 CPmSim, a second
// simulation class that the format 200 modules must not take for it, and the
// part and block classes the simulations are made of.
#pragma once

#include <cstdint>

#include <afx.h>

#include "PmPart.h"
#include "PmSim.h"
#include "QdBlock.h"

class CPmMstnSim : public CPmSim
{
public:
    CPmMstnSim();
    ~CPmMstnSim() override;
    int Save() override;
    int Update() override;
    int Close() override;
    void SetCreated(CTime time) { m_dttmCreated = time; }
};

class CStandinOtherSim : public CPmSim
{
public:
    CStandinOtherSim();
    ~CStandinOtherSim() override;
    int Save() override;
    int Update() override;
    int Close() override;
};

class CStandinPart : public CPmPart
{
public:
    CStandinPart(const CString& name, DPoint3d offset, std::uint64_t blockElementId);
    explicit CStandinPart(const CPmPart& source);
    ~CStandinPart() override;
};

// A block naming an element by id; it never touches the model.
class CStandinBlock : public CQdBlock
{
public:
    explicit CStandinBlock(std::uint64_t elementId);
    ~CStandinBlock() override;
    void DisplayPrint(PmDumpStream& os) const override;
    int AddToDrawing(bool visible) override;
    int RemoveFromDrawing() override;
    PmSimId ElementId() const override;

private:
    std::uint64_t m_elementId;
};
