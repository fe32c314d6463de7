#include "Registry.h"

#include "LastError.h"
#include "SettingsStore.h"

#include <cstring>
#include <optional>

namespace
{
// Generic rights, as a caller may pass them instead of key rights.
constexpr REGSAM kGenericRead = 0x80000000u;
constexpr REGSAM kGenericWrite = 0x40000000u;
constexpr REGSAM kGenericAll = 0x10000000u;

class CRegistryKey : public CKernelObject
{
public:
    CRegistryKey(bool bMachine, std::wstring strPath) : m_bMachine(bMachine), m_strPath(std::move(strPath)) {}
    const bool m_bMachine;
    const std::wstring m_strPath;
};

CHandleTable& GetKeyTable()
{
    // Never destroyed: modules unloaded at exit may still close their keys.
    static CHandleTable* pTable = new CHandleTable(2);
    return *pTable;
}

// The machine hive: always empty, never written.
std::shared_ptr<CSettingsStore> GetMachineStore()
{
    static std::shared_ptr<CSettingsStore>* pStore =
        new std::shared_ptr<CSettingsStore>(std::make_shared<CSettingsStore>());
    return *pStore;
}

struct SOpenKey
{
    bool bMachine = false;
    bool bPredefined = false;
    std::wstring strPath;
    REGSAM access = 0;
    std::shared_ptr<CSettingsStore> pStore;
};

// Finds what a handle stands for; ERROR_KEY_DELETED when its key has gone.
LONG ResolveKey(HKEY hKey, SOpenKey& key)
{
    if (hKey == HKEY_CURRENT_USER || hKey == HKEY_LOCAL_MACHINE)
    {
        key.bMachine = hKey == HKEY_LOCAL_MACHINE;
        key.bPredefined = true;
        key.access = KEY_ALL_ACCESS;
    }
    else
    {
        ACCESS_MASK access = 0;
        std::shared_ptr<CRegistryKey> pKey = std::dynamic_pointer_cast<CRegistryKey>(
            GetKeyTable().Lookup(reinterpret_cast<HANDLE>(hKey), &access));
        if (!pKey)
        {
            return ERROR_INVALID_HANDLE;
        }
        key.bMachine = pKey->m_bMachine;
        key.strPath = pKey->m_strPath;
        key.access = access;
    }
    key.pStore = key.bMachine ? GetMachineStore() : GetSharedProcessSettingsStore();
    if (!key.bPredefined && !key.pStore->KeyExists(key.strPath))
    {
        return ERROR_KEY_DELETED;
    }
    return ERROR_SUCCESS;
}

std::wstring JoinPath(const std::wstring& strBase, LPCWSTR lpSubKey)
{
    if (lpSubKey == nullptr || *lpSubKey == L'\0')
    {
        return strBase;
    }
    return strBase.empty() ? std::wstring(lpSubKey) : strBase + L"\\" + lpSubKey;
}

bool IsRootPath(const std::wstring& strPath)
{
    return strPath.find_first_not_of(L'\\') == std::wstring::npos;
}

REGSAM MapGenericRights(REGSAM sam)
{
    REGSAM mapped = sam & ~(kGenericRead | kGenericWrite | kGenericAll | KEY_WOW64_32KEY | KEY_WOW64_64KEY);
    if ((sam & kGenericRead) != 0)
    {
        mapped |= KEY_READ;
    }
    if ((sam & kGenericWrite) != 0)
    {
        mapped |= KEY_WRITE;
    }
    if ((sam & kGenericAll) != 0)
    {
        mapped |= KEY_ALL_ACCESS;
    }
    return mapped;
}

LONG OpenHandle(const SOpenKey& parent, std::wstring strPath, REGSAM sam, PHKEY phkResult)
{
    HANDLE h = GetKeyTable().Insert(std::make_shared<CRegistryKey>(parent.bMachine, std::move(strPath)),
                                    MapGenericRights(sam));
    if (h == nullptr)
    {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    *phkResult = reinterpret_cast<HKEY>(h);
    return ERROR_SUCCESS;
}

void AppendLittleEndian(std::vector<BYTE>& bytes, QWORD value, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
    {
        bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
    }
}

QWORD ReadLittleEndian(const BYTE* pData, int nBytes)
{
    QWORD value = 0;
    for (int i = 0; i < nBytes; ++i)
    {
        value |= static_cast<QWORD>(pData[i]) << (8 * i);
    }
    return value;
}

// The bytes a value reads as, with its registry type.
std::vector<BYTE> ValueBytes(const CSettingValue& value, DWORD& dwType)
{
    std::vector<BYTE> bytes;
    switch (value.GetType())
    {
        case ESettingType::Dword:
            dwType = REG_DWORD;
            AppendLittleEndian(bytes, value.GetDword(), 4);
            break;
        case ESettingType::Qword:
            dwType = REG_QWORD;
            AppendLittleEndian(bytes, value.GetQword(), 8);
            break;
        case ESettingType::String:
        {
            dwType = REG_SZ;
            const std::wstring& text = value.GetString();
            bytes.resize((text.size() + 1) * sizeof(wchar_t));
            std::memcpy(bytes.data(), text.c_str(), bytes.size());
            break;
        }
        case ESettingType::Binary:
            dwType = REG_BINARY;
            bytes = value.GetBinary();
            break;
    }
    return bytes;
}

// The Windows size protocol shared by querying and enumerating values.
LONG CopyValueOut(const CSettingValue& value, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    DWORD dwType = REG_NONE;
    const std::vector<BYTE> bytes = ValueBytes(value, dwType);
    if (lpType != nullptr)
    {
        *lpType = dwType;
    }
    if (lpcbData == nullptr)
    {
        return ERROR_SUCCESS;
    }
    const DWORD cbNeeded = static_cast<DWORD>(bytes.size());
    if (lpData != nullptr)
    {
        if (*lpcbData < cbNeeded)
        {
            *lpcbData = cbNeeded;
            return ERROR_MORE_DATA;
        }
        if (!bytes.empty())
        {
            std::memcpy(lpData, bytes.data(), bytes.size());
        }
    }
    *lpcbData = cbNeeded;
    return ERROR_SUCCESS;
}

// Copies a name with its NUL when the buffer holds both.
LONG CopyNameOut(const std::wstring& strName, LPWSTR lpName, LPDWORD lpcchName)
{
    if (*lpcchName < strName.size() + 1)
    {
        return ERROR_MORE_DATA;
    }
    std::memcpy(lpName, strName.c_str(), (strName.size() + 1) * sizeof(wchar_t));
    *lpcchName = static_cast<DWORD>(strName.size());
    return ERROR_SUCCESS;
}

std::optional<CSettingValue> ValueFromBytes(DWORD dwType, const BYTE* lpData, DWORD cbData)
{
    switch (dwType)
    {
        case REG_DWORD:
            if (cbData != 4)
            {
                return std::nullopt;
            }
            return CSettingValue::FromDword(static_cast<DWORD>(ReadLittleEndian(lpData, 4)));
        case REG_QWORD:
            if (cbData != 8)
            {
                return std::nullopt;
            }
            return CSettingValue::FromQword(ReadLittleEndian(lpData, 8));
        case REG_SZ:
        {
            if (cbData % sizeof(wchar_t) != 0)
            {
                return std::nullopt;
            }
            std::wstring text(cbData / sizeof(wchar_t), L'\0');
            if (cbData != 0)
            {
                std::memcpy(text.data(), lpData, cbData);
            }
            text.resize(std::wcslen(text.c_str()));
            return CSettingValue::FromString(std::move(text));
        }
        case REG_BINARY:
            return CSettingValue::FromBinary(std::vector<BYTE>(lpData, lpData + cbData));
        default:
            return std::nullopt;
    }
}
} // namespace

LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult)
{
    if (phkResult == nullptr)
    {
        return ERROR_INVALID_PARAMETER;
    }
    *phkResult = nullptr;
    SOpenKey parent;
    if (LONG nError = ResolveKey(hKey, parent); nError != ERROR_SUCCESS)
    {
        return nError;
    }
    std::wstring strPath = JoinPath(parent.strPath, lpSubKey);
    if (!parent.pStore->KeyExists(strPath))
    {
        return ERROR_FILE_NOT_FOUND;
    }
    return OpenHandle(parent, std::move(strPath), samDesired, phkResult);
}

