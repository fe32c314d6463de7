#include "Files.h"

#include "Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}
bool IsSeparator(wchar_t c)
{
    return c == L'/' || c == L'\\';
}

struct SPathParts
{
    std::wstring_view drive;
    std::wstring_view dir;
    std::wstring_view fname;
    std::wstring_view ext;
};

SPathParts SplitPathParts(std::wstring_view path)
{
    SPathParts parts;
    if (path.size() >= 2 && path[1] == L':' && IsAsciiLetter(path[0]))
    {
        parts.drive = path.substr(0, 2);
        path.remove_prefix(2);
    }
    const std::size_t lastSeparator = path.find_last_of(L"/\\");
    std::wstring_view name = path;
    if (lastSeparator != std::wstring_view::npos)
    {
        parts.dir = path.substr(0, lastSeparator + 1);
        name = path.substr(lastSeparator + 1);
    }
    // The last dot starts the extension even when it is the first character,
    // so ".hidden" is all extension.
    const std::size_t dot = name.rfind(L'.');
    parts.fname = name.substr(0, dot);
    if (dot != std::wstring_view::npos)
    {
        parts.ext = name.substr(dot);
    }
    return parts;
}

// Copies at most capacity - 1 characters and terminates.
void CopyTruncated(wchar_t* target, std::size_t capacity, std::wstring_view text)
{
    if (target == nullptr || capacity == 0)
    {
        return;
    }
    const std::size_t count = std::min(text.size(), capacity - 1);
    std::copy_n(text.data(), count, target);
    target[count] = L'\0';
}

std::wstring JoinPathParts(LPCWSTR drive, LPCWSTR dir, LPCWSTR fname, LPCWSTR ext)
{
    std::wstring path;
    if (drive != nullptr && drive[0] != L'\0')
    {
        path += drive[0];
        path += L':';
    }
    if (dir != nullptr && dir[0] != L'\0')
    {
        const std::wstring_view folder(dir);
        path += folder;
        if (!IsSeparator(folder.back()))
        {
            // Keep to the separator the folder already uses.
            const bool bBackslashes =
                folder.find(L'\\') != std::wstring_view::npos && folder.find(L'/') == std::wstring_view::npos;
            path += bBackslashes ? L'\\' : L'/';
        }
    }
    if (fname != nullptr)
    {
        path += fname;
    }
    if (ext != nullptr && ext[0] != L'\0')
    {
        if (ext[0] != L'.')
        {
            path += L'.';
        }
        path += ext;
    }
    return path;
}

