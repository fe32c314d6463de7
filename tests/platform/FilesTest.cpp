#include "Files.h"

#include "Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
struct SSplit
{
    std::wstring drive;
    std::wstring dir;
    std::wstring fname;
    std::wstring ext;
    bool operator==(const SSplit&) const = default;
};

std::ostream& operator<<(std::ostream& out, const SSplit& split)
{
    return out << '[' << WideToUtf8(split.drive) << "][" << WideToUtf8(split.dir) << "]["
               << WideToUtf8(split.fname) << "][" << WideToUtf8(split.ext) << ']';
}

SSplit Split(const wchar_t* path)
{
    wchar_t drive[_MAX_DRIVE];
    wchar_t dir[_MAX_DIR];
    wchar_t fname[_MAX_FNAME];
    wchar_t ext[_MAX_EXT];
    _wsplitpath(path, drive, dir, fname, ext);
    return {drive, dir, fname, ext};
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

class FilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "files-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strFolder = pattern;
    }
    void TearDown() override
    {
        std::error_code error;
        std::filesystem::remove_all(m_strFolder, error);
    }
    std::string Path(const std::string& name) const { return m_strFolder + "/" + name; }
    std::wstring WidePath(const std::string& name) const { return Utf8ToWide(Path(name)); }
    // The same path written the Windows way.
    std::wstring BackslashPath(const std::string& name) const
    {
        std::wstring path = WidePath(name);
        std::replace(path.begin(), path.end(), L'/', L'\\');
        return path;
    }
    std::size_t EntryCount() const
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(m_strFolder),
                                                      std::filesystem::directory_iterator()));
    }

    std::string m_strFolder;
};
} // namespace

TEST(SplitPath, DriveFolderNameAndExtension)
{
    EXPECT_EQ(Split(L"C:\\dir\\sub\\name.ext.QvpGradient"),
              (SSplit{L"C:", L"\\dir\\sub\\", L"name.ext", L".QvpGradient"}));
    EXPECT_EQ(Split(L"/home/u/Grad.QvpGradient"), (SSplit{L"", L"/home/u/", L"Grad", L".QvpGradient"}));
    EXPECT_EQ(Split(L"noext"), (SSplit{L"", L"", L"noext", L""}));
    // The last dot starts the extension, even as the first character.
    EXPECT_EQ(Split(L".hidden"), (SSplit{L"", L"", L"", L".hidden"}));
    EXPECT_EQ(Split(L"dir/"), (SSplit{L"", L"dir/", L"", L""}));
    // A dot in a folder name is not an extension.
    EXPECT_EQ(Split(L"a.b/c"), (SSplit{L"", L"a.b/", L"c", L""}));
    EXPECT_EQ(Split(L"x:/mixed\\seps/f.t"), (SSplit{L"x:", L"/mixed\\seps/", L"f", L".t"}));
    // Only a letter before the colon is a drive.
    EXPECT_EQ(Split(L"1:name"), (SSplit{L"", L"", L"1:name", L""}));
    EXPECT_EQ(Split(L"C:name.txt"), (SSplit{L"C:", L"", L"name", L".txt"}));
    EXPECT_EQ(Split(L""), (SSplit{}));
}

TEST(SplitPath, NullOutputsAreSkippedAndLongPartsCut)
{
    wchar_t fname[_MAX_FNAME];
    _wsplitpath(L"C:\\dir\\Grad.QvpGradient", nullptr, nullptr, fname, nullptr);
    EXPECT_EQ(std::wstring(fname), L"Grad");

    wchar_t ext[_MAX_EXT];
    _wsplitpath(L"/only/the.ext", nullptr, nullptr, nullptr, ext);
    EXPECT_EQ(std::wstring(ext), L".ext");

    const std::wstring longName(400, L'n');
    _wsplitpath((L"/d/" + longName + L".e").c_str(), nullptr, nullptr, fname, ext);
    EXPECT_EQ(std::wstring(fname), longName.substr(0, _MAX_FNAME - 1));
    EXPECT_EQ(std::wstring(ext), L".e");

    errno = 0;
    fname[0] = L'x';
    _wsplitpath(nullptr, nullptr, nullptr, fname, nullptr);
    EXPECT_EQ(fname[0], L'\0');
    EXPECT_EQ(errno, EINVAL);
}

