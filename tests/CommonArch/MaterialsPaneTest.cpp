// The Materials pane with its children: what it tells the host for each
// thing the user does, how it pulls the host's materials back, and where it
// lays out its children. The host here records every call in order.
#include "FakeHostServices.h"
#include "Input.h"
#include "MGLModel.h"
#include "MatStyleArtMedia.h"
#include "MatStyleGradient.h"
#include "MatStylePattern.h"
#include "MatStyleSolid.h"
#include "MirnMaterialPalette.h"
#include "Modules.h"
#include "PaneMessages.h"
#include "Utf8.h"
#include "WindowTestSupport.h"
#include "XUIDPI.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace
{
std::wstring SideName(bool bFore)
{
    return bFore ? L"fore" : L"back";
}

// The host: current materials of both sides, and a log of every call that
// changes them or fetches their data.
class CRecordingHostBase : public CFakeAppContextBase
{
public:
    CRecordingHostBase() { m_bAnswerServices = true; }

    COLORREF m_aColor[2] = {RGB(0, 0, 0), RGB(255, 255, 255)};
    int m_aStyle[2] = {MATERIAL_STYLE_SOLID, MATERIAL_STYLE_SOLID};
    bool m_aEnabled[2] = {true, true};
    bool m_aTexture[2] = {false, false};
    // Gradient settings of each side (no cached name: not in the cache).
    CComPtr<IMGLObject> m_aGradient[2];

    static int Index(bool bFore) { return bFore ? 0 : 1; }
    static void Log(const std::wstring& str) { HostLog().push_back(str); }

    bool IsMaterialEnabled(CErrorAutoThrow&, bool bFore) override { return m_aEnabled[Index(bFore)]; }
    void EnableMaterial(CErrorAutoThrow&, bool bFore, bool bEnable) override
    {
        Log(L"EnableMaterial " + SideName(bFore) + (bEnable ? L" on" : L" off"));
        m_aEnabled[Index(bFore)] = bEnable;
    }
    void GetStyleData(CErrorAutoThrow&, int nStyle, bool bFore, void** ppData) override
    {
        Log(L"GetStyleData " + std::to_wstring(nStyle) + L" " + SideName(bFore));
        *ppData = nullptr;
        if (nStyle == MATERIAL_STYLE_SOLID)
        {
            auto* pColor = static_cast<COLORREF*>(std::malloc(sizeof(COLORREF)));
            *pColor = m_aColor[Index(bFore)];
            *ppData = pColor;
        }
        else if (nStyle == MATERIAL_STYLE_GRADIENT && m_aGradient[Index(bFore)] != nullptr)
        {
            m_aGradient[Index(bFore)]->AddRef();
            *ppData = m_aGradient[Index(bFore)].p;
        }
    }
    void GetTextureData(CErrorAutoThrow&, bool bFore, IMGLObject** pp) override
    {
        Log(L"GetTextureData " + SideName(bFore));
        *pp = nullptr;
    }
    bool IsTextureEnabled(CErrorAutoThrow&, bool bFore) override { return m_aTexture[Index(bFore)]; }
    void GetNonCachedGradient(CErrorAutoThrow&, bool bFore, IMGLGradient** pp) override
    {
        Log(L"GetNonCachedGradient " + SideName(bFore));
        *pp = nullptr;
    }
    void GetNonCachedTexture(CErrorAutoThrow&, bool bFore, CRowIterator&, CRowIterator&) override
    {
        Log(L"GetNonCachedTexture " + SideName(bFore));
    }
    void SwapColors(CErrorAutoThrow&, int nValue) override { Log(L"SwapColors " + std::to_wstring(nValue)); }
    void SwapTextures(CErrorAutoThrow&, int nValue) override
    {
        Log(L"SwapTextures " + std::to_wstring(nValue));
    }
    void BeginSwapBoth(CErrorAutoThrow&) override { Log(L"BeginSwapBoth"); }
    void EndSwapBoth(CErrorAutoThrow&) override { Log(L"EndSwapBoth"); }

    void SetMaterial(CErrorAutoThrow&, IMGLMaterial* pMaterial, bool bFore, int nRecord, int nFlags) override
    {
        Log(L"SetMaterial " + SideName(bFore) + (pMaterial != nullptr ? L" material " : L" null ") +
            std::to_wstring(nRecord) + L" " + std::to_wstring(nFlags));
    }
    void SetSolidColor(CErrorAutoThrow&, bool bFore, COLORREF clrColor) override
    {
        wchar_t szColor[16];
        swprintf(szColor, 16, L"%06X", static_cast<unsigned>(clrColor));
        Log(L"SetSolidColor " + SideName(bFore) + L" " + szColor);
        m_aColor[Index(bFore)] = clrColor;
    }
    void SetStyle(CErrorAutoThrow&, bool bFore, int nStyle) override
    {
        Log(L"SetStyle " + SideName(bFore) + L" " + std::to_wstring(nStyle));
        m_aStyle[Index(bFore)] = nStyle;
    }
    int GetStyle(CErrorAutoThrow&, bool bFore) override { return m_aStyle[Index(bFore)]; }
    void EnableTexture(CErrorAutoThrow&, bool bFore, bool bEnable) override
    {
        Log(L"EnableTexture " + SideName(bFore) + (bEnable ? L" on" : L" off"));
        m_aTexture[Index(bFore)] = bEnable;
    }
    void SwapMaterials(CErrorAutoThrow&) override { Log(L"SwapMaterials"); }
};
using CRecordingHost = TLoggingUnknown<CRecordingHostBase>;

// Records the events the pane reports.
class CEventRecorder : public TUnknownImpl<IEventRecorder>
{
public:
    void RecordEvent(CErrorAutoThrow&, LPCWSTR pszEvent) override
    {
        HostLog().push_back(L"event " + std::wstring(pszEvent));
    }
};

// Makes real host objects and logs each material made (a sample being
// rebuilt).
class CCountingObjectFactory : public VMGLObjectFactory
{
public:
    void CreateObject(CErrorAutoThrow& error, int nKind, IMGLObject** pp) override
    {
        if (nKind == 43)
            HostLog().push_back(L"material made");
        m_factory.CreateObject(error, nKind, pp);
    }
    CMGLObjectFactory m_factory;
};

class CPaneExecutionContextBase : public CFakeExecutionContextBase
{
public:
    void GetEventRecorder(CErrorAutoThrow&, IEventRecorder** pp) override
    {
        m_recorder.AddRef();
        *pp = &m_recorder;
    }
    VMGLObjectFactory* GetObjectFactory(CErrorAutoThrow&) override { return &m_counting; }
    CEventRecorder m_recorder;
    CCountingObjectFactory m_counting;
};
using CPaneExecutionContext = TLoggingUnknown<CPaneExecutionContextBase>;

class MaterialsPaneTest : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        CMirnMaterialPalette::DeleteSingleton();
        const std::wstring strPath = Utf8ToWide(RESOURCE_MODULE_FOLDER) + L"\\VornMaterialPaletteRC.DLL";
        m_hModule = LoadLibraryW(strPath.c_str());
        ASSERT_NE(m_hModule, nullptr);
        m_pLink = std::make_unique<CDynLinkLibrary>(m_hModule, m_hModule);
        m_hParent = CreateTopLevel({0, 0, 700, 800});

        m_pHost = new CRecordingHost(L"host");
        m_pExec = new CPaneExecutionContext(L"exec");
        m_pPalette = CMirnMaterialPalette::Instance();
        ASSERT_EQ(m_pPalette->Initialize(m_pHost, m_pExec, nullptr, nullptr), MIRN_ERR_NONE);
        ASSERT_TRUE(m_pPalette->InitAppService(m_pExec, CWnd::FromHandle(m_hParent)));
        // Solid, gradient and pattern in the style menus; art media not.
        m_pPalette->RegisterMatStyle(new CMatStyleSolid, new CMatStyleSolid, true);
        m_pPalette->RegisterMatStyle(new CMatStyleGradient, new CMatStyleGradient, true);
        m_pPalette->RegisterMatStyle(new CMatStylePattern, new CMatStylePattern, true);
        m_pPalette->RegisterMatStyle(new CMatStyleArtMedia, new CMatStyleArtMedia, false);
        m_pPalette->RegisterMatTexture(new CMatTexture, new CMatTexture);
        m_pPalette->MoveWindow(0, 0, 280, 650);
        m_pPalette->ShowWindow(SW_SHOW);
        PumpMessages();
        HostLog().clear();
    }
    void TearDown() override
    {
        CMirnMaterialPalette::DeleteSingleton();
        m_pHost->m_aGradient[0] = nullptr;
        m_pHost->m_aGradient[1] = nullptr;
        m_pHost->Release();
        m_pExec->Release();
        DestroyWindow(m_hParent);
        m_pLink.reset();
        FreeLibrary(m_hModule);
        CWindowTest::TearDown();
    }

    // What the host was told or asked since the last look, without the
    // references given back.
    std::vector<std::wstring> TakeLog()
    {
        std::vector<std::wstring> log;
        for (const std::wstring& str : HostLog())
        {
            if (str.find(L"released") == std::wstring::npos)
                log.push_back(str);
        }
        HostLog().clear();
        return log;
    }
    int Count(const std::vector<std::wstring>& log, const std::wstring& str)
    {
        return static_cast<int>(std::count(log.begin(), log.end(), str));
    }
    void Send(UINT nMessage, WPARAM wParam, LPARAM lParam)
    {
        m_pPalette->SendMessage(nMessage, wParam, lParam);
        PumpMessages();
    }
    void ClickWindow(CWnd& wnd)
    {
        CRect rc;
        wnd.GetWindowRect(&rc);
        InjectClick(rc.CenterPoint());
        PumpMessages();
    }
    // Clicks a material control's child (101 style, 102 texture, 103 enable,
    // 104 sample).
    void ClickChild(int nControl, int nChild)
    {
        CWnd* pChild = m_pPalette->GetMaterialControl(nControl).GetDlgItem(nChild);
        ASSERT_NE(pChild, nullptr);
        ClickWindow(*pChild);
    }
    CRect RectInPane(CWnd& wnd)
    {
        CRect rc;
        wnd.GetWindowRect(&rc);
        m_pPalette->ScreenToClient(&rc);
        return rc;
    }

    HMODULE m_hModule = nullptr;
    std::unique_ptr<CDynLinkLibrary> m_pLink;
    HWND m_hParent = nullptr;
    CRecordingHost* m_pHost = nullptr;
    CPaneExecutionContext* m_pExec = nullptr;
    CMirnMaterialPalette* m_pPalette = nullptr;
};

