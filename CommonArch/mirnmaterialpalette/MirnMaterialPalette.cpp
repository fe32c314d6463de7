#include "MirnMaterialPalette.h"

#include "Image.h"
#include "MGLObjectAccess.h"
#include "MatStyleArtMedia.h"
#include "MatStyleGradient.h"
#include "MatStyleGradient2.h"
#include "MatStylePattern.h"
#include "MatStylePattern2.h"
#include "PaneMessages.h"
#include "Placeholder.h"
#include "RTRACE.h"
#include "Region.h"
#include "Resources.h"
#include "XUIDPI.h"
#include "XUIVisualManager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CMirnMaterialPalette, CXUIPaletteDialog)

BEGIN_MESSAGE_MAP(CMirnMaterialPalette, CXUIPaletteDialog)
ON_MESSAGE(WM_SAVE_CMYK_MODE_COLOR, OnSaveCMYKModeColor)
ON_MESSAGE(WM_GET_CMYK_MODE_COLOR, OnGetCMYKModeColor)
ON_MESSAGE(WM_STYLE_CHANGE, OnStyleChange)
ON_MESSAGE(WM_TEXTURE_CHANGE, OnTextureChange)
ON_MESSAGE(WM_MATERIAL_CHANGE, OnMaterialChange)
ON_MESSAGE(WM_COLOR_CHANGE, OnColorChange)
ON_MESSAGE(WM_ENABLE_MATERIAL, OnEnableMaterial)
ON_MESSAGE(WM_SWAP_MATERIALS, OnSwapMaterials)
ON_MESSAGE(WM_RAINBOW_CLICK, OnRainbowClick)
ON_MESSAGE(WM_BLACK_WHITE_MATERIALS, OnBlackWhiteMaterials)
ON_MESSAGE(WM_ICON_DIMENSION_CHANGE, OnIconDimensionChange)
ON_MESSAGE(WM_TEXT_SIZE_CHANGE, OnTextSizeChange)
ON_WM_SIZE()
ON_WM_SYSCOLORCHANGE()
ON_WM_CTLCOLOR()
ON_NOTIFY(TCN_SELCHANGE, CMirnMaterialPalette::kTabSetItem, OnTabChange)
ON_NOTIFY(TCN_SELCHANGE, CMirnMaterialPalette::kClassicTabSet, OnTabChange)
ON_UPDATE_COMMAND_UI(CMirnMaterialPalette::kDropperCommand, OnUpdateDropper)
END_MESSAGE_MAP()

namespace
{
// The one buffer the CMYK values are handed out in; each answer overwrites
// it, so the asker copies them before asking again.
int g_aCMYKBuffer[4] = {-1, -1, -1, -1};
} // namespace

LRESULT CMirnMaterialPalette::OnSaveCMYKModeColor(WPARAM, LPARAM lParam)
{
    // A null pointer, or a block whose cyan is -1 (what the sliders send
    // while they show another model), empties the store.
    const int* pValues = reinterpret_cast<const int*>(lParam);
    const bool bForget = pValues == nullptr || pValues[0] == -1;
    for (int i = 0; i < 4; ++i)
        m_aCMYKSaved[i] = bForget ? -1 : pValues[i];
    return 1;
}

LRESULT CMirnMaterialPalette::OnGetCMYKModeColor(WPARAM, LPARAM lParam)
{
    // The kept values are given once; after that, when allowed, the sliders'
    // own values while they show CMYK.
    if (m_aCMYKSaved[0] != -1)
    {
        for (int i = 0; i < 4; ++i)
        {
            g_aCMYKBuffer[i] = m_aCMYKSaved[i];
            m_aCMYKSaved[i] = -1;
        }
        return reinterpret_cast<LRESULT>(g_aCMYKBuffer);
    }
    if (lParam == 1 && m_wndSliders.GetSafeHwnd() != nullptr && m_wndSliders.GetCMYKValues(g_aCMYKBuffer))
        return reinterpret_cast<LRESULT>(g_aCMYKBuffer);
    return 0;
}

// The one instance of the palette.
template <> CMirnMaterialPalette*& TSingleton<CMirnMaterialPalette>::InstancePointer()
{
    static CMirnMaterialPalette* s_pInstance = nullptr;
    return s_pInstance;
}

namespace
{
// Holds a new reference in place of the old one; nothing changes when both
// are the same object.
template <class I> void HoldReference(I*& pHeld, I* pNew)
{
    if (pHeld == pNew)
    {
        return;
    }
    if (pNew != nullptr)
    {
        pNew->AddRef();
    }
    if (pHeld != nullptr)
    {
        pHeld->Release();
    }
    pHeld = pNew;
}

template <class I> void ReleaseReference(I*& pHeld)
{
    if (pHeld != nullptr)
    {
        I* p = pHeld;
        pHeld = nullptr;
        p->Release();
    }
}

// Where each material control keeps its registrations.
int ControlSlot(int nControlId)
{
    switch (nControlId)
    {
        case IDC_MATCTRL_FOREGROUND:
            return 0;
        case IDC_MATCTRL_BACKGROUND:
            return 1;
        case IDC_MATCTRL_SOLID_FOREGROUND:
            return 2;
        case IDC_MATCTRL_SOLID_BACKGROUND:
            return 3;
        default:
            return -1;
    }
}
} // namespace

CMirnMaterialPalette::CMirnMaterialPalette() = default;

CMirnMaterialPalette::~CMirnMaterialPalette()
{
    // The pane goes while the palette is whole: its window may still need
    // the host services as it closes.
    if (GetSafeHwnd() != nullptr && CWnd::FromHandlePermanent(GetSafeHwnd()) == this)
    {
        DestroyWindow();
    }
    // What the palette owns goes with it, also when the host never called
    // Shutdown.
    Shutdown();
    ReleaseReference(m_pRegistry);
    ReleaseReference(m_pAppContext);
    ReleaseReference(m_pExecutionContext);
}

CErrorAutoThrow CMirnMaterialPalette::Initialize(IMatPalAppContext* pAppContext,
                                                 ICommandExecutionContext* pExecutionContext,
                                                 VMatCacheAccessor* pCacheAccessor, VSwatchMgr* pSwatchMgr)
{
    if (pAppContext == nullptr)
    {
        return MIRN_ERR_INVALID_ARG;
    }
    HoldReference(m_pExecutionContext, pExecutionContext);
    HoldReference(m_pAppContext, pAppContext);
    m_pCacheAccessor = pCacheAccessor;
    m_pSwatchMgr = pSwatchMgr;

    // The factories; host errors are looked at and dropped.
    CErrorAutoThrow error;
    VMGLFactoryProvider* pProvider =
        m_pExecutionContext != nullptr ? m_pExecutionContext->GetFactoryProvider(error) : nullptr;
    if (pProvider != nullptr)
    {
        m_pObjectFactory = pProvider->GetObjectFactory(error);
        m_pValueFactory = pProvider->GetValueFactory(error);
        m_pPropertyFactory = pProvider->GetPropertyFactory(error);
        m_pRenderEngineSource = pProvider->GetRenderEngineSource(error);
    }
    else
    {
        m_pObjectFactory = nullptr;
        m_pValueFactory = nullptr;
        m_pPropertyFactory = nullptr;
        m_pRenderEngineSource = nullptr;
    }

    m_pMaterialServices = nullptr;
    IMaterialServices* pServices = nullptr;
    if (m_pAppContext->QueryInterface(IID_OF(IMaterialServices), reinterpret_cast<void**>(&pServices)) ==
        S_OK)
    {
        m_pMaterialServices.Attach(pServices);
    }

    // The pane's children take their services from the palette when they
    // are created with the pane: both swatch pickers the swatch manager and
    // the material services, the four material controls the material
    // services and the object factory, the recently used strip the material
    // services, the rainbow and map pickers the application context.

    // A palette initialised again gets a new engine; the old one goes.
    if (m_pRenderEngineSource != nullptr)
    {
        CMGLMGDIRenderEngine* pEngine = m_pRenderEngineSource->CreateRenderEngine(error, 0);
        if (pEngine != m_pRenderEngine)
        {
            delete m_pRenderEngine;
            m_pRenderEngine = pEngine;
        }
        if (m_pRenderEngine != nullptr)
        {
            m_pRenderEngine->Configure(error, 0, true);
        }
    }
    return MIRN_ERR_NONE;
}

