// Conversion of the framework string between UTF-8 and wide text, by the Windows
// calls for the ANSI code page (UTF-8 here): what cannot be converted becomes '?'.
#include <atlstr.h>

#include <climits>

#include <windows.h>

namespace {

// The framework's lengths are ints, and so are those of the Windows calls; a
// conversion that cannot be told in one is an invalid argument.
int CheckedLength(std::size_t length) {
    if (length > static_cast<std::size_t>(INT_MAX)) {
        AfxThrowInvalidArgException();
    }
    return static_cast<int>(length);
}

int CheckedSize(int size) {
    if (size <= 0) {
        AfxThrowInvalidArgException();
    }
    return size;
}

}  // namespace

namespace framework_detail {

std::wstring ConvertText(const char* text, std::size_t length) {
    if (length == 0) {
        return {};
    }
    const int count = CheckedLength(length);
    const int size = CheckedSize(MultiByteToWideChar(CP_ACP, 0, text, count, nullptr, 0));
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, count, &out[0], size);
    return out;
}

std::string ConvertText(const wchar_t* text, std::size_t length) {
    if (length == 0) {
        return {};
    }
    const int count = CheckedLength(length);
    const int size = CheckedSize(WideCharToMultiByte(CP_ACP, 0, text, count, nullptr, 0, nullptr, nullptr));
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, count, &out[0], size, nullptr, nullptr);
    return out;
}

}  // namespace framework_detail
