#include "MPalette.h"

#include <gtest/gtest.h>

#include <set>

TEST(MPalette, FixedPalettesHoldTheirDocumentedColours)
{
    CMPalette grey;
    ASSERT_TRUE(grey.CreateGreyscale());
    ASSERT_EQ(grey.GetEntryCount(), 256);
    EXPECT_EQ(grey.GetEntry(0), RGB(0, 0, 0));
    EXPECT_EQ(grey.GetEntry(128), RGB(128, 128, 128));
    EXPECT_EQ(grey.GetEntry(255), RGB(255, 255, 255));

    CMPalette bw;
    ASSERT_TRUE(bw.CreateBW());
    ASSERT_EQ(bw.GetEntryCount(), 2);
    EXPECT_EQ(bw.GetEntry(0), RGB(0, 0, 0));
    EXPECT_EQ(bw.GetEntry(1), RGB(255, 255, 255));

    CMPalette vga;
    ASSERT_TRUE(vga.CreateVGA16());
    ASSERT_EQ(vga.GetEntryCount(), 16);
    const COLORREF expected[16] = {
        RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
        RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
        RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
    };
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(vga.GetEntry(i), expected[i]) << i;

    CMPalette quick;
    ASSERT_TRUE(quick.CreateQuick8());
    ASSERT_EQ(quick.GetEntryCount(), 256);
    EXPECT_EQ(quick.GetEntry(0), RGB(0, 0, 0));
    // 36 × 1 + 6 × 2 + 3: levels 51, 102, 153.
    EXPECT_EQ(quick.GetEntry(51), RGB(51, 102, 153));
    EXPECT_EQ(quick.GetEntry(215), RGB(255, 255, 255));
    // The greys: 255 / 41 = 6.2 and 40 × 255 / 41 = 248.8.
    EXPECT_EQ(quick.GetEntry(216), RGB(6, 6, 6));
    EXPECT_EQ(quick.GetEntry(217), RGB(12, 12, 12));
    EXPECT_EQ(quick.GetEntry(255), RGB(249, 249, 249));
    std::set<COLORREF> distinct;
    for (int i = 0; i < 256; ++i)
        distinct.insert(quick.GetEntry(i));
    EXPECT_EQ(distinct.size(), 256u);

    // A fixed palette replaces what was there.
    ASSERT_TRUE(quick.CreateBW());
    EXPECT_EQ(quick.GetEntryCount(), 2);
}

TEST(MPalette, FindsTheNearestEntryWithTiesToTheLowestIndex)
{
    CMPalette grey;
    grey.CreateGreyscale();
    // (g − 10)² + (g − 20)² + (g − 30)² is least at the mean, 20.
    EXPECT_EQ(grey.FindNearestEntry(RGB(10, 20, 30)), 20);

    CMPalette bw;
    bw.CreateBW();
    // 3 × 128² to black against 3 × 127² to white, and the other way round.
    EXPECT_EQ(bw.FindNearestEntry(RGB(128, 128, 128)), 1);
    EXPECT_EQ(bw.FindNearestEntry(RGB(127, 127, 127)), 0);

    CMPalette vga;
    vga.CreateVGA16();
    EXPECT_EQ(vga.FindNearestEntry(RGB(100, 0, 0)), 1);     // maroon: 28² against 100²
    EXPECT_EQ(vga.FindNearestEntry(RGB(200, 200, 190)), 7); // silver
    EXPECT_EQ(vga.FindNearestEntry(RGB(0, 255, 255)), 14);  // exact aqua
    CMPalette quick;
    quick.CreateQuick8();
    EXPECT_EQ(quick.FindNearestEntry(RGB(50, 100, 150)), 51);
    EXPECT_EQ(quick.FindNearestEntry(RGB(7, 7, 7)), 216);

    // Black is 255² from both red and blue: the first listed wins.
    const COLORREF redBlue[] = {RGB(255, 0, 0), RGB(0, 0, 255)};
    CMPalette pair;
    ASSERT_TRUE(pair.Create(redBlue, 2));
    EXPECT_EQ(pair.FindNearestEntry(RGB(0, 0, 0)), 0);
    const COLORREF blueRed[] = {RGB(0, 0, 255), RGB(255, 0, 0)};
    ASSERT_TRUE(pair.Create(blueRed, 2));
    EXPECT_EQ(pair.FindNearestEntry(RGB(0, 0, 0)), 0);
    EXPECT_EQ(pair.GetEntry(0), RGB(0, 0, 255));
    // Duplicates: the first of them.
    const COLORREF twice[] = {RGB(9, 9, 9), RGB(40, 40, 40), RGB(40, 40, 40)};
    ASSERT_TRUE(pair.Create(twice, 3));
    EXPECT_EQ(pair.FindNearestEntry(RGB(41, 40, 40)), 1);
    EXPECT_EQ(pair.FindExactEntry(RGB(40, 40, 40)), 1);
    EXPECT_EQ(pair.FindExactEntry(RGB(41, 40, 40)), -1);

    CMPalette empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.FindNearestEntry(RGB(1, 2, 3)), -1);
}

