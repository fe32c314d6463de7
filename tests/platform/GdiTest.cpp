// Drawing objects and their handles: stock objects, system colours, checked
// handles, selection and deletion, saved device context states, and the
// class-library wrappers.
#include "DrawingTestSupport.h"
#include "GdiObjects.h"
#include "LastError.h"
#include "Resources.h"

#include <cstring>
#include <iterator>

namespace
{

constexpr COLORREF kRed = RGB(255, 0, 0);

} // namespace

TEST(Gdi, StockObjectsAreSharedAndOutliveDeletion)
{
    HGDIOBJ hBrush = GetStockObject(WHITE_BRUSH);
    ASSERT_NE(hBrush, nullptr);
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), hBrush);
    EXPECT_EQ(GetObjectType(hBrush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_TRUE(DeleteObject(hBrush));
    EXPECT_EQ(GetObjectType(hBrush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(GetObjectType(GetStockObject(NULL_PEN)), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(-1), nullptr);

    LOGFONTW logFont{};
    ASSERT_EQ(GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(logFont), &logFont),
              static_cast<int>(sizeof(logFont)));
    EXPECT_EQ(logFont.lfHeight, -11);
    EXPECT_STREQ(logFont.lfFaceName, L"MS Shell Dlg");
    LOGBRUSH logBrush{};
    GetObjectW(GetStockObject(GRAY_BRUSH), sizeof(logBrush), &logBrush);
    EXPECT_EQ(logBrush.lbColor, RGB(128, 128, 128));
}

TEST(Gdi, ObjectsReportWhatTheyWereMadeOf)
{
    HPEN hPen = CreatePen(PS_DASH, 3, RGB(1, 2, 3));
    LOGPEN logPen{};
    EXPECT_EQ(GetObjectW(hPen, 0, nullptr), static_cast<int>(sizeof(LOGPEN)));
    ASSERT_EQ(GetObjectW(hPen, sizeof(logPen), &logPen), static_cast<int>(sizeof(logPen)));
    EXPECT_EQ(logPen.lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_EQ(logPen.lopnWidth.x, 3);
    EXPECT_EQ(logPen.lopnColor, RGB(1, 2, 3));
    SetLastError(0);
    EXPECT_EQ(GetObjectW(hPen, 4, &logPen), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    DeleteObject(hPen);

    HBRUSH hBrush = CreateHatchBrush(HS_CROSS, RGB(4, 5, 6));
    LOGBRUSH logBrush{};
    GetObjectW(hBrush, sizeof(logBrush), &logBrush);
    EXPECT_EQ(logBrush.lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(logBrush.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));
    DeleteObject(hBrush);
    EXPECT_EQ(CreateHatchBrush(17, 0), nullptr);
    EXPECT_EQ(CreatePen(7, 1, 0), nullptr);

    HFONT hFont = CreateFontW(-14, 0, 0, 0, FW_BOLD, TRUE, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    LOGFONTW logFont{};
    GetObjectW(hFont, sizeof(logFont), &logFont);
    EXPECT_EQ(logFont.lfHeight, -14);
    EXPECT_EQ(logFont.lfWeight, FW_BOLD);
    EXPECT_EQ(logFont.lfItalic, 1);
    EXPECT_STREQ(logFont.lfFaceName, L"Tahoma");
    DeleteObject(hFont);
}

TEST(Gdi, StaleAndForgedHandlesAreRefused)
{
    HBRUSH hFirst = CreateSolidBrush(kRed);
    ASSERT_TRUE(DeleteObject(hFirst));
    SetLastError(0);
    EXPECT_FALSE(DeleteObject(hFirst));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    // A new object may take the freed place; the old handle still names nothing.
    HBRUSH hSecond = CreateSolidBrush(RGB(0, 0, 255));
    EXPECT_NE(hSecond, hFirst);
    EXPECT_EQ(GetObjectType(hFirst), 0u);
    EXPECT_EQ(GetObjectType(hSecond), static_cast<DWORD>(OBJ_BRUSH));

    CTestCanvas canvas(2, 2);
    EXPECT_EQ(SelectObject(canvas.Dc(), hFirst), nullptr);
    EXPECT_EQ(SelectObject(canvas.Dc(), reinterpret_cast<HGDIOBJ>(static_cast<ULONG_PTR>(0x1234))), nullptr);
    EXPECT_EQ(FillRect(canvas.Dc(), nullptr, hSecond), 0);
    const RECT rc{0, 0, 1, 1};
    EXPECT_EQ(FillRect(canvas.Dc(), &rc, hFirst), 0);
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255));
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(hSecond)));
    EXPECT_FALSE(DeleteObject(canvas.Dc())); // device contexts go through DeleteDC
    DeleteObject(hSecond);
}

TEST(Gdi, AnObjectDeletedWhileSelectedKeepsServingItsDeviceContext)
{
    CTestCanvas canvas(3, 3);
    HBRUSH hBrush = CreateSolidBrush(kRed);
    HGDIOBJ hOld = SelectObject(canvas.Dc(), hBrush);
    EXPECT_EQ(hOld, GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(DeleteObject(hBrush));
    EXPECT_EQ(GetObjectType(hBrush), 0u);
    PatBlt(canvas.Dc(), 0, 0, 3, 3, PATCOPY);
    EXPECT_EQ(canvas.At(1, 1), kRed);
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_BRUSH), hBrush);
    EXPECT_EQ(SelectObject(canvas.Dc(), hOld), hBrush);
}

