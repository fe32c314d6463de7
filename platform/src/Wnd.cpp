// CWnd's core: attaching objects to window records, creation, subclassing,
// and the road of a message from the window procedure into the message map.
#include "Wnd.h"

#include "CommonDialogs.h"
#include "TooltipControl.h"
#include "Asking.h"
#include "WinThread.h"
#include "WindowManager.h"

#include <set>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

namespace
{

// The message being handled; Default() passes it on.
MSG g_currentMessage{};

// Temporary wrappers for windows without an object. Owned here and deleted
// when their window's record is freed, so a pointer from FromHandle stays
// good for as long as its window lives.
std::unordered_map<HWND, CWnd*>& TemporaryWrappers()
{
    static auto* s_pWrappers = new std::unordered_map<HWND, CWnd*>;
    return *s_pWrappers;
}

void ForgetWindow(HWND hWnd)
{
    auto& wrappers = TemporaryWrappers();
    auto it = wrappers.find(hWnd);
    if (it == wrappers.end())
        return;
    CWnd* pWrapper = it->second;
    wrappers.erase(it);
    pWrapper->m_hWnd = nullptr;
    delete pWrapper;
}

const bool g_bRecordHookInstalled = []
{
    CWindowManager::Get().m_hooks.pfnRecordFreed = ForgetWindow;
    return true;
}();

CDC* (*g_pfnDCFromHandle)(HDC) = nullptr;
CScrollBar* (*g_pfnScrollBarFromHandle)(HWND) = nullptr;

// Says whether the user interface shows a command as enabled, for commands
// that come from menus and accelerators.
class CTestCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCWSTR) override {}
    BOOL m_bEnabled = TRUE;
};

} // namespace

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CDC* AfxDCFromHandle(HDC hdc)
{
    return hdc != nullptr && g_pfnDCFromHandle != nullptr ? g_pfnDCFromHandle(hdc) : nullptr;
}

void AfxSetDCFromHandleHook(CDC* (*pfnFromHandle)(HDC hdc))
{
    g_pfnDCFromHandle = pfnFromHandle;
}

CScrollBar* AfxScrollBarFromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (g_pfnScrollBarFromHandle != nullptr)
        return g_pfnScrollBarFromHandle(hWnd);
    // The scroll bar class derives from CWnd without data of its own, so its
    // CWnd part is where the wrapper is.
    return reinterpret_cast<CScrollBar*>(CWnd::FromHandle(hWnd));
}

void AfxSetScrollBarFromHandleHook(CScrollBar* (*pfnFromHandle)(HWND hWnd))
{
    g_pfnScrollBarFromHandle = pfnFromHandle;
}

const MSG* AfxGetCurrentMessage()
{
    return &g_currentMessage;
}

// The tooltip a window keeps for its children once it enables them, and the
// children already made tools.
struct SWndToolTips
{
    CToolTipCtrl ctrl;
    std::set<HWND> tools;
};

CWnd::CWnd() = default;

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_bSpecialHandle(true) {}

