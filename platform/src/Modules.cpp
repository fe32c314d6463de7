// Dynamic libraries over dlopen, and the module entry points.
//
// A module's handle is the start of its mapping (what dladdr reports as the
// object's base), so a library finds its own handle from any of its addresses
// and LoadLibraryW can hand out the same value without a table lookup.
//
// Entry points are called by the platform, not from inside the loader: while
// LoadLibraryW's dlopen runs, the constructors of the libraries it brings in
// only register; LoadLibraryW then attaches them in load order once dlopen has
// returned. FreeLibrary detaches a module it loaded when the last reference
// goes, before dlclose, so the entry point sees the same order whether or not
// the loader really unmaps the file (C++ libraries often cannot be unmapped).
#include "Modules.h"

#include "Files.h"
#include "ModuleSearch.h"
#include "Utf8.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <link.h>
#include <map>
#include <mutex>
#include <sys/auxv.h>
#include <sys/stat.h>

namespace
{
struct SModuleRecord
{
    std::string strPath;
    PLATFORM_MODULE_ENTRY_PROC pfnEntry = nullptr;
    // The dlopen handle held by LoadLibraryW references, once per reference.
    void* pLoaderHandle = nullptr;
    int nLoadCount = 0;
    bool bAttached = false;
    // Attached by LoadLibraryW, so the last FreeLibrary detaches it.
    bool bAttachedByLoad = false;
};

struct SModuleTable
{
    std::mutex mutex;
    std::map<HMODULE, SModuleRecord> mapRecords;
};

// Never destroyed: libraries still loaded at exit unregister from their
// destructors after the program's static objects are gone.
SModuleTable& Modules()
{
    static SModuleTable* pTable = new SModuleTable;
    return *pTable;
}

// Set while LoadLibraryW's dlopen runs on this thread: constructors of the
// libraries being loaded add themselves here instead of attaching at once.
thread_local std::vector<HMODULE>* t_pPendingAttach = nullptr;
thread_local std::string t_strLoadMessage;
// Set while FreeLibrary or a failed LoadLibraryW unloads: libraries unloaded
// along with the one named are being freed, not left behind at exit.
thread_local bool t_bUnloadingByCall = false;

// lpReserved for a library linked into the program and for process exit.
LPVOID const kStaticReserved = reinterpret_cast<LPVOID>(static_cast<ULONG_PTR>(1));

HMODULE ModuleFromBase(void* pBase)
{
    return static_cast<HMODULE>(pBase);
}

HMODULE ProgramModule()
{
    static const HMODULE hProgram = []
    {
        Dl_info info{};
        const auto entry = reinterpret_cast<const void*>(getauxval(AT_ENTRY));
        return entry != nullptr && dladdr(entry, &info) != 0 ? ModuleFromBase(info.dli_fbase) : nullptr;
    }();
    return hProgram;
}

// The loader's description of the module starting at hModule, if there is one.
bool DescribeModule(HMODULE hModule, Dl_info& info)
{
    return hModule != nullptr && dladdr(hModule, &info) != 0 && ModuleFromBase(info.dli_fbase) == hModule;
}

std::string ModulePath(HMODULE hModule)
{
    if (hModule == ProgramModule())
    {
        return ProgramPath();
    }
    Dl_info info{};
    if (!DescribeModule(hModule, info) || info.dli_fname == nullptr)
    {
        return {};
    }
    return info.dli_fname[0] == '/' ? std::string(info.dli_fname) : AbsolutePath(info.dli_fname);
}

HMODULE ModuleFromLoaderHandle(void* pHandle)
{
    link_map* pMap = nullptr;
    if (dlinfo(pHandle, RTLD_DI_LINKMAP, &pMap) != 0 || pMap == nullptr)
    {
        return nullptr;
    }
    Dl_info info{};
    return dladdr(pMap->l_ld, &info) != 0 ? ModuleFromBase(info.dli_fbase) : nullptr;
}

BOOL CallEntry(PLATFORM_MODULE_ENTRY_PROC pfnEntry, HMODULE hModule, DWORD dwReason, LPVOID lpReserved)
{
    // An exception must not unwind into the loader; for an attach it counts as
    // a refusal.
    try
    {
        return pfnEntry(hModule, dwReason, lpReserved);
    }
    catch (...)
    {
        std::fprintf(stderr, "module %s: entry point threw during %s\n", ModulePath(hModule).c_str(),
                     dwReason == DLL_PROCESS_ATTACH ? "attach" : "detach");
        return FALSE;
    }
}

enum class EAttachResult
{
    Attached,
    NothingToDo,
    Refused
};

// Calls the entry point with DLL_PROCESS_ATTACH unless it has no entry point
// or is attached already. A refusal is followed by DLL_PROCESS_DETACH.
EAttachResult AttachModule(HMODULE hModule, LPVOID lpReserved)
{
    SModuleTable& table = Modules();
    PLATFORM_MODULE_ENTRY_PROC pfnEntry = nullptr;
    {
        const std::lock_guard<std::mutex> lock(table.mutex);
        const auto it = table.mapRecords.find(hModule);
        if (it == table.mapRecords.end() || it->second.pfnEntry == nullptr || it->second.bAttached)
        {
            return EAttachResult::NothingToDo;
        }
        pfnEntry = it->second.pfnEntry;
    }
    if (!CallEntry(pfnEntry, hModule, DLL_PROCESS_ATTACH, lpReserved))
    {
        CallEntry(pfnEntry, hModule, DLL_PROCESS_DETACH, lpReserved);
        return EAttachResult::Refused;
    }
    const std::lock_guard<std::mutex> lock(table.mutex);
    const auto it = table.mapRecords.find(hModule);
    if (it != table.mapRecords.end())
    {
        it->second.bAttached = true;
    }
    return EAttachResult::Attached;
}

void DetachModule(HMODULE hModule, LPVOID lpReserved)
{
    SModuleTable& table = Modules();
    PLATFORM_MODULE_ENTRY_PROC pfnEntry = nullptr;
    {
        const std::lock_guard<std::mutex> lock(table.mutex);
        const auto it = table.mapRecords.find(hModule);
        if (it == table.mapRecords.end() || !it->second.bAttached)
        {
            return;
        }
        // Cleared first so that a detach cannot run twice.
        it->second.bAttached = false;
        it->second.bAttachedByLoad = false;
        pfnEntry = it->second.pfnEntry;
    }
    CallEntry(pfnEntry, hModule, DLL_PROCESS_DETACH, lpReserved);
}

bool IsElfFile(const std::string& path)
{
    char magic[4] = {};
    std::ifstream file(path, std::ios::binary);
    return file.read(magic, sizeof magic) && std::memcmp(magic,
                                                         "\x7F"
                                                         "ELF",
                                                         4) == 0;
}

void* OpenLibrary(const std::string& path, DWORD& dwError)
{
    void* pHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (pHandle == nullptr)
    {
        const char* message = dlerror();
        t_strLoadMessage = message != nullptr ? message : path + ": cannot be loaded";
        dwError = path.find('/') != std::string::npos && !IsElfFile(path) ? ERROR_BAD_EXE_FORMAT
                                                                          : ERROR_MOD_NOT_FOUND;
    }
    return pHandle;
}

// The first file the name stands for, in its own folder or the search folders,
// then through the system's own lookup.
void* OpenModuleFile(const SModuleFileNames& names, DWORD& dwError)
{
    dwError = ERROR_MOD_NOT_FOUND;
    t_strLoadMessage.clear();
    std::vector<std::string> arrFolders;
    if (names.strFolder.empty())
    {
        arrFolders = ModuleSearchFolders();
    }
    else
    {
        arrFolders.push_back(AbsolutePath(names.strFolder));
    }
    for (const std::string& folder : arrFolders)
    {
        for (const std::string& candidate : names.arrCandidates)
        {
            const std::string path = FindFileInFolder(folder, candidate);
            if (!path.empty())
            {
                // A file that is there but does not load ends the search, as
                // a broken library on Windows does.
                return OpenLibrary(path, dwError);
            }
        }
    }
    if (names.strFolder.empty())
    {
        for (const std::string& candidate : names.arrCandidates)
        {
            if (void* pHandle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL))
            {
                return pHandle;
            }
        }
    }
    if (t_strLoadMessage.empty())
    {
        t_strLoadMessage = "no library file found for this name";
    }
    return nullptr;
}