TEST(Gdi, SystemColoursAreAFixedLightTheme)
{
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(240, 240, 240));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(0, 120, 215));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(160, 160, 160));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), RGB(105, 105, 105));
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(31), 0u);

    HBRUSH hBrush = GetSysColorBrush(COLOR_INFOBK);
    EXPECT_EQ(GetSysColorBrush(COLOR_INFOBK), hBrush);
    EXPECT_TRUE(DeleteObject(hBrush));
    LOGBRUSH logBrush{};
    ASSERT_NE(GetObjectW(hBrush, sizeof(logBrush), &logBrush), 0);
    EXPECT_EQ(logBrush.lbColor, GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(GetSysColorBrush(40), nullptr);
}

TEST(Gdi, SavedStatesComeBackByLevel)
{
    CTestCanvas canvas(2, 2);
    HDC hdc = canvas.Dc();
    SetTextColor(hdc, RGB(1, 1, 1));
    const int nFirst = SaveDC(hdc);
    EXPECT_EQ(nFirst, 1);
    SetTextColor(hdc, RGB(2, 2, 2));
    SetBkMode(hdc, TRANSPARENT);
    HPEN hPen = CreatePen(PS_SOLID, 1, kRed);
    SelectObject(hdc, hPen);
    EXPECT_EQ(SaveDC(hdc), 2);
    SetTextColor(hdc, RGB(3, 3, 3));
    EXPECT_TRUE(RestoreDC(hdc, -1));
    EXPECT_EQ(GetTextColor(hdc), RGB(2, 2, 2));
    EXPECT_EQ(GetCurrentObject(hdc, OBJ_PEN), hPen);
    EXPECT_TRUE(RestoreDC(hdc, nFirst));
    EXPECT_EQ(GetTextColor(hdc), RGB(1, 1, 1));
    EXPECT_EQ(GetBkMode(hdc), OPAQUE);
    EXPECT_EQ(GetCurrentObject(hdc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_FALSE(RestoreDC(hdc, 1));
    EXPECT_FALSE(RestoreDC(hdc, -1));
    EXPECT_FALSE(RestoreDC(hdc, 0));
    DeleteObject(hPen);
}

TEST(Gdi, AttributeSettersRefuseValuesOutOfRange)
{
    CTestCanvas canvas(2, 2);
    HDC hdc = canvas.Dc();
    EXPECT_EQ(SetROP2(hdc, R2_XORPEN), R2_COPYPEN);
    EXPECT_EQ(SetROP2(hdc, 0), 0);
    EXPECT_EQ(SetROP2(hdc, 17), 0);
    EXPECT_EQ(GetROP2(hdc), R2_XORPEN);
    EXPECT_EQ(SetBkMode(hdc, 3), 0);
    EXPECT_EQ(GetBkMode(hdc), OPAQUE);
    EXPECT_EQ(SetMapMode(hdc, 2), 0);
    EXPECT_EQ(GetMapMode(hdc), MM_TEXT);
    EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(hdc, BITSPIXEL), 32);
    EXPECT_EQ(SetTextColor(nullptr, 0), CLR_INVALID);
}

TEST(Gdi, WrappersOwnTheirHandles)
{
    HGDIOBJ hPen = nullptr;
    {
        CPen pen(PS_SOLID, 1, kRed);
        hPen = pen.m_hObject;
        ASSERT_NE(hPen, nullptr);
        EXPECT_EQ(CPen::FromHandle(static_cast<HPEN>(hPen)), &pen);
        EXPECT_EQ(pen.GetObjectType(), static_cast<UINT>(OBJ_PEN));
        EXPECT_FALSE(pen.CreatePen(PS_SOLID, 1, 0)); // it already has one
    }
    EXPECT_EQ(GetObjectType(hPen), 0u);

    // A temporary wrapper stands for a handle it does not own.
    HBRUSH hBrush = CreateSolidBrush(kRed);
    CBrush* pTemporary = CBrush::FromHandle(hBrush);
    ASSERT_NE(pTemporary, nullptr);
    EXPECT_EQ(pTemporary->m_hObject, hBrush);
    EXPECT_EQ(CBrush::FromHandle(hBrush), pTemporary);
    DeleteObject(hBrush);
    EXPECT_EQ(CBrush::FromHandle(hBrush), nullptr);

    CBrush* pStock = CBrush::FromHandle(static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ASSERT_NE(pStock, nullptr);
    LOGBRUSH logBrush{};
    pStock->GetLogBrush(&logBrush);
    EXPECT_EQ(logBrush.lbColor, RGB(0, 0, 0));

    CTestCanvas canvas(2, 2);
    CDC dc;
    dc.Attach(canvas.Dc());
    EXPECT_EQ(CDC::FromHandle(canvas.Dc()), &dc);
    CPen pen(PS_SOLID, 1, kRed);
    CPen* pOld = dc.SelectObject(&pen);
    ASSERT_NE(pOld, nullptr);
    EXPECT_EQ(pOld->m_hObject, GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.SelectObject(pOld), &pen);
    dc.Detach();
}

TEST(Gdi, PointFontsAreMeasuredAtNinetySixDotsPerInch)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(80, L"MS Shell Dlg"));
    LOGFONTW logFont{};
    font.GetLogFont(&logFont);
    EXPECT_EQ(logFont.lfHeight, -11); // 8 points: 8 * 96 / 72 = 10.67
    CFont large;
    large.CreatePointFont(120, L"Segoe UI");
    large.GetLogFont(&logFont);
    EXPECT_EQ(logFont.lfHeight, -16);
}

