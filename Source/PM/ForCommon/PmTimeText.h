// The text of a simulation's times: the framework's "%c" formatting.
#pragma once

#include <afx.h>

inline CString PmTimeText(const CTime& time)
{
    return time.Format(_T("%c"));
}
