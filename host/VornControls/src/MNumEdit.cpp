#include "MNumEdit.h"

#include "Dc.h"
#include "PaintWindow.h"

#include <algorithm>
#include <climits>

IMPLEMENT_DYNAMIC(CMNumEdit, CEdit)

BEGIN_MESSAGE_MAP(CMNumEdit, CEdit)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_CHAR()
ON_WM_KEYDOWN()
ON_WM_KILLFOCUS()
ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

namespace
{
int HexDigit(wchar_t ch)
{
    if (ch >= L'0' && ch <= L'9')
        return ch - L'0';
    if (ch >= L'a' && ch <= L'f')
        return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F')
        return ch - L'A' + 10;
    return -1;
}

// Parses the whole text; a number too long for int is taken as the nearest
// int, which lies outside any range an edit holds.
bool ParseNumber(const CString& strText, bool bHexadecimal, int& nValue)
{
    const int nLength = strText.GetLength();
    int i = 0;
    bool bNegative = false;
    if (!bHexadecimal && nLength > 0 && strText[0] == L'-')
    {
        bNegative = true;
        i = 1;
    }
    if (i >= nLength)
        return false;
    long long nNumber = 0;
    const int nBase = bHexadecimal ? 16 : 10;
    for (; i < nLength; ++i)
    {
        const int nDigit = HexDigit(strText[i]);
        if (nDigit < 0 || nDigit >= nBase)
            return false;
        nNumber = std::min<long long>(nNumber * nBase + nDigit, static_cast<long long>(INT_MAX) + 1);
    }
    if (bNegative)
        nNumber = -nNumber;
    nValue = static_cast<int>(std::clamp<long long>(nNumber, INT_MIN, INT_MAX));
    return true;
}
} // namespace

BOOL CMNumEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CEdit::Create(dwStyle | WS_CHILD, rect, pParentWnd, nID))
        return FALSE;
    m_nLastGood = m_nMin;
    SetWindowText(FormatValue(m_nMin));
    return TRUE;
}

void CMNumEdit::SetRange(int nMin, int nMax)
{
    if (nMin > nMax)
        std::swap(nMin, nMax);
    m_nMin = nMin;
    m_nMax = nMax;
    m_nLastGood = std::clamp(m_nLastGood, m_nMin, m_nMax);
    if (m_hBuddy != nullptr && ::IsWindow(m_hBuddy))
    {
        ::SendMessageW(m_hBuddy, TBM_SETRANGEMIN, FALSE, m_nMin);
        ::SendMessageW(m_hBuddy, TBM_SETRANGEMAX, TRUE, m_nMax);
    }
    if (m_hWnd != nullptr)
    {
        int nTyped = 0;
        if (GetTypedValue(nTyped) && (nTyped < m_nMin || nTyped > m_nMax))
            SetValue(nTyped);
        Invalidate();
    }
}

void CMNumEdit::SetHexadecimal(bool bHexadecimal)
{
    if (m_bHexadecimal == bHexadecimal)
        return;
    // The number stays; only its form changes.
    const int nValue = GetValue();
    m_bHexadecimal = bHexadecimal;
    if (m_hWnd != nullptr)
        SetValue(nValue);
}

bool CMNumEdit::GetTypedValue(int& nValue) const
{
    if (m_hWnd == nullptr)
        return false;
    CString strText;
    GetWindowText(strText);
    strText.Trim();
    return ParseNumber(strText, m_bHexadecimal, nValue);
}

int CMNumEdit::GetValue() const
{
    int nTyped = 0;
    if (!GetTypedValue(nTyped))
        return m_nLastGood;
    return std::clamp(nTyped, m_nMin, m_nMax);
}

void CMNumEdit::SetValue(int nValue)
{
    m_nLastGood = std::clamp(nValue, m_nMin, m_nMax);
    if (m_hWnd == nullptr)
        return;
    const CString strText = FormatValue(m_nLastGood);
    CString strNow;
    GetWindowText(strNow);
    if (strNow != strText)
        SetWindowText(strText);
    MoveBuddy(m_nLastGood);
    Invalidate();
}

int CMNumEdit::CorrectText()
{
    const int nValue = GetValue();
    SetValue(nValue);
    return nValue;
}

CString CMNumEdit::FormatValue(int nValue) const
{
    CString strText;
    strText.Format(m_bHexadecimal ? L"%02X" : L"%d", nValue);
    return strText;
}

