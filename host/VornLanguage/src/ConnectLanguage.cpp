#include "ConnectLanguage.h"

#include "Modules.h"

#include <algorithm>

namespace
{
constexpr wchar_t kDefaultLanguage[] = L"EN";

// The folder of the library that holds the window manager, which is where
// the host's modules are installed; the program's folder when it cannot be
// found.
std::wstring DefaultRoot()
{
    wchar_t path[520] = {};
    HMODULE hPlatform = GetModuleHandleFromAddress(reinterpret_cast<const void*>(&GetModuleFileNameW));
    DWORD length = GetModuleFileNameW(hPlatform, path, 520);
    if (hPlatform == nullptr || length == 0)
    {
        length = GetModuleFileNameW(nullptr, path, 520);
    }
    std::wstring folder(path, length);
    const std::size_t slash = folder.find_last_of(L"/\\");
    folder = slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
    return folder + L"/";
}

std::wstring WithSlash(LPCWSTR pszRoot)
{
    std::wstring root = pszRoot != nullptr ? pszRoot : L"";
    if (!root.empty() && root.back() != L'/' && root.back() != L'\\')
    {
        root += L'/';
    }
    return root;
}
} // namespace

CConnectLanguage* CConnectLanguage::Instance()
{
    // Never destroyed: modules unloaded at exit may still remove their
    // callbacks.
    static CConnectLanguage* pInstance = new CConnectLanguage;
    return pInstance;
}

CConnectLanguage::CConnectLanguage() : m_strRoot(DefaultRoot()), m_strLanguage(kDefaultLanguage) {}

CString CConnectLanguage::GetPath() const
{
    const std::lock_guard lock(m_mutex);
    if (m_strLanguage.empty())
    {
        return CString();
    }
    return CString((m_strRoot + m_strLanguage).c_str());
}

CString CConnectLanguage::GetAltPath() const
{
    const std::lock_guard lock(m_mutex);
    return CString((m_strRoot + kDefaultLanguage).c_str());
}

CString CConnectLanguage::GetUserLanguage() const
{
    const std::lock_guard lock(m_mutex);
    return CString(m_strLanguage.c_str());
}

void CConnectLanguage::SetUserLanguage(LPCWSTR pszLanguage)
{
    std::vector<SCallback> arrCallbacks;
    std::wstring strLanguage;
    {
        const std::lock_guard lock(m_mutex);
        m_strLanguage = pszLanguage != nullptr ? pszLanguage : L"";
        strLanguage = m_strLanguage;
        arrCallbacks = m_arrCallbacks;
    }
    // Called without the lock: a callback asks for the paths and records
    // its module.
    for (const SCallback& callback : arrCallbacks)
    {
        callback.pfnCallback(CString(strLanguage.c_str()));
    }
}

void CConnectLanguage::SetLanguageRoot(LPCWSTR pszRoot)
{
    const std::lock_guard lock(m_mutex);
    m_strRoot = WithSlash(pszRoot);
}

CString CConnectLanguage::GetLanguageRoot() const
{
    const std::lock_guard lock(m_mutex);
    return CString(m_strRoot.c_str());
}

void CConnectLanguage::StoreCB(LPCWSTR pszModuleName, LanguageCallback pfnCallback)
{
    if (pfnCallback == nullptr)
    {
        return;
    }
    const std::wstring strModule = pszModuleName != nullptr ? pszModuleName : L"";
    std::wstring strLanguage;
    {
        const std::lock_guard lock(m_mutex);
        auto found = std::find_if(m_arrCallbacks.begin(), m_arrCallbacks.end(),
                                  [&](const SCallback& c) { return c.strModule == strModule; });
        if (found != m_arrCallbacks.end())
        {
            found->pfnCallback = pfnCallback;
        }
        else
        {
            m_arrCallbacks.push_back({strModule, pfnCallback});
        }
        strLanguage = m_strLanguage;
    }
    pfnCallback(CString(strLanguage.c_str()));
}

void CConnectLanguage::RemoveCB(LPCWSTR pszModuleName)
{
    const std::wstring strModule = pszModuleName != nullptr ? pszModuleName : L"";
    const std::lock_guard lock(m_mutex);
    std::erase_if(m_arrCallbacks, [&](const SCallback& c) { return c.strModule == strModule; });
}

bool CConnectLanguage::HasCB(LPCWSTR pszModuleName) const
{
    const std::wstring strModule = pszModuleName != nullptr ? pszModuleName : L"";
    const std::lock_guard lock(m_mutex);
    return std::any_of(m_arrCallbacks.begin(), m_arrCallbacks.end(),
                       [&](const SCallback& c) { return c.strModule == strModule; });
}

void CConnectLanguage::AddModuleInfo(LPCWSTR pszModulePath, LPCWSTR pszResourcePath, int nValue,
                                     HINSTANCE hResource, bool bFlag)
{
    SLanguageModuleInfo info;
    info.strModulePath = pszModulePath != nullptr ? pszModulePath : L"";
    info.strResourcePath = pszResourcePath != nullptr ? pszResourcePath : L"";
    info.nValue = nValue;
    info.hResource = hResource;
    info.bFlag = bFlag;
    const std::lock_guard lock(m_mutex);
    m_arrModules.push_back(info);
}

int CConnectLanguage::GetModuleInfoCount() const
{
    const std::lock_guard lock(m_mutex);
    return static_cast<int>(m_arrModules.size());
}

bool CConnectLanguage::GetModuleInfo(int nIndex, SLanguageModuleInfo& info) const
{
    const std::lock_guard lock(m_mutex);
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= m_arrModules.size())
    {
        return false;
    }
    info = m_arrModules[static_cast<std::size_t>(nIndex)];
    return true;
}

bool CConnectLanguage::FindModuleInfo(LPCWSTR pszModulePath, SLanguageModuleInfo& info) const
{
    const CString strPath = pszModulePath != nullptr ? pszModulePath : L"";
    const std::lock_guard lock(m_mutex);
    for (auto it = m_arrModules.rbegin(); it != m_arrModules.rend(); ++it)
    {
        if (it->strModulePath == strPath)
        {
            info = *it;
            return true;
        }
    }
    return false;
}

void CConnectLanguage::ClearModuleInfo()
{
    const std::lock_guard lock(m_mutex);
    m_arrModules.clear();
}
