#include "ErrorAutoThrow.h"

#include "Utf8.h"

const wchar_t* MirnErrorText(MirnErrorCode code)
{
    switch (code)
    {
        case MIRN_ERR_NONE:
            return L"No error";
        case MIRN_ERR_INVALID_ARG:
            return L"Missing, invalid or incomplete argument or data";
        case MIRN_ERR_STD_EXCEPTION:
            return L"An exception was raised during construction";
        case MIRN_ERR_NOT_FOUND:
            return L"No current page or no such item";
        case MIRN_ERR_NOT_IMPLEMENTED:
            return L"The operation is not available";
        case MIRN_ERR_NO_INTERFACE:
            return L"The object does not offer the interface asked for";
        case MIRN_ERR_HOST_FAILURE:
            return L"The host could not carry out the operation";
    }
    return L"Unknown error";
}

CMException::CMException(MirnErrorCode code)
    : m_eCode(code),
      m_strWhat("error " + std::to_string(static_cast<int>(code)) + ": " + WideToUtf8(MirnErrorText(code)))
{
}

void CErrorAutoThrow::ThrowIfError() const
{
    if (IsError())
    {
        throw CMException(m_eCode);
    }
}
