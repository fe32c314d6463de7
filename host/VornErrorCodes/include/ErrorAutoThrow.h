// The host's error carrier. Operations return a CErrorAutoThrow holding a
// MirnErrorCode; callers look at it (IsError, GetError) and usually drop it.
// ThrowIfError turns it into a CMException for code that prefers exceptions.
#pragma once

#include "WinDef.h"

#include <exception>
#include <string>

enum MirnErrorCode : int
{
    MIRN_ERR_NONE = 0,
    // A null, invalid or incomplete argument or data, or a failed allocation.
    MIRN_ERR_INVALID_ARG = 101,
    // A standard exception was raised while constructing an object.
    MIRN_ERR_STD_EXCEPTION = 102,
    // No current page, or no such sample.
    MIRN_ERR_NOT_FOUND = 110,
    // Codes the host's own modules report.
    MIRN_ERR_NOT_IMPLEMENTED = 203,
    MIRN_ERR_NO_INTERFACE = 211,
    MIRN_ERR_HOST_FAILURE = 340,
};

// A short English description of a code, for traces and message boxes.
const wchar_t* MirnErrorText(MirnErrorCode code);

class CMException : public std::exception
{
public:
    explicit CMException(MirnErrorCode code);
    MirnErrorCode GetError() const { return m_eCode; }
    const char* what() const noexcept override { return m_strWhat.c_str(); }

private:
    MirnErrorCode m_eCode;
    std::string m_strWhat;
};

class CErrorAutoThrow
{
public:
    CErrorAutoThrow() = default;
    CErrorAutoThrow(MirnErrorCode code) : m_eCode(code) {}
    CErrorAutoThrow(int code) : m_eCode(static_cast<MirnErrorCode>(code)) {}

    MirnErrorCode GetError() const { return m_eCode; }
    void SetError(MirnErrorCode code) { m_eCode = code; }
    bool IsError() const { return m_eCode != MIRN_ERR_NONE; }
    bool IsOk() const { return m_eCode == MIRN_ERR_NONE; }
    void Clear() { m_eCode = MIRN_ERR_NONE; }
    // Raises a CMException carrying the code when it is an error.
    void ThrowIfError() const;

    CErrorAutoThrow& operator=(MirnErrorCode code)
    {
        m_eCode = code;
        return *this;
    }
    friend bool operator==(const CErrorAutoThrow& a, MirnErrorCode b) { return a.m_eCode == b; }
    friend bool operator==(const CErrorAutoThrow& a, int b) { return static_cast<int>(a.m_eCode) == b; }

private:
    MirnErrorCode m_eCode = MIRN_ERR_NONE;
};
