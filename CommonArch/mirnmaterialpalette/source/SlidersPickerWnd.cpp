#include "SlidersPickerWnd.h"

#include "Dc.h"
#include "MirnMaterialPalette.h"
#include "PaintWindow.h"
#include "PaneMessages.h"
#include "XUIDPI.h"
#include "XUIVisualManager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CSlidersPickerWnd, CWnd)

BEGIN_MESSAGE_MAP(CSlidersPickerWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_WM_ERASEBKGND()
ON_WM_HSCROLL()
ON_CONTROL_RANGE(EN_CHANGE, IDC_SLIDERS_FIRST_EDIT, IDC_SLIDERS_LAST_EDIT, OnEditChange)
ON_CBN_SELCHANGE(IDC_SLIDERS_MODEL_LIST, OnModelChange)
ON_WM_CTLCOLOR()
ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

namespace
{
// The side the sliders report for: the foreground solid-colour control.
constexpr WPARAM kForegroundSolid = IDC_MATCTRL_SOLID_FOREGROUND;
// The unit labels need no identifiers of their own.
constexpr UINT kUnitLabelId = 0xFFFF;
// The face the picker's 8-point font is made from.
constexpr const wchar_t* kInterfaceFontName = L"Segoe UI";
constexpr int kThumbLength = 15;
// Enough room below the list's face for all six models.
constexpr int kListDropHeight = 120;

COLORREF RowTrackColor(double dFraction, int nValueIndex)
{
    return SliderTrackColor(nValueIndex, dFraction);
}

int S(int n)
{
    return XUIScale(n);
}
} // namespace

CSlidersPickerWnd::CSlidersPickerWnd()
{
    for (int i = 0; i < kSliderValueCount; ++i)
    {
        auto pRow = std::make_unique<SRow>();
        const SSliderChannel& channel = GetSliderChannel(i);
        pRow->nValueIndex = i;
        pRow->nModel = GetSliderModelOfValue(i);
        pRow->nRow = i - GetSliderModelInfo(static_cast<ESliderModel>(pRow->nModel)).nFirstValue;
        pRow->nMin = channel.nMin;
        pRow->nMax = channel.nMax;
        pRow->eKind = channel.eKind;
        pRow->slider.SetTrackColorFunction(&RowTrackColor, i);
        pRow->slider.SetValuePointer(&m_values[static_cast<size_t>(i)]);
        pRow->slider.SetKind(channel.eKind);
        m_rows[static_cast<size_t>(i)] = std::move(pRow);
        m_editRows[EditId(i)] = i;
    }
}

CSlidersPickerWnd::~CSlidersPickerWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    if (m_hStaticBrush != nullptr)
        DeleteObject(m_hStaticBrush);
    if (m_hErrorBrush != nullptr)
        DeleteObject(m_hErrorBrush);
}

BOOL CSlidersPickerWnd::Create(CWnd* pParent, UINT nID, const CRect& rect)
{
    if (m_hWnd != nullptr || pParent == nullptr || pParent->GetSafeHwnd() == nullptr)
        return FALSE;
    LPCWSTR pszClass = AfxRegisterWndClass(0, LoadCursorW(nullptr, IDC_ARROW));
    return CWnd::Create(pszClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, pParent, nID);
}

int CSlidersPickerWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The theme colours are read where they are used, so that a change of
    // theme shows at the next paint.
    if (m_font.GetSafeHandle() == nullptr)
        m_font.CreatePointFont(80, kInterfaceFontName);

    const CRect rcNone(0, 0, 0, 0);
    if (!m_wndModelList.Create(WS_TABSTOP, CRect(0, 0, 10, S(24) + kListDropHeight), this,
                               IDC_SLIDERS_MODEL_LIST))
        return -1;
    m_pDegreeLabel = std::make_unique<CStatic>();
    m_pDegreeLabel->Create(L"\x00B0", WS_CHILD | SS_LEFT, rcNone, this, kUnitLabelId);
    for (auto& pLabel : m_percentLabels)
    {
        pLabel = std::make_unique<CStatic>();
        pLabel->Create(L"%", WS_CHILD | SS_LEFT, rcNone, this, kUnitLabelId);
    }
    for (auto& pRow : m_rows)
    {
        SRow& row = *pRow;
        const SSliderChannel& channel = GetSliderChannel(row.nValueIndex);
        // The labels' own controls stay hidden: the picker draws their text.
        row.label.Create(channel.pszLabel, WS_CHILD | SS_LEFT, rcNone, this, LabelId(row.nModel, row.nRow));
        row.slider.Create(WS_CHILD | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS | TBS_FIXEDLENGTH, rcNone, this,
                          SliderId(row.nModel, row.nRow));
        row.edit.Create(WS_CHILD | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, rcNone, this,
                        EditId(row.nValueIndex));
    }

    CRect rcClient;
    GetClientRect(&rcClient);
    Layout(rcClient);

    const auto hFont = reinterpret_cast<WPARAM>(m_font.GetSafeHandle());
    m_wndModelList.SendMessage(WM_SETFONT, hFont, FALSE);
    m_wndModelList.SetFaceHeight(S(24));
    m_pDegreeLabel->SendMessage(WM_SETFONT, hFont, FALSE);
    for (auto& pLabel : m_percentLabels)
        pLabel->SendMessage(WM_SETFONT, hFont, FALSE);
    for (auto& pRow : m_rows)
    {
        SRow& row = *pRow;
        row.label.SendMessage(WM_SETFONT, hFont, FALSE);
        row.slider.SendMessage(WM_SETFONT, hFont, FALSE);
        row.edit.SendMessage(WM_SETFONT, hFont, FALSE);
        row.slider.SetRange(row.nMin, row.nMax);
        row.slider.SetThumbLength(kThumbLength);
        row.edit.SetRange(row.nMin, row.nMax);
        row.edit.SetHexadecimal(row.eKind == SLIDER_KIND_HEXADECIMAL);
        row.slider.SetBuddy(&row.edit, FALSE);
        SetEditText(row, L"0");
    }
    // Taking a buddy places the edit beside its slider; the layout's place
    // for it wins.
    Layout(rcClient);

    for (int m = 0; m < kSliderModelCount; ++m)
        m_wndModelList.AddString(GetSliderModelInfo(static_cast<ESliderModel>(m)).pszName);
    m_wndModelList.SetCurSel(0);
    m_wndModelList.ShowWindow(SW_SHOW);
    ShowCurrentModel();
    return 0;
}

void CSlidersPickerWnd::OnDestroy()
{
    m_bReady = false;
    CWnd::OnDestroy();
}

void CSlidersPickerWnd::Layout(const CRect& r)
{
    if (m_wndModelList.GetSafeHwnd() == nullptr)
        return;
    CRect rcList;
    m_wndModelList.GetWindowRect(&rcList);
    m_wndModelList.SetWindowPos(nullptr, r.left, r.top, r.Width(), rcList.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE);

    const int nUnitLeft = r.right - S(12) - S(2);
    if (m_pDegreeLabel != nullptr)
        m_pDegreeLabel->MoveWindow(nUnitLeft, r.top + S(28), r.right - nUnitLeft, S(20), FALSE);
    for (size_t i = 0; i < m_percentLabels.size(); ++i)
    {
        if (m_percentLabels[i] != nullptr)
            m_percentLabels[i]->MoveWindow(nUnitLeft, r.top + S(32) + S(28) * static_cast<int>(i),
                                           r.right - nUnitLeft, S(20), FALSE);
    }

    const int nEditRight = nUnitLeft - S(2);
    const int nEditLeft = nEditRight - S(28);
    for (auto& pRow : m_rows)
    {
        SRow& row = *pRow;
        if (row.slider.GetSafeHwnd() == nullptr)
            continue;
        const int nTop = r.top + S(32) + S(28) * row.nRow;
        const CRect rcLabel = GetLabelRect(row.nValueIndex);
        row.label.MoveWindow(rcLabel, FALSE);
        // The slider first: moving it moves its buddy, which then goes to
        // its own place.
        row.slider.MoveWindow(rcLabel.right, nTop, std::max(0, nEditLeft - S(2) - rcLabel.right), S(20),
                              FALSE);
        row.edit.MoveWindow(nEditLeft, nTop, nEditRight - nEditLeft, S(20), FALSE);
    }
}

CRect CSlidersPickerWnd::GetLabelRect(int nValueIndex) const
{
    if (nValueIndex < 0 || nValueIndex >= kSliderValueCount || m_hWnd == nullptr)
        return CRect();
    CRect r;
    GetClientRect(&r);
    const int nTop = r.top + S(32) + S(28) * m_rows[static_cast<size_t>(nValueIndex)]->nRow;
    return CRect(r.left + 2, nTop, S(r.left + 13), nTop + S(20));
}

void CSlidersPickerWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Layout(CRect(0, 0, cx, cy));
    Invalidate();
}

CColorSlider* CSlidersPickerWnd::GetSlider(int nValueIndex)
{
    if (nValueIndex < 0 || nValueIndex >= kSliderValueCount)
        return nullptr;
    return &m_rows[static_cast<size_t>(nValueIndex)]->slider;
}

CMNumEdit* CSlidersPickerWnd::GetEdit(int nValueIndex)
{
    if (nValueIndex < 0 || nValueIndex >= kSliderValueCount)
        return nullptr;
    return &m_rows[static_cast<size_t>(nValueIndex)]->edit;
}

CStatic* CSlidersPickerWnd::GetPercentLabel(int nRow)
{
    if (nRow < 0 || nRow >= static_cast<int>(m_percentLabels.size()))
        return nullptr;
    return m_percentLabels[static_cast<size_t>(nRow)].get();
}

int CSlidersPickerWnd::GetModel() const
{
    if (m_wndModelList.GetSafeHwnd() == nullptr)
        return 0;
    return std::max(0, m_wndModelList.GetCurSel());
}

void CSlidersPickerWnd::SetModel(int nModel)
{
    if (!IsValidSliderModel(nModel) || m_wndModelList.GetSafeHwnd() == nullptr)
        return;
    m_wndModelList.SetCurSel(nModel);
    ShowCurrentModel();
}

bool CSlidersPickerWnd::GetCMYKValues(int aValues[4]) const
{
    if (aValues == nullptr || m_hWnd == nullptr || GetModel() != SLIDER_MODEL_CMYK)
        return false;
    for (int i = 0; i < 4; ++i)
        aValues[i] = m_values[static_cast<size_t>(SLIDER_VALUE_CYAN + i)];
    return true;
}

void CSlidersPickerWnd::SetPickerColor(BYTE r, BYTE g, BYTE b)
{
    m_values[SLIDER_VALUE_RED] = r;
    m_values[SLIDER_VALUE_GREEN] = g;
    m_values[SLIDER_VALUE_BLUE] = b;
    if (m_hWnd == nullptr)
        return;
    ShowCurrentModel();
}

void CSlidersPickerWnd::SetEditText(SRow& row, const CString& strText)
{
    CString strNow;
    row.edit.GetWindowText(strNow);
    if (strNow != strText)
        row.edit.SetWindowText(strText);
}

void CSlidersPickerWnd::ShowModelValues(int nModel)
{
    const SSliderModelInfo& info = GetSliderModelInfo(static_cast<ESliderModel>(nModel));
    for (int i = info.nFirstValue; i < info.nFirstValue + info.nRowCount; ++i)
    {
        SRow& row = *m_rows[static_cast<size_t>(i)];
        const int nValue = m_values[static_cast<size_t>(i)];
        row.slider.SetPos(nValue);
        SetEditText(row, row.slider.FormatValue(nValue));
    }
}

void CSlidersPickerWnd::ShowCurrentModel()
{
    if (m_hWnd == nullptr)
        return;
    m_bReady = false;
    const int nModel = GetModel();
    if (!m_bSending)
    {
        SliderModelFromRGB(nModel, m_values);
        ShowModelValues(nModel);
        if (nModel == SLIDER_MODEL_CMYK && m_pPalette != nullptr && ::IsWindow(m_pPalette->GetSafeHwnd()))
        {
            const LRESULT nSaved = m_pPalette->SendMessage(WM_GET_CMYK_MODE_COLOR, 0, 0);
            if (nSaved != 0 && m_hWnd != nullptr)
            {
                const int* pSaved = reinterpret_cast<const int*>(nSaved);
                for (int i = 0; i < 4; ++i)
                    m_values[static_cast<size_t>(SLIDER_VALUE_CYAN + i)] = std::clamp(pSaved[i], 0, 100);
                ShowModelValues(nModel);
            }
        }
        if (m_hWnd == nullptr)
            return;
    }

    const SSliderModelInfo& info = GetSliderModelInfo(static_cast<ESliderModel>(nModel));
    for (auto& pRow : m_rows)
    {
        const int nShow = pRow->nModel == nModel ? SW_SHOW : SW_HIDE;
        pRow->slider.ShowWindow(nShow);
        pRow->edit.ShowWindow(nShow);
    }
    const ESliderKind eFirstKind = GetSliderChannel(info.nFirstValue).eKind;
    m_pDegreeLabel->ShowWindow(eFirstKind == SLIDER_KIND_DEGREES ? SW_SHOW : SW_HIDE);
    m_percentLabels[0]->ShowWindow(eFirstKind == SLIDER_KIND_PERCENT ? SW_SHOW : SW_HIDE);
    for (int r = 1; r < 4; ++r)
    {
        const bool bShow =
            r < info.nRowCount && GetSliderChannel(info.nFirstValue + r).eKind == SLIDER_KIND_PERCENT;
        m_percentLabels[static_cast<size_t>(r)]->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    }
    m_bReady = true;
    Invalidate();
}

