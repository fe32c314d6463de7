#include "Guid.h"

#include <cstdio>
#include <cwchar>

bool GuidFromString(std::wstring_view text, GUID& out)
{
    GUID parsed{};
    if (!guid_detail::Parse(text, parsed))
    {
        return false;
    }
    out = parsed;
    return true;
}

std::wstring GuidToString(REFGUID g)
{
    wchar_t buffer[39];
    std::swprintf(buffer, 39, L"{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), static_cast<unsigned>(g.Data2),
                  static_cast<unsigned>(g.Data3), g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4],
                  g.Data4[5], g.Data4[6], g.Data4[7]);
    return buffer;
}

int StringFromGUID2(REFGUID guid, LPOLESTR buffer, int cchMax)
{
    const std::wstring text = GuidToString(guid);
    const int needed = static_cast<int>(text.size()) + 1;
    if (buffer == nullptr || cchMax < needed)
    {
        return 0;
    }
    std::wmemcpy(buffer, text.c_str(), static_cast<std::size_t>(needed));
    return needed;
}

HRESULT IIDFromString(LPCOLESTR text, IID* out)
{
    if (out == nullptr)
    {
        return E_INVALIDARG;
    }
    if (text == nullptr)
    {
        *out = GUID_NULL;
        return S_OK;
    }
    const std::wstring_view view(text);
    // The COM call wants the braces.
    if (view.size() != 38 || !GuidFromString(view, *out))
    {
        return CO_E_CLASSSTRING;
    }
    return S_OK;
}

HRESULT CLSIDFromString(LPCOLESTR text, CLSID* out)
{
    return IIDFromString(text, out);
}
