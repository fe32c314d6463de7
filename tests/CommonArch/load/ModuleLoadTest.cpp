// Loads the palette module at run time with tracing switched on and watches
// what its entry point does when it attaches and detaches.
#include "ConnectLanguage.h"
#include "DebugCapture.h"
#include "Modules.h"
#include "Resources.h"
#include "SettingsStore.h"
#include "Threads.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
std::wstring ThreadPrefix()
{
    return L"[" + std::to_wstring(GetCurrentThreadId()) + L"]";
}
} // namespace

TEST(ModuleLoadTest, AttachAndDetachTraceLinkTheLanguageModuleAndTidyUp)
{
    auto pPreviousStore = SetProcessSettingsStore(std::make_shared<CSettingsStore>());
    GetProcessSettingsStore().SetDword(L"Software\\Tavor\\Pixmill\\X15\\Debug", L"Enable", 1);
    CConnectLanguage* pLanguage = CConnectLanguage::Instance();
    const std::wstring root = Utf8ToWide(TEST_LANGUAGE_ROOT);
    pLanguage->SetLanguageRoot(root.c_str());
    pLanguage->SetUserLanguage(L"TT");
    const int nLinksBefore = AfxGetExtensionModuleCount();
    const std::wstring modulePath = Utf8ToWide(TEST_MODULE_PATH);

    CDebugCapture capture;
    HMODULE hModule = LoadLibraryW(modulePath.c_str());
    ASSERT_NE(hModule, nullptr) << GetLastModuleLoadMessage();

    const std::wstring prefix = ThreadPrefix() + L"[QVPx64]\t[INFO]\t\t[DllMain]\t:\t";
    EXPECT_EQ(capture.GetLines(),
              (std::vector<std::wstring>{prefix + L"VornMaterialPalette.dll Initializing!\n"}));

    // The language service knows the module and has had it load its
    // language resource module.
    EXPECT_TRUE(pLanguage->HasCB(L"VornMaterialPalette"));
    wchar_t ownPath[520] = {};
    const DWORD nLength = GetModuleFileNameW(hModule, ownPath, 520);
    SLanguageModuleInfo info;
    ASSERT_TRUE(pLanguage->FindModuleInfo(std::wstring(ownPath, nLength).c_str(), info));
    EXPECT_EQ(std::wstring(info.strResourcePath), root + L"TT\\VornMaterialPaletteRC.DLL");
    EXPECT_NE(info.hResource, nullptr);
    EXPECT_EQ(info.nValue, 1);
    EXPECT_TRUE(info.bFlag);
    EXPECT_EQ(AfxGetExtensionModuleCount(), nLinksBefore + 1);
    CString caption;
    caption.LoadString(15473);
    EXPECT_EQ(std::wstring(caption), L"Materials TT");

    // The exported link function adds one more link for the module.
    using LinkProc = void (*)();
    auto pfnLink = reinterpret_cast<LinkProc>(GetProcAddress(hModule, "MMatPalCDynLink"));
    ASSERT_NE(pfnLink, nullptr);
    pfnLink();
    EXPECT_EQ(AfxGetExtensionModuleCount(), nLinksBefore + 2);

    EXPECT_TRUE(FreeLibrary(hModule));
    const std::vector<std::wstring> lines = capture.GetLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], prefix + L"VornMaterialPalette.dll Terminating!\n");
    // Its links and its callback go with it.
    EXPECT_EQ(AfxGetExtensionModuleCount(), nLinksBefore);
    EXPECT_FALSE(pLanguage->HasCB(L"VornMaterialPalette"));
    pLanguage->SetUserLanguage(L"EN"); // would call into the unloaded module otherwise

    SetProcessSettingsStore(pPreviousStore);
}
