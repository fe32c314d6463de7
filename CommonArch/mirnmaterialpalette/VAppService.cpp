#include "VAppService.h"

#include "Utf8.h"

VAppService::VAppService() : m_pRecord(std::make_shared<SAppServiceRecord>()) {}

VAppService::~VAppService() = default;

CString VAppService::GetServiceName() const
{
    return m_pRecord->strName;
}

GUID VAppService::GetServiceID() const
{
    return m_pRecord->guidService;
}

void VAppService::SetServiceName(LPCWSTR pszName)
{
    m_pRecord->strName = pszName != nullptr ? pszName : L"";
}

void VAppService::SetServiceID(REFGUID guidService)
{
    m_pRecord->guidService = guidService;
    wchar_t text[40] = {};
    const int nWritten = StringFromGUID2(guidService, text, 40);
    // The text is kept in code page 65001 (UTF-8).
    m_pRecord->strGuidUtf8 = nWritten > 0 ? WideToUtf8(text) : std::string();
}

void VAppService::SetServiceValue(DWORD dwValue)
{
    m_dwValue = dwValue;
}

DWORD VAppService::GetServiceValue() const
{
    return m_dwValue;
}

bool VAppService::CanCloseService()
{
    return true;
}

int VAppService::GetMenuCount()
{
    return 0;
}

int VAppService::GetToolbarCount()
{
    return 0;
}

int VAppService::ExecuteServiceCommand(UINT)
{
    return 0;
}
