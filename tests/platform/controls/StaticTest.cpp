// The "Static" class: hit-testing and notifications, text layout styles,
// rectangles and frames, the parent's colours, bitmaps and owner drawing.
#include "ControlTestSupport.h"

namespace
{

constexpr COLORREF kFace = RGB(240, 240, 240);
constexpr COLORREF kDarkShadow = RGB(105, 105, 105);
constexpr COLORREF kShadow = RGB(160, 160, 160);
constexpr COLORREF kHighlight = RGB(255, 255, 255);

class CStaticTest : public CControlTest
{
protected:
    HWND MakeStatic(const wchar_t* pszText, DWORD dwStyle, RECT rc, int nID = 50)
    {
        return MakeControl(L"STATIC", pszText, dwStyle, rc, nID);
    }
};

// ---------------------------------------------------------------------------
// The mouse

TEST_F(CStaticTest, OnlyNotifyingStaticsTakeTheMouse)
{
    HWND hPlain = MakeStatic(L"Label", SS_LEFT, {10, 10, 110, 30}, 1);
    HWND hNotify = MakeStatic(L"Link", SS_LEFT | SS_NOTIFY, {10, 40, 110, 60}, 2);
    EXPECT_EQ(SendMessageW(hPlain, WM_NCHITTEST, 0, MAKELPARAM(115, 115)), HTTRANSPARENT);
    EXPECT_EQ(SendMessageW(hNotify, WM_NCHITTEST, 0, MAKELPARAM(115, 145)), HTCLIENT);
    EXPECT_EQ(SendMessageW(hPlain, WM_GETDLGCODE, 0, 0), DLGC_STATIC);

    InjectClick(OnScreen(hPlain, 5, 5));
    PumpMessages();
    // The click went through the label to the parent.
    EXPECT_GE(IndexOf(m_hParent, WM_LBUTTONDOWN), 0);
    EXPECT_TRUE(Commands().empty());

    AdvanceClock(5000);
    InjectClick(OnScreen(hNotify, 5, 5));
    InjectClick(OnScreen(hNotify, 5, 5));
    PumpMessages();
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{2, STN_CLICKED}, {2, STN_DBLCLK}}));

    RecordedMessages().clear();
    EnableWindow(hNotify, FALSE);
    EnableWindow(hNotify, TRUE);
    EnableWindow(hPlain, FALSE);
    EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{2, STN_DISABLE}, {2, STN_ENABLE}}));
}

// ---------------------------------------------------------------------------
// Rectangles and frames

TEST_F(CStaticTest, RectanglesFillWithTheirColour)
{
    const std::vector<std::pair<DWORD, COLORREF>> cases = {
        {SS_BLACKRECT, kDarkShadow}, {SS_GRAYRECT, kShadow}, {SS_WHITERECT, kHighlight}};
    for (const auto& [dwStyle, colour] : cases)
    {
        HWND hRect = MakeStatic(L"", dwStyle, {0, 0, 20, 10});
        const SImage image = Print(hRect);
        EXPECT_EQ(PixelOf(image, 0, 0), colour) << dwStyle;
        EXPECT_EQ(PixelOf(image, 10, 5), colour) << dwStyle;
        EXPECT_EQ(PixelOf(image, 19, 9), colour) << dwStyle;
    }
}

TEST_F(CStaticTest, FramesDrawOnlyTheirBorder)
{
    HWND hGray = MakeStatic(L"", SS_GRAYFRAME, {0, 0, 20, 10});
    SImage image = Print(hGray);
    EXPECT_EQ(PixelOf(image, 0, 0), kShadow);
    EXPECT_EQ(PixelOf(image, 19, 9), kShadow);
    EXPECT_EQ(PixelOf(image, 10, 5), kFace);

    HWND hBlack = MakeStatic(L"", SS_BLACKFRAME, {0, 0, 20, 10});
    image = Print(hBlack);
    EXPECT_EQ(PixelOf(image, 10, 0), kDarkShadow);
    EXPECT_EQ(PixelOf(image, 10, 1), kFace);

    // Etched: a sunken outer line (shadow at the top and left, white at the
    // bottom and right) and a raised inner one (the other way round).
    HWND hEtched = MakeStatic(L"", SS_ETCHEDFRAME, {0, 0, 20, 10});
    image = Print(hEtched);
    EXPECT_EQ(PixelOf(image, 0, 5), kShadow);
    EXPECT_EQ(PixelOf(image, 1, 5), kHighlight);
    EXPECT_EQ(PixelOf(image, 10, 9), kHighlight);
    EXPECT_EQ(PixelOf(image, 10, 8), kShadow);
    EXPECT_EQ(PixelOf(image, 10, 5), kFace);
}