using Log = std::vector<std::wstring>;
} // namespace

TEST_F(MaterialsPaneTest, TheChildrenAreMadeOverTheirItemsWithTheirIdentifiers)
{
    for (int nId : {101, 102, 106, 107})
    {
        CMaterialControl& control = m_pPalette->GetMaterialControl(nId);
        ASSERT_NE(control.GetSafeHwnd(), nullptr) << nId;
        EXPECT_EQ(control.GetDlgCtrlID(), nId);
        EXPECT_EQ(control.IsSolidOnly(), nId >= 106) << nId;
    }
    // A solid pair went to four controls, the other kinds to the two main
    // ones; registration before or after the window makes no difference.
    EXPECT_EQ(m_pPalette->GetMaterialControl(101).GetStyles().size(), 4u);
    EXPECT_EQ(m_pPalette->GetMaterialControl(106).GetStyles().size(), 1u);
    EXPECT_TRUE(m_pPalette->GetMaterialControl(102).IsTextureRegistered());
    // The placeholders are gone; their identifiers belong to the children.
    EXPECT_EQ(m_pPalette->GetDlgItem(15242), nullptr);
    EXPECT_EQ(m_pPalette->GetDlgItem(15240), &m_pPalette->GetSwapButton());
    EXPECT_EQ(m_pPalette->GetDlgItem(15244), &m_pPalette->GetNewTabSet());
    EXPECT_EQ(m_pPalette->GetDlgItem(15241), &m_pPalette->GetApplyToAllBox());
    for (UINT nCommand : {15340u, 15341u, 15342u})
        EXPECT_EQ(m_pPalette->GetDlgItem(nCommand), &m_pPalette->GetToolButton(nCommand));
    EXPECT_EQ(m_pPalette->GetToolButton(15340).GetImagePath(), CString(L"ToolOptions\\Dropper.png"));

    // The new tab set shows; the classic one waits hidden.
    EXPECT_TRUE(m_pPalette->GetNewTabSet().IsWindowVisible());
    EXPECT_FALSE(m_pPalette->GetClassicTabSet().IsWindowVisible());
    ASSERT_EQ(m_pPalette->GetNewTabSet().GetTabCount(), 3);
    ASSERT_EQ(m_pPalette->GetClassicTabSet().GetTabCount(), 3);
    CString strText;
    strText.LoadString(15474);
    TCITEMW item{};
    wchar_t szText[64] = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = szText;
    item.cchTextMax = 64;
    m_pPalette->GetNewTabSet().GetItem(1, &item);
    EXPECT_EQ(CString(szText), strText);
    EXPECT_EQ(item.iImage, 0); // the map's image
    m_pPalette->GetClassicTabSet().GetItem(0, &item);
    EXPECT_EQ(item.iImage, 3); // the ring's image
    ASSERT_NE(m_pPalette->GetImageList(), nullptr);
    EXPECT_EQ(m_pPalette->GetImageList()->GetImageCount(), 4);
}