void CloseLoaderHandle(void* pHandle)
{
    const bool bOuter = t_bUnloadingByCall;
    t_bUnloadingByCall = true;
    dlclose(pHandle);
    t_bUnloadingByCall = bOuter;
}

HMODULE FailLoad(DWORD dwError)
{
    SetLastError(dwError);
    return nullptr;
}

// Restores the outer pending list when a nested LoadLibraryW returns.
class CPendingAttachScope
{
public:
    explicit CPendingAttachScope(std::vector<HMODULE>& arrPending) : m_pOuter(t_pPendingAttach)
    {
        t_pPendingAttach = &arrPending;
    }
    ~CPendingAttachScope() { t_pPendingAttach = m_pOuter; }
    CPendingAttachScope(const CPendingAttachScope&) = delete;
    CPendingAttachScope& operator=(const CPendingAttachScope&) = delete;

private:
    std::vector<HMODULE>* m_pOuter;
};

struct SLoadedObject
{
    std::string strPath;
    const void* pFirstSegment;
};

int CollectLoadedObject(dl_phdr_info* pInfo, size_t, void* pData)
{
    for (ElfW(Half) i = 0; i < pInfo->dlpi_phnum; ++i)
    {
        if (pInfo->dlpi_phdr[i].p_type == PT_LOAD)
        {
            const auto address = static_cast<ElfW(Addr)>(pInfo->dlpi_addr + pInfo->dlpi_phdr[i].p_vaddr);
            static_cast<std::vector<SLoadedObject>*>(pData)->push_back(
                {pInfo->dlpi_name != nullptr ? pInfo->dlpi_name : "",
                 reinterpret_cast<const void*>(address)});
            break;
        }
    }
    return 0;
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first
    {
    };
    struct stat second
    {
    };
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}
} // namespace

