#include "MirnMaterialPalette.h"

#include "RTRACE.h"
#include "Resources.h"

IMPLEMENT_DYNAMIC(CMirnMaterialPalette, CXUIPaletteDialog)

BEGIN_MESSAGE_MAP(CMirnMaterialPalette, CXUIPaletteDialog)
ON_MESSAGE(WM_SAVE_CMYK_MODE_COLOR, OnSaveCMYKModeColor)
ON_MESSAGE(WM_GET_CMYK_MODE_COLOR, OnGetCMYKModeColor)
END_MESSAGE_MAP()

namespace
{
// The one buffer the CMYK values are handed out in; each answer overwrites
// it, so the asker copies them before asking again.
int g_aCMYKBuffer[4] = {-1, -1, -1, -1};
} // namespace

LRESULT CMirnMaterialPalette::OnSaveCMYKModeColor(WPARAM, LPARAM lParam)
{
    const int* pValues = reinterpret_cast<const int*>(lParam);
    for (int i = 0; i < 4; ++i)
        m_aCMYKSaved[i] = pValues != nullptr ? pValues[i] : -1;
    return 1;
}

LRESULT CMirnMaterialPalette::OnGetCMYKModeColor(WPARAM, LPARAM)
{
    // The kept values are given once. Reading the sliders' own CMYK values
    // (lParam 1) comes with the sliders picker.
    if (m_aCMYKSaved[0] == -1 && m_aCMYKSaved[1] == -1 && m_aCMYKSaved[2] == -1 && m_aCMYKSaved[3] == -1)
        return 0;
    for (int i = 0; i < 4; ++i)
    {
        g_aCMYKBuffer[i] = m_aCMYKSaved[i];
        m_aCMYKSaved[i] = -1;
    }
    return reinterpret_cast<LRESULT>(g_aCMYKBuffer);
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
    m_hSampleCursor = LoadCursorW(AfxFindResourceHandle(lpszCursor, RT_GROUP_CURSOR), lpszCursor);
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