CString CMNumEdit::FormatRangeTip(LPCWSTR pszName) const
{
    CString strTip;
    strTip.Format(L"%s [%d - %d]", pszName != nullptr ? pszName : L"", m_nMin, m_nMax);
    if (strTip.GetLength() >= 80)
        strTip = strTip.Left(76) + L"...";
    return strTip;
}

void CMNumEdit::SetBuddy(CWnd* pBuddy)
{
    // The buddy is kept by its window: an object that goes away leaves a
    // handle that is simply no longer a window.
    m_hBuddy = pBuddy != nullptr ? pBuddy->GetSafeHwnd() : nullptr;
    if (m_hBuddy != nullptr && ::IsWindow(m_hBuddy))
    {
        ::SendMessageW(m_hBuddy, TBM_SETRANGEMIN, FALSE, m_nMin);
        ::SendMessageW(m_hBuddy, TBM_SETRANGEMAX, FALSE, m_nMax);
        MoveBuddy(GetValue());
    }
}

void CMNumEdit::SetPainter(VMnePainter* pPainter)
{
    if (m_pPainter == pPainter)
        return;
    m_pPainter = pPainter;
    if (m_hWnd != nullptr)
        Invalidate();
}

int CMNumEdit::StripHeight() const
{
    if (m_hWnd == nullptr)
        return 0;
    CRect rc;
    GetClientRect(&rc);
    // A fifth of the height, at least 3 pixels, never more than half.
    return std::min(std::max(3, rc.Height() / 5), rc.Height() / 2);
}

CRect CMNumEdit::GetStripRect() const
{
    if (m_hWnd == nullptr)
        return CRect();
    CRect rc;
    GetClientRect(&rc);
    rc.top = rc.bottom - StripHeight();
    return rc;
}

void CMNumEdit::MoveBuddy(int nValue)
{
    if (m_hBuddy == nullptr || !::IsWindow(m_hBuddy))
        return;
    if (static_cast<int>(::SendMessageW(m_hBuddy, TBM_GETPOS, 0, 0)) != nValue)
        ::SendMessageW(m_hBuddy, TBM_SETPOS, TRUE, nValue);
}

bool CMNumEdit::AcceptsCharacter(wchar_t ch) const
{
    if (ch < 0x20 || ch == 0x7F)
        return true; // editing keys and clipboard shortcuts
    if (m_bHexadecimal)
        return HexDigit(ch) >= 0;
    if (ch >= L'0' && ch <= L'9')
        return true;
    return ch == L'-' && m_nMin < 0;
}

void CMNumEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!AcceptsCharacter(static_cast<wchar_t>(nChar)))
    {
        MessageBeep(0);
        return;
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}

void CMNumEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_RETURN)
        CorrectText();
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CMNumEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    if (m_hWnd != nullptr)
        CorrectText();
}

BOOL CMNumEdit::OnChange()
{
    int nTyped = 0;
    if (GetTypedValue(nTyped) && nTyped >= m_nMin && nTyped <= m_nMax)
    {
        m_nLastGood = nTyped;
        MoveBuddy(nTyped);
    }
    if (m_pPainter != nullptr)
        InvalidateRect(GetStripRect(), FALSE);
    return FALSE; // the parent hears of the change as well
}

void CMNumEdit::Paint(HDC hdc)
{
    // The edit draws its text and background first; the strip goes over
    // the bottom of it.
    CWnd::DefWindowProc(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), 0);
    if (m_pPainter == nullptr)
        return;
    const CRect rcStrip = GetStripRect();
    if (rcStrip.IsRectEmpty())
        return;
    CDC* pDC = CDC::FromHandle(hdc);
    m_pPainter->PaintRamp(*pDC, rcStrip);
    m_pPainter->PaintThumb(*pDC, rcStrip, GetValue(), m_nMin, m_nMax);
}

void CMNumEdit::OnPaint()
{
    PaintWindow(m_hWnd, WM_PAINT, 0, [this](HDC hdc) { Paint(hdc); });
}

LRESULT CMNumEdit::OnPrintClient(WPARAM wParam, LPARAM)
{
    PaintWindow(m_hWnd, WM_PRINTCLIENT, wParam, [this](HDC hdc) { Paint(hdc); });
    return 0;
}
