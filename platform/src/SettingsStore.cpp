#include "SettingsKey.h"

#include "DebugOutput.h"

namespace
{
bool IsUsablePath(const std::vector<std::wstring_view>& parts)
{
    if (parts.size() > CSettingsStore::kMaxKeyDepth)
    {
        return false;
    }
    for (std::wstring_view part : parts)
    {
        if (part.size() > CSettingsStore::kMaxKeyNameLength)
        {
            return false;
        }
    }
    return true;
}
} // namespace

CSettingsStore::CSettingsStore() : m_pRoot(std::make_unique<SSettingsKey>()) {}

CSettingsStore::~CSettingsStore()
{
    Traces traces;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_bDirty && !m_filePath.empty())
        {
            SaveLocked(traces);
        }
    }
    WriteTraces(traces);
}

void CSettingsStore::WriteTraces(const Traces& traces)
{
    for (const std::wstring& strLine : traces)
    {
        OutputDebugStringW(strLine.c_str());
    }
}

void CSettingsStore::MarkChangedLocked(Traces& traces)
{
    m_bDirty = true;
    if (m_bAutoSave && !m_filePath.empty())
    {
        SaveLocked(traces);
    }
}

SSettingsKey* CSettingsStore::FindKeyLocked(std::wstring_view keyPath) const
{
    SSettingsKey* pKey = m_pRoot.get();
    for (std::wstring_view part : SplitSettingsPath(keyPath))
    {
        auto it = pKey->mapSubkeys.find(FoldSettingName(part));
        if (it == pKey->mapSubkeys.end())
        {
            return nullptr;
        }
        pKey = it->second.get();
    }
    return pKey;
}

bool CSettingsStore::KeyExists(std::wstring_view keyPath) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return FindKeyLocked(keyPath) != nullptr;
}

SSettingsKey* CSettingsStore::CreateKeyLocked(std::wstring_view keyPath, bool& bCreated)
{
    bCreated = false;
    const std::vector<std::wstring_view> parts = SplitSettingsPath(keyPath);
    if (!IsUsablePath(parts))
    {
        return nullptr;
    }
    SSettingsKey* pKey = m_pRoot.get();
    for (std::wstring_view part : parts)
    {
        std::unique_ptr<SSettingsKey>& pChild = pKey->mapSubkeys[FoldSettingName(part)];
        if (!pChild)
        {
            pChild = std::make_unique<SSettingsKey>();
            pChild->strName = std::wstring(part);
            bCreated = true;
        }
        pKey = pChild.get();
    }
    return pKey;
}

bool CSettingsStore::CreateKey(std::wstring_view keyPath, bool* pbCreated)
{
    Traces traces;
    bool bCreated = false;
    bool bResult = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        bResult = CreateKeyLocked(keyPath, bCreated) != nullptr;
        if (bCreated)
        {
            MarkChangedLocked(traces);
        }
    }
    WriteTraces(traces);
    if (pbCreated != nullptr)
    {
        *pbCreated = bCreated;
    }
    return bResult;
}

bool CSettingsStore::DeleteKey(std::wstring_view keyPath)
{
    std::vector<std::wstring_view> parts = SplitSettingsPath(keyPath);
    if (parts.empty())
    {
        return false;
    }
    const std::wstring strLeaf = FoldSettingName(parts.back());
    parts.pop_back();
    Traces traces;
    std::unique_ptr<SSettingsKey> pRemoved;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        SSettingsKey* pParent = m_pRoot.get();
        for (std::wstring_view part : parts)
        {
            auto it = pParent->mapSubkeys.find(FoldSettingName(part));
            if (it == pParent->mapSubkeys.end())
            {
                return false;
            }
            pParent = it->second.get();
        }
        auto it = pParent->mapSubkeys.find(strLeaf);
        if (it == pParent->mapSubkeys.end())
        {
            return false;
        }
        pRemoved = std::move(it->second);
        pParent->mapSubkeys.erase(it);
        MarkChangedLocked(traces);
    }
    WriteTraces(traces);
    return true;
}

bool CSettingsStore::ClearKey(std::wstring_view keyPath)
{
    Traces traces;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        SSettingsKey* pKey = FindKeyLocked(keyPath);
        if (pKey == nullptr)
        {
            return false;
        }
        if (pKey->mapSubkeys.empty() && pKey->mapValues.empty())
        {
            return true;
        }
        pKey->mapSubkeys.clear();
        pKey->mapValues.clear();
        MarkChangedLocked(traces);
    }
    WriteTraces(traces);
    return true;
}

std::vector<std::wstring> CSettingsStore::GetSubkeyNames(std::wstring_view keyPath) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::wstring> names;
    if (const SSettingsKey* pKey = FindKeyLocked(keyPath))
    {
        names.reserve(pKey->mapSubkeys.size());
        for (const auto& entry : pKey->mapSubkeys)
        {
            names.push_back(entry.second->strName);
        }
    }
    return names;
}

