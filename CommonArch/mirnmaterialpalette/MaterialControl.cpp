#include "MaterialControl.h"

#include "Dc.h"
#include "GdiObjects.h"

#include "MatColorBlock.h"
#include "MatStyleGradient.h"
#include "MatStyleGradient2.h"
#include "MatStylePattern.h"
#include "MatStylePattern2.h"
#include "MirnMaterialPalette.h"
#include "PaneMessages.h"
#include "Placeholder.h"
#include "RowIterator.h"
#include "XUIDPI.h"
#include "XUIDraw.h"
#include "XUIVisualManager.h"

IMPLEMENT_DYNAMIC(CMaterialControl, CWnd)

BEGIN_MESSAGE_MAP(CMaterialControl, CWnd)
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace
{
// The side of the small buttons, scaled once for the display.
int ButtonSize()
{
    static const int s_nSize = XUIScale(18);
    return s_nSize;
}

// The flyout bitmap of a style kind; 0 for none.
UINT StyleBitmapId(int nKind)
{
    switch (nKind)
    {
        case MATERIAL_STYLE_SOLID:
            return 15909;
        case MATERIAL_STYLE_PATTERN:
            return 15908;
        case MATERIAL_STYLE_GRADIENT:
            return 15907;
        case MATERIAL_STYLE_ART_MEDIA:
            return 15931;
        case MATERIAL_STYLE_TEXTURE:
            return 15914;
        default:
            return 0;
    }
}

HBITMAP LoadStyleBitmap(int nKind)
{
    const UINT nId = StyleBitmapId(nKind);
    return nId != 0 ? ::LoadBitmapW(nullptr, MAKEINTRESOURCEW(nId)) : nullptr;
}

// Takes a colour block from a style and frees it; false without one.
bool TakeColor(VMatStyle* pStyle, COLORREF& clrColor)
{
    void* pData = nullptr;
    pStyle->GetData(&pData);
    if (pData == nullptr)
        return false;
    clrColor = TakeColorBlock(pData);
    return true;
}

// Takes a settings object from a style or texture (with its reference).
CComPtr<IMGLObject> TakeSettings(void* pData)
{
    CComPtr<IMGLObject> pSettings;
    if (pData == nullptr)
        return pSettings;
    auto* pUnknown = static_cast<IUnknown*>(pData);
    pUnknown->QueryInterface(IID_OF(IMGLObject), reinterpret_cast<void**>(&pSettings.p));
    pUnknown->Release();
    return pSettings;
}

// Writes a non-cached image into its settings object as property 150.
CErrorAutoThrow WriteImageProperty(IMGLObject* pSettings, const CRowIterator& image)
{
    if (pSettings == nullptr)
        return MIRN_ERR_INVALID_ARG;
    CMirnMaterialPalette* pPalette = CMirnMaterialPalette::Instance();
    VMGLValueFactory* pValues = pPalette != nullptr ? pPalette->GetValueFactory() : nullptr;
    VMGLPropertyFactory* pProperties = pPalette != nullptr ? pPalette->GetPropertyFactory() : nullptr;
    if (pValues == nullptr || pProperties == nullptr)
        return MIRN_ERR_INVALID_ARG;
    CErrorAutoThrow error;
    CComPtr<IMGLValue> pValue;
    pValues->CreateImage(error, image, &pValue.p);
    CComPtr<IMGLProperty> pProperty;
    if (pValue != nullptr)
        pProperties->CreateProperty(error, MGL_PROP_IMAGE, pValue, &pProperty.p);
    if (pProperty == nullptr)
        return MIRN_ERR_INVALID_ARG;
    pSettings->SetProperty(error, pProperty);
    return MIRN_ERR_NONE;
}
} // namespace