TEST_F(CStaticTest, EtchedLinesAndSunkenEdge)
{
    HWND hHorz = MakeStatic(L"", SS_ETCHEDHORZ, {0, 0, 40, 10});
    SImage image = Print(hHorz);
    EXPECT_EQ(PixelOf(image, 5, 0), kShadow);
    EXPECT_EQ(PixelOf(image, 5, 1), kHighlight);
    EXPECT_EQ(PixelOf(image, 5, 5), kFace);
    EXPECT_EQ(PixelOf(image, 0, 5), kFace);

    HWND hVert = MakeStatic(L"", SS_ETCHEDVERT, {0, 0, 10, 40});
    image = Print(hVert);
    EXPECT_EQ(PixelOf(image, 0, 5), kShadow);
    EXPECT_EQ(PixelOf(image, 1, 5), kHighlight);
    EXPECT_EQ(PixelOf(image, 5, 0), kFace);

    HWND hSunken = MakeStatic(L"", SS_LEFT | SS_SUNKEN, {0, 0, 40, 20});
    image = Print(hSunken);
    EXPECT_EQ(PixelOf(image, 5, 0), kShadow);
    EXPECT_EQ(PixelOf(image, 0, 5), kShadow);
    EXPECT_EQ(PixelOf(image, 5, 19), kHighlight);
    EXPECT_EQ(PixelOf(image, 39, 5), kHighlight);
    EXPECT_EQ(PixelOf(image, 5, 5), kFace);
}

// ---------------------------------------------------------------------------
// Text

TEST_F(CStaticTest, HorizontalAlignment)
{
    const RECT rcLeft = DarkBounds(Print(MakeStatic(L"Hi", SS_LEFT, {0, 0, 200, 20})), 128);
    const RECT rcCentre = DarkBounds(Print(MakeStatic(L"Hi", SS_CENTER, {0, 0, 200, 20})), 128);
    const RECT rcRight = DarkBounds(Print(MakeStatic(L"Hi", SS_RIGHT, {0, 0, 200, 20})), 128);
    ASSERT_GT(rcLeft.right, rcLeft.left);
    EXPECT_LT(rcLeft.left, 4);
    EXPECT_NEAR((rcCentre.left + rcCentre.right) / 2, 100, 3);
    EXPECT_GT(rcRight.right, 195);
    // The same text at three places: the same width each time.
    EXPECT_EQ(rcLeft.right - rcLeft.left, rcRight.right - rcRight.left);
}

TEST_F(CStaticTest, CentreImageCentresTextVertically)
{
    const RECT rcTop = DarkBounds(Print(MakeStatic(L"Hi", SS_LEFT, {0, 0, 100, 60})), 128);
    const RECT rcMiddle =
        DarkBounds(Print(MakeStatic(L"Hi", SS_LEFT | SS_CENTERIMAGE, {0, 0, 100, 60})), 128);
    EXPECT_LT(rcTop.top, 6);
    EXPECT_NEAR((rcMiddle.top + rcMiddle.bottom) / 2, 30, 4);
}

TEST_F(CStaticTest, PrefixesUnlessNoPrefix)
{
    // "&&" shows one ampersand, so it draws as "&" does without prefixes.
    const RECT rcDouble = DarkBounds(Print(MakeStatic(L"&&", SS_LEFT, {0, 0, 100, 20})), 128);
    const RECT rcSingle = DarkBounds(Print(MakeStatic(L"&", SS_LEFT | SS_NOPREFIX, {0, 0, 100, 20})), 128);
    ASSERT_GT(rcSingle.right, rcSingle.left);
    EXPECT_EQ(rcDouble.left, rcSingle.left);
    EXPECT_EQ(rcDouble.right, rcSingle.right);
    EXPECT_EQ(rcDouble.top, rcSingle.top);

    // "&W" is an underlined W with prefixes and two characters without.
    const RECT rcMnemonic = DarkBounds(Print(MakeStatic(L"&W", SS_LEFT, {0, 0, 100, 20})), 128);
    const RECT rcLiteral = DarkBounds(Print(MakeStatic(L"&W", SS_LEFT | SS_NOPREFIX, {0, 0, 100, 20})), 128);
    EXPECT_GT(rcLiteral.right - rcLiteral.left, rcMnemonic.right - rcMnemonic.left);
    // The underline reaches below the letter.
    const RECT rcPlainW = DarkBounds(Print(MakeStatic(L"W", SS_LEFT, {0, 0, 100, 20})), 128);
    EXPECT_GT(rcMnemonic.bottom, rcPlainW.bottom);
}

