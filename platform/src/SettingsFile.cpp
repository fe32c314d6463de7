// Loading and saving the settings store's file.
#include "SettingsKey.h"

#include "Utf8.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// Far beyond any real settings file; a bigger one is treated as damaged
// rather than read into memory.
constexpr off_t kMaxFileSize = 64 * 1024 * 1024;
constexpr const char* kTemporaryInfix = ".tmp-";

std::wstring Quote(const fs::path& path)
{
    return L"\"" + Utf8ToWide(path.string()) + L"\"";
}

std::wstring ErrorText(int nError)
{
    return Utf8ToWide(std::generic_category().message(nError));
}

enum class EReadResult
{
    Read,
    Missing,
    Unusable,
};

EReadResult ReadWholeFile(const fs::path& file, std::string& text, std::wstring& strReason)
{
    // Non-blocking, so that a pipe in the file's place cannot hang the open.
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
    {
        if (errno == ENOENT || errno == ENOTDIR)
        {
            return EReadResult::Missing;
        }
        strReason = L"it cannot be opened: " + ErrorText(errno);
        return EReadResult::Unusable;
    }
    struct stat info
    {
    };
    EReadResult result = EReadResult::Read;
    if (fstat(fd, &info) != 0)
    {
        strReason = L"it cannot be examined: " + ErrorText(errno);
        result = EReadResult::Unusable;
    }
    else if (S_ISDIR(info.st_mode))
    {
        strReason = L"it is a folder";
        result = EReadResult::Unusable;
    }
    else if (!S_ISREG(info.st_mode))
    {
        strReason = L"it is not a regular file";
        result = EReadResult::Unusable;
    }
    else if (info.st_size > kMaxFileSize)
    {
        strReason = L"it is far too large for a settings file";
        result = EReadResult::Unusable;
    }
    else
    {
        text.clear();
        char buffer[65536];
        for (;;)
        {
            const ssize_t nRead = read(fd, buffer, sizeof buffer);
            if (nRead < 0 && errno == EINTR)
            {
                continue;
            }
            if (nRead < 0)
            {
                strReason = L"it cannot be read: " + ErrorText(errno);
                result = EReadResult::Unusable;
                break;
            }
            if (nRead == 0)
            {
                break;
            }
            text.append(buffer, static_cast<std::size_t>(nRead));
            if (static_cast<off_t>(text.size()) > kMaxFileSize)
            {
                strReason = L"it is far too large for a settings file";
                result = EReadResult::Unusable;
                break;
            }
        }
    }
    close(fd);
    return result;
}

// Renames without ever replacing an existing entry.
int RenameNoReplace(const fs::path& from, const fs::path& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
    {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS)
    {
        return errno;
    }
    // File systems without the flag: a hard link fails on an existing name.
    if (link(from.c_str(), to.c_str()) == 0)
    {
        unlink(from.c_str());
        return 0;
    }
    if (errno == EEXIST)
    {
        return EEXIST;
    }
    // Folders cannot be linked; check first, knowing the check can race.
    struct stat info
    {
    };
    if (lstat(to.c_str(), &info) == 0)
    {
        return EEXIST;
    }
    return rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Moves a damaged file to the first free "<file>.damaged-N"; 0 or an errno.
int MoveAside(const fs::path& file, fs::path& moved)
{
    for (unsigned n = 1; n < 100000; ++n)
    {
        fs::path candidate = file;
        candidate += ".damaged-" + std::to_string(n);
        const int nError = RenameNoReplace(file, candidate);
        if (nError == 0)
        {
            moved = candidate;
            return 0;
        }
        if (nError != EEXIST)
        {
            return nError;
        }
    }
    return EEXIST;
}

// Files "<name>.tmp-XXXXXX" beside the settings file are what an interrupted
// save leaves behind; the settings file itself is still the good copy.
void RemoveLeftoverTemporaries(const fs::path& file, std::vector<std::wstring>& traces)
{
    const std::string prefix = file.filename().string() + kTemporaryInfix;
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error))
    {
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0 ||
            !it->is_regular_file(error))
        {
            continue;
        }
        std::error_code removeError;
        if (fs::remove(it->path(), removeError))
        {
            traces.push_back(L"Removed " + Quote(it->path()) + L", left over from an interrupted save of " +
                             Quote(file) + L".\n");
        }
    }
}

bool WriteAll(int fd, const std::string& text)
{
    std::size_t nDone = 0;
    while (nDone < text.size())
    {
        const ssize_t nWritten = write(fd, text.data() + nDone, text.size() - nDone);
        if (nWritten < 0 && errno == EINTR)
        {
            continue;
        }
        if (nWritten <= 0)
        {
            return false;
        }
        nDone += static_cast<std::size_t>(nWritten);
    }
    return true;
}

// Through a symbolic link the file it points to is the one replaced, not
// the link.
fs::path ResolveTarget(const fs::path& file)
{
    std::error_code error;
    if (fs::is_symlink(file, error))
    {
        fs::path resolved = fs::weakly_canonical(file, error);
        if (!error)
        {
            return resolved;
        }
    }
    return file;
}

void SyncFolder(const fs::path& folder)
{
    // Makes the rename itself durable. Some file systems refuse to sync a
    // folder; the data is written either way, so that is not an error.
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0)
    {
        fsync(fd);
        close(fd);
    }
}
} // namespace

