// The host's settings registry. Keys are paths below the host's own settings
// root; a value that is missing reads as the given default.
#pragma once

#include "CString.h"
#include "ComBase.h"
#include "ErrorAutoThrow.h"

struct IRegistry : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8A90}");
    virtual int ReadInteger(CErrorAutoThrow& error, LPCWSTR pszKey, LPCWSTR pszName, int nDefault) = 0;
    virtual void WriteInteger(CErrorAutoThrow& error, LPCWSTR pszKey, LPCWSTR pszName, int nValue) = 0;
    virtual CString ReadString(CErrorAutoThrow& error, LPCWSTR pszKey, LPCWSTR pszName,
                               LPCWSTR pszDefault) = 0;
    virtual void WriteString(CErrorAutoThrow& error, LPCWSTR pszKey, LPCWSTR pszName, LPCWSTR pszValue) = 0;
    // Removing a value that is not there is not an error.
    virtual void DeleteValue(CErrorAutoThrow& error, LPCWSTR pszKey, LPCWSTR pszName) = 0;
};
