#include "DebugCapture.h"
#include "SettingsStore.h"
#include "TemporaryFolder.h"
#include "Utf8.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using json = nlohmann::json;

namespace
{
std::vector<std::string> FolderEntries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
    {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> TemporaryFiles(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const std::string& name : FolderEntries(folder))
    {
        if (name.rfind("settings.json.tmp-", 0) == 0)
        {
            names.push_back(name);
        }
    }
    return names;
}

bool Contains(const std::wstring& text, const fs::path& path)
{
    return text.find(Utf8ToWide(path.string())) != std::wstring::npos;
}
} // namespace

class SettingsFile : public testing::Test
{
protected:
    CTemporaryFolder m_folder;
    fs::path m_file = m_folder / "settings.json";
};

TEST_F(SettingsFile, MissingFileGivesAnEmptyStoreAndSaveCreatesIt)
{
    CSettingsStore store;
    const fs::path nested = m_folder / "config" / "materials" / "settings.json";
    EXPECT_TRUE(store.Open(nested));
    EXPECT_TRUE(store.GetSubkeyNames(L"").empty());
    EXPECT_FALSE(fs::exists(nested)); // nothing written until asked
    store.SetDword(L"Software\\Tavor", L"Enable", 1);
    ASSERT_TRUE(store.Save());
    EXPECT_FALSE(store.IsDirty());
    EXPECT_EQ(json::parse(ReadFileBytes(nested)), json::parse(R"({"Software": {"Tavor": {"Enable": 1}}})"));

    CSettingsStore reopened;
    EXPECT_TRUE(reopened.Open(nested));
    EXPECT_EQ(reopened.GetDword(L"software\\tavor", L"enable", 0), 1u);
    EXPECT_EQ(reopened.GetFilePath(), nested);
    EXPECT_TRUE(reopened.GetSetAsidePath().empty());
}

TEST_F(SettingsFile, DamagedFilesAreMovedAsideReportedAndNeverOverwritten)
{
    const std::string contents[] = {
        "",
        "not json at all",
        "{\"K\": {\"v\": 1}",                // cut short
        "[1, 2, 3]",                         // wrong shape
        "{\"K\": {\"v\": true}}",            // a value of an unknown type
        "{\"K\": {\"v\": [\"colour\", 1]}}", // an unknown type tag
        std::string("\x00\xff\xfe{\x89PNG\r\n", 10),
        "{\"K\": \"\xc3\x28\"}", // invalid UTF-8
        "{} trailing",
    };
    for (std::size_t i = 0; i < std::size(contents); ++i)
    {
        const std::string& content = contents[i];
        SCOPED_TRACE("content #" + std::to_string(i));
        fs::remove_all(m_folder.GetPath());
        fs::create_directories(m_folder.GetPath());
        WriteFileBytes(m_file, content);

        CDebugCapture capture;
        CSettingsStore store;
        EXPECT_FALSE(store.Open(m_file));
        const fs::path aside = m_folder / "settings.json.damaged-1";
        EXPECT_EQ(store.GetSetAsidePath(), aside);
        EXPECT_FALSE(fs::exists(m_file));
        EXPECT_EQ(ReadFileBytes(aside), content);
        EXPECT_TRUE(store.GetSubkeyNames(L"").empty());

        const std::wstring trace = capture.GetAll();
        EXPECT_TRUE(Contains(trace, m_file));
        EXPECT_TRUE(Contains(trace, aside));

        // The next save writes a fresh file and leaves the damaged one alone.
        store.SetDword(L"K", L"v", 2);
        ASSERT_TRUE(store.Save());
        EXPECT_EQ(json::parse(ReadFileBytes(m_file)), json::parse(R"({"K": {"v": 2}})"));
        EXPECT_EQ(ReadFileBytes(aside), content);
    }
}

