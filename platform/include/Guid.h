// 16-byte interface and class identifiers, their text form
// "{5542FF81-C8A4-4A2E-A332-6E9DCAD92574}" and parsing back.
#pragma once

#include "WinDef.h"

#include <string>
#include <string_view>

struct GUID
{
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];

    friend constexpr bool operator==(const GUID& a, const GUID& b)
    {
        if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        {
            return false;
        }
        for (int i = 0; i < 8; ++i)
        {
            if (a.Data4[i] != b.Data4[i])
            {
                return false;
            }
        }
        return true;
    }
    friend constexpr bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }
};
using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;
using LPOLESTR = wchar_t*;
using LPCOLESTR = const wchar_t*;

constexpr GUID GUID_NULL{0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

inline bool IsEqualGUID(REFGUID a, REFGUID b)
{
    return a == b;
}
inline bool IsEqualIID(REFIID a, REFIID b)
{
    return a == b;
}

namespace guid_detail
{
constexpr int HexValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
    {
        return c - L'0';
    }
    if (c >= L'a' && c <= L'f')
    {
        return c - L'a' + 10;
    }
    if (c >= L'A' && c <= L'F')
    {
        return c - L'A' + 10;
    }
    return -1;
}

// Parses "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX", with or without braces.
constexpr bool Parse(std::wstring_view text, GUID& out)
{
    if (text.size() == 38)
    {
        if (text.front() != L'{' || text.back() != L'}')
        {
            return false;
        }
        text = text.substr(1, 36);
    }
    if (text.size() != 36 || text[8] != L'-' || text[13] != L'-' || text[18] != L'-' || text[23] != L'-')
    {
        return false;
    }
    BYTE bytes[16] = {};
    int n = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (i == 8 || i == 13 || i == 18 || i == 23)
        {
            continue;
        }
        const int high = HexValue(text[i]);
        const int low = HexValue(text[i + 1]);
        if (high < 0 || low < 0)
        {
            return false;
        }
        bytes[n++] = static_cast<BYTE>(high * 16 + low);
        ++i;
    }
    out.Data1 = (static_cast<DWORD>(bytes[0]) << 24) | (static_cast<DWORD>(bytes[1]) << 16) |
                (static_cast<DWORD>(bytes[2]) << 8) | bytes[3];
    out.Data2 = static_cast<WORD>((bytes[4] << 8) | bytes[5]);
    out.Data3 = static_cast<WORD>((bytes[6] << 8) | bytes[7]);
    for (int i = 0; i < 8; ++i)
    {
        out.Data4[i] = bytes[8 + i];
    }
    return true;
}
} // namespace guid_detail

// An identifier written in its text form in the source, checked when compiled.
consteval GUID GuidFromLiteral(const wchar_t* text)
{
    GUID g{};
    std::wstring_view view(text);
    if (!guid_detail::Parse(view, g))
    {
        throw "malformed GUID literal";
    }
    return g;
}

// TRUE and the identifier when the text is a GUID with or without braces.
bool GuidFromString(std::wstring_view text, GUID& out);
// The registry form with braces and upper-case digits.
std::wstring GuidToString(REFGUID guid);

// As the COM calls: the text with braces, 39 characters with the terminating
// NUL; returns the characters written including the NUL, or 0 when the
// buffer is too small.
int StringFromGUID2(REFGUID guid, LPOLESTR buffer, int cchMax);
HRESULT IIDFromString(LPCOLESTR text, IID* out);
HRESULT CLSIDFromString(LPCOLESTR text, CLSID* out);

#define CO_E_CLASSSTRING static_cast<HRESULT>(0x800401F3u)
