// The Materials palette: the dockable pane, the single instance through
// which the host and the palette's own classes reach each other, and the
// host services it holds.
#pragma once

#include "Dc.h"
#include "FlexibleToolTipContainer.h"
#include "HSBMapPickerWnd.h"
#include "ImageList.h"
#include "MatStyle.h"
#include "MatTexture.h"
#include "MaterialButton.h"
#include "MaterialControl.h"
#include "RainbowPickerWnd.h"
#include "SlidersPickerWnd.h"
#include "TSingleton.h"
#include "VAppService.h"
#include "VMaterialPalette.h"
#include "VornServices.h"
#include "XUIControls.h"
#include "XUIPaletteDialog.h"

#include <memory>
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

// What UpdateFromAppMaterials refreshes, as bits.
enum EUpdateMaterialData : int
{
    UPDATE_FORE_MATERIAL = 0x01,
    UPDATE_BACK_MATERIAL = 0x02,
    UPDATE_FORE_TEXTURE = 0x04,
    UPDATE_BACK_TEXTURE = 0x08,
    UPDATE_ENABLED_STATES = 0x10,
    UPDATE_FORE_SOLID_ONLY = 0x20, // the foreground's solid and art-media data only
    UPDATE_BACK_SOLID_ONLY = 0x40,
    UPDATE_MATERIALS = 0x03,
    UPDATE_TEXTURES = 0x0C,
    UPDATE_ALL = 0x1F,
};

// Messages of the pane's host side: the icon size of tool buttons and the
// text size of the user interface changed.
#define WM_ICON_DIMENSION_CHANGE 0x0C34
#define WM_TEXT_SIZE_CHANGE 0x0C38

