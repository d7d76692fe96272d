#include "StandinModel.h"

CPmMstnSim::CPmMstnSim() = default;
CPmMstnSim::~CPmMstnSim() = default;
int CPmMstnSim::Save() { return 0; }
int CPmMstnSim::Update() { return 0; }
int CPmMstnSim::Close() { return 0; }

CStandinOtherSim::CStandinOtherSim() = default;
CStandinOtherSim::~CStandinOtherSim() = default;
int CStandinOtherSim::Save() { return 0; }
int CStandinOtherSim::Update() { return 0; }
int CStandinOtherSim::Close() { return 0; }

CStandinPart::CStandinPart(const CString& name, DPoint3d offset, std::uint64_t blockElementId)
{
    m_name = name;
    m_offset = offset;
    m_pBlock = new CStandinBlock(blockElementId);
}

CStandinPart::CStandinPart(const CPmPart& source) : CPmPart(source) {}
CStandinPart::~CStandinPart() = default;

CStandinBlock::CStandinBlock(std::uint64_t elementId) : m_elementId(elementId) {}
CStandinBlock::~CStandinBlock() = default;
void CStandinBlock::DisplayPrint(PmDumpStream&) const {}
int CStandinBlock::AddToDrawing(bool) { return -1; }
int CStandinBlock::RemoveFromDrawing() { return -1; }
PmSimId CStandinBlock::ElementId() const { return m_elementId; }
