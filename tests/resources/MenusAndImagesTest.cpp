// The module's menus, images by path, bitmaps, PNG images, cursors and icon.
#include "GdiObjects.h"
#include "Image.h"
#include "MenuTemplate.h"
#include "ResourceModuleSupport.h"
#include "WinUser.h"

#include <cstring>

namespace
{
// Every image the palette names by path.
const wchar_t* const kImagePaths[] = {
    L"MirnMaterialPalette\\swapperarrows.bmp",
    L"MirnMaterialPalette\\swapperarrowssmall.bmp",
    L"MirnMaterialPalette\\blackwhite.bmp",
    L"MirnMaterialPalette\\Transparent-Materials.bmp",
    L"MirnMaterialPalette\\Texture-Materials.bmp",
    L"MirnMaterialPalette\\Add.png",
    L"MirnMaterialPalette\\Add_highlight.png",
    L"MirnMaterialPalette\\Options-Materials.png",
    L"MirnMaterialPalette\\Next-16.png",
    L"MirnMaterialPalette\\Previous-16.png",
    L"ToolOptions\\Dropper.png",
    L"ToolOptions\\Add-16.png",
    L"ToolOptions\\Remove-16.png",
    L"VornXUI\\DWZP\\gradlinear.png",
    L"VornXUI\\DWZP\\gradradial.png",
    L"VornXUI\\DWZP\\gradrectangular.png",
    L"VornXUI\\DWZP\\gradangular.png",
};

const BYTE kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

bool HoldsCommand(HMENU hMenu, UINT nID)
{
    return GetMenuState(hMenu, nID, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

SImage BitmapImage(UINT nID)
{
    SImage image;
    HBITMAP hBitmap = LoadBitmapW(ResourceModule(), MAKEINTRESOURCEW(nID));
    EXPECT_NE(hBitmap, nullptr) << nID;
    if (hBitmap != nullptr)
    {
        EXPECT_TRUE(CopyBitmapToImage(hBitmap, image)) << nID;
        DeleteObject(hBitmap);
    }
    return image;
}

// The bytes of a PNG resource by number.
const BYTE* PngBytes(UINT nID, DWORD* pcb)
{
    HRSRC hResource = FindResourceW(ResourceModule(), MAKEINTRESOURCEW(nID), RT_PNG);
    if (hResource == nullptr)
        return nullptr;
    *pcb = SizeofResource(ResourceModule(), hResource);
    return static_cast<const BYTE*>(LockResource(LoadResource(ResourceModule(), hResource)));
}
} // namespace

TEST(ResourceMenusTest, SwatchOptionsHoldEveryCommandOfThePicker)
{
    ASSERT_NE(ResourceModule(), nullptr);
    HMENU hMenu = LoadMenuW(ResourceModule(), MAKEINTRESOURCEW(15000));
    ASSERT_NE(hMenu, nullptr);
    HMENU hOptions = GetSubMenu(hMenu, 0);
    ASSERT_NE(hOptions, nullptr);
    for (UINT nID = 15001; nID <= 15025; ++nID)
        EXPECT_TRUE(HoldsCommand(hOptions, nID)) << nID;
    // The two commands shown disabled whatever the state.
    EXPECT_NE(GetMenuState(hOptions, 15014, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_NE(GetMenuState(hOptions, 15015, MF_BYCOMMAND) & MF_GRAYED, 0u);
    // The category list goes in place of item 15023, which therefore is a
    // plain command and not a submenu.
    EXPECT_EQ(GetMenuState(hOptions, 15023, MF_BYCOMMAND) & MF_POPUP, 0u);
    DestroyMenu(hMenu);
}

TEST(ResourceMenusTest, ResourceOptionsOfferTheViewItemAndTheGradientFileCommands)
{
    HMENU hPages = LoadMenuW(ResourceModule(), MAKEINTRESOURCEW(32812));
    ASSERT_NE(hPages, nullptr);
    for (UINT nID : {32821u, 32822u, 32823u})
        EXPECT_TRUE(HoldsCommand(GetSubMenu(hPages, 0), nID)) << nID;
    EXPECT_FALSE(HoldsCommand(hPages, 32825));
    DestroyMenu(hPages);

    HMENU hGradients = LoadMenuW(ResourceModule(), MAKEINTRESOURCEW(32811));
    ASSERT_NE(hGradients, nullptr);
    for (UINT nID : {32821u, 32822u, 32823u, 32825u, 32826u})
        EXPECT_TRUE(HoldsCommand(GetSubMenu(hGradients, 0), nID)) << nID;
    DestroyMenu(hGradients);
}

TEST(ResourceImagesModuleTest, ImagesByPathComeAtBothScalesTwiceAsLargeAtTheSecond)
{
    for (const wchar_t* pszPath : kImagePaths)
    {
        SImage normal;
        SImage doubled;
        int nNormal = 0;
        int nDoubled = 0;
        ASSERT_TRUE(LoadImageByPath(ResourceModule(), pszPath, 100, normal, &nNormal)) << WideToUtf8(pszPath);
        ASSERT_TRUE(LoadImageByPath(ResourceModule(), pszPath, 200, doubled, &nDoubled))
            << WideToUtf8(pszPath);
        EXPECT_EQ(nNormal, 100);
        EXPECT_EQ(nDoubled, 200);
        EXPECT_GT(normal.nWidth, 0);
        EXPECT_EQ(doubled.nWidth, 2 * normal.nWidth) << WideToUtf8(pszPath);
        EXPECT_EQ(doubled.nHeight, 2 * normal.nHeight) << WideToUtf8(pszPath);
        // Something is drawn: not every pixel is transparent.
        EXPECT_TRUE(
            std::any_of(normal.pixels.begin(), normal.pixels.end(), [](DWORD p) { return (p >> 24) != 0; }))
            << WideToUtf8(pszPath);
        // PNG names hold PNG files.
        const SFoundImage found = FindImageByPath(ResourceModule(), pszPath, 100);
        const auto* pBytes =
            static_cast<const BYTE*>(LockResource(LoadResource(found.hModule, found.hResource)));
        const bool bPng = std::wstring(pszPath).ends_with(L".png");
        EXPECT_EQ(std::memcmp(pBytes, kPngSignature, 8) == 0, bPng) << WideToUtf8(pszPath);
        if (!bPng)
        {
            EXPECT_EQ(pBytes[0], 'B');
        }
    }
    // The swap button's small arrows are 10 pixels square at normal scale.
    SImage small;
    ASSERT_TRUE(
        LoadImageByPath(ResourceModule(), L"MirnMaterialPalette\\swapperarrowssmall.bmp", 100, small));
    EXPECT_EQ(small.nWidth, 10);
}

TEST(ResourceImagesModuleTest, NumberedBitmapsLoadAtTheirSizes)
{
    struct SExpected
    {
        UINT nID;
        LONG nWidth;
        LONG nHeight;
    };
    const SExpected kBitmaps[] = {
        {15905, 16, 16}, {15907, 16, 16}, {15908, 16, 16}, {15909, 16, 16}, {15912, 16, 16}, {15914, 16, 16},
        {15916, 20, 20}, {15917, 20, 20}, {15918, 20, 20}, {15919, 20, 20}, {15922, 7, 7},   {15923, 11, 11},
        {15929, 6, 9},   {15930, 9, 6},   {15931, 16, 16}, {15934, 7, 7},   {15951, 9, 13},
    };
    for (const SExpected& expected : kBitmaps)
    {
        const SImage image = BitmapImage(expected.nID);
        EXPECT_EQ(image.nWidth, expected.nWidth) << expected.nID;
        EXPECT_EQ(image.nHeight, expected.nHeight) << expected.nID;
    }
    // The stop marker's anchor is half its width: an odd width centres it.
    EXPECT_EQ(BitmapImage(15923).nWidth % 2, 1);
}

TEST(ResourceImagesModuleTest, MarkersForExclusiveOrAreWhiteOnBlack)
{
    // Combined by exclusive-or, black leaves the screen alone and white
    // inverts it: the top left corner is black, the drawn pixels white.
    for (UINT nID : {15929u, 15930u, 15934u})
    {
        const SImage image = BitmapImage(nID);
        ASSERT_FALSE(image.IsEmpty()) << nID;
        EXPECT_EQ(image.At(0, 0) & 0xFFFFFF, 0u) << nID;
        for (DWORD pixel : image.pixels)
        {
            const DWORD rgb = pixel & 0xFFFFFF;
            EXPECT_TRUE(rgb == 0 || rgb == 0xFFFFFF) << nID;
        }
    }
    // The right arrow points left: its tip is at the middle row's left.
    const SImage arrow = BitmapImage(15929);
    EXPECT_EQ(arrow.At(1, 4) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(arrow.At(1, 0) & 0xFFFFFF, 0u);
    // The bottom arrow points up: its tip is at the middle column's top.
    const SImage bottom = BitmapImage(15930);
    EXPECT_EQ(bottom.At(4, 1) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(bottom.At(0, 1) & 0xFFFFFF, 0u);
    // The marker leaves its centre pixel, the marked colour, untouched, and
    // its corners too.
    const SImage marker = BitmapImage(15934);
    EXPECT_EQ(marker.At(3, 3) & 0xFFFFFF, 0u);
    EXPECT_EQ(marker.At(6, 6) & 0xFFFFFF, 0u);
    EXPECT_EQ(marker.At(0, 3) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(ResourceImagesModuleTest, StyleBitmapsAreMappedOnLightGreyAndAlsoPngWithTransparency)
{
    for (UINT nID : {15907u, 15908u, 15909u, 15914u, 15931u})
    {
        const SImage bitmap = BitmapImage(nID);
        ASSERT_FALSE(bitmap.IsEmpty());
        EXPECT_EQ(bitmap.At(0, 0), 0xFFC0C0C0u) << nID;
        DWORD cb = 0;
        const BYTE* pPng = PngBytes(nID, &cb);
        ASSERT_NE(pPng, nullptr) << nID;
        SImage png;
        ASSERT_TRUE(ReadImageMemory(pPng, cb, png)) << nID;
        EXPECT_EQ(png.At(0, 0) >> 24, 0u) << nID; // transparent corner
    }
    // Tab images and the expand button images are PNG by number.
    for (UINT nID : {15937u, 15939u, 15940u, 15941u, 32831u, 32832u})
    {
        DWORD cb = 0;
        const BYTE* pPng = PngBytes(nID, &cb);
        ASSERT_NE(pPng, nullptr) << nID;
        EXPECT_EQ(std::memcmp(pPng, kPngSignature, 8), 0) << nID;
    }
}

TEST(ResourceImagesModuleTest, CursorsAndTheIconLoadWithTheirHotSpots)
{
    HCURSOR hDropper = LoadCursorW(ResourceModule(), MAKEINTRESOURCEW(15901));
    ASSERT_NE(hDropper, nullptr);
    EXPECT_EQ(LoadCursorW(ResourceModule(), MAKEINTRESOURCEW(15901)), hDropper);
    SImage image;
    POINT ptHotspot{};
    ASSERT_TRUE(GetResourceCursorImage(hDropper, image, ptHotspot));
    EXPECT_EQ(image.nWidth, 32);
    EXPECT_EQ(image.nHeight, 32);
    // The dropper's tip is its hot spot, at the bottom left, and is drawn.
    EXPECT_EQ(ptHotspot.x, 1);
    EXPECT_EQ(ptHotspot.y, 30);
    EXPECT_NE(image.At(ptHotspot.x, ptHotspot.y) >> 24, 0u);

    HCURSOR hDrop = LoadCursorW(ResourceModule(), MAKEINTRESOURCEW(15900));
    ASSERT_NE(hDrop, nullptr);
    EXPECT_NE(hDrop, hDropper);
    ASSERT_TRUE(GetResourceCursorImage(hDrop, image, ptHotspot));
    EXPECT_EQ(ptHotspot.x, 0);
    EXPECT_EQ(ptHotspot.y, 0);

    EXPECT_NE(LoadIconW(ResourceModule(), MAKEINTRESOURCEW(15935)), nullptr);
}
