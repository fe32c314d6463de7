// Images by path at a display scale, cursors and icons from resource tables.
#include "Image.h"
#include "Resources.h"
#include "WinUser.h"

#include <gtest/gtest.h>

#include <iterator>

namespace
{
const HINSTANCE kImageModule = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x7200));

// A PNG of the given size filled with one opaque colour.
std::vector<BYTE> SolidPng(LONG nWidth, LONG nHeight, DWORD argb)
{
    SImage image;
    image.nWidth = nWidth;
    image.nHeight = nHeight;
    image.pixels.assign(static_cast<std::size_t>(nWidth * nHeight), argb);
    std::vector<BYTE> bytes;
    EXPECT_TRUE(WritePngMemory(image, bytes));
    return bytes;
}

class ResourceImagesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_png100 = SolidPng(4, 4, 0xFFFF0000);
        m_png200 = SolidPng(8, 8, 0xFF00FF00);
        m_cursor = SolidPng(16, 16, 0xFF000000);
        m_records[0] = {m_cursor.data(), static_cast<DWORD>(m_cursor.size()), 3, 40}; // y beyond the picture
        m_records[1] = {m_cursor.data(), 5, 0, 0};                                    // cut short
        m_entries = {
            {RT_PNG, L"100\\Folder\\Both.png", m_png100.data(), static_cast<DWORD>(m_png100.size())},
            {RT_PNG, L"200\\Folder\\Both.png", m_png200.data(), static_cast<DWORD>(m_png200.size())},
            {RT_PNG, L"100\\Folder\\Small.png", m_png100.data(), static_cast<DWORD>(m_png100.size())},
            {RT_BITMAP, L"200\\Folder\\Picture.BMP", m_png200.data(), static_cast<DWORD>(m_png200.size())},
            {RT_PNG, L"100\\Folder\\Broken.png", m_png100.data(), 10},
            {RT_CURSOR, MAKEINTRESOURCEW(900), &m_records[0], sizeof(SCursorResource)},
            {RT_CURSOR, MAKEINTRESOURCEW(901), &m_records[1], sizeof(SCursorResource)},
            {RT_ICON, MAKEINTRESOURCEW(902), &m_records[0], sizeof(SCursorResource)},
        };
        RegisterResourceTable(kImageModule, m_entries.data(), static_cast<UINT>(m_entries.size()));
    }
    void TearDown() override
    {
        AfxSetResourceHandle(nullptr);
        RegisterResourceTable(kImageModule, nullptr, 0);
    }

    std::vector<BYTE> m_png100, m_png200, m_cursor;
    SCursorResource m_records[2]{};
    std::vector<SResourceEntry> m_entries;
};
} // namespace

TEST_F(ResourceImagesTest, NamesImagesByScaleAndPath)
{
    EXPECT_EQ(ScaledImageResourceName(L"Folder\\Both.png", 200), L"200\\Folder\\Both.png");
    EXPECT_EQ(ScaledImageResourceName(L"A.png", 100), L"100\\A.png");
}

TEST_F(ResourceImagesTest, PicksTheSmallestScaleAtLeastTheWantedOneElseTheLargest)
{
    EXPECT_EQ(FindImageByPath(kImageModule, L"Folder\\Both.png", 100).nScalePercent, 100);
    EXPECT_EQ(FindImageByPath(kImageModule, L"Folder\\Both.png", 125).nScalePercent, 200);
    EXPECT_EQ(FindImageByPath(kImageModule, L"Folder\\Both.png", 200).nScalePercent, 200);
    EXPECT_EQ(FindImageByPath(kImageModule, L"Folder\\Both.png", 300).nScalePercent, 200);
    EXPECT_EQ(FindImageByPath(kImageModule, L"Folder\\Both.png", 50).nScalePercent, 100);
    // Only 100% held: every scale falls back to it.
    EXPECT_EQ(FindImageByPath(kImageModule, L"Folder\\Small.png", 200).nScalePercent, 100);

    SImage image;
    int nFound = 0;
    ASSERT_TRUE(LoadImageByPath(kImageModule, L"Folder\\Both.png", 150, image, &nFound));
    EXPECT_EQ(nFound, 200);
    EXPECT_EQ(image.nWidth, 8);
    EXPECT_EQ(image.At(7, 7), 0xFF00FF00u);
    ASSERT_TRUE(LoadImageByPath(kImageModule, L"Folder\\Both.png", 100, image));
    EXPECT_EQ(image.nWidth, 4);
    EXPECT_EQ(image.At(0, 0), 0xFFFF0000u);
}

TEST_F(ResourceImagesTest, LooksForBitmapsUnderTheirOwnTypeWhateverTheCase)
{
    const SFoundImage found = FindImageByPath(kImageModule, L"folder\\picture.bmp", 100);
    EXPECT_NE(found.hResource, nullptr);
    EXPECT_EQ(found.nScalePercent, 200);
    // A PNG name is not found among the bitmaps, nor the other way round.
    EXPECT_EQ(FindImageByPath(kImageModule, L"Folder\\Picture.png", 200).hResource, nullptr);
}

TEST_F(ResourceImagesTest, ReportsMissingAndDamagedImages)
{
    SImage image;
    SetLastError(0);
    EXPECT_FALSE(LoadImageByPath(kImageModule, L"Folder\\None.png", 100, image));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_FALSE(LoadImageByPath(kImageModule, L"Folder\\Broken.png", 100, image));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_FALSE(LoadImageByPath(kImageModule, nullptr, 100, image));
    EXPECT_FALSE(LoadImageByPath(kImageModule, L"", 100, image));
}

TEST_F(ResourceImagesTest, FindsImagesAlongTheResourceChain)
{
    AfxSetResourceHandle(kImageModule);
    const SFoundImage found = FindImageByPath(nullptr, L"Folder\\Both.png", 200);
    EXPECT_EQ(found.hModule, kImageModule);
    EXPECT_EQ(found.nScalePercent, 200);
}

TEST_F(ResourceImagesTest, LoadsSharedCursorsWithTheirHotSpot)
{
    HCURSOR hCursor = LoadCursorW(kImageModule, MAKEINTRESOURCEW(900));
    ASSERT_NE(hCursor, nullptr);
    EXPECT_EQ(LoadCursorW(kImageModule, MAKEINTRESOURCEW(900)), hCursor);
    SImage image;
    POINT ptHotspot{};
    ASSERT_TRUE(GetResourceCursorImage(hCursor, image, ptHotspot));
    EXPECT_EQ(image.nWidth, 16);
    // The hot spot's y of 40 lies below the 16-pixel picture: its last row.
    EXPECT_EQ(ptHotspot.x, 3);
    EXPECT_EQ(ptHotspot.y, 15);

    SetLastError(0);
    EXPECT_EQ(LoadCursorW(kImageModule, MAKEINTRESOURCEW(901)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_EQ(LoadCursorW(kImageModule, MAKEINTRESOURCEW(903)), nullptr);
    // A standard cursor is not a resource cursor.
    EXPECT_FALSE(GetResourceCursorImage(LoadCursorW(nullptr, IDC_ARROW), image, ptHotspot));
}

TEST_F(ResourceImagesTest, LoadsIconsOnlyFromANamedModule)
{
    HICON hIcon = LoadIconW(kImageModule, MAKEINTRESOURCEW(902));
    ASSERT_NE(hIcon, nullptr);
    // Icons and cursors are separate resources even under one number.
    EXPECT_EQ(LoadIconW(kImageModule, MAKEINTRESOURCEW(900)), nullptr);
    EXPECT_EQ(LoadIconW(nullptr, MAKEINTRESOURCEW(902)), nullptr);
}