bool CMirnMaterialPalette::InitAppService(ICommandExecutionContext*, CWnd* pParent)
{
    if (pParent == nullptr)
    {
        return false;
    }
    CString strCaption;
    strCaption.LoadString(IDS_MATERIALS_PANE_CAPTION);
    if (!Create(strCaption, pParent, TRUE, MAKEINTRESOURCEW(IDD_MATERIALS_PANE), MATERIALS_PANE_STYLE,
                MATERIALS_PANE_ID, MATERIALS_PANE_TABBED_STYLE, GetServiceValue()))
    {
        RTRACE(L"InitAppService", nullptr, RTRACE_LEVEL_ERROR, 0)
        (L"Fail in creating the pane from template %d\n", IDD_MATERIALS_PANE);
        return false;
    }
    ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    return true;
}

BOOL CMirnMaterialPalette::Create(LPCWSTR lpszCaption, CWnd* pParentWnd, BOOL bHasGripper,
                                  LPCWSTR lpszTemplateName, UINT nStyle, UINT nID, DWORD dwTabbedStyle,
                                  DWORD dwControlBarStyle)
{
    // The cursor of the sampling mode; a missing one leaves the standard
    // cursor in use.
    const LPCWSTR lpszCursor = MAKEINTRESOURCEW(IDC_MATERIALS_SAMPLE_CURSOR);
    m_hSampleCursor = LoadCursorW(AfxFindResourceHandle(lpszCursor, RT_CURSOR), lpszCursor);
    return CXUIPaletteDialog::Create(lpszCaption, pParentWnd, bHasGripper, lpszTemplateName, nStyle, nID,
                                     dwTabbedStyle, dwControlBarStyle);
}

CMirnMaterialPalette::SControlRegistrations* CMirnMaterialPalette::ControlRegistrations(int nControlId)
{
    const int nSlot = ControlSlot(nControlId);
    return nSlot >= 0 ? &m_aControls[nSlot] : nullptr;
}

const CMirnMaterialPalette::SControlRegistrations*
CMirnMaterialPalette::GetControlRegistrations(int nControlId) const
{
    const int nSlot = ControlSlot(nControlId);
    return nSlot >= 0 ? &m_aControls[nSlot] : nullptr;
}

CErrorAutoThrow CMirnMaterialPalette::RegisterStyleWithControl(int nControlId, VMatStyle* pStyle,
                                                               bool bShowInStyleMenu)
{
    SControlRegistrations* pControl = ControlRegistrations(nControlId);
    if (pControl == nullptr || pStyle == nullptr)
    {
        return MIRN_ERR_INVALID_ARG;
    }
    pControl->arrStyles.emplace_back(pStyle, bShowInStyleMenu);
    CMaterialControl& control = GetMaterialControl(nControlId);
    if (control.GetSafeHwnd() != nullptr)
        return control.RegisterStyle(pStyle, bShowInStyleMenu);
    return MIRN_ERR_NONE;
}

CErrorAutoThrow CMirnMaterialPalette::RegisterTextureWithControl(int nControlId, VMatTexture* pTexture)
{
    SControlRegistrations* pControl = ControlRegistrations(nControlId);
    if (pControl == nullptr || pTexture == nullptr)
    {
        return MIRN_ERR_INVALID_ARG;
    }
    pControl->arrTextures.push_back(pTexture);
    CMaterialControl& control = GetMaterialControl(nControlId);
    if (control.GetSafeHwnd() != nullptr)
        return control.RegisterTexture(pTexture);
    return MIRN_ERR_NONE;
}

CErrorAutoThrow CMirnMaterialPalette::RegisterMatStyle(VMatStyle* pForeground, VMatStyle* pBackground,
                                                       bool bShowInStyleMenu)
{
    // The controls' answers are looked at and dropped: the palette keeps
    // the styles either way.
    CErrorAutoThrow error = RegisterStyleWithControl(IDC_MATCTRL_FOREGROUND, pForeground, bShowInStyleMenu);
    error = RegisterStyleWithControl(IDC_MATCTRL_BACKGROUND, pBackground, bShowInStyleMenu);
    m_arrForegroundStyles.push_back(pForeground);
    m_arrBackgroundStyles.push_back(pBackground);
    if (pForeground != nullptr && pForeground->m_eStyle == MATERIAL_STYLE_SOLID)
    {
        error = RegisterStyleWithControl(IDC_MATCTRL_SOLID_FOREGROUND, pForeground, true);
        error = RegisterStyleWithControl(IDC_MATCTRL_SOLID_BACKGROUND, pBackground, true);
    }
    return MIRN_ERR_NONE;
}

CErrorAutoThrow CMirnMaterialPalette::RegisterMatTexture(VMatTexture* pForeground, VMatTexture* pBackground)
{
    CErrorAutoThrow error = RegisterTextureWithControl(IDC_MATCTRL_FOREGROUND, pForeground);
    error = RegisterTextureWithControl(IDC_MATCTRL_BACKGROUND, pBackground);
    // A texture registered again replaces the one held.
    if (m_pForegroundTexture != pForeground)
    {
        delete m_pForegroundTexture;
        m_pForegroundTexture = pForeground;
    }
    if (m_pBackgroundTexture != pBackground)
    {
        delete m_pBackgroundTexture;
        m_pBackgroundTexture = pBackground;
    }
    return MIRN_ERR_NONE;
}

void CMirnMaterialPalette::LoadSettings(IRegistry* pRegistry, CString strKey)
{
    HoldReference(m_pRegistry, pRegistry);
    m_strRegistryKey = strKey;
}

void CMirnMaterialPalette::Shutdown()
{
    // The controls only borrowed the styles and textures.
    for (SControlRegistrations& control : m_aControls)
    {
        control.arrStyles.clear();
        control.arrTextures.clear();
    }
    for (CMaterialControl* pControl : {&m_ctrlFore, &m_ctrlBack, &m_ctrlForeSolid, &m_ctrlBackSolid})
        pControl->UnregisterAll();
    for (VMatStyle* pStyle : m_arrForegroundStyles)
    {
        delete pStyle;
    }
    m_arrForegroundStyles.clear();
    for (VMatStyle* pStyle : m_arrBackgroundStyles)
    {
        delete pStyle;
    }
    m_arrBackgroundStyles.clear();
    delete m_pForegroundTexture;
    m_pForegroundTexture = nullptr;
    delete m_pBackgroundTexture;
    m_pBackgroundTexture = nullptr;
    delete m_pRenderEngine;
    m_pRenderEngine = nullptr;
}

void CMirnMaterialPalette::ShowMaterialPalette(ESHOWCOMMANDS eCommand)
{
    if (GetSafeHwnd() == nullptr)
    {
        return;
    }
    switch (eCommand)
    {
        case ESHOW_HIDE:
            ShowPane(FALSE, FALSE, FALSE);
            break;
        case ESHOW_SHOW:
            ShowPane(TRUE, FALSE, TRUE);
            break;
        case ESHOW_TOGGLE:
            ShowPane(IsOpen() ? FALSE : TRUE, FALSE, TRUE);
            break;
    }
}

bool CMirnMaterialPalette::IsOpen()
{
    return GetSafeHwnd() != nullptr && IsWindowVisible();
}

CErrorAutoThrow CMirnMaterialPalette::GetAppContext(IMatPalAppContext** ppAppContext)
{
    if (ppAppContext != nullptr)
    {
        *ppAppContext = m_pAppContext;
        if (m_pAppContext != nullptr)
        {
            m_pAppContext->AddRef();
        }
    }
    return MIRN_ERR_NONE;
}

CErrorAutoThrow CMirnMaterialPalette::GetExecutionContext(ICommandExecutionContext** ppExecutionContext)
{
    if (ppExecutionContext != nullptr)
    {
        *ppExecutionContext = m_pExecutionContext;
        if (m_pExecutionContext != nullptr)
        {
            m_pExecutionContext->AddRef();
        }
    }
    return MIRN_ERR_NONE;
}

// ---------------------------------------------------------------------------
// The pane's children
// ---------------------------------------------------------------------------