std::vector<std::wstring> CSettingsStore::GetValueNames(std::wstring_view keyPath) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::wstring> names;
    if (const SSettingsKey* pKey = FindKeyLocked(keyPath))
    {
        names.reserve(pKey->mapValues.size());
        for (const auto& entry : pKey->mapValues)
        {
            names.push_back(entry.second.strName);
        }
    }
    return names;
}

std::optional<CSettingValue> CSettingsStore::GetValue(std::wstring_view keyPath,
                                                      std::wstring_view valueName) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const SSettingsKey* pKey = FindKeyLocked(keyPath);
    if (pKey == nullptr)
    {
        return std::nullopt;
    }
    auto it = pKey->mapValues.find(FoldSettingName(valueName));
    if (it == pKey->mapValues.end())
    {
        return std::nullopt;
    }
    return it->second.value;
}

bool CSettingsStore::SetValue(std::wstring_view keyPath, std::wstring_view valueName,
                              const CSettingValue& value, bool bCreateKey)
{
    Traces traces;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        bool bKeyCreated = false;
        SSettingsKey* pKey = bCreateKey ? CreateKeyLocked(keyPath, bKeyCreated) : FindKeyLocked(keyPath);
        if (pKey == nullptr)
        {
            return false;
        }
        std::wstring strFolded = FoldSettingName(valueName);
        auto it = pKey->mapValues.find(strFolded);
        if (it != pKey->mapValues.end())
        {
            if (it->second.value == value)
            {
                return true; // unchanged: nothing to save
            }
            it->second.value = value;
        }
        else
        {
            pKey->mapValues.emplace(std::move(strFolded), SNamedSettingValue{std::wstring(valueName), value});
        }
        MarkChangedLocked(traces);
    }
    WriteTraces(traces);
    return true;
}

bool CSettingsStore::DeleteValue(std::wstring_view keyPath, std::wstring_view valueName)
{
    Traces traces;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        SSettingsKey* pKey = FindKeyLocked(keyPath);
        if (pKey == nullptr || pKey->mapValues.erase(FoldSettingName(valueName)) == 0)
        {
            return false;
        }
        MarkChangedLocked(traces);
    }
    WriteTraces(traces);
    return true;
}

DWORD CSettingsStore::GetDword(std::wstring_view keyPath, std::wstring_view valueName, DWORD dwDefault) const
{
    const std::optional<CSettingValue> value = GetValue(keyPath, valueName);
    return value && value->GetType() == ESettingType::Dword ? value->GetDword() : dwDefault;
}

bool CSettingsStore::SetDword(std::wstring_view keyPath, std::wstring_view valueName, DWORD dwValue)
{
    return SetValue(keyPath, valueName, CSettingValue::FromDword(dwValue));
}

std::wstring CSettingsStore::GetString(std::wstring_view keyPath, std::wstring_view valueName,
                                       std::wstring_view strDefault) const
{
    const std::optional<CSettingValue> value = GetValue(keyPath, valueName);
    return value && value->GetType() == ESettingType::String ? value->GetString() : std::wstring(strDefault);
}

bool CSettingsStore::SetString(std::wstring_view keyPath, std::wstring_view valueName,
                               std::wstring_view strValue)
{
    return SetValue(keyPath, valueName, CSettingValue::FromString(std::wstring(strValue)));
}

nlohmann::json CSettingsStore::ExportJson() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return SettingsKeyToJson(*m_pRoot);
}

bool CSettingsStore::ImportJson(const nlohmann::json& document, std::wstring* pstrError)
{
    std::wstring strError;
    std::unique_ptr<SSettingsKey> pRoot = SettingsKeyFromJson(document, strError);
    if (!pRoot)
    {
        if (pstrError != nullptr)
        {
            *pstrError = strError;
        }
        return false;
    }
    Traces traces;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::swap(m_pRoot, pRoot);
        MarkChangedLocked(traces);
    }
    WriteTraces(traces);
    return true;
}

namespace
{
struct SProcessStoreHolder
{
    std::mutex mutex;
    std::shared_ptr<CSettingsStore> pStore = std::make_shared<CSettingsStore>();
};

// Never destroyed, like the other process-wide tables: modules unloaded at
// exit may still read settings.
SProcessStoreHolder& GetProcessStoreHolder()
{
    static SProcessStoreHolder* pHolder = new SProcessStoreHolder;
    return *pHolder;
}
} // namespace

CSettingsStore& GetProcessSettingsStore()
{
    return *GetSharedProcessSettingsStore();
}

std::shared_ptr<CSettingsStore> GetSharedProcessSettingsStore()
{
    SProcessStoreHolder& holder = GetProcessStoreHolder();
    std::lock_guard<std::mutex> lock(holder.mutex);
    return holder.pStore;
}

std::shared_ptr<CSettingsStore> SetProcessSettingsStore(std::shared_ptr<CSettingsStore> pStore)
{
    if (!pStore)
    {
        pStore = std::make_shared<CSettingsStore>();
    }
    SProcessStoreHolder& holder = GetProcessStoreHolder();
    std::lock_guard<std::mutex> lock(holder.mutex);
    std::swap(holder.pStore, pStore);
    return pStore;
}
