#include "Registry.h"

#include "LastError.h"
#include "SettingsStore.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
const wchar_t kDebugKey[] = L"Software\\Tavor\\Pixmill\\X15\\Debug";

LPBYTE Bytes(void* p)
{
    return static_cast<LPBYTE>(p);
}
const BYTE* Bytes(const void* p)
{
    return static_cast<const BYTE*>(p);
}

DWORD StringBytes(const wchar_t* text)
{
    return static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t));
}
} // namespace

// Each case runs on its own empty in-memory store.
class Registry : public testing::Test
{
protected:
    void SetUp() override { m_previous = SetProcessSettingsStore(m_store); }
    void TearDown() override { SetProcessSettingsStore(m_previous); }

    HKEY Create(HKEY parent, const wchar_t* subKey, REGSAM sam = KEY_ALL_ACCESS)
    {
        HKEY h = nullptr;
        EXPECT_EQ(
            RegCreateKeyExW(parent, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, sam, nullptr, &h, nullptr),
            ERROR_SUCCESS);
        return h;
    }

    std::shared_ptr<CSettingsStore> m_store = std::make_shared<CSettingsStore>();
    std::shared_ptr<CSettingsStore> m_previous;
};

TEST_F(Registry, DiagnosticSwitchIsReadFromTheSettingsStore)
{
    HKEY h = reinterpret_cast<HKEY>(0x1);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kDebugKey, 0, KEY_READ, &h), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(h, nullptr);

    // The host's settings and the registry are one store.
    GetProcessSettingsStore().SetDword(kDebugKey, L"Enable", 1);
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kDebugKey, 0, KEY_READ, &h), ERROR_SUCCESS);
    DWORD dwType = REG_NONE;
    DWORD dwValue = 0;
    DWORD cbData = sizeof dwValue;
    EXPECT_EQ(RegQueryValueExW(h, L"Enable", nullptr, &dwType, Bytes(&dwValue), &cbData), ERROR_SUCCESS);
    EXPECT_EQ(dwType, REG_DWORD);
    EXPECT_EQ(dwValue, 1u);
    EXPECT_EQ(cbData, 4u);
    EXPECT_EQ(RegCloseKey(h), ERROR_SUCCESS);

    // And the other way round, with the path spelt in another case.
    HKEY hWrite = Create(HKEY_CURRENT_USER, L"SOFTWARE\\tavor\\PIXMILL\\x15\\debug");
    const DWORD dwOff = 0;
    EXPECT_EQ(RegSetValueExW(hWrite, L"enable", 0, REG_DWORD, Bytes(&dwOff), sizeof dwOff), ERROR_SUCCESS);
    RegCloseKey(hWrite);
    EXPECT_EQ(m_store->GetDword(kDebugKey, L"Enable", 7), 0u);
    EXPECT_EQ(m_store->GetValueNames(kDebugKey), std::vector<std::wstring>{L"Enable"});
}

TEST_F(Registry, StringsFollowTheSizeProtocol)
{
    m_store->SetString(L"K", L"Name", L"Pixmill");
    m_store->SetString(L"K", L"Empty", L"");
    HKEY h = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"K", 0, KEY_QUERY_VALUE, &h), ERROR_SUCCESS);

    // Seven characters and the NUL, four bytes each.
    DWORD dwType = REG_NONE;
    DWORD cbData = 0;
    EXPECT_EQ(RegQueryValueExW(h, L"Name", nullptr, &dwType, nullptr, &cbData), ERROR_SUCCESS);
    EXPECT_EQ(dwType, REG_SZ);
    EXPECT_EQ(cbData, 32u);

    wchar_t buffer[16];
    std::wmemset(buffer, L'#', 16);
    cbData = 31;
    EXPECT_EQ(RegQueryValueExW(h, L"Name", nullptr, &dwType, Bytes(buffer), &cbData), ERROR_MORE_DATA);
    EXPECT_EQ(cbData, 32u);
    EXPECT_EQ(buffer[0], L'#'); // nothing copied

    cbData = sizeof buffer;
    EXPECT_EQ(RegQueryValueExW(h, L"Name", nullptr, &dwType, Bytes(buffer), &cbData), ERROR_SUCCESS);
    EXPECT_EQ(cbData, 32u);
    EXPECT_STREQ(buffer, L"Pixmill");
    EXPECT_EQ(buffer[8], L'#');

    cbData = sizeof buffer;
    EXPECT_EQ(RegQueryValueExW(h, L"Empty", nullptr, &dwType, Bytes(buffer), &cbData), ERROR_SUCCESS);
    EXPECT_EQ(cbData, sizeof(wchar_t));
    EXPECT_EQ(buffer[0], L'\0');
    RegCloseKey(h);
}

