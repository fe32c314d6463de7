// The host's language service. It knows the user's language and where the
// language resource modules of that language are, tells each module that
// asked (StoreCB) when the language is established or changes, and keeps a
// record of the resource modules the modules have attached (AddModuleInfo).
//
// The language folder is <language root><language code>; the root defaults
// to the folder of the platform library followed by "/", the language to
// "EN". Both can be changed (the reference host and tests do).
#pragma once

#include "CString.h"
#include "WinDef.h"

#include <mutex>
#include <string>
#include <vector>

// What a module recorded about its language resource module.
struct SLanguageModuleInfo
{
    CString strModulePath;   // the module's own file
    CString strResourcePath; // the language resource module loaded, or empty
    int nValue = 0;
    HINSTANCE hResource = nullptr; // the loaded resource module, or null
    bool bFlag = false;
};

class CConnectLanguage
{
public:
    // Told the language code whenever the user language is (re)established.
    using LanguageCallback = void (*)(CString strLanguage);

    // The one service of the process.
    static CConnectLanguage* Instance();

    // The folder of the user language's resource modules; empty when no
    // language is set.
    CString GetPath() const;
    // The folder of the default language ("EN") under the same root, where a
    // module looks when the user language has no resource module of its own.
    CString GetAltPath() const;
    CString GetUserLanguage() const;

    // Sets the user language and tells every stored callback. An empty code
    // means no language: the path is then empty.
    void SetUserLanguage(LPCWSTR pszLanguage);
    // The folder that holds one folder per language; a "/" is added when
    // missing. Does not tell the callbacks (set the language after it).
    void SetLanguageRoot(LPCWSTR pszRoot);
    CString GetLanguageRoot() const;

    // Stores the callback under the module's name (a second call for the
    // same name replaces it) and calls it at once, as the language is
    // already established.
    void StoreCB(LPCWSTR pszModuleName, LanguageCallback pfnCallback);
    // Forgets the module's callback (a module does this when it unloads).
    void RemoveCB(LPCWSTR pszModuleName);
    bool HasCB(LPCWSTR pszModuleName) const;

    // Records a module's language resource module.
    void AddModuleInfo(LPCWSTR pszModulePath, LPCWSTR pszResourcePath, int nValue, HINSTANCE hResource,
                       bool bFlag);
    int GetModuleInfoCount() const;
    // False when the index is out of range.
    bool GetModuleInfo(int nIndex, SLanguageModuleInfo& info) const;
    // The latest record of a module by its own path; false when none.
    bool FindModuleInfo(LPCWSTR pszModulePath, SLanguageModuleInfo& info) const;
    void ClearModuleInfo();

    CConnectLanguage(const CConnectLanguage&) = delete;
    CConnectLanguage& operator=(const CConnectLanguage&) = delete;

private:
    CConnectLanguage();

    struct SCallback
    {
        std::wstring strModule;
        LanguageCallback pfnCallback;
    };

    mutable std::mutex m_mutex;
    std::wstring m_strRoot;
    std::wstring m_strLanguage;
    std::vector<SCallback> m_arrCallbacks;
    std::vector<SLanguageModuleInfo> m_arrModules;
};
