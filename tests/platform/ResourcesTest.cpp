#include "CString.h"
#include "Modules.h"
#include "Resources.h"
#include "Utf8.h"

#include <gtest/gtest.h>
#include <iterator>

namespace
{
constexpr wchar_t kProgramShared[] = L"Shared text in the program";
constexpr wchar_t kProgramOnly[] = L"Only the program has this";
const SResourceEntry kProgramEntries[] = {
    {RT_STRING, MAKEINTRESOURCEW(200), kProgramShared, sizeof(kProgramShared) - sizeof(wchar_t)},
    {RT_STRING, MAKEINTRESOURCEW(201), kProgramOnly, sizeof(kProgramOnly) - sizeof(wchar_t)},
};

class ResourcesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AddDllSearchDirectory(Utf8ToWide(TEST_MODULE_FOLDER).c_str()));
        m_hModule = LoadLibraryW(L"TestResourceModule.dll");
        ASSERT_NE(m_hModule, nullptr);
        RegisterResourceTable(AfxGetInstanceHandle(), kProgramEntries,
                              static_cast<UINT>(std::size(kProgramEntries)));
        m_nLinksBefore = AfxGetExtensionModuleCount();
    }
    void TearDown() override
    {
        AfxSetResourceHandle(nullptr);
        RegisterResourceTable(AfxGetInstanceHandle(), nullptr, 0);
        if (m_hModule != nullptr)
        {
            FreeLibrary(m_hModule);
        }
        RemoveDllSearchDirectory(Utf8ToWide(TEST_MODULE_FOLDER).c_str());
    }

    HMODULE m_hModule = nullptr;
    int m_nLinksBefore = 0;
};
} // namespace

TEST_F(ResourcesTest, LoadStringCopiesCutsAndLendsAPointer)
{
    wchar_t buffer[64];
    EXPECT_EQ(LoadStringW(m_hModule, 100, buffer, 64), 21);
    EXPECT_STREQ(buffer, L"Hello from the module");
    // Six characters of room: five and the terminator.
    EXPECT_EQ(LoadStringW(m_hModule, 100, buffer, 6), 5);
    EXPECT_STREQ(buffer, L"Hello");
    const wchar_t* pText = nullptr;
    EXPECT_EQ(LoadStringW(m_hModule, 100, reinterpret_cast<LPWSTR>(&pText), 0), 21);
    ASSERT_NE(pText, nullptr);
    EXPECT_EQ(std::wstring(pText, 21), L"Hello from the module");

    buffer[0] = L'x';
    EXPECT_EQ(LoadStringW(m_hModule, 101, buffer, 64), 0);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(LoadStringW(m_hModule, 300, buffer, 64), 0); // present but empty
    EXPECT_EQ(LoadStringW(m_hModule, 100, nullptr, 64), 0);
}

TEST_F(ResourcesTest, FindResourceMatchesNumbersExactlyAndNamesIgnoringCase)
{
    HRSRC hDialog = FindResourceW(m_hModule, MAKEINTRESOURCEW(15107), RT_DIALOG);
    ASSERT_NE(hDialog, nullptr);
    EXPECT_EQ(SizeofResource(m_hModule, hDialog), sizeof(int));
    EXPECT_EQ(*static_cast<const int*>(LockResource(LoadResource(m_hModule, hDialog))), 4242);

    HRSRC hImage = FindResourceW(m_hModule, L"folder\\IMAGE.png", L"png");
    ASSERT_NE(hImage, nullptr);
    EXPECT_EQ(SizeofResource(m_hModule, hImage), 4u);
    EXPECT_EQ(static_cast<const unsigned char*>(LockResource(LoadResource(m_hModule, hImage)))[1], 'P');

    EXPECT_EQ(FindResourceW(m_hModule, MAKEINTRESOURCEW(15108), RT_DIALOG), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceW(m_hModule, MAKEINTRESOURCEW(15107), RT_CURSOR), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    // A number never matches a name that happens to spell it.
    EXPECT_EQ(FindResourceW(m_hModule, L"15107", RT_DIALOG), nullptr);
    EXPECT_EQ(LoadResource(m_hModule, nullptr), nullptr);
    EXPECT_EQ(SizeofResource(m_hModule, nullptr), 0u);
}

TEST_F(ResourcesTest, TheChainTriesTheCurrentHandleThenTheLinksThenTheProgram)
{
    // Nothing linked yet: the program's own strings, and nothing else.
    EXPECT_EQ(CString(MAKEINTRESOURCEW(200)), L"Shared text in the program");
    EXPECT_TRUE(CString(MAKEINTRESOURCEW(100)).IsEmpty());

    AFX_EXTENSION_MODULE module;
    ASSERT_TRUE(AfxInitExtensionModule(module, m_hModule));
    new CDynLinkLibrary(module);
    EXPECT_EQ(AfxGetExtensionModuleCount(), m_nLinksBefore + 1);
    CString text;
    EXPECT_TRUE(text.LoadString(100));
    EXPECT_EQ(text, L"Hello from the module");
    // By default the current resource handle is the program, asked first.
    EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
    EXPECT_EQ(AfxFindStringResourceHandle(200), AfxGetInstanceHandle());
    EXPECT_EQ(CString(MAKEINTRESOURCEW(200)), L"Shared text in the program");
    EXPECT_EQ(AfxFindStringResourceHandle(100), m_hModule);

    // Made current, the module is asked before the program.
    AfxSetResourceHandle(m_hModule);
    EXPECT_EQ(AfxGetResourceHandle(), m_hModule);
    EXPECT_EQ(CString(MAKEINTRESOURCEW(200)), L"Shared text in the module");
    EXPECT_EQ(AfxFindStringResourceHandle(201), AfxGetInstanceHandle());
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEW(15107), RT_DIALOG), m_hModule);
    // Not found anywhere: the current handle is the answer.
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEW(1), RT_DIALOG), m_hModule);
    AfxSetResourceHandle(nullptr);

    AfxTermExtensionModule(module);
    EXPECT_EQ(AfxGetExtensionModuleCount(), m_nLinksBefore);
    EXPECT_TRUE(CString(MAKEINTRESOURCEW(100)).IsEmpty());
    EXPECT_FALSE(module.bInitialized);
}

TEST_F(ResourcesTest, AnExtensionModuleNeedsAHandleAndAFreedModuleHasNoResources)
{
    AFX_EXTENSION_MODULE module;
    EXPECT_FALSE(AfxInitExtensionModule(module, nullptr));
    EXPECT_FALSE(module.bInitialized);

    // A link deleted directly leaves the chain too.
    auto* link = new CDynLinkLibrary(m_hModule, m_hModule);
    EXPECT_EQ(AfxGetExtensionModuleCount(), m_nLinksBefore + 1);
    delete link;
    EXPECT_EQ(AfxGetExtensionModuleCount(), m_nLinksBefore);

    wchar_t buffer[64];
    EXPECT_EQ(LoadStringW(m_hModule, 100, buffer, 64), 21);
    ASSERT_TRUE(FreeLibrary(m_hModule));
    const HMODULE hFreed = m_hModule;
    m_hModule = nullptr;
    EXPECT_EQ(LoadStringW(hFreed, 100, buffer, 64), 0);
    EXPECT_EQ(FindResourceW(hFreed, MAKEINTRESOURCEW(15107), RT_DIALOG), nullptr);
}
