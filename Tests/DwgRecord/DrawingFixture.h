// A fresh working database for each test, and small builders of simulations.
#pragma once

#include <memory>

#include <gtest/gtest.h>

#include <arxheaders.h>

#include "PmAcadPart.h"
#include "PmAcadSection200.h"
#include "PmAcadSegment200.h"
#include "PmDbxFactory200.h"
#include "PmHeld.h"
#include "PmSim200.h"
#include "ZrAcadBlock.h"

class DrawingTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_database = std::make_unique<AcDbDatabase>(true);
        acdbHostApplicationServices()->setWorkingDatabase(m_database.get());
    }
    void TearDown() override
    {
        m_references.clear();
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        m_database.reset();
    }

    AcDbDatabase* Database() { return m_database.get(); }

    // A block definition and a reference to it, not yet in the drawing.
    AcDbBlockReference* MakeReference(double x = 0.0)
    {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(Database()->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
        auto* record = new AcDbBlockTableRecord();
        record->setName((L"Symbol" + std::to_wstring(m_symbols++)).c_str());
        AcDbObjectId recordId;
        EXPECT_EQ(table->add(recordId, record), Acad::eOk);
        record->close();
        table->close();
        auto* reference = new AcDbBlockReference(AcGePoint3d(x, 0.0, 0.0), recordId);
        reference->setScaleFactors(AcGeScale3d(2.0));
        m_references.emplace_back(reference);
        return reference;
    }

private:
    struct CloseReference
    {
        void operator()(AcDbBlockReference* reference) const { reference->close(); }
    };
    std::unique_ptr<AcDbDatabase> m_database;
    std::vector<std::unique_ptr<AcDbBlockReference, CloseReference>> m_references;
    int m_symbols = 0;
};

// Gives simulations made by the factory back through it.
using SimPtr = PmHeld::Detached<CPmSim200, CPmDbxFactory200>;
