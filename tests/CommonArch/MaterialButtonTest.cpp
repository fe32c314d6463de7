// The pane's bitmap buttons: sized to their bitmap, painted at the top right
// on the pane's background, posting their message when clicked.
#include "Input.h"
#include "MaterialButton.h"
#include "Modules.h"
#include "Utf8.h"
#include "WindowTestSupport.h"
#include "XUIVisualManager.h"

#include <memory>

namespace
{
constexpr UINT kSwapMessage = 0x809E;

// A 3 x 2 bitmap drawn the old way: light grey background, black glyph,
// one red pixel that keeps its colour.
HBITMAP LoadTestBitmap(HINSTANCE, LPCWSTR lpName)
{
    if (lpName != MAKEINTRESOURCEW(15999))
        return nullptr;
    const DWORD pixels[] = {0x00C0C0C0, 0x00000000, 0x00FF0000, 0x00C0C0C0, 0x00C0C0C0, 0x00000000};
    CBitmap bitmap;
    bitmap.CreateBitmap(3, 2, 1, 32, pixels);
    return static_cast<HBITMAP>(bitmap.Detach());
}

class MaterialButtonTest : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        CXUIVisualManager::GetInstance().SetThemeColor(1282, RGB(10, 20, 30));
        CXUIVisualManager::GetInstance().SetThemeColor(18, RGB(200, 0, 200));
        SetBitmapResourceLoader(&LoadTestBitmap);
        m_hParent = CreateTopLevel({0, 0, 300, 200});
        // The parent is a class-library window, as the pane is: it hands the
        // owner-drawn button its drawing.
        ASSERT_TRUE(m_parent.SubclassWindow(m_hParent));
        m_pParent = &m_parent;
    }
    void TearDown() override
    {
        m_button.DestroyWindow();
        m_parent.DestroyWindow();
        SetBitmapResourceLoader(nullptr);
        CXUIVisualManager::GetInstance().Reset();
        CWindowTest::TearDown();
    }
    COLORREF PixelAt(int x, int y)
    {
        HDC hdc = GetDC(m_button.GetSafeHwnd());
        const COLORREF clr = GetPixel(hdc, x, y);
        ReleaseDC(m_button.GetSafeHwnd(), hdc);
        return clr;
    }

    HWND m_hParent = nullptr;
    CWnd m_parent;
    CWnd* m_pParent = nullptr;
    CMaterialButton m_button;
};
} // namespace

TEST_F(MaterialButtonTest, AMappedBitmapTakesThePaneColoursAndSizesTheButton)
{
    CRect rect(20, 30, 120, 130);
    ASSERT_TRUE(m_button.Create(15240, rect, m_pParent, 15999, kSwapMessage, true, L""));
    EXPECT_EQ(rect, CRect(20, 30, 23, 32));
    CRect rcWindow;
    m_button.GetWindowRect(&rcWindow);
    EXPECT_EQ(rcWindow.Size(), CSize(3, 2));
    m_button.UpdateWindow();
    EXPECT_EQ(PixelAt(0, 0), RGB(10, 20, 30)) << "light grey becomes the pane background";
    EXPECT_EQ(PixelAt(1, 0), RGB(200, 0, 200)) << "black becomes the glyph colour";
    EXPECT_EQ(PixelAt(2, 0), RGB(255, 0, 0)) << "other colours stay";
    EXPECT_EQ(PixelAt(2, 1), RGB(200, 0, 200));

    // A new theme colour reaches the bitmap.
    CXUIVisualManager::GetInstance().SetThemeColor(18, RGB(0, 90, 0));
    PumpMessages();
    m_button.UpdateWindow();
    EXPECT_EQ(PixelAt(1, 0), RGB(0, 90, 0));
}

TEST_F(MaterialButtonTest, TheBitmapSitsAtTheTopRightOfALargerButton)
{
    CRect rect(0, 0, 3, 2);
    ASSERT_TRUE(m_button.Create(15245, rect, m_pParent, 15999, 0x80A8, true, L""));
    m_button.SetWindowPos(nullptr, 0, 0, 10, 6, SWP_NOMOVE | SWP_NOZORDER);
    m_button.Invalidate();
    m_button.UpdateWindow();
    EXPECT_EQ(PixelAt(8, 0), RGB(200, 0, 200));
    EXPECT_EQ(PixelAt(9, 0), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(0, 5), RGB(10, 20, 30)) << "the rest is background";
    EXPECT_EQ(PixelAt(9, 5), RGB(10, 20, 30));
}

TEST_F(MaterialButtonTest, AClickPostsTheMessageWithTheButtonsIdentifier)
{
    CRect rect(40, 40, 0, 0);
    ASSERT_TRUE(m_button.Create(15248, rect, m_pParent, 15999, kSwapMessage, true, L""));
    InjectClick({41, 41});
    PumpMessages();
    const auto posted = MessagesTo(m_hParent, kSwapMessage);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].wParam, 15248u);
    EXPECT_EQ(posted[0].lParam, 0);
}

TEST_F(MaterialButtonTest, AnImageByPathComesFromTheLanguageModule)
{
    const std::wstring strPath = Utf8ToWide(RESOURCE_MODULE_FOLDER) + L"\\VornMaterialPaletteRC.DLL";
    HMODULE hModule = LoadLibraryW(strPath.c_str());
    ASSERT_NE(hModule, nullptr);
    {
        CDynLinkLibrary link(hModule, hModule);
        CRect rect(0, 0, 0, 0);
        ASSERT_TRUE(m_button.Create(15240, rect, m_pParent, 0, kSwapMessage, false,
                                    L"MirnMaterialPalette\\swapperarrows.bmp"));
        EXPECT_NE(m_button.GetBitmap(), nullptr);
        EXPECT_GT(rect.Width(), 0);
        EXPECT_EQ(CSize(rect.Width(), rect.Height()), m_button.GetBitmapSize());
        m_button.DestroyWindow();
    }
    FreeLibrary(hModule);

    // A missing image leaves an empty button that still works.
    CRect rect(0, 0, 16, 16);
    CMaterialButton missing;
    ASSERT_TRUE(missing.Create(15240, rect, m_pParent, 0, kSwapMessage, false, L"No\\such.png"));
    EXPECT_EQ(missing.GetBitmap(), nullptr);
    EXPECT_EQ(rect, CRect(0, 0, 16, 16));
}
