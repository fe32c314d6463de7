// Command targets and message maps. A message map is a table of entries, each
// with a small function (a "thunk", made by the ON_... macros of
// MessageMap.h) that casts the target to the class that declared the map and
// calls the handler with its class-library signature. Lookups walk from a
// class's map to its base class's.
#pragma once

#include "Object.h"
#include "WinUser.h"

class CCmdTarget;
class CCmdUI;
class CMenu;
class CWnd;

// What a thunk is handed: the message, and for commands and notifications
// their identifier, code and extra data (the CCmdUI of an update handler, the
// AFX_NOTIFY of a notification). An _EX handler clears bHandled to let the
// search go on.
struct AFX_DISPATCH
{
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;
    UINT nCode;
    void* pExtra;
    BOOL bHandled;
};

using AFX_THUNK = LRESULT (*)(CCmdTarget* pTarget, AFX_DISPATCH& dispatch);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;                   // WM_..., WM_COMMAND or WM_NOTIFY for commands and notifications
    UINT nCode;                      // notification or command code
    UINT nID;                        // first control or command identifier
    UINT nLastID;                    // last identifier of a range
    const UINT* pnRegisteredMessage; // ON_REGISTERED_MESSAGE: the variable holding the number
    AFX_THUNK pfnThunk;              // null ends the table
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The extra data of a WM_NOTIFY routed as a command.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Filled instead of calling the handler, to ask whether one exists.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
};

// Message numbers standing for a family in message maps: every
// WM_CTLCOLORxxx dispatches to ON_WM_CTLCOLOR, and registered messages are
// matched through their variable.
#define WM_CTLCOLOR 0x0019
#define AFX_REGISTERED_MESSAGE 0xC000

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Routes a command (nCode CN_COMMAND or a control notification), a
    // command-UI update (CN_UPDATE_COMMAND_UI with a CCmdUI in pExtra) or a
    // notification (MAKELONG(code, WM_NOTIFY) with an AFX_NOTIFY) through the
    // message map. TRUE when a handler took it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The first entry for a message in this object's map or its bases'.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage) const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// The state of one user-interface element (a control of a dialog or pane, or
// a menu item) while update handlers decide on it.
class CCmdUI
{
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCWSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks the target's update handler; without one, and when asked to,
    // disables the element unless a command handler exists.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    UINT m_nIndexMax = 0;
    CMenu* m_pMenu = nullptr;
    CMenu* m_pSubMenu = nullptr;
    CMenu* m_pParentMenu = nullptr;
    CWnd* m_pOther = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
};
