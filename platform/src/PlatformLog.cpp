#include "Headless.h"
#include "Utf8.h"
#include "WindowManager.h"

#include <cstdio>

namespace
{

void WriteToStandardError(const wchar_t* pszLine)
{
    const std::string strLine = WideToUtf8(pszLine != nullptr ? pszLine : L"");
    std::fprintf(stderr, "[platform] %s\n", strLine.c_str());
}

PFN_PLATFORMLOG g_pfnLogHandler = WriteToStandardError;

} // namespace

PFN_PLATFORMLOG SetPlatformLogHandler(PFN_PLATFORMLOG pfnHandler)
{
    PFN_PLATFORMLOG pfnPrevious = g_pfnLogHandler;
    g_pfnLogHandler = pfnHandler != nullptr ? pfnHandler : WriteToStandardError;
    return pfnPrevious;
}

void PlatformLog(const std::wstring& strMessage)
{
    g_pfnLogHandler(strMessage.c_str());
}