namespace
{
// Resources the pane's children show.
constexpr UINT kNameBackMaterial = 15449;
constexpr UINT kNameForeMaterial = 15450;
constexpr UINT kNameForeSolid = 15451;
constexpr UINT kNameBackSolid = 15452;
constexpr UINT kTextSwatchesTab = 15429;
constexpr UINT kTextRainbowTab = 15428;
constexpr UINT kTextRingTab = 15453;
constexpr UINT kTextMapTab = 15474;
constexpr UINT kTextSlidersTab = 15475;
constexpr UINT kTipSwap = 15430;
constexpr UINT kTipSmallSwap = 15431;
constexpr UINT kTipApplyToAll = 15432;
constexpr UINT kTipBlackWhite = 15472;
constexpr UINT kTipAddSwatch = 15479;
constexpr UINT kTipRemoveSwatch = 15480;
constexpr UINT kTipDropper = 15481;
constexpr UINT kPaneIcon = 15935;
// The tab images, in image-list order.
constexpr UINT kTabImages[] = {15940, 15939, 15941, 15937};
constexpr int kImageMap = 0;
constexpr int kImageSwatches = 1;
constexpr int kImageSliders = 2;
constexpr int kImageRing = 3;

bool IsForegroundControl(WPARAM nControlId)
{
    return nControlId == IDC_MATCTRL_FOREGROUND || nControlId == IDC_MATCTRL_SOLID_FOREGROUND;
}

CString LoadText(UINT nId)
{
    CString str;
    str.LoadString(nId);
    return str;
}

// A PNG image resource of the module by number, as a 32-bit bitmap.
HBITMAP LoadPngResource(UINT nId, SImage& image)
{
    const LPCWSTR pszName = MAKEINTRESOURCEW(nId);
    HINSTANCE hModule = AfxFindResourceHandle(pszName, RT_PNG);
    HRSRC hResource = FindResourceW(hModule, pszName, RT_PNG);
    if (hResource == nullptr)
        return nullptr;
    const void* pData = LockResource(LoadResource(hModule, hResource));
    const DWORD cbData = SizeofResource(hModule, hResource);
    if (pData == nullptr || !ReadPngMemory(pData, cbData, image).Succeeded())
        return nullptr;
    return CreateBitmapFromImage(image);
}

// The image with each pixel repeated nFactor times in each direction.
SImage EnlargeImage(const SImage& image, int nFactor)
{
    SImage large;
    large.nWidth = image.nWidth * nFactor;
    large.nHeight = image.nHeight * nFactor;
    large.pixels.resize(static_cast<std::size_t>(large.nWidth) * static_cast<std::size_t>(large.nHeight));
    for (LONG y = 0; y < large.nHeight; ++y)
        for (LONG x = 0; x < large.nWidth; ++x)
            large.At(x, y) = image.At(x / nFactor, y / nFactor);
    return large;
}

// The window region of a window at rcWindow that leaves out rcCover, both in
// the parent's coordinates; null when they do not overlap.
HRGN RegionWithout(const CRect& rcWindow, const CRect& rcCover)
{
    CRect rcOverlap;
    if (!rcOverlap.IntersectRect(rcWindow, rcCover))
        return nullptr;
    HRGN hWhole = ::CreateRectRgn(0, 0, rcWindow.Width(), rcWindow.Height());
    rcOverlap.OffsetRect(-rcWindow.left, -rcWindow.top);
    HRGN hCover = ::CreateRectRgn(rcOverlap.left, rcOverlap.top, rcOverlap.right, rcOverlap.bottom);
    ::CombineRgn(hWhole, hWhole, hCover, RGN_DIFF);
    ::DeleteObject(hCover);
    return hWhole;
}
} // namespace

CMaterialControl& CMirnMaterialPalette::GetMaterialControl(int nControlId)
{
    switch (nControlId)
    {
        case IDC_MATCTRL_BACKGROUND:
            return m_ctrlBack;
        case IDC_MATCTRL_SOLID_FOREGROUND:
            return m_ctrlForeSolid;
        case IDC_MATCTRL_SOLID_BACKGROUND:
            return m_ctrlBackSolid;
        default:
            return m_ctrlFore;
    }
}

CXMFCButton& CMirnMaterialPalette::GetToolButton(UINT nCommand)
{
    switch (nCommand)
    {
        case kAddSwatchCommand:
            return m_btnAddSwatch;
        case kRemoveSwatchCommand:
            return m_btnRemoveSwatch;
        default:
            return m_btnDropper;
    }
}

bool CMirnMaterialPalette::ChildrenExist() const
{
    return m_ctrlFore.GetSafeHwnd() != nullptr && m_ctrlBack.GetSafeHwnd() != nullptr &&
           m_ctrlForeSolid.GetSafeHwnd() != nullptr && m_ctrlBackSolid.GetSafeHwnd() != nullptr &&
           m_btnSwap.GetSafeHwnd() != nullptr && m_btnSwapSmall.GetSafeHwnd() != nullptr &&
           m_btnBlackWhite.GetSafeHwnd() != nullptr && m_tabNew.GetSafeHwnd() != nullptr &&
           m_tabClassic.GetSafeHwnd() != nullptr && m_chkApplyToAll.GetSafeHwnd() != nullptr &&
           m_btnDropper.GetSafeHwnd() != nullptr && m_btnAddSwatch.GetSafeHwnd() != nullptr &&
           m_btnRemoveSwatch.GetSafeHwnd() != nullptr;
}

BOOL CMirnMaterialPalette::OnInitDialog()
{
    CXUIPaletteDialog::OnInitDialog();

    // Applying to all tools is the starting state.
    m_chkApplyToAll.SubclassDlgItem(kApplyToAllBox, this);
    m_chkApplyToAll.SetCheck(BST_CHECKED);

    // The tool buttons: dropper, add swatch, remove swatch.
    const struct
    {
        CXMFCButton* pButton;
        UINT nCommand;
        LPCWSTR pszImage;
    } tools[] = {{&m_btnDropper, kDropperCommand, L"ToolOptions\\Dropper.png"},
                 {&m_btnAddSwatch, kAddSwatchCommand, L"ToolOptions\\Add-16.png"},
                 {&m_btnRemoveSwatch, kRemoveSwatchCommand, L"ToolOptions\\Remove-16.png"}};
    for (const auto& tool : tools)
    {
        tool.pButton->Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 24, 24), this,
                             tool.nCommand);
        tool.pButton->SetImagePath(tool.pszImage);
        tool.pButton->SizeToContent();
    }

    CreateMaterialControls();

    // The swap, small swap and black/white buttons in place of their items.
    const struct
    {
        CMaterialButton* pButton;
        UINT nId;
        UINT nMessage;
        LPCWSTR pszImage;
    } buttons[] = {{&m_btnSwap, kSwapButton, WM_SWAP_MATERIALS, L"MirnMaterialPalette\\swapperarrows.bmp"},
                   {&m_btnSwapSmall, kSmallSwapButton, WM_SWAP_MATERIALS,
                    L"MirnMaterialPalette\\swapperarrowssmall.bmp"},
                   {&m_btnBlackWhite, kBlackWhiteButton, WM_BLACK_WHITE_MATERIALS,
                    L"MirnMaterialPalette\\blackwhite.bmp"}};
    for (const auto& button : buttons)
    {
        CRect rc = TakePlaceholder(this, button.nId).rect;
        button.pButton->Create(button.nId, rc, this, 0, button.nMessage, false, button.pszImage);
    }

    CreateTabSets();
    AddToolTips();

    // The sizes the layout works from: the pane's first outer size and the
    // new tab set's height with room for its tabs.
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    m_sizeInitial = CSize(rcWindow.Width() + 2 * ::GetSystemMetrics(SM_CXDLGFRAME),
                          rcWindow.Height() + 2 * ::GetSystemMetrics(SM_CYDLGFRAME));
    CRect rcTabs;
    m_tabNew.GetWindowRect(&rcTabs);
    m_nTabSetHeight = rcTabs.Height() + 45;

    const LPCWSTR pszIcon = MAKEINTRESOURCEW(kPaneIcon);
    if (HICON hIcon = LoadIconW(AfxFindResourceHandle(pszIcon, RT_ICON), pszIcon))
        SendMessage(WM_SETICON, 0, reinterpret_cast<LPARAM>(hIcon));

    m_brushStatic.CreateSolidBrush(XUIGetThemeColor(XUI_COLOR_STATIC_BACKGROUND));
    SetMaterialControlColors();
    m_colorToolTip.Create(this);

    CRect rcClient;
    GetClientRect(&rcClient);
    Layout(rcClient.Width(), rcClient.Height());
    return TRUE;
}

