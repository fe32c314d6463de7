// One material of one side in the Materials pane: a sample that paints the
// material, a style menu button, a texture button and an enable button; in
// its solid-only form just a solid colour swatch. It keeps no material of
// its own beyond what it paints: user actions are posted to the pane, which
// refreshes the control from the host.
#pragma once

#include "AfxWin.h"
#include "MaterialWnd.h"
#include "MatStyle.h"
#include "MatTexture.h"
#include "MirnBitmapButton.h"
#include "VornServices.h"

#include <vector>

// The children of a material control.
#define IDC_MATCTRL_STYLE_BUTTON 101
#define IDC_MATCTRL_TEXTURE_BUTTON 102
#define IDC_MATCTRL_ENABLE_BUTTON 103
#define IDC_MATCTRL_SAMPLE 104

class CMaterialControl : public CWnd
{
    DECLARE_DYNAMIC(CMaterialControl)
public:
    CMaterialControl() = default;
    ~CMaterialControl() override = default;

    // Replaces the parent's placeholder item by the control, in its place
    // and tab order.
    BOOL Create(UINT nID, UINT nPlaceholderId, CWnd* pParent, CString strName, bool bSolidOnly,
                bool bButtonRow);
    // Takes the right and bottom edges 1 pixel in (set before Create).
    void SetInset(bool bInset) { m_bInset = bInset; }

    CErrorAutoThrow RegisterStyle(VMatStyle* pStyle, bool bShowInStyleMenu);
    CErrorAutoThrow RegisterTexture(VMatTexture* pTexture);
    // Kind 32 asks for the first registered style; false when no style of
    // the kind is registered.
    bool SetCurrStyle(EMaterialStyle eStyle, bool bSelectInMenu = true);
    bool GetCurrStyle(EMaterialStyle& eStyle) const;
    bool IsStyleRegistered(EMaterialStyle eStyle) const { return GetStyleIdx(eStyle) >= 0; }
    int GetStyleIdx(EMaterialStyle eStyle) const;
    bool IsTextureRegistered() const { return m_pTexture != nullptr || m_pParkedTexture != nullptr; }
    bool EnableStyles(int nMask, EMaterialStyle eStyle);
    void EnableMaterial(bool bEnable);
    bool IsMaterialEnabled() const;
    void EnableEnableBtn(bool bEnable);
    bool IsBtnEnabled() const;
    bool EnableTexture(bool bEnable);
    bool IsTextureOn() const;
    void ArtMediaMode(int nOn);
    void UpdateSample(bool bRecolour);
    COLORREF GetSolidColor() const { return m_sample.GetSolidColor(); }
    void GetMaterial(IMGLMaterial** ppMaterial) const { m_sample.GetMaterial(ppMaterial); }
    // The current style's and the active texture's data blocks.
    CErrorAutoThrow GetStyleData(void** ppData);
    CErrorAutoThrow SetStyleData(void* pData);
    CErrorAutoThrow GetTextureData(void** ppData);
    CErrorAutoThrow SetTextureData(void* pData);
    void GetSampleRect(CRect& rect) const { rect = m_rcSample; }
    void SetMaterialMgr(IMaterialServices* pServices) { m_pMaterialServices = pServices; }
    void SetObjectFactory(VMGLObjectFactory* pFactory) { m_pObjectFactory = pFactory; }
    void AddToolTips(CToolTipCtrl& toolTips);
    // The control's background, the frame around its sample, and the frame
    // while the control has the focus.
    void SetColors(COLORREF clrBackground, COLORREF clrFrame, COLORREF clrHighlight);
    // Lets go of every style and texture (their owner is deleting them).
    void UnregisterAll();

    bool IsSolidOnly() const { return m_bSolidOnly; }
    const std::vector<VMatStyle*>& GetStyles() const { return m_arrStyles; }
    int GetCurrIdx() const { return m_nCurrIdx; }
    VMatStyle* GetCurrStyleObject() const;
    CFlyoutBitmapButton& StyleButton() { return m_btnStyle; }
    CMirnBitmapButton& TextureButton() { return m_btnTexture; }
    CMirnBitmapButton& EnableButton() { return m_btnEnable; }
    CMaterialWnd& Sample() { return m_sample; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void Layout();
    void MakeCurrent(int nIndex);
    void PostToParent(UINT nMessage, LPARAM lParam);
    // Makes a material of the current style for the sample.
    CComPtr<IMGLMaterial> BuildMaterial();

    UINT m_nID = 0;
    CString m_strName;
    bool m_bSolidOnly = false;
    bool m_bButtonRow = false;
    bool m_bInset = false;
    std::vector<VMatStyle*> m_arrStyles; // not owned
    int m_nCurrIdx = -1;
    VMatTexture* m_pTexture = nullptr;       // active, not owned
    VMatTexture* m_pParkedTexture = nullptr; // parked in art-media mode
    CComPtr<IMaterialServices> m_pMaterialServices;
    VMGLObjectFactory* m_pObjectFactory = nullptr;
    CFlyoutBitmapButton m_btnStyle;
    CMirnBitmapButton m_btnTexture;
    CMirnBitmapButton m_btnEnable;
    CMaterialWnd m_sample;
    CRect m_rcSample;
    COLORREF m_clrBackground = RGB(0, 0, 0);
    COLORREF m_clrFrame = RGB(0, 0, 0);
    COLORREF m_clrHighlight = RGB(0, 0, 0);
    bool m_bColorsSet = false;
};