TEST_F(MaterialsPaneTest, TheLayoutPlacesTheOverlappingSquaresBelowTheTabSet)
{
    // A tall pane: the materials sit under the tab set. With TH the tab
    // set's height: the squares are 59 pixels (104 x 0.57), the foreground
    // at (14, TH + 7), the background's right edge at 14 + 59 / 0.65 = 104
    // and its bottom at TH + 7 + 104.
    m_pPalette->MoveWindow(0, 0, 280, 650);
    const int TH = m_pPalette->GetTabSetHeight();
    ASSERT_GE(650, XUIScale(60) + m_pPalette->GetInitialSize().cy) << "the pane must count as tall";
    EXPECT_EQ(RectInPane(m_pPalette->GetMaterialControl(101)), CRect(14, TH + 7, 73, TH + 66));
    EXPECT_EQ(RectInPane(m_pPalette->GetMaterialControl(102)), CRect(45, TH + 52, 104, TH + 111));
    // The solid swatches: x from 73 + 4 = 77, width (104 - 77) x 0.65 = 17;
    // y from TH + 11 to the background's top - 8, height
    // ((TH + 44) - (TH + 11)) x 0.57 = 18.
    EXPECT_EQ(RectInPane(m_pPalette->GetMaterialControl(106)), CRect(77, TH + 11, 94, TH + 29));
    EXPECT_EQ(RectInPane(m_pPalette->GetMaterialControl(107)), CRect(87, TH + 26, 104, TH + 44));
    // The tab set spans from 14 to the right edge less 15.
    EXPECT_EQ(RectInPane(m_pPalette->GetNewTabSet()), CRect(14, 0, 279 - 14, TH));
    // The black/white button sits at the foreground's left, on the
    // background's bottom; the swap button 7 left of the background, 7 below
    // the foreground.
    const CRect rcBlackWhite = RectInPane(m_pPalette->GetBlackWhiteButton());
    EXPECT_EQ(rcBlackWhite.left, 14);
    EXPECT_EQ(rcBlackWhite.bottom, TH + 111);
    const CRect rcSwap = RectInPane(m_pPalette->GetSwapButton());
    EXPECT_EQ(rcSwap.right, 45 - 7);
    EXPECT_EQ(rcSwap.top, TH + 66 + 7);

    // The background square leaves out what the foreground covers: a point
    // in the overlap belongs to the foreground.
    CPoint ptOverlap(60, TH + 60);
    m_pPalette->ClientToScreen(&ptOverlap);
    HWND hHit = ::WindowFromPoint(ptOverlap);
    EXPECT_TRUE(hHit == m_pPalette->GetMaterialControl(101).GetSafeHwnd() ||
                ::IsChild(m_pPalette->GetMaterialControl(101).GetSafeHwnd(), hHit));
}

