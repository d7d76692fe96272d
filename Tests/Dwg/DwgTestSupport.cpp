#include "DwgTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <windows.h>

#include "PmElement.h"
#include "QdTransform.h"
#include "QdVector.h"

namespace DwgTest
{
namespace
{
const Variant kVariants[] = {
    {"Varnex200_2007x64", 27, 25, L"Varnex200_2007.dbx", L"Varnex101_2007x64.dbx", false, false},
    {"Varnex200_2010x64", 29, 6, L"Varnex200_2010.dbx", L"Varnex101_2010x64.dbx", false, false},
    {"Varnex200_2013x64", 31, 8, L"Varnex200_2013.dbx", L"Varnex101_2013x64.dbx", false, false},
    {"Varnex200_2015x64", 31, 81, L"Varnex200_2015.dbx", L"", false, false},
    {"Varnex200_2017x64", 31, 125, L"Varnex200_2017.dbx", L"", false, false},
    {"Varnex200_2018x64", 33, 0, L"Varnex200_2018.dbx", L"Varnex101_V8.dll", false, false},
    {"Varnex200_BCAD15x64", 29, 1, L"Varnex200_BCAD15.dbx", L"", false, true},
    {"Varnex200_BCAD16x64", 29, 1, L"Varnex200_2004.dbx 1.0", L"", false, true},
    {"Varnex200_BCAD17x64", 29, 1, L"Varnex200_2004.dbx 1.0", L"", false, true},
    {"Varnex200_ZWCAD2017x64", 31, 8, L"Varnex200_2004.dbx 1.0", L"", true, false},
    {"Varnex200_2007", 27, 1, L"Varnex200_2007.dbx", L"Varnex101_2007.dbx", false, false},
    {"Varnex200_2010", 29, 6, L"Varnex200_2010.dbx", L"Varnex101_2010.dbx", false, false},
    {"Varnex200_2013", 31, 8, L"Varnex200_2013.dbx", L"Varnex101_2013.dbx", false, false},
    {"Varnex200_2015", 31, 81, L"Varnex200_2015.dbx", L"", false, false},
    {"Varnex200_2017", 31, 125, L"Varnex200_2017.dbx", L"", false, false},
    {"Varnex200_2018", 33, 0, L"Varnex200_2018.dbx", L"Varnex101_V8.dll", false, false},
    {"Varnex200_BCAD15", 29, 1, L"Varnex200_BCAD15.dbx", L"", false, true},
    {"Varnex200_BCAD16", 29, 1, L"Varnex200_2004.dbx 1.0", L"", false, true},
    {"Varnex200_BCAD17", 29, 1, L"Varnex200_2004.dbx 1.0", L"", false, true},
    {"Varnex200_ZWCAD2017", 31, 8, L"Varnex200_2004.dbx 1.0", L"", true, false},
};
} // namespace

const Variant& ThisVariant()
{
    for (const Variant& variant : kVariants)
    {
        if (std::strcmp(variant.deliverable, PM_TEST_DELIVERABLE) == 0)
            return variant;
    }
    std::fprintf(stderr, "no expectations for %s\n", PM_TEST_DELIVERABLE);
    std::abort();
}

const std::vector<std::wstring>& LegacyModuleNames()
{
    static const std::vector<std::wstring> names = {L"Varnex101_2007x64.dbx", L"Varnex101_2010x64.dbx",
                                                    L"Varnex101_2013x64.dbx", L"Varnex101_2007.dbx",
                                                    L"Varnex101_2010.dbx",    L"Varnex101_2013.dbx",
                                                    L"Varnex101_V8.dll"};
    return names;
}

std::wstring ExpectedRegistrationText()
{
    return HostDrawing::RegistrationText(ThisVariant().registrationFile);
}

std::wstring ModulePath()
{
    return CStringW(PM_TEST_MODULE_PATH).GetString();
}

bool LoadModule()
{
    return acrxLoadModule(ModulePath().c_str(), true);
}

AcRxEntryPointFunc EntryPoint()
{
    HMODULE module = GetModuleHandleW(ModulePath().c_str());
    FARPROC proc = GetProcAddress(module, ThisVariant().zrxNames ? "zcrxEntryPoint" : "acrxEntryPoint");
    return reinterpret_cast<AcRxEntryPointFunc>(reinterpret_cast<void (*)()>(proc));
}

CQdBlock* MakeBlock(AcDbObjectId definition, dpoint3d at)
{
    AcDbBlockReference source(AcGePoint3d(at.x, at.y, at.z), definition);
    source.setScaleFactors(AcGeScale3d(2.0));
    element drawingObject{0, &source};
    return CPmBlockFactory::CreateBlock(&drawingObject);
}

CPmPart* MakePart(AcDbObjectId definition)
{
    CPmPart* part = CPmDbxFactory200::MakePart();
    part->AddBlock(MakeBlock(definition, {0.0, 0.0, 0.0}));
    return part;
}

std::vector<PmPosition200> MakePath(int count, double first)
{
    std::vector<PmPosition200> path;
    for (int i = 0; i < count; ++i)
    {
        const double x = first + i;
        PmPosition200 position;
        position.pt = {x, 2.0 * x, 0.0};
        position.tpt = {x, 0.0, 1.0};
        position.transform.SetRotation(CQdVector(0.0, 0.0, 1.0), 0.25 * (i + 1));
        position.transform.SetTranslation(CQdVector(x, 2.0 * x, 0.0));
        path.push_back(position);
    }
    return path;
}

CPmSegment200* MakeSegment(CPmPart* part, int count, double first)
{
    CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
    segment->AddPart(part);
    segment->AddPath(MakePath(count, first));
    return segment;
}

CPmSim200* MakeCartSim(const CString& name)
{
    CPmSim200* sim = CPmDbxFactory200::MakeSim(0, 3);
    sim->SetName(name);
    const CStringW prefix(name.GetString());
    CPmPart* cart = MakePart(AddBlockDefinition(prefix + L" cart"));
    cart->SetOffset({0.0, 0.0, 0.5});
    CPmPart* wheel = MakePart(AddBlockDefinition(prefix + L" wheel"));
    wheel->SetOffset({1.0, 0.0, 0.0});
    cart->AddPart(wheel);
    sim->SetId(IdOf(*cart->Block()->Handle()));
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    section->SetSpeed(50.0, 0);
    section->AddSegment(MakeSegment(cart, 3, 1.0));
    sim->AddSection(section);
    return sim;
}

CPmAcadSim200* OpenStored(const CString& key)
{
    AcDbObject* object = nullptr;
    const AcDbObjectId id = CZrAcadObject::GetObjectId(kPmSimDictionary, key);
    acdbOpenAcDbObject(object, id, CPmAcadSim200::desc(), AcDb::kForRead, false);
    return CPmAcadSim200::cast(object);
}

} // namespace DwgTest

void DwgDrawingTest::SetUpTestSuite()
{
    // Nothing of this machine's company folder is loaded along.
    unsetenv("CommonProgramFiles");
    static const bool loaded = DwgTest::LoadModule();
    ASSERT_TRUE(loaded) << "the module under test does not load";
}

void DwgDrawingTest::Store(const CString& name, PmSimId id)
{
    SimPtr sim(CPmDbxFactory200::MakeSim(id, 1));
    sim->SetName(name);
    ASSERT_EQ(sim->Save(), 0);
}