TEST_F(CStaticTest, WrappingAndEndEllipsis)
{
    const wchar_t* pszLong = L"one two three four five six seven";
    const RECT rcWrapped = DarkBounds(Print(MakeStatic(pszLong, SS_LEFT, {0, 0, 60, 80})), 128);
    const RECT rcShort =
        DarkBounds(Print(MakeStatic(pszLong, SS_LEFT | SS_ENDELLIPSIS, {0, 0, 60, 80})), 128);
    const RECT rcNoWrap = DarkBounds(Print(MakeStatic(pszLong, SS_LEFTNOWORDWRAP, {0, 0, 60, 80})), 128);
    const RECT rcOneLine = DarkBounds(Print(MakeStatic(L"one", SS_LEFT, {0, 0, 60, 80})), 128);
    // Wrapped, the words take several lines; shortened or unwrapped, one.
    EXPECT_GT(rcWrapped.bottom, rcOneLine.bottom + 10);
    EXPECT_LE(rcShort.bottom, rcOneLine.bottom + 1);
    EXPECT_LE(rcNoWrap.bottom, rcOneLine.bottom + 1);
    // Unwrapped text runs to the edge; the ellipsis keeps inside it too.
    EXPECT_GE(rcNoWrap.right, 58);
}

TEST_F(CStaticTest, NewTextIsRepainted)
{
    HWND hLabel = MakeStatic(L"Before", SS_LEFT, {0, 0, 100, 20});
    PumpMessages();
    RECT rcUpdate{};
    EXPECT_FALSE(GetUpdateRect(hLabel, &rcUpdate, FALSE));
    SetWindowTextW(hLabel, L"After");
    EXPECT_TRUE(GetUpdateRect(hLabel, &rcUpdate, FALSE));
    EXPECT_EQ(rcUpdate.right, 100);
    EXPECT_EQ(rcUpdate.bottom, 20);
}

TEST_F(CStaticTest, DisabledTextIsGrey)
{
    HWND hLabel = MakeStatic(L"Wide label", SS_LEFT, {0, 0, 100, 20});
    EXPECT_LT(DarkestLevel(Print(hLabel), RECT{0, 0, 100, 20}), 60);
    EnableWindow(hLabel, FALSE);
    const int nDarkest = DarkestLevel(Print(hLabel), RECT{0, 0, 100, 20});
    EXPECT_GE(nDarkest, 109);
    EXPECT_LT(nDarkest, 200);
}

TEST_F(CStaticTest, ParentChoosesBrushAndTextBackground)
{
    HWND hLabel = MakeStatic(L"WWW", SS_LEFT, {0, 0, 100, 20});
    HBRUSH hRed = CreateSolidBrush(RGB(255, 0, 0));
    bool bTransparent = false;
    Reactions()[m_hParent] = [&](HWND, UINT nMessage, WPARAM wParam, LPARAM, LRESULT& lResult)
    {
        if (nMessage != WM_CTLCOLORSTATIC)
            return false;
        auto hdc = reinterpret_cast<HDC>(wParam);
        SetBkColor(hdc, RGB(0, 0, 255));
        SetBkMode(hdc, bTransparent ? TRANSPARENT : OPAQUE);
        lResult = reinterpret_cast<LRESULT>(hRed);
        return true;
    };
    auto countBlue = [](const SImage& image)
    {
        int nCount = 0;
        for (LONG y = 0; y < image.nHeight; ++y)
            for (LONG x = 0; x < image.nWidth; ++x)
                nCount += ColourOf(image.At(x, y)) == RGB(0, 0, 255) ? 1 : 0;
        return nCount;
    };
    SImage image = Print(hLabel);
    EXPECT_EQ(PixelOf(image, 99, 19), RGB(255, 0, 0));
    EXPECT_GT(countBlue(image), 0);
    bTransparent = true;
    image = Print(hLabel);
    EXPECT_EQ(PixelOf(image, 99, 19), RGB(255, 0, 0));
    EXPECT_EQ(countBlue(image), 0);
    Reactions().clear();
    DeleteObject(hRed);
}

// ---------------------------------------------------------------------------
// Images and owner drawing