CWnd::~CWnd()
{
    if (m_bSpecialHandle || m_hWnd == nullptr)
        return;
    // An object going away takes its window with it, as in the class library.
    if (FromHandlePermanent(m_hWnd) == this)
        ::DestroyWindow(m_hWnd);
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    SWindowRecord* pRecord = CWindowManager::Get().FindQuiet(hWnd);
    return pRecord != nullptr ? pRecord->pAttachedObject : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    if (CWindowManager::Get().FindQuiet(hWnd) == nullptr)
        return nullptr;
    auto& wrappers = TemporaryWrappers();
    auto it = wrappers.find(hWnd);
    if (it != wrappers.end())
        return it->second;
    auto* pWrapper = new CWnd;
    pWrapper->m_hWnd = hWnd;
    wrappers.emplace(hWnd, pWrapper);
    return pWrapper;
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr)
        return FALSE;
    SWindowRecord* pRecord = CWindowManager::Get().FindQuiet(hWndNew);
    if (pRecord == nullptr || pRecord->pAttachedObject != nullptr)
        return FALSE;
    pRecord->pAttachedObject = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    const HWND hWnd = m_hWnd;
    if (SWindowRecord* pRecord = CWindowManager::Get().FindQuiet(hWnd))
    {
        if (pRecord->pAttachedObject == this)
        {
            pRecord->pAttachedObject = nullptr;
            pRecord->pfnSuperProc = nullptr;
        }
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    auto pfnOld = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    SWindowRecord* pRecord = CWindowManager::Get().FindQuiet(hWnd);
    if (pfnOld == AfxWndProc)
        pfnOld =
            pRecord != nullptr && pRecord->pfnSuperProc != nullptr ? pRecord->pfnSuperProc : DefWindowProcW;
    m_pfnSuper = pfnOld;
    if (pRecord != nullptr)
        pRecord->pfnSuperProc = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (pParent == nullptr)
        return FALSE;
    const HWND hControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hControl != nullptr ? SubclassWindow(hControl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == nullptr)
        return nullptr;
    if (m_pfnSuper != nullptr)
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

void CWnd::AttachWhileCreating(HWND hWnd, void* pContext)
{
    auto* pWnd = static_cast<CWnd*>(pContext);
    if (!pWnd->Attach(hWnd))
        return;
    auto pfnOld = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    if (pfnOld == AfxWndProc)
        pfnOld = DefWindowProcW;
    pWnd->m_pfnSuper = pfnOld;
    if (SWindowRecord* pRecord = CWindowManager::Get().FindQuiet(hWnd))
        pRecord->pfnSuperProc = pfnOld;
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    SManagerHooks& hooks = CWindowManager::Get().m_hooks;
    hooks.pfnCreationHook = &CWnd::AttachWhileCreating;
    hooks.pCreationContext = pWnd;
}

bool AfxUnhookWindowCreate()
{
    SManagerHooks& hooks = CWindowManager::Get().m_hooks;
    if (hooks.pfnCreationHook == nullptr)
        return false;
    hooks.pfnCreationHook = nullptr;
    hooks.pCreationContext = nullptr;
    return true;
}

LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static auto* s_pNames = new std::set<std::wstring>;
    const HINSTANCE hInstance = AfxGetInstanceHandle();
    CString strName;
    strName.Format(L"Afx:%p:%x:%p:%p:%p", static_cast<const void*>(hInstance), nClassStyle,
                   static_cast<const void*>(hCursor), static_cast<const void*>(hbrBackground),
                   static_cast<const void*>(hIcon));
    const std::wstring& strStored = *s_pNames->insert(std::wstring(strName.GetString())).first;
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(hInstance, strStored.c_str(), &existing))
        return strStored.c_str();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = nClassStyle;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = hInstance;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = strStored.c_str();
    RegisterClassExW(&wc);
    return strStored.c_str();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass =
            AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, LoadCursorW(nullptr, IDC_ARROW));
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCT cs{lpParam, AfxGetInstanceHandle(),     nIDorHMenu,     hWndParent,    nHeight,  nWidth, y,
                    x,       static_cast<LONG>(dwStyle), lpszWindowName, lpszClassName, dwExStyle};
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    const HWND hWnd =
        ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                          cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    // A window that never came to be gets the clean-up a destroyed one gets.
    if (AfxUnhookWindowCreate())
    {
        PostNcDestroy();
        return FALSE;
    }
    return hWnd != nullptr ? TRUE : FALSE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext*)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::DestroyWindow()
{
    const HWND hWnd = m_hWnd;
    if (hWnd == nullptr)
        return FALSE;
    const bool bAttached = FromHandlePermanent(hWnd) == this;
    auto& wrappers = TemporaryWrappers();
    const bool bTemporary = wrappers.count(hWnd) != 0 && wrappers[hWnd] == this;
    const BOOL bResult = ::DestroyWindow(hWnd);
    // An attached object was detached by WM_NCDESTROY (and may have deleted
    // itself); a temporary wrapper was deleted with its window. Only a plain
    // object that merely held the handle is still to be cleared.
    if (!bAttached && !bTemporary)
        m_hWnd = nullptr;
    return bResult;
}

