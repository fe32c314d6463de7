// The JSON form of the settings tree (the format is described in
// SettingsStore.h).
#include "SettingsKey.h"

#include "Utf8.h"

#include <cstdint>
#include <limits>

namespace
{
using json = nlohmann::json;

constexpr char kHexDigits[] = "0123456789abcdef";

std::string BytesToHex(const std::vector<BYTE>& bytes)
{
    std::string text;
    text.reserve(bytes.size() * 2);
    for (BYTE b : bytes)
    {
        text += kHexDigits[b >> 4];
        text += kHexDigits[b & 0x0F];
    }
    return text;
}

int HexDigitValue(char ch)
{
    if (ch >= '0' && ch <= '9')
    {
        return ch - '0';
    }
    if (ch >= 'a' && ch <= 'f')
    {
        return ch - 'a' + 10;
    }
    if (ch >= 'A' && ch <= 'F')
    {
        return ch - 'A' + 10;
    }
    return -1;
}

bool HexToBytes(const std::string& text, std::vector<BYTE>& bytes)
{
    if (text.size() % 2 != 0)
    {
        return false;
    }
    bytes.clear();
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2)
    {
        const int nHigh = HexDigitValue(text[i]);
        const int nLow = HexDigitValue(text[i + 1]);
        if (nHigh < 0 || nLow < 0)
        {
            return false;
        }
        bytes.push_back(static_cast<BYTE>((nHigh << 4) | nLow));
    }
    return true;
}

json TypedValue(const char* type, json payload)
{
    // Built member by member: an initializer list here trips a false
    // free-nonheap-object warning in GCC 12.
    json item = json::array();
    item.push_back(type);
    item.push_back(std::move(payload));
    return item;
}

json ValueToJson(const CSettingValue& value, const std::wstring* pstrRealName)
{
    json item;
    switch (value.GetType())
    {
        case ESettingType::Dword:
            item = pstrRealName != nullptr ? TypedValue("dword", value.GetDword()) : json(value.GetDword());
            break;
        case ESettingType::Qword:
            item = TypedValue("qword", value.GetQword());
            break;
        case ESettingType::String:
            item = pstrRealName != nullptr ? TypedValue("string", WideToUtf8(value.GetString()))
                                           : json(WideToUtf8(value.GetString()));
            break;
        case ESettingType::Binary:
            item = TypedValue("binary", BytesToHex(value.GetBinary()));
            break;
    }
    if (pstrRealName != nullptr)
    {
        item.push_back(WideToUtf8(*pstrRealName));
    }
    return item;
}

// 32-bit values may come as negative numbers written by hand or by a program
// that thinks of them as signed.
bool JsonToDword(const json& number, DWORD& dwValue)
{
    if (number.is_number_unsigned())
    {
        const std::uint64_t u = number.get<std::uint64_t>();
        if (u > std::numeric_limits<DWORD>::max())
        {
            return false;
        }
        dwValue = static_cast<DWORD>(u);
        return true;
    }
    if (number.is_number_integer())
    {
        const std::int64_t n = number.get<std::int64_t>();
        if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<DWORD>::max())
        {
            return false;
        }
        dwValue = static_cast<DWORD>(static_cast<std::uint32_t>(n));
        return true;
    }
    return false;
}

class CJsonReader
{
public:
    explicit CJsonReader(std::wstring& strError) : m_strError(strError) {}

    bool ReadKey(const json& object, SSettingsKey& key, std::size_t nDepth, const std::wstring& strPath)
    {
        for (const auto& member : object.items())
        {
            const std::wstring strName = Utf8ToWide(member.key());
            const json& item = member.value();
            if (item.is_object())
            {
                if (!ReadSubkey(item, key, strName, nDepth, strPath))
                {
                    return false;
                }
            }
            else if (!ReadValue(item, key, strName, strPath))
            {
                return false;
            }
        }
        return true;
    }

private:
    bool Fail(std::wstring strMessage)
    {
        m_strError = std::move(strMessage);
        return false;
    }

    static std::wstring Describe(const std::wstring& strPath)
    {
        return strPath.empty() ? std::wstring(L"the root key") : L"the key \"" + strPath + L"\"";
    }

    bool ReadSubkey(const json& item, SSettingsKey& parent, const std::wstring& strName, std::size_t nDepth,
                    const std::wstring& strPath)
    {
        const std::wstring strChildPath = strPath.empty() ? strName : strPath + L"\\" + strName;
        if (strName.empty() || strName.find(L'\\') != std::wstring::npos ||
            strName.size() > CSettingsStore::kMaxKeyNameLength)
        {
            return Fail(L"the key name \"" + strName + L"\" under " + Describe(strPath) +
                        L" is empty, too long or holds a backslash");
        }
        if (nDepth + 1 > CSettingsStore::kMaxKeyDepth)
        {
            return Fail(L"keys are nested deeper than the store allows at " + Describe(strChildPath));
        }
        std::wstring strFolded = FoldSettingName(strName);
        if (parent.mapSubkeys.count(strFolded) != 0)
        {
            return Fail(L"two keys under " + Describe(strPath) + L" are both named \"" + strName +
                        L"\" when case is ignored");
        }
        auto pChild = std::make_unique<SSettingsKey>();
        pChild->strName = strName;
        if (!ReadKey(item, *pChild, nDepth + 1, strChildPath))
        {
            return false;
        }
        parent.mapSubkeys.emplace(std::move(strFolded), std::move(pChild));
        return true;
    }

