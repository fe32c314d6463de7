// Dynamic libraries and module entry points over the ELF loader.
//
// A module handle is the address at which the library is mapped, as on
// Windows; the program's handle is the address of the program's own image.
// Windows-style names are accepted: "Name.dll" finds "libName.so", then
// "Name.so", then "Name.dll" in the given folder or in the search folders.
#pragma once

#include "LastError.h"
#include "WinDef.h"

#include <string>
#include <vector>

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

HMODULE LoadLibraryW(LPCWSTR lpLibFileName);
BOOL FreeLibrary(HMODULE hLibModule);
// Only the module's own exports are found, not those of the libraries it uses.
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
// Does not add a reference. Null asks for the program itself.
HMODULE GetModuleHandleW(LPCWSTR lpModuleName);
// The module's file as a Linux path. When nSize is too small the name is cut
// to nSize - 1 characters plus the terminator, nSize is returned and the last
// error is ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);
BOOL DisableThreadLibraryCalls(HMODULE hLibModule);

// Extra folders searched before the program's own folder, in the order added.
BOOL AddDllSearchDirectory(LPCWSTR lpPathName);
BOOL RemoveDllSearchDirectory(LPCWSTR lpPathName);
// One folder searched after the added ones; null removes it.
BOOL SetDllDirectoryW(LPCWSTR lpPathName);

// The module whose image contains the address, or null (ERROR_MOD_NOT_FOUND).
HMODULE GetModuleHandleFromAddress(const void* pAddress);
// The loader's message for the last failed LoadLibraryW on this thread.
std::string GetLastModuleLoadMessage();

// How a module name is looked up: the folder it names (empty for a bare name)
// and the file names to try there, in order.
struct SModuleFileNames
{
    std::string strFolder;
    std::vector<std::string> arrCandidates;
};
SModuleFileNames ModuleFileNamesFromName(const std::wstring& strName);

// Module entry points. A library declares its entry point with
// PLATFORM_MODULE_ENTRY(DllMain) before or after defining it as
// extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID). The platform calls
// it with DLL_PROCESS_ATTACH and DLL_PROCESS_DETACH. Under LoadLibraryW the
// attach comes once the library and everything it needs is loaded and
// constructed; a library linked into the program is attached while the loader
// initialises it, before main. The detach comes from the last FreeLibrary
// (before the library is unloaded) or at process exit. lpReserved is null for
// LoadLibraryW and FreeLibrary, non-null for a linked library and at exit. A
// refused attach is followed by a detach, as on Windows. The entry point gets
// hidden visibility so that each library calls its own, not one interposed by
// the program or another module.
using PLATFORM_MODULE_ENTRY_PROC = BOOL (*)(HINSTANCE, DWORD, LPVOID);
void PlatformRegisterModuleEntry(const void* pAnchor, PLATFORM_MODULE_ENTRY_PROC pfnEntry);
void PlatformUnregisterModuleEntry(const void* pAnchor);

#define PLATFORM_MODULE_ENTRY(entry)                                                                         \
    extern "C" __attribute__((visibility("hidden"))) BOOL WINAPI entry(HINSTANCE, DWORD, LPVOID);            \
    namespace                                                                                                \
    {                                                                                                        \
    const char s_cPlatformModuleAnchor = 0;                                                                  \
    __attribute__((constructor)) void PlatformModuleConstructor()                                            \
    {                                                                                                        \
        PlatformRegisterModuleEntry(&s_cPlatformModuleAnchor, &entry);                                       \
    }                                                                                                        \
    __attribute__((destructor)) void PlatformModuleDestructor()                                              \
    {                                                                                                        \
        PlatformUnregisterModuleEntry(&s_cPlatformModuleAnchor);                                             \
    }                                                                                                        \
    }