BOOL CMaterialControl::Create(UINT nID, UINT nPlaceholderId, CWnd* pParent, CString strName, bool bSolidOnly,
                              bool bButtonRow)
{
    m_nID = nID;
    m_strName = strName;
    m_bSolidOnly = bSolidOnly;
    m_bButtonRow = bButtonRow;
    const SPlaceholderSpot spot = TakePlaceholder(pParent, nPlaceholderId);
    if (!spot.bFound)
        return FALSE;
    if (!CreateEx(0, AfxRegisterWndClass(0), strName, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN,
                  spot.rect, pParent, nID))
        return FALSE;

    Layout();
    if (!m_bSolidOnly)
    {
        const COLORREF clrButtons = XUIGetThemeColor(XUI_COLOR_MATERIAL_BUTTON);
        m_btnStyle.Create(L"", WS_CHILD | WS_VISIBLE, CRect(), this, IDC_MATCTRL_STYLE_BUTTON);
        m_btnTexture.Create(L"", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_PUSHLIKE, CRect(), this,
                            IDC_MATCTRL_TEXTURE_BUTTON);
        m_btnEnable.Create(L"", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_PUSHLIKE, CRect(), this,
                           IDC_MATCTRL_ENABLE_BUTTON);
        for (CMirnBitmapButton* pButton :
             {static_cast<CMirnBitmapButton*>(&m_btnStyle), &m_btnTexture, &m_btnEnable})
            pButton->SetBackgroundColor(clrButtons);
        if (!m_btnEnable.SetImagePath(L"MirnMaterialPalette\\Transparent-Materials.bmp"))
            m_btnEnable.SetBitmapResource(15905);
        m_btnEnable.SetCheck(BST_UNCHECKED);
        m_btnEnable.EnableWindow(TRUE);
    }
    CRect rcSample = m_rcSample;
    rcSample.DeflateRect(1, 1);
    m_sample.Create(WS_CHILD | WS_VISIBLE, rcSample, this, IDC_MATCTRL_SAMPLE);
    if (CMirnMaterialPalette* pPalette = CMirnMaterialPalette::Instance())
        m_sample.SetRenderEngine(pPalette->GetRenderEngine());
    Layout();

    RestoreTabOrder(m_hWnd, spot);
    return TRUE;
}

void CMaterialControl::Layout()
{
    if (m_hWnd == nullptr)
        return;
    CRect rc;
    GetClientRect(&rc);
    if (m_bInset)
    {
        rc.right -= 1;
        rc.bottom -= 1;
    }
    CRect rcStyle;
    CRect rcTexture;
    CRect rcEnable;
    if (m_bSolidOnly)
    {
        m_rcSample = rc;
    }
    else if (!m_bButtonRow)
    {
        // A column of buttons at the left, the sample to their right.
        const int b = ButtonSize();
        const int h = rc.Height() - 1;
        rcStyle = CRect(rc.left, rc.top, rc.left + b, rc.top + h / 3);
        rcTexture = CRect(rc.left, rcStyle.bottom, rc.left + b, rcStyle.bottom + h / 3);
        rcEnable = CRect(rc.left, rcTexture.bottom, rc.left + b, rcTexture.bottom + h / 3);
        m_rcSample = CRect(rc.left + b, rc.top, rc.right, rc.bottom);
    }
    else
    {
        // A row of buttons along the bottom, the sample above.
        const int b = ButtonSize();
        const int nLeft = rc.left + 1;
        const int nWidth = rc.Width() - 2;
        const int nBottom = rc.bottom - 1;
        const int nTop = nBottom - b;
        rcStyle = CRect(nLeft, nTop, nLeft + nWidth / 3, nBottom);
        rcTexture = CRect(rcStyle.right, nTop, nLeft + 2 * nWidth / 3, nBottom);
        rcEnable = CRect(rcTexture.right, nTop, nLeft + nWidth, nBottom);
        m_rcSample = CRect(rc.left, rc.top, rc.right, nTop);
    }
    const auto place = [](CWnd& wnd, const CRect& rect)
    {
        if (wnd.GetSafeHwnd() != nullptr)
            wnd.MoveWindow(&rect);
    };
    place(m_btnStyle, rcStyle);
    place(m_btnTexture, rcTexture);
    place(m_btnEnable, rcEnable);
    CRect rcSample = m_rcSample;
    rcSample.DeflateRect(1, 1);
    place(m_sample, rcSample);
}

void CMaterialControl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Layout();
}