void CMirnMaterialPalette::CreateMaterialControls()
{
    // The background of each pair first, so the foreground lies over it.
    m_ctrlBack.SetInset(true);
    m_ctrlFore.SetInset(true);
    m_ctrlBack.Create(IDC_MATCTRL_BACKGROUND, kBackMaterialItem, this, LoadText(kNameBackMaterial), false,
                      true);
    m_ctrlFore.Create(IDC_MATCTRL_FOREGROUND, kForeMaterialItem, this, LoadText(kNameForeMaterial), false,
                      true);
    m_ctrlBackSolid.Create(IDC_MATCTRL_SOLID_BACKGROUND, kBackSolidItem, this, LoadText(kNameBackSolid), true,
                           false);
    m_ctrlForeSolid.Create(IDC_MATCTRL_SOLID_FOREGROUND, kForeSolidItem, this, LoadText(kNameForeSolid), true,
                           false);

    // Styles and textures registered before the pane existed.
    for (int nId : {IDC_MATCTRL_FOREGROUND, IDC_MATCTRL_BACKGROUND, IDC_MATCTRL_SOLID_FOREGROUND,
                    IDC_MATCTRL_SOLID_BACKGROUND})
    {
        CMaterialControl& control = GetMaterialControl(nId);
        const SControlRegistrations* pRegistrations = GetControlRegistrations(nId);
        CErrorAutoThrow error;
        for (const auto& [pStyle, bShow] : pRegistrations->arrStyles)
            error = control.RegisterStyle(pStyle, bShow);
        for (VMatTexture* pTexture : pRegistrations->arrTextures)
            error = control.RegisterTexture(pTexture);
        control.SetMaterialMgr(m_pMaterialServices);
        control.SetObjectFactory(m_pObjectFactory);
    }
    // The background windows' regions come with the layout, which ends the
    // pane's initialisation.
}

void CMirnMaterialPalette::CreateTabSets()
{
    const CRect rcTabs = TakePlaceholder(this, kTabSetItem).rect;
    m_tabNew.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rcTabs, this, kTabSetItem);
    m_tabClassic.Create(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rcTabs, this, kClassicTabSet);
    m_tabNew.SetImageList(GetImageList());
    m_tabClassic.SetImageList(GetImageList());
    CreatePickers();

    m_tabNew.AddTab(LoadText(kTextSwatchesTab), kImageSwatches, LoadText(kTextSwatchesTab));
    m_tabNew.AddTab(LoadText(kTextMapTab), kImageMap, LoadText(kTextMapTab), &m_wndMap);
    m_tabNew.AddTab(LoadText(kTextSlidersTab), kImageSliders, LoadText(kTextSlidersTab), &m_wndSliders);
    m_tabClassic.AddTab(LoadText(kTextRingTab), kImageRing, LoadText(kTextRingTab));
    m_tabClassic.AddTab(LoadText(kTextRainbowTab), kImageMap, LoadText(kTextRainbowTab), &m_wndRainbow);
    m_tabClassic.AddTab(LoadText(kTextSwatchesTab), kImageSwatches, LoadText(kTextSwatchesTab));
    m_tabNew.SetActiveTab(0);
    m_tabClassic.SetActiveTab(0);
    m_tabClassic.ShowWindow(SW_HIDE);
}

void CMirnMaterialPalette::CreatePickers()
{
    // Each picker lives in its tab set's display area and reports to the
    // pane; the tab sets show the one of the active tab.
    m_wndRainbow.Create(&m_tabClassic, kRainbowPicker, CRect());
    m_wndMap.Create(&m_tabNew, kMapPicker, CRect());
    m_wndSliders.Create(&m_tabNew, kSlidersPicker, CRect());
    for (CWnd* pPicker : {static_cast<CWnd*>(&m_wndRainbow), static_cast<CWnd*>(&m_wndMap),
                          static_cast<CWnd*>(&m_wndSliders)})
        pPicker->ShowWindow(SW_HIDE);
    m_wndRainbow.SetPaletteWnd(this);
    m_wndMap.SetPaletteWnd(this);
    m_wndSliders.SetPaletteWnd(this);
    m_wndRainbow.SetAppContext(m_pAppContext);
    m_wndMap.SetAppContext(m_pAppContext);
}

void CMirnMaterialPalette::PlacePickers()
{
    const auto place = [](CXUIRectTabCtrl& tabs, std::initializer_list<CWnd*> pickers)
    {
        if (tabs.GetSafeHwnd() == nullptr)
            return;
        CRect rcPage;
        tabs.GetClientRect(&rcPage);
        tabs.AdjustRect(FALSE, &rcPage);
        for (CWnd* pPicker : pickers)
        {
            if (pPicker->GetSafeHwnd() != nullptr)
                pPicker->MoveWindow(rcPage, TRUE);
        }
    };
    place(m_tabNew, {&m_wndMap, &m_wndSliders});
    place(m_tabClassic, {&m_wndRainbow});
}

void CMirnMaterialPalette::AddToolTips()
{
    m_toolTip.Create(this);
    m_toolTip.AddTool(&m_btnSwap, kTipSwap);
    m_toolTip.AddTool(&m_btnBlackWhite, kTipBlackWhite);
    m_toolTip.AddTool(&m_btnSwapSmall, kTipSmallSwap);
    m_toolTip.AddTool(&m_chkApplyToAll, kTipApplyToAll);
    m_toolTip.AddTool(&m_btnAddSwatch, kTipAddSwatch);
    m_toolTip.AddTool(&m_btnRemoveSwatch, kTipRemoveSwatch);
    m_toolTip.AddTool(&m_btnDropper, kTipDropper);
    m_btnAddSwatch.SetTooltip(LoadText(kTipAddSwatch));
    m_btnRemoveSwatch.SetTooltip(LoadText(kTipRemoveSwatch));
    m_btnDropper.SetTooltip(LoadText(kTipDropper));
    for (CMaterialControl* pControl : {&m_ctrlFore, &m_ctrlBack, &m_ctrlForeSolid, &m_ctrlBackSolid})
        pControl->AddToolTips(m_toolTip);
}

void CMirnMaterialPalette::SetMaterialControlColors()
{
    const COLORREF clrBackground = XUIGetThemeColor(XUI_COLOR_MATERIAL_BACKGROUND);
    const COLORREF clrFrame = XUIGetThemeColor(XUI_COLOR_MATERIAL_FRAME);
    const COLORREF clrHighlight = XUIGetThemeColor(XUI_COLOR_MATERIAL_HIGHLIGHT);
    for (CMaterialControl* pControl : {&m_ctrlFore, &m_ctrlBack, &m_ctrlForeSolid, &m_ctrlBackSolid})
        pControl->SetColors(clrBackground, clrFrame, clrHighlight);
}

void CMirnMaterialPalette::OnSysColorChange()
{
    CXUIPaletteDialog::OnSysColorChange();
    SetMaterialControlColors();
    if (m_brushStatic.GetSafeHandle() != nullptr)
        m_brushStatic.DeleteObject();
    m_brushStatic.CreateSolidBrush(XUIGetThemeColor(XUI_COLOR_STATIC_BACKGROUND));
}

HBRUSH CMirnMaterialPalette::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC && m_brushStatic.GetSafeHandle() != nullptr)
    {
        pDC->SetBkColor(XUIGetThemeColor(XUI_COLOR_STATIC_BACKGROUND));
        pDC->SetTextColor(XUIGetThemeColor(XUI_COLOR_PANE_TEXT));
        return static_cast<HBRUSH>(m_brushStatic.GetSafeHandle());
    }
    return CXUIPaletteDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

CImageList* CMirnMaterialPalette::GetImageList()
{
    if (m_pImageList)
        return m_pImageList.get();
    // The images grow by the whole display scale, at most twice.
    const double dScale = CXUIDPI::GetScaleFactorX();
    const int nFactor = dScale > 1.0 ? std::min(2, static_cast<int>(dScale)) : 1;
    auto pList = std::make_unique<CImageList>();
    bool bCreated = false;
    for (UINT nId : kTabImages)
    {
        SImage image;
        HBITMAP hBitmap = LoadPngResource(nId, image);
        if (hBitmap == nullptr)
        {
            RTRACE(L"GetImageList", nullptr, RTRACE_LEVEL_ERROR, 0)(L"Tab image %d is missing\n", nId);
            continue;
        }
        if (nFactor > 1)
        {
            ::DeleteObject(hBitmap);
            hBitmap = CreateBitmapFromImage(EnlargeImage(image, nFactor));
        }
        if (!bCreated)
        {
            pList->Create(image.nWidth * nFactor, image.nHeight * nFactor, ILC_COLOR32, 4, 0);
            bCreated = true;
        }
        CBitmap bitmap;
        bitmap.Attach(hBitmap);
        pList->Add(&bitmap, static_cast<CBitmap*>(nullptr));
    }
    if (!bCreated)
        return nullptr;
    m_pImageList = std::move(pList);
    return m_pImageList.get();
}

void CMirnMaterialPalette::ClearImageList()
{
    m_pImageList.reset();
}

// ---------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------

void CMirnMaterialPalette::OnSize(UINT nType, int cx, int cy)
{
    CXUIPaletteDialog::OnSize(nType, cx, cy);
    Layout(cx, cy);
}