TEST(Gdi, RegionsGoThroughTheSameCalls)
{
    CRgn region;
    ASSERT_TRUE(region.CreateRectRgn(0, 0, 10, 10));
    EXPECT_EQ(region.GetObjectType(), static_cast<UINT>(OBJ_REGION));
    CRgn other;
    other.CreateRectRgn(5, 5, 20, 20);
    EXPECT_EQ(region.CombineRgn(&region, &other, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(region.PtInRegion(15, 15));
    CRgn* pWrapper = CRgn::FromHandle(static_cast<HRGN>(other.m_hObject));
    ASSERT_NE(pWrapper, nullptr);
    EXPECT_TRUE(pWrapper->PtInRegion(6, 6));
    HRGN hLoose = CreateRectRgn(0, 0, 1, 1);
    EXPECT_TRUE(DeleteObject(hLoose));
    EXPECT_FALSE(IsRegionHandle(hLoose));
}

TEST(Gdi, MonochromeAndEmptyBitmaps)
{
    // Rows of one bit per pixel, padded to 16 bits; a set bit is white.
    const BYTE bits[4] = {0x80, 0x00, 0x40, 0x00};
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(2, 2, 1, 1, bits));
    CTestCanvas canvas(2, 2);
    CDC source;
    source.CreateCompatibleDC(nullptr);
    CBitmap* pOld = source.SelectObject(&bitmap);
    BitBlt(canvas.Dc(), 0, 0, 2, 2, source.m_hDC, 0, 0, SRCCOPY);
    source.SelectObject(pOld);
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(0, 1), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(1, 1), RGB(255, 255, 255));

    CBitmap empty;
    ASSERT_TRUE(empty.CreateCompatibleBitmap(nullptr, 0, 5));
    BITMAP info{};
    empty.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 1);
    EXPECT_EQ(info.bmHeight, 1);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, -1, 5), nullptr);
    EXPECT_EQ(CreateBitmap(2, 2, 2, 1, nullptr), nullptr);
}

namespace
{

// A two-pixel packed DIB, as a bitmap resource holds it: header and rows.
struct SPackedDib
{
    BITMAPINFOHEADER header;
    BYTE row[8];
};
const SPackedDib kResourceDib = {{sizeof(BITMAPINFOHEADER), 2, 1, 1, 24, BI_RGB, 8, 0, 0, 0, 0},
                                 {0, 0, 255, 255, 0, 0, 0, 0}};
const SResourceEntry kBitmapEntries[] = {
    {RT_BITMAP, MAKEINTRESOURCEW(300), &kResourceDib, sizeof(kResourceDib)},
};

HBITMAP LoadFromTest(HINSTANCE, LPCWSTR lpName)
{
    return IS_INTRESOURCE(lpName) && reinterpret_cast<ULONG_PTR>(lpName) == 77
               ? CreateCompatibleBitmap(nullptr, 7, 7)
               : nullptr;
}

} // namespace

TEST(Gdi, BitmapsLoadFromResourcesOrAnInstalledLoader)
{
    RegisterResourceTable(AfxGetInstanceHandle(), kBitmapEntries,
                          static_cast<UINT>(std::size(kBitmapEntries)));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(300));
    BITMAP info{};
    bitmap.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(info.bmHeight, 1);
    SImage image;
    ASSERT_TRUE(CopyBitmapToImage(static_cast<HBITMAP>(bitmap.m_hObject), image));
    EXPECT_EQ(image.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(image.At(1, 0), 0xFF0000FFu);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(301));
    RegisterResourceTable(AfxGetInstanceHandle(), nullptr, 0);

    SetBitmapResourceLoader(&LoadFromTest);
    CBitmap loaded;
    EXPECT_TRUE(loaded.LoadBitmap(77));
    loaded.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 7);
    EXPECT_FALSE(missing.LoadBitmap(300));
    SetBitmapResourceLoader(nullptr);
}
