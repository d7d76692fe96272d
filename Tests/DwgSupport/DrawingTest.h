// A test with a new empty drawing as the working database. Every host heap
// block the test makes must be gone once the drawing is deleted.
#pragma once

#include <cstddef>

#include <gtest/gtest.h>

#include <arxheaders.h>

class HostDrawingTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    AcDbDatabase* Drawing() const { return m_drawing; }

private:
    AcDbDatabase* m_drawing = nullptr;
    std::size_t m_heapBefore = 0;
};
