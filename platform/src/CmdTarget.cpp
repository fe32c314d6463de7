#include "CmdTarget.h"

#include "Menu.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY s_entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP s_messageMap = {nullptr, &s_entries[0]};
    return &s_messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage) const
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfnThunk != nullptr; ++pEntry)
        {
            if (pEntry->pnRegisteredMessage != nullptr)
            {
                if (*pEntry->pnRegisteredMessage == nMessage && nMessage != 0)
                    return pEntry;
            }
            else if (pEntry->nMessage == nMessage && nMessage != WM_COMMAND && nMessage != WM_NOTIFY)
                return pEntry;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMessage = WM_COMMAND;
    UINT nCodeValue = static_cast<UINT>(nCode);
    if (nCodeValue != CN_UPDATE_COMMAND_UI)
    {
        // Notifications travel as MAKELONG(code, message).
        nMessage = HIWORD(nCodeValue);
        nCodeValue = LOWORD(nCodeValue);
        if (nMessage == 0)
            nMessage = WM_COMMAND;
    }
    const bool bUpdate = nCodeValue == CN_UPDATE_COMMAND_UI ||
                         (nMessage == WM_REFLECT_BASE + WM_COMMAND && nCodeValue == 0xFFFF);
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfnThunk != nullptr; ++pEntry)
        {
            if (pEntry->nMessage != nMessage || pEntry->nCode != nCodeValue ||
                pEntry->pnRegisteredMessage != nullptr || nID < pEntry->nID || nID > pEntry->nLastID)
                continue;
            if (pHandlerInfo != nullptr)
            {
                pHandlerInfo->pTarget = this;
                return TRUE;
            }
            AFX_DISPATCH dispatch{nMessage, 0, 0, nID, nCodeValue, pExtra, TRUE};
            auto* pCmdUI = bUpdate ? static_cast<CCmdUI*>(pExtra) : nullptr;
            if (pCmdUI != nullptr)
                pCmdUI->m_bContinueRouting = FALSE;
            pEntry->pfnThunk(this, dispatch);
            // An update handler may pass the element on; an _EX handler may
            // decline.
            if (pCmdUI != nullptr && pCmdUI->m_bContinueRouting)
                return FALSE;
            if (dispatch.bHandled)
                return TRUE;
        }
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
// CCmdUI

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != nullptr)
    {
        if (m_pSubMenu != nullptr)
            return; // pop-ups stay as they are
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    }
    else if (m_pOther != nullptr)
    {
        // A control losing its enabled state hands the focus on first.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
        {
            const HWND hParent = ::GetParent(m_pOther->m_hWnd);
            if (hParent != nullptr)
                ::SendMessageW(hParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != nullptr)
    {
        if (m_pSubMenu == nullptr)
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    }
    else if (m_pOther != nullptr && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) != 0)
        m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
}

void CCmdUI::SetRadio(BOOL bOn)
{
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCWSTR lpszText)
{
    if (lpszText == nullptr)
        lpszText = L"";
    if (m_pMenu != nullptr)
    {
        if (m_pSubMenu != nullptr)
            return;
        const UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
        const UINT nID = m_pMenu->GetMenuItemID(static_cast<int>(m_nIndex));
        m_pMenu->ModifyMenu(m_nIndex,
                            MF_BYPOSITION | MF_STRING | (nState & (MF_CHECKED | MF_GRAYED | MF_DISABLED)),
                            nID, lpszText);
    }
    else if (m_pOther != nullptr)
    {
        // Only a real change reaches the control, so it does not flicker.
        CString strCurrent;
        m_pOther->GetWindowText(strCurrent);
        if (strCurrent != CString(lpszText))
            m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    if (pTarget == nullptr)
        return FALSE;
    m_bEnableChanged = FALSE;
    const BOOL bResult = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
    if (bDisableIfNoHandler && !m_bEnableChanged)
    {
        AFX_CMDHANDLERINFO info{nullptr};
        const BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}
