#include "MaterialButton.h"

#include "Dc.h"
#include "XUIDPI.h"
#include "XUIVisualManager.h"

#include <vector>

IMPLEMENT_DYNAMIC(CMaterialButton, CButton)

BEGIN_MESSAGE_MAP(CMaterialButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

namespace
{
// A 32-bit pixel (blue in the low byte) of a COLORREF.
DWORD PixelOf(COLORREF clrColor)
{
    return static_cast<DWORD>(GetBValue(clrColor)) | static_cast<DWORD>(GetGValue(clrColor)) << 8 |
           static_cast<DWORD>(GetRValue(clrColor)) << 16;
}
} // namespace

CMaterialButton::~CMaterialButton()
{
    FreeBitmap();
}

void CMaterialButton::FreeBitmap()
{
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_sizeBitmap = CSize(0, 0);
}

bool CMaterialButton::LoadButtonBitmap()
{
    FreeBitmap();
    HBITMAP hBitmap = m_bMappedColours ? ::LoadBitmapW(nullptr, MAKEINTRESOURCEW(m_nBitmapId))
                                       : XUILoadDPIMatchedBitmap(m_strImagePath);
    if (hBitmap == nullptr)
        return false;
    BITMAP info{};
    CBitmap* pBitmap = CBitmap::FromHandle(hBitmap);
    pBitmap->GetBitmap(&info);
    if (m_bMappedColours)
    {
        // The bitmap is drawn in light grey on black; it takes the pane's
        // colours instead.
        std::vector<DWORD> pixels(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
        const DWORD dwBytes = static_cast<DWORD>(pixels.size() * sizeof(DWORD));
        pBitmap->GetBitmapBits(dwBytes, pixels.data());
        const DWORD dwBack = PixelOf(XUIGetThemeColor(XUI_COLOR_PANE_BACKGROUND));
        const DWORD dwGlyph = PixelOf(XUIGetThemeColor(XUI_COLOR_GLYPH));
        for (DWORD& dwPixel : pixels)
        {
            const DWORD dwAlpha = dwPixel & 0xFF000000;
            if ((dwPixel & 0x00FFFFFF) == 0x00C0C0C0)
                dwPixel = dwAlpha | dwBack;
            else if ((dwPixel & 0x00FFFFFF) == 0)
                dwPixel = dwAlpha | dwGlyph;
        }
        pBitmap->SetBitmapBits(dwBytes, pixels.data());
    }
    m_hBitmap = hBitmap;
    m_sizeBitmap = CSize(info.bmWidth, info.bmHeight);
    return true;
}

BOOL CMaterialButton::Create(UINT nID, CRect& rect, CWnd* pParent, UINT nBitmapId, UINT nMessage,
                             bool bMappedColours, CString strImagePath)
{
    m_nBitmapId = nBitmapId;
    m_nMessage = nMessage;
    m_bMappedColours = bMappedColours;
    m_strImagePath = strImagePath;
    LoadButtonBitmap();
    // The button is as large as its bitmap.
    if (m_hBitmap != nullptr)
    {
        rect.right = rect.left + m_sizeBitmap.cx;
        rect.bottom = rect.top + m_sizeBitmap.cy;
    }
    return CButton::Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, rect, pParent, nID);
}

void CMaterialButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rcClient(lpDrawItemStruct->rcItem);
    pDC->FillSolidRect(&rcClient, XUIGetThemeColor(XUI_COLOR_PANE_BACKGROUND));
    if (m_hBitmap == nullptr)
        return;
    CDC memDC;
    memDC.CreateCompatibleDC(pDC);
    CBitmap* pOld = memDC.SelectObject(CBitmap::FromHandle(m_hBitmap));
    pDC->BitBlt(rcClient.right - m_sizeBitmap.cx, rcClient.top, m_sizeBitmap.cx, m_sizeBitmap.cy, &memDC, 0,
                0, SRCCOPY);
    memDC.SelectObject(pOld);
}

void CMaterialButton::OnClicked()
{
    if (CWnd* pParent = GetParent())
        pParent->PostMessage(m_nMessage, static_cast<WPARAM>(GetDlgCtrlID()), 0);
}

// New system or theme colours: the mapped bitmap takes them.
void CMaterialButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    LoadButtonBitmap();
    Invalidate();
}