void CMirnMaterialPalette::Layout(int cx, int cy)
{
    if (!ChildrenExist() || m_sizeInitial.cx <= 0)
        return;
    const int W0 = m_sizeInitial.cx;
    const int H0 = m_sizeInitial.cy;
    const int TH = m_nTabSetHeight;
    auto S = [](int n) { return XUIScale(n); };
    auto SX = [](int n) { return CXUIDPI::ScaleX(n); };
    auto SY = [](int n) { return CXUIDPI::ScaleY(n); };

    const int avail = std::min(cx - 1, 4 * W0);
    int tabRight = avail - 14;
    int matLeft = 14;
    int matRight = W0 + 14;
    int matTop = TH + 7;
    if (cy < S(60) + H0)
    {
        matRight = avail - 14;
        matLeft = matRight - W0;
        matTop = 33;
        tabRight = matLeft - 7;
    }
    const int matBottom = matTop + S(104);
    if (tabRight - 14 < S(34))
        tabRight = S(34) + 14;
    if (matRight - matLeft < S(75))
        matRight = matLeft + S(75);

    // The apply-to-all box, below the materials.
    CRect rcBox;
    m_chkApplyToAll.GetWindowRect(&rcBox);
    const int boxWidth = rcBox.Width();
    const int boxHeight = rcBox.Height();
    int boxBottom = matBottom + S(75);
    int boxTop = boxBottom - boxHeight - S(3);
    if (boxBottom < TH)
    {
        boxTop += TH - boxBottom;
        boxBottom = TH;
    }
    else if (boxTop - SY(36) < matBottom)
    {
        const int nDown = matBottom - (boxTop - SY(36));
        boxTop += nDown;
        boxBottom += nDown;
    }
    const int boxLeft = matLeft - 6;
    CRect rcBoxNew(boxLeft, boxTop, boxLeft + boxWidth, boxTop + boxHeight);

    // The tool buttons on one row above the box.
    const int toolsY = rcBoxNew.top - SY(36);
    int toolX = rcBoxNew.left;
    for (CXMFCButton* pButton : {&m_btnDropper, &m_btnAddSwatch, &m_btnRemoveSwatch})
    {
        CRect rc;
        pButton->GetWindowRect(&rc);
        pButton->MoveWindow(toolX, toolsY, rc.Width(), rc.Height(), TRUE);
        toolX += SX(30);
    }

    // The two material squares overlap: the foreground at the top left, the
    // background at the bottom right.
    const int d = static_cast<int>(static_cast<float>(matBottom - matTop) * 0.57f);
    const CRect rcFore(matLeft, matTop, matLeft + d, matTop + d);
    CRect rcBack;
    rcBack.right = matLeft + static_cast<int>(static_cast<float>(d) / 0.65f);
    rcBack.bottom = matBottom;
    rcBack.left = rcBack.right - d;
    rcBack.top = matBottom - d;
    CRect rcArea;
    rcArea.UnionRect(rcFore, rcBack);

    auto OwnSize = [](CWnd& wnd)
    {
        CRect rc;
        wnd.GetWindowRect(&rc);
        return rc.Size();
    };
    const CSize sizeSwap = OwnSize(m_btnSwap);
    const CRect rcSwap(rcBack.left - 7 - sizeSwap.cx, rcFore.bottom + 7, rcBack.left - 7,
                       rcFore.bottom + 7 + sizeSwap.cy);
    const CSize sizeBlackWhite = OwnSize(m_btnBlackWhite);
    const CRect rcBlackWhite(rcFore.left, rcBack.bottom - sizeBlackWhite.cy, rcFore.left + sizeBlackWhite.cx,
                             rcBack.bottom);

    // The solid swatches to the right of the squares, overlapping likewise.
    const int sx = rcFore.right + 4;
    const int sy = matTop + 4;
    const int ws = static_cast<int>(static_cast<float>(rcArea.right - sx) * 0.65f);
    const int hs = static_cast<int>(static_cast<float>((rcBack.top - 8) - sy) * 0.57f);
    const CRect rcForeSolid(sx, sy, sx + ws, sy + hs);
    const CRect rcBackSolid(rcArea.right - ws, rcBack.top - 8 - hs, rcArea.right, rcBack.top - 8);
    const CSize sizeSmallSwap = OwnSize(m_btnSwapSmall);
    const CRect rcSmallSwap(rcBackSolid.left - 2 - sizeSmallSwap.cx, rcForeSolid.bottom + 2,
                            rcBackSolid.left - 2, rcForeSolid.bottom + 2 + sizeSmallSwap.cy);

    m_chkApplyToAll.MoveWindow(rcBoxNew, TRUE);
    m_ctrlFore.MoveWindow(rcFore, TRUE);
    m_ctrlBack.MoveWindow(rcBack, TRUE);
    m_btnSwap.MoveWindow(rcSwap, TRUE);
    m_btnBlackWhite.MoveWindow(rcBlackWhite, TRUE);
    m_ctrlForeSolid.MoveWindow(rcForeSolid, TRUE);
    m_ctrlBackSolid.MoveWindow(rcBackSolid, TRUE);
    m_btnSwapSmall.MoveWindow(rcSmallSwap, TRUE);

    // The visible tab set above, unless there is too little room for it.
    CXUIRectTabCtrl& tabs = GetVisibleTabSet();
    const int tabWidth = tabRight - 14;
    if (tabWidth < S(35) || TH < S(35))
        tabs.ShowWindow(SW_HIDE);
    else
    {
        tabs.MoveWindow(14, 0, tabWidth, TH, TRUE);
        tabs.ShowWindow(SW_SHOW);
        PlacePickers();
    }

    // The foreground always shows on top.
    m_ctrlBack.SetWindowRgn(RegionWithout(rcBack, rcFore), TRUE);
    m_ctrlBackSolid.SetWindowRgn(RegionWithout(rcBackSolid, rcForeSolid), TRUE);

    if (CWnd* pLine = GetDlgItem(kToolsSeparator))
        pLine->MoveWindow(matLeft, rcBoxNew.top - 5, matRight - matLeft, 1, TRUE);
    if (CWnd* pLine = GetDlgItem(kRecentSeparator))
        pLine->MoveWindow(14, rcBoxNew.bottom + 2, std::max(matRight, tabRight) - 14, 1, TRUE);
    Invalidate();
}

// ---------------------------------------------------------------------------
// Keeping the pane in step with the host
// ---------------------------------------------------------------------------

namespace
{
// The material services, asked of the application context for one handler.
CComPtr<IMaterialServices> QueryMaterialServices(IMatPalAppContext* pAppContext)
{
    return pAppContext != nullptr ? MGLQuery<IMaterialServices>(pAppContext) : CComPtr<IMaterialServices>();
}

// Makes one call on the material services, when the application context
// answers them; host errors are looked at and dropped.
template <class TCall> void WithMaterialServices(IMatPalAppContext* pAppContext, TCall&& call)
{
    CComPtr<IMaterialServices> pServices = QueryMaterialServices(pAppContext);
    if (pServices == nullptr)
        return;
    CErrorAutoThrow error;
    call(*pServices, error);
}

// Hands a settings object's content that is not in the host's cache to the
// style that shows it.
void HandOverNonCached(IMatPalAppContext* pAppContext, VMatStyle* pStyle, bool bFore)
{
    CErrorAutoThrow error;
    switch (pStyle->m_eStyle)
    {
        case MATERIAL_STYLE_GRADIENT:
        {
            CComPtr<IMGLGradient> pGradient;
            pAppContext->GetNonCachedGradient(error, bFore, &pGradient);
            if (auto* pClassic = dynamic_cast<CMatStyleGradient*>(pStyle))
                error = pClassic->SetNonCachedGradientStops(pGradient);
            else if (auto* pNew = dynamic_cast<CMatStyleGradient2*>(pStyle))
                error = pNew->SetNonCachedGradientStops(pGradient);
            break;
        }
        case MATERIAL_STYLE_ART_MEDIA:
        {
            CComPtr<IMGLArt> pArt;
            pAppContext->GetNonCachedArt(error, bFore, &pArt);
            if (auto* pArtMedia = dynamic_cast<CMatStyleArtMedia*>(pStyle))
                error = pArtMedia->SetNonCachedArt(pArt);
            break;
        }
        case MATERIAL_STYLE_PATTERN:
        {
            CRowIterator image;
            CRowIterator thumb;
            pAppContext->GetNonCachedPattern(error, bFore, image, thumb);
            if (auto* pClassic = dynamic_cast<CMatStylePattern*>(pStyle))
                error = pClassic->SetNonCachedPattern(image, thumb);
            else if (auto* pNew = dynamic_cast<CMatStylePattern2*>(pStyle))
                error = pNew->SetNonCachedPattern(image, thumb);
            break;
        }
        default:
            break;
    }
}
} // namespace