void PlatformRegisterModuleEntry(const void* pAnchor, PLATFORM_MODULE_ENTRY_PROC pfnEntry)
{
    Dl_info info{};
    if (pfnEntry == nullptr || dladdr(pAnchor, &info) == 0 || info.dli_fbase == nullptr)
    {
        std::fprintf(stderr, "module entry point could not be registered: its library is unknown\n");
        return;
    }
    const HMODULE hModule = ModuleFromBase(info.dli_fbase);
    {
        SModuleTable& table = Modules();
        const std::lock_guard<std::mutex> lock(table.mutex);
        SModuleRecord& record = table.mapRecords[hModule];
        if (record.pfnEntry != nullptr && record.pfnEntry != pfnEntry)
        {
            std::fprintf(stderr, "module %s declares a second entry point; it is ignored\n", info.dli_fname);
            return;
        }
        record.pfnEntry = pfnEntry;
        record.strPath = info.dli_fname != nullptr ? info.dli_fname : "";
    }
    if (t_pPendingAttach != nullptr)
    {
        t_pPendingAttach->push_back(hModule);
        return;
    }
    // Linked into the program or opened without LoadLibraryW: attach now.
    if (AttachModule(hModule, kStaticReserved) == EAttachResult::Refused)
    {
        std::fprintf(stderr, "module %s refused to attach\n", info.dli_fname);
    }
}

