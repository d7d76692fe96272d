// Run-time classes, the system registry, services and the host's abort.
#include <memory>

#include <gtest/gtest.h>

#include <arxheaders.h>
#include <brxheaders.h>

namespace
{
AcRxObject* makeService()
{
    return new AcRxService;
}

void appNameChange(AcRxClass*, wchar_t*, int) {}

AcRxDictionary* dictionaryAt(const ACHAR* name)
{
    return AcRxDictionary::cast(acrxSysRegistry()->at(name));
}
}  // namespace

TEST(RxClassTest, RegistrationKeepsEveryArgumentAndJoinsTheClassDictionary)
{
    AcRxClass* cls = newAcRxClass(L"RxTestFull", L"AcDbObject", 31, 8, 1, &makeService, L"RXTESTFULL",
                                  L"\"Full.dbx\";", &appNameChange);
    ASSERT_NE(nullptr, cls);
    EXPECT_EQ(cls, dictionaryAt(ACRX_CLASS_DICTIONARY)->at(L"RxTestFull"));
    EXPECT_EQ(cls, acrxFindAcRxClass(L"RxTestFull"));
    EXPECT_STREQ(L"RxTestFull", cls->name());
    EXPECT_EQ(AcDbObject::desc(), cls->myParent());
    EXPECT_STREQ(L"RXTESTFULL", cls->dxfName());
    EXPECT_STREQ(L"\"Full.dbx\";", cls->appName());
    EXPECT_EQ(1, cls->proxyFlags());
    EXPECT_EQ(&appNameChange, cls->appNameCallbackPtr());
    int dwgVersion = 0;
    int maintenance = 0;
    cls->getClassVersion(dwgVersion, maintenance);
    EXPECT_EQ(31, dwgVersion);
    EXPECT_EQ(8, maintenance);
    std::unique_ptr<AcRxObject> made(cls->create());
    EXPECT_NE(nullptr, AcRxService::cast(made.get()));
    deleteAcRxClass(cls);
}

