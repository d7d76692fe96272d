// The framework's string: CStringA (char), CStringW (wchar_t) and CString, the
// string of the build's character width.
//
// Narrow text is UTF-8 when it is converted to or from wide text; wide text is
// wchar_t in memory. The class does not depend on UNICODE, so code of both widths
// can share it; only the CString alias follows the build.
#pragma once

#include <tchar.h>

#include <cctype>
#include <cstddef>
#include <cwctype>
#include <string>
#include <type_traits>

// Thrown for an index out of range or a negative length; defined with the
// exceptions (afx.h).
[[noreturn]] void AfxThrowInvalidArgException();

template <typename Ch>
class CStringT;

namespace framework_detail {

// Code point by code point between UTF-8 and wide text; what cannot be
// converted becomes '?'.
std::wstring ConvertText(const char* text, std::size_t length);
std::string ConvertText(const wchar_t* text, std::size_t length);

// printf-style formatting with the framework's meaning of %s, %c, %S and %C (in
// either width, %s and %c are of the string's own width, %S and %C of the other;
// %hs/%hc are narrow, %ls/%lc wide). Throws the invalid-argument exception
// when the format is null or the runtime rejects the format or an argument.
std::string FormatText(const char* format, ...);
std::wstring FormatText(const wchar_t* format, ...);

inline char FoldCase(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}
inline wchar_t FoldCase(wchar_t c) {
    return static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
}

template <typename Ch>
using OtherChar = std::conditional_t<std::is_same_v<Ch, char>, wchar_t, char>;

}  // namespace framework_detail

template <typename Ch>
class CStringT {
    static_assert(std::is_same_v<Ch, char> || std::is_same_v<Ch, wchar_t>,
                  "the framework string holds char or wchar_t");
    using OtherCh = framework_detail::OtherChar<Ch>;

public:
    CStringT() = default;
    CStringT(const CStringT&) = default;
    CStringT(CStringT&&) noexcept = default;
    CStringT& operator=(const CStringT&) = default;
    CStringT& operator=(CStringT&&) noexcept = default;
    ~CStringT() = default;

    // A null pointer gives the empty string.
    CStringT(const Ch* text) { Assign(text); }
    explicit CStringT(Ch ch) : m_text(1, ch) {}
    // Exactly `length` characters from `text`; a negative length, or a null
    // pointer with a positive length, is an invalid argument.
    CStringT(const Ch* text, int length) {
        if (length < 0 || (text == nullptr && length > 0)) {
            AfxThrowInvalidArgException();
        }
        if (length > 0) {
            m_text.assign(text, static_cast<std::size_t>(length));
        }
    }

    // From the other width: UTF-8 <-> wide.
    CStringT(const OtherCh* text) {
        if (text != nullptr) {
            m_text = framework_detail::ConvertText(text, std::char_traits<OtherCh>::length(text));
        }
    }
    CStringT(const CStringT<OtherCh>& other)
        : m_text(framework_detail::ConvertText(other.GetString(),
                                               static_cast<std::size_t>(other.GetLength()))) {}

    CStringT& operator=(const Ch* text) {
        Assign(text);
        return *this;
    }
    CStringT& operator=(Ch ch) {
        m_text.assign(1, ch);
        return *this;
    }

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    const Ch* GetString() const { return m_text.c_str(); }
    operator const Ch*() const { return m_text.c_str(); }

    // Index 0 to GetLength(); at GetLength() the terminating null is read.
    Ch GetAt(int index) const {
        if (index < 0 || index > GetLength()) {
            AfxThrowInvalidArgException();
        }
        return m_text[static_cast<std::size_t>(index)];
    }
    Ch operator[](int index) const { return GetAt(index); }
    void SetAt(int index, Ch ch) {
        if (index < 0 || index >= GetLength()) {
            AfxThrowInvalidArgException();
        }
        m_text[static_cast<std::size_t>(index)] = ch;
    }

    // <0, 0 or >0 by character code; a string sorts before its extensions.
    int Compare(const Ch* text) const { return m_text.compare(text != nullptr ? text : EmptyText()); }
    // As Compare, with every character folded to lower case first.
    int CompareNoCase(const Ch* text) const {
        const Ch* other = text != nullptr ? text : EmptyText();
        for (std::size_t i = 0;; ++i) {
            const bool mineEnded = i >= m_text.size();
            const Ch mine = mineEnded ? Ch() : framework_detail::FoldCase(m_text[i]);
            const Ch theirs = framework_detail::FoldCase(other[i]);
            if (std::char_traits<Ch>::lt(mine, theirs)) {
                return -1;
            }
            if (std::char_traits<Ch>::lt(theirs, mine)) {
                return 1;
            }
            if (theirs == Ch()) {
                // The other text ends here; an embedded null in this one makes it the longer.
                return mineEnded ? 0 : 1;
            }
        }
    }

    CStringT& operator+=(const CStringT& other) {
        m_text += other.m_text;
        return *this;
    }
    CStringT& operator+=(const Ch* text) {
        if (text != nullptr) {
            m_text += text;
        }
        return *this;
    }
    CStringT& operator+=(Ch ch) {
        m_text += ch;
        return *this;
    }

    // printf style (see framework_detail::FormatText). Pass strings as
    // pointers: s.GetString() or (const Ch*)s. A CString object itself cannot
    // go through a variable argument list, so it is refused at compile time.
    template <typename... Args>
    void Format(const Ch* format, Args... args) {
        static_assert((std::is_scalar_v<Args> && ...),
                      "Format takes numbers, characters and pointers; pass a CString as GetString()");
        m_text = framework_detail::FormatText(format, args...);
    }
    template <typename... Args>
    void AppendFormat(const Ch* format, Args... args) {
        static_assert((std::is_scalar_v<Args> && ...),
                      "AppendFormat takes numbers, characters and pointers; pass a CString as GetString()");
        m_text += framework_detail::FormatText(format, args...);
    }

    friend bool operator==(const CStringT& a, const CStringT& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CStringT& a, const Ch* b) { return a.Compare(b) == 0; }
    friend bool operator==(const Ch* a, const CStringT& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CStringT& a, const CStringT& b) { return !(a == b); }
    friend bool operator!=(const CStringT& a, const Ch* b) { return !(a == b); }
    friend bool operator!=(const Ch* a, const CStringT& b) { return !(a == b); }
    friend bool operator<(const CStringT& a, const CStringT& b) { return a.m_text < b.m_text; }

    friend CStringT operator+(const CStringT& a, const CStringT& b) { return Joined(a, b); }
    friend CStringT operator+(const CStringT& a, const Ch* b) { return Joined(a, b); }
    friend CStringT operator+(const Ch* a, const CStringT& b) { return Joined(CStringT(a), b); }
    friend CStringT operator+(const CStringT& a, Ch b) { return Joined(a, b); }
    friend CStringT operator+(Ch a, const CStringT& b) { return Joined(CStringT(a), b); }

private:
    static const Ch* EmptyText() {
        static const Ch empty[1] = {};
        return empty;
    }
    template <typename Tail>
    static CStringT Joined(CStringT head, const Tail& tail) {
        head += tail;
        return head;
    }
    void Assign(const Ch* text) {
        if (text != nullptr) {
            m_text = text;
        } else {
            m_text.clear();
        }
    }

    std::basic_string<Ch> m_text;
};

typedef CStringT<char> CStringA;
typedef CStringT<wchar_t> CStringW;
typedef CStringT<TCHAR> CString;