TEST(MPalette, EntriesAreCheckedAndCopiedInThePlatformsForms)
{
    CMPalette palette;
    // Too many entries or a missing array: refused, nothing changes.
    std::vector<COLORREF> many(257, RGB(1, 1, 1));
    EXPECT_FALSE(palette.Create(many.data(), 257));
    EXPECT_FALSE(palette.Create(nullptr, 3));
    EXPECT_FALSE(palette.Create(many.data(), -1));
    EXPECT_FALSE(palette.SetEntryCount(300));
    EXPECT_EQ(palette.GetEntryCount(), 0);

    ASSERT_TRUE(palette.SetEntryCount(3));
    EXPECT_EQ(palette.GetEntry(2), RGB(0, 0, 0));
    // The high byte of a colour is not part of it.
    EXPECT_TRUE(palette.SetEntry(1, 0xFF102030));
    EXPECT_EQ(palette.GetEntry(1), 0x00102030u);
    EXPECT_TRUE(palette.SetEntry(2, RGB(200, 100, 50)));
    EXPECT_FALSE(palette.SetEntry(3, RGB(1, 1, 1)));
    EXPECT_FALSE(palette.SetEntry(-1, RGB(1, 1, 1)));
    EXPECT_EQ(palette.GetEntry(3), RGB(0, 0, 0));
    EXPECT_EQ(palette.GetEntry(-7), RGB(0, 0, 0));

    PALETTEENTRY entries[4] = {};
    EXPECT_EQ(palette.GetEntries(1, 4, entries), 2);
    EXPECT_EQ(entries[0].peRed, 0x30);
    EXPECT_EQ(entries[0].peGreen, 0x20);
    EXPECT_EQ(entries[0].peBlue, 0x10);
    EXPECT_EQ(entries[0].peFlags, 0);
    EXPECT_EQ(entries[1].peRed, 200);
    EXPECT_EQ(entries[1].peBlue, 50);
    EXPECT_EQ(palette.GetEntries(3, 1, entries), 0);
    EXPECT_EQ(palette.GetEntries(0, 1, static_cast<PALETTEENTRY*>(nullptr)), 0);

    RGBQUAD quads[3] = {};
    EXPECT_EQ(palette.GetEntries(0, 3, quads), 3);
    EXPECT_EQ(quads[2].rgbBlue, 50);
    EXPECT_EQ(quads[2].rgbGreen, 100);
    EXPECT_EQ(quads[2].rgbRed, 200);
    EXPECT_EQ(quads[2].rgbReserved, 0);

    CMPalette copy = palette;
    EXPECT_EQ(copy, palette);
    copy.SetEntry(0, RGB(1, 2, 3));
    EXPECT_FALSE(copy == palette);
}
