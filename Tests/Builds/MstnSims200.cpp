#include "MstnSims200.h"

#include <vector>

#include <mstnhost.h>

#include "PmBlockFactory.h"
#include "PmDbxFactory200.h"
#include "PmMstnPart.h"
#include "PmPart.h"
#include "PmSegment200.h"
#include "QdBlock.h"
#include "QdVector.h"

namespace
{
// A part with a name: parts get theirs from a record, so the builder sets it as
// a host part class does.
class NamedPart : public CPmMstnPart
{
public:
    NamedPart(const char* name, double x, double y, double z)
    {
        m_name = CString(name);
        m_offset = DPoint3d{x, y, z};
    }
};
} // namespace

namespace MstnSims
{
ElementId AddDrawingElement(std::uint8_t tag)
{
    MSElement element{};
    const std::uint8_t data[6] = {tag, 1, 2, 3, 4, 5};
    mstnHost_buildElement(&element, 4, 1, data, sizeof data);
    mdlElement_append(&element, mdlModelRef_getActive());
    return mdlElement_getID(&element);
}

CPmPart* MakePart(const char* name, double x, double y, double z)
{
    auto* part = new NamedPart(name, x, y, z);
    MSElement element{};
    const std::uint8_t data[4] = {9, 8, 7, static_cast<std::uint8_t>(name[0])};
    mstnHost_buildElement(&element, 4, 1, data, sizeof data);
    MSElementDescr* descr = nullptr;
    mstnHost_createDescriptor(&descr, &element);
    part->AddBlock(CPmBlockFactory::CreateBlock(descr));
    return part;
}

CPmSegment200* MakeSegment(CPmPart* part, int count, double start)
{
    std::vector<PmPosition200> path;
    for (int i = 0; i < count; ++i)
    {
        const double at = start + i;
        PmPosition200 position;
        position.pt = dpoint3d{at, 2.0 * at, 0.5};
        position.tpt = dpoint3d{at + 1.0, -at, 1.25};
        position.transform.SetTranslation(CQdVector(position.pt.x, position.pt.y, position.pt.z));
        position.transform.SetRotation(CQdVector(0.0, 0.0, 1.0), at / 10.0);
        path.push_back(position);
    }
    CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
    segment->AddPart(part);
    segment->AddPath(path);
    return segment;
}
} // namespace MstnSims
