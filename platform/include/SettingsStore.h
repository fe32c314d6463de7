// The settings store: a tree of keys holding typed values, kept in memory and
// optionally in a JSON file. The registry calls and the host's settings
// registry both sit on it, so they see the same values.
//
// Key paths are separated by backslashes; empty parts (a doubled or trailing
// separator) are skipped, and "" is the root. Key and value names compare
// without regard to case and keep the spelling they were first given. ""
// names a key's default value.
//
// File format (UTF-8 JSON), one object per key, members are its subkeys and
// its values:
//   {"Software": {"Tavor": {"Debug": {"Enable": 1, "Name": "x"}}}}
// - an object is a subkey;
// - a number is a 32-bit integer value (0 to 4294967295; -2147483648 to -1 are
//   read as their 32-bit two's complement);
// - a string is a string value;
// - an array ["type", payload] is a typed value: ["dword", n], ["qword", n]
//   (0 to 2^64-1; negative numbers as their two's complement),
//   ["string", "text"], ["binary", "00ff7a"] (hex, two digits
//   per byte). A third element, when present, is the value's real name; it is
//   written when a value shares its name with a subkey, which JSON members
//   cannot, and the member then gets another name ("<name> (value)", made
//   unique with a number when needed).
// Anything else (true, null, 1.5, an unknown type tag, odd hex digits, two
// keys or two values whose names differ only in case, keys nested deeper than
// kMaxKeyDepth) makes the whole file invalid.
#pragma once

#include "WinDef.h"

#include <nlohmann/json_fwd.hpp>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class ESettingType
{
    Dword,
    Qword,
    String,
    Binary,
};

// One typed value. Plain members rather than a variant: GCC 12 reports false
// free-nonheap-object errors for variants holding a vector.
class CSettingValue
{
public:
    CSettingValue() = default;
    static CSettingValue FromDword(DWORD dwValue) { return CSettingValue(ESettingType::Dword, dwValue); }
    static CSettingValue FromQword(QWORD qwValue) { return CSettingValue(ESettingType::Qword, qwValue); }
    static CSettingValue FromString(std::wstring strValue)
    {
        CSettingValue value(ESettingType::String, 0);
        value.m_strText = std::move(strValue);
        return value;
    }
    static CSettingValue FromBinary(std::vector<BYTE> vecBytes)
    {
        CSettingValue value(ESettingType::Binary, 0);
        value.m_vecBytes = std::move(vecBytes);
        return value;
    }

    ESettingType GetType() const { return m_eType; }
    // Each getter answers 0 or empty when the value is of another type.
    DWORD GetDword() const { return m_eType == ESettingType::Dword ? static_cast<DWORD>(m_qwNumber) : 0; }
    QWORD GetQword() const { return m_eType == ESettingType::Qword ? m_qwNumber : 0; }
    const std::wstring& GetString() const { return m_strText; }
    const std::vector<BYTE>& GetBinary() const { return m_vecBytes; }

    bool operator==(const CSettingValue& other) const
    {
        return m_eType == other.m_eType && m_qwNumber == other.m_qwNumber && m_strText == other.m_strText &&
               m_vecBytes == other.m_vecBytes;
    }
    bool operator!=(const CSettingValue& other) const { return !(*this == other); }

private:
    CSettingValue(ESettingType eType, QWORD qwNumber) : m_eType(eType), m_qwNumber(qwNumber) {}

    // Only the member of the value's type is ever set; the others stay empty.
    ESettingType m_eType = ESettingType::Dword;
    QWORD m_qwNumber = 0;
    std::wstring m_strText;
    std::vector<BYTE> m_vecBytes;
};

struct SSettingsKey;

class CSettingsStore
{
public:
    // As deep as registry keys may nest.
    static constexpr std::size_t kMaxKeyDepth = 512;
    // As long as a registry key name may be.
    static constexpr std::size_t kMaxKeyNameLength = 255;
    // Called with the written temporary file just before it is renamed over
    // the settings file; answering false stops the save there, as a crash at
    // that moment would. It runs under the store's lock and must not call the
    // store.
    using BeforeRenameHook = std::function<bool(const std::filesystem::path& temporaryFile)>;

    // An empty store in memory, with no file behind it.
    CSettingsStore();
    // Saves pending changes when a file is attached.
    ~CSettingsStore();
    CSettingsStore(const CSettingsStore&) = delete;
    CSettingsStore& operator=(const CSettingsStore&) = delete;