LSTATUS RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD, REGSAM samDesired,
                        const LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition)
{
    if (phkResult == nullptr || lpSubKey == nullptr)
    {
        return ERROR_INVALID_PARAMETER;
    }
    *phkResult = nullptr;
    SOpenKey parent;
    if (LONG nError = ResolveKey(hKey, parent); nError != ERROR_SUCCESS)
    {
        return nError;
    }
    std::wstring strPath = JoinPath(parent.strPath, lpSubKey);
    DWORD dwDisposition = REG_OPENED_EXISTING_KEY;
    if (!parent.pStore->KeyExists(strPath))
    {
        if (parent.bMachine || (parent.access & KEY_CREATE_SUB_KEY) == 0)
        {
            return ERROR_ACCESS_DENIED;
        }
        bool bCreated = false;
        if (!parent.pStore->CreateKey(strPath, &bCreated))
        {
            return ERROR_INVALID_PARAMETER; // too deep, or a name too long
        }
        if (bCreated)
        {
            dwDisposition = REG_CREATED_NEW_KEY;
        }
    }
    const LONG nResult = OpenHandle(parent, std::move(strPath), samDesired, phkResult);
    if (nResult == ERROR_SUCCESS && lpdwDisposition != nullptr)
    {
        *lpdwDisposition = dwDisposition;
    }
    return nResult;
}