// ---------------------------------------------------------------------------
// The road of a message

LRESULT AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
    {
        // Detached but still subclassed: what was there before answers.
        SWindowRecord* pRecord = CWindowManager::Get().FindQuiet(hWnd);
        WNDPROC pfnSuper = pRecord != nullptr ? pRecord->pfnSuperProc : nullptr;
        return pfnSuper != nullptr ? CallWindowProcW(pfnSuper, hWnd, nMsg, wParam, lParam)
                                   : DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    const MSG saved = g_currentMessage;
    g_currentMessage = MSG{hWnd, nMsg, wParam, lParam, 0, {0, 0}};
    const LRESULT lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    g_currentMessage = saved;
    if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
    {
        // A handler of WM_NCDESTROY that did not call the base: the object
        // still gets detached and told, or it would hold a dead handle.
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return lResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
    }
    else if (message == WM_NOTIFY)
    {
        const auto* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
        if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
    }
    else
    {
        UINT nLookup = message;
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
            nLookup = WM_CTLCOLOR;
        else if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX &&
                 message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC)
            nLookup = WM_REFLECT_BASE + WM_CTLCOLOR;
        const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(nLookup);
        if (pEntry == nullptr && nLookup != message)
            pEntry = FindMessageEntry(message);
        if (pEntry == nullptr)
            return FALSE;
        AFX_DISPATCH dispatch{message, wParam, lParam, 0, 0, nullptr, TRUE};
        lResult = pEntry->pfnThunk(this, dispatch);
    }
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(g_currentMessage.message, g_currentMessage.wParam, g_currentMessage.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    if (!bEnable)
    {
        m_pToolTips.reset();
        return TRUE;
    }
    if (m_pToolTips != nullptr)
        return TRUE;
    if (m_hWnd == nullptr)
        return FALSE;
    auto pToolTips = std::make_unique<SWndToolTips>();
    if (!pToolTips->ctrl.Create(this))
        return FALSE;
    m_pToolTips = std::move(pToolTips);
    return TRUE;
}

