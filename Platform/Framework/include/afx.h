// The framework's core header: strings, string array, time and the exceptions.
#pragma once

#include <afxcoll.h>
#include <atlstr.h>
#include <atltime.h>
#include <tchar.h>
#include <windows.h>

// Base of the framework's exceptions, which are thrown as pointers. A caller
// that catches one ends it with Delete(): an exception made with auto-delete is
// freed, a shared one (as the throw helpers use) is left alone.
class CException {
public:
    explicit CException(bool bAutoDelete = true);
    CException(const CException&) = delete;
    CException& operator=(const CException&) = delete;
    virtual ~CException();

    void Delete();

private:
    bool m_bAutoDelete;
};

class CInvalidArgException : public CException {
public:
    explicit CInvalidArgException(bool bAutoDelete = true);
    ~CInvalidArgException() override;
};

class CMemoryException : public CException {
public:
    explicit CMemoryException(bool bAutoDelete = true);
    ~CMemoryException() override;
};

// Throws a CInvalidArgException* to one shared object that is never freed.
[[noreturn]] void AfxThrowInvalidArgException();
