// The framework's exceptions and their throw helper.
#include <afx.h>

CException::CException(bool bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

CException::~CException() = default;

void CException::Delete() {
    if (m_bAutoDelete) {
        delete this;
    }
}

CInvalidArgException::CInvalidArgException(bool bAutoDelete) : CException(bAutoDelete) {}

CInvalidArgException::~CInvalidArgException() = default;

CMemoryException::CMemoryException(bool bAutoDelete) : CException(bAutoDelete) {}

CMemoryException::~CMemoryException() = default;

void AfxThrowInvalidArgException() {
    // One object for every throw, so a catcher that forgets Delete() leaks
    // nothing and one that calls it frees nothing.
    static CInvalidArgException sharedException(false);
    throw &sharedException;
}
