// The in-memory tree behind CSettingsStore, shared by its source files.
#pragma once

#include "SettingsStore.h"

#include <nlohmann/json.hpp>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct SNamedSettingValue
{
    std::wstring strName;
    CSettingValue value;
};

struct SSettingsKey
{
    std::wstring strName;
    // Both maps are keyed by the folded name, so lookups ignore case and
    // enumeration follows a case-blind order.
    std::map<std::wstring, std::unique_ptr<SSettingsKey>> mapSubkeys;
    std::map<std::wstring, SNamedSettingValue> mapValues;
};

// Lower-cases with the full Unicode tables, whatever the process locale.
std::wstring FoldSettingName(std::wstring_view name);

// The non-empty parts of a backslash-separated path.
std::vector<std::wstring_view> SplitSettingsPath(std::wstring_view path);

// Converts between the tree and its JSON form (format in SettingsStore.h).
nlohmann::json SettingsKeyToJson(const SSettingsKey& key);
std::unique_ptr<SSettingsKey> SettingsKeyFromJson(const nlohmann::json& document, std::wstring& strError);