TEST(SplitPath, CheckedVersionReportsBadSizesAndClearsOnOverflow)
{
    wchar_t drive[_MAX_DRIVE];
    wchar_t dir[8];
    wchar_t fname[5];
    wchar_t ext[_MAX_EXT];
    EXPECT_EQ(_wsplitpath_s(L"C:\\ab\\name.txt", drive, _MAX_DRIVE, dir, 8, fname, 5, ext, _MAX_EXT), 0);
    EXPECT_EQ(std::wstring(dir), L"\\ab\\");
    EXPECT_EQ(std::wstring(fname), L"name");

    // "names" needs six characters with its terminator: everything is emptied.
    EXPECT_EQ(_wsplitpath_s(L"C:\\ab\\names.txt", drive, _MAX_DRIVE, dir, 8, fname, 5, ext, _MAX_EXT),
              ERANGE);
    EXPECT_EQ(std::wstring(drive), L"");
    EXPECT_EQ(std::wstring(dir), L"");
    EXPECT_EQ(std::wstring(fname), L"");
    EXPECT_EQ(std::wstring(ext), L"");

    EXPECT_EQ(_wsplitpath_s(L"a.b", nullptr, 0, nullptr, 0, nullptr, 0, ext, _MAX_EXT), 0);
    EXPECT_EQ(std::wstring(ext), L".b");
    EXPECT_EQ(_wsplitpath_s(L"a.b", nullptr, 3, nullptr, 0, nullptr, 0, ext, _MAX_EXT), EINVAL);
    EXPECT_EQ(_wsplitpath_s(L"a.b", nullptr, 0, dir, 0, nullptr, 0, nullptr, 0), EINVAL);
    EXPECT_EQ(_wsplitpath_s(nullptr, nullptr, 0, nullptr, 0, nullptr, 0, ext, _MAX_EXT), EINVAL);
}

TEST(MakePath, InverseOfSplitAddingWhatIsMissing)
{
    wchar_t path[_MAX_PATH];
    _wmakepath(path, L"C:", L"\\dir\\sub\\", L"name.ext", L".QvpGradient");
    EXPECT_EQ(std::wstring(path), L"C:\\dir\\sub\\name.ext.QvpGradient");
    _wmakepath(path, L"C", L"\\dir", L"name", L"txt");
    EXPECT_EQ(std::wstring(path), L"C:\\dir\\name.txt");
    _wmakepath(path, nullptr, L"/home/u", L"Grad", L"QvpGradient");
    EXPECT_EQ(std::wstring(path), L"/home/u/Grad.QvpGradient");
    _wmakepath(path, L"", L"", L"noext", L"");
    EXPECT_EQ(std::wstring(path), L"noext");

    for (const wchar_t* original :
         {L"C:\\dir\\sub\\name.ext.QvpGradient", L"/home/u/Grad.QvpGradient", L"a.b/c", L".hidden", L"dir/"})
    {
        wchar_t drive[_MAX_DRIVE];
        wchar_t dir[_MAX_DIR];
        wchar_t fname[_MAX_FNAME];
        wchar_t ext[_MAX_EXT];
        _wsplitpath(original, drive, dir, fname, ext);
        _wmakepath(path, drive, dir, fname, ext);
        EXPECT_EQ(std::wstring(path), original);
    }

    wchar_t small[6];
    EXPECT_EQ(_wmakepath_s(small, 6, nullptr, nullptr, L"ab", L"c"), 0);
    EXPECT_EQ(std::wstring(small), L"ab.c");
    EXPECT_EQ(_wmakepath_s(small, 6, nullptr, L"d", L"ab", L"c"), ERANGE);
    EXPECT_EQ(std::wstring(small), L"");
    EXPECT_EQ(_wmakepath_s(nullptr, 6, nullptr, nullptr, L"ab", nullptr), EINVAL);
}

TEST(WindowsPaths, BackslashesAndDriveLettersBecomeLinuxPaths)
{
    EXPECT_EQ(LinuxPathFromWindowsPath(L"C:\\x\\y\\Name.dll"), "/x/y/Name.dll");
    EXPECT_EQ(LinuxPathFromWindowsPath(L"/some/dir\\NameRC.DLL"), "/some/dir/NameRC.DLL");
    EXPECT_EQ(LinuxPathFromWindowsPath(L"folder\\file"), "folder/file");
    EXPECT_EQ(LinuxPathFromWindowsPath(L"/t/\u00e9t\u00e9"), "/t/\xc3\xa9t\xc3\xa9");
    EXPECT_EQ(LinuxPathFromWindowsPath(L"1:\\x"), "1:/x");
}