std::string ParentFolder(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
    {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A missing file in an existing folder is "file not found"; a missing folder
// on the way is "path not found".
DWORD MissingPathError(const std::string& path)
{
    struct stat st
    {
    };
    const std::string folder = ParentFolder(path);
    if (stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    {
        return ERROR_FILE_NOT_FOUND;
    }
    return ERROR_PATH_NOT_FOUND;
}

DWORD ErrorForPath(int nErrno, const std::string& path)
{
    return nErrno == ENOENT ? MissingPathError(path) : WindowsErrorFromErrno(nErrno);
}

BOOL Fail(DWORD dwError)
{
    SetLastError(dwError);
    return FALSE;
}

// rename that refuses to replace an existing target.
int RenameWithoutReplacing(const std::string& from, const std::string& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
    {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS)
    {
        return -1;
    }
    // The file system cannot do it atomically; check, then rename.
    struct stat st
    {
    };
    if (lstat(to.c_str(), &st) == 0)
    {
        errno = EEXIST;
        return -1;
    }
    return rename(from.c_str(), to.c_str());
}

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0)
    {
        const ssize_t written = write(fd, data, size);
        if (written < 0)
        {
            if (errno == EINTR)
            {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool CopyContents(int from, int to)
{
    char buffer[65536];
    for (;;)
    {
        const ssize_t count = read(from, buffer, sizeof buffer);
        if (count == 0)
        {
            return true;
        }
        if (count < 0)
        {
            if (errno == EINTR)
            {
                continue;
            }
            return false;
        }
        if (!WriteAll(to, buffer, static_cast<std::size_t>(count)))
        {
            return false;
        }
    }
}

// Copies a regular file to a temporary name beside the target and moves it into
// place. Returns 0 or an error code; on failure the target is untouched.
DWORD CopyRegularFile(const std::string& from, const std::string& to, bool bFailIfExists)
{
    const int source = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0)
    {
        return ErrorForPath(errno, from);
    }
    struct stat st
    {
    };
    if (fstat(source, &st) != 0 || !S_ISREG(st.st_mode))
    {
        close(source);
        return ERROR_ACCESS_DENIED;
    }
    struct stat existing
    {
    };
    if (bFailIfExists && lstat(to.c_str(), &existing) == 0)
    {
        close(source);
        return ERROR_FILE_EXISTS;
    }
    std::string temporary = to + ".copy-XXXXXX";
    const int target = mkostemp(temporary.data(), O_CLOEXEC);
    if (target < 0)
    {
        const DWORD dwError = ErrorForPath(errno, to);
        close(source);
        return dwError;
    }
    bool bOk = CopyContents(source, target);
    DWORD dwError = bOk ? ERROR_SUCCESS : WindowsErrorFromErrno(errno);
    close(source);
    if (bOk && fchmod(target, st.st_mode & 07777) != 0)
    {
        bOk = false;
        dwError = WindowsErrorFromErrno(errno);
    }
    if (close(target) != 0 && bOk)
    {
        bOk = false;
        dwError = WindowsErrorFromErrno(errno);
    }
    if (bOk)
    {
        const int result =
            bFailIfExists ? RenameWithoutReplacing(temporary, to) : rename(temporary.c_str(), to.c_str());
        if (result != 0)
        {
            bOk = false;
            dwError = errno == EEXIST ? ERROR_FILE_EXISTS : WindowsErrorFromErrno(errno);
        }
    }
    if (!bOk)
    {
        unlink(temporary.c_str());
    }
    return dwError;
}
} // namespace

std::string LinuxPathFromWindowsPath(std::wstring_view path)
{
    std::wstring converted(path);
    std::replace(converted.begin(), converted.end(), L'\\', L'/');
    if (converted.size() >= 2 && converted[1] == L':' && IsAsciiLetter(converted[0]))
    {
        converted.erase(0, 2);
    }
    return WideToUtf8(converted);
}

DWORD WindowsErrorFromErrno(int nErrno)
{
    switch (nErrno)
    {
        case 0:
            return ERROR_SUCCESS;
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return ERROR_PATH_NOT_FOUND;
        case EEXIST:
            return ERROR_ALREADY_EXISTS;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case EINVAL:
            return ERROR_INVALID_PARAMETER;
        case EBADF:
            return ERROR_INVALID_HANDLE;
        case ENOSPC:
        case EDQUOT:
            return ERROR_DISK_FULL;
        default:
            // EACCES, EPERM, EROFS, EISDIR, EBUSY and the rest: the caller may
            // not do this to this file.
            return ERROR_ACCESS_DENIED;
    }
}

BOOL DeleteFileW(LPCWSTR lpFileName)
{
    if (lpFileName == nullptr)
    {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    const std::string path = LinuxPathFromWindowsPath(lpFileName);
    if (path.empty())
    {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    struct stat st
    {
    };
    if (lstat(path.c_str(), &st) != 0)
    {
        return Fail(ErrorForPath(errno, path));
    }
    if (S_ISDIR(st.st_mode))
    {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (unlink(path.c_str()) != 0)
    {
        return Fail(ErrorForPath(errno, path));
    }
    return TRUE;
}

BOOL PathFileExistsW(LPCWSTR pszPath)
{
    if (pszPath == nullptr)
    {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    const std::string path = LinuxPathFromWindowsPath(pszPath);
    struct stat st
    {
    };
    if (path.empty() || stat(path.c_str(), &st) != 0)
    {
        return Fail(path.empty() ? ERROR_PATH_NOT_FOUND : ErrorForPath(errno, path));
    }
    return TRUE;
}

int _waccess(LPCWSTR path, int mode)
{
    if (path == nullptr || (mode != 0 && mode != 2 && mode != 4 && mode != 6))
    {
        errno = EINVAL;
        return -1;
    }
    const std::string linuxPath = LinuxPathFromWindowsPath(path);
    if (linuxPath.empty())
    {
        errno = ENOENT;
        return -1;
    }
    int how = F_OK;
    if ((mode & 2) != 0)
    {
        how |= W_OK;
    }
    if ((mode & 4) != 0)
    {
        how |= R_OK;
    }
    return access(linuxPath.c_str(), how) == 0 ? 0 : -1;
}

BOOL CreateDirectoryW(LPCWSTR lpPathName, LPVOID /*lpSecurityAttributes*/)
{
    if (lpPathName == nullptr)
    {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    const std::string path = LinuxPathFromWindowsPath(lpPathName);
    if (path.empty())
    {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    if (mkdir(path.c_str(), 0777) != 0)
    {
        return Fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : WindowsErrorFromErrno(errno));
    }
    return TRUE;
}

DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer)
{
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder != nullptr && folder[0] != '\0' ? folder : "/tmp";
    if (path.back() != '/')
    {
        path += '/';
    }
    const std::wstring wide = Utf8ToWide(path);
    const DWORD dwLength = static_cast<DWORD>(wide.size());
    if (lpBuffer == nullptr || nBufferLength <= dwLength)
    {
        return dwLength + 1;
    }
    CopyTruncated(lpBuffer, nBufferLength, wide);
    return dwLength;
}

BOOL MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName)
{
    if (lpExistingFileName == nullptr || lpNewFileName == nullptr)
    {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    const std::string from = LinuxPathFromWindowsPath(lpExistingFileName);
    const std::string to = LinuxPathFromWindowsPath(lpNewFileName);
    struct stat st
    {
    };
    if (lstat(from.c_str(), &st) != 0)
    {
        return Fail(ErrorForPath(errno, from));
    }
    if (RenameWithoutReplacing(from, to) == 0)
    {
        return TRUE;
    }
    if (errno != EXDEV || !S_ISREG(st.st_mode))
    {
        return Fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : WindowsErrorFromErrno(errno));
    }
    // Another file system: copy, then remove the original; if the original
    // cannot be removed, take the copy back so that nothing is duplicated.
    const DWORD dwError = CopyRegularFile(from, to, true);
    if (dwError != ERROR_SUCCESS)
    {
        return Fail(dwError == ERROR_FILE_EXISTS ? ERROR_ALREADY_EXISTS : dwError);
    }
    if (unlink(from.c_str()) != 0)
    {
        const DWORD dwUnlinkError = WindowsErrorFromErrno(errno);
        unlink(to.c_str());
        return Fail(dwUnlinkError);
    }
    return TRUE;
}

BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists)
{
    if (lpExistingFileName == nullptr || lpNewFileName == nullptr)
    {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    const std::string from = LinuxPathFromWindowsPath(lpExistingFileName);
    const std::string to = LinuxPathFromWindowsPath(lpNewFileName);
    if (from.empty() || to.empty())
    {
        return Fail(ERROR_PATH_NOT_FOUND);
    }
    const DWORD dwError = CopyRegularFile(from, to, bFailIfExists != FALSE);
    return dwError == ERROR_SUCCESS ? TRUE : Fail(dwError);
}

void _wsplitpath(LPCWSTR path, wchar_t* drive, wchar_t* dir, wchar_t* fname, wchar_t* ext)
{
    if (path == nullptr)
    {
        errno = EINVAL;
    }
    const SPathParts parts = path != nullptr ? SplitPathParts(path) : SPathParts{};
    CopyTruncated(drive, _MAX_DRIVE, parts.drive);
    CopyTruncated(dir, _MAX_DIR, parts.dir);
    CopyTruncated(fname, _MAX_FNAME, parts.fname);
    CopyTruncated(ext, _MAX_EXT, parts.ext);
}

errno_t _wsplitpath_s(LPCWSTR path, wchar_t* drive, size_t driveSize, wchar_t* dir, size_t dirSize,
                      wchar_t* fname, size_t fnameSize, wchar_t* ext, size_t extSize)
{
    struct SOutput
    {
        wchar_t* pBuffer;
        std::size_t nSize;
        std::wstring_view part;
    };
    const SPathParts parts = path != nullptr ? SplitPathParts(path) : SPathParts{};
    SOutput outputs[] = {{drive, driveSize, parts.drive},
                         {dir, dirSize, parts.dir},
                         {fname, fnameSize, parts.fname},
                         {ext, extSize, parts.ext}};
    auto clearAll = [&outputs]
    {
        for (const SOutput& output : outputs)
        {
            CopyTruncated(output.pBuffer, output.nSize, {});
        }
    };
    bool bValid = path != nullptr;
    for (const SOutput& output : outputs)
    {
        bValid = bValid && (output.pBuffer == nullptr) == (output.nSize == 0);
    }
    if (!bValid)
    {
        clearAll();
        errno = EINVAL;
        return EINVAL;
    }
    for (const SOutput& output : outputs)
    {
        if (output.pBuffer != nullptr && output.part.size() >= output.nSize)
        {
            clearAll();
            errno = ERANGE;
            return ERANGE;
        }
    }
    for (const SOutput& output : outputs)
    {
        CopyTruncated(output.pBuffer, output.nSize, output.part);
    }
    return 0;
}

void _wmakepath(wchar_t* path, LPCWSTR drive, LPCWSTR dir, LPCWSTR fname, LPCWSTR ext)
{
    CopyTruncated(path, _MAX_PATH, JoinPathParts(drive, dir, fname, ext));
}

errno_t _wmakepath_s(wchar_t* path, size_t size, LPCWSTR drive, LPCWSTR dir, LPCWSTR fname, LPCWSTR ext)
{
    if (path == nullptr || size == 0)
    {
        errno = EINVAL;
        return EINVAL;
    }
    const std::wstring joined = JoinPathParts(drive, dir, fname, ext);
    if (joined.size() >= size)
    {
        path[0] = L'\0';
        errno = ERANGE;
        return ERANGE;
    }
    CopyTruncated(path, size, joined);
    return 0;
}
