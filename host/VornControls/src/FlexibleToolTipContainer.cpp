#include "FlexibleToolTipContainer.h"

#include "MGLObjectAccess.h"
#include "XUIDPI.h"
#include "XUIDraw.h"

#include <algorithm>

namespace
{
constexpr wchar_t kTipClass[] = L"VornFlexibleToolTip";
constexpr int kPadding = 4;  // around the contents, 96-DPI pixels
constexpr int kSwatch = 24;  // side of the colour swatch, 96-DPI pixels
constexpr int kOffsetX = 16; // from the pointer to the tip
constexpr int kOffsetY = 20;

HFONT TipFont()
{
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

CString Named(LPCWSTR pszKind, const CString& strName)
{
    CString strText = pszKind;
    if (!strName.IsEmpty())
        strText += L": " + strName;
    return strText;
}
} // namespace

CFlexibleToolTipContainer::~CFlexibleToolTipContainer()
{
    if (m_hTip != nullptr && ::IsWindow(m_hTip))
        ::DestroyWindow(m_hTip);
}

bool CFlexibleToolTipContainer::Create(CWnd* pOwner)
{
    m_hOwner = pOwner != nullptr ? pOwner->GetSafeHwnd() : nullptr;
    return EnsureWindow();
}

bool CFlexibleToolTipContainer::EnsureWindow()
{
    if (m_hTip != nullptr && ::IsWindow(m_hTip))
        return true;
    m_hTip = nullptr;
    static const bool s_bRegistered = []
    {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = TipProc;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kTipClass;
        return RegisterClassExW(&wc) != 0;
    }();
    if (!s_bRegistered)
        return false;
    // A tip follows its owner's top-level window; a stale owner leaves it unowned.
    HWND hOwner = m_hOwner != nullptr && ::IsWindow(m_hOwner) ? ::GetAncestor(m_hOwner, GA_ROOT) : nullptr;
    m_hTip = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kTipClass, L"", WS_POPUP,
                               0, 0, 1, 1, hOwner, nullptr, nullptr, nullptr);
    if (m_hTip == nullptr)
        return false;
    ::SetWindowLongPtrW(m_hTip, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

void CFlexibleToolTipContainer::ShowToolTip(const CString& strText, const POINT* pptScreen)
{
    m_strText = strText;
    m_bColor = false;
    Show(pptScreen);
}

void CFlexibleToolTipContainer::ShowToolTipColor(COLORREF clrColor, const CString& strTitle,
                                                 int nPaletteIndex, const POINT* pptScreen)
{
    m_clrColor = clrColor & 0x00FFFFFFu;
    m_bColor = true;
    m_strText.Empty();
    if (!strTitle.IsEmpty())
        m_strText = strTitle + L"\n";
    m_strText += GetColorValuesText(m_clrColor) + L"\n" + GetColorHexText(m_clrColor);
    if (nPaletteIndex >= 0)
    {
        CString strIndex;
        strIndex.Format(L"\nIndex: %d", nPaletteIndex);
        m_strText += strIndex;
    }
    Show(pptScreen);
}

void CFlexibleToolTipContainer::HideToolTip()
{
    if (m_hTip != nullptr && ::IsWindow(m_hTip))
        ::ShowWindow(m_hTip, SW_HIDE);
}

bool CFlexibleToolTipContainer::IsToolTipVisible() const
{
    return m_hTip != nullptr && ::IsWindowVisible(m_hTip) != FALSE;
}

CSize CFlexibleToolTipContainer::MeasureText(HDC hdc) const
{
    HGDIOBJ hOld = SelectObject(hdc, TipFont());
    RECT rc{0, 0, 0, 0};
    DrawTextW(hdc, m_strText, m_strText.GetLength(), &rc, DT_CALCRECT | DT_NOPREFIX | DT_LEFT);
    SelectObject(hdc, hOld);
    return CSize(rc.right - rc.left, rc.bottom - rc.top);
}

CRect CFlexibleToolTipContainer::GetSwatchRect() const
{
    if (!m_bColor)
        return CRect();
    const int nPadding = XUIScale(kPadding);
    const int nSide = XUIScale(kSwatch);
    return CRect(nPadding, nPadding, nPadding + nSide, nPadding + nSide);
}

void CFlexibleToolTipContainer::Show(const POINT* pptScreen)
{
    if (!EnsureWindow())
        return;
    POINT pt{};
    if (pptScreen != nullptr)
        pt = *pptScreen;
    else
        ::GetCursorPos(&pt);

    HDC hdcMeasure = CreateCompatibleDC(nullptr);
    const CSize text = MeasureText(hdcMeasure);
    DeleteDC(hdcMeasure);
    const int nPadding = XUIScale(kPadding);
    int cx = text.cx + 2 * nPadding;
    int cy = text.cy + 2 * nPadding;
    if (m_bColor)
    {
        const int nSide = XUIScale(kSwatch);
        cx += nSide + nPadding;
        cy = std::max(cy, nSide + 2 * nPadding);
    }

    // Below and right of the point; flipped to the other side where the
    // work area ends, and never off its top-left.
    RECT rcWork{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    int x = pt.x + XUIScale(kOffsetX);
    int y = pt.y + XUIScale(kOffsetY);
    if (x + cx > rcWork.right)
        x = pt.x - cx - XUIScale(4);
    if (y + cy > rcWork.bottom)
        y = pt.y - cy - XUIScale(4);
    x = std::max(x, static_cast<int>(rcWork.left));
    y = std::max(y, static_cast<int>(rcWork.top));

    ::SetWindowTextW(m_hTip, m_strText);
    ::SetWindowPos(m_hTip, HWND_TOPMOST, x, y, cx, cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::InvalidateRect(m_hTip, nullptr, TRUE);
}

void CFlexibleToolTipContainer::Paint(HDC hdc)
{
    RECT rcClient{};
    ::GetClientRect(m_hTip, &rcClient);
    XUIFillSolid(hdc, rcClient, GetSysColor(COLOR_INFOBK));
    XUIFrame(hdc, rcClient, GetSysColor(COLOR_INFOTEXT));
    const int nPadding = XUIScale(kPadding);
    RECT rcText{rcClient.left + nPadding, rcClient.top + nPadding, rcClient.right - nPadding,
                rcClient.bottom - nPadding};
    if (m_bColor)
    {
        const CRect rcSwatch = GetSwatchRect();
        XUIFillSolid(hdc, rcSwatch, m_clrColor);
        XUIFrame(hdc, rcSwatch, GetSysColor(COLOR_INFOTEXT));
        rcText.left = rcSwatch.right + nPadding;
    }
    SelectObject(hdc, TipFont());
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_INFOTEXT));
    DrawTextW(hdc, m_strText, m_strText.GetLength(), &rcText, DT_NOPREFIX | DT_LEFT);
}

LRESULT CALLBACK CFlexibleToolTipContainer::TipProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    auto* pThis = reinterpret_cast<CFlexibleToolTipContainer*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    switch (nMessage)
    {
        case WM_NCHITTEST:
            // The mouse goes through to whatever lies beneath.
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintWindow(hWnd, nMessage, wParam,
                        [pThis](HDC hdc)
                        {
                            if (pThis != nullptr)
                                pThis->Paint(hdc);
                        });
            return 0;
        case WM_NCDESTROY:
            if (pThis != nullptr && pThis->m_hTip == hWnd)
                pThis->m_hTip = nullptr;
            ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

CString CFlexibleToolTipContainer::GetColorValuesText(COLORREF clrColor)
{
    CString strText;
    strText.Format(L"R: %d  G: %d  B: %d", GetRValue(clrColor), GetGValue(clrColor), GetBValue(clrColor));
    return strText;
}

CString CFlexibleToolTipContainer::GetColorHexText(COLORREF clrColor)
{
    CString strText;
    strText.Format(L"#%02X%02X%02X", GetRValue(clrColor), GetGValue(clrColor), GetBValue(clrColor));
    return strText;
}

CString CFlexibleToolTipContainer::GetMaterialToolTipString(IMGLMaterial* pMaterial)
{
    if (pMaterial == nullptr)
        return L"No material";
    CErrorAutoThrow error;
    CComPtr<IMGLObject> pSettings;
    pMaterial->GetSettings(error, &pSettings);
    const CString strName = error.IsError() ? CString() : MGLCachedNameOf(pSettings);

    CString strText;
    switch (pMaterial->GetStyle())
    {
        case 1:
            strText = L"Color: " + GetColorValuesText(pMaterial->GetSolidColor());
            break;
        case 2:
            strText = Named(L"Pattern", strName);
            break;
        case 4:
            strText = Named(L"Gradient", strName);
            break;
        case 8:
            strText = L"Art media color: " + GetColorValuesText(pMaterial->GetSolidColor());
            break;
        case 64:
            strText = Named(L"Texture", strName);
            break;
        default:
            strText = L"Material";
            break;
    }
    CComPtr<IMGLObject> pTexture;
    error.Clear();
    pMaterial->GetTexture(error, &pTexture);
    if (!error.IsError() && pTexture != nullptr)
        strText += L"\n" + Named(L"Texture", MGLCachedNameOf(pTexture));
    return strText;
}
