#include "Modules.h"

#include "ModuleEventLog.h"
#include "TestModule.h"
#include "Utf8.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Exported from the program (see the test CMakeLists) so that GetProcAddress
// on the program's own handle has something to find.
extern "C" int PlatformTestsExportedValue;
int PlatformTestsExportedValue = 11;

namespace
{
using Events = std::vector<std::string>;

const std::string kFolder = TEST_MODULE_FOLDER;

std::wstring Wide(const std::string& text)
{
    return Utf8ToWide(text);
}

std::wstring WithBackslashes(std::wstring path)
{
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::wstring ModuleFileName(HMODULE hModule)
{
    wchar_t buffer[1024] = {};
    const DWORD length = GetModuleFileNameW(hModule, buffer, 1024);
    return std::wstring(buffer, length);
}

template <class TProc> TProc Proc(HMODULE hModule, const char* name)
{
    return reinterpret_cast<TProc>(GetProcAddress(hModule, name));
}

std::string NameOf(HMODULE hModule)
{
    const auto pfnName = Proc<TestModuleNameProc>(hModule, "TestModuleName");
    return pfnName != nullptr ? pfnName() : "(no TestModuleName)";
}

class CTemporaryFolder
{
public:
    CTemporaryFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "modules-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
        {
            m_strPath = pattern;
        }
    }
    ~CTemporaryFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(m_strPath, error);
    }
    CTemporaryFolder(const CTemporaryFolder&) = delete;
    CTemporaryFolder& operator=(const CTemporaryFolder&) = delete;

    const std::string& Path() const { return m_strPath; }
    void Copy(const std::string& from, const std::string& name) const
    {
        std::filesystem::copy_file(from, m_strPath + "/" + name);
    }

private:
    std::string m_strPath;
};

class ModulesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AddDllSearchDirectory(Wide(kFolder).c_str()));
        TakeModuleEvents();
    }
    void TearDown() override { RemoveDllSearchDirectory(Wide(kFolder).c_str()); }
};
} // namespace

TEST(ModuleNames, WindowsNamesMapToTheLibraryFilesWeBuild)
{
    struct SCase
    {
        const wchar_t* name;
        const char* folder;
        std::vector<std::string> candidates;
    };
    const SCase cases[] = {
        {L"C:\\x\\y\\Name.dll", "/x/y", {"libName.so", "Name.so", "Name.dll"}},
        {L"/some/dir\\NameRC.DLL", "/some/dir", {"libNameRC.so", "NameRC.so", "NameRC.DLL"}},
        {L"VornHook.dll", "", {"libVornHook.so", "VornHook.so", "VornHook.dll"}},
        {L"sub\\Hook.Dll", "sub", {"libHook.so", "Hook.so", "Hook.Dll"}},
        {L"\\Root.dll", "/", {"libRoot.so", "Root.so", "Root.dll"}},
        // No extension means ".dll"; a trailing dot means "no extension".
        {L"VornHook", "", {"libVornHook.so", "VornHook.so", "VornHook"}},
        {L"VornHook.", "", {"VornHook"}},
        {L"libc.so.6", "", {"libc.so.6"}},
        {L"tool.exe", "", {"tool", "tool.exe"}},
        {L"", "", {}},
        {L"dir\\", "dir", {}},
        {L"..", "", {}},
    };
    for (const SCase& c : cases)
    {
        const SModuleFileNames names = ModuleFileNamesFromName(c.name);
        EXPECT_EQ(names.strFolder, c.folder) << WideToUtf8(c.name);
        EXPECT_EQ(names.arrCandidates, c.candidates) << WideToUtf8(c.name);
    }
}