LSTATUS RegCloseKey(HKEY hKey)
{
    if (hKey == HKEY_CURRENT_USER || hKey == HKEY_LOCAL_MACHINE)
    {
        return ERROR_SUCCESS; // predefined keys are never really open
    }
    return GetKeyTable().Remove(reinterpret_cast<HANDLE>(hKey)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                         LPDWORD lpcbData)
{
    if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr))
    {
        return ERROR_INVALID_PARAMETER;
    }
    SOpenKey key;
    if (LONG nError = ResolveKey(hKey, key); nError != ERROR_SUCCESS)
    {
        return nError;
    }
    if ((key.access & KEY_QUERY_VALUE) == 0)
    {
        return ERROR_ACCESS_DENIED;
    }
    const std::optional<CSettingValue> value =
        key.pStore->GetValue(key.strPath, lpValueName != nullptr ? lpValueName : L"");
    if (!value)
    {
        return ERROR_FILE_NOT_FOUND;
    }
    return CopyValueOut(*value, lpType, lpData, lpcbData);
}

LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData)
{
    if (lpData == nullptr && cbData != 0)
    {
        return ERROR_INVALID_PARAMETER;
    }
    SOpenKey key;
    if (LONG nError = ResolveKey(hKey, key); nError != ERROR_SUCCESS)
    {
        return nError;
    }
    if (key.bMachine || (key.access & KEY_SET_VALUE) == 0)
    {
        return ERROR_ACCESS_DENIED;
    }
    static const BYTE kNothing = 0;
    const std::optional<CSettingValue> value =
        ValueFromBytes(dwType, lpData != nullptr ? lpData : &kNothing, cbData);
    if (!value)
    {
        return ERROR_INVALID_PARAMETER;
    }
    if (!key.pStore->SetValue(key.strPath, lpValueName != nullptr ? lpValueName : L"", *value, false))
    {
        return ERROR_KEY_DELETED;
    }
    return ERROR_SUCCESS;
}

LSTATUS RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName)
{
    SOpenKey key;
    if (LONG nError = ResolveKey(hKey, key); nError != ERROR_SUCCESS)
    {
        return nError;
    }
    if (key.bMachine || (key.access & KEY_SET_VALUE) == 0)
    {
        return ERROR_ACCESS_DENIED;
    }
    return key.pStore->DeleteValue(key.strPath, lpValueName != nullptr ? lpValueName : L"")
               ? ERROR_SUCCESS
               : ERROR_FILE_NOT_FOUND;
}