TEST_F(CStaticTest, BitmapStaticTakesTheBitmapsSize)
{
    HWND hPicture = MakeStatic(L"", SS_BITMAP, {0, 0, 50, 50});
    HBITMAP hBitmap = MakeSolidBitmap(16, 10, RGB(255, 0, 0));
    EXPECT_EQ(SendMessageW(hPicture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)), 0);
    EXPECT_EQ(SendMessageW(hPicture, STM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(hBitmap));
    RECT rc{};
    GetClientRect(hPicture, &rc);
    EXPECT_EQ(rc.right, 16);
    EXPECT_EQ(rc.bottom, 10);
    const SImage image = Print(hPicture);
    EXPECT_EQ(PixelOf(image, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(image, 15, 9), RGB(255, 0, 0));
    EXPECT_EQ(SendMessageW(hPicture, STM_SETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(hBitmap));
    DeleteObject(hBitmap);
}

TEST_F(CStaticTest, CentredBitmapKeepsTheSizeAndFillsWithItsCornerColour)
{
    HWND hPicture = MakeStatic(L"", SS_BITMAP | SS_CENTERIMAGE, {0, 0, 40, 30});
    HBITMAP hBitmap = MakeSolidBitmap(10, 10, RGB(255, 0, 0));
    {
        HDC hdc = CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = SelectObject(hdc, hBitmap);
        SetPixel(hdc, 0, 0, RGB(0, 128, 0));
        SelectObject(hdc, hOld);
        DeleteDC(hdc);
    }
    SendMessageW(hPicture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap));
    RECT rc{};
    GetClientRect(hPicture, &rc);
    EXPECT_EQ(rc.right, 40);
    // The bitmap covers 15..25 x 10..20; around it, its corner's green.
    const SImage image = Print(hPicture);
    EXPECT_EQ(PixelOf(image, 0, 0), RGB(0, 128, 0));
    EXPECT_EQ(PixelOf(image, 15, 10), RGB(0, 128, 0));
    EXPECT_EQ(PixelOf(image, 16, 10), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(image, 24, 19), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(image, 25, 19), RGB(0, 128, 0));
    DestroyWindow(hPicture);
    DeleteObject(hBitmap);
}

TEST_F(CStaticTest, IconsAreKeptAndAnsweredBack)
{
    HWND hIcon = MakeStatic(L"", SS_ICON, {0, 0, 32, 32});
    const auto hFirst = reinterpret_cast<HICON>(static_cast<UINT_PTR>(0x1234));
    const auto hSecond = reinterpret_cast<HICON>(static_cast<UINT_PTR>(0x5678));
    EXPECT_EQ(SendMessageW(hIcon, STM_SETICON, reinterpret_cast<WPARAM>(hFirst), 0), 0);
    EXPECT_EQ(SendMessageW(hIcon, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hSecond)),
              reinterpret_cast<LRESULT>(hFirst));
    EXPECT_EQ(SendMessageW(hIcon, STM_GETICON, 0, 0), reinterpret_cast<LRESULT>(hSecond));
    EXPECT_EQ(SendMessageW(hIcon, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST_F(CStaticTest, OwnerDrawAsksTheParent)
{
    HWND hOwner = MakeStatic(L"", SS_OWNERDRAW, {0, 0, 30, 20}, 77);
    std::vector<DRAWITEMSTRUCT> draws;
    Reactions()[m_hParent] = [&draws](HWND, UINT nMessage, WPARAM, LPARAM lParam, LRESULT& lResult)
    {
        if (nMessage != WM_DRAWITEM)
            return false;
        draws.push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        lResult = TRUE;
        return true;
    };
    Print(hOwner);
    EnableWindow(hOwner, FALSE);
    Print(hOwner);
    Reactions().clear();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].CtlType, static_cast<UINT>(ODT_STATIC));
    EXPECT_EQ(draws[0].CtlID, 77u);
    EXPECT_EQ(draws[0].itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(draws[0].itemState, 0u);
    EXPECT_EQ(draws[0].rcItem.right, 30);
    EXPECT_EQ(draws[1].itemState, static_cast<UINT>(ODS_DISABLED));
}

TEST_F(CStaticTest, WrapperSetsTextAndBitmap)
{
    CStatic label;
    ASSERT_TRUE(label.Create(L"Size:", WS_CHILD | WS_VISIBLE | SS_LEFT, RECT{0, 0, 60, 20},
                             CWnd::FromHandle(m_hParent), 12));
    EXPECT_TRUE(label.IsKindOf(RUNTIME_CLASS(CStatic)));
    EXPECT_EQ(label.GetDlgCtrlID(), 12);
    label.SetWindowText(L"Width:");
    CString strText;
    label.GetWindowText(strText);
    EXPECT_EQ(strText, CString(L"Width:"));
    HBITMAP hBitmap = MakeSolidBitmap(4, 4, RGB(0, 0, 0));
    EXPECT_EQ(label.SetBitmap(hBitmap), nullptr);
    EXPECT_EQ(label.GetBitmap(), hBitmap);
    label.DestroyWindow();
    DeleteObject(hBitmap);
}

} // namespace
