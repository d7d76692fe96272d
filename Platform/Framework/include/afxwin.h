// The framework's application object. A module holds one global object of a
// class derived from CWinApp; when the module is loaded, the framework's
// start-up calls that object's InitInstance once, after the module's global
// objects have been constructed.
#pragma once

#include <afx.h>

class CObject
{
public:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
    virtual ~CObject();

protected:
    CObject() = default;
};

class CCmdTarget : public CObject
{
public:
    ~CCmdTarget() override;

protected:
    CCmdTarget() = default;
};

class CWinThread : public CCmdTarget
{
public:
    ~CWinThread() override;

    // Called once by the start-up; a thread that does not override it does not start.
    virtual BOOL InitInstance();

protected:
    CWinThread() = default;
};

namespace framework_detail
{
// The module's application object, registered by its construction and
// withdrawn by its destruction. One per module: a second one is not registered.
void RegisterModuleApp(CWinThread* app);
void WithdrawModuleApp(CWinThread* app);
} // namespace framework_detail

// The application name is of the build's character width, so the class lives
// in an inline namespace named after the width, as CStringArray does.
#ifdef UNICODE
inline namespace framework_wide_strings {
#else
inline namespace framework_narrow_strings {
#endif

class CWinApp : public CWinThread
{
public:
    explicit CWinApp(LPCTSTR pszAppName = nullptr) : m_pszAppName(pszAppName)
    {
        framework_detail::RegisterModuleApp(this);
    }
    ~CWinApp() override { framework_detail::WithdrawModuleApp(this); }

    BOOL InitInstance() override { return TRUE; }

    LPCTSTR m_pszAppName;
};

}  // inline namespace
