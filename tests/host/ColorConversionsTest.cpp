#include "ColorConversions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace
{
struct SHSL
{
    int h, s, l;
};

struct SRGB
{
    int r, g, b;
};

SHSL ToHSL(int r, int g, int b)
{
    BYTE h = 0, s = 0, l = 0;
    RGB_to_HSL(static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b), h, s, l);
    return {h, s, l};
}

SRGB ToRGB(int h, int s, int l)
{
    const COLORREF clr = HSL_to_RGB(h, s, l);
    return {GetRValue(clr), GetGValue(clr), GetBValue(clr)};
}
} // namespace

TEST(ColorConversions, GreysAreExactBothWays)
{
    for (int v = 0; v < 256; ++v)
    {
        const SHSL hsl = ToHSL(v, v, v);
        EXPECT_EQ(hsl.h, 0) << v;
        EXPECT_EQ(hsl.s, 0) << v;
        EXPECT_EQ(hsl.l, v) << v;
        // Without saturation the hue does not matter.
        for (int h : {0, 37, 128, 254})
        {
            const SRGB rgb = ToRGB(h, 0, v);
            EXPECT_EQ(rgb.r, v);
            EXPECT_EQ(rgb.g, v);
            EXPECT_EQ(rgb.b, v);
        }
    }
    // Lightness 0 and 255 are black and white whatever the rest.
    EXPECT_EQ(HSL_to_RGB(100, 255, 0), RGB(0, 0, 0));
    EXPECT_EQ(HSL_to_RGB(200, 77, 255), RGB(255, 255, 255));
}

TEST(ColorConversions, HSLToRGBMatchesHandWorkedValues)
{
    struct SCase
    {
        SHSL in;
        SRGB out;
    };
    // Chroma = (255 − |2l − 255|) × s / 255 levels, largest = l + chroma / 2,
    // smallest = l − chroma / 2, the middle channel moved from the smallest by
    // chroma × (position in the sextant) / 255; each rounded half up.
    const SCase cases[] = {
        // l 128: chroma 254, largest 255, smallest 1.
        {{0, 255, 128}, {255, 1, 1}},
        {{85, 255, 128}, {1, 255, 1}},
        {{170, 255, 128}, {1, 1, 255}},
        // l 127: chroma 254, largest 254, smallest 0.
        {{0, 255, 127}, {254, 0, 0}},
        // Hue 43 is 3/255 into the yellow-to-green sextant: red falls to
        // 254 × 252 / 255 = 251.01.
        {{43, 255, 127}, {251, 254, 0}},
        // Hue 21 is 126/255 into the first sextant: green 254 × 126 / 255 = 125.51.
        {{21, 255, 127}, {254, 126, 0}},
        // Hue 254 is 6/255 short of the turn: blue 1 + 254 × 6 / 255 = 6.98.
        {{254, 255, 128}, {255, 1, 7}},
        // s 128, l 64: chroma 128 × 128 / 255 = 64.25; 64 ± 32.13.
        {{0, 128, 64}, {96, 32, 32}},
        // l 191: chroma 128; 191 ± 64; hue 170 starts the blue-to-magenta sextant.
        {{170, 255, 191}, {127, 127, 255}},
    };
    for (const SCase& c : cases)
    {
        const SRGB rgb = ToRGB(c.in.h, c.in.s, c.in.l);
        EXPECT_EQ(rgb.r, c.out.r) << c.in.h << "," << c.in.s << "," << c.in.l;
        EXPECT_EQ(rgb.g, c.out.g) << c.in.h << "," << c.in.s << "," << c.in.l;
        EXPECT_EQ(rgb.b, c.out.b) << c.in.h << "," << c.in.s << "," << c.in.l;
    }
}