TEST(RxClassTest, DerivationFollowsTheRegisteredParents)
{
    // The parent registers after its child: the hierarchy is joined by acrxBuildClassHierarchy.
    AcRxClass* child = newAcRxClass(L"RxTestChild", L"RxTestParent");
    EXPECT_EQ(nullptr, child->myParent());
    AcRxClass* parent = newAcRxClass(L"RxTestParent", L"AcDbObject");
    acrxBuildClassHierarchy();
    EXPECT_EQ(parent, child->myParent());

    struct Case
    {
        AcRxClass* cls;
        AcRxClass* of;
        bool derived;
    };
    const Case cases[] = {
        {child, child, true},
        {child, parent, true},
        {child, AcDbObject::desc(), true},
        {child, AcRxObject::desc(), true},
        {parent, child, false},
        {AcDbDictionary::desc(), AcDbObject::desc(), true},
        {AcDbBlockReference::desc(), AcDbEntity::desc(), true},
        {AcDbDictionary::desc(), AcDbEntity::desc(), false},
        {child, nullptr, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.derived, c.cls->isDerivedFrom(c.of)) << c.cls->name();
    deleteAcRxClass(child);
    deleteAcRxClass(parent);
}

TEST(RxClassTest, OnlyTheClientsLookupsAreCounted)
{
    const std::size_t before = acrxHostClassFinds();
    // Registration looks up the parent and building the hierarchy every parent:
    // the host's own lookups.
    newAcRxClass(L"RxTestCounted", L"AcDbObject");
    acrxBuildClassHierarchy();
    EXPECT_EQ(before, acrxHostClassFinds());
    EXPECT_NE(nullptr, acrxFindAcRxClass(L"RxTestCounted"));
    EXPECT_EQ(nullptr, acrxFindAcRxClass(L"RxTestNotThere"));
    EXPECT_EQ(before + 2, acrxHostClassFinds());
}

TEST(RxClassTest, ObjectsKnowTheirClass)
{
    AcDbDictionary dictionary;
    const AcRxObject* object = &dictionary;
    EXPECT_EQ(AcDbDictionary::desc(), object->isA());
    EXPECT_TRUE(object->isKindOf(AcDbObject::desc()));
    EXPECT_FALSE(object->isKindOf(AcDbEntity::desc()));
    EXPECT_EQ(&dictionary, AcDbDictionary::cast(object));
    EXPECT_EQ(nullptr, AcDbBlockReference::cast(object));
    EXPECT_EQ(nullptr, AcDbDictionary::cast(nullptr));
}

TEST(RxClassTest, ADeletedClassLeavesTheDictionaryButStaysReadable)
{
    AcRxClass* cls = newAcRxClass(L"RxTestDeleted", L"AcDbObject");
    deleteAcRxClass(cls);
    EXPECT_EQ(nullptr, acrxFindAcRxClass(L"RxTestDeleted"));
    EXPECT_STREQ(L"RxTestDeleted", cls->name());
}

TEST(RxClassTest, ASecondRegistrationOfANameTakesTheEntryAndLeavesTheFirstReadable)
{
    AcRxClass* first = newAcRxClass(L"RxTestTwice", L"AcDbObject");
    AcRxClass* second = newAcRxClass(L"RxTestTwice", L"AcDbObject");
    EXPECT_NE(first, second);
    EXPECT_EQ(second, acrxFindAcRxClass(L"RxTestTwice"));
    EXPECT_STREQ(L"RxTestTwice", first->name());
    // Deleting the displaced one leaves the registered one in place.
    deleteAcRxClass(first);
    EXPECT_EQ(second, acrxFindAcRxClass(L"RxTestTwice"));
    deleteAcRxClass(second);
}

TEST(RxClassTest, TheBrxHookIsCapturedByTheClassesRegisteredWhileItIsSet)
{
    odrxPseudoConstructorHook = []() { return odrxCreateObjectImp(L"RxTestHooked"); };
    AcRxClass* hooked = newAcRxClass(L"RxTestHooked", L"AcDbObject");
    odrxPseudoConstructorHook = nullptr;
    AcRxClass* plain = newAcRxClass(L"RxTestPlain", L"AcDbObject");

    ASSERT_NE(nullptr, hooked->impObjectConstructor());
    EXPECT_EQ(nullptr, plain->impObjectConstructor());
    std::unique_ptr<AcRxObject> imp(hooked->impObjectConstructor()());
    auto* impObject = dynamic_cast<OdRxImpObject*>(imp.get());
    ASSERT_NE(nullptr, impObject);
    EXPECT_STREQ(L"RxTestHooked", impObject->className());
    deleteAcRxClass(hooked);
    deleteAcRxClass(plain);
}

TEST(RxRegistryTest, TheSystemRegistryHoldsTheClassAndServiceDictionaries)
{
    ASSERT_NE(nullptr, dictionaryAt(ACRX_CLASS_DICTIONARY));
    ASSERT_NE(nullptr, dictionaryAt(ACRX_SERVICE_DICTIONARY));
    EXPECT_EQ(AcDbObject::desc(), dictionaryAt(L"ClassDictionary")->at(L"AcDbObject"));
    EXPECT_EQ(dictionaryAt(L"ServiceDictionary"), acrxServiceDictionary);
}

TEST(RxRegistryTest, DictionaryPutReplaceAndRemoveHandOverTheEntries)
{
    AcRxDictionary dictionary;
    auto* first = new AcRxService;
    auto* second = new AcRxService;
    EXPECT_EQ(nullptr, dictionary.atPut(L"key", first));
    EXPECT_EQ(nullptr, dictionary.atPut(L"key", first));  // the same object displaces nothing
    EXPECT_EQ(first, dictionary.atPut(L"key", second));
    delete first;
    EXPECT_EQ(second, dictionary.at(L"key"));
    EXPECT_EQ(nullptr, dictionary.at(L"KEY"));
    EXPECT_EQ(nullptr, dictionary.remove(L"other"));
    EXPECT_EQ(second, dictionary.remove(L"key"));
    EXPECT_EQ(0u, dictionary.numEntries());
    delete second;
    dictionary.atPut(L"owned", new AcRxService);  // freed with the dictionary
}

TEST(RxRegistryTest, ServicesRegisterOnceAndLeaveByRemoval)
{
    EXPECT_FALSE(acrxServiceIsRegistered(L"RxTestService"));
    AcRxObject* service = acrxRegisterService(L"RxTestService");
    ASSERT_NE(nullptr, service);
    EXPECT_TRUE(acrxServiceIsRegistered(L"RxTestService"));
    EXPECT_EQ(service, acrxRegisterService(L"RxTestService"));
    delete acrxServiceDictionary->remove(L"RxTestService");
    EXPECT_FALSE(acrxServiceIsRegistered(L"RxTestService"));
}

TEST(RxRegistryTest, WithoutAServiceDictionaryNoServiceRegisters)
{
    AcRxObject* services = acrxSysRegistry()->remove(ACRX_SERVICE_DICTIONARY);
    EXPECT_EQ(nullptr, acrxRegisterService(L"RxTestOrphan"));
    EXPECT_FALSE(acrxServiceIsRegistered(L"RxTestOrphan"));
    acrxSysRegistry()->atPut(ACRX_SERVICE_DICTIONARY, services);
}

TEST(RxAbortDeathTest, AbortEndsTheHostWithItsMessage)
{
    EXPECT_DEATH(acrx_abort(L"Class mismatch"), "^Class mismatch\n");
    EXPECT_DEATH(acrx_abort(L"%ls: %d", L"Formatted", 7), "Formatted: 7");
}
