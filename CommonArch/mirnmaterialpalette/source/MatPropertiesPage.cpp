#include "MatPropertiesPage.h"

#include "Dc.h"
#include "MirnMaterialPalette.h"
#include "XUIVisualManager.h"

#include <cwctype>

IMPLEMENT_DYNAMIC(CMatPropertiesPage, CDialog)

BEGIN_MESSAGE_MAP(CMatPropertiesPage, CDialog)
ON_WM_CTLCOLOR()
ON_WM_ERASEBKGND()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CMatPropertiesPage::CMatPropertiesPage(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

CMatPropertiesPage::~CMatPropertiesPage()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

int CMatPropertiesPage::CreateAsChild(RECT rc, CWnd* pParent)
{
    m_rcChild = rc;
    m_bChild = 1;

    HINSTANCE hInstance = nullptr;
    const SDialogTemplate* pTemplate = LoadTemplate(hInstance);
    if (pTemplate == nullptr)
        return 0;

    // Work on a copy: the language module's template stays as it is for the
    // dialogs that show it on its own.
    m_childTemplate = *pTemplate;
    m_childTemplate.dwStyle = (m_childTemplate.dwStyle & MATPAGE_CHILD_KEEP_MASK) | MATPAGE_CHILD_STYLE;
    const LONG nBaseUnits = GetDialogBaseUnits();
    const int nUnitX = LOWORD(nBaseUnits) != 0 ? LOWORD(nBaseUnits) : 1;
    const int nUnitY = HIWORD(nBaseUnits) != 0 ? HIWORD(nBaseUnits) : 1;
    m_childTemplate.x = static_cast<short>(rc.left * 4 / nUnitX);
    m_childTemplate.y = static_cast<short>(rc.top * 8 / nUnitY);
    return CreateIndirect(&m_childTemplate, pParent, hInstance) ? 1 : 0;
}

int CMatPropertiesPage::EditChange(int, int)
{
    return 0;
}

void CMatPropertiesPage::OnColorDropper(DWORD, short) {}

BOOL CMatPropertiesPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    CXUIVisualManager::GetInstance().ApplyTheme(m_hWnd, XUI_THEME_PROPERTY_PAGE);
    if (m_bChild != 0)
        SetWindowPos(nullptr, m_rcChild.left, m_rcChild.top, m_rcChild.Width(), m_rcChild.Height(),
                     SWP_NOZORDER);

    if (TSingleton<CMirnMaterialPalette>::InstanceExists() &&
        TSingleton<CMirnMaterialPalette>::Instance()->IsOldStyleMatPalStyle())
    {
        m_clrBack = RGB(255, 255, 255);
        m_clrText = RGB(0, 0, 0);
    }
    else
    {
        m_clrBack = XUIGetThemeColor(XUI_COLOR_PANE_BACKGROUND);
        m_clrText = XUIGetThemeColor(XUI_COLOR_PAGE_TEXT);
    }
    if (m_brBack.GetSafeHandle() != nullptr)
        m_brBack.DeleteObject();
    m_brBack.CreateSolidBrush(m_clrBack);
    EnableToolTips(TRUE);
    return TRUE;
}

HBRUSH CMatPropertiesPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC && pDC != nullptr)
    {
        pDC->SetBkColor(m_clrBack);
        pDC->SetTextColor(m_clrText);
        return static_cast<HBRUSH>(m_brBack);
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

BOOL CMatPropertiesPage::OnEraseBkgnd(CDC* pDC)
{
    if (pDC == nullptr)
        return FALSE;
    CRect rcClient;
    GetClientRect(&rcClient);
    pDC->FillRect(&rcClient, &m_brBack);
    return TRUE;
}

void CMatPropertiesPage::OnDestroy()
{
    if (m_brBack.GetSafeHandle() != nullptr)
        m_brBack.DeleteObject();
    CDialog::OnDestroy();
}

// Enter and Escape inside a page mean the dialog's cancel, not the end of the
// page.
void CMatPropertiesPage::OnOK()
{
    if (CWnd* pParent = GetParent())
        pParent->PostMessage(WM_COMMAND, IDCANCEL, 0);
}

void CMatPropertiesPage::OnCancel()
{
    if (CWnd* pParent = GetParent())
        pParent->PostMessage(WM_COMMAND, IDCANCEL, 0);
}

namespace
{
// Whether a window's class is "BUTTON", reading at most ten characters.
bool IsButtonClass(HWND hWnd)
{
    wchar_t szClass[11] = {};
    const int nLength = GetClassNameW(hWnd, szClass, 11);
    if (nLength != 6)
        return false;
    const wchar_t kButton[] = L"BUTTON";
    for (int i = 0; i < 6; ++i)
        if (static_cast<wchar_t>(std::towupper(static_cast<wint_t>(szClass[i]))) != kButton[i])
            return false;
    return true;
}
} // namespace

BOOL CMatPropertiesPage::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg == nullptr)
        return FALSE;

    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
    {
        HWND hFocus = ::GetFocus();
        if (hFocus != nullptr && GetSafeHwnd() != nullptr && ::IsChild(GetSafeHwnd(), hFocus) &&
            IsButtonClass(hFocus))
        {
            SendMessage(WM_COMMAND, static_cast<WPARAM>(::GetDlgCtrlID(hFocus)),
                        reinterpret_cast<LPARAM>(hFocus));
            return TRUE;
        }
    }

    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;

    if (pMsg->message == WM_KEYDOWN &&
        (pMsg->wParam == VK_TAB || pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) &&
        GetKeyState(VK_CONTROL) < 0)
    {
        const LPARAM lFlags = MATPAGE_TABNAV_CONTROL | (GetKeyState(VK_SHIFT) < 0 ? MATPAGE_TABNAV_SHIFT : 0);
        CWnd* pParent = GetParent();
        if (pParent != nullptr && pParent->SendMessage(WM_MATPAGE_TABNAV, pMsg->wParam, lFlags) != 0)
            return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}
