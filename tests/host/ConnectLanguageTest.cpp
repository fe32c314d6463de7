#include "ConnectLanguage.h"

#include "Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// What the test callbacks were told, and the path the service gave while
// telling them (a callback asks for it, as a module does).
std::vector<std::wstring> g_calls;
std::vector<std::wstring> g_paths;

void FirstCallback(CString strLanguage)
{
    g_calls.push_back(L"first " + std::wstring(strLanguage));
    g_paths.push_back(std::wstring(CConnectLanguage::Instance()->GetPath()));
}

void SecondCallback(CString strLanguage)
{
    g_calls.push_back(L"second " + std::wstring(strLanguage));
}

// Records a module from inside the callback, which takes the service's lock.
void RecordingCallback(CString)
{
    CConnectLanguage::Instance()->AddModuleInfo(L"/m/self.so", L"", 1, nullptr, true);
}

class ConnectLanguageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CConnectLanguage* pService = CConnectLanguage::Instance();
        m_strRoot = pService->GetLanguageRoot();
        m_strLanguage = pService->GetUserLanguage();
        pService->ClearModuleInfo();
        g_calls.clear();
        g_paths.clear();
    }
    void TearDown() override
    {
        CConnectLanguage* pService = CConnectLanguage::Instance();
        pService->RemoveCB(L"First");
        pService->RemoveCB(L"Second");
        pService->RemoveCB(L"Recording");
        pService->SetLanguageRoot(m_strRoot);
        pService->SetUserLanguage(m_strLanguage);
        pService->ClearModuleInfo();
    }

    CString m_strRoot;
    CString m_strLanguage;
};
} // namespace

TEST_F(ConnectLanguageTest, DefaultsToEnglishBesideThePlatformLibrary)
{
    CConnectLanguage* pService = CConnectLanguage::Instance();
    EXPECT_EQ(std::wstring(pService->GetLanguageRoot()), Utf8ToWide(TEST_PLATFORM_FOLDER));
    EXPECT_EQ(std::wstring(pService->GetUserLanguage()), L"EN");
    EXPECT_EQ(std::wstring(pService->GetPath()), Utf8ToWide(TEST_PLATFORM_FOLDER) + L"EN");
}

TEST_F(ConnectLanguageTest, PathsFollowRootAndLanguage)
{
    CConnectLanguage* pService = CConnectLanguage::Instance();
    pService->SetLanguageRoot(L"/opt/lang");
    EXPECT_EQ(std::wstring(pService->GetLanguageRoot()), L"/opt/lang/");
    pService->SetUserLanguage(L"DE");
    EXPECT_EQ(std::wstring(pService->GetPath()), L"/opt/lang/DE");
    EXPECT_EQ(std::wstring(pService->GetAltPath()), L"/opt/lang/EN");
    EXPECT_EQ(std::wstring(pService->GetUserLanguage()), L"DE");

    // No language: no path, but the default language stays the fallback.
    pService->SetUserLanguage(L"");
    EXPECT_TRUE(pService->GetPath().IsEmpty());
    EXPECT_EQ(std::wstring(pService->GetAltPath()), L"/opt/lang/EN");
    pService->SetUserLanguage(nullptr);
    EXPECT_TRUE(pService->GetPath().IsEmpty());

    // A root given with its slash keeps just the one.
    pService->SetLanguageRoot(L"/srv/");
    pService->SetUserLanguage(L"FR");
    EXPECT_EQ(std::wstring(pService->GetPath()), L"/srv/FR");
}

TEST_F(ConnectLanguageTest, CallbacksAreToldAtOnceAndOnEveryChange)
{
    CConnectLanguage* pService = CConnectLanguage::Instance();
    pService->SetLanguageRoot(L"/l");
    pService->SetUserLanguage(L"IT");
    ASSERT_TRUE(g_calls.empty());

    pService->StoreCB(L"First", &FirstCallback);
    ASSERT_EQ(g_calls, (std::vector<std::wstring>{L"first IT"}));
    EXPECT_EQ(g_paths, (std::vector<std::wstring>{L"/l/IT"}));
    EXPECT_TRUE(pService->HasCB(L"First"));
    EXPECT_FALSE(pService->HasCB(L"Second"));

    pService->StoreCB(L"Second", &SecondCallback);
    pService->SetUserLanguage(L"NL");
    EXPECT_EQ(g_calls, (std::vector<std::wstring>{L"first IT", L"second IT", L"first NL", L"second NL"}));
    EXPECT_EQ(g_paths.back(), L"/l/NL");

    // The same module name replaces its callback rather than adding one.
    g_calls.clear();
    pService->StoreCB(L"First", &SecondCallback);
    pService->SetUserLanguage(L"PL");
    EXPECT_EQ(g_calls, (std::vector<std::wstring>{L"second NL", L"second PL", L"second PL"}));

    // A removed module is not called again.
    g_calls.clear();
    pService->RemoveCB(L"First");
    pService->RemoveCB(L"Second");
    EXPECT_FALSE(pService->HasCB(L"First"));
    pService->SetUserLanguage(L"SV");
    EXPECT_TRUE(g_calls.empty());

    // A null callback is not stored.
    pService->StoreCB(L"First", nullptr);
    EXPECT_FALSE(pService->HasCB(L"First"));
}

TEST_F(ConnectLanguageTest, ModuleRecordsAreKeptInOrderAndFoundByPath)
{
    CConnectLanguage* pService = CConnectLanguage::Instance();
    const auto hFirst = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x1000));
    const auto hSecond = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x2000));
    pService->AddModuleInfo(L"/m/a.so", L"/l/EN\\aRC.DLL", 1, hFirst, true);
    pService->AddModuleInfo(L"/m/b.so", nullptr, 7, nullptr, false);
    pService->AddModuleInfo(L"/m/a.so", L"/l/DE\\aRC.DLL", 1, hSecond, true);
    ASSERT_EQ(pService->GetModuleInfoCount(), 3);

    SLanguageModuleInfo info;
    ASSERT_TRUE(pService->GetModuleInfo(1, info));
    EXPECT_EQ(std::wstring(info.strModulePath), L"/m/b.so");
    EXPECT_TRUE(info.strResourcePath.IsEmpty());
    EXPECT_EQ(info.nValue, 7);
    EXPECT_EQ(info.hResource, nullptr);
    EXPECT_FALSE(info.bFlag);

    // The latest record of a module wins.
    ASSERT_TRUE(pService->FindModuleInfo(L"/m/a.so", info));
    EXPECT_EQ(std::wstring(info.strResourcePath), L"/l/DE\\aRC.DLL");
    EXPECT_EQ(info.hResource, hSecond);
    EXPECT_FALSE(pService->FindModuleInfo(L"/m/c.so", info));

    EXPECT_FALSE(pService->GetModuleInfo(3, info));
    EXPECT_FALSE(pService->GetModuleInfo(-1, info));
    pService->ClearModuleInfo();
    EXPECT_EQ(pService->GetModuleInfoCount(), 0);
}

TEST_F(ConnectLanguageTest, ACallbackMayRecordItsModule)
{
    CConnectLanguage* pService = CConnectLanguage::Instance();
    pService->StoreCB(L"Recording", &RecordingCallback);
    pService->SetUserLanguage(L"EN");
    EXPECT_EQ(pService->GetModuleInfoCount(), 2);
}