TEST_F(MaterialsPaneTest, AShortPanePutsTheMaterialsRightOfTheTabSet)
{
    const CSize size0 = m_pPalette->GetInitialSize();
    m_pPalette->MoveWindow(0, 0, 500, size0.cy);
    // Short: matRight = 499 - 14 = 485, matLeft = 485 - W0, top 33.
    const CRect rcFore = RectInPane(m_pPalette->GetMaterialControl(101));
    EXPECT_EQ(rcFore.left, 485 - size0.cx);
    EXPECT_EQ(rcFore.top, 33);
    EXPECT_EQ(RectInPane(m_pPalette->GetNewTabSet()).right, 485 - size0.cx - 7);
}

TEST_F(MaterialsPaneTest, ChildrenReportsBecomeHostCallsOnTheirSide)
{
    Send(WM_TEXTURE_CHANGE, 101, 1);
    Send(WM_TEXTURE_CHANGE, 102, 0);
    Send(WM_COLOR_CHANGE, 107, RGB(0x12, 0x34, 0x56));
    Send(WM_RAINBOW_CLICK, RGB(1, 2, 3), 1);
    Send(WM_RAINBOW_CLICK, RGB(4, 5, 6), 0);
    EXPECT_EQ(TakeLog(),
              (Log{L"EnableTexture fore on", L"EnableTexture back off", L"SetSolidColor back 563412",
                   L"SetSolidColor fore 030201", L"SetSolidColor back 060504"}));

    // Clicking the foreground sample hands its material to the host.
    m_pPalette->GetMaterialControl(101).UpdateSample(false);
    HostLog().clear();
    ClickChild(101, 104);
    EXPECT_EQ(TakeLog(), (Log{L"SetMaterial fore material 1 0"}));
}

