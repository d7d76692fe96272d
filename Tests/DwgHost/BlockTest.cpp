// The block table, model space, block references and visibility.
#include "HostTestSupport.h"

namespace
{
class BlockTest : public DrawingTest
{
protected:
    // A block definition named name, added to the block table.
    AcDbObjectId addDefinition(const ACHAR* name)
    {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(Acad::eOk, db->getBlockTable(table, AcDb::kForWrite));
        auto* record = new AcDbBlockTableRecord;
        record->setName(name);
        AcDbObjectId id;
        EXPECT_EQ(Acad::eOk, table->add(id, record));
        record->close();
        table->close();
        return id;
    }

    AcDbBlockTableRecord* openModelSpace(AcDb::OpenMode mode)
    {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(Acad::eOk, db->getSymbolTable(table, AcDb::kForRead));
        AcDbBlockTableRecord* modelSpace = nullptr;
        EXPECT_EQ(Acad::eOk, table->getAt(ACDB_MODEL_SPACE, modelSpace, mode));
        table->close();
        return modelSpace;
    }
};
}  // namespace

TEST_F(BlockTest, TheDefaultDrawingHasModelSpaceFoundWithoutRegardToCase)
{
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(Acad::eOk, db->getBlockTable(table, AcDb::kForRead));
    AcDbObjectId id;
    EXPECT_EQ(Acad::eOk, table->getAt(L"*Model_Space", id));
    AcDbObjectId other;
    EXPECT_EQ(Acad::eOk, table->getAt(L"*MODEL_SPACE", other));
    EXPECT_EQ(id, other);
    EXPECT_EQ(22, table->getAt(L"Wheel", other));
    table->close();
}

TEST_F(BlockTest, RecordNamesAreUniqueAndRequired)
{
    addDefinition(L"Wheel");
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(Acad::eOk, db->getBlockTable(table, AcDb::kForWrite));
    auto* twin = new AcDbBlockTableRecord;
    twin->setName(L"WHEEL");
    EXPECT_EQ(Acad::eDuplicateRecordName, table->add(twin));
    auto* unnamed = new AcDbBlockTableRecord;
    EXPECT_EQ(Acad::eInvalidInput, table->add(unnamed));
    table->close();
    delete twin;
    delete unnamed;
}

TEST_F(BlockTest, AnErasedDefinitionIsNoLongerFound)
{
    const AcDbObjectId id = addDefinition(L"Wheel");
    AcDbBlockTableRecord* record = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenObject(record, id, AcDb::kForWrite));
    record->erase();
    record->close();
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(Acad::eOk, db->getBlockTable(table, AcDb::kForRead));
    EXPECT_FALSE(table->has(L"Wheel"));
    AcDbObjectId erased;
    EXPECT_EQ(Acad::eOk, table->getAt(L"Wheel", erased, true));
    EXPECT_EQ(id, erased);
    table->close();
}

TEST_F(BlockTest, AppendingAReferenceToModelSpaceMakesItResidentAndListed)
{
    const AcDbObjectId wheel = addDefinition(L"Wheel");
    auto* reference = new AcDbBlockReference(AcGePoint3d(1.0, 2.0, 3.0), wheel);
    AcDbBlockTableRecord* modelSpace = openModelSpace(AcDb::kForWrite);
    AcDbObjectId id;
    ASSERT_EQ(Acad::eOk, modelSpace->appendAcDbEntity(id, reference));
    EXPECT_EQ(modelSpace->objectId(), reference->blockId());
    EXPECT_EQ(Acad::eAlreadyInDb, modelSpace->appendAcDbEntity(reference));
    modelSpace->close();
    EXPECT_TRUE(reference->isWriteEnabled());
    reference->close();

    modelSpace = openModelSpace(AcDb::kForRead);
    AcDbBlockTableRecordIterator* it = nullptr;
    ASSERT_EQ(Acad::eOk, modelSpace->newIterator(it));
    ASSERT_FALSE(it->done());
    AcDbObjectId listed;
    it->getEntityId(listed);
    EXPECT_EQ(id, listed);
    it->step();
    EXPECT_TRUE(it->done());
    delete it;
    EXPECT_EQ(Acad::eNotOpenForWrite, modelSpace->appendAcDbEntity(new AcDbBlockReference));
    modelSpace->close();
}

TEST_F(BlockTest, AReferenceKeepsItsDefinitionScaleAndPosition)
{
    const AcDbObjectId wheel = addDefinition(L"Wheel");
    AcDbBlockReference reference;
    EXPECT_TRUE(reference.blockTableRecord().isNull());
    EXPECT_EQ(AcGeScale3d(1.0), reference.scaleFactors());
    EXPECT_EQ(Acad::eOk, reference.setBlockTableRecord(wheel));
    EXPECT_EQ(Acad::eOk, reference.setScaleFactors(AcGeScale3d(2.0, 3.0, 4.0)));
    EXPECT_EQ(Acad::eOk, reference.setPosition(AcGePoint3d(5.0, 6.0, 7.0)));
    EXPECT_EQ(wheel, reference.blockTableRecord());
    EXPECT_EQ(AcGeScale3d(2.0, 3.0, 4.0), reference.scaleFactors());
    EXPECT_EQ(7.0, reference.position().z);
}

TEST_F(BlockTest, SettersAndVisibilityNeedTheReferenceOpenForWrite)
{
    AcDbBlockTableRecord* modelSpace = openModelSpace(AcDb::kForWrite);
    auto* reference = new AcDbBlockReference;
    AcDbObjectId id;
    modelSpace->appendAcDbEntity(id, reference);
    modelSpace->close();
    EXPECT_EQ(AcDb::kVisible, reference->visibility());
    EXPECT_EQ(Acad::eOk, reference->setVisibility(AcDb::kInvisible, true));
    reference->close();

    AcDbBlockReference* opened = nullptr;
    ASSERT_EQ(Acad::eOk, acdbOpenObject(opened, id, AcDb::kForRead));
    EXPECT_EQ(AcDb::kInvisible, opened->visibility());
    EXPECT_EQ(Acad::eNotOpenForWrite, opened->setVisibility(AcDb::kVisible));
    EXPECT_EQ(Acad::eNotOpenForWrite, opened->setPosition(AcGePoint3d(1.0, 1.0, 1.0)));
    EXPECT_EQ(Acad::eNotOpenForWrite, opened->setScaleFactors(AcGeScale3d(2.0)));
    EXPECT_EQ(Acad::eNotOpenForWrite, opened->setBlockTableRecord(AcDbObjectId()));
    EXPECT_EQ(0.0, opened->position().x);
    opened->close();
}