LSTATUS RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey)
{
    if (lpSubKey == nullptr || IsRootPath(lpSubKey))
    {
        return ERROR_INVALID_PARAMETER;
    }
    SOpenKey parent;
    if (LONG nError = ResolveKey(hKey, parent); nError != ERROR_SUCCESS)
    {
        return nError;
    }
    const std::wstring strPath = JoinPath(parent.strPath, lpSubKey);
    if (!parent.pStore->KeyExists(strPath))
    {
        return ERROR_FILE_NOT_FOUND;
    }
    if (parent.bMachine || !parent.pStore->GetSubkeyNames(strPath).empty())
    {
        return ERROR_ACCESS_DENIED;
    }
    return parent.pStore->DeleteKey(strPath) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LSTATUS RegDeleteTreeW(HKEY hKey, LPCWSTR lpSubKey)
{
    SOpenKey parent;
    if (LONG nError = ResolveKey(hKey, parent); nError != ERROR_SUCCESS)
    {
        return nError;
    }
    const std::wstring strPath = JoinPath(parent.strPath, lpSubKey);
    if (!parent.pStore->KeyExists(strPath))
    {
        return ERROR_FILE_NOT_FOUND;
    }
    if (parent.bMachine)
    {
        return ERROR_ACCESS_DENIED;
    }
    if (lpSubKey == nullptr || IsRootPath(lpSubKey))
    {
        return parent.pStore->ClearKey(strPath) ? ERROR_SUCCESS : ERROR_KEY_DELETED;
    }
    return parent.pStore->DeleteKey(strPath) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LSTATUS RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName, LPDWORD, LPWSTR lpClass,
                      LPDWORD lpcchClass, PFILETIME lpftLastWriteTime)
{
    if (lpName == nullptr || lpcchName == nullptr)
    {
        return ERROR_INVALID_PARAMETER;
    }
    SOpenKey key;
    if (LONG nError = ResolveKey(hKey, key); nError != ERROR_SUCCESS)
    {
        return nError;
    }
    if ((key.access & KEY_ENUMERATE_SUB_KEYS) == 0)
    {
        return ERROR_ACCESS_DENIED;
    }
    const std::vector<std::wstring> names = key.pStore->GetSubkeyNames(key.strPath);
    if (dwIndex >= names.size())
    {
        return ERROR_NO_MORE_ITEMS;
    }
    if (LONG nError = CopyNameOut(names[dwIndex], lpName, lpcchName); nError != ERROR_SUCCESS)
    {
        return nError;
    }
    if (lpClass != nullptr && lpcchClass != nullptr && *lpcchClass > 0)
    {
        lpClass[0] = L'\0';
    }
    if (lpcchClass != nullptr)
    {
        *lpcchClass = 0;
    }
    if (lpftLastWriteTime != nullptr)
    {
        *lpftLastWriteTime = FILETIME{0, 0};
    }
    return ERROR_SUCCESS;
}

LSTATUS RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName,
                      LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    if (lpValueName == nullptr || lpcchValueName == nullptr || lpReserved != nullptr ||
        (lpData != nullptr && lpcbData == nullptr))
    {
        return ERROR_INVALID_PARAMETER;
    }
    SOpenKey key;
    if (LONG nError = ResolveKey(hKey, key); nError != ERROR_SUCCESS)
    {
        return nError;
    }
    if ((key.access & KEY_QUERY_VALUE) == 0)
    {
        return ERROR_ACCESS_DENIED;
    }
    const std::vector<std::wstring> names = key.pStore->GetValueNames(key.strPath);
    if (dwIndex >= names.size())
    {
        return ERROR_NO_MORE_ITEMS;
    }
    const std::optional<CSettingValue> value = key.pStore->GetValue(key.strPath, names[dwIndex]);
    if (!value)
    {
        return ERROR_NO_MORE_ITEMS; // deleted meanwhile by another thread
    }
    if (LONG nError = CopyNameOut(names[dwIndex], lpValueName, lpcchValueName); nError != ERROR_SUCCESS)
    {
        return nError;
    }
    return CopyValueOut(*value, lpType, lpData, lpcbData);
}
