#include "SettingsStore.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <limits>
#include <thread>

using json = nlohmann::json;

namespace
{
using Names = std::vector<std::wstring>;
}

TEST(SettingsStore, KeyNamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    CSettingsStore store;
    bool bCreated = false;
    ASSERT_TRUE(store.CreateKey(L"Software\\Tavor", &bCreated));
    EXPECT_TRUE(bCreated);
    ASSERT_TRUE(store.CreateKey(L"SOFTWARE\\tavor\\Pixmill", &bCreated));
    EXPECT_TRUE(bCreated);
    ASSERT_TRUE(store.CreateKey(L"software\\TAVOR", &bCreated));
    EXPECT_FALSE(bCreated);

    EXPECT_EQ(store.GetSubkeyNames(L""), Names{L"Software"});
    EXPECT_EQ(store.GetSubkeyNames(L"sOfTwArE"), Names{L"Tavor"});
    EXPECT_EQ(store.GetSubkeyNames(L"Software\\Tavor"), Names{L"Pixmill"});
    // Doubled and trailing separators name the same key.
    EXPECT_TRUE(store.KeyExists(L"Software\\\\Tavor\\"));

    // Value names too: the second write changes the value, not the name.
    store.SetDword(L"Software\\Tavor", L"Enable", 1);
    store.SetDword(L"SOFTWARE\\TAVOR", L"ENABLE", 2);
    EXPECT_EQ(store.GetValueNames(L"software\\tavor"), Names{L"Enable"});
    EXPECT_EQ(store.GetDword(L"Software\\Tavor", L"enable", 0), 2u);
}

TEST(SettingsStore, CaseFoldingCoversLettersBeyondAscii)
{
    CSettingsStore store;
    store.SetString(L"\u00c9clair\u0416", L"\u0393", L"x"); // "Éclair" + Cyrillic Zhe, Greek Gamma
    EXPECT_TRUE(store.KeyExists(L"\u00e9CLAIR\u0436"));
    EXPECT_EQ(store.GetString(L"\u00e9clair\u0436", L"\u03b3", L""), L"x");
    EXPECT_EQ(store.GetSubkeyNames(L""), Names{L"\u00c9clair\u0416"});
}

TEST(SettingsStore, ValuesKeepTheirTypes)
{
    CSettingsStore store;
    const std::vector<BYTE> bytes{0x00, 0xFF, 0x7A};
    store.SetDword(L"K", L"d", 0xFFFFFFFFu);
    store.SetValue(L"K", L"q", CSettingValue::FromQword(0x123456789ABCDEF0ull));
    store.SetString(L"K", L"s", L"text");
    store.SetValue(L"K", L"b", CSettingValue::FromBinary(bytes));
    store.SetString(L"K", L"", L"default value");

    EXPECT_EQ(store.GetValue(L"K", L"d")->GetType(), ESettingType::Dword);
    EXPECT_EQ(store.GetValue(L"K", L"q")->GetQword(), 0x123456789ABCDEF0ull);
    EXPECT_EQ(store.GetValue(L"K", L"b")->GetBinary(), bytes);
    EXPECT_EQ(store.GetString(L"K", L"", L"-"), L"default value");
    // A value of another type reads as the default.
    EXPECT_EQ(store.GetDword(L"K", L"s", 42), 42u);
    EXPECT_EQ(store.GetDword(L"K", L"q", 42), 42u);
    EXPECT_EQ(store.GetString(L"K", L"d", L"none"), L"none");
    EXPECT_EQ(store.GetDword(L"Missing", L"d", 5), 5u);
    EXPECT_FALSE(store.GetValue(L"K", L"missing").has_value());

    // Writing another type replaces the value and its type.
    store.SetString(L"K", L"d", L"now a string");
    EXPECT_EQ(store.GetValue(L"K", L"d")->GetType(), ESettingType::String);
    EXPECT_TRUE(store.DeleteValue(L"K", L"D"));
    EXPECT_FALSE(store.DeleteValue(L"K", L"d"));
    EXPECT_FALSE(store.DeleteValue(L"Missing", L"d"));
    EXPECT_EQ(store.GetValueNames(L"K"), (Names{L"", L"b", L"q", L"s"}));
}

