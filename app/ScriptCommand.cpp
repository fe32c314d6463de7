#include "ScriptCommand.h"

#include "WinMessages.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <utility>

namespace
{

std::string Lower(std::string strText)
{
    std::transform(strText.begin(), strText.end(), strText.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return strText;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

const std::pair<const char*, UINT> kNamedKeys[] = {
    {"enter", VK_RETURN},    {"return", VK_RETURN},     {"tab", VK_TAB},        {"escape", VK_ESCAPE},
    {"esc", VK_ESCAPE},      {"space", VK_SPACE},       {"backspace", VK_BACK}, {"delete", VK_DELETE},
    {"del", VK_DELETE},      {"insert", VK_INSERT},     {"home", VK_HOME},      {"end", VK_END},
    {"pageup", VK_PRIOR},    {"pagedown", VK_NEXT},     {"left", VK_LEFT},      {"right", VK_RIGHT},
    {"up", VK_UP},           {"down", VK_DOWN},         {"shift", VK_SHIFT},    {"ctrl", VK_CONTROL},
    {"control", VK_CONTROL}, {"alt", VK_MENU},          {"plus", VK_OEM_PLUS},  {"minus", VK_OEM_MINUS},
    {"comma", VK_OEM_COMMA}, {"period", VK_OEM_PERIOD},
};

std::optional<UINT> KeyFromName(const std::string& strName)
{
    const std::string strLower = Lower(strName);
    if (strLower.size() == 1)
    {
        const char c = strLower[0];
        if (c >= 'a' && c <= 'z')
            return static_cast<UINT>('A' + (c - 'a'));
        if (c >= '0' && c <= '9')
            return static_cast<UINT>(c);
    }
    if (strLower.size() >= 2 && strLower[0] == 'f')
    {
        const std::optional<long> nNumber = ParseInteger(strLower.substr(1));
        if (nNumber && *nNumber >= 1 && *nNumber <= 12)
            return static_cast<UINT>(VK_F1 + *nNumber - 1);
    }
    for (const auto& [pszName, nKey] : kNamedKeys)
    {
        if (strLower == pszName)
            return nKey;
    }
    return std::nullopt;
}

} // namespace

SScriptLine ParseScriptLine(const std::string& strText, int nLine)
{
    SScriptLine line;
    line.nLine = nLine;
    size_t nPos = 0;
    while (nPos < strText.size() && IsBlank(strText[nPos]))
        ++nPos;
    if (nPos == strText.size() || strText[nPos] == '#')
        return line;

    std::vector<std::string> words;
    size_t nAfterCommand = std::string::npos;
    while (nPos < strText.size())
    {
        while (nPos < strText.size() && IsBlank(strText[nPos]))
            ++nPos;
        if (nPos == strText.size())
            break;
        std::string strWord;
        if (strText[nPos] == '"')
        {
            ++nPos;
            while (nPos < strText.size() && strText[nPos] != '"')
            {
                if (strText[nPos] == '\\' && nPos + 1 < strText.size())
                    ++nPos;
                strWord += strText[nPos++];
            }
            if (nPos < strText.size())
                ++nPos; // the closing quote
        }
        else
        {
            while (nPos < strText.size() && !IsBlank(strText[nPos]))
                strWord += strText[nPos++];
        }
        words.push_back(std::move(strWord));
        if (words.size() == 1)
            nAfterCommand = nPos;
    }
    line.strCommand = Lower(words.front());
    line.args.assign(words.begin() + 1, words.end());
    if (nAfterCommand != std::string::npos && nAfterCommand < strText.size())
    {
        size_t nStart = nAfterCommand;
        // One separating blank belongs to the command, the rest to the text.
        if (IsBlank(strText[nStart]))
            ++nStart;
        size_t nEnd = strText.size();
        while (nEnd > nStart && (strText[nEnd - 1] == '\r' || strText[nEnd - 1] == '\n'))
            --nEnd;
        line.strRest = strText.substr(nStart, nEnd - nStart);
    }
    return line;
}

std::optional<long> ParseInteger(const std::string& strText)
{
    if (strText.empty())
        return std::nullopt;
    errno = 0;
    char* pEnd = nullptr;
    const long nValue = std::strtol(strText.c_str(), &pEnd, 10);
    if (errno != 0 || pEnd == strText.c_str() || *pEnd != '\0')
        return std::nullopt;
    return nValue;
}

std::optional<SKeyChord> ParseKeyChord(const std::string& strText)
{
    // "ctrl++" names the plus key itself.
    std::string strModifiers = strText;
    std::string strKey;
    if (strText == "+" || (strText.size() >= 2 && strText.ends_with("++")))
    {
        strKey = "plus";
        strModifiers = strText.size() >= 2 ? strText.substr(0, strText.size() - 2) : std::string();
    }
    else
    {
        const size_t nLastPlus = strText.rfind('+');
        strKey = nLastPlus == std::string::npos ? strText : strText.substr(nLastPlus + 1);
        strModifiers = nLastPlus == std::string::npos ? std::string() : strText.substr(0, nLastPlus);
    }

    SKeyChord chord;
    size_t nStart = 0;
    while (!strModifiers.empty() && nStart <= strModifiers.size())
    {
        const size_t nPlus = strModifiers.find('+', nStart);
        const std::string strModifier = Lower(
            strModifiers.substr(nStart, nPlus == std::string::npos ? std::string::npos : nPlus - nStart));
        if (strModifier == "shift")
            chord.bShift = true;
        else if (strModifier == "ctrl" || strModifier == "control")
            chord.bControl = true;
        else if (strModifier == "alt")
            chord.bAlt = true;
        else
            return std::nullopt;
        if (nPlus == std::string::npos)
            break;
        nStart = nPlus + 1;
    }
    const std::optional<UINT> nKey = KeyFromName(strKey);
    if (!nKey)
        return std::nullopt;
    chord.nVirtualKey = *nKey;
    return chord;
}

const nlohmann::json* FindJsonValue(const nlohmann::json& document, const std::string& strPath)
{
    if (!strPath.empty() && strPath[0] == '/')
    {
        try
        {
            const nlohmann::json::json_pointer pointer(strPath);
            return document.contains(pointer) ? &document.at(pointer) : nullptr;
        }
        catch (const nlohmann::json::exception&)
        {
            return nullptr;
        }
    }
    const nlohmann::json* pValue = &document;
    size_t nStart = 0;
    while (nStart <= strPath.size())
    {
        const size_t nDot = strPath.find('.', nStart);
        const std::string strName =
            strPath.substr(nStart, nDot == std::string::npos ? std::string::npos : nDot - nStart);
        if (strName.empty())
            return nullptr;
        if (pValue->is_object())
        {
            auto it = pValue->find(strName);
            if (it == pValue->end())
                return nullptr;
            pValue = &*it;
        }
        else if (pValue->is_array())
        {
            const std::optional<long> nIndex = ParseInteger(strName);
            if (!nIndex || *nIndex < 0 || static_cast<size_t>(*nIndex) >= pValue->size())
                return nullptr;
            pValue = &(*pValue)[static_cast<size_t>(*nIndex)];
        }
        else
        {
            return nullptr;
        }
        if (nDot == std::string::npos)
            break;
        nStart = nDot + 1;
    }
    return pValue;
}

nlohmann::json ParseExpectedValue(const std::string& strText)
{
    nlohmann::json value = nlohmann::json::parse(strText, nullptr, false);
    if (value.is_discarded())
        return nlohmann::json(strText);
    return value;
}