void PlatformUnregisterModuleEntry(const void* pAnchor)
{
    Dl_info info{};
    if (dladdr(pAnchor, &info) == 0)
    {
        return;
    }
    const HMODULE hModule = ModuleFromBase(info.dli_fbase);
    PLATFORM_MODULE_ENTRY_PROC pfnEntry = nullptr;
    {
        SModuleTable& table = Modules();
        const std::lock_guard<std::mutex> lock(table.mutex);
        const auto it = table.mapRecords.find(hModule);
        if (it == table.mapRecords.end())
        {
            return;
        }
        if (it->second.bAttached)
        {
            pfnEntry = it->second.pfnEntry;
        }
        table.mapRecords.erase(it);
    }
    // FreeLibrary detaches the library it names before unloading it, so this
    // is a library it unloads along with that one, or the process is ending.
    if (pfnEntry != nullptr)
    {
        CallEntry(pfnEntry, hModule, DLL_PROCESS_DETACH, t_bUnloadingByCall ? nullptr : kStaticReserved);
    }
}

HMODULE LoadLibraryW(LPCWSTR lpLibFileName)
{
    if (lpLibFileName == nullptr)
    {
        t_strLoadMessage = "no library name given";
        return FailLoad(ERROR_INVALID_PARAMETER);
    }
    const SModuleFileNames names = ModuleFileNamesFromName(lpLibFileName);
    if (names.arrCandidates.empty())
    {
        t_strLoadMessage = "the name names no file";
        return FailLoad(ERROR_MOD_NOT_FOUND);
    }
    std::vector<HMODULE> arrAttach;
    DWORD dwError = ERROR_MOD_NOT_FOUND;
    void* pHandle = nullptr;
    {
        const CPendingAttachScope scope(arrAttach);
        pHandle = OpenModuleFile(names, dwError);
    }
    if (pHandle == nullptr)
    {
        return FailLoad(dwError);
    }
    const HMODULE hModule = ModuleFromLoaderHandle(pHandle);
    if (hModule == nullptr)
    {
        CloseLoaderHandle(pHandle);
        t_strLoadMessage = "the loader does not know where the library lies";
        return FailLoad(ERROR_MOD_NOT_FOUND);
    }
    // A library that stayed mapped after its last FreeLibrary gets no new
    // constructor call; attach it again ourselves.
    if (std::find(arrAttach.begin(), arrAttach.end(), hModule) == arrAttach.end())
    {
        arrAttach.push_back(hModule);
    }
    std::vector<HMODULE> arrAttached;
    for (const HMODULE hAttach : arrAttach)
    {
        const EAttachResult result = AttachModule(hAttach, nullptr);
        if (result == EAttachResult::Refused)
        {
            // Undo this load: what it attached is detached in reverse order.
            for (auto it = arrAttached.rbegin(); it != arrAttached.rend(); ++it)
            {
                DetachModule(*it, nullptr);
            }
            CloseLoaderHandle(pHandle);
            t_strLoadMessage = ModulePath(hAttach) + ": the entry point refused to attach";
            return FailLoad(ERROR_DLL_INIT_FAILED);
        }
        if (result == EAttachResult::Attached)
        {
            arrAttached.push_back(hAttach);
        }
    }
    SModuleTable& table = Modules();
    const std::lock_guard<std::mutex> lock(table.mutex);
    for (const HMODULE hAttached : arrAttached)
    {
        const auto it = table.mapRecords.find(hAttached);
        if (it != table.mapRecords.end())
        {
            it->second.bAttachedByLoad = true;
        }
    }
    SModuleRecord& record = table.mapRecords[hModule];
    if (record.strPath.empty())
    {
        Dl_info info{};
        record.strPath = DescribeModule(hModule, info) && info.dli_fname != nullptr ? info.dli_fname : "";
    }
    record.pLoaderHandle = pHandle;
    ++record.nLoadCount;
    return hModule;
}