TEST(ColorConversions, HSLToRGBWrapsHueAndLimitsTheRest)
{
    // 255 is a full turn.
    EXPECT_EQ(HSL_to_RGB(255, 255, 128), HSL_to_RGB(0, 255, 128));
    EXPECT_EQ(HSL_to_RGB(-1, 255, 128), HSL_to_RGB(254, 255, 128));
    EXPECT_EQ(HSL_to_RGB(256, 200, 100), HSL_to_RGB(1, 200, 100));
    EXPECT_EQ(HSL_to_RGB(600, 200, 100), HSL_to_RGB(90, 200, 100));
    EXPECT_EQ(HSL_to_RGB(30, 400, 128), HSL_to_RGB(30, 255, 128));
    EXPECT_EQ(HSL_to_RGB(30, -9, 128), RGB(128, 128, 128));
    EXPECT_EQ(HSL_to_RGB(30, 255, -5), RGB(0, 0, 0));
    EXPECT_EQ(HSL_to_RGB(30, 255, 999), RGB(255, 255, 255));

    BYTE r = 0, g = 0, b = 0;
    HSL_to_RGB(21, 255, 127, r, g, b);
    EXPECT_EQ(RGB(r, g, b), HSL_to_RGB(21, 255, 127));
}

TEST(ColorConversions, RGBToHSLMatchesHandWorkedValues)
{
    struct SCase
    {
        SRGB in;
        SHSL out;
    };
    // L = round((max + min) / 2), S = round(255 × chroma / room) with room =
    // max + min up to 255 and 510 − (max + min) above, H = round(turn
    // position × 255 / (6 × chroma)) with 255 folded to 0.
    const SCase cases[] = {
        {{255, 0, 0}, {0, 255, 128}},
        {{0, 255, 0}, {85, 255, 128}},
        {{0, 0, 255}, {170, 255, 128}},
        // Yellow at 42.5, cyan at 127.5, magenta at 212.5: halves go up.
        {{255, 255, 0}, {43, 255, 128}},
        {{0, 255, 255}, {128, 255, 128}},
        {{255, 0, 255}, {213, 255, 128}},
        // Just short of the turn: 1529 × 255 / 1530 = 254.83 rounds to 255 = 0.
        {{255, 0, 1}, {0, 255, 128}},
        // Chroma 64 over room 128 is half saturation: 127.5 up to 128.
        {{96, 32, 32}, {0, 128, 64}},
        // Chroma 150, room 250: 153; hue 50 × 255 / 900 = 14.17.
        {{200, 100, 50}, {14, 153, 125}},
        {{10, 0, 0}, {0, 255, 5}},
        // Sum 505, room 5, chroma 5; hue 5 × 255 / 30 = 42.5.
        {{255, 255, 250}, {43, 255, 253}},
    };
    for (const SCase& c : cases)
    {
        const SHSL hsl = ToHSL(c.in.r, c.in.g, c.in.b);
        EXPECT_EQ(hsl.h, c.out.h) << c.in.r << "," << c.in.g << "," << c.in.b;
        EXPECT_EQ(hsl.s, c.out.s) << c.in.r << "," << c.in.g << "," << c.in.b;
        EXPECT_EQ(hsl.l, c.out.l) << c.in.r << "," << c.in.g << "," << c.in.b;

        BYTE h = 0, s = 0, l = 0;
        RGB_to_HSL(RGB(static_cast<BYTE>(c.in.r), static_cast<BYTE>(c.in.g), static_cast<BYTE>(c.in.b)), h, s,
                   l);
        EXPECT_EQ(h, c.out.h);
        EXPECT_EQ(s, c.out.s);
        EXPECT_EQ(l, c.out.l);
    }
}