TEST_F(MaterialsPaneTest, AStyleChosenInAMainControlIsReportedThenSet)
{
    // Index 1 of the background list is the gradient.
    Send(WM_STYLE_CHANGE, 102, 1);
    Send(WM_STYLE_CHANGE, 101, 0);
    Send(WM_STYLE_CHANGE, 101, 2);
    // Art media has no event.
    Send(WM_STYLE_CHANGE, 101, 3);
    EXPECT_EQ(TakeLog(), (Log{L"event Edit_Materials_BackGradient", L"SetStyle back 4",
                              L"event Edit_Materials_ForeColor", L"SetStyle fore 1",
                              L"event Edit_Materials_ForePattern", L"SetStyle fore 2", L"SetStyle fore 8"}));
    // A list index out of range is ignored.
    Send(WM_STYLE_CHANGE, 101, 9);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(MaterialsPaneTest, ASolidSwatchsStyleChangeNeverReachesTheHost)
{
    Send(WM_STYLE_CHANGE, 106, 0);
    Send(WM_STYLE_CHANGE, 107, 0);
    const Log log = TakeLog();
    EXPECT_EQ(Count(log, L"SetStyle fore 1") + Count(log, L"SetStyle back 1"), 0);
    EXPECT_EQ(Count(log, L"event Edit_Materials_ForeColor"), 0);
}

TEST_F(MaterialsPaneTest, NeverBothSidesOff)
{
    CMaterialControl& fore = m_pPalette->GetMaterialControl(101);
    CMaterialControl& back = m_pPalette->GetMaterialControl(102);
    // Switching the foreground off with its enable button.
    ClickChild(101, 103);
    EXPECT_FALSE(fore.IsMaterialEnabled());
    EXPECT_FALSE(back.IsBtnEnabled());
    EXPECT_TRUE(fore.IsBtnEnabled());
    EXPECT_EQ(TakeLog(), (Log{L"EnableMaterial fore off"}));
    // And on again: both buttons work.
    ClickChild(101, 103);
    EXPECT_TRUE(fore.IsMaterialEnabled());
    EXPECT_TRUE(back.IsBtnEnabled());
    EXPECT_EQ(TakeLog(), (Log{L"EnableMaterial fore on"}));
}

TEST_F(MaterialsPaneTest, ForbiddingNullMaterialsKeepsTheStatesAndAllowingRestoresThem)
{
    CMaterialControl& fore = m_pPalette->GetMaterialControl(101);
    CMaterialControl& back = m_pPalette->GetMaterialControl(102);
    ClickChild(102, 103); // background off
    TakeLog();
    EXPECT_EQ(m_pPalette->EnableNullMaterial(false), MIRN_ERR_NONE);
    EXPECT_TRUE(fore.IsMaterialEnabled());
    EXPECT_TRUE(back.IsMaterialEnabled());
    EXPECT_FALSE(fore.IsBtnEnabled());
    EXPECT_FALSE(back.IsBtnEnabled());
    EXPECT_EQ(TakeLog(), (Log{L"EnableMaterial fore on", L"EnableMaterial back on"}));
    // The same value again changes nothing.
    m_pPalette->EnableNullMaterial(false);
    EXPECT_TRUE(TakeLog().empty());

    m_pPalette->EnableNullMaterial(true);
    EXPECT_TRUE(fore.IsMaterialEnabled());
    EXPECT_FALSE(back.IsMaterialEnabled());
    // The foreground's button follows the background's kept state (off),
    // the background's the foreground's (on).
    EXPECT_FALSE(fore.IsBtnEnabled());
    EXPECT_TRUE(back.IsBtnEnabled());
    EXPECT_EQ(TakeLog(), (Log{L"EnableMaterial fore on", L"EnableMaterial back off"}));
}

TEST_F(MaterialsPaneTest, SwapWithShiftRefreshesOnlyTexturesAndNoGradients)
{
    // The foreground shows a gradient, so a gradient refresh rebuilds it.
    m_pHost->m_aStyle[0] = MATERIAL_STYLE_GRADIENT;
    m_pPalette->GetMaterialControl(101).SetCurrStyle(MATERIAL_STYLE_GRADIENT);
    InjectKey(VK_SHIFT, true);
    PumpMessages();
    ClickWindow(m_pPalette->GetSwapButton());
    InjectKey(VK_SHIFT, false);
    PumpMessages();
    const Log log = TakeLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), L"SwapTextures 1");
    EXPECT_EQ(Count(log, L"GetTextureData fore"), 1);
    EXPECT_EQ(Count(log, L"GetTextureData back"), 1);
    EXPECT_EQ(Count(log, L"GetStyleData 1 fore"), 0);
    // Each side's texture button is set again, which rebuilds its sample
    // once; no gradient refresh follows.
    EXPECT_EQ(Count(log, L"material made"), 2);
    EXPECT_EQ(Count(log, L"SwapMaterials"), 0);
}

TEST_F(MaterialsPaneTest, SwapWithCtrlAndShiftDoesBothAndRefreshesGradients)
{
    m_pHost->m_aStyle[0] = MATERIAL_STYLE_GRADIENT;
    m_pPalette->GetMaterialControl(101).SetCurrStyle(MATERIAL_STYLE_GRADIENT);
    InjectKey(VK_CONTROL, true);
    InjectKey(VK_SHIFT, true);
    PumpMessages();
    ClickWindow(m_pPalette->GetSwapButton());
    InjectKey(VK_SHIFT, false);
    InjectKey(VK_CONTROL, false);
    PumpMessages();
    const Log log = TakeLog();
    const auto itColors = std::find(log.begin(), log.end(), L"SwapColors 1");
    const auto itTextures = std::find(log.begin(), log.end(), L"SwapTextures 1");
    ASSERT_NE(itColors, log.end());
    ASSERT_NE(itTextures, log.end());
    EXPECT_LT(itColors, itTextures);
    // The colours' refresh fetches both materials before the textures swap.
    EXPECT_LT(std::find(log.begin(), log.end(), L"GetStyleData 1 fore"), itTextures);
    EXPECT_GT(std::find(log.begin(), log.end(), L"GetTextureData fore"), itTextures);
    // Materials made: 2 for the refresh of both main controls, 2 for the
    // texture buttons, 1 for the foreground's gradient.
    EXPECT_EQ(Count(log, L"material made"), 5);
}

