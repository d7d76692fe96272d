// CStringArray: the framework's growable array of CString.
#pragma once

#include <atlstr.h>
#include <windows.h>

#include <cstddef>
#include <utility>
#include <vector>

// CStringArray holds CString, whose width follows the build. The class lives in
// an inline namespace named after the width, so a wide and a narrow module in
// one process never share its inline member functions. Include this header
// rather than declaring the class yourself.
#ifdef UNICODE
inline namespace framework_wide_strings {
#else
inline namespace framework_narrow_strings {
#endif

class CStringArray {
public:
    CStringArray() = default;
    CStringArray(const CStringArray&) = delete;
    CStringArray& operator=(const CStringArray&) = delete;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }

    // Grows with empty strings or truncates. The container chooses its own
    // growth step, so nGrowBy has no effect.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) {
        static_cast<void>(nGrowBy);
        if (nNewSize < 0) {
            AfxThrowInvalidArgException();
        }
        m_items.resize(static_cast<std::size_t>(nNewSize));
    }

    const CString& GetAt(INT_PTR nIndex) const { return m_items[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, const CString& newElement) { m_items[Checked(nIndex)] = newElement; }
    CString& ElementAt(INT_PTR nIndex) { return m_items[Checked(nIndex)]; }
    const CString& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    CString& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    // Sets the element, first growing the array with empty strings up to it.
    void SetAtGrow(INT_PTR nIndex, const CString& newElement) {
        if (nIndex < 0) {
            AfxThrowInvalidArgException();
        }
        const std::size_t index = static_cast<std::size_t>(nIndex);
        if (index >= m_items.size()) {
            // Copy first: newElement may be one of ours, and growing can move it.
            CString value(newElement);
            m_items.resize(index + 1);
            m_items[index] = std::move(value);
            return;
        }
        m_items[index] = newElement;
    }

    // Appends and returns the new element's index.
    INT_PTR Add(const CString& newElement) {
        m_items.push_back(newElement);
        return GetSize() - 1;
    }

    void RemoveAll() { m_items.clear(); }

private:
    std::size_t Checked(INT_PTR nIndex) const {
        if (nIndex < 0 || nIndex >= GetSize()) {
            AfxThrowInvalidArgException();
        }
        return static_cast<std::size_t>(nIndex);
    }

    std::vector<CString> m_items;
};

}  // inline namespace