void CMirnMaterialPalette::PullSolidData(bool bFore)
{
    for (VMatStyle* pStyle : SideStyles(bFore))
    {
        if (pStyle == nullptr)
            continue;
        CErrorAutoThrow error;
        void* pData = nullptr;
        if (pStyle->m_eStyle == MATERIAL_STYLE_SOLID)
        {
            m_pAppContext->GetStyleData(error, MATERIAL_STYLE_SOLID, bFore, &pData);
            error = pStyle->SetData(pData);
        }
        else if (pStyle->m_eStyle == MATERIAL_STYLE_ART_MEDIA)
        {
            m_pAppContext->GetStyleData(error, MATERIAL_STYLE_ART_MEDIA, bFore, &pData);
            if (pData != nullptr)
            {
                error = pStyle->SetData(pData);
                static_cast<IUnknown*>(pData)->Release();
            }
        }
    }
}

void CMirnMaterialPalette::PullMaterial(IMaterialServices* pServices, bool bFore)
{
    for (VMatStyle* pStyle : SideStyles(bFore))
    {
        if (pStyle == nullptr)
            continue;
        CErrorAutoThrow error;
        void* pData = nullptr;
        m_pAppContext->GetStyleData(error, pStyle->m_eStyle, bFore, &pData);
        if (pData != nullptr)
            error = pStyle->SetData(pData);
        const EMaterialStyle eStyle = pStyle->m_eStyle;
        if (eStyle == MATERIAL_STYLE_GRADIENT || eStyle == MATERIAL_STYLE_ART_MEDIA ||
            eStyle == MATERIAL_STYLE_PATTERN)
        {
            if (auto* pObject = static_cast<IMGLObject*>(pData))
            {
                if (MGLCachedNameOf(pObject).IsEmpty())
                    HandOverNonCached(m_pAppContext, pStyle, bFore);
                pObject->Release();
            }
        }
    }
    if (pServices != nullptr)
    {
        CErrorAutoThrow error;
        const int nStyle = pServices->GetStyle(error, bFore);
        MainControl(bFore).SetCurrStyle(static_cast<EMaterialStyle>(nStyle));
    }
}

void CMirnMaterialPalette::PullTexture(bool bFore)
{
    CErrorAutoThrow error;
    VMatTexture* pTexture = SideTexture(bFore);
    if (pTexture != nullptr)
    {
        CComPtr<IMGLObject> pSettings;
        m_pAppContext->GetTextureData(error, bFore, &pSettings);
        error = pTexture->SetData(pSettings);
        if (pSettings == nullptr || MGLCachedNameOf(pSettings).IsEmpty())
        {
            CRowIterator image;
            CRowIterator thumb;
            m_pAppContext->GetNonCachedTexture(error, bFore, image, thumb);
            error = pTexture->SetNonCachedTexture(image, thumb);
        }
    }
    MainControl(bFore).EnableTexture(m_pAppContext->IsTextureEnabled(error, bFore));
}

void CMirnMaterialPalette::UpdateFromAppMaterials(EUpdateMaterialData eFlags)
{
    if (m_pAppContext == nullptr)
        return;
    CComPtr<IMaterialServices> pServices = QueryMaterialServices(m_pAppContext);
    const int nFlags = static_cast<int>(eFlags);
    // Which controls to refresh: foreground main and solid, background main
    // and solid.
    bool bRefresh[4] = {false, false, false, false};
    bool bRecolour = false;
    if (nFlags & UPDATE_FORE_SOLID_ONLY)
    {
        PullSolidData(true);
        bRefresh[0] = bRefresh[1] = true;
        bRecolour = true;
    }
    if (nFlags & UPDATE_BACK_SOLID_ONLY)
    {
        PullSolidData(false);
        bRefresh[2] = bRefresh[3] = true;
        bRecolour = true;
    }
    if (nFlags & UPDATE_FORE_MATERIAL)
    {
        PullMaterial(pServices, true);
        bRefresh[0] = bRefresh[1] = true;
    }
    if (nFlags & UPDATE_BACK_MATERIAL)
    {
        PullMaterial(pServices, false);
        bRefresh[2] = bRefresh[3] = true;
    }
    // In art-media property mode the textures stay switched off.
    if (!m_bArtMediaPropertyMode)
    {
        if (nFlags & UPDATE_FORE_TEXTURE)
            PullTexture(true);
        if (nFlags & UPDATE_BACK_TEXTURE)
            PullTexture(false);
    }
    if (nFlags & UPDATE_ENABLED_STATES)
    {
        CErrorAutoThrow error;
        const bool bForeOn = m_pAppContext->IsMaterialEnabled(error, true);
        const bool bBackOn = m_pAppContext->IsMaterialEnabled(error, false);
        m_ctrlFore.EnableMaterial(bForeOn);
        m_ctrlBack.EnableMaterial(bBackOn);
        // A side may be switched off only while the other is on.
        m_ctrlFore.EnableEnableBtn(m_bNullMaterialAllowed && m_ctrlBack.IsMaterialEnabled());
        m_ctrlBack.EnableEnableBtn(m_bNullMaterialAllowed && m_ctrlFore.IsMaterialEnabled());
    }
    CMaterialControl* const controls[4] = {&m_ctrlFore, &m_ctrlForeSolid, &m_ctrlBack, &m_ctrlBackSolid};
    for (int i = 0; i < 4; ++i)
    {
        if (bRefresh[i])
            controls[i]->UpdateSample(bRecolour);
    }
    RefreshPickers();
}

void CMirnMaterialPalette::RefreshPickers()
{
    // The pickers show the foreground solid colour; the map also learns
    // whether the image is greyscale.
    const COLORREF clrColor = m_ctrlForeSolid.GetSolidColor();
    const BYTE bRed = GetRValue(clrColor);
    const BYTE bGreen = GetGValue(clrColor);
    const BYTE bBlue = GetBValue(clrColor);
    CErrorAutoThrow error;
    m_wndMap.SetGreyscaleMode(m_pAppContext != nullptr && m_pAppContext->IsGreyscaleDocument(error));
    m_wndMap.SetPickerColor(bRed, bGreen, bBlue);
    m_wndSliders.SetPickerColor(bRed, bGreen, bBlue);
}

void CMirnMaterialPalette::RefreshSamplesOfStyle(EMaterialStyle eStyle)
{
    for (CMaterialControl* pControl : {&m_ctrlFore, &m_ctrlBack})
    {
        EMaterialStyle eCurrent;
        if (pControl->GetCurrStyle(eCurrent) && eCurrent == eStyle)
            pControl->UpdateSample(false);
    }
}

void CMirnMaterialPalette::UpdateDynamicGradients()
{
    RefreshSamplesOfStyle(MATERIAL_STYLE_GRADIENT);
}

void CMirnMaterialPalette::UpdatePalette(IMGLGraphic*)
{
    UpdateFromAppMaterials(UPDATE_MATERIALS);
}

void CMirnMaterialPalette::ReportEvent(LPCWSTR pszEvent)
{
    CErrorAutoThrow error;
    VMGLFactoryProvider* pProvider =
        m_pExecutionContext != nullptr ? m_pExecutionContext->GetFactoryProvider(error) : nullptr;
    if (pProvider == nullptr)
        return;
    CComPtr<IEventRecorder> pRecorder;
    pProvider->GetEventRecorder(error, &pRecorder);
    if (pRecorder != nullptr)
        pRecorder->RecordEvent(error, pszEvent);
}

// ---------------------------------------------------------------------------
// What the children report
// ---------------------------------------------------------------------------