bool CSettingsStore::LoadFileLocked(Traces& traces)
{
    m_pRoot = std::make_unique<SSettingsKey>();
    m_bDirty = false;
    m_bSaveBlocked = false;
    m_setAsidePath.clear();
    RemoveLeftoverTemporaries(ResolveTarget(m_filePath), traces);

    std::string text;
    std::wstring strReason;
    const EReadResult result = ReadWholeFile(m_filePath, text, strReason);
    if (result == EReadResult::Missing)
    {
        return true;
    }
    if (result == EReadResult::Read)
    {
        if (text.empty())
        {
            strReason = L"it is empty";
        }
        else
        {
            try
            {
                const nlohmann::json document = nlohmann::json::parse(text);
                std::unique_ptr<SSettingsKey> pRoot = SettingsKeyFromJson(document, strReason);
                if (pRoot)
                {
                    m_pRoot = std::move(pRoot);
                    return true;
                }
            }
            catch (const nlohmann::json::exception& e)
            {
                strReason = L"it is not valid JSON: " + Utf8ToWide(e.what());
            }
        }
    }

    fs::path moved;
    const int nError = MoveAside(m_filePath, moved);
    if (nError == 0)
    {
        m_setAsidePath = moved;
        traces.push_back(L"The settings file " + Quote(m_filePath) + L" could not be used (" + strReason +
                         L"); it was moved to " + Quote(moved) + L" and the settings start empty.\n");
    }
    else
    {
        // Saving now would destroy the only copy, so the store stays in memory.
        m_bSaveBlocked = true;
        traces.push_back(L"The settings file " + Quote(m_filePath) + L" could not be used (" + strReason +
                         L") nor moved aside (" + ErrorText(nError) +
                         L"); the settings start empty and will not be saved over it.\n");
    }
    return false;
}

bool CSettingsStore::SaveLocked(Traces& traces)
{
    if (m_filePath.empty())
    {
        m_bDirty = false;
        return true;
    }
    if (m_bSaveBlocked)
    {
        traces.push_back(L"The settings were not saved: " + Quote(m_filePath) +
                         L" is a damaged file that could not be moved aside.\n");
        return false;
    }
    auto fail = [&](const std::wstring& strWhat, int nError)
    {
        traces.push_back(L"The settings could not be saved to " + Quote(m_filePath) + L": " + strWhat +
                         L" (" + ErrorText(nError) + L").\n");
        return false;
    };

    const std::string text =
        SettingsKeyToJson(*m_pRoot).dump(4, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";

    std::error_code error;
    const fs::path target = ResolveTarget(m_filePath);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::create_directories(folder, error);
    if (error)
    {
        return fail(L"its folder cannot be created", error.value());
    }

    std::string temporaryName = target.string() + kTemporaryInfix + "XXXXXX";
    const int fd = mkostemp(temporaryName.data(), O_CLOEXEC);
    if (fd < 0)
    {
        return fail(L"no temporary file can be made beside it", errno);
    }
    const fs::path temporary(temporaryName);
    struct stat info
    {
    };
    if (stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode))
    {
        fchmod(fd, info.st_mode & 07777);
    }
    if (!WriteAll(fd, text) || fsync(fd) != 0)
    {
        const int nError = errno;
        close(fd);
        unlink(temporary.c_str());
        return fail(L"the temporary file cannot be written", nError);
    }
    if (close(fd) != 0)
    {
        const int nError = errno;
        unlink(temporary.c_str());
        return fail(L"the temporary file cannot be completed", nError);
    }
    if (m_beforeRenameHook && !m_beforeRenameHook(temporary))
    {
        traces.push_back(L"Saving " + Quote(m_filePath) + L" stopped before the rename; " + Quote(temporary) +
                         L" is left behind.\n");
        return false;
    }
    if (rename(temporary.c_str(), target.c_str()) != 0)
    {
        const int nError = errno;
        unlink(temporary.c_str());
        return fail(L"the temporary file cannot replace it", nError);
    }
    SyncFolder(folder);
    m_bDirty = false;
    return true;
}

bool CSettingsStore::Open(const fs::path& file)
{
    if (file.empty())
    {
        return false;
    }
    Traces traces;
    bool bResult = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        // Unsaved changes belong to the file attached so far.
        if (m_bDirty && !m_filePath.empty())
        {
            SaveLocked(traces);
        }
        m_filePath = file;
        bResult = LoadFileLocked(traces);
    }
    WriteTraces(traces);
    return bResult;
}

bool CSettingsStore::Save()
{
    Traces traces;
    bool bResult = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        bResult = SaveLocked(traces);
    }
    WriteTraces(traces);
    return bResult;
}

void CSettingsStore::SetAutoSave(bool bAutoSave)
{
    Traces traces;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bAutoSave = bAutoSave;
        // Switching it on catches up with changes made before.
        if (bAutoSave && m_bDirty && !m_filePath.empty())
        {
            SaveLocked(traces);
        }
    }
    WriteTraces(traces);
}

bool CSettingsStore::GetAutoSave() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bAutoSave;
}

bool CSettingsStore::IsDirty() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bDirty;
}

fs::path CSettingsStore::GetFilePath() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_filePath;
}

fs::path CSettingsStore::GetSetAsidePath() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_setAsidePath;
}

void CSettingsStore::SetBeforeRenameHook(BeforeRenameHook hook)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_beforeRenameHook = std::move(hook);
}
