#include "Resources.h"

#include "Modules.h"
#include "ResourceChain.h"

#include <algorithm>
#include <cwctype>
#include <list>
#include <map>
#include <mutex>

namespace
{
struct SResourceTable
{
    const SResourceEntry* pEntries = nullptr;
    UINT nCount = 0;
};

struct SResourceState
{
    std::recursive_mutex mutex;
    std::map<HINSTANCE, SResourceTable> registered;
    HINSTANCE hCurrentResource = nullptr;
    bool bCurrentResourceSet = false;
    // Newest first, as look-ups walk it.
    std::list<CDynLinkLibrary*> chain;
};

SResourceState& State()
{
    // Never destroyed: modules may unlink themselves while the process exits.
    static SResourceState* s_pState = new SResourceState;
    return *s_pState;
}

bool SameResourceId(LPCWSTR a, LPCWSTR b)
{
    if (IS_INTRESOURCE(a) || IS_INTRESOURCE(b))
    {
        return a == b;
    }
    for (; *a != 0 && *b != 0; ++a, ++b)
    {
        if (std::towupper(static_cast<wint_t>(*a)) != std::towupper(static_cast<wint_t>(*b)))
        {
            return false;
        }
    }
    return *a == *b;
}

// The module's table: one registered for it, or the one it exports.
SResourceTable TableOf(HINSTANCE hModule)
{
    if (hModule == nullptr)
    {
        hModule = GetModuleHandleW(nullptr);
    }
    {
        SResourceState& state = State();
        std::lock_guard lock(state.mutex);
        const auto it = state.registered.find(hModule);
        if (it != state.registered.end())
        {
            return it->second;
        }
    }
    // Looking for the export must not disturb the caller's last error.
    const DWORD dwSaved = GetLastError();
    SResourceTable table;
    if (const auto pfn = reinterpret_cast<PLATFORM_RESOURCE_ENTRIES_PROC>(
            GetProcAddress(hModule, "PlatformResourceEntries")))
    {
        UINT nCount = 0;
        table.pEntries = pfn(&nCount);
        table.nCount = table.pEntries != nullptr ? nCount : 0;
    }
    SetLastError(dwSaved);
    return table;
}

const SResourceEntry* Find(HINSTANCE hModule, LPCWSTR lpName, LPCWSTR lpType, bool* pbTypeSeen = nullptr)
{
    if (lpName == nullptr || lpType == nullptr)
    {
        return nullptr;
    }
    const SResourceTable table = TableOf(hModule);
    for (UINT i = 0; i < table.nCount; ++i)
    {
        const SResourceEntry& entry = table.pEntries[i];
        if (entry.pszType == nullptr || entry.pszName == nullptr || !SameResourceId(entry.pszType, lpType))
        {
            continue;
        }
        if (pbTypeSeen != nullptr)
        {
            *pbTypeSeen = true;
        }
        if (SameResourceId(entry.pszName, lpName))
        {
            return &entry;
        }
    }
    return nullptr;
}

bool Holds(HINSTANCE hModule, LPCWSTR lpName, LPCWSTR lpType)
{
    return Find(hModule, lpName, lpType) != nullptr;
}

// The handles a look-up tries, in order, without duplicates.
std::vector<HINSTANCE> SearchOrder()
{
    std::vector<HINSTANCE> order;
    auto add = [&order](HINSTANCE h)
    {
        if (h != nullptr && std::find(order.begin(), order.end(), h) == order.end())
        {
            order.push_back(h);
        }
    };
    add(AfxGetResourceHandle());
    {
        SResourceState& state = State();
        std::lock_guard lock(state.mutex);
        for (const CDynLinkLibrary* link : state.chain)
        {
            add(link->m_hResource);
        }
    }
    add(AfxGetInstanceHandle());
    return order;
}
} // namespace

void RegisterResourceTable(HINSTANCE hModule, const SResourceEntry* pEntries, UINT nCount)
{
    SResourceState& state = State();
    std::lock_guard lock(state.mutex);
    if (pEntries == nullptr)
    {
        state.registered.erase(hModule);
        return;
    }
    state.registered[hModule] = SResourceTable{pEntries, nCount};
}

