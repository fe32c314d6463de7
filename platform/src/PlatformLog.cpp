#include "DebugOutput.h"
#include "WindowManager.h"

void PlatformLog(const std::wstring& strMessage)
{
    // One line on the debugger output channel, which tests capture.
    OutputDebugStringW((L"[platform] " + strMessage + L"\n").c_str());
}
