#include "Dialog.h"

#include "Asking.h"
#include "WinThread.h"
#include "WindowManager.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)
IMPLEMENT_DYNAMIC(CDialogEx, CDialog)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

INT_PTR AfxDlgProc(HWND hWnd, UINT nMessage, WPARAM, LPARAM)
{
    if (nMessage != WM_INITDIALOG)
        return FALSE;
    auto* pDialog = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    return pDialog != nullptr ? pDialog->OnInitDialog() : TRUE;
}

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd) : m_pParentWnd(pParentWnd)
{
    if (lpszTemplateName != nullptr && !IS_INTRESOURCE(lpszTemplateName))
    {
        m_strTemplateName = lpszTemplateName;
        m_lpszTemplateName = m_strTemplateName.c_str();
    }
    else
        m_lpszTemplateName = lpszTemplateName;
}

const SDialogTemplate* CDialog::LoadTemplate(HINSTANCE& hInstance) const
{
    if (m_lpDialogTemplate != nullptr)
        return m_lpDialogTemplate;
    if (m_lpszTemplateName == nullptr)
        return nullptr;
    hInstance = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    const SDialogTemplate* pTemplate = FindDialogTemplate(hInstance, m_lpszTemplateName);
    if (pTemplate == nullptr)
    {
        PlatformLog(IS_INTRESOURCE(m_lpszTemplateName)
                        ? L"CDialog: there is no dialog template " +
                              std::to_wstring(reinterpret_cast<ULONG_PTR>(m_lpszTemplateName))
                        : L"CDialog: there is no dialog template \"" + std::wstring(m_lpszTemplateName) +
                              L"\"");
    }
    return pTemplate;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDHelp = nIDTemplate;
    m_lpszTemplateName = MAKEINTRESOURCEW(nIDTemplate);
    m_lpDialogTemplate = nullptr;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    HINSTANCE hInstance = nullptr;
    const SDialogTemplate* pTemplate = LoadTemplate(hInstance);
    return pTemplate != nullptr ? CreateIndirect(pTemplate, m_pParentWnd, hInstance) : FALSE;
}

BOOL CDialog::Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName))
        return Create(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpszTemplateName)), pParentWnd);
    m_strTemplateName = lpszTemplateName;
    m_lpszTemplateName = m_strTemplateName.c_str();
    m_lpDialogTemplate = nullptr;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    HINSTANCE hInstance = nullptr;
    const SDialogTemplate* pTemplate = LoadTemplate(hInstance);
    return pTemplate != nullptr ? CreateIndirect(pTemplate, m_pParentWnd, hInstance) : FALSE;
}

BOOL CDialog::CreateIndirect(const SDialogTemplate* pTemplate, CWnd* pParentWnd, HINSTANCE hInstance)
{
    if (pTemplate == nullptr || m_hWnd != nullptr)
        return FALSE;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    HWND hParent = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    if (hParent == nullptr && (pTemplate->dwStyle & WS_CHILD) == 0)
    {
        CWnd* pMainWnd = AfxGetMainWnd();
        hParent = pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr;
    }
    AfxHookWindowCreate(this);
    const HWND hWnd = CreateDialogIndirectParamW(hInstance, pTemplate, hParent, AfxDlgProc, 0);
    if (AfxUnhookWindowCreate())
    {
        PostNcDestroy();
        return FALSE;
    }
    return hWnd != nullptr ? TRUE : FALSE;
}

BOOL CDialog::InitModalIndirect(const SDialogTemplate* pTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = pTemplate;
    if (pParentWnd != nullptr)
        m_pParentWnd = pParentWnd;
    return pTemplate != nullptr ? TRUE : FALSE;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInstance = nullptr;
    const SDialogTemplate* pTemplate = LoadTemplate(hInstance);
    if (pTemplate == nullptr)
        return -1;
    // The owner is the top-level window of the parent (or of the main window).
    HWND hOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    if (hOwner == nullptr)
    {
        CWnd* pMainWnd = AfxGetMainWnd();
        hOwner = pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr;
    }
    if (hOwner != nullptr)
        hOwner = ::GetAncestor(hOwner, GA_ROOT);
    const bool bEnableOwner = hOwner != nullptr && ::IsWindowEnabled(hOwner);
    if (bEnableOwner)
        ::EnableWindow(hOwner, FALSE);

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    CWnd* pSavedParent = m_pParentWnd;
    if (CreateIndirect(pTemplate, hOwner != nullptr ? CWnd::FromHandle(hOwner) : nullptr, hInstance))
    {
        if ((m_nFlags & WF_CONTINUEMODAL) != 0)
        {
            DWORD dwFlags = MLF_SHOWONIDLE;
            if ((GetStyle() & DS_NOIDLEMSG) != 0)
                dwFlags |= MLF_NOIDLEMSG;
            RunModalLoop(dwFlags);
        }
        if (m_hWnd != nullptr)
            SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_pParentWnd = pSavedParent;
    if (bEnableOwner)
        ::EnableWindow(hOwner, TRUE);
    if (hOwner != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hOwner);
    DestroyWindow();
    m_nFlags &= ~static_cast<UINT>(WF_CONTINUEMODAL);
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if ((m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) != 0)
        EndModalLoop(nResult);
    if (m_hWnd != nullptr)
        ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    SWindowRecord* pRecord = CWindowManager::Get().FindQuiet(m_hWnd);
    if (pRecord != nullptr && pRecord->pDialog && pRecord->pDialog->bEnded)
    {
        m_nModalResult = static_cast<int>(pRecord->pDialog->nResult);
        m_nFlags &= ~static_cast<UINT>(WF_CONTINUEMODAL);
        return FALSE;
    }
    return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    PreInitDialog();
    return Default();
}

void CDialog::PreInitDialog() {}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Keys go through the dialog manager (Tab, Enter, Escape), which also
    // dispatches them.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd != nullptr)
        return ::IsDialogMessageW(m_hWnd, pMsg);
    return FALSE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Commands (not notifications) go on to the owner and to the application.
    const auto nCodeValue = static_cast<UINT>(nCode);
    if ((nCodeValue != CN_COMMAND && nCodeValue != CN_UPDATE_COMMAND_UI) || nID == 0 || nID >= 0xF000)
        return FALSE;
    CWnd* pOwner = GetParent();
    if (pOwner != nullptr && pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ? TRUE : FALSE;
}

void CDialog::NextDlgCtrl() const
{
    ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
    ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl != nullptr)
        ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}

void CDialog::SetDefID(UINT nID)
{
    ::SendMessageW(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(::SendMessageW(m_hWnd, DM_GETDEFID, 0, 0));
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    ::MapDialogRect(m_hWnd, lpRect);
}

CDialogEx::CDialogEx() = default;

CDialogEx::CDialogEx(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

CDialogEx::CDialogEx(LPCWSTR lpszTemplateName, CWnd* pParentWnd) : CDialog(lpszTemplateName, pParentWnd) {}

void CDialogEx::SetBackgroundColor(COLORREF color, BOOL bRepaint)
{
    if (m_clrBackground == color)
        return;
    m_clrBackground = color;
    if (bRepaint && m_hWnd != nullptr)
        Invalidate(TRUE);
}
