// Turning Windows-style module names into the library files we build, and the
// folders they are looked for in.
#include "Files.h"
#include "ModuleSearch.h"
#include "Modules.h"

#include <algorithm>
#include <dirent.h>
#include <filesystem>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
struct SSearchFolders
{
    std::mutex mutex;
    std::vector<std::string> arrAdded;
    std::string strDllDirectory;
};

// Never destroyed: libraries unloaded at process exit may still load others.
SSearchFolders& SearchFolders()
{
    static SSearchFolders* pFolders = new SSearchFolders;
    return *pFolders;
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() &&
           EqualsIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

bool IsRegularFile(const std::string& path)
{
    struct stat st
    {
    };
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '/')
    {
        return folder + name;
    }
    return folder + "/" + name;
}
} // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string AbsolutePath(const std::string& path)
{
    std::filesystem::path result(path);
    if (result.is_relative())
    {
        std::error_code error;
        const std::filesystem::path current = std::filesystem::current_path(error);
        if (!error)
        {
            result = current / result;
        }
    }
    std::string normal = result.lexically_normal().string();
    // "dir/" normalises to "dir/"; keep folders without the trailing slash.
    if (normal.size() > 1 && normal.back() == '/')
    {
        normal.pop_back();
    }
    return normal;
}

std::string ProgramPath()
{
    std::string buffer(256, '\0');
    for (;;)
    {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
        {
            return {};
        }
        if (static_cast<std::size_t>(length) < buffer.size())
        {
            buffer.resize(static_cast<std::size_t>(length));
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::vector<std::string> ModuleSearchFolders()
{
    std::vector<std::string> arrFolders;
    {
        SSearchFolders& folders = SearchFolders();
        const std::lock_guard<std::mutex> lock(folders.mutex);
        arrFolders = folders.arrAdded;
        if (!folders.strDllDirectory.empty())
        {
            arrFolders.push_back(folders.strDllDirectory);
        }
    }
    const std::string program = ProgramPath();
    if (!program.empty())
    {
        const std::filesystem::path programFolder = std::filesystem::path(program).parent_path();
        arrFolders.push_back(programFolder.string());
        arrFolders.push_back((programFolder.parent_path() / "lib").string());
    }
    return arrFolders;
}

std::string FindFileInFolder(const std::string& folder, const std::string& name)
{
    const std::string exact = JoinPath(folder, name);
    if (IsRegularFile(exact))
    {
        return exact;
    }
    DIR* pDirectory = opendir(folder.empty() ? "." : folder.c_str());
    if (pDirectory == nullptr)
    {
        return {};
    }
    std::string found;
    while (const dirent* pEntry = readdir(pDirectory))
    {
        if (EqualsIgnoringAsciiCase(pEntry->d_name, name) && IsRegularFile(JoinPath(folder, pEntry->d_name)))
        {
            found = JoinPath(folder, pEntry->d_name);
            break;
        }
    }
    closedir(pDirectory);
    return found;
}

SModuleFileNames ModuleFileNamesFromName(const std::wstring& strName)
{
    SModuleFileNames names;
    const std::string path = LinuxPathFromWindowsPath(strName);
    const std::size_t slash = path.find_last_of('/');
    std::string file = path;
    if (slash != std::string::npos)
    {
        names.strFolder = slash == 0 ? "/" : path.substr(0, slash);
        file = path.substr(slash + 1);
    }
    if (file.empty() || file == "." || file == "..")
    {
        return names;
    }
    const std::size_t dot = file.rfind('.');
    if (dot == file.size() - 1)
    {
        // A trailing dot says "this name has no extension": use it as it is.
        file.pop_back();
        if (!file.empty())
        {
            names.arrCandidates.push_back(file);
        }
        return names;
    }
    // No extension means ".dll", as on Windows.
    const bool bLibrary = dot == std::string::npos || EndsWithIgnoringAsciiCase(file, ".dll");
    const std::string stem = dot == std::string::npos ? file : file.substr(0, dot);
    if (bLibrary && !stem.empty())
    {
        names.arrCandidates.push_back("lib" + stem + ".so");
        names.arrCandidates.push_back(stem + ".so");
    }
    else if (EndsWithIgnoringAsciiCase(file, ".exe") && !stem.empty())
    {
        // Programs carry no extension here.
        names.arrCandidates.push_back(stem);
    }
    names.arrCandidates.push_back(file);
    return names;
}

BOOL AddDllSearchDirectory(LPCWSTR lpPathName)
{
    if (lpPathName == nullptr || lpPathName[0] == L'\0')
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string folder = AbsolutePath(LinuxPathFromWindowsPath(lpPathName));
    SSearchFolders& folders = SearchFolders();
    const std::lock_guard<std::mutex> lock(folders.mutex);
    if (std::find(folders.arrAdded.begin(), folders.arrAdded.end(), folder) == folders.arrAdded.end())
    {
        folders.arrAdded.push_back(folder);
    }
    return TRUE;
}

BOOL RemoveDllSearchDirectory(LPCWSTR lpPathName)
{
    if (lpPathName == nullptr || lpPathName[0] == L'\0')
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string folder = AbsolutePath(LinuxPathFromWindowsPath(lpPathName));
    SSearchFolders& folders = SearchFolders();
    const std::lock_guard<std::mutex> lock(folders.mutex);
    const auto it = std::find(folders.arrAdded.begin(), folders.arrAdded.end(), folder);
    if (it == folders.arrAdded.end())
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    folders.arrAdded.erase(it);
    return TRUE;
}

BOOL SetDllDirectoryW(LPCWSTR lpPathName)
{
    std::string folder;
    if (lpPathName != nullptr && lpPathName[0] != L'\0')
    {
        folder = AbsolutePath(LinuxPathFromWindowsPath(lpPathName));
    }
    SSearchFolders& folders = SearchFolders();
    const std::lock_guard<std::mutex> lock(folders.mutex);
    folders.strDllDirectory = folder;
    return TRUE;
}