TEST_F(MaterialsPaneTest, PlainSwapAsksTheServicesAndTheSmallButtonSwapsBoth)
{
    ClickWindow(m_pPalette->GetSwapButton());
    Log log = TakeLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), L"SwapMaterials");
    EXPECT_EQ(Count(log, L"SwapColors 1") + Count(log, L"SwapTextures 1"), 0);

    ClickWindow(m_pPalette->GetSmallSwapButton());
    log = TakeLog();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], L"BeginSwapBoth");
    EXPECT_EQ(log[1], L"EndSwapBoth");
    EXPECT_EQ(Count(log, L"GetStyleData 1 fore"), 1);
    EXPECT_EQ(Count(log, L"GetStyleData 1 back"), 1);
}

TEST_F(MaterialsPaneTest, BlackWhiteLeavesBothSidesOnSolidBlackOverWhite)
{
    m_pHost->m_aColor[0] = RGB(200, 10, 10);
    m_pHost->m_aStyle[1] = MATERIAL_STYLE_GRADIENT;
    ClickChild(102, 103); // background off
    ClickChild(101, 102); // foreground texture on
    TakeLog();

    ClickWindow(m_pPalette->GetBlackWhiteButton());
    Log log = TakeLog();
    const Log expectedStart = {L"SetSolidColor fore 000000", L"SetSolidColor back FFFFFF",
                               L"SetStyle fore 1",           L"SetStyle back 1",
                               L"EnableTexture fore off",    L"EnableTexture back off",
                               L"EnableMaterial fore on",    L"EnableMaterial back on"};
    ASSERT_GE(log.size(), expectedStart.size());
    EXPECT_EQ(Log(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(expectedStart.size())),
              expectedStart);
    // Then both materials come back from the host.
    EXPECT_EQ(Count(log, L"GetStyleData 1 fore"), 1);
    EXPECT_EQ(Count(log, L"GetStyleData 1 back"), 1);
    EXPECT_TRUE(m_pPalette->GetMaterialControl(101).IsMaterialEnabled());
    EXPECT_TRUE(m_pPalette->GetMaterialControl(102).IsMaterialEnabled());
    EXPECT_TRUE(m_pPalette->GetMaterialControl(101).IsBtnEnabled());
    EXPECT_TRUE(m_pPalette->GetMaterialControl(102).IsBtnEnabled());
    EXPECT_EQ(m_pPalette->GetMaterialControl(106).GetSolidColor(), RGB(0, 0, 0));
    EXPECT_EQ(m_pPalette->GetMaterialControl(107).GetSolidColor(), RGB(255, 255, 255));
    EXPECT_TRUE(m_pPalette->IsNullMaterialAllowed());
}

TEST_F(MaterialsPaneTest, RefreshingPullsEachKindAndHandsOverContentNotInTheCache)
{
    m_pHost->m_aGradient[0].Attach(new CMGLGradient);
    m_pHost->m_aStyle[0] = MATERIAL_STYLE_GRADIENT;
    m_pHost->m_aColor[0] = RGB(10, 20, 30);
    m_pPalette->UpdateFromAppMaterials(UPDATE_FORE_MATERIAL);
    const Log log = TakeLog();
    // Every registered kind is fetched in registration order; the gradient
    // has no cached name, so its stops come from the host too.
    const Log fetched = {L"GetStyleData 1 fore", L"GetStyleData 4 fore", L"GetNonCachedGradient fore",
                         L"GetStyleData 2 fore", L"GetStyleData 8 fore"};
    ASSERT_GE(log.size(), fetched.size());
    EXPECT_EQ(Log(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(fetched.size())), fetched);
    EXPECT_EQ(Count(log, L"GetStyleData 1 back"), 0);
    // The host's style is made current; the samples show the new colour.
    EMaterialStyle eStyle;
    ASSERT_TRUE(m_pPalette->GetMaterialControl(101).GetCurrStyle(eStyle));
    EXPECT_EQ(eStyle, MATERIAL_STYLE_GRADIENT);
    EXPECT_EQ(m_pPalette->GetMaterialControl(106).GetSolidColor(), RGB(10, 20, 30));
    // The pane gave back its own reference: the settings are held by the
    // host, the style, and the material the foreground sample shows.
    EXPECT_EQ(RefCount(m_pHost->m_aGradient[0]), 3u);
}

TEST_F(MaterialsPaneTest, TheEnabledBitsSetTheControlsAndTheEnableButtonRule)
{
    m_pHost->m_aEnabled[1] = false;
    m_pPalette->UpdateFromAppMaterials(UPDATE_ENABLED_STATES);
    EXPECT_TRUE(m_pPalette->GetMaterialControl(101).IsMaterialEnabled());
    EXPECT_FALSE(m_pPalette->GetMaterialControl(102).IsMaterialEnabled());
    // The foreground may not go off while the background is off.
    EXPECT_FALSE(m_pPalette->GetMaterialControl(101).IsBtnEnabled());
    EXPECT_TRUE(m_pPalette->GetMaterialControl(102).IsBtnEnabled());
}