TEST(SettingsStore, SetValueCanRefuseToCreateTheKey)
{
    CSettingsStore store;
    EXPECT_FALSE(store.SetValue(L"A\\B", L"v", CSettingValue::FromDword(1), false));
    EXPECT_FALSE(store.KeyExists(L"A"));
    EXPECT_TRUE(store.SetValue(L"A\\B", L"v", CSettingValue::FromDword(1)));
    EXPECT_TRUE(store.KeyExists(L"A\\B"));
}

TEST(SettingsStore, DeletingAKeyTakesEverythingUnderIt)
{
    CSettingsStore store;
    store.SetDword(L"A\\B\\C", L"x", 1);
    store.SetDword(L"A\\B", L"y", 2);
    store.SetDword(L"A\\Other", L"z", 3);
    EXPECT_FALSE(store.DeleteKey(L""));
    EXPECT_FALSE(store.DeleteKey(L"A\\Missing"));
    EXPECT_TRUE(store.DeleteKey(L"a\\b"));
    EXPECT_FALSE(store.KeyExists(L"A\\B\\C"));
    EXPECT_FALSE(store.GetValue(L"A\\B\\C", L"x").has_value());
    EXPECT_EQ(store.GetSubkeyNames(L"A"), Names{L"Other"});

    EXPECT_TRUE(store.ClearKey(L"A"));
    EXPECT_TRUE(store.KeyExists(L"A"));
    EXPECT_TRUE(store.GetSubkeyNames(L"A").empty());
    EXPECT_FALSE(store.ClearKey(L"Missing"));
}

TEST(SettingsStore, KeysObeyTheRegistryLimits)
{
    CSettingsStore store;
    std::wstring deepest;
    for (std::size_t i = 0; i < CSettingsStore::kMaxKeyDepth; ++i)
    {
        deepest += L"k\\";
    }
    EXPECT_TRUE(store.CreateKey(deepest));
    EXPECT_FALSE(store.CreateKey(deepest + L"one-more"));
    EXPECT_FALSE(store.SetDword(deepest + L"one-more", L"v", 1));
    EXPECT_TRUE(store.CreateKey(std::wstring(255, L'n')));
    EXPECT_FALSE(store.CreateKey(std::wstring(256, L'n')));
    // The deepest tree still exports and imports.
    CSettingsStore copy;
    EXPECT_TRUE(copy.ImportJson(store.ExportJson()));
    EXPECT_TRUE(copy.KeyExists(deepest));
}

TEST(SettingsStore, OnlyRealChangesMakeTheStoreDirty)
{
    CSettingsStore store;
    EXPECT_FALSE(store.IsDirty());
    store.SetDword(L"K", L"v", 1);
    EXPECT_TRUE(store.IsDirty());
    EXPECT_TRUE(store.Save()); // nothing to write in memory
    EXPECT_FALSE(store.IsDirty());
    store.SetDword(L"k", L"V", 1);
    store.CreateKey(L"K");
    EXPECT_FALSE(store.IsDirty());
    store.DeleteValue(L"K", L"missing");
    EXPECT_FALSE(store.IsDirty());
    store.SetDword(L"K", L"v", 2);
    EXPECT_TRUE(store.IsDirty());
}

