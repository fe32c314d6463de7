// The Materials palette: the dockable pane, the single instance through
// which the host and the palette's own classes reach each other, and the
// host services it holds.
#pragma once

#include "MatStyle.h"
#include "MatTexture.h"
#include "TSingleton.h"
#include "VAppService.h"
#include "VMaterialPalette.h"
#include "VornServices.h"
#include "XUIPaletteDialog.h"

#include <vector>

// Resources of the pane in the language resource module.
#define IDS_MATERIALS_PANE_CAPTION 15473
#define IDC_MATERIALS_SAMPLE_CURSOR 15901
#define IDD_MATERIALS_PANE 15107
// How the pane is created: child, gripper, dockable at any edge, fly-by,
// tool tips, dynamic size; its control identifier; its tabbed style.
#define MATERIALS_PANE_STYLE 0x4040F034u
#define MATERIALS_PANE_ID 59653u
#define MATERIALS_PANE_TABBED_STYLE 32u

// The material controls of the pane, by control identifier: the two main
// controls and the two solid-colour controls.
#define IDC_MATCTRL_FOREGROUND 101
#define IDC_MATCTRL_BACKGROUND 102
#define IDC_MATCTRL_SOLID_FOREGROUND 106
#define IDC_MATCTRL_SOLID_BACKGROUND 107

// Messages of the pane: the sliders picker keeps its CMYK values in the pane
// while it shows another model (lParam four 32-bit values, or null to
// empty the store) and asks for them back (lParam 1 also allows reading the
// CMYK sliders); the answer is the address of four values, or 0.
#define WM_SAVE_CMYK_MODE_COLOR 0x80AB
#define WM_GET_CMYK_MODE_COLOR 0x80AC

// Windows of the pane that come with the pane's children.
class CSwatchPickerWnd;

class CMirnMaterialPalette;
template <> CMirnMaterialPalette*& TSingleton<CMirnMaterialPalette>::InstancePointer();