CErrorAutoThrow CMaterialControl::RegisterStyle(VMatStyle* pStyle, bool bShowInStyleMenu)
{
    if (pStyle == nullptr)
        return MIRN_ERR_INVALID_ARG;
    if (m_bSolidOnly)
    {
        if (!m_arrStyles.empty())
            return MIRN_ERR_NOT_FOUND;
        if (pStyle->m_eStyle != MATERIAL_STYLE_SOLID)
            return MIRN_ERR_INVALID_ARG;
    }
    if (GetStyleIdx(pStyle->m_eStyle) >= 0)
        return MIRN_ERR_INVALID_ARG;
    m_arrStyles.push_back(pStyle);
    if (m_bSolidOnly)
    {
        SetCurrStyle(MATERIAL_STYLE_SOLID);
        return MIRN_ERR_NONE;
    }
    if (bShowInStyleMenu)
    {
        m_btnStyle.AddItem(LoadStyleBitmap(pStyle->m_eStyle), pStyle->m_eStyle, pStyle->GetTTText());
        if (m_arrStyles.size() == 1)
        {
            m_btnStyle.SetImage(LoadStyleBitmap(pStyle->m_eStyle));
            m_btnStyle.SetCheck(BST_UNCHECKED);
            m_btnStyle.EnableWindow(TRUE);
            SetCurrStyle(pStyle->m_eStyle);
        }
    }
    return MIRN_ERR_NONE;
}

CErrorAutoThrow CMaterialControl::RegisterTexture(VMatTexture* pTexture)
{
    if (pTexture == nullptr)
        return MIRN_ERR_INVALID_ARG;
    if (IsTextureRegistered())
        return MIRN_ERR_NOT_FOUND;
    m_pTexture = pTexture;
    if (m_btnTexture.GetSafeHwnd() != nullptr)
    {
        m_btnTexture.SetImagePath(L"MirnMaterialPalette\\Texture-Materials.bmp");
        m_btnTexture.SetCheck(BST_UNCHECKED);
        m_btnTexture.EnableWindow(TRUE);
    }
    return MIRN_ERR_NONE;
}

int CMaterialControl::GetStyleIdx(EMaterialStyle eStyle) const
{
    for (size_t i = 0; i < m_arrStyles.size(); ++i)
    {
        if (m_arrStyles[i]->m_eStyle == eStyle)
            return static_cast<int>(i);
    }
    return -1;
}

VMatStyle* CMaterialControl::GetCurrStyleObject() const
{
    return m_nCurrIdx >= 0 && m_nCurrIdx < static_cast<int>(m_arrStyles.size())
               ? m_arrStyles[static_cast<size_t>(m_nCurrIdx)]
               : nullptr;
}

void CMaterialControl::MakeCurrent(int nIndex)
{
    m_nCurrIdx = nIndex;
    for (size_t i = 0; i < m_arrStyles.size(); ++i)
        m_arrStyles[i]->m_bCurrent = static_cast<int>(i) == nIndex;
}

bool CMaterialControl::SetCurrStyle(EMaterialStyle eStyle, bool bSelectInMenu)
{
    if (m_arrStyles.empty())
        return false;
    const int nIndex = eStyle == MATERIAL_STYLE_FIRST_REGISTERED ? 0 : GetStyleIdx(eStyle);
    if (nIndex < 0)
        return false;
    MakeCurrent(nIndex);
    if (!m_bSolidOnly && bSelectInMenu && m_btnStyle.GetSafeHwnd() != nullptr)
        m_btnStyle.SelectItem(m_arrStyles[static_cast<size_t>(nIndex)]->m_eStyle);
    return true;
}

bool CMaterialControl::GetCurrStyle(EMaterialStyle& eStyle) const
{
    const VMatStyle* pStyle = GetCurrStyleObject();
    if (pStyle == nullptr)
        return false;
    eStyle = pStyle->m_eStyle;
    return true;
}

bool CMaterialControl::EnableStyles(int nMask, EMaterialStyle eStyle)
{
    bool bAny = false;
    for (VMatStyle* pStyle : m_arrStyles)
    {
        pStyle->m_bCurrent = (pStyle->m_eStyle & nMask) != 0;
        bAny = bAny || pStyle->m_bCurrent;
    }
    return bAny ? true : SetCurrStyle(eStyle);
}

void CMaterialControl::EnableMaterial(bool bEnable)
{
    if (m_btnEnable.GetSafeHwnd() != nullptr)
        m_btnEnable.SetCheck(bEnable ? BST_UNCHECKED : BST_CHECKED);
    if (m_sample.GetSafeHwnd() != nullptr)
        m_sample.EnableWindow(bEnable ? TRUE : FALSE);
}

