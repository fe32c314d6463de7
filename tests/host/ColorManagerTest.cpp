#include "ColorManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace
{
// Puts the built-in manager back whatever a case installed.
class ColorManager : public ::testing::Test
{
protected:
    void TearDown() override { CColorManager::ResetInstance(); }
};

struct SInk
{
    int c, m, y, k;
};

SInk Ink(COLORREF clr, bool bInverted = false)
{
    BYTE a[4] = {0, 0, 0, 0};
    EXPECT_TRUE(CColorManager::Instance()->ColorTransformRGBtoCMYK(clr, a, bInverted).IsOk());
    return {a[0], a[1], a[2], a[3]};
}
} // namespace

TEST_F(ColorManager, IsThereByDefaultAndCanBeRemovedOrReplaced)
{
    CColorManager* pBuiltIn = CColorManager::Instance();
    ASSERT_NE(pBuiltIn, nullptr);
    EXPECT_EQ(CColorManager::SetInstance(nullptr), pBuiltIn);
    EXPECT_EQ(CColorManager::Instance(), nullptr);

    CColorManager other;
    EXPECT_EQ(CColorManager::SetInstance(&other), nullptr);
    EXPECT_EQ(CColorManager::Instance(), &other);
    CColorManager::ResetInstance();
    EXPECT_EQ(CColorManager::Instance(), pBuiltIn);
}

TEST_F(ColorManager, RGBToCMYKPutsTheGreyIntoBlack)
{
    struct SCase
    {
        COLORREF clr;
        SInk ink;
    };
    // k = 255 − max; c = 255 × (max − r) / max, rounded.
    const SCase cases[] = {
        {RGB(255, 255, 255), {0, 0, 0, 0}},
        {RGB(0, 0, 0), {0, 0, 0, 255}},
        {RGB(255, 0, 0), {0, 255, 255, 0}},
        {RGB(0, 255, 255), {255, 0, 0, 0}},
        {RGB(128, 128, 128), {0, 0, 0, 127}},
        // max 138: m = 255 × 16 / 138 = 29.57, y = 255 × 31 / 138 = 57.28.
        {RGB(138, 122, 107), {0, 30, 57, 117}},
        // max 100: c = 255 × 50 / 100 = 127.5 rounds up.
        {RGB(50, 100, 100), {128, 0, 0, 155}},
    };
    for (const SCase& c : cases)
    {
        const SInk ink = Ink(c.clr);
        EXPECT_EQ(ink.c, c.ink.c) << std::hex << c.clr;
        EXPECT_EQ(ink.m, c.ink.m) << std::hex << c.clr;
        EXPECT_EQ(ink.y, c.ink.y) << std::hex << c.clr;
        EXPECT_EQ(ink.k, c.ink.k) << std::hex << c.clr;
        const SInk inverted = Ink(c.clr, true);
        EXPECT_EQ(inverted.c, 255 - c.ink.c);
        EXPECT_EQ(inverted.k, 255 - c.ink.k);
    }
    EXPECT_EQ(CColorManager::Instance()->ColorTransformRGBtoCMYK(RGB(1, 2, 3), nullptr, false).GetError(),
              MIRN_ERR_INVALID_ARG);
}

TEST_F(ColorManager, CMYKToRGBReadsInvertedInkRowsOfPixels)
{
    const CColorManager* pManager = CColorManager::Instance();
    // Two pixels 5 bytes apart into pixels 4 bytes apart, in two rows of one.
    // 230 × 153 / 255 = 138, 204 × 153 / 255 = 122.4, 179 × 153 / 255 = 107.4;
    // no ink at all is white.
    const BYTE source[10] = {230, 204, 179, 153, 99, 255, 255, 255, 255, 99};
    BYTE target[8] = {0, 0, 0, 0xAB, 0, 0, 0, 0xCD};
    ASSERT_TRUE(pManager->ConvertCMYKtoRGB(source, target, 1, 5, 4, 2).IsOk());
    EXPECT_EQ(target[0], 107); // blue first
    EXPECT_EQ(target[1], 122);
    EXPECT_EQ(target[2], 138);
    EXPECT_EQ(target[3], 0xAB); // bytes beyond the colour untouched
    EXPECT_EQ(target[4], 255);
    EXPECT_EQ(target[5], 255);
    EXPECT_EQ(target[6], 255);
    EXPECT_EQ(target[7], 0xCD);

    // Full black ink is black whatever the colours.
    const BYTE black[4] = {255, 255, 255, 0};
    BYTE bgr[3] = {1, 1, 1};
    ASSERT_TRUE(pManager->ConvertCMYKtoRGB(black, bgr, 1, 4, 3, 1).IsOk());
    EXPECT_EQ(bgr[0] + bgr[1] + bgr[2], 0);

    // Bad arguments write nothing.
    BYTE untouched[3] = {7, 7, 7};
    EXPECT_TRUE(pManager->ConvertCMYKtoRGB(nullptr, untouched, 1, 4, 3, 1).IsError());
    EXPECT_TRUE(pManager->ConvertCMYKtoRGB(black, nullptr, 1, 4, 3, 1).IsError());
    EXPECT_TRUE(pManager->ConvertCMYKtoRGB(black, untouched, 0, 4, 3, 1).IsError());
    EXPECT_TRUE(pManager->ConvertCMYKtoRGB(black, untouched, 1, 4, 3, -1).IsError());
    EXPECT_TRUE(pManager->ConvertCMYKtoRGB(black, untouched, 1, 3, 3, 1).IsError());
    EXPECT_TRUE(pManager->ConvertCMYKtoRGB(black, untouched, 1, 4, 2, 1).IsError());
    EXPECT_EQ(untouched[0], 7);
    EXPECT_EQ(untouched[2], 7);
}

TEST_F(ColorManager, RGBComesBackWithinOneLevelThroughCMYK)
{
    const CColorManager* pManager = CColorManager::Instance();
    int nWorst = 0;
    for (int r = 0; r < 256; r += 3)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 1)
            {
                BYTE cmyk[4];
                ASSERT_TRUE(
                    pManager
                        ->ColorTransformRGBtoCMYK(
                            RGB(static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b)), cmyk, true)
                        .IsOk());
                BYTE bgr[3];
                ASSERT_TRUE(pManager->ConvertCMYKtoRGB(cmyk, bgr, 1, 4, 3, 1).IsOk());
                nWorst = std::max({nWorst, std::abs(bgr[2] - r), std::abs(bgr[1] - g), std::abs(bgr[0] - b)});
            }
    EXPECT_LE(nWorst, 1);
}