    bool ReadTypedValue(const json& item, const std::wstring& strMember, const std::wstring& strWhere,
                        CSettingValue& value, std::wstring& strName)
    {
        if ((item.size() != 2 && item.size() != 3) || !item[0].is_string() ||
            (item.size() == 3 && !item[2].is_string()))
        {
            return Fail(L"the value \"" + strMember + L"\" under " + strWhere +
                        L" is an array but not [\"type\", value] or [\"type\", value, \"name\"]");
        }
        const std::string type = item[0].get<std::string>();
        const json& payload = item[1];
        if (item.size() == 3)
        {
            strName = Utf8ToWide(item[2].get<std::string>());
        }
        const std::wstring strBad = L"the value \"" + strName + L"\" under " + strWhere + L" ";
        if (type == "dword")
        {
            DWORD dw = 0;
            if (!JsonToDword(payload, dw))
            {
                return Fail(strBad + L"is not a 32-bit integer");
            }
            value = CSettingValue::FromDword(dw);
        }
        else if (type == "qword")
        {
            if (!payload.is_number_integer())
            {
                return Fail(strBad + L"is not a 64-bit integer");
            }
            value = CSettingValue::FromQword(payload.is_number_unsigned()
                                                 ? payload.get<std::uint64_t>()
                                                 : static_cast<QWORD>(payload.get<std::int64_t>()));
        }
        else if (type == "string")
        {
            if (!payload.is_string())
            {
                return Fail(strBad + L"is not a string");
            }
            value = CSettingValue::FromString(Utf8ToWide(payload.get<std::string>()));
        }
        else if (type == "binary")
        {
            std::vector<BYTE> bytes;
            if (!payload.is_string() || !HexToBytes(payload.get<std::string>(), bytes))
            {
                return Fail(strBad + L"is not a string of hexadecimal byte pairs");
            }
            value = CSettingValue::FromBinary(std::move(bytes));
        }
        else
        {
            return Fail(strBad + L"has the unknown type \"" + Utf8ToWide(type) + L"\"");
        }
        return true;
    }

    bool ReadValue(const json& item, SSettingsKey& key, const std::wstring& strMember,
                   const std::wstring& strPath)
    {
        const std::wstring strWhere = Describe(strPath);
        std::wstring strName = strMember;
        CSettingValue value;
        if (item.is_string())
        {
            value = CSettingValue::FromString(Utf8ToWide(item.get<std::string>()));
        }
        else if (item.is_number_integer())
        {
            DWORD dw = 0;
            if (!JsonToDword(item, dw))
            {
                return Fail(L"the value \"" + strName + L"\" under " + strWhere +
                            L" does not fit in 32 bits (write [\"qword\", n] for a 64-bit value)");
            }
            value = CSettingValue::FromDword(dw);
        }
        else if (item.is_array())
        {
            if (!ReadTypedValue(item, strMember, strWhere, value, strName))
            {
                return false;
            }
        }
        else
        {
            return Fail(L"the value \"" + strName + L"\" under " + strWhere +
                        L" is of an unsupported kind (" + Utf8ToWide(item.type_name()) + L")");
        }
        std::wstring strFolded = FoldSettingName(strName);
        if (key.mapValues.count(strFolded) != 0)
        {
            return Fail(L"two values under " + strWhere + L" are both named \"" + strName +
                        L"\" when case is ignored");
        }
        key.mapValues.emplace(std::move(strFolded), SNamedSettingValue{strName, std::move(value)});
        return true;
    }

    std::wstring& m_strError;
};
} // namespace

json SettingsKeyToJson(const SSettingsKey& key)
{
    json object = json::object();
    for (const auto& entry : key.mapSubkeys)
    {
        object[WideToUtf8(entry.second->strName)] = SettingsKeyToJson(*entry.second);
    }
    for (const auto& entry : key.mapValues)
    {
        const SNamedSettingValue& named = entry.second;
        std::string member = WideToUtf8(named.strName);
        if (!object.contains(member))
        {
            object[member] = ValueToJson(named.value, nullptr);
            continue;
        }
        // A subkey (or a value whose name converted to the same text) holds
        // the member: pick a free one and carry the real name inside.
        std::string candidate = member + " (value)";
        for (int n = 2; object.contains(candidate); ++n)
        {
            candidate = member + " (value " + std::to_string(n) + ")";
        }
        object[candidate] = ValueToJson(named.value, &named.strName);
    }
    return object;
}

std::unique_ptr<SSettingsKey> SettingsKeyFromJson(const json& document, std::wstring& strError)
{
    if (!document.is_object())
    {
        strError = L"the top level is " + Utf8ToWide(document.type_name()) + L", not an object of keys";
        return nullptr;
    }
    auto pRoot = std::make_unique<SSettingsKey>();
    CJsonReader reader(strError);
    if (!reader.ReadKey(document, *pRoot, 0, std::wstring()))
    {
        return nullptr;
    }
    return pRoot;
}