HRSRC FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType)
{
    bool bTypeSeen = false;
    const SResourceEntry* pEntry = Find(hModule, lpName, lpType, &bTypeSeen);
    if (pEntry == nullptr)
    {
        SetLastError(bTypeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HRSRC>(const_cast<SResourceEntry*>(pEntry));
}

HGLOBAL LoadResource(HMODULE, HRSRC hResInfo)
{
    if (hResInfo == nullptr)
    {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return const_cast<void*>(reinterpret_cast<const SResourceEntry*>(hResInfo)->pData);
}

LPVOID LockResource(HGLOBAL hResData)
{
    return hResData;
}

DWORD SizeofResource(HMODULE, HRSRC hResInfo)
{
    return hResInfo != nullptr ? reinterpret_cast<const SResourceEntry*>(hResInfo)->cbData : 0;
}

int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax)
{
    if (lpBuffer == nullptr || cchBufferMax < 0)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const SResourceEntry* pEntry = Find(hInstance, MAKEINTRESOURCEW(uID), RT_STRING);
    if (pEntry == nullptr || pEntry->pData == nullptr)
    {
        if (cchBufferMax > 0)
        {
            lpBuffer[0] = 0;
        }
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    const auto* pText = static_cast<const wchar_t*>(pEntry->pData);
    const int nLength = static_cast<int>(pEntry->cbData / sizeof(wchar_t));
    if (cchBufferMax == 0)
    {
        *reinterpret_cast<const wchar_t**>(lpBuffer) = pText;
        return nLength;
    }
    const int nCopied = std::min(nLength, cchBufferMax - 1);
    std::copy(pText, pText + nCopied, lpBuffer);
    lpBuffer[nCopied] = 0;
    return nCopied;
}

bool LoadStringFromResourceChain(UINT nId, std::wstring& strOut)
{
    // One walk along the chain: the first module holding the string gives it.
    for (HINSTANCE h : SearchOrder())
    {
        const SResourceEntry* pEntry = Find(h, MAKEINTRESOURCEW(nId), RT_STRING);
        if (pEntry != nullptr && pEntry->pData != nullptr)
        {
            const auto* pText = static_cast<const wchar_t*>(pEntry->pData);
            strOut.assign(pText, pEntry->cbData / sizeof(wchar_t));
            return true;
        }
    }
    strOut.clear();
    return false;
}

HINSTANCE AfxGetInstanceHandle()
{
    return GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    SResourceState& state = State();
    std::lock_guard lock(state.mutex);
    return state.bCurrentResourceSet ? state.hCurrentResource : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    SResourceState& state = State();
    std::lock_guard lock(state.mutex);
    state.hCurrentResource = hInstResource;
    state.bCurrentResourceSet = hInstResource != nullptr;
}

HINSTANCE AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType)
{
    for (HINSTANCE h : SearchOrder())
    {
        if (Holds(h, lpszName, lpszType))
        {
            return h;
        }
    }
    return AfxGetResourceHandle();
}

HINSTANCE AfxFindStringResourceHandle(UINT nID)
{
    return AfxFindResourceHandle(MAKEINTRESOURCEW(nID), RT_STRING);
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (hModule == nullptr)
    {
        return FALSE;
    }
    if (!state.bInitialized)
    {
        state.hModule = hModule;
        state.hResource = hModule;
        state.bInitialized = TRUE;
    }
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& module, BOOL)
{
    if (!module.bInitialized)
    {
        return;
    }
    std::vector<CDynLinkLibrary*> owned;
    {
        SResourceState& state = State();
        std::lock_guard lock(state.mutex);
        for (CDynLinkLibrary* link : state.chain)
        {
            if (link->m_hModule == module.hModule)
            {
                owned.push_back(link);
            }
        }
    }
    for (CDynLinkLibrary* link : owned)
    {
        delete link; // unlinks itself
    }
    module.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : CDynLinkLibrary(state.hModule, state.hResource)
{
    m_bSystem = bSystem;
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource)
{
    SResourceState& state = State();
    std::lock_guard lock(state.mutex);
    state.chain.push_front(this);
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    SResourceState& state = State();
    std::lock_guard lock(state.mutex);
    state.chain.remove(this);
}

int AfxGetExtensionModuleCount()
{
    SResourceState& state = State();
    std::lock_guard lock(state.mutex);
    return static_cast<int>(state.chain.size());
}
