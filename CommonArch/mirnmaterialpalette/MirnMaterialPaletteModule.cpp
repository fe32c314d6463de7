#include "MirnMaterialPaletteModule.h"

#include "ConnectLanguage.h"
#include "Modules.h"
#include "RTRACE.h"
#include "Resources.h"

namespace
{
AFX_EXTENSION_MODULE g_extensionModule;
// The loaded language resource module, or null.
HINSTANCE g_hLanguageResource = nullptr;

CString OwnModulePath()
{
    wchar_t path[520] = {};
    const DWORD nLength = GetModuleFileNameW(g_extensionModule.hModule, path, 520);
    return CString(path, static_cast<int>(nLength));
}
} // namespace

PLATFORM_MODULE_ENTRY(DllMain)

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        RTRACE(L"DllMain", nullptr, RTRACE_LEVEL_INFO, 0)(L"VornMaterialPalette.dll Initializing!\n");
        if (!AfxInitExtensionModule(g_extensionModule, hInstance))
        {
            return FALSE;
        }
        CConnectLanguage::Instance()->StoreCB(MATERIAL_PALETTE_MODULE_NAME, &LinkExtension);
        g_extensionModule.hResource = GetMaterialPaletteResourceHandle();
        return TRUE;
    }
    if (dwReason == DLL_PROCESS_DETACH)
    {
        RTRACE(L"DllMain", nullptr, RTRACE_LEVEL_INFO, 0)(L"VornMaterialPalette.dll Terminating!\n");
        // The language service outlives the module and must not call into it
        // once it is gone.
        CConnectLanguage::Instance()->RemoveCB(MATERIAL_PALETTE_MODULE_NAME);
        AfxTermExtensionModule(g_extensionModule);
    }
    return TRUE;
}

void LinkExtension(CString)
{
    CConnectLanguage* pLanguage = CConnectLanguage::Instance();
    const CString strPath = pLanguage->GetPath();
    const CString strAltPath = pLanguage->GetAltPath();
    if (strPath.IsEmpty())
    {
        return;
    }
    CString strResourcePath =
        strPath + L"\\" + MATERIAL_PALETTE_MODULE_NAME + MATERIAL_PALETTE_RESOURCE_SUFFIX;
    HINSTANCE hResource = LoadLibraryW(strResourcePath);
    if (hResource == nullptr)
    {
        strResourcePath =
            strAltPath + L"\\" + MATERIAL_PALETTE_MODULE_NAME + MATERIAL_PALETTE_RESOURCE_SUFFIX;
        hResource = LoadLibraryW(strResourcePath);
    }
    if (hResource == nullptr)
    {
        // Without a language resource module the module's resources are
        // looked up through the rest of the chain.
        pLanguage->AddModuleInfo(OwnModulePath(), L"", 1, nullptr, true);
        new CDynLinkLibrary(g_extensionModule);
        return;
    }
    g_hLanguageResource = hResource;
    g_extensionModule.hResource = hResource;
    new CDynLinkLibrary(g_extensionModule);
    pLanguage->AddModuleInfo(OwnModulePath(), strResourcePath, 1, hResource, true);
}

extern "C" void MMatPalCDynLink()
{
    new CDynLinkLibrary(g_extensionModule.hModule, GetMaterialPaletteResourceHandle());
}

HINSTANCE GetMaterialPaletteInstance()
{
    return g_extensionModule.hModule;
}

HINSTANCE GetMaterialPaletteResourceHandle()
{
    return g_hLanguageResource != nullptr ? g_hLanguageResource : g_extensionModule.hModule;
}