// Windows of the pane that come with the pane's children.
class CSwatchPickerWnd;
struct IMGLGraphic;
class CDocument;

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
    CSwatchPickerWnd* GetSwatchPickerWnd() const { return m_pSwatchPicker[m_bOldStyleMatPalStyle ? 1 : 0]; }
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

    // Identifiers of the pane's children and of the template's items.
    static constexpr UINT kSwapButton = 15240;
    static constexpr UINT kApplyToAllBox = 15241;
    static constexpr UINT kForeMaterialItem = 15242;
    static constexpr UINT kBackMaterialItem = 15243;
    static constexpr UINT kTabSetItem = 15244;
    static constexpr UINT kBlackWhiteButton = 15245;
    static constexpr UINT kForeSolidItem = 15246;
    static constexpr UINT kBackSolidItem = 15247;
    static constexpr UINT kSmallSwapButton = 15248;
    static constexpr UINT kDropperCommand = 15340;
    static constexpr UINT kAddSwatchCommand = 15341;
    static constexpr UINT kRemoveSwatchCommand = 15342;
    static constexpr UINT kToolsSeparator = 15949;
    static constexpr UINT kRecentSeparator = 15950;
    static constexpr UINT kClassicTabSet = 15955;
    static constexpr UINT kRainbowPicker = 103;
    static constexpr UINT kMapPicker = 110;
    static constexpr UINT kSlidersPicker = 111;
    // Tab-chosen commands of the tab sets and the remove-swatch button's
    // show and hide commands.
    static constexpr UINT kSwatchTabCommand = 15429;
    static constexpr UINT kMapTabCommand = 15474;
    static constexpr UINT kSlidersTabCommand = 15475;
    static constexpr UINT kShowRemoveSwatchCommand = 15953;
    static constexpr UINT kHideRemoveSwatchCommand = 15954;

    // Pulls the host's current materials into the styles and the controls.
    void UpdateFromAppMaterials(EUpdateMaterialData eFlags);
    void UpdateDynamicGradients();
    void UpdatePalette(IMGLGraphic* pGraphic);

    void EnableMaterial(bool bFore, bool bEnable);
    // Whether a side may be switched off; while it may not, both sides are
    // on and their enable buttons disabled.
    CErrorAutoThrow EnableNullMaterial(bool bAllow);
    void EnableNullMaterialState(bool bFore);
    bool IsNullMaterialAllowed() const { return m_bNullMaterialAllowed; }
    void EnableStyles(int nMask, EMaterialStyle eStyle);
    void EnableTexture(bool bFore, bool bEnable);
    void SetCurrMatStyle(EMaterialStyle eStyle, bool bFore);

    // The apply-to-all-tools box.
    bool GetApplyToAllState();
    void DisableAllTools();
    void EnableAllTools();

    // Classic layout (ring, rainbow, swatches) or the new one (swatches,
    // map, sliders).
    void ChangeMatPalStyle(bool bOldStyle);
    void ShowSwatchTab(bool bShow);
    void SetArtMediaPropertyMode(bool bOn);
    void SetObjectPropertyMode(bool bOn);

    // Whether the swatch manager's current category belongs to the user.
    bool IsUserCategoryActive();
    void DisplayModeChanged() {}
    void SetCurrDoc(CDocument*) {}

    // The tab images, built on first use.
    CImageList* GetImageList();
    void ClearImageList();

    // The pane's children (valid once the pane window exists).
    CMaterialControl& GetMaterialControl(int nControlId);
    CMaterialButton& GetSwapButton() { return m_btnSwap; }
    CMaterialButton& GetSmallSwapButton() { return m_btnSwapSmall; }
    CMaterialButton& GetBlackWhiteButton() { return m_btnBlackWhite; }
    CXUIRectTabCtrl& GetNewTabSet() { return m_tabNew; }
    CXUIRectTabCtrl& GetClassicTabSet() { return m_tabClassic; }
    CXUIRectTabCtrl& GetVisibleTabSet() { return m_bOldStyleMatPalStyle ? m_tabClassic : m_tabNew; }
    CXUICheckBoxButton& GetApplyToAllBox() { return m_chkApplyToAll; }
    CXMFCButton& GetToolButton(UINT nCommand);
    CToolTipCtrl& GetToolTipCtrl() { return m_toolTip; }
    CRainbowPickerWnd& GetRainbowPicker() { return m_wndRainbow; }
    CHSBMapPickerWnd& GetMapPicker() { return m_wndMap; }
    CSlidersPickerWnd& GetSlidersPicker() { return m_wndSliders; }
    CFlexibleToolTipContainer& GetColorToolTip() { return m_colorToolTip; }
    // The pane's outer size when it was made, and the height its tab sets
    // are laid out with.
    CSize GetInitialSize() const { return m_sizeInitial; }
    int GetTabSetHeight() const { return m_nTabSetHeight; }
    // Docked, the pane may be made as small as 150 by 25.
    void OnAfterDock() override { SetMinSize(CSize(150, 25)); }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Runs the pane's update handlers; controls without one stay as they
    // are.
    void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHandler);

    afx_msg LRESULT OnSaveCMYKModeColor(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetCMYKModeColor(WPARAM wParam, LPARAM lParam);
    // The children's reports.
    afx_msg LRESULT OnStyleChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTextureChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMaterialChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnColorChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEnableMaterial(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSwapMaterials(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRainbowClick(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnBlackWhiteMaterials(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIconDimensionChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTextSizeChange(WPARAM wParam, LPARAM lParam);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSysColorChange();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnTabChange(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnUpdateDropper(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    // Registers a style or a texture with a material control of the pane.
    // The registrations are kept per control, so that controls made later
    // take them over.
    CErrorAutoThrow RegisterStyleWithControl(int nControlId, VMatStyle* pStyle, bool bShowInStyleMenu);
    CErrorAutoThrow RegisterTextureWithControl(int nControlId, VMatTexture* pTexture);
    SControlRegistrations* ControlRegistrations(int nControlId);
    bool ChildrenExist() const;
    void CreateMaterialControls();
    void CreateTabSets();
    void CreatePickers();
    // Places the pickers in the display area of their tab set.
    void PlacePickers();
    void AddToolTips();
    void SetMaterialControlColors();
    // Sets the foreground solid colour into the pickers.
    void RefreshPickers();
    // The pane's layout for a client size.
    void Layout(int cx, int cy);
    // Tells the host that something happened in the pane.
    void ReportEvent(LPCWSTR pszEvent);
    // Refreshes the samples of the main controls whose current style is
    // eStyle.
    void RefreshSamplesOfStyle(EMaterialStyle eStyle);
    // Pulls one side's material (bits 0x01/0x02), texture (0x04/0x08) or
    // solid-only data (0x20/0x40) from the host.
    void PullMaterial(IMaterialServices* pServices, bool bFore);
    void PullTexture(bool bFore);
    void PullSolidData(bool bFore);
    CMaterialControl& MainControl(bool bFore) { return bFore ? m_ctrlFore : m_ctrlBack; }
    CMaterialControl& SolidControl(bool bFore) { return bFore ? m_ctrlForeSolid : m_ctrlBackSolid; }
    std::vector<VMatStyle*>& SideStyles(bool bFore)
    {
        return bFore ? m_arrForegroundStyles : m_arrBackgroundStyles;
    }
    VMatTexture* SideTexture(bool bFore) const { return bFore ? m_pForegroundTexture : m_pBackgroundTexture; }

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

    // The pane's children.
    CMaterialControl m_ctrlFore;
    CMaterialControl m_ctrlBack;
    CMaterialControl m_ctrlForeSolid;
    CMaterialControl m_ctrlBackSolid;
    CMaterialButton m_btnSwap;
    CMaterialButton m_btnSwapSmall;
    CMaterialButton m_btnBlackWhite;
    CXUIRectTabCtrl m_tabNew;
    CXUIRectTabCtrl m_tabClassic;
    CXUICheckBoxButton m_chkApplyToAll;
    CXMFCButton m_btnDropper;
    CXMFCButton m_btnAddSwatch;
    CXMFCButton m_btnRemoveSwatch;
    CToolTipCtrl m_toolTip;
    CFlexibleToolTipContainer m_colorToolTip;
    // The pickers: the rainbow on the classic tab set, the map and the
    // sliders on the new one (children of their tab sets).
    CRainbowPickerWnd m_wndRainbow;
    CHSBMapPickerWnd m_wndMap;
    CSlidersPickerWnd m_wndSliders;
    std::unique_ptr<CImageList> m_pImageList;
    CBrush m_brushStatic;
    CSize m_sizeInitial;
    int m_nTabSetHeight = 0;

    // The swatch pickers of the new and the classic tab set (created with
    // the pane's children; null until then).
    CSwatchPickerWnd* m_pSwatchPicker[2] = {nullptr, nullptr};

    bool m_bNullMaterialAllowed = true;
    bool m_bForeEnabledSaved = false;
    bool m_bBackEnabledSaved = false;
    bool m_bForeTextureSaved = false;
    bool m_bBackTextureSaved = false;
    bool m_bArtMediaPropertyMode = false;
    bool m_bObjectPropertyMode = false;
    bool m_bOldStyleMatPalStyle = false;
    EMaterialStyle m_eForeStyleSaved = MATERIAL_STYLE_FIRST_REGISTERED;
    EMaterialStyle m_eBackStyleSaved = MATERIAL_STYLE_FIRST_REGISTERED;
    int m_nSwatchModeSaved = 1;
    int m_nApplyToAllSaved = BST_CHECKED;
    // CMYK values kept for the sliders picker; all -1 when empty.
    int m_aCMYKSaved[4] = {-1, -1, -1, -1};
};
