#include "WinThread.h"

#include "CommonDialogs.h"
#include "Headless.h"
#include "WindowManager.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace
{

CWinApp* g_pApplication = nullptr;

// Without an application object, idle work still updates the command user
// interface of every visible top-level window that has an object.
void UpdateCommandUserInterfaces()
{
    for (HWND hTop : std::vector<HWND>(CWindowManager::Get().Desktop().children))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hTop);
        if (pWnd == nullptr || !::IsWindowVisible(hTop))
            continue;
        AfxCallWndProc(pWnd, hTop, WM_IDLEUPDATECMDUI, TRUE, 0);
        if (CWnd::FromHandlePermanent(hTop) == pWnd)
            pWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
}

bool MessagesWaiting()
{
    MSG msg;
    return PeekNextMessage(&msg, nullptr, 0, 0, PM_NOREMOVE, true) != FALSE;
}

} // namespace

CWinThread::CWinThread() = default;

CWinThread::~CWinThread() = default;

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pActiveWnd != nullptr ? m_pActiveWnd : m_pMainWnd;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = GetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr, pMsg))
        return TRUE;
    // A message for another top-level window (a modeless dialog) gets a last
    // chance in the main window.
    if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMsg->hwnd != nullptr &&
        ::GetAncestor(pMsg->hwnd, GA_ROOT) != pMainWnd->m_hWnd)
        return pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageW(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    if (m_msgCur.message != WM_KICKIDLE && !AfxPreTranslateMessage(&m_msgCur))
    {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageW(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    return AfxIsIdleMessage(pMsg);
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMainWnd->IsWindowVisible())
        {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
    }
    return lCount < 0;
}

int CWinThread::Run()
{
    bool bIdle = true;
    LONG lIdleCount = 0;
    for (;;)
    {
        while (bIdle && !MessagesWaiting())
        {
            if (!OnIdle(lIdleCount++))
                bIdle = false;
        }
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur))
            {
                bIdle = true;
                lIdleCount = 0;
            }
        } while (MessagesWaiting());
    }
}

CWinApp::CWinApp(LPCWSTR lpszAppName)
{
    if (lpszAppName != nullptr)
    {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName.GetString();
    }
    m_hInstance = AfxGetInstanceHandle();
    g_pApplication = this;
}

CWinApp::~CWinApp()
{
    if (g_pApplication == this)
        g_pApplication = nullptr;
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    CWinThread::OnIdle(lCount);
    return lCount < 1;
}

int CWinApp::DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT)
{
    CWnd* pMainWnd = GetMainWnd();
    return ::MessageBoxW(pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr, lpszPrompt,
                         m_pszAppName != nullptr ? m_pszAppName : L"", nType);
}

CWinApp* AfxGetApp()
{
    return g_pApplication;
}

CWinThread* AfxGetThread()
{
    return g_pApplication;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->PreTranslateMessage(pMsg);
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

BOOL AfxPumpMessage()
{
    MSG msg;
    if (!PeekNextMessage(&msg, nullptr, 0, 0, PM_REMOVE, false))
        return TRUE;
    if (msg.message == WM_QUIT)
        return FALSE;
    if (msg.message != WM_KICKIDLE && !AfxPreTranslateMessage(&msg))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return TRUE;
}

BOOL AfxIsIdleMessage(MSG* pMsg)
{
    static POINT s_ptLastMove{-1, -1};
    static UINT s_nLastMoveMessage = 0;
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        // A move to where the pointer already was is not new activity.
        if (pMsg->message == s_nLastMoveMessage && pMsg->pt.x == s_ptLastMove.x &&
            pMsg->pt.y == s_ptLastMove.y)
            return FALSE;
        s_ptLastMove = pMsg->pt;
        s_nLastMoveMessage = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118 ? TRUE : FALSE;
}

void AfxOnWindowGone(CWnd* pWnd)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread == nullptr)
        return;
    if (pThread->m_pMainWnd == pWnd)
    {
        pThread->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    if (pThread->m_pActiveWnd == pWnd)
        pThread->m_pActiveWnd = nullptr;
}

int PumpUntilIdle()
{
    int nDispatched = 0;
    // Idle work may post more work; a few rounds settle any sane program.
    for (int nRound = 0; nRound < 100; ++nRound)
    {
        nDispatched += PumpMessages();
        if (CWinThread* pThread = AfxGetThread())
        {
            LONG lCount = 0;
            while (pThread->OnIdle(lCount++) && !MessagesWaiting())
            {
            }
        }
        else
            UpdateCommandUserInterfaces();
        if (!MessagesWaiting())
            break;
    }
    return nDispatched;
}
