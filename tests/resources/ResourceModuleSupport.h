// The language resource module as the palette loads it: by its Windows name
// from the "EN" language folder of the build.
#pragma once

#include "Modules.h"
#include "Resources.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <string>

inline HMODULE ResourceModule()
{
    static HMODULE s_hModule = []
    {
        const std::wstring strPath = Utf8ToWide(RESOURCE_MODULE_FOLDER) + L"\\VornMaterialPaletteRC.DLL";
        return LoadLibraryW(strPath.c_str());
    }();
    return s_hModule;
}

inline std::wstring StringOf(UINT nID)
{
    const wchar_t* pText = nullptr;
    const int nLength = LoadStringW(ResourceModule(), nID, reinterpret_cast<LPWSTR>(&pText), 0);
    return nLength > 0 ? std::wstring(pText, static_cast<std::size_t>(nLength)) : std::wstring();
}