CSlidersPickerWnd::SRow* CSlidersPickerWnd::RowOfSlider(HWND hSlider)
{
    if (hSlider == nullptr)
        return nullptr;
    for (auto& pRow : m_rows)
    {
        if (pRow->slider.GetSafeHwnd() == hSlider)
            return pRow.get();
    }
    return nullptr;
}

void CSlidersPickerWnd::OnHScroll(UINT, UINT, CScrollBar*)
{
    // The track bar that scrolled is the message's lParam.
    const MSG* pMessage = AfxGetCurrentMessage();
    SRow* pRow = pMessage != nullptr ? RowOfSlider(reinterpret_cast<HWND>(pMessage->lParam)) : nullptr;
    if (pRow == nullptr)
        return;
    m_bReady = false;
    const int nPos = pRow->slider.GetPos();
    int* pValue = pRow->slider.GetValuePointer();
    *pValue = nPos;
    pRow->slider.SetPos(nPos);
    SetEditText(*pRow, pRow->slider.FormatValue(nPos));
    const int nModel = static_cast<int>(pRow->slider.GetDlgCtrlID() / 32 % 8);
    SliderModelToRGB(nModel, m_values);
    SendColorChange();
    SendSaveCMYK(nModel);
    m_bReady = true;
}

void CSlidersPickerWnd::OnEditChange(UINT nID)
{
    const auto it = m_editRows.find(nID);
    if (it == m_editRows.end())
        return;
    SRow& row = *m_rows[static_cast<size_t>(it->second)];
    // The edits of the models not shown change only by the program (their
    // own correction when the focus leaves one as its model is put away).
    if (row.nModel != GetModel())
        return;
    int v = 0;
    // Text that is no number yet (empty, a lone minus) is still being typed.
    if (!row.edit.GetTypedValue(v) || v < row.nMin)
        return;
    const bool bHexadecimal = row.eKind == SLIDER_KIND_HEXADECIMAL;
    if (v > row.nMax || (bHexadecimal && !IsWebSafeLevel(v)))
    {
        // The correction is only shown; it is taken up with the next change.
        const int nShown = v > row.nMax ? row.nMax : WebSafeLevel(v);
        CString strText;
        strText.Format(bHexadecimal ? L"%x" : L"%d", nShown);
        const bool bWasReady = m_bReady;
        m_bReady = false;
        row.edit.SetWindowText(strText);
        row.edit.SetSel(strText.GetLength(), strText.GetLength());
        m_bReady = bWasReady;
        return;
    }
    if (!m_bReady)
        return;
    m_values[static_cast<size_t>(row.nValueIndex)] = v;
    row.slider.SetPos(v);
    SliderModelToRGB(row.nModel, m_values);
    SendColorChange();
    SendSaveCMYK(row.nModel);
}

void CSlidersPickerWnd::OnModelChange()
{
    ShowCurrentModel();
}

void CSlidersPickerWnd::SendColorChange()
{
    if (m_pPalette == nullptr || !::IsWindow(m_pPalette->GetSafeHwnd()))
        return;
    const COLORREF clr =
        RGB(static_cast<BYTE>(m_values[SLIDER_VALUE_RED]), static_cast<BYTE>(m_values[SLIDER_VALUE_GREEN]),
            static_cast<BYTE>(m_values[SLIDER_VALUE_BLUE]));
    m_bSending = true;
    m_pPalette->SendMessage(WM_COLOR_CHANGE, kForegroundSolid, static_cast<LPARAM>(clr));
    m_bSending = false;
}