TEST(ColorConversions, PrimariesAndSecondariesComeBackAsWorkedOut)
{
    struct SCase
    {
        SRGB in;
        SRGB back;
    };
    // Primaries sit on whole hue steps (0, 85, 170) and only lose the odd
    // half of their midrange: l 128 gives 255 and 1. Secondaries sit on half
    // steps (42.5, 127.5, 212.5), rounded up to 3/255 past the secondary into
    // the next sextant, where the falling channel is 1 + 254 × 252 / 255 = 252.
    const SCase cases[] = {
        {{255, 0, 0}, {255, 1, 1}},
        {{0, 255, 0}, {1, 255, 1}},
        {{0, 0, 255}, {1, 1, 255}},
        {{255, 255, 0}, {252, 255, 1}},
        {{0, 255, 255}, {1, 252, 255}},
        {{255, 0, 255}, {255, 1, 252}},
        // Dark primaries with an even midrange come back exactly.
        {{128, 0, 0}, {128, 0, 0}},
        {{0, 0, 64}, {0, 0, 64}},
    };
    for (const SCase& c : cases)
    {
        const SHSL hsl = ToHSL(c.in.r, c.in.g, c.in.b);
        const SRGB back = ToRGB(hsl.h, hsl.s, hsl.l);
        EXPECT_EQ(back.r, c.back.r) << c.in.r << "," << c.in.g << "," << c.in.b;
        EXPECT_EQ(back.g, c.back.g) << c.in.r << "," << c.in.g << "," << c.in.b;
        EXPECT_EQ(back.b, c.back.b) << c.in.r << "," << c.in.g << "," << c.in.b;
    }
}

TEST(ColorConversions, FullySaturatedMidLightnessColoursKeepTheirHSL)
{
    // At l 128 and s 255 the colour has chroma 254 and a sextant step of about
    // six levels, so reading it back recovers every hue exactly.
    for (int h = 0; h < 255; ++h)
    {
        const SRGB rgb = ToRGB(h, 255, 128);
        const SHSL back = ToHSL(rgb.r, rgb.g, rgb.b);
        EXPECT_EQ(back.h, h);
        EXPECT_EQ(back.s, 255) << h;
        EXPECT_EQ(back.l, 128) << h;
    }
}

TEST(ColorConversions, EveryColourComesBackWithinTheDocumentedRounding)
{
    // Largest and middle channel within 4 (hue has 255 steps a turn), the
    // smallest within 1; greys exactly (checked above).
    int nWorstSmallest = 0, nWorstOther = 0;
    for (int r = 0; r < 256; ++r)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b)
            {
                const SHSL hsl = ToHSL(r, g, b);
                const SRGB back = ToRGB(hsl.h, hsl.s, hsl.l);
                const int nMin = std::min({r, g, b});
                const int aIn[3] = {r, g, b};
                const int aOut[3] = {back.r, back.g, back.b};
                // The channel that was smallest (the first of equals).
                const int iMin = (r == nMin) ? 0 : (g == nMin ? 1 : 2);
                for (int i = 0; i < 3; ++i)
                {
                    const int nError = std::abs(aIn[i] - aOut[i]);
                    if (i == iMin)
                        nWorstSmallest = std::max(nWorstSmallest, nError);
                    else
                        nWorstOther = std::max(nWorstOther, nError);
                }
            }
    EXPECT_LE(nWorstSmallest, 1);
    EXPECT_LE(nWorstOther, 4);
}

TEST(ColorConversions, ColoursMadeFromHSLSurviveAnotherTripWithinOneLevel)
{
    int nWorst = 0;
    for (int h = 0; h < 256; ++h)
        for (int s = 0; s < 256; ++s)
            for (int l = 0; l < 256; ++l)
            {
                const COLORREF clr = HSL_to_RGB(h, s, l);
                BYTE h2 = 0, s2 = 0, l2 = 0;
                RGB_to_HSL(clr, h2, s2, l2);
                const COLORREF again = HSL_to_RGB(h2, s2, l2);
                nWorst = std::max({nWorst, std::abs(GetRValue(clr) - GetRValue(again)),
                                   std::abs(GetGValue(clr) - GetGValue(again)),
                                   std::abs(GetBValue(clr) - GetBValue(again))});
            }
    EXPECT_LE(nWorst, 1);
}