    // --- Persistence ---------------------------------------------------------
    // Attaches the store to a file and loads it, replacing what is in memory.
    // A missing file gives an empty store. A damaged or unreadable file (or a
    // folder in its place) is moved aside to "<file>.damaged-N" with a new N,
    // reported through OutputDebugStringW, and the store starts empty; the
    // answer is then false. Leftover temporary files of an interrupted save
    // are removed; the file itself stays authoritative.
    bool Open(const std::filesystem::path& file);
    // Writes the whole store atomically: a temporary file in the same folder,
    // flushed to disk, renamed over the file, then the folder flushed. False
    // (with a trace) when that fails; the old file is then untouched. A store
    // without a file has nothing to write and answers true.
    bool Save();
    // With auto-save on, every change is saved at once.
    void SetAutoSave(bool bAutoSave);
    bool GetAutoSave() const;
    bool IsDirty() const;
    std::filesystem::path GetFilePath() const;
    // Where Open last moved a damaged file; empty when it never had to.
    std::filesystem::path GetSetAsidePath() const;
    void SetBeforeRenameHook(BeforeRenameHook hook);

    // --- Keys ----------------------------------------------------------------
    bool KeyExists(std::wstring_view keyPath) const;
    // Creates the key and any missing parents. False for a path that is too
    // deep or has a name that is too long.
    bool CreateKey(std::wstring_view keyPath, bool* pbCreated = nullptr);
    // Deletes the key with all its subkeys and values; the root cannot go.
    bool DeleteKey(std::wstring_view keyPath);
    // Deletes every subkey and value of the key but keeps the key.
    bool ClearKey(std::wstring_view keyPath);
    // Names in their kept spelling, ordered without regard to case. Empty for
    // a missing key.
    std::vector<std::wstring> GetSubkeyNames(std::wstring_view keyPath) const;
    std::vector<std::wstring> GetValueNames(std::wstring_view keyPath) const;

    // --- Values --------------------------------------------------------------
    std::optional<CSettingValue> GetValue(std::wstring_view keyPath, std::wstring_view valueName) const;
    // Creates the key when bCreateKey is set; otherwise a missing key fails.
    bool SetValue(std::wstring_view keyPath, std::wstring_view valueName, const CSettingValue& value,
                  bool bCreateKey = true);
    bool DeleteValue(std::wstring_view keyPath, std::wstring_view valueName);

    // The host settings registry's calls: a value of another type, or a
    // missing one, reads as the default.
    DWORD GetDword(std::wstring_view keyPath, std::wstring_view valueName, DWORD dwDefault) const;
    bool SetDword(std::wstring_view keyPath, std::wstring_view valueName, DWORD dwValue);
    std::wstring GetString(std::wstring_view keyPath, std::wstring_view valueName,
                           std::wstring_view strDefault) const;
    bool SetString(std::wstring_view keyPath, std::wstring_view valueName, std::wstring_view strValue);

    // --- JSON ----------------------------------------------------------------
    nlohmann::json ExportJson() const;
    // Replaces the whole tree. On invalid input the store is unchanged, the
    // answer is false and pstrError (when given) says what is wrong.
    bool ImportJson(const nlohmann::json& document, std::wstring* pstrError = nullptr);

private:
    using Traces = std::vector<std::wstring>;

    SSettingsKey* FindKeyLocked(std::wstring_view keyPath) const;
    SSettingsKey* CreateKeyLocked(std::wstring_view keyPath, bool& bCreated);
    void MarkChangedLocked(Traces& traces);
    bool SaveLocked(Traces& traces);
    bool LoadFileLocked(Traces& traces);
    static void WriteTraces(const Traces& traces);

    mutable std::mutex m_mutex;
    std::unique_ptr<SSettingsKey> m_pRoot;
    std::filesystem::path m_filePath;
    std::filesystem::path m_setAsidePath;
    BeforeRenameHook m_beforeRenameHook;
    bool m_bDirty = false;
    bool m_bAutoSave = false;
    // Set when a damaged file could not be moved aside: saving would destroy it.
    bool m_bSaveBlocked = false;
};

// The store the registry calls use, one per process; an empty in-memory store
// until the host installs its own. A reference stays valid while that store
// is installed (or otherwise kept alive).
CSettingsStore& GetProcessSettingsStore();
std::shared_ptr<CSettingsStore> GetSharedProcessSettingsStore();
// Installs a store (null installs a fresh in-memory one) and returns the
// previous one.
std::shared_ptr<CSettingsStore> SetProcessSettingsStore(std::shared_ptr<CSettingsStore> pStore);
