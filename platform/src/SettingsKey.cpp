#include "SettingsKey.h"

#include <cwctype>
#include <locale.h>

namespace
{
// The C locale only folds ASCII; a private UTF-8 locale gives the real
// tables without touching the process locale.
locale_t GetFoldingLocale()
{
    static const locale_t hLocale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return hLocale;
}
} // namespace

std::wstring FoldSettingName(std::wstring_view name)
{
    const locale_t hLocale = GetFoldingLocale();
    std::wstring folded(name);
    for (wchar_t& ch : folded)
    {
        if (hLocale != static_cast<locale_t>(nullptr))
        {
            ch = static_cast<wchar_t>(towlower_l(static_cast<wint_t>(ch), hLocale));
        }
        else if (ch >= L'A' && ch <= L'Z')
        {
            ch = static_cast<wchar_t>(ch - L'A' + L'a');
        }
    }
    return folded;
}

std::vector<std::wstring_view> SplitSettingsPath(std::wstring_view path)
{
    std::vector<std::wstring_view> parts;
    std::size_t nStart = 0;
    while (nStart <= path.size())
    {
        std::size_t nEnd = path.find(L'\\', nStart);
        if (nEnd == std::wstring_view::npos)
        {
            nEnd = path.size();
        }
        if (nEnd > nStart)
        {
            parts.push_back(path.substr(nStart, nEnd - nStart));
        }
        nStart = nEnd + 1;
    }
    return parts;
}
