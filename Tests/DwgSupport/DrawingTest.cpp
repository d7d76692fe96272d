#include "DrawingTest.h"

void HostDrawingTest::SetUp()
{
    m_heapBefore = acdbHostHeapLiveBlocks();
    m_drawing = new AcDbDatabase;
    acdbHostApplicationServices()->setWorkingDatabase(m_drawing);
}

void HostDrawingTest::TearDown()
{
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    delete m_drawing;
    EXPECT_EQ(acdbHostHeapLiveBlocks(), m_heapBefore) << "a host heap block outlived the drawing";
}