TEST(SettingsStoreJson, ExportHasTheDocumentedShape)
{
    CSettingsStore store;
    store.SetDword(L"Software\\Tavor", L"Count", 7);
    store.SetString(L"Software\\Tavor", L"Name", L"Pixmill \u00e9");
    store.SetValue(L"Software\\Tavor", L"Blob", CSettingValue::FromBinary({0x00, 0xFF, 0x7A}));
    store.SetValue(L"Software\\Tavor", L"Big", CSettingValue::FromQword(1099511627776ull)); // 2^40
    // A subkey and a value may share a name; JSON members may not.
    store.CreateKey(L"Software\\Tavor\\Enable");
    store.SetDword(L"Software\\Tavor", L"Enable", 1);

    const json expected = json::parse(R"json({"Software": {"Tavor": {
        "Big": ["qword", 1099511627776],
        "Blob": ["binary", "00ff7a"],
        "Count": 7,
        "Enable": {},
        "Enable (value)": ["dword", 1, "Enable"],
        "Name": "Pixmill \u00e9"}}})json");
    EXPECT_EQ(store.ExportJson(), expected);
}

TEST(SettingsStoreJson, RoundTripKeepsEveryKeyValueAndType)
{
    CSettingsStore store;
    store.SetDword(L"A", L"max", 0xFFFFFFFFu);
    store.SetDword(L"A", L"zero", 0);
    store.SetValue(L"A", L"qmax", CSettingValue::FromQword(std::numeric_limits<QWORD>::max()));
    store.SetValue(L"A", L"small q", CSettingValue::FromQword(5));
    store.SetValue(L"A", L"empty bytes", CSettingValue::FromBinary({}));
    store.SetString(L"A", L"", L"default");
    store.SetString(L"A", L"quotes", L"\"\\\n\t\u4e2d\U0001F600");
    store.SetString(L"A", L"with\\backslash", L"v");
    store.CreateKey(L"A\\Empty");
    store.CreateKey(L"A\\Twin");
    store.SetString(L"A", L"Twin", L"value beside a key");
    store.SetString(L"A", L"Twin (value)", L"an unlucky name");
    store.SetDword(L"A\\Twin\\Deeper", L"n", 3);

    CSettingsStore copy;
    std::wstring strError;
    ASSERT_TRUE(copy.ImportJson(store.ExportJson(), &strError)) << json(strError).dump();
    EXPECT_EQ(copy.ExportJson(), store.ExportJson());
    for (const wchar_t* name : {L"max", L"zero", L"qmax", L"small q", L"empty bytes", L"", L"quotes",
                                L"with\\backslash", L"Twin", L"Twin (value)"})
    {
        ASSERT_TRUE(copy.GetValue(L"A", name).has_value()) << json(std::wstring(name)).dump();
        EXPECT_TRUE(*copy.GetValue(L"A", name) == *store.GetValue(L"A", name));
    }
    EXPECT_EQ(copy.GetValue(L"A", L"small q")->GetType(), ESettingType::Qword);
    EXPECT_EQ(copy.GetSubkeyNames(L"A"), (Names{L"Empty", L"Twin"}));
    EXPECT_EQ(copy.GetDword(L"A\\Twin\\Deeper", L"n", 0), 3u);
}

TEST(SettingsStoreJson, HandWrittenFormsAreAccepted)
{
    CSettingsStore store;
    ASSERT_TRUE(store.ImportJson(json::parse(R"({"K": {
        "negative": -1, "min": -2147483648, "typed": ["dword", 9], "text": ["string", "t"],
        "hex": ["binary", "ABcd"], "member": ["dword", 4, "Real Name"], "q": ["qword", 18446744073709551615]}})")));
    EXPECT_EQ(store.GetDword(L"K", L"negative", 0), 0xFFFFFFFFu);
    EXPECT_EQ(store.GetDword(L"K", L"min", 0), 0x80000000u);
    EXPECT_EQ(store.GetDword(L"K", L"typed", 0), 9u);
    EXPECT_EQ(store.GetString(L"K", L"text", L""), L"t");
    EXPECT_EQ(store.GetValue(L"K", L"hex")->GetBinary(), (std::vector<BYTE>{0xAB, 0xCD}));
    EXPECT_EQ(store.GetDword(L"K", L"real name", 0), 4u);
    EXPECT_FALSE(store.GetValue(L"K", L"member").has_value());
    EXPECT_EQ(store.GetValue(L"K", L"q")->GetQword(), std::numeric_limits<QWORD>::max());
}