void CWnd::RelayToolTipMessage(const MSG* pMsg)
{
    const bool bMouse = pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST;
    if (!bMouse || m_pToolTips->ctrl.GetSafeHwnd() == nullptr)
        return;
    POINT pt = pMsg->pt;
    ::ScreenToClient(m_hWnd, &pt);
    const HWND hChild = ::ChildWindowFromPointEx(m_hWnd, pt, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (hChild != nullptr && hChild != m_hWnd && m_pToolTips->tools.insert(hChild).second)
    {
        TOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        ti.uFlags = TTF_IDISHWND;
        ti.hwnd = m_hWnd;
        ti.uId = reinterpret_cast<UINT_PTR>(hChild);
        ti.lpszText = LPSTR_TEXTCALLBACKW;
        m_pToolTips->ctrl.SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    MSG relayed = *pMsg;
    m_pToolTips->ctrl.RelayEvent(&relayed);
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->m_pToolTips != nullptr)
            pWnd->RelayToolTipMessage(pMsg);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const auto hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr)
    {
        // From a menu or accelerator: a command the interface shows disabled
        // is refused.
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    else if (ReflectLastMsg(hWndCtrl))
        return TRUE;
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectLastMsg(pNMHDR->hwndFrom, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, pNMHDR};
    return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_PARENTNOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_DELETEITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_COMPAREITEM:
            return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
        case WM_COMMAND:
            if (CCmdTarget::OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), nullptr,
                                     nullptr))
            {
                if (pResult != nullptr)
                    *pResult = 1;
                return TRUE;
            }
            return FALSE;
        case WM_NOTIFY:
        {
            LRESULT lLocal = 0;
            auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
            AFX_NOTIFY notify{pResult != nullptr ? pResult : &lLocal, pNMHDR};
            return CCmdTarget::OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify,
                                        nullptr);
        }
        default:
            break;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
    {
        // A reflected colour handler that gives no brush leaves the choice to the parent.
        LRESULT lBrush = 0;
        if (OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, &lBrush) && lBrush != 0)
        {
            if (pResult != nullptr)
                *pResult = lBrush;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd != nullptr ? pWnd->SendChildNotifyLastMsg(pResult) : FALSE;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG current = g_currentMessage;
    return OnChildNotify(current.message, current.wParam, current.lParam, pResult);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    std::vector<HWND> children;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr;
         hChild = ::GetNextWindow(hChild, GW_HWNDNEXT))
        children.push_back(hChild);
    for (HWND hChild : children)
    {
        if (!::IsWindow(hChild))
            continue;
        if (bOnlyPerm)
        {
            if (CWnd* pChild = FromHandlePermanent(hChild))
                AfxCallWndProc(pChild, hChild, message, wParam, lParam);
        }
        else
            ::SendMessageW(hChild, message, wParam, lParam);
        if (bDeep && ::IsWindow(hChild) && ::GetTopWindow(hChild) != nullptr)
        {
            CWnd* pChild = FromHandle(hChild);
            pChild->SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
        }
    }
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Modal loops

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0 ? TRUE : FALSE;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if ((m_nFlags & WF_CONTINUEMODAL) != 0)
    {
        m_nFlags &= ~static_cast<UINT>(WF_CONTINUEMODAL);
        PostMessage(WM_NULL);
    }
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    const HWND hWnd = m_hWnd;
    bool bIdle = true;
    LONG lIdleCount = 0;
    bool bShowIdle = (dwFlags & MLF_SHOWONIDLE) != 0 && (GetStyle() & WS_VISIBLE) == 0;
    const HWND hWndParent = ::GetParent(hWnd);
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    SModalScope modalScope(hWnd);
    MSG msg;
    for (;;)
    {
        // Idle work while nothing is queued: show the window, tell the
        // owner, kick the dialog's idle handling.
        while (bIdle && !PeekNextMessage(&msg, nullptr, 0, 0, PM_NOREMOVE, false))
        {
            if (bShowIdle)
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = false;
            }
            if ((dwFlags & MLF_NOIDLEMSG) == 0 && hWndParent != nullptr && lIdleCount == 0)
                ::SendMessageW(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(hWnd));
            if ((dwFlags & MLF_NOKICKIDLE) != 0 ||
                !::SendMessageW(hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = false;
        }
        if (!ContinueModal())
            break;
        if (!PeekNextMessage(&msg, nullptr, 0, 0, PM_NOREMOVE, false))
        {
            // Headless, a loop with nothing queued asks the responder; when
            // nothing can come any more the dialog ends with a failure
            // rather than wait for ever.
            if (WaitForMoreWork())
            {
                bIdle = true;
                continue;
            }
            PlatformLog(L"RunModalLoop: no message can arrive for the modal window; it ends with -1");
            EndModalLoop(-1);
            break;
        }
        do
        {
            if (!ContinueModal())
                break;
            if (!AfxPumpMessage())
            {
                PostQuitMessage(0);
                m_nFlags &= ~static_cast<UINT>(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (bShowIdle && msg.message == WM_SYSKEYDOWN)
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = false;
            }
            if (AfxIsIdleMessage(&msg))
            {
                bIdle = true;
                lIdleCount = 0;
            }
        } while (ContinueModal() && PeekNextMessage(&msg, nullptr, 0, 0, PM_NOREMOVE, false));
        if (!ContinueModal())
            break;
    }
    m_nFlags &= ~static_cast<UINT>(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}