TEST_F(MaterialsPaneTest, ArtMediaModeIgnoresTextureBitsAndRestoresStylesAfterwards)
{
    m_pHost->m_aStyle[0] = MATERIAL_STYLE_PATTERN;
    m_pPalette->UpdateFromAppMaterials(UPDATE_MATERIALS);
    TakeLog();
    m_pPalette->SetArtMediaPropertyMode(true);
    Log log = TakeLog();
    EXPECT_EQ(Count(log, L"SetStyle fore 8"), 1);
    EXPECT_EQ(Count(log, L"SetStyle back 8"), 1);
    EXPECT_EQ(Count(log, L"GetTextureData fore"), 0);
    // The pane hides the texture; the host's own state stays.
    EXPECT_EQ(Count(log, L"EnableTexture fore off"), 0);
    EXPECT_FALSE(m_pPalette->GetMaterialControl(101).IsTextureOn());

    m_pPalette->UpdateFromAppMaterials(UPDATE_TEXTURES);
    EXPECT_EQ(Count(TakeLog(), L"GetTextureData fore"), 0);

    m_pPalette->SetArtMediaPropertyMode(false);
    log = TakeLog();
    EXPECT_EQ(Count(log, L"SetStyle fore 2"), 1);
    EXPECT_EQ(Count(log, L"SetStyle back 1"), 1);
    // The refresh at the end asks for the textures again; the control has
    // its texture back.
    EXPECT_EQ(Count(log, L"GetTextureData fore"), 1);
    EXPECT_TRUE(m_pPalette->GetMaterialControl(101).IsTextureRegistered());
    m_pPalette->UpdateFromAppMaterials(UPDATE_TEXTURES);
    EXPECT_EQ(Count(TakeLog(), L"GetTextureData fore"), 1);
}

TEST_F(MaterialsPaneTest, TheApplyToAllBoxIsForcedOnAndGivenBack)
{
    CXUICheckBoxButton& box = m_pPalette->GetApplyToAllBox();
    box.SetCheck(BST_UNCHECKED);
    EXPECT_FALSE(m_pPalette->GetApplyToAllState());
    m_pPalette->DisableAllTools();
    EXPECT_TRUE(m_pPalette->GetApplyToAllState());
    EXPECT_FALSE(box.IsWindowEnabled());
    m_pPalette->EnableAllTools();
    EXPECT_FALSE(m_pPalette->GetApplyToAllState());
    EXPECT_TRUE(box.IsWindowEnabled());
}

TEST_F(MaterialsPaneTest, TheClassicLayoutShowsItsOwnTabSetAndTheSwatchTabCanBeShown)
{
    m_pPalette->ChangeMatPalStyle(true);
    EXPECT_TRUE(m_pPalette->GetClassicTabSet().IsWindowVisible());
    EXPECT_FALSE(m_pPalette->GetNewTabSet().IsWindowVisible());
    // Showing the swatches activates tab 2 of the classic set; hiding them
    // while active goes to tab 0.
    m_pPalette->ShowSwatchTab(true);
    EXPECT_EQ(m_pPalette->GetClassicTabSet().GetActiveTab(), 2);
    m_pPalette->ShowSwatchTab(false);
    EXPECT_EQ(m_pPalette->GetClassicTabSet().GetActiveTab(), 0);

    m_pPalette->ChangeMatPalStyle(false);
    EXPECT_TRUE(m_pPalette->GetNewTabSet().IsWindowVisible());
    // In the new set the swatches are tab 0; hiding them goes to tab 1.
    m_pPalette->ShowSwatchTab(true);
    m_pPalette->ShowSwatchTab(false);
    EXPECT_EQ(m_pPalette->GetNewTabSet().GetActiveTab(), 1);
}

TEST_F(MaterialsPaneTest, ChoosingATabReportsItsEventAndRemoveSwatchComesAndGoes)
{
    m_pPalette->GetNewTabSet().SetCurSel(2);
    NMHDR notify{m_pPalette->GetNewTabSet().GetSafeHwnd(), CMirnMaterialPalette::kTabSetItem,
                 static_cast<UINT>(TCN_SELCHANGE)};
    Send(WM_NOTIFY, CMirnMaterialPalette::kTabSetItem, reinterpret_cast<LPARAM>(&notify));
    Send(WM_COMMAND, 15429, 0);
    Send(WM_COMMAND, 15474, 0);
    EXPECT_EQ(TakeLog(), (Log{L"event Edit_Materials_Sliders", L"event Edit_Materials_Swatches",
                              L"event Edit_Materials_HSLMap"}));
    Send(WM_COMMAND, 15954, 0);
    EXPECT_FALSE(m_pPalette->GetToolButton(15342).IsWindowVisible());
    Send(WM_COMMAND, 15953, 0);
    EXPECT_TRUE(m_pPalette->GetToolButton(15342).IsWindowVisible());
}

