#include "FrameworkTestSupport.h"

#include <string>

namespace {

TEST(FrameworkStringFormat, PathForms) {
    const CString folder(_T("C:\\Program Files\\Common Files"));
    CString path;
    path.Format(_T("%s\\%s\\"), folder.GetString(), _T("Quendal Solutions"));
    EXPECT_EQ(path, _T("C:\\Program Files\\Common Files\\Quendal Solutions\\"));

    CString module;
    module.Format(_T("%s%s"), path.GetString(), static_cast<const TCHAR*>(CString(_T("Varnex101_2013.dbx"))));
    EXPECT_EQ(module, _T("C:\\Program Files\\Common Files\\Quendal Solutions\\Varnex101_2013.dbx"));
}

TEST(FrameworkStringFormat, NumbersFlagsWidthAndPrecisionPassThrough) {
    CString text;
    text.Format(_T("%d|%-6s|%5.2s|%*d|%%|%%s|%05.1f|%lld|%zu"), -42, _T("ab"), _T("xyz"), 4, 7, 3.14159,
                static_cast<long long>(1) << 40, static_cast<std::size_t>(9));
    EXPECT_EQ(text, _T("-42|ab    |   xy|   7|%|%s|003.1|1099511627776|9"));
}

// %s and %c are of the string's own width, %S and %C of the other, %hs and %ls
// as written, in either width.
TEST(FrameworkStringFormat, TextConversionsFollowTheStringsWidth) {
    CStringW wide;
    wide.Format(L"%s|%S|%c|%C|%ls|%hs|%lc|%hc", L"wide", "narrow", L'w', 'n', L"w2", "n2", L'x', 'y');
    EXPECT_EQ(wide, L"wide|narrow|w|n|w2|n2|x|y");

    CStringA narrow;
    narrow.Format("%s|%S|%c|%C|%ls|%hs|%lc|%hc", "narrow", L"wide", 'n', L'w', L"w2", "n2", L'x', 'y');
    EXPECT_EQ(narrow, "narrow|wide|n|w|w2|n2|x|y");
}

TEST(FrameworkStringFormat, TextLongerThanAnyFirstBufferIsComplete) {
    const std::basic_string<TCHAR> longText(5000, _T('x'));
    CString text;
    text.Format(_T("<%s>"), longText.c_str());
    EXPECT_EQ(text.GetLength(), 5002);
    EXPECT_EQ(text, (_T("<") + longText + _T(">")).c_str());

    text.Format(_T("%3000d"), 1);
    EXPECT_EQ(text.GetLength(), 3000);
    EXPECT_EQ(text.GetAt(2999), _T('1'));
}

TEST(FrameworkStringFormat, AppendFormatAndFormattingItsOwnText) {
    CString text(_T("n="));
    text.AppendFormat(_T("%d;"), 5);
    EXPECT_EQ(text, _T("n=5;"));
    text.Format(_T("[%s]"), text.GetString());
    EXPECT_EQ(text, _T("[n=5;]"));
}

TEST(FrameworkStringFormat, NullFormatThrows) {
    CString text;
    const TCHAR* noFormat = nullptr;
    EXPECT_THROW(text.Format(noFormat), CInvalidArgException*);
}

}  // namespace