TEST_F(SettingsFile, MovingAsidePicksANameNotYetTaken)
{
    WriteFileBytes(m_folder / "settings.json.damaged-1", "first");
    WriteFileBytes(m_folder / "settings.json.damaged-2", "second");
    WriteFileBytes(m_file, "garbage");
    CDebugCapture capture;
    CSettingsStore store;
    EXPECT_FALSE(store.Open(m_file));
    EXPECT_EQ(store.GetSetAsidePath(), m_folder / "settings.json.damaged-3");
    EXPECT_EQ(ReadFileBytes(m_folder / "settings.json.damaged-1"), "first");
    EXPECT_EQ(ReadFileBytes(m_folder / "settings.json.damaged-2"), "second");
    EXPECT_EQ(ReadFileBytes(m_folder / "settings.json.damaged-3"), "garbage");
}

TEST_F(SettingsFile, AFolderOrAPipeInTheFilesPlaceIsMovedAside)
{
    fs::create_directory(m_file);
    WriteFileBytes(m_file / "inside.txt", "kept");
    {
        CDebugCapture capture;
        CSettingsStore store;
        EXPECT_FALSE(store.Open(m_file));
        EXPECT_NE(capture.GetAll().find(L"folder"), std::wstring::npos);
        EXPECT_EQ(ReadFileBytes(m_folder / "settings.json.damaged-1" / "inside.txt"), "kept");
        store.SetDword(L"K", L"v", 1);
        EXPECT_TRUE(store.Save());
        EXPECT_TRUE(fs::is_regular_file(m_file));
    }
    fs::remove(m_file);
    // Reading a pipe with no writer would block for ever.
    ASSERT_EQ(mkfifo(m_file.c_str(), 0600), 0);
    CDebugCapture capture;
    CSettingsStore store;
    EXPECT_FALSE(store.Open(m_file));
    EXPECT_TRUE(fs::is_fifo(m_folder / "settings.json.damaged-2"));
}

TEST_F(SettingsFile, AnUnreadableFileIsMovedAside)
{
    if (geteuid() == 0)
    {
        GTEST_SKIP() << "permissions do not stop the superuser from reading";
    }
    WriteFileBytes(m_file, "{}");
    fs::permissions(m_file, fs::perms::none);
    CDebugCapture capture;
    CSettingsStore store;
    EXPECT_FALSE(store.Open(m_file));
    EXPECT_TRUE(fs::exists(m_folder / "settings.json.damaged-1"));
}

TEST_F(SettingsFile, ACrashBeforeTheRenameLeavesThePreviousFileInCharge)
{
    {
        CSettingsStore store;
        store.Open(m_file);
        store.SetDword(L"K", L"v", 1);
        ASSERT_TRUE(store.Save());
    }
    const std::string before = ReadFileBytes(m_file);
    {
        CDebugCapture capture;
        CSettingsStore store;
        store.Open(m_file);
        fs::path written;
        store.SetBeforeRenameHook(
            [&](const fs::path& temporary)
            {
                written = temporary;
                return false; // the process "dies" here
            });
        store.SetDword(L"K", L"v", 2);
        EXPECT_FALSE(store.Save());
        EXPECT_TRUE(store.IsDirty());
        EXPECT_EQ(ReadFileBytes(m_file), before);
        EXPECT_EQ(written.parent_path(), m_folder.GetPath());
        // The new content was complete on disk, just never put in place.
        EXPECT_EQ(json::parse(ReadFileBytes(written)), json::parse(R"({"K": {"v": 2}})"));
        EXPECT_EQ(TemporaryFiles(m_folder.GetPath()).size(), 1u);
        store.SetBeforeRenameHook([](const fs::path&) { return false; }); // the destructor's save dies too
    }
    // Unrelated files that merely share the prefix are not touched.
    WriteFileBytes(m_folder / "settings.json.tmp-notes.txt", "mine");

    CDebugCapture capture;
    CSettingsStore store;
    EXPECT_TRUE(store.Open(m_file));
    EXPECT_EQ(store.GetDword(L"K", L"v", 0), 1u);
    EXPECT_TRUE(TemporaryFiles(m_folder.GetPath()) ==
                std::vector<std::string>{"settings.json.tmp-notes.txt"});
    EXPECT_NE(capture.GetAll().find(L"interrupted"), std::wstring::npos);
}