bool CMaterialControl::IsMaterialEnabled() const
{
    return m_btnEnable.GetSafeHwnd() != nullptr && m_btnEnable.GetCheck() == BST_UNCHECKED;
}

void CMaterialControl::EnableEnableBtn(bool bEnable)
{
    if (m_btnEnable.GetSafeHwnd() != nullptr)
        m_btnEnable.EnableWindow(bEnable ? TRUE : FALSE);
}

bool CMaterialControl::IsBtnEnabled() const
{
    return m_btnEnable.GetSafeHwnd() != nullptr && m_btnEnable.IsWindowEnabled();
}

bool CMaterialControl::EnableTexture(bool bEnable)
{
    if (m_btnTexture.GetSafeHwnd() != nullptr)
        m_btnTexture.SetCheck(bEnable ? BST_CHECKED : BST_UNCHECKED);
    UpdateSample(false);
    return true;
}

bool CMaterialControl::IsTextureOn() const
{
    return m_btnTexture.GetSafeHwnd() != nullptr && m_btnTexture.GetCheck() == BST_CHECKED;
}

void CMaterialControl::ArtMediaMode(int nOn)
{
    // Art media carries no texture: the texture waits parked while the mode
    // lasts and comes back when it ends. Asking twice for the same mode
    // leaves the slots as they are.
    if (nOn != 0)
    {
        if (m_pTexture != nullptr)
        {
            m_pParkedTexture = m_pTexture;
            m_pTexture = nullptr;
        }
    }
    else if (m_pParkedTexture != nullptr)
    {
        m_pTexture = m_pParkedTexture;
        m_pParkedTexture = nullptr;
    }
    if (m_btnStyle.GetSafeHwnd() != nullptr)
        m_btnStyle.EnableWindow(nOn == 0);
}

void CMaterialControl::PostToParent(UINT nMessage, LPARAM lParam)
{
    if (CWnd* pParent = GetParent())
        pParent->PostMessage(nMessage, m_nID, lParam);
}

BOOL CMaterialControl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return CWnd::OnCommand(wParam, lParam);
    switch (LOWORD(wParam))
    {
        case IDC_MATCTRL_STYLE_BUTTON:
        {
            if (!IsMaterialEnabled())
            {
                EnableMaterial(true);
                PostToParent(WM_ENABLE_MATERIAL, 1);
            }
            const int nIndex = GetStyleIdx(static_cast<EMaterialStyle>(m_btnStyle.GetSelectedItem()));
            if (nIndex == m_nCurrIdx)
                return TRUE;
            MakeCurrent(nIndex);
            UpdateSample(false);
            PostToParent(WM_STYLE_CHANGE, nIndex);
            return TRUE;
        }
        case IDC_MATCTRL_TEXTURE_BUTTON:
            if (!IsMaterialEnabled())
            {
                EnableMaterial(true);
                PostToParent(WM_ENABLE_MATERIAL, 1);
            }
            UpdateSample(false);
            PostToParent(WM_TEXTURE_CHANGE, m_btnTexture.GetCheck());
            return TRUE;
        case IDC_MATCTRL_ENABLE_BUTTON:
        {
            const bool bEnabled = m_btnEnable.GetCheck() == BST_UNCHECKED;
            m_sample.EnableWindow(bEnabled ? TRUE : FALSE);
            PostToParent(WM_ENABLE_MATERIAL, bEnabled ? 1 : 0);
            return TRUE;
        }
        case IDC_MATCTRL_SAMPLE:
            if (m_bSolidOnly)
                PostToParent(WM_COLOR_CHANGE, static_cast<LPARAM>(GetSolidColor()));
            else
                PostToParent(WM_MATERIAL_CHANGE, 0);
            return TRUE;
        default:
            return CWnd::OnCommand(wParam, lParam);
    }
}