LRESULT CMirnMaterialPalette::OnStyleChange(WPARAM wParam, LPARAM lParam)
{
    const bool bFore = IsForegroundControl(wParam);
    const std::vector<VMatStyle*>& styles = SideStyles(bFore);
    if (lParam < 0 || static_cast<std::size_t>(lParam) >= styles.size() || styles[lParam] == nullptr)
        return 1;
    const EMaterialStyle eStyle = styles[lParam]->m_eStyle;

    // A solid-colour swatch changes only what the pane shows.
    if (wParam == IDC_MATCTRL_SOLID_FOREGROUND || wParam == IDC_MATCTRL_SOLID_BACKGROUND)
    {
        RefreshSamplesOfStyle(MATERIAL_STYLE_SOLID);
        UpdateDynamicGradients();
        return 1;
    }

    CComPtr<IMaterialServices> pServices = QueryMaterialServices(m_pAppContext);
    if (pServices == nullptr)
        return 1;
    switch (eStyle)
    {
        case MATERIAL_STYLE_SOLID:
            ReportEvent(bFore ? L"Edit_Materials_ForeColor" : L"Edit_Materials_BackColor");
            break;
        case MATERIAL_STYLE_PATTERN:
            ReportEvent(bFore ? L"Edit_Materials_ForePattern" : L"Edit_Materials_BackPattern");
            break;
        case MATERIAL_STYLE_GRADIENT:
            ReportEvent(bFore ? L"Edit_Materials_ForeGradient" : L"Edit_Materials_BackGradient");
            break;
        default:
            break;
    }
    CErrorAutoThrow error;
    pServices->SetStyle(error, bFore, eStyle);
    return 1;
}

LRESULT CMirnMaterialPalette::OnTextureChange(WPARAM wParam, LPARAM lParam)
{
    WithMaterialServices(m_pAppContext, [&](IMaterialServices& services, CErrorAutoThrow& error)
                         { services.EnableTexture(error, wParam == IDC_MATCTRL_FOREGROUND, lParam == 1); });
    return 1;
}

LRESULT CMirnMaterialPalette::OnMaterialChange(WPARAM wParam, LPARAM)
{
    WithMaterialServices(m_pAppContext,
                         [&](IMaterialServices& services, CErrorAutoThrow& error)
                         {
                             const bool bFore = IsForegroundControl(wParam);
                             CComPtr<IMGLMaterial> pMaterial;
                             MainControl(bFore).GetMaterial(&pMaterial);
                             services.SetMaterial(error, pMaterial, bFore, 1, 0);
                         });
    return 1;
}

LRESULT CMirnMaterialPalette::OnColorChange(WPARAM wParam, LPARAM lParam)
{
    WithMaterialServices(
        m_pAppContext, [&](IMaterialServices& services, CErrorAutoThrow& error)
        { services.SetSolidColor(error, IsForegroundControl(wParam), static_cast<COLORREF>(lParam)); });
    return 1;
}

LRESULT CMirnMaterialPalette::OnRainbowClick(WPARAM wParam, LPARAM lParam)
{
    WithMaterialServices(m_pAppContext, [&](IMaterialServices& services, CErrorAutoThrow& error)
                         { services.SetSolidColor(error, lParam == 1, static_cast<COLORREF>(wParam)); });
    return 1;
}

LRESULT CMirnMaterialPalette::OnEnableMaterial(WPARAM wParam, LPARAM lParam)
{
    const bool bFore = wParam == IDC_MATCTRL_FOREGROUND;
    const bool bEnable = lParam == 1;
    if (!bEnable)
        MainControl(!bFore).EnableEnableBtn(false); // at most one side may be off
    else
    {
        m_ctrlFore.EnableEnableBtn(true);
        m_ctrlBack.EnableEnableBtn(true);
    }
    if (m_pAppContext != nullptr)
    {
        CErrorAutoThrow error;
        m_pAppContext->EnableMaterial(error, bFore, bEnable);
    }
    return 1;
}

CErrorAutoThrow CMirnMaterialPalette::EnableNullMaterial(bool bAllow)
{
    if (bAllow == m_bNullMaterialAllowed)
        return MIRN_ERR_NONE;
    CErrorAutoThrow error;
    if (!bAllow)
    {
        m_bForeEnabledSaved = m_ctrlFore.IsMaterialEnabled();
        m_bBackEnabledSaved = m_ctrlBack.IsMaterialEnabled();
        m_ctrlFore.EnableMaterial(true);
        m_ctrlBack.EnableMaterial(true);
        m_ctrlFore.EnableEnableBtn(false);
        m_ctrlBack.EnableEnableBtn(false);
        if (m_pAppContext != nullptr)
        {
            m_pAppContext->EnableMaterial(error, true, true);
            m_pAppContext->EnableMaterial(error, false, true);
        }
    }
    else
    {
        m_ctrlFore.EnableMaterial(m_bForeEnabledSaved);
        m_ctrlBack.EnableMaterial(m_bBackEnabledSaved);
        if (m_pAppContext != nullptr)
        {
            m_pAppContext->EnableMaterial(error, true, m_bForeEnabledSaved);
            m_pAppContext->EnableMaterial(error, false, m_bBackEnabledSaved);
        }
        m_ctrlFore.EnableEnableBtn(m_bBackEnabledSaved);
        m_ctrlBack.EnableEnableBtn(m_bForeEnabledSaved);
    }
    m_bNullMaterialAllowed = bAllow;
    return MIRN_ERR_NONE;
}

void CMirnMaterialPalette::EnableNullMaterialState(bool bFore)
{
    (bFore ? m_bForeEnabledSaved : m_bBackEnabledSaved) = true;
}

LRESULT CMirnMaterialPalette::OnSwapMaterials(WPARAM wParam, LPARAM)
{
    if (m_pAppContext == nullptr)
        return 1;
    const bool bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const bool bShift = ::GetKeyState(VK_SHIFT) < 0;
    CErrorAutoThrow error;
    if (wParam == kSwapButton)
    {
        if (bCtrl)
        {
            m_pAppContext->SwapColors(error, 1);
            UpdateFromAppMaterials(UPDATE_MATERIALS);
        }
        if (bShift)
        {
            m_pAppContext->SwapTextures(error, 1);
            UpdateFromAppMaterials(UPDATE_TEXTURES);
        }
        if (!bCtrl && !bShift)
        {
            std::swap(m_bForeEnabledSaved, m_bBackEnabledSaved);
            if (CComPtr<IMaterialServices> pServices = QueryMaterialServices(m_pAppContext))
                pServices->SwapMaterials(error);
        }
    }
    else if (wParam == kSmallSwapButton)
    {
        m_pAppContext->BeginSwapBoth(error);
        m_pAppContext->EndSwapBoth(error);
        UpdateFromAppMaterials(UPDATE_MATERIALS);
    }
    if (m_bArtMediaPropertyMode)
    {
        std::swap(m_eForeStyleSaved, m_eBackStyleSaved);
        std::swap(m_bForeTextureSaved, m_bBackTextureSaved);
    }
    if (!(bShift && !bCtrl))
        UpdateDynamicGradients();
    return 1;
}

LRESULT CMirnMaterialPalette::OnBlackWhiteMaterials(WPARAM, LPARAM)
{
    CComPtr<IMaterialServices> pServices = QueryMaterialServices(m_pAppContext);
    if (pServices == nullptr)
        return 1;
    CErrorAutoThrow error;
    pServices->SetSolidColor(error, true, RGB(0, 0, 0));
    pServices->SetSolidColor(error, false, RGB(255, 255, 255));
    pServices->SetStyle(error, true, MATERIAL_STYLE_SOLID);
    pServices->SetStyle(error, false, MATERIAL_STYLE_SOLID);
    pServices->EnableTexture(error, true, false);
    pServices->EnableTexture(error, false, false);

    m_bNullMaterialAllowed = true;
    const bool bButtons = m_ctrlFore.IsBtnEnabled() || m_ctrlBack.IsBtnEnabled();
    m_ctrlFore.EnableEnableBtn(bButtons);
    m_ctrlBack.EnableEnableBtn(bButtons);
    m_ctrlFore.EnableMaterial(true);
    m_ctrlBack.EnableMaterial(true);
    m_pAppContext->EnableMaterial(error, true, true);
    m_pAppContext->EnableMaterial(error, false, true);

    UpdateFromAppMaterials(UPDATE_MATERIALS);
    return 1;
}

LRESULT CMirnMaterialPalette::OnIconDimensionChange(WPARAM wParam, LPARAM)
{
    for (CXMFCButton* pButton : {&m_btnDropper, &m_btnAddSwatch, &m_btnRemoveSwatch})
    {
        if (pButton->GetSafeHwnd() != nullptr)
            pButton->SetIconDimension(static_cast<int>(wParam));
    }
    return 0;
}

LRESULT CMirnMaterialPalette::OnTextSizeChange(WPARAM, LPARAM)
{
    if (m_chkApplyToAll.GetSafeHwnd() != nullptr)
        m_chkApplyToAll.Invalidate();
    return 0;
}

// ---------------------------------------------------------------------------
// Operations of the host
// ---------------------------------------------------------------------------

void CMirnMaterialPalette::SetCurrMatStyle(EMaterialStyle eStyle, bool bFore)
{
    MainControl(bFore).SetCurrStyle(eStyle);
}