TEST_F(SettingsFile, ALeftoverTemporaryFileOfGarbageIsIgnored)
{
    WriteFileBytes(m_file, R"({"K": {"v": 5}})");
    WriteFileBytes(m_folder / "settings.json.tmp-Ab12Cd", "\x01\x02 half written {");
    CDebugCapture capture;
    CSettingsStore store;
    EXPECT_TRUE(store.Open(m_file));
    EXPECT_EQ(store.GetDword(L"K", L"v", 0), 5u);
    EXPECT_EQ(FolderEntries(m_folder.GetPath()), std::vector<std::string>{"settings.json"});
}

TEST_F(SettingsFile, AutoSaveWritesEveryChange)
{
    CSettingsStore store;
    store.Open(m_file);
    store.SetDword(L"K", L"before", 1);
    EXPECT_FALSE(fs::exists(m_file));
    store.SetAutoSave(true); // catches up at once
    EXPECT_TRUE(store.GetAutoSave());
    EXPECT_EQ(json::parse(ReadFileBytes(m_file)), json::parse(R"({"K": {"before": 1}})"));

    store.SetString(L"K", L"after", L"x");
    EXPECT_FALSE(store.IsDirty());
    EXPECT_EQ(json::parse(ReadFileBytes(m_file)), json::parse(R"({"K": {"after": "x", "before": 1}})"));
    store.DeleteKey(L"K");
    EXPECT_EQ(json::parse(ReadFileBytes(m_file)), json::object());
    EXPECT_TRUE(TemporaryFiles(m_folder.GetPath()).empty());
}

TEST_F(SettingsFile, PendingChangesAreSavedWhenTheStoreGoes)
{
    {
        CSettingsStore store;
        store.Open(m_file);
        store.SetDword(L"K", L"v", 9);
    }
    CSettingsStore reopened;
    reopened.Open(m_file);
    EXPECT_EQ(reopened.GetDword(L"K", L"v", 0), 9u);
}

TEST_F(SettingsFile, AFailedSaveIsReportedAndKeepsTheChanges)
{
    WriteFileBytes(m_folder / "blocker", "a file where a folder should be");
    CDebugCapture capture;
    CSettingsStore store;
    EXPECT_TRUE(store.Open(m_folder / "blocker" / "settings.json"));
    store.SetDword(L"K", L"v", 1);
    EXPECT_FALSE(store.Save());
    EXPECT_TRUE(store.IsDirty());
    EXPECT_EQ(store.GetDword(L"K", L"v", 0), 1u);
    EXPECT_NE(capture.GetAll().find(L"could not be saved"), std::wstring::npos);
    EXPECT_EQ(ReadFileBytes(m_folder / "blocker"), "a file where a folder should be");
}

TEST_F(SettingsFile, SavingThroughALinkReplacesTheFileItPointsTo)
{
    fs::create_directory(m_folder / "real");
    const fs::path real = m_folder / "real" / "settings.json";
    WriteFileBytes(real, "{}");
    fs::create_symlink(real, m_file);
    CSettingsStore store;
    EXPECT_TRUE(store.Open(m_file));
    store.SetDword(L"K", L"v", 3);
    ASSERT_TRUE(store.Save());
    EXPECT_TRUE(fs::is_symlink(m_file));
    EXPECT_EQ(json::parse(ReadFileBytes(real)), json::parse(R"({"K": {"v": 3}})"));
}

TEST_F(SettingsFile, SavingKeepsTheFilesPermissions)
{
    WriteFileBytes(m_file, "{}");
    fs::permissions(m_file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    CSettingsStore store;
    store.Open(m_file);
    store.SetDword(L"K", L"v", 1);
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(fs::status(m_file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
