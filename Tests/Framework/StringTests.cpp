#include "FrameworkTestSupport.h"

#include <map>
#include <vector>

namespace {

TEST(FrameworkString, ConstructionFromPointersAndCharacters) {
    const TCHAR* nothing = nullptr;
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_TRUE(CString(nothing).IsEmpty());
    EXPECT_EQ(CString(_T("abc")).GetLength(), 3);
    EXPECT_EQ(CString(_T('x')), _T("x"));
    EXPECT_EQ(CString(_T("abcdef"), 3), _T("abc"));
    EXPECT_TRUE(CString(nothing, 0).IsEmpty());

    CString assigned(_T("old"));
    assigned = nothing;
    EXPECT_TRUE(assigned.IsEmpty());
    assigned = _T('y');
    EXPECT_EQ(assigned, _T("y"));
    assigned = _T("text");
    EXPECT_STREQ(static_cast<const TCHAR*>(assigned), _T("text"));
    assigned.Empty();
    EXPECT_STREQ(assigned.GetString(), _T(""));
}

TEST(FrameworkString, InvalidPointerAndLengthThrow) {
    const TCHAR* nothing = nullptr;
    EXPECT_THROW(CString(_T("abc"), -1), CInvalidArgException*);
    EXPECT_THROW(CString(nothing, 2), CInvalidArgException*);
}

TEST(FrameworkString, CopyAndMoveKeepTheirOwnText) {
    CString original(_T("abc"));
    CString copy(original);
    copy.SetAt(0, _T('X'));
    EXPECT_EQ(original, _T("abc"));
    EXPECT_EQ(copy, _T("Xbc"));
    CString moved(std::move(copy));
    EXPECT_EQ(moved, _T("Xbc"));
}

TEST(FrameworkString, CharacterAccessChecksTheIndex) {
    CString text(_T("ab"));
    EXPECT_EQ(text.GetAt(1), _T('b'));
    EXPECT_EQ(text[0], _T('a'));
    EXPECT_EQ(text.GetAt(2), _T('\0'));
    text.SetAt(1, _T('z'));
    EXPECT_EQ(text, _T("az"));

    EXPECT_THROW(text.GetAt(-1), CInvalidArgException*);
    EXPECT_THROW(text.GetAt(3), CInvalidArgException*);
    EXPECT_THROW(text.SetAt(2, _T('x')), CInvalidArgException*);
    EXPECT_THROW(text.SetAt(-1, _T('x')), CInvalidArgException*);
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

struct ComparisonCase {
    const TCHAR* left;
    const TCHAR* right;
    int compare;        // sign of Compare
    int compareNoCase;  // sign of CompareNoCase
};

// '_' (0x5F) lies between 'Z' and 'a': folding to lower case, not upper, puts it
// before letters.
TEST(FrameworkString, CompareByCodeAndCompareNoCaseByLowerCase) {
    const std::vector<ComparisonCase> cases = {
        {_T("abc"), _T("abc"), 0, 0},   {_T("abc"), _T("ABC"), 1, 0},  {_T("ABD"), _T("abc"), -1, 1},
        {_T("_"), _T("A"), 1, -1},      {_T("ab"), _T("abc"), -1, -1}, {_T("aBc"), _T("Ab"), 1, 1},
        {_T(""), _T(""), 0, 0},         {_T(""), _T("a"), -1, -1},     {_T("a"), _T(""), 1, 1},
    };
    for (const ComparisonCase& c : cases) {
        const CString left(c.left);
        SCOPED_TRACE(::testing::PrintToString(left) + " vs " + ::testing::PrintToString(CString(c.right)));
        EXPECT_EQ(Sign(left.Compare(c.right)), c.compare);
        EXPECT_EQ(Sign(left.CompareNoCase(c.right)), c.compareNoCase);
        EXPECT_EQ(left == c.right, c.compare == 0);
        EXPECT_EQ(c.right == left, c.compare == 0);
        EXPECT_EQ(left != CString(c.right), c.compare != 0);
        EXPECT_EQ(left < CString(c.right), c.compare < 0);
    }
}

TEST(FrameworkString, EmbeddedNullMakesTheStringLongerForCompareNoCase) {
    const CString withNull(_T("a\0b"), 3);
    EXPECT_GT(withNull.CompareNoCase(_T("A")), 0);
    EXPECT_EQ(withNull.GetLength(), 3);
}

TEST(FrameworkString, OrdersKeysOfAMap) {
    std::map<CString, int> byName;
    byName[_T("beta")] = 2;
    byName[_T("Alpha")] = 1;
    byName[_T("alpha")] = 3;
    std::vector<CString> keys;
    for (const auto& entry : byName) {
        keys.push_back(entry.first);
    }
    EXPECT_EQ(keys, (std::vector<CString>{_T("Alpha"), _T("alpha"), _T("beta")}));
}

TEST(FrameworkString, Concatenation) {
    const TCHAR* nothing = nullptr;
    CString text(_T("a"));
    text += CString(_T("b"));
    text += _T("c");
    text += _T('d');
    text += nothing;
    EXPECT_EQ(text, _T("abcd"));

    EXPECT_EQ(text + CString(_T("e")), _T("abcde"));
    EXPECT_EQ(text + _T("e"), _T("abcde"));
    EXPECT_EQ(_T(">") + text, _T(">abcd"));
    EXPECT_EQ(text + _T('!'), _T("abcd!"));
    EXPECT_EQ(_T('<') + text, _T("<abcd"));
    EXPECT_EQ(text, _T("abcd"));
}

}  // namespace