void CSlidersPickerWnd::SendSaveCMYK(int nModel)
{
    if (m_pPalette == nullptr || !::IsWindow(m_pPalette->GetSafeHwnd()))
        return;
    int aValues[4] = {-1, 0, 0, 0};
    if (nModel == SLIDER_MODEL_CMYK)
    {
        for (int i = 0; i < 4; ++i)
            aValues[i] = m_values[static_cast<size_t>(SLIDER_VALUE_CYAN + i)];
    }
    m_pPalette->SendMessage(WM_SAVE_CMYK_MODE_COLOR, kForegroundSolid, reinterpret_cast<LPARAM>(aValues));
}

void CSlidersPickerWnd::Paint(HDC hdc)
{
    const CXUIVisualManager& manager = CXUIVisualManager::GetInstance();
    CRect rcClient;
    GetClientRect(&rcClient);
    HBRUSH hBackground = CreateSolidBrush(manager.GetThemeColor(XUI_COLOR_PANE_BACKGROUND));
    FillRect(hdc, &rcClient, hBackground);
    DeleteObject(hBackground);

    // The labels are drawn twice, a dark copy up and to the right of the
    // text, for an engraved look.
    SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(hdc, TRANSPARENT);
    const COLORREF clrText = manager.GetThemeColor(XUI_COLOR_PANE_TEXT);
    const int nModel = GetModel();
    const SSliderModelInfo& info = GetSliderModelInfo(static_cast<ESliderModel>(nModel));
    for (int i = info.nFirstValue; i < info.nFirstValue + info.nRowCount; ++i)
    {
        CString strLabel;
        m_rows[static_cast<size_t>(i)]->label.GetWindowText(strLabel);
        CRect rc = GetLabelRect(i);
        rc.OffsetRect(1, -2);
        SetTextColor(hdc, kLabelShadow);
        DrawTextW(hdc, strLabel, strLabel.GetLength(), &rc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        rc.OffsetRect(-1, 0);
        SetTextColor(hdc, clrText);
        DrawTextW(hdc, strLabel, strLabel.GetLength(), &rc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
}

void CSlidersPickerWnd::OnPaint()
{
    PaintWindow(m_hWnd, WM_PAINT, 0, [this](HDC hdc) { Paint(hdc); });
}

LRESULT CSlidersPickerWnd::OnPrintClient(WPARAM wParam, LPARAM)
{
    PaintWindow(m_hWnd, WM_PRINTCLIENT, wParam, [this](HDC hdc) { Paint(hdc); });
    return 0;
}

void CSlidersPickerWnd::OnSysColorChange()
{
    // The visual manager tells of theme changes this way.
    CWnd::OnSysColorChange();
    Invalidate();
}

BOOL CSlidersPickerWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

HBRUSH CSlidersPickerWnd::StaticBrush()
{
    const COLORREF clr = XUIGetThemeColor(XUI_COLOR_PANE_BACKGROUND);
    if (m_hStaticBrush == nullptr || clr != m_clrStaticBrush)
    {
        if (m_hStaticBrush != nullptr)
            DeleteObject(m_hStaticBrush);
        m_hStaticBrush = CreateSolidBrush(clr);
        m_clrStaticBrush = clr;
    }
    return m_hStaticBrush;
}

HBRUSH CSlidersPickerWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC)
    {
        pDC->SetTextColor(XUIGetThemeColor(XUI_COLOR_PANE_TEXT));
        pDC->SetBkMode(TRANSPARENT);
        return StaticBrush();
    }
    if (nCtlColor == CTLCOLOR_EDIT && pWnd != nullptr &&
        CXUIVisualManager::GetInstance().IsEditInError(pWnd->GetSafeHwnd()))
    {
        if (m_hErrorBrush == nullptr)
            m_hErrorBrush = CreateSolidBrush(RGB(255, 0, 0));
        pDC->SetBkColor(RGB(255, 0, 0));
        pDC->SetTextColor(XUIGetThemeColor(XUI_COLOR_ERROR_TEXT));
        return m_hErrorBrush;
    }
    return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
}

BOOL CSlidersPickerWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg == nullptr || m_hWnd == nullptr)
        return FALSE;
    const bool bOurs = pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd);
    if (!bOurs)
        return CWnd::PreTranslateMessage(pMsg);
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_DELETE)
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && IsDialogMessageW(m_hWnd, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}
