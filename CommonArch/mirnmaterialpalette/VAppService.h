// The host's application-service base: a service identifier with its text
// form, a name, and a 32-bit value that the host sets and reads (the palette
// uses it as the docking-bar style of its pane).
#pragma once

#include "CString.h"
#include "Guid.h"
#include "WinDef.h"

#include <memory>
#include <string>

class CWnd;
struct ICommandExecutionContext;

// Shared between copies of a service object.
struct SAppServiceRecord
{
    GUID guidService = GUID_NULL;
    std::string strGuidUtf8; // the identifier as "{...}" text in UTF-8
    CString strName;
};

class VAppService
{
public:
    VAppService();
    virtual ~VAppService();

    virtual CString GetServiceName() const;
    virtual GUID GetServiceID() const;
    virtual void SetServiceName(LPCWSTR pszName);
    // Keeps the identifier and its text form.
    virtual void SetServiceID(REFGUID guidService);
    virtual void SetServiceValue(DWORD dwValue);
    virtual DWORD GetServiceValue() const;
    // Creates the service's user interface in the parent window.
    virtual bool InitAppService(ICommandExecutionContext* pContext, CWnd* pParent) = 0;
    // Whether the service agrees to the application closing.
    virtual bool CanCloseService();
    // The service's menu and toolbar contributions, and its answer to a
    // command of the host; none by default.
    virtual int GetMenuCount();
    virtual int GetToolbarCount();
    virtual int ExecuteServiceCommand(UINT nCommand);

    // The identifier's text in UTF-8 (empty until an identifier is set).
    const std::string& GetServiceIDText() const { return m_pRecord->strGuidUtf8; }

protected:
    DWORD m_dwValue = 0;
    std::shared_ptr<SAppServiceRecord> m_pRecord;
};