CComPtr<IMGLMaterial> CMaterialControl::BuildMaterial()
{
    CComPtr<IMGLMaterial> pMaterial;
    VMatStyle* pStyle = GetCurrStyleObject();
    if (m_pObjectFactory == nullptr || pStyle == nullptr)
        return pMaterial;
    CErrorAutoThrow error;
    CComPtr<IMGLObject> pObject;
    m_pObjectFactory->CreateObject(error, MGL_OBJECT_MATERIAL, &pObject.p);
    if (pObject == nullptr ||
        pObject->QueryInterface(IID_OF(IMGLMaterial), reinterpret_cast<void**>(&pMaterial.p)) != S_OK)
        return pMaterial;
    pMaterial->SetStyle(error, pStyle->m_eStyle);

    COLORREF clrColor = 0;
    switch (pStyle->m_eStyle)
    {
        case MATERIAL_STYLE_SOLID:
            if (TakeColor(pStyle, clrColor))
                pMaterial->SetSolidColor(error, clrColor);
            break;
        case MATERIAL_STYLE_ART_MEDIA:
        {
            // The art's colour comes from the first style, the solid one.
            if (TakeColor(m_arrStyles.front(), clrColor))
                pMaterial->SetSolidColor(error, clrColor);
            void* pData = nullptr;
            pStyle->GetData(&pData);
            CComPtr<IMGLObject> pArt = TakeSettings(pData);
            pMaterial->SetSettings(error, pArt);
            break;
        }
        case MATERIAL_STYLE_GRADIENT:
        case MATERIAL_STYLE_PATTERN:
        {
            void* pData = nullptr;
            pStyle->GetData(&pData);
            CComPtr<IMGLObject> pSettings = TakeSettings(pData);
            if (pSettings != nullptr && MGLCachedNameOf(pSettings).IsEmpty())
            {
                CComPtr<IMGLGradient> pStops;
                pSettings->QueryInterface(IID_OF(IMGLGradient), reinterpret_cast<void**>(&pStops.p));
                CRowIterator image;
                if (auto* pGradient = dynamic_cast<CMatStyleGradient*>(pStyle))
                    pGradient->GetNonCachedGradientStops(pStops);
                else if (auto* pGradient2 = dynamic_cast<CMatStyleGradient2*>(pStyle))
                    pGradient2->GetNonCachedGradientStops(pStops);
                else if (auto* pPattern = dynamic_cast<CMatStylePattern*>(pStyle);
                         pPattern != nullptr && pPattern->GetNonCachedPattern(image, false))
                    WriteImageProperty(pSettings, image);
                else if (auto* pPattern2 = dynamic_cast<CMatStylePattern2*>(pStyle);
                         pPattern2 != nullptr && pPattern2->GetNonCachedPattern(image, false))
                    WriteImageProperty(pSettings, image);
            }
            pMaterial->SetSettings(error, pSettings);
            break;
        }
        default:
            break;
    }

    if (IsTextureOn() && m_pTexture != nullptr)
    {
        void* pData = nullptr;
        m_pTexture->GetData(&pData);
        CComPtr<IMGLObject> pTexture = TakeSettings(pData);
        CRowIterator image;
        if (pTexture != nullptr && MGLCachedNameOf(pTexture).IsEmpty() && m_pTexture->IsTextureNonCached() &&
            m_pTexture->GetNonCachedTexture(image, false))
            WriteImageProperty(pTexture, image);
        pMaterial->SetTexture(error, pTexture);
    }
    return pMaterial;
}