TEST_F(Registry, AValueOfAnotherTypeIsReportedWithItsRealType)
{
    m_store->SetString(L"K", L"Text", L"1");
    m_store->SetValue(L"K", L"Bytes", CSettingValue::FromBinary({0x01, 0x02, 0x03, 0x04}));
    m_store->SetValue(L"K", L"Wide", CSettingValue::FromQword(0x0102030405060708ull));
    HKEY h = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"K", 0, KEY_READ, &h), ERROR_SUCCESS);

    DWORD dwType = REG_NONE;
    DWORD dwValue = 0xCCCCCCCCu;
    DWORD cbData = sizeof dwValue;
    EXPECT_EQ(RegQueryValueExW(h, L"Text", nullptr, &dwType, Bytes(&dwValue), &cbData), ERROR_MORE_DATA);
    EXPECT_EQ(dwType, REG_SZ);
    EXPECT_EQ(cbData, 8u); // "1" and its NUL
    EXPECT_EQ(dwValue, 0xCCCCCCCCu);

    cbData = sizeof dwValue;
    EXPECT_EQ(RegQueryValueExW(h, L"Bytes", nullptr, &dwType, Bytes(&dwValue), &cbData), ERROR_SUCCESS);
    EXPECT_EQ(dwType, REG_BINARY);
    EXPECT_EQ(dwValue, 0x04030201u); // the bytes as they are, read little-endian

    cbData = sizeof dwValue;
    EXPECT_EQ(RegQueryValueExW(h, L"Wide", nullptr, &dwType, Bytes(&dwValue), &cbData), ERROR_MORE_DATA);
    EXPECT_EQ(dwType, REG_QWORD);
    EXPECT_EQ(cbData, 8u);
    QWORD qwValue = 0;
    cbData = sizeof qwValue;
    EXPECT_EQ(RegQueryValueExW(h, L"Wide", nullptr, &dwType, Bytes(&qwValue), &cbData), ERROR_SUCCESS);
    EXPECT_EQ(qwValue, 0x0102030405060708ull);
    RegCloseKey(h);
}