TEST_F(ModulesTest, LoadsByWindowsStyleNamesAndShareOneHandle)
{
    const HMODULE hModule = LoadLibraryW(L"TestModuleA.dll");
    ASSERT_NE(hModule, nullptr) << GetLastModuleLoadMessage();
    EXPECT_EQ(NameOf(hModule), "A");
    EXPECT_EQ(ModuleFileName(hModule), Wide(kFolder + "/libTestModuleA.so"));

    // Other spellings of the same library: case, backslashes, a drive letter,
    // the Linux file itself.
    const std::wstring backslashed = WithBackslashes(Wide(kFolder));
    const std::wstring names[] = {L"testmodulea.DLL", backslashed + L"\\TestModuleA.dll",
                                  L"C:" + backslashed + L"\\TestModuleA.DLL",
                                  Wide(kFolder) + L"\\libTestModuleA.so", L"TestModuleA"};
    for (const std::wstring& name : names)
    {
        EXPECT_EQ(GetModuleHandleW(name.c_str()), hModule) << WideToUtf8(name);
        EXPECT_EQ(LoadLibraryW(name.c_str()), hModule) << WideToUtf8(name);
    }
    // The right file name in the wrong folder is another library.
    EXPECT_EQ(GetModuleHandleW(L"/usr\\libTestModuleA.so"), nullptr);
    for (std::size_t i = 0; i < std::size(names); ++i)
    {
        EXPECT_TRUE(FreeLibrary(hModule));
    }
    EXPECT_EQ(TakeModuleEvents(), Events{"A attach reserved=0 own=1"});
    EXPECT_TRUE(FreeLibrary(hModule));
    EXPECT_EQ(TakeModuleEvents(), Events{"A detach reserved=0"});
}