void CMaterialControl::UpdateSample(bool bRecolour)
{
    VMatStyle* pStyle = GetCurrStyleObject();
    if (pStyle == nullptr || m_sample.GetSafeHwnd() == nullptr)
        return;
    COLORREF clrColor = 0;
    if (m_bSolidOnly || bRecolour)
    {
        if (pStyle->m_eStyle == MATERIAL_STYLE_SOLID)
        {
            if (TakeColor(pStyle, clrColor))
                m_sample.SetSolidColor(clrColor);
        }
        else if (!m_bSolidOnly && pStyle->m_eStyle == MATERIAL_STYLE_ART_MEDIA)
        {
            void* pData = nullptr;
            pStyle->GetData(&pData);
            CComPtr<IMGLObject> pArtObject = TakeSettings(pData);
            CComPtr<IMGLArt> pArt;
            if (pArtObject != nullptr)
                pArtObject->QueryInterface(IID_OF(IMGLArt), reinterpret_cast<void**>(&pArt.p));
            if (pArt != nullptr)
            {
                CErrorAutoThrow error;
                const COLORREF* pPrimary = nullptr;
                const COLORREF* pSecondary = nullptr;
                int nThird = 0;
                bool bFlag = false;
                pArt->GetContent(error, &pPrimary, &pSecondary, nThird, bFlag);
                const COLORREF* pColor = pPrimary != nullptr ? pPrimary : pSecondary;
                if (pColor != nullptr)
                {
                    // The art keeps its colour red high, blue low.
                    const COLORREF clrArt = *pColor;
                    m_sample.SetSolidColor(RGB(GetBValue(clrArt), GetGValue(clrArt), GetRValue(clrArt)));
                }
                CComPtr<IMGLMaterial> pMaterial;
                m_sample.GetMaterial(&pMaterial.p);
                if (pMaterial != nullptr)
                    pMaterial->SetSettings(error, pArtObject);
            }
        }
        return;
    }
    CComPtr<IMGLMaterial> pMaterial = BuildMaterial();
    if (pMaterial == nullptr)
        return;
    if (CMirnMaterialPalette* pPalette = CMirnMaterialPalette::Instance())
    {
        if (VMatCacheAccessor* pCache = pPalette->GetCacheAccessor())
        {
            CErrorAutoThrow error;
            pCache->CacheMaterial(error, pMaterial);
        }
    }
    m_sample.SetMaterial(pMaterial);
}

CErrorAutoThrow CMaterialControl::GetStyleData(void** ppData)
{
    VMatStyle* pStyle = GetCurrStyleObject();
    return pStyle != nullptr ? pStyle->GetData(ppData) : CErrorAutoThrow(MIRN_ERR_NOT_FOUND);
}

CErrorAutoThrow CMaterialControl::SetStyleData(void* pData)
{
    VMatStyle* pStyle = GetCurrStyleObject();
    return pStyle != nullptr ? pStyle->SetData(pData) : CErrorAutoThrow(MIRN_ERR_NOT_FOUND);
}

CErrorAutoThrow CMaterialControl::GetTextureData(void** ppData)
{
    return m_pTexture != nullptr ? m_pTexture->GetData(ppData) : CErrorAutoThrow(MIRN_ERR_NOT_FOUND);
}

CErrorAutoThrow CMaterialControl::SetTextureData(void* pData)
{
    return m_pTexture != nullptr ? m_pTexture->SetData(pData) : CErrorAutoThrow(MIRN_ERR_NOT_FOUND);
}

void CMaterialControl::AddToolTips(CToolTipCtrl& toolTips)
{
    if (m_sample.GetSafeHwnd() != nullptr)
        toolTips.AddTool(&m_sample, m_strName);
    if (VMatStyle* pStyle = GetCurrStyleObject(); pStyle != nullptr && m_btnStyle.GetSafeHwnd() != nullptr)
        toolTips.AddTool(&m_btnStyle, pStyle->GetTTText());
}

void CMaterialControl::SetColors(COLORREF clrBackground, COLORREF clrFrame, COLORREF clrHighlight)
{
    m_clrBackground = clrBackground;
    m_clrFrame = clrFrame;
    m_clrHighlight = clrHighlight;
    m_bColorsSet = true;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CMaterialControl::UnregisterAll()
{
    m_arrStyles.clear();
    m_nCurrIdx = -1;
    m_pTexture = nullptr;
    m_pParkedTexture = nullptr;
}

BOOL CMaterialControl::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    XUIFillSolid(pDC->GetSafeHdc(), rc,
                 m_bColorsSet ? m_clrBackground : XUIGetThemeColor(XUI_COLOR_MATERIAL_BACKGROUND));
    return TRUE;
}

void CMaterialControl::OnPaint()
{
    CPaintDC dc(this);
    // The ring between the sample and its rectangle: the frame colour, or
    // the highlight while a part of the control has the focus.
    const HWND hFocus = ::GetFocus();
    const bool bFocused = hFocus != nullptr && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    const COLORREF clrFrame =
        m_bColorsSet ? (bFocused ? m_clrHighlight : m_clrFrame)
                     : XUIGetThemeColor(bFocused ? XUI_COLOR_MATERIAL_HIGHLIGHT : XUI_COLOR_MATERIAL_FRAME);
    if (!m_rcSample.IsRectEmpty())
        XUIFrame(dc.GetSafeHdc(), m_rcSample, clrFrame);
}