TEST_F(Registry, QueryArgumentsAreChecked)
{
    m_store->SetDword(L"K", L"v", 3);
    m_store->SetString(L"K", L"", L"default");
    HKEY h = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"K", 0, KEY_READ, &h), ERROR_SUCCESS);
    DWORD dwType = REG_NONE;
    DWORD dwValue = 0;
    DWORD cbData = 4;
    DWORD dwReserved = 0;
    EXPECT_EQ(RegQueryValueExW(h, L"v", nullptr, &dwType, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(dwType, REG_DWORD);
    EXPECT_EQ(RegQueryValueExW(h, L"v", nullptr, nullptr, Bytes(&dwValue), nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExW(h, L"v", &dwReserved, nullptr, Bytes(&dwValue), &cbData),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExW(h, L"missing", nullptr, &dwType, Bytes(&dwValue), &cbData),
              ERROR_FILE_NOT_FOUND);
    // Null and "" both name the default value.
    cbData = 0;
    EXPECT_EQ(RegQueryValueExW(h, nullptr, nullptr, &dwType, nullptr, &cbData), ERROR_SUCCESS);
    EXPECT_EQ(cbData, StringBytes(L"default"));
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"K", 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
    RegCloseKey(h);
}

TEST_F(Registry, SetValueStoresEachTypeFaithfully)
{
    HKEY h = Create(HKEY_CURRENT_USER, L"K");
    const BYTE dword[] = {0x78, 0x56, 0x34, 0x12};
    const BYTE qword[] = {1, 2, 3, 4, 5, 6, 7, 8};
    const wchar_t withNul[] = L"abc";
    const wchar_t withoutNul[] = {L'x', L'y'};
    const BYTE blob[] = {0, 0xFF};
    EXPECT_EQ(RegSetValueExW(h, L"d", 0, REG_DWORD, dword, 4), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(h, L"q", 0, REG_QWORD, qword, 8), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(h, L"s", 0, REG_SZ, Bytes(withNul), sizeof withNul), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(h, L"t", 0, REG_SZ, Bytes(withoutNul), sizeof withoutNul), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(h, L"b", 0, REG_BINARY, blob, 2), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(h, L"none", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);

    EXPECT_EQ(m_store->GetDword(L"K", L"d", 0), 0x12345678u);
    EXPECT_EQ(m_store->GetValue(L"K", L"q")->GetQword(), 0x0807060504030201ull);
    EXPECT_EQ(m_store->GetString(L"K", L"s", L"-"), L"abc");
    EXPECT_EQ(m_store->GetString(L"K", L"t", L"-"), L"xy");
    EXPECT_EQ(m_store->GetValue(L"K", L"b")->GetBinary(), (std::vector<BYTE>{0, 0xFF}));
    EXPECT_TRUE(m_store->GetValue(L"K", L"none")->GetBinary().empty());

    // A string read back always ends in exactly one NUL.
    wchar_t buffer[8];
    DWORD cbData = sizeof buffer;
    EXPECT_EQ(RegQueryValueExW(h, L"t", nullptr, nullptr, Bytes(buffer), &cbData), ERROR_SUCCESS);
    EXPECT_EQ(cbData, 3 * sizeof(wchar_t));
    EXPECT_STREQ(buffer, L"xy");

    EXPECT_EQ(RegSetValueExW(h, L"bad", 0, REG_DWORD, dword, 3), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExW(h, L"bad", 0, REG_QWORD, qword, 4), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExW(h, L"bad", 0, REG_SZ, Bytes(withNul), 6), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExW(h, L"bad", 0, REG_MULTI_SZ, Bytes(withNul), sizeof withNul),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExW(h, L"bad", 0, REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(m_store->GetValue(L"K", L"bad").has_value());
    RegCloseKey(h);
}

TEST_F(Registry, CreateReportsWhetherTheKeyIsNew)
{
    HKEY h = nullptr;
    DWORD dwDisposition = 0;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Tavor", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &h, &dwDisposition),
              ERROR_SUCCESS);
    EXPECT_EQ(dwDisposition, REG_CREATED_NEW_KEY);
    EXPECT_TRUE(m_store->KeyExists(L"Software"));

    HKEY hAgain = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"software\\TAVOR", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &hAgain, &dwDisposition),
              ERROR_SUCCESS);
    EXPECT_EQ(dwDisposition, REG_OPENED_EXISTING_KEY);
    EXPECT_NE(hAgain, h);

    // Relative to an open key.
    HKEY hChild = nullptr;
    ASSERT_EQ(RegCreateKeyExW(h, L"Pixmill", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hChild, &dwDisposition),
              ERROR_SUCCESS);
    EXPECT_EQ(dwDisposition, REG_CREATED_NEW_KEY);
    EXPECT_EQ(m_store->GetSubkeyNames(L"SOFTWARE\\TAVOR"), std::vector<std::wstring>{L"Pixmill"});

    EXPECT_EQ(RegCreateKeyExW(h, nullptr, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hChild, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCreateKeyExW(h, std::wstring(300, L'n').c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &hChild, nullptr),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(hChild);
    RegCloseKey(hAgain);
    RegCloseKey(h);
}

TEST_F(Registry, ClosedAndForeignHandlesAreRefused)
{
    HKEY h = Create(HKEY_CURRENT_USER, L"K");
    ASSERT_EQ(RegCloseKey(h), ERROR_SUCCESS);
    const DWORD dwValue = 1;
    DWORD cbData = 4;
    HKEY hChild = nullptr;
    EXPECT_EQ(RegCloseKey(h), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetValueExW(h, L"v", 0, REG_DWORD, Bytes(&dwValue), 4), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueExW(h, L"v", nullptr, nullptr, nullptr, &cbData), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyExW(h, nullptr, 0, KEY_READ, &hChild), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CLASSES_ROOT), ERROR_INVALID_HANDLE);
    // Predefined keys may be "closed" harmlessly.
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);

    // Key handles and kernel handles live in separate tables.
    HKEY hOpen = Create(HKEY_CURRENT_USER, L"K");
    EXPECT_FALSE(CloseHandle(reinterpret_cast<HANDLE>(hOpen)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(RegCloseKey(hOpen), ERROR_SUCCESS);
}

TEST_F(Registry, AHandleToADeletedKeyDoesNotBringItBack)
{
    HKEY h = Create(HKEY_CURRENT_USER, L"A\\B");
    EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, L"A"), ERROR_SUCCESS);
    const DWORD dwValue = 1;
    DWORD cbData = 4;
    EXPECT_EQ(RegSetValueExW(h, L"v", 0, REG_DWORD, Bytes(&dwValue), 4), ERROR_KEY_DELETED);
    EXPECT_EQ(RegQueryValueExW(h, L"v", nullptr, nullptr, nullptr, &cbData), ERROR_KEY_DELETED);
    EXPECT_FALSE(m_store->KeyExists(L"A"));
    EXPECT_EQ(RegCloseKey(h), ERROR_SUCCESS);
}

TEST_F(Registry, DeletingKeysAndValues)
{
    m_store->SetDword(L"A\\B\\C", L"v", 1);
    m_store->SetDword(L"A", L"w", 2);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L"A\\B"), ERROR_ACCESS_DENIED); // it has a subkey
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L"a\\b\\c"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L"A\\B\\C"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L""), ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(m_store->KeyExists(L"A\\B"));

    HKEY h = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"A", 0, KEY_ALL_ACCESS, &h), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(h, L"W"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(h, L"w"), ERROR_FILE_NOT_FOUND);
    m_store->SetDword(L"A", L"x", 3);
    EXPECT_EQ(RegDeleteTreeW(h, nullptr), ERROR_SUCCESS); // empties A, keeps it
    EXPECT_TRUE(m_store->KeyExists(L"A"));
    EXPECT_TRUE(m_store->GetSubkeyNames(L"A").empty());
    EXPECT_TRUE(m_store->GetValueNames(L"A").empty());
    EXPECT_EQ(RegDeleteTreeW(h, L"Missing"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(h);
}

TEST_F(Registry, HandleRightsAreEnforced)
{
    m_store->SetDword(L"K\\Existing", L"v", 1);
    const DWORD dwValue = 2;
    DWORD cbData = 4;
    HKEY hRead = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"K", 0, KEY_READ, &hRead), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(hRead, L"v", 0, REG_DWORD, Bytes(&dwValue), 4), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueW(hRead, L"v"), ERROR_ACCESS_DENIED);
    HKEY hChild = nullptr;
    EXPECT_EQ(RegCreateKeyExW(hRead, L"New", 0, nullptr, 0, KEY_READ, nullptr, &hChild, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_FALSE(m_store->KeyExists(L"K\\New"));
    // Opening an existing subkey needs no right to create.
    ASSERT_EQ(RegCreateKeyExW(hRead, L"Existing", 0, nullptr, 0, KEY_QUERY_VALUE, nullptr, &hChild, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(hChild, L"v", nullptr, nullptr, nullptr, &cbData), ERROR_SUCCESS);
    RegCloseKey(hChild);

    HKEY hWrite = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"K\\Existing", 0, KEY_SET_VALUE, &hWrite), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(hWrite, L"v", nullptr, nullptr, nullptr, &cbData), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegSetValueExW(hWrite, L"v", 0, REG_DWORD, Bytes(&dwValue), 4), ERROR_SUCCESS);
    wchar_t name[8];
    DWORD cchName = 8;
    EXPECT_EQ(RegEnumKeyExW(hWrite, 0, name, &cchName, nullptr, nullptr, nullptr, nullptr),
              ERROR_ACCESS_DENIED);
    RegCloseKey(hWrite);
    RegCloseKey(hRead);
    EXPECT_EQ(m_store->GetDword(L"K\\Existing", L"v", 0), 2u);
}

