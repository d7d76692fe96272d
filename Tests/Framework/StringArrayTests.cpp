#include "FrameworkTestSupport.h"

#include <vector>

namespace {

std::vector<CString> Items(const CStringArray& array) {
    std::vector<CString> items;
    for (INT_PTR i = 0; i < array.GetSize(); ++i) {
        items.push_back(array.GetAt(i));
    }
    return items;
}

class FrameworkStringArray : public ::testing::Test {
protected:
    void SetUp() override {
        m_array.Add(_T("one"));
        m_array.Add(_T("two"));
    }
    CStringArray m_array;
};

TEST_F(FrameworkStringArray, AddReturnsTheNewIndex) {
    EXPECT_EQ(m_array.Add(_T("three")), 2);
    EXPECT_EQ(m_array.GetSize(), 3);
    EXPECT_EQ(m_array.GetCount(), 3);
    EXPECT_EQ(m_array[2], _T("three"));
}

TEST_F(FrameworkStringArray, SetSizeEmptiesGrowsAndTruncates) {
    m_array.SetSize(0, -1);
    EXPECT_TRUE(m_array.IsEmpty());

    m_array.Add(_T("kept"));
    m_array.SetSize(3);
    EXPECT_EQ(Items(m_array), (std::vector<CString>{_T("kept"), _T(""), _T("")}));
    m_array.SetSize(1);
    EXPECT_EQ(Items(m_array), (std::vector<CString>{_T("kept")}));

    EXPECT_THROW(m_array.SetSize(-1), CInvalidArgException*);
    EXPECT_EQ(m_array.GetSize(), 1);
}

TEST_F(FrameworkStringArray, SetAtGrowAppendsAndFillsGaps) {
    m_array.SetAtGrow(m_array.GetSize(), _T("three"));
    m_array.SetAtGrow(5, _T("six"));
    m_array.SetAtGrow(0, _T("first"));
    EXPECT_EQ(Items(m_array),
              (std::vector<CString>{_T("first"), _T("two"), _T("three"), _T(""), _T(""), _T("six")}));
    EXPECT_THROW(m_array.SetAtGrow(-1, _T("x")), CInvalidArgException*);
}

// The new element may be one of the array's own, which growing moves.
TEST_F(FrameworkStringArray, SetAtGrowFromItsOwnElement) {
    m_array.SetAtGrow(1000, m_array[0]);
    EXPECT_EQ(m_array.GetSize(), 1001);
    EXPECT_EQ(m_array[1000], _T("one"));
}

TEST_F(FrameworkStringArray, ElementAccessAndIndexOutOfRange) {
    m_array.SetAt(0, _T("uno"));
    m_array.ElementAt(1) += _T("!");
    m_array[1] += _T("?");
    EXPECT_EQ(Items(m_array), (std::vector<CString>{_T("uno"), _T("two!?")}));

    const CStringArray& constArray = m_array;
    for (INT_PTR index : {INT_PTR{-1}, INT_PTR{2}}) {
        SCOPED_TRACE(index);
        EXPECT_THROW(m_array.GetAt(index), CInvalidArgException*);
        EXPECT_THROW(m_array.SetAt(index, _T("x")), CInvalidArgException*);
        EXPECT_THROW(m_array.ElementAt(index), CInvalidArgException*);
        EXPECT_THROW(m_array[index], CInvalidArgException*);
        EXPECT_THROW(constArray[index], CInvalidArgException*);
    }
}

TEST_F(FrameworkStringArray, RemoveAll) {
    m_array.RemoveAll();
    EXPECT_TRUE(m_array.IsEmpty());
    EXPECT_EQ(m_array.GetSize(), 0);
    EXPECT_THROW(m_array.GetAt(0), CInvalidArgException*);
}

}  // namespace
