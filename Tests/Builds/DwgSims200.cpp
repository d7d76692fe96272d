#include "DwgSims200.h"

#include "HostDrawing.h"
#include "PmAcadSim200.h"
#include "PmBlockFactory.h"
#include "PmDbxFactory200.h"
#include "PmElement.h"
#include "PmPart.h"
#include "PmSection200.h"
#include "PmSegment200.h"
#include "QdBlock.h"
#include "QdVector.h"
#include "SimFacts200.h"
#include "ZrAcadObject.h"

namespace
{
// A part whose block, made by the module's factory from a reference at the
// origin, shows a new definition of that name; the block goes into the drawing.
CPmPart* MakePart(const CStringW& definition, dpoint3d offset)
{
    AcDbBlockReference source(AcGePoint3d(0.0, 0.0, 0.0), HostDrawing::AddBlockDefinition(definition.GetString()));
    element drawingObject{0, &source};
    CPmPart* part = CPmDbxFactory200::MakePart();
    part->AddBlock(CPmBlockFactory::CreateBlock(&drawingObject));
    part->SetOffset(offset);
    return part;
}

// Positions whose numbers need every bit of a double to come back the same.
CPmSegment200* MakeSegment(CPmPart* part, int count, double first)
{
    std::vector<PmPosition200> path;
    for (int i = 0; i < count; ++i)
    {
        const double x = first + 0.1 * i;
        PmPosition200 position;
        position.pt = {x, 2.0 * x / 3.0, -x};
        position.tpt = {x, 0.0, 1.0 / (i + 3)};
        position.transform.SetRotation(CQdVector(0.0, 0.6, 0.8), 0.25 * (i + 1));
        position.transform.SetTranslation(CQdVector(x, 2.0 * x, 0.0));
        path.push_back(position);
    }
    CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
    segment->AddPart(part);
    segment->AddPath(path);
    return segment;
}

CPmSection200* MakeSection(double speed, int units)
{
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    section->SetSpeed(speed, units);
    return section;
}

PmSimId IdOf(const CPmPart& part)
{
    return static_cast<Adesk::UInt64>(*part.Block()->Handle());
}

CPmSim200* MakeCrane(const CString& name)
{
    const CStringW prefix(name.GetString());
    CPmPart* body = MakePart(prefix + L" body", {0.0, 0.0, 0.0});
    body->AddPart(MakePart(prefix + L" arm", {0.0, 1.5, 2.0}));
    body->AddPart(MakePart(prefix + L" hook", {0.0, 3.0, -0.25}));
    CPmPart* trolley = MakePart(prefix + L" trolley", {1.0, 0.0, 0.0});
    trolley->AddPart(MakePart(prefix + L" rope", {0.0, 0.0, -1.0}));
    trolley->AddPart(MakePart(prefix + L" load", {0.0, 0.0, -2.0}));

    CPmSim200* sim = CPmDbxFactory200::MakeSim(IdOf(*body), 7);
    sim->SetName(name);
    CPmSection200* first = MakeSection(10.25, 2);
    first->AddSegment(MakeSegment(body, 4, 10.0));
    first->AddSegment(MakeSegment(trolley, 1, 20.0));
    sim->AddSection(first);
    CPmSection200* second = MakeSection(0.1, 1);
    second->AddSegment(MakeSegment(CPmDbxFactory200::CopyPart(*body), 2, -5.0));
    sim->AddSection(second);
    return sim;
}
} // namespace

bool DwgSims::LoadModule()
{
    return acrxLoadModule(CStringW(PM_PROBE_MODULE_PATH).GetString(), true);
}

CPmSim200* DwgSims::MakeCart(const CString& name)
{
    const CStringW prefix(name.GetString());
    CPmPart* cart = MakePart(prefix + L" cart", {0.0, 0.0, 0.5});
    CPmPart* axle = MakePart(prefix + L" axle", {1.0, 0.0, 0.0});
    axle->AddPart(MakePart(prefix + L" wheel", {0.0, 0.75, 0.0}));
    cart->AddPart(axle);
    CPmSim200* sim = CPmDbxFactory200::MakeSim(IdOf(*cart), 3);
    sim->SetName(name);
    CPmSection200* section = MakeSection(50.0, 0);
    section->AddSegment(MakeSegment(cart, 3, 1.0));
    sim->AddSection(section);
    return sim;
}

int DwgSims::StoreProbeSims()
{
    int status = 0;
    CPmSim200* cart = MakeCart(_T("Cart"));
    cart->SetSimInUse(true);
    status += cart->Save();
    CPmDbxFactory200::DeleteSim(cart);
    CPmSim200* crane = MakeCrane(_T("Crane"));
    status += crane->Save();
    CPmDbxFactory200::DeleteSim(crane);
    return status;
}

CPmAcadSim200* DwgSims::OpenStored(const CString& key)
{
    AcDbObject* object = nullptr;
    const AcDbObjectId id = CZrAcadObject::GetObjectId(kPmSimDictionary, key);
    acdbOpenAcDbObject(object, id, CPmAcadSim200::desc(), AcDb::kForRead, false);
    return CPmAcadSim200::cast(object);
}

ProbeFacts DwgSims::StoredFacts()
{
    ProbeFacts facts;
    CStringArray keys;
    CZrAcadObject::GetObjectNames(kPmSimDictionary, &keys);
    facts.Add("stored", static_cast<int>(keys.GetSize()));
    for (INT_PTR i = 0; i < keys.GetSize(); ++i)
    {
        CPmAcadSim200* sim = OpenStored(keys.GetAt(i));
        if (!sim)
        {
            facts.Add("simulation", ProbeText(keys.GetAt(i)) + " (not a format 200 simulation)");
            continue;
        }
        sim->SetName(keys.GetAt(i));  // the key names the simulation; the record does not
        AddSimFacts(facts, *sim);
        sim->close();
    }
    return facts;
}
