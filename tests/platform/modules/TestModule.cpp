// One source for several test modules; TEST_MODULE_NAME tells them apart and
// TEST_MODULE_REFUSES makes the entry point refuse to attach.
#include "TestModule.h"

#include "Events.h"
#include "ModuleEventLog.h"
#include "Modules.h"

#include <cstdio>
#include <string>

#ifndef TEST_MODULE_REFUSES
#define TEST_MODULE_REFUSES 0
#endif
#define TEST_MODULE_STRING(x) TEST_MODULE_STRING_INNER(x)
#define TEST_MODULE_STRING_INNER(x) #x

namespace
{
const char* const kName = TEST_MODULE_STRING(TEST_MODULE_NAME);
HINSTANCE s_hInstance = nullptr;
int s_nAttachCount = 0;
int s_nDetachCount = 0;
BOOL s_bAttachReserved = FALSE;
bool s_bReportDetachOnStderr = false;
HANDLE s_hEvent = nullptr;

// Whether the handle is what the platform says this library is.
bool IsOwnHandle(HINSTANCE hInstance)
{
    wchar_t path[520] = {};
    const DWORD length = GetModuleFileNameW(hInstance, path, 520);
    const std::wstring expected =
        L"/libTestModule" + std::wstring(kName, kName + std::char_traits<char>::length(kName)) + L".so";
    const std::wstring actual(path, length);
    return GetModuleHandleFromAddress(&s_nAttachCount) == hInstance && actual.size() > expected.size() &&
           actual.compare(actual.size() - expected.size(), expected.size(), expected) == 0;
}
} // namespace

PLATFORM_MODULE_ENTRY(DllMain)

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved)
{
    const std::string reserved = lpReserved != nullptr ? "1" : "0";
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        s_hInstance = hInstance;
        s_bAttachReserved = lpReserved != nullptr;
        ++s_nAttachCount;
        const std::string own = IsOwnHandle(hInstance) ? "1" : "0";
        RecordModuleEvent(std::string(kName) + " attach reserved=" + reserved + " own=" + own);
        return TEST_MODULE_REFUSES ? FALSE : TRUE;
    }
    if (dwReason == DLL_PROCESS_DETACH)
    {
        ++s_nDetachCount;
        RecordModuleEvent(std::string(kName) + " detach reserved=" + reserved);
        if (s_bReportDetachOnStderr)
        {
            std::fprintf(stderr, "%s detach reserved=%s\n", kName, reserved.c_str());
        }
    }
    return TRUE;
}

const char* TestModuleName()
{
    return kName;
}
HINSTANCE TestModuleInstance()
{
    return s_hInstance;
}
int TestModuleAttachCount()
{
    return s_nAttachCount;
}
int TestModuleDetachCount()
{
    return s_nDetachCount;
}
BOOL TestModuleAttachReserved()
{
    return s_bAttachReserved;
}
void TestModuleReportDetachOnStderr()
{
    s_bReportDetachOnStderr = true;
}

int TestModuleCreateEvent(LPCWSTR name)
{
    if (s_hEvent != nullptr)
    {
        return -1;
    }
    s_hEvent = CreateEventW(nullptr, TRUE, FALSE, name);
    if (s_hEvent == nullptr)
    {
        return -1;
    }
    return GetLastError() == ERROR_ALREADY_EXISTS ? 1 : 0;
}
BOOL TestModuleSignalEvent()
{
    return s_hEvent != nullptr && SetEvent(s_hEvent);
}
BOOL TestModuleCloseEvent()
{
    const BOOL closed = s_hEvent != nullptr && CloseHandle(s_hEvent);
    s_hEvent = nullptr;
    return closed;
}
int TestModuleProbeEvent(LPCWSTR name)
{
    HANDLE hEvent = OpenEventW(SYNCHRONIZE, FALSE, name);
    if (hEvent == nullptr)
    {
        return -1;
    }
    const int signalled = WaitForSingleObject(hEvent, 0) == WAIT_OBJECT_0 ? 1 : 0;
    CloseHandle(hEvent);
    return signalled;
}
