// A dockable pane made from a dialog template, and the docking site of a
// frame window that lays such panes along its left or right edge with a
// caption strip above each.
#pragma once

#include "AfxWin.h"

#include <memory>
#include <vector>

// Control-bar styles. The low word and the gripper bit of a pane's style are
// bar styles, the rest window styles.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_FLYBY 0x0020L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ALL 0x0040FFFFL

class CXUIDockSite;

class CXUIPaletteDialog : public CDialog
{
    DECLARE_DYNAMIC(CXUIPaletteDialog)
public:
    CXUIPaletteDialog();
    ~CXUIPaletteDialog() override;
    using CDialog::Create;

    // Creates the pane as a child of the parent from the dialog template.
    // The bar-style bits of dwStyle (CBRS_ALL) are kept as the pane's bar
    // style; the others become the window style. The window is hidden until
    // the pane is docked or shown.
    virtual BOOL Create(LPCWSTR lpszCaption, CWnd* pParentWnd, BOOL bHasGripper, LPCWSTR lpszTemplateName,
                        UINT nStyle, UINT nID, DWORD dwTabbedStyle, DWORD dwControlBarStyle);

    // The edges the pane may be docked at (CBRS_ALIGN_... bits).
    void EnableDocking(DWORD dwAlignment) { m_dwEnabledAlignment = dwAlignment & CBRS_ALIGN_ANY; }
    DWORD GetEnabledAlignment() const { return m_dwEnabledAlignment; }
    bool CanDockAt(DWORD dwAlignment) const;

    DWORD GetPaneStyle() const { return m_dwBarStyle; }
    DWORD GetControlBarStyle() const { return m_dwControlBarStyle; }
    DWORD GetTabbedStyle() const { return m_dwTabbedStyle; }
    BOOL HasGripper() const { return m_bHasGripper; }
    const CString& GetCaption() const { return m_strCaption; }

    // Shows or hides the pane (and its caption strip), and lets the docking
    // site lay out the frame again.
    virtual void ShowPane(BOOL bShow, BOOL bDelay = FALSE, BOOL bActivate = TRUE);
    BOOL IsPaneVisible() const;

    CXUIDockSite* GetDockSite() const { return m_pDockSite; }
    // The smallest size the docking site gives the pane (0 for no limit).
    void SetMinSize(CSize size) { m_sizeMin = size; }
    CSize GetMinSize() const { return m_sizeMin; }
    // Called by the docking site once the pane is docked.
    virtual void OnAfterDock() {}

protected:
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    friend class CXUIDockSite;

    std::unique_ptr<SDialogTemplate> m_pTemplate; // the template with the pane's own style
    CString m_strCaption;
    BOOL m_bHasGripper = FALSE;
    DWORD m_dwBarStyle = 0;
    DWORD m_dwTabbedStyle = 0;
    DWORD m_dwControlBarStyle = 0;
    DWORD m_dwEnabledAlignment = 0;
    CXUIDockSite* m_pDockSite = nullptr;
    CSize m_sizeMin;
};

// The strip above a docked pane: a gripper and the pane's caption.
class CXUIPaneCaption : public CWnd
{
    DECLARE_DYNAMIC(CXUIPaneCaption)
public:
    explicit CXUIPaneCaption(CXUIPaletteDialog* pPane) : m_pPane(pPane) {}
    BOOL Create(CWnd* pParent);

    // The height of the strip in pixels.
    static constexpr int kHeight = 18;
    static constexpr COLORREF kBackground = RGB(83, 83, 83);
    static constexpr COLORREF kText = RGB(235, 235, 235);
    static constexpr COLORREF kGripper = RGB(150, 150, 150);

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CXUIPaletteDialog* m_pPane;
};

// The docking side of a frame window. It follows the frame's size (through a
// window procedure placed in front of the frame's) and lays each docked pane
// along its edge: the caption strip at the top (for a pane with a gripper),
// the pane below, over the frame's full client height. Panes docked at the
// same edge stand side by side, the first docked outermost.
class CXUIDockSite
{
public:
    explicit CXUIDockSite(CWnd* pFrame);
    ~CXUIDockSite();
    CXUIDockSite(const CXUIDockSite&) = delete;
    CXUIDockSite& operator=(const CXUIDockSite&) = delete;

    // Docks the pane at the left (CBRS_ALIGN_LEFT) or right (CBRS_ALIGN_RIGHT)
    // edge with a width in pixels, shows it and lays the frame out. False
    // when the pane has no window, is not a child of the frame, may not dock
    // at that edge, or the alignment is not one edge.
    bool DockPane(CXUIPaletteDialog* pPane, DWORD dwAlignment, int nWidth);
    // Takes the pane off the site (its window is hidden, not destroyed).
    void UndockPane(CXUIPaletteDialog* pPane);
    bool IsDocked(const CXUIPaletteDialog* pPane) const;
    void SetPaneWidth(CXUIPaletteDialog* pPane, int nWidth);

    // Places every visible docked pane in the frame's client area.
    void RecalcLayout();
    // What the docked panes leave of the frame's client area.
    CRect GetFreeRect() const { return m_rcFree; }
    // A child of the frame (the document area) that the site keeps in the
    // free rectangle whenever it lays the frame out; null for none.
    void SetFreeAreaWindow(HWND hWnd)
    {
        m_hFreeWindow = hWnd;
        RecalcLayout();
    }
    CWnd* GetFrame() const { return m_pFrame; }
    // The caption strip of a docked pane, or null.
    CXUIPaneCaption* GetCaption(const CXUIPaletteDialog* pPane) const;

private:
    struct SDockedPane
    {
        CXUIPaletteDialog* pPane;
        DWORD dwAlignment;
        int nWidth;
        std::unique_ptr<CXUIPaneCaption> pCaption;
    };
    static LRESULT CALLBACK FrameProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    SDockedPane* Find(const CXUIPaletteDialog* pPane);
    const SDockedPane* Find(const CXUIPaletteDialog* pPane) const;

    CWnd* m_pFrame;
    HWND m_hFrame;
    WNDPROC m_pfnFrameProc = nullptr;
    std::vector<SDockedPane> m_arrPanes;
    CRect m_rcFree;
    HWND m_hFreeWindow = nullptr;
};