TEST_F(FilesTest, DeleteFileRemovesFilesOnly)
{
    WriteFile(Path("a.txt"), "a");
    EXPECT_TRUE(DeleteFileW(WidePath("a.txt").c_str()));
    EXPECT_FALSE(std::filesystem::exists(Path("a.txt")));

    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(DeleteFileW(WidePath("a.txt").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(DeleteFileW(WidePath("missing/a.txt").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    std::filesystem::create_directory(Path("sub"));
    EXPECT_FALSE(DeleteFileW(WidePath("sub").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(std::filesystem::is_directory(Path("sub")));

    // Code that builds "folder\\file" works.
    WriteFile(Path("sub/b.txt"), "b");
    EXPECT_TRUE(DeleteFileW(BackslashPath("sub/b.txt").c_str()));
    EXPECT_FALSE(std::filesystem::exists(Path("sub/b.txt")));

    EXPECT_FALSE(DeleteFileW(nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(DeleteFileW(L""));
}

TEST_F(FilesTest, ExistenceAndAccess)
{
    WriteFile(Path("f.txt"), "f");
    EXPECT_TRUE(PathFileExistsW(WidePath("f.txt").c_str()));
    EXPECT_TRUE(PathFileExistsW(BackslashPath("f.txt").c_str()));
    EXPECT_TRUE(PathFileExistsW(Utf8ToWide(m_strFolder).c_str()));
    EXPECT_FALSE(PathFileExistsW(WidePath("g.txt").c_str()));
    EXPECT_FALSE(PathFileExistsW(nullptr));
    EXPECT_FALSE(PathFileExistsW(L""));

    for (int mode : {0, 2, 4, 6})
    {
        EXPECT_EQ(_waccess(WidePath("f.txt").c_str(), mode), 0) << mode;
        EXPECT_EQ(_waccess(Utf8ToWide(m_strFolder).c_str(), mode), 0) << mode;
    }
    errno = 0;
    EXPECT_EQ(_waccess(WidePath("g.txt").c_str(), 0), -1);
    EXPECT_EQ(errno, ENOENT);
    errno = 0;
    EXPECT_EQ(_waccess(WidePath("f.txt").c_str(), 1), -1);
    EXPECT_EQ(errno, EINVAL);
    errno = 0;
    EXPECT_EQ(_waccess(nullptr, 0), -1);
    EXPECT_EQ(errno, EINVAL);

    // The superuser may write anything, so a read-only file says nothing then.
    if (geteuid() != 0)
    {
        ASSERT_EQ(chmod(Path("f.txt").c_str(), 0444), 0);
        EXPECT_EQ(_waccess(WidePath("f.txt").c_str(), 4), 0);
        EXPECT_EQ(_waccess(WidePath("f.txt").c_str(), 2), -1);
        EXPECT_EQ(errno, EACCES);
        EXPECT_EQ(_waccess(WidePath("f.txt").c_str(), 6), -1);
    }
}

TEST_F(FilesTest, CreateDirectoryOnlyWhereTheParentExists)
{
    EXPECT_TRUE(CreateDirectoryW(BackslashPath("new").c_str(), nullptr));
    EXPECT_TRUE(std::filesystem::is_directory(Path("new")));
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(CreateDirectoryW(WidePath("new").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryW(WidePath("missing/new").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(CreateDirectoryW(nullptr, nullptr));
}

TEST_F(FilesTest, TemporaryPathEndsWithASeparatorAndReportsTheSizeNeeded)
{
    const char* previous = std::getenv("TMPDIR");
    const std::string saved = previous != nullptr ? previous : "";
    setenv("TMPDIR", m_strFolder.c_str(), 1);

    const std::wstring expected = Utf8ToWide(m_strFolder) + L"/";
    const DWORD length = static_cast<DWORD>(expected.size());
    std::wstring buffer(expected.size() + 4, L'#');
    EXPECT_EQ(GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data()), length);
    EXPECT_EQ(std::wstring(buffer.c_str()), expected);
    // Too small: the size needed, terminator included, and nothing written.
    std::wstring small(4, L'#');
    EXPECT_EQ(GetTempPathW(4, small.data()), length + 1);
    EXPECT_EQ(small, L"####");
    EXPECT_EQ(GetTempPathW(0, nullptr), length + 1);

    unsetenv("TMPDIR");
    EXPECT_EQ(GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data()), 5u);
    EXPECT_EQ(std::wstring(buffer.c_str()), L"/tmp/");

    if (previous != nullptr)
    {
        setenv("TMPDIR", saved.c_str(), 1);
    }
}

TEST_F(FilesTest, CopyFileReplacesOnlyWhenAllowedAndLeavesNoDebris)
{
    WriteFile(Path("source"), "new contents");
    WriteFile(Path("target"), "old");
    ASSERT_EQ(chmod(Path("source").c_str(), 0640), 0);

    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(CopyFileW(WidePath("source").c_str(), WidePath("target").c_str(), TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(ReadFile(Path("target")), "old");

    EXPECT_TRUE(CopyFileW(WidePath("source").c_str(), BackslashPath("target").c_str(), FALSE));
    EXPECT_EQ(ReadFile(Path("target")), "new contents");
    EXPECT_EQ(ReadFile(Path("source")), "new contents");
    struct stat st
    {
    };
    ASSERT_EQ(stat(Path("target").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    EXPECT_TRUE(CopyFileW(WidePath("source").c_str(), WidePath("fresh").c_str(), TRUE));
    EXPECT_EQ(ReadFile(Path("fresh")), "new contents");

    // A larger file crosses the copy buffer's size.
    std::string large(200000, 'x');
    for (std::size_t i = 0; i < large.size(); i += 7)
    {
        large[i] = static_cast<char>('a' + i % 26);
    }
    WriteFile(Path("large"), large);
    EXPECT_TRUE(CopyFileW(WidePath("large").c_str(), WidePath("large copy").c_str(), FALSE));
    EXPECT_EQ(ReadFile(Path("large copy")), large);

    EXPECT_FALSE(CopyFileW(WidePath("missing").c_str(), WidePath("other").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(CopyFileW(WidePath("source").c_str(), WidePath("missing/other").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    std::filesystem::create_directory(Path("folder"));
    EXPECT_FALSE(CopyFileW(WidePath("folder").c_str(), WidePath("other").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(CopyFileW(nullptr, WidePath("other").c_str(), FALSE));

    // source, target, fresh, large, large copy, folder: no temporary files left.
    EXPECT_EQ(EntryCount(), 6u);
}

TEST_F(FilesTest, MoveFileNeverReplacesTheTarget)
{
    WriteFile(Path("a"), "A");
    WriteFile(Path("b"), "B");
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(MoveFileW(WidePath("a").c_str(), WidePath("b").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(ReadFile(Path("a")), "A");
    EXPECT_EQ(ReadFile(Path("b")), "B");

    EXPECT_TRUE(MoveFileW(BackslashPath("a").c_str(), WidePath("c").c_str()));
    EXPECT_FALSE(std::filesystem::exists(Path("a")));
    EXPECT_EQ(ReadFile(Path("c")), "A");

    std::filesystem::create_directory(Path("dir"));
    WriteFile(Path("dir/inside"), "I");
    EXPECT_TRUE(MoveFileW(WidePath("dir").c_str(), WidePath("moved").c_str()));
    EXPECT_EQ(ReadFile(Path("moved/inside")), "I");

    EXPECT_FALSE(MoveFileW(WidePath("missing").c_str(), WidePath("d").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(MoveFileW(WidePath("c").c_str(), WidePath("missing/d").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(ReadFile(Path("c")), "A");
    EXPECT_FALSE(MoveFileW(WidePath("c").c_str(), nullptr));
}

TEST(ErrnoMapping, CommonCausesGetTheirWindowsCodes)
{
    EXPECT_EQ(WindowsErrorFromErrno(0), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(WindowsErrorFromErrno(ENOENT), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(WindowsErrorFromErrno(ENOTDIR), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(WindowsErrorFromErrno(EACCES), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(WindowsErrorFromErrno(EROFS), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(WindowsErrorFromErrno(EEXIST), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(WindowsErrorFromErrno(ENOSPC), static_cast<DWORD>(ERROR_DISK_FULL));
}