TEST_F(MaterialsPaneTest, WithoutMaterialServicesTheHandlersDoNothing)
{
    m_pHost->m_bAnswerServices = false;
    Send(WM_COLOR_CHANGE, 106, RGB(1, 2, 3));
    Send(WM_STYLE_CHANGE, 101, 1);
    Send(WM_TEXTURE_CHANGE, 101, 1);
    Send(WM_BLACK_WHITE_MATERIALS, 0, 0);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(MaterialsPaneTest, TheDropperIsAlwaysAvailableAndOtherControlsAreLeftAlone)
{
    CXMFCButton& dropper = m_pPalette->GetToolButton(15340);
    CXMFCButton& add = m_pPalette->GetToolButton(15341);
    dropper.EnableWindow(FALSE);
    add.EnableWindow(FALSE);
    m_pPalette->OnUpdateCmdUI(nullptr, TRUE);
    EXPECT_TRUE(dropper.IsWindowEnabled());
    EXPECT_FALSE(add.IsWindowEnabled());
    EXPECT_TRUE(m_pPalette->GetApplyToAllState()); // checked from the start
}

TEST_F(MaterialsPaneTest, ThePickersShowTheForegroundColourAfterEachRefresh)
{
    m_pHost->m_aColor[0] = RGB(255, 0, 0);
    m_pPalette->UpdateFromAppMaterials(UPDATE_FORE_MATERIAL);
    // Red: the sliders' RGB values and the map's colour follow.
    const SliderValueBlock& values = m_pPalette->GetSlidersPicker().GetValues();
    EXPECT_EQ(values[1], 255);
    EXPECT_EQ(values[2], 0);
    EXPECT_EQ(values[3], 0);
    EXPECT_EQ(m_pPalette->GetMapPicker().GetColor(), RGB(255, 0, 0));
    // The pickers sit on their tab sets and report to the pane.
    EXPECT_EQ(m_pPalette->GetMapPicker().GetParent(), &m_pPalette->GetNewTabSet());
    EXPECT_EQ(m_pPalette->GetRainbowPicker().GetParent(), &m_pPalette->GetClassicTabSet());
}

TEST_F(MaterialsPaneTest, APickerClickSetsTheSideItWasClickedWith)
{
    // The rainbow on the classic tab set: a left click sets the foreground
    // to the pixel's colour, a right click the background.
    m_pPalette->ChangeMatPalStyle(true);
    m_pPalette->GetClassicTabSet().SetActiveTab(1);
    PumpMessages();
    CRainbowPickerWnd& rainbow = m_pPalette->GetRainbowPicker();
    ASSERT_TRUE(rainbow.IsWindowVisible());
    CRect rc;
    rainbow.GetWindowRect(&rc);
    const CPoint ptClient(rc.Width() / 2, rc.Height() / 4);
    CPoint ptScreen = ptClient;
    rainbow.ClientToScreen(&ptScreen);
    InjectClick(ptScreen);
    PumpMessages();
    InjectClick(ptScreen, EMouseButton::Right);
    PumpMessages();
    const COLORREF clrPixel = rainbow.GetColorAtPoint(ptClient);
    wchar_t szColor[16];
    swprintf(szColor, 16, L"%06X", static_cast<unsigned>(clrPixel));
    const Log log = TakeLog();
    EXPECT_EQ(Count(log, L"SetSolidColor fore " + std::wstring(szColor)), 1);
    EXPECT_EQ(Count(log, L"SetSolidColor back " + std::wstring(szColor)), 1);
}

TEST_F(MaterialsPaneTest, TheSlidersCMYKValuesAreReadOnlyWhenAllowedAndForgottenOutsideCMYK)
{
    CSlidersPickerWnd& sliders = m_pPalette->GetSlidersPicker();
    sliders.SetModel(3); // CMYK
    PumpMessages();
    const LRESULT lAllowed = m_pPalette->SendMessage(WM_GET_CMYK_MODE_COLOR, 0, 1);
    ASSERT_NE(lAllowed, 0);
    int aExpected[4] = {};
    ASSERT_TRUE(sliders.GetCMYKValues(aExpected));
    const int* pValues = reinterpret_cast<const int*>(lAllowed);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(pValues[i], aExpected[i]) << i;
    EXPECT_EQ(m_pPalette->SendMessage(WM_GET_CMYK_MODE_COLOR, 0, 0), 0) << "not allowed to read the sliders";

    // Kept values come first; the block the sliders send outside CMYK
    // forgets them.
    int aKept[4] = {10, 20, 30, 40};
    m_pPalette->SendMessage(WM_SAVE_CMYK_MODE_COLOR, 106, reinterpret_cast<LPARAM>(aKept));
    int aForget[4] = {-1, 0, 0, 0};
    m_pPalette->SendMessage(WM_SAVE_CMYK_MODE_COLOR, 106, reinterpret_cast<LPARAM>(aForget));
    sliders.SetModel(1); // RGB: nothing to read either
    PumpMessages();
    m_pPalette->SendMessage(WM_SAVE_CMYK_MODE_COLOR, 106, reinterpret_cast<LPARAM>(aForget));
    EXPECT_EQ(m_pPalette->SendMessage(WM_GET_CMYK_MODE_COLOR, 0, 1), 0);
}