BOOL FreeLibrary(HMODULE hLibModule)
{
    SModuleTable& table = Modules();
    void* pHandle = nullptr;
    bool bDetach = false;
    {
        const std::lock_guard<std::mutex> lock(table.mutex);
        const auto it = hLibModule != nullptr ? table.mapRecords.find(hLibModule) : table.mapRecords.end();
        if (it == table.mapRecords.end() || it->second.nLoadCount == 0)
        {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        SModuleRecord& record = it->second;
        pHandle = record.pLoaderHandle;
        if (--record.nLoadCount == 0)
        {
            bDetach = record.bAttached && record.bAttachedByLoad;
            record.pLoaderHandle = nullptr;
            if (record.pfnEntry == nullptr)
            {
                table.mapRecords.erase(it);
            }
        }
    }
    if (bDetach)
    {
        DetachModule(hLibModule, nullptr);
    }
    CloseLoaderHandle(pHandle);
    return TRUE;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    if (lpProcName == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // Small values are export ordinals, which our libraries do not have.
    if (reinterpret_cast<ULONG_PTR>(lpProcName) < 0x10000)
    {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    if (hModule == nullptr)
    {
        hModule = ProgramModule();
    }
    Dl_info info{};
    if (!DescribeModule(hModule, info))
    {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    void* pHandle = hModule == ProgramModule() ? dlopen(nullptr, RTLD_LAZY)
                                               : dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    if (pHandle == nullptr)
    {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    void* pSymbol = dlsym(pHandle, lpProcName);
    // dlsym also searches the libraries the module uses; only its own count.
    Dl_info symbolInfo{};
    const bool bOwn = pSymbol != nullptr && dladdr(pSymbol, &symbolInfo) != 0 &&
                      ModuleFromBase(symbolInfo.dli_fbase) == hModule;
    dlclose(pHandle);
    if (!bOwn)
    {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(pSymbol);
}

HMODULE GetModuleHandleW(LPCWSTR lpModuleName)
{
    if (lpModuleName == nullptr)
    {
        return ProgramModule();
    }
    const SModuleFileNames names = ModuleFileNamesFromName(lpModuleName);
    std::vector<std::string> arrWanted;
    for (const std::string& candidate : names.arrCandidates)
    {
        if (!names.strFolder.empty())
        {
            const std::string path = FindFileInFolder(AbsolutePath(names.strFolder), candidate);
            if (!path.empty())
            {
                arrWanted.push_back(path);
            }
        }
        else
        {
            arrWanted.push_back(candidate);
        }
    }
    std::vector<SLoadedObject> arrLoaded;
    dl_iterate_phdr(CollectLoadedObject, &arrLoaded);
    const std::string program = ProgramPath();
    for (const std::string& wanted : arrWanted)
    {
        for (const SLoadedObject& loaded : arrLoaded)
        {
            const std::string path = loaded.strPath.empty() ? program : loaded.strPath;
            if (path.empty())
            {
                continue;
            }
            const bool bMatch = names.strFolder.empty()
                                    ? EqualsIgnoringAsciiCase(path.substr(path.find_last_of('/') + 1), wanted)
                                    : SameFile(path, wanted);
            Dl_info info{};
            if (bMatch && dladdr(loaded.pFirstSegment, &info) != 0)
            {
                return ModuleFromBase(info.dli_fbase);
            }
        }
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize)
{
    if (lpFilename == nullptr && nSize != 0)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string path = ModulePath(hModule != nullptr ? hModule : ProgramModule());
    if (path.empty())
    {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    const std::wstring wide = Utf8ToWide(path);
    if (nSize == 0)
    {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (wide.size() < nSize)
    {
        wide.copy(lpFilename, wide.size());
        lpFilename[wide.size()] = L'\0';
        return static_cast<DWORD>(wide.size());
    }
    wide.copy(lpFilename, nSize - 1);
    lpFilename[nSize - 1] = L'\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
}

BOOL DisableThreadLibraryCalls(HMODULE)
{
    return TRUE;
}

HMODULE GetModuleHandleFromAddress(const void* pAddress)
{
    Dl_info info{};
    if (pAddress == nullptr || dladdr(pAddress, &info) == 0 || info.dli_fbase == nullptr)
    {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return ModuleFromBase(info.dli_fbase);
}

std::string GetLastModuleLoadMessage()
{
    return t_strLoadMessage;
}