TEST_F(Registry, TheMachineHiveIsReadOnlyAndEmpty)
{
    HKEY h = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_READ, &h), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Tavor", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &h, nullptr),
              ERROR_ACCESS_DENIED);
    const DWORD dwValue = 1;
    EXPECT_EQ(RegSetValueExW(HKEY_LOCAL_MACHINE, L"v", 0, REG_DWORD, Bytes(&dwValue), 4),
              ERROR_ACCESS_DENIED);
    DWORD cbData = 4;
    EXPECT_EQ(RegQueryValueExW(HKEY_LOCAL_MACHINE, L"v", nullptr, nullptr, nullptr, &cbData),
              ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(m_store->GetSubkeyNames(L"").empty());
    EXPECT_TRUE(m_store->GetValueNames(L"").empty());
}

TEST_F(Registry, EnumerationListsNamesInCaseBlindOrder)
{
    m_store->CreateKey(L"K\\Beta");
    m_store->CreateKey(L"K\\alpha");
    m_store->CreateKey(L"K\\Gamma");
    m_store->SetDword(L"K", L"Width", 640);
    m_store->SetString(L"K", L"Label", L"hi");
    HKEY h = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"K", 0, KEY_READ, &h), ERROR_SUCCESS);

    std::vector<std::wstring> keys;
    wchar_t name[32];
    DWORD cchName = 32;
    for (DWORD i = 0; (cchName = 32, RegEnumKeyExW(h, i, name, &cchName, nullptr, nullptr, nullptr,
                                                   nullptr)) == ERROR_SUCCESS;
         ++i)
    {
        EXPECT_EQ(cchName, std::wcslen(name));
        keys.push_back(name);
    }
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"alpha", L"Beta", L"Gamma"}));
    cchName = 5; // "alpha" needs six with its NUL
    EXPECT_EQ(RegEnumKeyExW(h, 0, name, &cchName, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    cchName = 32;
    EXPECT_EQ(RegEnumKeyExW(h, 3, name, &cchName, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);

    DWORD dwType = REG_NONE;
    BYTE data[64];
    DWORD cbData = sizeof data;
    cchName = 32;
    ASSERT_EQ(RegEnumValueW(h, 0, name, &cchName, nullptr, &dwType, data, &cbData), ERROR_SUCCESS);
    EXPECT_STREQ(name, L"Label");
    EXPECT_EQ(dwType, REG_SZ);
    EXPECT_EQ(cbData, StringBytes(L"hi"));
    cchName = 32;
    cbData = sizeof data;
    ASSERT_EQ(RegEnumValueW(h, 1, name, &cchName, nullptr, &dwType, data, &cbData), ERROR_SUCCESS);
    EXPECT_STREQ(name, L"Width");
    EXPECT_EQ(dwType, REG_DWORD);
    DWORD dwWidth = 0;
    std::memcpy(&dwWidth, data, 4);
    EXPECT_EQ(dwWidth, 640u);
    cchName = 32;
    EXPECT_EQ(RegEnumValueW(h, 2, name, &cchName, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    RegCloseKey(h);
}

TEST_F(Registry, OpenKeysFollowTheStoreThatIsInstalled)
{
    HKEY h = Create(HKEY_CURRENT_USER, L"K");
    auto other = std::make_shared<CSettingsStore>();
    other->SetDword(L"k", L"v", 5);
    SetProcessSettingsStore(other);
    DWORD dwValue = 0;
    DWORD cbData = 4;
    EXPECT_EQ(RegQueryValueExW(h, L"v", nullptr, nullptr, Bytes(&dwValue), &cbData), ERROR_SUCCESS);
    EXPECT_EQ(dwValue, 5u);
    SetProcessSettingsStore(m_store);
    RegCloseKey(h);
}