TEST(SettingsStoreJson, InvalidDocumentsAreRefusedAndLeaveTheStoreAlone)
{
    const char* const documents[] = {
        R"([1, 2])",
        R"(true)",
        R"({"K": {"v": true}})",
        R"({"K": {"v": null}})",
        R"({"K": {"v": 1.5}})",
        R"({"K": {"v": 4294967296}})",
        R"({"K": {"v": -2147483649}})",
        R"({"K": {"v": ["float", 1]}})",
        R"({"K": {"v": ["dword"]}})",
        R"({"K": {"v": ["dword", 1, 2]}})",
        R"({"K": {"v": [1, 1]}})",
        R"({"K": {"v": ["dword", "1"]}})",
        R"({"K": {"v": ["qword", 1.0]}})",
        R"({"K": {"v": ["string", 3]}})",
        R"({"K": {"v": ["binary", "abc"]}})",
        R"({"K": {"v": ["binary", "zz"]}})",
        R"({"K": {"A": {}, "a": {}}})",
        R"({"K": {"x": 1, "X": 2}})",
        R"({"K": {"x": 1, "y": ["dword", 2, "X"]}})",
        R"({"K": {"a\\b": {}}})",
        R"({"K": {"": {}}})",
    };
    for (const char* text : documents)
    {
        CSettingsStore store;
        store.SetDword(L"Kept", L"v", 1);
        std::wstring strError;
        EXPECT_FALSE(store.ImportJson(json::parse(text), &strError)) << text;
        EXPECT_FALSE(strError.empty()) << text;
        EXPECT_EQ(store.GetDword(L"Kept", L"v", 0), 1u) << text;
        EXPECT_FALSE(store.KeyExists(L"K")) << text;
    }
}

TEST(SettingsStoreJson, NestingBeyondTheKeyDepthIsRefused)
{
    json document = json::object();
    for (std::size_t i = 0; i < CSettingsStore::kMaxKeyDepth + 1; ++i)
    {
        document = json{{"k", std::move(document)}};
    }
    CSettingsStore store;
    std::wstring strError;
    EXPECT_FALSE(store.ImportJson(document, &strError));
    EXPECT_NE(strError.find(L"deeper"), std::wstring::npos);
    EXPECT_TRUE(store.ImportJson(document["k"]));
}

TEST(SettingsStore, ConcurrentWritersAllLand)
{
    CSettingsStore store;
    constexpr int kThreads = 6;
    constexpr int kValuesEach = 300;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
    {
        threads.emplace_back(
            [&store, t]
            {
                const std::wstring key = L"Thread" + std::to_wstring(t % 2) + L"\\Sub";
                for (int i = 0; i < kValuesEach; ++i)
                {
                    store.SetDword(key, L"v" + std::to_wstring(t) + L"." + std::to_wstring(i), i);
                    store.GetDword(key, L"v0.0", 0);
                }
            });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    EXPECT_EQ(store.GetValueNames(L"Thread0\\Sub").size() + store.GetValueNames(L"Thread1\\Sub").size(),
              static_cast<std::size_t>(kThreads * kValuesEach));
    EXPECT_EQ(store.GetDword(L"Thread1\\Sub", L"v5.299", 0), 299u);
}

TEST(SettingsStore, ProcessStoreCanBeReplaced)
{
    std::shared_ptr<CSettingsStore> mine = std::make_shared<CSettingsStore>();
    mine->SetDword(L"K", L"v", 11);
    std::shared_ptr<CSettingsStore> previous = SetProcessSettingsStore(mine);
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(&GetProcessSettingsStore(), mine.get());
    EXPECT_EQ(GetProcessSettingsStore().GetDword(L"K", L"v", 0), 11u);

    EXPECT_EQ(SetProcessSettingsStore(nullptr), mine);
    EXPECT_NE(GetSharedProcessSettingsStore(), nullptr);
    EXPECT_EQ(GetProcessSettingsStore().GetDword(L"K", L"v", 0), 0u);
    SetProcessSettingsStore(previous);
}