class CMirnMaterialPalette : public CXUIPaletteDialog,
                             public VMaterialPalette,
                             public TDynamicSingleton<CMirnMaterialPalette, CMirnMaterialPalette>,
                             public VAppService
{
    DECLARE_DYNAMIC(CMirnMaterialPalette)
public:
    // The styles and textures registered with one material control, in
    // registration order, each style with its show-in-style-menu flag.
    struct SControlRegistrations
    {
        std::vector<std::pair<VMatStyle*, bool>> arrStyles;
        std::vector<VMatTexture*> arrTextures;
    };

    CMirnMaterialPalette();
    ~CMirnMaterialPalette() override;

    // Service entry points, in the order the host calls them.
    CErrorAutoThrow Initialize(IMatPalAppContext* pAppContext, ICommandExecutionContext* pExecutionContext,
                               VMatCacheAccessor* pCacheAccessor, VSwatchMgr* pSwatchMgr);
    bool InitAppService(ICommandExecutionContext* pContext, CWnd* pParent) override;
    CErrorAutoThrow RegisterMatStyle(VMatStyle* pForeground, VMatStyle* pBackground, bool bShowInStyleMenu);
    CErrorAutoThrow RegisterMatTexture(VMatTexture* pForeground, VMatTexture* pBackground);
    // Holds the settings registry and the key the pane's settings live under.
    void LoadSettings(IRegistry* pRegistry, CString strKey);
    void Shutdown();

    using CXUIPaletteDialog::Create;
    // Creates the pane directly, loading the sampling cursor first.
    BOOL Create(LPCWSTR lpszCaption, CWnd* pParentWnd, BOOL bHasGripper, LPCWSTR lpszTemplateName,
                UINT nStyle, UINT nID, DWORD dwTabbedStyle, DWORD dwControlBarStyle) override;

    // VMaterialPalette.
    void ShowMaterialPalette(ESHOWCOMMANDS eCommand) override;
    bool IsOpen() override;

    // The host services. The two contexts come with a reference added.
    CErrorAutoThrow GetAppContext(IMatPalAppContext** ppAppContext);
    CErrorAutoThrow GetExecutionContext(ICommandExecutionContext** ppExecutionContext);
    VMatCacheAccessor* GetCacheAccessor() const { return m_pCacheAccessor; }
    VMGLObjectFactory* GetObjectFactory() const { return m_pObjectFactory; }
    VMGLPropertyFactory* GetPropertyFactory() const { return m_pPropertyFactory; }
    VMGLValueFactory* GetValueFactory() const { return m_pValueFactory; }
    CMGLMGDIRenderEngine* GetRenderEngine() const { return m_pRenderEngine; }
    VSwatchMgr* GetSwatchMgr() const { return m_pSwatchMgr; }
    CSwatchPickerWnd* GetSwatchPickerWnd() const { return m_pSwatchPicker[m_nVisibleTabSet]; }
    IRegistry* GetRegistry() const { return m_pRegistry; }
    const CString& GetRegistryKey() const { return m_strRegistryKey; }
    // The material services the application context answered, or null.
    IMaterialServices* GetMaterialServices() const { return m_pMaterialServices; }
    bool IsArtMediaPropertyMode() const { return m_bArtMediaPropertyMode; }
    bool IsObjectPropertyMode() const { return m_bObjectPropertyMode; }
    bool IsOldStyleMatPalStyle() const { return m_bOldStyleMatPalStyle; }

    // What has been registered.
    const std::vector<VMatStyle*>& GetForegroundStyles() const { return m_arrForegroundStyles; }
    const std::vector<VMatStyle*>& GetBackgroundStyles() const { return m_arrBackgroundStyles; }
    VMatTexture* GetForegroundTexture() const { return m_pForegroundTexture; }
    VMatTexture* GetBackgroundTexture() const { return m_pBackgroundTexture; }
    // The registrations of one material control (IDC_MATCTRL_...); null for
    // any other identifier.
    const SControlRegistrations* GetControlRegistrations(int nControlId) const;
    HCURSOR GetSampleCursor() const { return m_hSampleCursor; }

    afx_msg LRESULT OnSaveCMYKModeColor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetCMYKModeColor(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

private:
    // Registers a style or a texture with a material control of the pane.
    // The registrations are kept per control; the controls take them over
    // when they are created with the pane.
    CErrorAutoThrow RegisterStyleWithControl(int nControlId, VMatStyle* pStyle, bool bShowInStyleMenu);
    CErrorAutoThrow RegisterTextureWithControl(int nControlId, VMatTexture* pTexture);
    SControlRegistrations* ControlRegistrations(int nControlId);

    // Host services.
    ICommandExecutionContext* m_pExecutionContext = nullptr; // reference held
    IMatPalAppContext* m_pAppContext = nullptr;              // reference held
    IRegistry* m_pRegistry = nullptr;                        // reference held
    CString m_strRegistryKey;
    VMGLObjectFactory* m_pObjectFactory = nullptr;
    VMGLPropertyFactory* m_pPropertyFactory = nullptr;
    VMGLValueFactory* m_pValueFactory = nullptr;
    VMGLRenderEngineSource* m_pRenderEngineSource = nullptr;
    CMGLMGDIRenderEngine* m_pRenderEngine = nullptr; // owned
    VMatCacheAccessor* m_pCacheAccessor = nullptr;
    VSwatchMgr* m_pSwatchMgr = nullptr;
    CComPtr<IMaterialServices> m_pMaterialServices;

    // Registered styles and textures, owned.
    std::vector<VMatStyle*> m_arrForegroundStyles;
    std::vector<VMatStyle*> m_arrBackgroundStyles;
    VMatTexture* m_pForegroundTexture = nullptr;
    VMatTexture* m_pBackgroundTexture = nullptr;
    SControlRegistrations m_aControls[4];

    HCURSOR m_hSampleCursor = nullptr;

    // The swatch pickers of the two tab sets (created with the pane's
    // children; null until then) and which tab set shows.
    CSwatchPickerWnd* m_pSwatchPicker[2] = {nullptr, nullptr};
    int m_nVisibleTabSet = 0;

    bool m_bArtMediaPropertyMode = false;
    bool m_bObjectPropertyMode = false;
    bool m_bOldStyleMatPalStyle = false;
    // CMYK values kept for the sliders picker; all -1 when empty.
    int m_aCMYKSaved[4] = {-1, -1, -1, -1};
};
