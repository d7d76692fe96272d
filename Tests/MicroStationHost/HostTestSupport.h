// A fresh active model for every test, and small helpers to fill it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "mdl.h"
#include "mstnhost.h"

// Every test starts on an empty model and must leave no descriptor or scan
// criteria behind; a test that provokes faults says how many.
class HostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mstnHost_faultsOff();
        mstnHost_resetModel();
        mstnHost_clearFaults();
    }

    void TearDown() override
    {
        mstnHost_faultsOff();
        EXPECT_EQ(mstnHost_liveDescriptorCount(), 0u);
        EXPECT_EQ(mstnHost_liveScanCriteriaCount(), 0u);
        EXPECT_EQ(mstnHost_faultCount(), expectedFaults);
    }

    std::size_t expectedFaults = 0;
};

// A test with a design file of its own, gone before and after the test together
// with the temporary file that a failed save may leave beside it.
class HostFileTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path = ::testing::TempDir() + "mstnhost_" + std::to_string(getpid()) + "_" + test->test_suite_name() + "_" +
               test->name() + ".dgn";
        removeFiles();
    }

    void TearDown() override
    {
        removeFiles();
        HostTest::TearDown();
    }

    std::string path;

private:
    void removeFiles() const
    {
        std::remove(path.c_str());
        std::remove((path + ".tmp").c_str());
    }
};

inline std::vector<std::uint8_t> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct AddedElement
{
    ElementId id = 0;
    std::uint32_t filePos = 0;
};

inline std::unique_ptr<MSElement> makeElement(int type, LevelId level, std::size_t dataBytes = 4,
                                              std::uint8_t fill = 0xA5)
{
    auto element = std::make_unique<MSElement>();
    const std::vector<std::uint8_t> data(dataBytes, fill);
    EXPECT_EQ(mstnHost_buildElement(element.get(), type, level, data.data(), data.size()), MSTN_SUCCESS);
    return element;
}

inline MstnHostElementInfo elementInfo(ElementId id)
{
    MstnHostElementInfo info{};
    EXPECT_EQ(mstnHost_findElement(id, &info), MSTN_SUCCESS);
    return info;
}

// Appends an element of that type and level with dataBytes bytes of data.
inline AddedElement appendElement(int type, LevelId level, std::size_t dataBytes = 4)
{
    auto element = makeElement(type, level, dataBytes);
    EXPECT_EQ(mdlElement_append(element.get()), MSTN_SUCCESS);
    const ElementId id = mdlElement_getID(element.get());
    return {id, elementInfo(id).filePos};
}

inline void deleteElement(const AddedElement& element)
{
    ASSERT_EQ(mdlElement_undoableDelete(nullptr, element.filePos, false), MSTN_SUCCESS);
}

// Scan criteria freed when the test's scope ends.
struct Criteria
{
    Criteria() : p(mdlScanCriteria_create()) {}
    ~Criteria() { mdlScanCriteria_free(p); }
    Criteria(const Criteria&) = delete;
    Criteria& operator=(const Criteria&) = delete;
    ScanCriteriaP p;
};