void CMirnMaterialPalette::EnableMaterial(bool bFore, bool bEnable)
{
    MainControl(bFore).EnableMaterial(bEnable);
}

void CMirnMaterialPalette::EnableTexture(bool bFore, bool bEnable)
{
    MainControl(bFore).EnableTexture(bEnable);
}

void CMirnMaterialPalette::EnableStyles(int nMask, EMaterialStyle eStyle)
{
    m_ctrlFore.EnableStyles(nMask, eStyle);
    m_ctrlBack.EnableStyles(nMask, eStyle);
}

bool CMirnMaterialPalette::GetApplyToAllState()
{
    return m_chkApplyToAll.GetSafeHwnd() != nullptr && m_chkApplyToAll.GetCheck() == BST_CHECKED;
}

void CMirnMaterialPalette::DisableAllTools()
{
    if (m_chkApplyToAll.GetSafeHwnd() == nullptr)
        return;
    m_nApplyToAllSaved = m_chkApplyToAll.GetCheck();
    m_chkApplyToAll.SetCheck(BST_CHECKED);
    m_chkApplyToAll.EnableWindow(FALSE);
}

void CMirnMaterialPalette::EnableAllTools()
{
    if (m_chkApplyToAll.GetSafeHwnd() == nullptr)
        return;
    m_chkApplyToAll.SetCheck(m_nApplyToAllSaved);
    m_chkApplyToAll.EnableWindow(TRUE);
}

void CMirnMaterialPalette::ChangeMatPalStyle(bool bOldStyle)
{
    if (bOldStyle == m_bOldStyleMatPalStyle)
        return;
    m_bOldStyleMatPalStyle = bOldStyle;
    if (m_tabNew.GetSafeHwnd() == nullptr)
        return;
    m_tabClassic.ShowWindow(bOldStyle ? SW_SHOW : SW_HIDE);
    m_tabNew.ShowWindow(bOldStyle ? SW_HIDE : SW_SHOW);
    CRect rc;
    GetClientRect(&rc);
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.Width(), rc.Height()));
}

namespace
{
// The swatch tab of each tab set.
constexpr int kNewSwatchTab = 0;
constexpr int kClassicSwatchTab = 2;
} // namespace

void CMirnMaterialPalette::ShowSwatchTab(bool bShow)
{
    CXUIRectTabCtrl& tabs = GetVisibleTabSet();
    if (tabs.GetSafeHwnd() == nullptr)
        return;
    const int nSwatchTab = m_bOldStyleMatPalStyle ? kClassicSwatchTab : kNewSwatchTab;
    if (bShow)
        tabs.SetActiveTab(nSwatchTab);
    else if (tabs.GetActiveTab() == nSwatchTab)
        tabs.SetActiveTab(nSwatchTab == 0 ? 1 : 0);
}

void CMirnMaterialPalette::SetArtMediaPropertyMode(bool bOn)
{
    if (bOn == m_bArtMediaPropertyMode)
        return;
    m_bArtMediaPropertyMode = bOn;
    CComPtr<IMaterialServices> pServices = QueryMaterialServices(m_pAppContext);
    CErrorAutoThrow error;
    if (bOn)
    {
        for (bool bFore : {true, false})
        {
            EMaterialStyle eCurrent = MATERIAL_STYLE_FIRST_REGISTERED;
            MainControl(bFore).GetCurrStyle(eCurrent);
            (bFore ? m_eForeStyleSaved : m_eBackStyleSaved) = eCurrent;
            MainControl(bFore).SetCurrStyle(MATERIAL_STYLE_ART_MEDIA);
            if (pServices != nullptr)
                pServices->SetStyle(error, bFore, MATERIAL_STYLE_ART_MEDIA);
        }
        for (bool bFore : {true, false})
        {
            const bool bHasTexture = MainControl(bFore).IsTextureRegistered();
            (bFore ? m_bForeTextureSaved : m_bBackTextureSaved) = bHasTexture;
            // Only the pane hides the texture; the host keeps its own state,
            // which the refresh at the end of the mode brings back.
            if (bHasTexture)
                MainControl(bFore).EnableTexture(false);
        }
    }
    else
    {
        for (bool bFore : {true, false})
        {
            const EMaterialStyle eSaved = bFore ? m_eForeStyleSaved : m_eBackStyleSaved;
            MainControl(bFore).SetCurrStyle(eSaved);
            if (pServices != nullptr)
            {
                EMaterialStyle eRestored = eSaved;
                MainControl(bFore).GetCurrStyle(eRestored);
                pServices->SetStyle(error, bFore, eRestored);
            }
        }
        m_eForeStyleSaved = m_eBackStyleSaved = MATERIAL_STYLE_FIRST_REGISTERED;
        for (bool bFore : {true, false})
        {
            if (bFore ? m_bForeTextureSaved : m_bBackTextureSaved)
                MainControl(bFore).EnableTexture(true);
        }
        m_bForeTextureSaved = m_bBackTextureSaved = false;
    }
    if (GetSafeHwnd() != nullptr)
    {
        m_ctrlFore.ArtMediaMode(bOn ? 1 : 0);
        m_ctrlBack.ArtMediaMode(bOn ? 1 : 0);
        UpdateFromAppMaterials(UPDATE_ALL);
    }
}

void CMirnMaterialPalette::SetObjectPropertyMode(bool bOn)
{
    if (bOn == m_bObjectPropertyMode)
        return;
    m_bObjectPropertyMode = bOn;
    if (!bOn && GetSafeHwnd() != nullptr && !GetApplyToAllState())
        UpdateFromAppMaterials(UPDATE_ALL);
}

bool CMirnMaterialPalette::IsUserCategoryActive()
{
    if (m_pSwatchMgr == nullptr)
        return false;
    int nType = 0;
    CString strName;
    // Every category that is not built in belongs to the user.
    return m_pSwatchMgr->GetActiveCategory(nType, strName) && nType != 0;
}

BOOL CMirnMaterialPalette::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam))
    {
        case kSwatchTabCommand:
            ReportEvent(L"Edit_Materials_Swatches");
            break;
        case kMapTabCommand:
            ReportEvent(L"Edit_Materials_HSLMap");
            break;
        case kSlidersTabCommand:
            ReportEvent(L"Edit_Materials_Sliders");
            break;
        case kShowRemoveSwatchCommand:
            m_btnRemoveSwatch.ShowWindow(SW_SHOW);
            break;
        case kHideRemoveSwatchCommand:
            m_btnRemoveSwatch.ShowWindow(SW_HIDE);
            break;
        default:
            break;
    }
    return CXUIPaletteDialog::OnCommand(wParam, lParam);
}

void CMirnMaterialPalette::OnTabChange(NMHDR* pNotify, LRESULT* pResult)
{
    *pResult = 0;
    // The new tab set says which picker the user chose.
    if (pNotify->idFrom != kTabSetItem)
        return;
    static constexpr UINT kTabCommands[] = {kSwatchTabCommand, kMapTabCommand, kSlidersTabCommand};
    const int nTab = m_tabNew.GetActiveTab();
    if (nTab >= 0 && nTab < 3)
        SendMessage(WM_COMMAND, MAKEWPARAM(kTabCommands[nTab], 0), 0);
}

void CMirnMaterialPalette::OnUpdateCmdUI(CWnd*, BOOL)
{
    UpdateDialogControls(this, FALSE);
}

void CMirnMaterialPalette::OnUpdateDropper(CCmdUI* pCmdUI)
{
    // Sampling the screen is always possible.
    pCmdUI->Enable(TRUE);
}

BOOL CMirnMaterialPalette::PreTranslateMessage(MSG* pMsg)
{
    // The tooltip control sees every message as coming from the window
    // under the message's cursor position.
    if (m_toolTip.GetSafeHwnd() != nullptr && pMsg != nullptr)
    {
        MSG relayed = *pMsg;
        CPoint ptScreen(relayed.pt);
        HWND hUnder = ::WindowFromPoint(ptScreen);
        if (hUnder != nullptr && (hUnder == m_hWnd || ::IsChild(m_hWnd, hUnder)))
        {
            relayed.hwnd = hUnder;
            if (relayed.message >= WM_MOUSEFIRST && relayed.message <= WM_MOUSELAST)
            {
                CPoint ptClient = ptScreen;
                ::ScreenToClient(hUnder, &ptClient);
                relayed.lParam = MAKELPARAM(ptClient.x, ptClient.y);
            }
            m_toolTip.RelayEvent(&relayed);
        }
    }
    return CXUIPaletteDialog::PreTranslateMessage(pMsg);
}