TEST_F(ModulesTest, EntryPointsAttachOnLoadAndDetachOnTheLastFree)
{
    const HMODULE hA = LoadLibraryW(L"TestModuleA.dll");
    const HMODULE hB = LoadLibraryW(L"TestModuleB.dll");
    ASSERT_NE(hA, nullptr);
    ASSERT_NE(hB, nullptr);
    EXPECT_NE(hA, hB);
    // The entry point was given the very handle LoadLibraryW returned.
    EXPECT_EQ(Proc<TestModuleInstanceProc>(hA, "TestModuleInstance")(), hA);
    EXPECT_EQ(Proc<TestModuleInstanceProc>(hB, "TestModuleInstance")(), hB);
    EXPECT_EQ(GetModuleHandleW(L"TestModuleA.dll"), hA);

    EXPECT_TRUE(FreeLibrary(hB));
    EXPECT_TRUE(FreeLibrary(hA));
    EXPECT_EQ(TakeModuleEvents(), (Events{"A attach reserved=0 own=1", "B attach reserved=0 own=1",
                                          "B detach reserved=0", "A detach reserved=0"}));
    EXPECT_EQ(GetModuleHandleW(L"TestModuleA.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(ModulesTest, EachLoadNeedsItsOwnFree)
{
    const HMODULE hFirst = LoadLibraryW(L"TestModuleA.dll");
    const HMODULE hSecond = LoadLibraryW(Wide(kFolder + "/libTestModuleA.so").c_str());
    ASSERT_NE(hFirst, nullptr);
    EXPECT_EQ(hFirst, hSecond);
    EXPECT_EQ(TakeModuleEvents(), Events{"A attach reserved=0 own=1"});

    EXPECT_TRUE(FreeLibrary(hFirst));
    EXPECT_EQ(TakeModuleEvents(), Events{});
    EXPECT_EQ(GetModuleHandleW(L"TestModuleA.dll"), hFirst);
    EXPECT_EQ(NameOf(hFirst), "A");

    EXPECT_TRUE(FreeLibrary(hSecond));
    EXPECT_EQ(TakeModuleEvents(), Events{"A detach reserved=0"});
    EXPECT_EQ(GetModuleHandleW(L"TestModuleA.dll"), nullptr);

    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(FreeLibrary(hSecond));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(ModulesTest, ARefusedAttachFailsTheLoadAndDetachesAndUnloads)
{
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(LoadLibraryW(L"TestModuleRefuse.dll"), nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
        EXPECT_NE(GetLastModuleLoadMessage().find("refused"), std::string::npos);
        // Each attempt starts afresh, as a new load on Windows does.
        EXPECT_EQ(TakeModuleEvents(), (Events{"Refuse attach reserved=0 own=1", "Refuse detach reserved=0"}));
        EXPECT_EQ(GetModuleHandleW(L"TestModuleRefuse.dll"), nullptr);
    }
}

TEST_F(ModulesTest, DependenciesAttachFirstAndDetachLast)
{
    const HMODULE hParent = LoadLibraryW(L"TestModuleParent.dll");
    ASSERT_NE(hParent, nullptr) << GetLastModuleLoadMessage();
    const HMODULE hChild = GetModuleHandleW(L"TestModuleChild.dll");
    ASSERT_NE(hChild, nullptr);
    EXPECT_EQ(NameOf(hChild), "Child");
    EXPECT_EQ(NameOf(hParent), "Parent");
    // Not loaded by LoadLibraryW itself, so not the caller's to free.
    EXPECT_FALSE(FreeLibrary(hChild));

    EXPECT_TRUE(FreeLibrary(hParent));
    EXPECT_EQ(TakeModuleEvents(), (Events{"Child attach reserved=0 own=1", "Parent attach reserved=0 own=1",
                                          "Parent detach reserved=0", "Child detach reserved=0"}));
    EXPECT_EQ(GetModuleHandleW(L"TestModuleChild.dll"), nullptr);
}

TEST_F(ModulesTest, ALibraryThatStaysMappedIsDetachedAndAttachedAgain)
{
    const HMODULE hFirst = LoadLibraryW(L"TestModuleSticky.dll");
    ASSERT_NE(hFirst, nullptr);
    // Counted from here: an earlier run in this process left it mapped.
    const int nAttachCount = Proc<TestModuleCountProc>(hFirst, "TestModuleAttachCount")();
    EXPECT_TRUE(FreeLibrary(hFirst));
    EXPECT_EQ(TakeModuleEvents(), (Events{"Sticky attach reserved=0 own=1", "Sticky detach reserved=0"}));
    // The loader kept it; the entry point must not be able to tell.
    ASSERT_EQ(GetModuleHandleW(L"TestModuleSticky.dll"), hFirst);

    const HMODULE hSecond = LoadLibraryW(L"TestModuleSticky.dll");
    EXPECT_EQ(hSecond, hFirst);
    EXPECT_EQ(Proc<TestModuleCountProc>(hSecond, "TestModuleAttachCount")(), nAttachCount + 1);
    EXPECT_TRUE(FreeLibrary(hSecond));
    EXPECT_EQ(TakeModuleEvents(), (Events{"Sticky attach reserved=0 own=1", "Sticky detach reserved=0"}));
}

TEST_F(ModulesTest, ALinkedModuleIsAttachedBeforeMainAndNotDetachedByFree)
{
    const HMODULE hLinked = GetModuleHandleW(L"TestModuleLinked.dll");
    ASSERT_NE(hLinked, nullptr);
    EXPECT_EQ(TestModuleAttachCount(), 1);
    EXPECT_TRUE(TestModuleAttachReserved());
    EXPECT_EQ(TestModuleInstance(), hLinked);

    EXPECT_EQ(LoadLibraryW(L"TestModuleLinked.dll"), hLinked);
    EXPECT_TRUE(FreeLibrary(hLinked));
    EXPECT_EQ(TestModuleAttachCount(), 1);
    EXPECT_EQ(TestModuleDetachCount(), 0);
    EXPECT_EQ(TakeModuleEvents(), Events{});
}

// Death-test suites run first and in a fork; the name says so to GoogleTest.
using ModulesDeathTest = ModulesTest;

TEST_F(ModulesDeathTest, ModulesStillLoadedDetachAtExit)
{
    EXPECT_EXIT(
        {
            TestModuleReportDetachOnStderr();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "Linked detach reserved=1");
    EXPECT_EXIT(
        {
            const HMODULE hModule = LoadLibraryW(L"TestModuleB.dll");
            if (hModule != nullptr)
            {
                Proc<TestModuleActionProc>(hModule, "TestModuleReportDetachOnStderr")();
            }
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "B detach reserved=1");
}

TEST_F(ModulesTest, MissingAndOddNamesFailCleanly)
{
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(LoadLibraryW(L"NoSuchModule.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_FALSE(GetLastModuleLoadMessage().empty());

    EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    const std::wstring odd[] = {L"",
                                L"\\",
                                L"C:",
                                L"..\\",
                                L".",
                                L".dll",
                                L"\\\\server\\share\\x.dll",
                                std::wstring(5000, L'x') + L".dll",
                                L"/nonexistent/folder/TestModuleA.dll"};
    for (const std::wstring& name : odd)
    {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(LoadLibraryW(name.c_str()), nullptr) << WideToUtf8(name.substr(0, 40));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND)) << WideToUtf8(name.substr(0, 40));
        EXPECT_EQ(GetModuleHandleW(name.c_str()), nullptr);
    }
    EXPECT_EQ(TakeModuleEvents(), Events{});
}

TEST_F(ModulesTest, AFileThatIsNotALibraryIsABadFormat)
{
    const CTemporaryFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    std::ofstream(folder.Path() + "/libBroken.so") << "not a library\n";
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(LoadLibraryW((WithBackslashes(Wide(folder.Path())) + L"\\Broken.dll").c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
}

TEST_F(ModulesTest, GetProcAddressFindsOnlyTheModulesOwnExports)
{
    const HMODULE hModule = LoadLibraryW(L"TestModuleA.dll");
    ASSERT_NE(hModule, nullptr);

    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetProcAddress(hModule, "NoSuchFunction"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    // dlsym would find the C library's malloc through the module; it is not
    // the module's own export.
    EXPECT_EQ(GetProcAddress(hModule, "malloc"), nullptr);
    EXPECT_EQ(GetProcAddress(hModule, reinterpret_cast<LPCSTR>(5)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(GetProcAddress(hModule, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(GetProcAddress(reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x1000)), "TestModuleName"),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

    EXPECT_TRUE(FreeLibrary(hModule));
    EXPECT_FALSE(FreeLibrary(nullptr));
    EXPECT_FALSE(FreeLibrary(GetModuleHandleW(nullptr)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(ModulesTest, TheProgramAndThePlatformHaveHandlesToo)
{
    const HMODULE hProgram = GetModuleHandleW(nullptr);
    ASSERT_NE(hProgram, nullptr);
    EXPECT_EQ(GetModuleHandleFromAddress(&PlatformTestsExportedValue), hProgram);
    EXPECT_EQ(GetModuleHandleW(L"platform_tests.exe"), hProgram);
    EXPECT_EQ(reinterpret_cast<int*>(GetProcAddress(hProgram, "PlatformTestsExportedValue")),
              &PlatformTestsExportedValue);
    EXPECT_EQ(GetProcAddress(hProgram, "malloc"), nullptr);

    const HMODULE hPlatform = GetModuleHandleW(L"platform.dll");
    ASSERT_NE(hPlatform, nullptr);
    EXPECT_NE(hPlatform, hProgram);
    EXPECT_EQ(GetModuleHandleFromAddress(reinterpret_cast<const void*>(&GetLastError)), hPlatform);
    EXPECT_EQ(ModuleFileName(hPlatform), Wide(kFolder + "/libplatform.so"));

    EXPECT_EQ(GetModuleHandleFromAddress(nullptr), nullptr);
    EXPECT_TRUE(DisableThreadLibraryCalls(hPlatform));
}

TEST_F(ModulesTest, ModuleFileNamesAreCutToTheBufferLikeWindows)
{
    const HMODULE hModule = LoadLibraryW(L"TestModuleA.dll");
    ASSERT_NE(hModule, nullptr);
    const std::wstring expected = Wide(kFolder + "/libTestModuleA.so");
    const DWORD length = static_cast<DWORD>(expected.size());
    std::vector<wchar_t> buffer(expected.size() + 8, L'#');

    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetModuleFileNameW(hModule, buffer.data(), length + 1), length);
    EXPECT_EQ(std::wstring(buffer.data()), expected);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));

    // One short: the last character gives way to the terminator.
    EXPECT_EQ(GetModuleFileNameW(hModule, buffer.data(), length), length);
    EXPECT_EQ(std::wstring(buffer.data()), expected.substr(0, length - 1));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

    SetLastError(ERROR_SUCCESS);
    std::fill(buffer.begin(), buffer.end(), L'#');
    EXPECT_EQ(GetModuleFileNameW(hModule, buffer.data(), 5), 5u);
    EXPECT_EQ(std::wstring(buffer.data()), expected.substr(0, 4));
    EXPECT_EQ(buffer[5], L'#');
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

    EXPECT_EQ(GetModuleFileNameW(hModule, buffer.data(), 1), 1u);
    EXPECT_EQ(buffer[0], L'\0');
    EXPECT_EQ(GetModuleFileNameW(hModule, buffer.data(), 0), 0u);
    EXPECT_EQ(GetModuleFileNameW(hModule, nullptr, 10), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(
        GetModuleFileNameW(reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x1000)), buffer.data(), 100),
        0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_TRUE(FreeLibrary(hModule));

    const std::filesystem::path program(ModuleFileName(nullptr));
    EXPECT_TRUE(program.is_absolute());
    EXPECT_TRUE(std::filesystem::equivalent(program, TEST_PROGRAM_PATH));
    EXPECT_EQ(ModuleFileName(GetModuleHandleW(nullptr)), program.wstring());
}

TEST_F(ModulesTest, SearchFoldersComeInTheOrderGivenAndPreferTheLibPrefix)
{
    const std::string plain = kFolder + "/libTestModulePlain.so";
    const CTemporaryFolder first;
    const CTemporaryFolder second;
    ASSERT_FALSE(first.Path().empty());
    first.Copy(plain, "libZed.so");
    first.Copy(plain, "Zed.so");
    second.Copy(plain, "libZed.so");

    EXPECT_EQ(LoadLibraryW(L"Zed.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

    ASSERT_TRUE(AddDllSearchDirectory(Wide(first.Path()).c_str()));
    ASSERT_TRUE(AddDllSearchDirectory(WithBackslashes(Wide(second.Path())).c_str()));
    HMODULE hModule = LoadLibraryW(L"Zed.dll");
    ASSERT_NE(hModule, nullptr);
    EXPECT_EQ(ModuleFileName(hModule), Wide(first.Path() + "/libZed.so"));
    EXPECT_EQ(Proc<int (*)()>(hModule, "TestModulePlainValue")(), 7);
    EXPECT_TRUE(FreeLibrary(hModule));

    std::filesystem::remove(first.Path() + "/libZed.so");
    hModule = LoadLibraryW(L"ZED.DLL");
    ASSERT_NE(hModule, nullptr);
    EXPECT_EQ(ModuleFileName(hModule), Wide(first.Path() + "/Zed.so"));
    EXPECT_TRUE(FreeLibrary(hModule));

    EXPECT_TRUE(RemoveDllSearchDirectory(Wide(first.Path()).c_str()));
    hModule = LoadLibraryW(L"Zed.dll");
    ASSERT_NE(hModule, nullptr);
    EXPECT_EQ(ModuleFileName(hModule), Wide(second.Path() + "/libZed.so"));
    EXPECT_TRUE(FreeLibrary(hModule));
    EXPECT_TRUE(RemoveDllSearchDirectory(Wide(second.Path()).c_str()));
    EXPECT_FALSE(RemoveDllSearchDirectory(Wide(second.Path()).c_str()));
    EXPECT_EQ(LoadLibraryW(L"Zed.dll"), nullptr);

    EXPECT_TRUE(SetDllDirectoryW(Wide(first.Path()).c_str()));
    hModule = LoadLibraryW(L"Zed.dll");
    EXPECT_NE(hModule, nullptr);
    EXPECT_TRUE(FreeLibrary(hModule));
    EXPECT_TRUE(SetDllDirectoryW(nullptr));
    EXPECT_EQ(LoadLibraryW(L"Zed.dll"), nullptr);
}

// Two modules of one process agree through a named event, as the host's
// modules do when they share a process-wide switch: the first creates it,
// the second follows whatever the first decided.
TEST_F(ModulesTest, TwoModulesOfOneProcessSeeOneNamedEvent)
{
    HMODULE hFirst = LoadLibraryW(L"TestModuleA.dll");
    HMODULE hSecond = LoadLibraryW(L"TestModuleB.dll");
    ASSERT_NE(hFirst, nullptr);
    ASSERT_NE(hSecond, nullptr);
    const auto create = Proc<TestModuleCreateEventProc>(hFirst, "TestModuleCreateEvent");
    const auto signal = Proc<TestModuleEventActionProc>(hFirst, "TestModuleSignalEvent");
    const auto close = Proc<TestModuleEventActionProc>(hFirst, "TestModuleCloseEvent");
    const auto probe = Proc<TestModuleProbeEventProc>(hSecond, "TestModuleProbeEvent");
    const auto createSecond = Proc<TestModuleCreateEventProc>(hSecond, "TestModuleCreateEvent");
    const auto closeSecond = Proc<TestModuleEventActionProc>(hSecond, "TestModuleCloseEvent");
    ASSERT_TRUE(create && signal && close && probe && createSecond && closeSecond);

    const wchar_t* name = L"MODULES_TEST_SHARED_SWITCH";
    EXPECT_EQ(probe(name), -1) << "nobody has created it yet";
    EXPECT_EQ(create(name), 0);
    EXPECT_EQ(probe(name), 0) << "created not signalled";
    // The second module creating the same name gets the first one's event.
    EXPECT_EQ(createSecond(name), 1);
    EXPECT_TRUE(signal());
    EXPECT_EQ(probe(name), 1) << "the second module sees the first module's signal";
    // The event lives while any module holds a handle.
    EXPECT_TRUE(close());
    EXPECT_EQ(probe(name), 1);
    EXPECT_TRUE(closeSecond());
    EXPECT_EQ(probe(name), -1) << "gone with its last handle";

    EXPECT_TRUE(FreeLibrary(hSecond));
    EXPECT_TRUE(FreeLibrary(hFirst));
}
