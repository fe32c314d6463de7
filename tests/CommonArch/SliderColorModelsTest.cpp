#include "SliderColorModels.h"

#include "ColorConversions.h"
#include "ColorManager.h"

#include <gtest/gtest.h>

namespace
{
struct STriple
{
    int a, b, c;
};

STriple HSL(int r, int g, int b)
{
    STriple t{-1, -1, -1};
    HSLDegreesFromRGB(r, g, b, t.a, t.b, t.c);
    return t;
}

STriple Lab(int r, int g, int b)
{
    STriple t{-1, -1, -1};
    LabFromRGB(r, g, b, t.a, t.b, t.c);
    return t;
}

SliderValueBlock BlockWithColour(int r, int g, int b)
{
    SliderValueBlock values{};
    values[SLIDER_VALUE_RED] = r;
    values[SLIDER_VALUE_GREEN] = g;
    values[SLIDER_VALUE_BLUE] = b;
    return values;
}

// A colour manager that always fails.
class CBrokenColorManager : public CColorManager
{
public:
    CErrorAutoThrow ConvertCMYKtoRGB(const BYTE*, BYTE*, int, int, int, int) const override
    {
        return MIRN_ERR_HOST_FAILURE;
    }
    CErrorAutoThrow ColorTransformRGBtoCMYK(COLORREF, BYTE*, bool) const override
    {
        return MIRN_ERR_HOST_FAILURE;
    }
};

class SliderCMYK : public ::testing::Test
{
protected:
    void TearDown() override { CColorManager::ResetInstance(); }
};
} // namespace

TEST(SliderColorModels, GreyIsTheIntegerMeanOfTheChannels)
{
    EXPECT_EQ(GreyFromRGB(10, 20, 31), 20); // 61 / 3
    EXPECT_EQ(GreyFromRGB(255, 255, 254), 254);
    SliderValueBlock values = BlockWithColour(0, 0, 0);
    values[SLIDER_VALUE_GREY] = 77;
    ASSERT_TRUE(SliderModelToRGB(SLIDER_MODEL_GRAYSCALE, values));
    EXPECT_EQ(values[SLIDER_VALUE_RED], 77);
    EXPECT_EQ(values[SLIDER_VALUE_GREEN], 77);
    EXPECT_EQ(values[SLIDER_VALUE_BLUE], 77);
}

TEST(SliderColorModels, HSLFromRGBFollowsTheDegreeRules)
{
    struct SCase
    {
        STriple rgb;
        STriple hsl;
    };
    const SCase cases[] = {
        {{128, 128, 128}, {0, 0, 128}},
        // L = 255 / 2 = 127; 255 / (1 − 1/128) = 257 is limited to 255.
        {{255, 0, 0}, {0, 255, 127}},
        {{255, 255, 255}, {0, 0, 255}},
        // Red and green tie for the largest: red's formula, (255 − 0) / 255 × 60.
        {{255, 255, 0}, {60, 255, 127}},
        // Green largest: (255 − 0) / 255 + 2 = 3 sextants.
        {{0, 255, 255}, {180, 255, 127}},
        // Red ties blue: −1 × 60 + 0.5 = −59.5 truncates to −59, so 301.
        {{255, 0, 255}, {301, 255, 127}},
        // −10 / 255 × 60 + 0.5 = −1.85 truncates to −1: 359.
        {{255, 0, 10}, {359, 255, 127}},
        // L 125: 150 / (1 − |125/128 − 1|) = 153.6; hue 50 / 150 × 60 = 20.
        {{200, 100, 50}, {20, 153, 125}},
        // L 0 leaves no room: saturation is limited to 255.
        {{1, 0, 0}, {0, 255, 0}},
        // Blue largest: (10 − 20) / 90 + 4 = 3.889 sextants, 233.3 + 0.5 gives
        // 233; L 55: 90 / (1 − |55/128 − 1|) = 90 × 128 / 55 = 209.45.
        {{10, 20, 100}, {233, 209, 55}},
    };
    for (const SCase& c : cases)
    {
        const STriple hsl = HSL(c.rgb.a, c.rgb.b, c.rgb.c);
        EXPECT_EQ(hsl.a, c.hsl.a) << c.rgb.a << "," << c.rgb.b << "," << c.rgb.c;
        EXPECT_EQ(hsl.b, c.hsl.b) << c.rgb.a << "," << c.rgb.b << "," << c.rgb.c;
        EXPECT_EQ(hsl.c, c.hsl.c) << c.rgb.a << "," << c.rgb.b << "," << c.rgb.c;
    }
}

TEST(SliderColorModels, HSLToRGBScalesDegreesToTheHostTurn)
{
    // 359 × 255 / 360 = 254.3, so 254 goes to the host conversion.
    EXPECT_EQ(HSLDegreesToRGB(359, 255, 128), HSL_to_RGB(254, 255, 128));
    EXPECT_EQ(HSLDegreesToRGB(359, 255, 128), RGB(255, 1, 7));
    EXPECT_EQ(HSLDegreesToRGB(120, 255, 127), HSL_to_RGB(85, 255, 127));
    EXPECT_EQ(HSLDegreesToRGB(0, 0, 200), RGB(200, 200, 200));
    // Hues beyond any slider: 2147483647 × 255 / 360 = 1521134249.96, which is
    // 89 past a whole number of turns (5965232 × 255 = 1521134160).
    EXPECT_EQ(HSLDegreesToRGB(2147483647, 255, 128), HSL_to_RGB(89, 255, 128));
    // Channels beyond a byte count as its ends.
    const STriple wild = HSL(300, -5, 0);
    EXPECT_EQ(wild.a, 0);
    EXPECT_EQ(wild.b, 255);
    EXPECT_EQ(wild.c, 127);
    EXPECT_EQ(GreyFromRGB(300, -5, 0), 85);

    SliderValueBlock values = BlockWithColour(1, 2, 3);
    values[SLIDER_VALUE_HUE] = 240;
    values[SLIDER_VALUE_SATURATION] = 255;
    values[SLIDER_VALUE_LIGHTNESS] = 127;
    ASSERT_TRUE(SliderModelToRGB(SLIDER_MODEL_HSL, values));
    // 240 × 255 / 360 = 170, the start of the blue sextant.
    EXPECT_EQ(values[SLIDER_VALUE_RED], 0);
    EXPECT_EQ(values[SLIDER_VALUE_GREEN], 0);
    EXPECT_EQ(values[SLIDER_VALUE_BLUE], 254);
}

TEST(SliderColorModels, LabMatchesTheD65Reference)
{
    struct SCase
    {
        STriple rgb;
        STriple lab;
    };
    // Published L*a*b* of the sRGB colours (D65), rounded as the picker
    // rounds: up from .5, truncating toward zero, so −86.18 gives −85.
    const SCase cases[] = {
        {{255, 255, 255}, {100, 0, 0}},
        {{0, 0, 0}, {0, 0, 0}},
        {{255, 0, 0}, {53, 80, 67}},
        {{0, 255, 0}, {88, -85, 83}},
        {{0, 0, 255}, {32, 79, -107}},
        {{255, 0, 255}, {60, 98, -60}},
        {{119, 119, 119}, {50, 0, 0}},
        // Y = 0.0056 is in the linear part: 903.3 Y = 5.06.
        {{17, 17, 17}, {5, 0, 0}},
    };
    for (const SCase& c : cases)
    {
        const STriple lab = Lab(c.rgb.a, c.rgb.b, c.rgb.c);
        EXPECT_EQ(lab.a, c.lab.a) << c.rgb.a << "," << c.rgb.b << "," << c.rgb.c;
        EXPECT_EQ(lab.b, c.lab.b) << c.rgb.a << "," << c.rgb.b << "," << c.rgb.c;
        EXPECT_EQ(lab.c, c.lab.c) << c.rgb.a << "," << c.rgb.b << "," << c.rgb.c;
    }

    // Back to RGB: greys of L* 100, 50 and 5 (the last below the cube-root
    // part: Y = 5 / 903.3), and colours outside sRGB limited per channel.
    EXPECT_EQ(LabToRGB(100, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(LabToRGB(0, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(LabToRGB(50, 0, 0), RGB(119, 119, 119));
    EXPECT_EQ(LabToRGB(5, 0, 0), RGB(17, 17, 17));
    EXPECT_EQ(LabToRGB(53, 80, 67), RGB(254, 0, 0));
    EXPECT_EQ(LabToRGB(100, -128, 0), RGB(0, 255, 251));
    EXPECT_EQ(LabToRGB(100, 127, 0), RGB(255, 91, 255));
    EXPECT_EQ(LabToRGB(100, 0, -128), RGB(0, 255, 255));
}

TEST(SliderColorModels, WebSafeSnappingUsesTheThresholds)
{
    struct SCase
    {
        int nChannel;
        int nLevel;
    };
    const SCase cases[] = {{-4, 0},    {0, 0},     {25, 0},    {26, 51},    {76, 51},
                           {77, 102},  {127, 102}, {128, 153}, {178, 153},  {179, 204},
                           {229, 204}, {230, 255}, {255, 255}, {0x1FF, 255}};
    for (const SCase& c : cases)
        EXPECT_EQ(WebSafeLevel(c.nChannel), c.nLevel) << c.nChannel;

    EXPECT_TRUE(IsWebSafeLevel(0x66));
    EXPECT_FALSE(IsWebSafeLevel(0x67));
    EXPECT_EQ(WebSafeLevel(0x67), 0x66);
    EXPECT_TRUE(IsWebSafeLevel(0));
    EXPECT_TRUE(IsWebSafeLevel(255));
    EXPECT_FALSE(IsWebSafeLevel(306));
    EXPECT_FALSE(IsWebSafeLevel(-51));

    SliderValueBlock values = BlockWithColour(26, 128, 230);
    ASSERT_TRUE(SliderModelFromRGB(SLIDER_MODEL_WEB, values));
    EXPECT_EQ(values[SLIDER_VALUE_WEB_RED], 51);
    EXPECT_EQ(values[SLIDER_VALUE_WEB_GREEN], 153);
    EXPECT_EQ(values[SLIDER_VALUE_WEB_BLUE], 255);
    values[SLIDER_VALUE_WEB_GREEN] = 0x33;
    ASSERT_TRUE(SliderModelToRGB(SLIDER_MODEL_WEB, values));
    EXPECT_EQ(values[SLIDER_VALUE_RED], 51);
    EXPECT_EQ(values[SLIDER_VALUE_GREEN], 0x33);
    EXPECT_EQ(values[SLIDER_VALUE_BLUE], 255);
}

TEST_F(SliderCMYK, ConvertsThroughTheColourManagerInPercent)
{
    // Ink bytes 255 − p × 255 / 100: 230, 204, 179, 153; the built-in manager
    // multiplies the light through: 230 × 153 / 255 = 138 and so on.
    const int aCMYK[4] = {10, 20, 30, 40};
    int r = -1, g = -1, b = -1;
    ASSERT_TRUE(CMYKToRGB(aCMYK, r, g, b));
    EXPECT_EQ(r, 138);
    EXPECT_EQ(g, 122);
    EXPECT_EQ(b, 107);

    // Back, the grey goes into black: ink (0, 30, 57, 117) is 0, 11.76,
    // 22.35 and 45.88 percent, rounded: not the numbers we started from.
    int aBack[4] = {-1, -1, -1, -1};
    ASSERT_TRUE(CMYKFromRGB(r, g, b, aBack));
    EXPECT_EQ(aBack[0], 0);
    EXPECT_EQ(aBack[1], 12);
    EXPECT_EQ(aBack[2], 22);
    EXPECT_EQ(aBack[3], 46);

    SliderValueBlock values = BlockWithColour(255, 0, 0);
    ASSERT_TRUE(SliderModelFromRGB(SLIDER_MODEL_CMYK, values));
    EXPECT_EQ(values[SLIDER_VALUE_CYAN], 0);
    EXPECT_EQ(values[SLIDER_VALUE_MAGENTA], 100);
    EXPECT_EQ(values[SLIDER_VALUE_YELLOW], 100);
    EXPECT_EQ(values[SLIDER_VALUE_BLACK], 0);
    values = BlockWithColour(128, 128, 128);
    ASSERT_TRUE(SliderModelFromRGB(SLIDER_MODEL_CMYK, values));
    EXPECT_EQ(values[SLIDER_VALUE_BLACK], 50); // 127 × 100 / 255 = 49.8

    values = BlockWithColour(9, 9, 9);
    values[SLIDER_VALUE_CYAN] = 0;
    values[SLIDER_VALUE_MAGENTA] = 100;
    values[SLIDER_VALUE_YELLOW] = 0;
    values[SLIDER_VALUE_BLACK] = 0;
    ASSERT_TRUE(SliderModelToRGB(SLIDER_MODEL_CMYK, values));
    EXPECT_EQ(values[SLIDER_VALUE_RED], 255);
    EXPECT_EQ(values[SLIDER_VALUE_GREEN], 0);
    EXPECT_EQ(values[SLIDER_VALUE_BLUE], 255);

    // Percentages beyond 0 … 100 count as the nearest end.
    const int aWild[4] = {-20, 300, 0, 0};
    ASSERT_TRUE(CMYKToRGB(aWild, r, g, b));
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 255);
}

TEST_F(SliderCMYK, WithoutAWorkingColourManagerNothingChanges)
{
    CBrokenColorManager broken;
    for (CColorManager* pManager :
         {static_cast<CColorManager*>(nullptr), static_cast<CColorManager*>(&broken)})
    {
        CColorManager::SetInstance(pManager);
        SliderValueBlock values = BlockWithColour(10, 20, 30);
        values[SLIDER_VALUE_CYAN] = 1;
        values[SLIDER_VALUE_MAGENTA] = 2;
        values[SLIDER_VALUE_YELLOW] = 3;
        values[SLIDER_VALUE_BLACK] = 4;
        const SliderValueBlock before = values;
        EXPECT_FALSE(SliderModelFromRGB(SLIDER_MODEL_CMYK, values));
        EXPECT_EQ(values, before);
        EXPECT_FALSE(SliderModelToRGB(SLIDER_MODEL_CMYK, values));
        EXPECT_EQ(values, before);
    }
}

TEST(SliderColorModels, BlockConversionsTouchOnlyTheirOwnValues)
{
    SliderValueBlock values = BlockWithColour(200, 100, 50);
    for (int i = SLIDER_VALUE_HUE; i < kSliderValueCount; ++i)
        values[static_cast<size_t>(i)] = 1000 + i;
    SliderValueBlock expected = values;

    ASSERT_TRUE(SliderModelFromRGB(SLIDER_MODEL_GRAYSCALE, values));
    expected[SLIDER_VALUE_GREY] = 116; // 350 / 3
    ASSERT_TRUE(SliderModelFromRGB(SLIDER_MODEL_HSL, values));
    expected[SLIDER_VALUE_HUE] = 20;
    expected[SLIDER_VALUE_SATURATION] = 153;
    expected[SLIDER_VALUE_LIGHTNESS] = 125;
    ASSERT_TRUE(SliderModelFromRGB(SLIDER_MODEL_WEB, values));
    expected[SLIDER_VALUE_WEB_RED] = 204;
    expected[SLIDER_VALUE_WEB_GREEN] = 102;
    expected[SLIDER_VALUE_WEB_BLUE] = 51;
    ASSERT_TRUE(SliderModelFromRGB(SLIDER_MODEL_RGB, values));
    EXPECT_EQ(values, expected);

    EXPECT_FALSE(SliderModelFromRGB(6, values));
    EXPECT_FALSE(SliderModelToRGB(-1, values));
    EXPECT_EQ(values, expected);
    EXPECT_FALSE(IsValidSliderModel(6));
    EXPECT_TRUE(IsValidSliderModel(SLIDER_MODEL_WEB));
}

TEST(SliderColorModels, RowsAndModelsDescribeTheValueBlock)
{
    int nRows = 0;
    for (int m = 0; m < kSliderModelCount; ++m)
    {
        const SSliderModelInfo& info = GetSliderModelInfo(static_cast<ESliderModel>(m));
        EXPECT_EQ(info.nFirstValue, nRows);
        for (int r = 0; r < info.nRowCount; ++r)
            EXPECT_EQ(GetSliderModelOfValue(info.nFirstValue + r), m);
        nRows += info.nRowCount;
    }
    EXPECT_EQ(nRows, kSliderValueCount);
    EXPECT_STREQ(GetSliderModelInfo(SLIDER_MODEL_GRAYSCALE).pszName, L"Grayscale");
    EXPECT_STREQ(GetSliderModelInfo(SLIDER_MODEL_WEB).pszName, L"WEB");

    EXPECT_EQ(GetSliderChannel(SLIDER_VALUE_HUE).nMax, 359);
    EXPECT_EQ(GetSliderChannel(SLIDER_VALUE_HUE).eKind, SLIDER_KIND_DEGREES);
    EXPECT_EQ(GetSliderChannel(SLIDER_VALUE_BLACK).nMax, 100);
    EXPECT_EQ(GetSliderChannel(SLIDER_VALUE_BLACK).eKind, SLIDER_KIND_PERCENT);
    EXPECT_STREQ(GetSliderChannel(SLIDER_VALUE_BLACK).pszLabel, L"K");
    EXPECT_EQ(GetSliderChannel(SLIDER_VALUE_LAB_A).nMin, -128);
    EXPECT_EQ(GetSliderChannel(SLIDER_VALUE_LAB_B).nMax, 127);
    EXPECT_EQ(GetSliderChannel(SLIDER_VALUE_WEB_GREEN).eKind, SLIDER_KIND_HEXADECIMAL);
    for (int i = 0; i < kSliderValueCount; ++i)
        EXPECT_EQ(GetSliderChannel(i).nValueIndex, i);
}

TEST(SliderColorModels, TrackColoursAlongTheSliders)
{
    // t = truncate(f × 255): 127 at the middle.
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_GREY, 0.5), RGB(127, 127, 127));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_LAB_L, 1.0), RGB(255, 255, 255));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_RED, 1.0), RGB(255, 0, 0));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_GREEN, 0.2), RGB(0, 51, 0));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_BLUE, 0.0), RGB(0, 0, 0));
    // Hue, saturation and lightness ramps through the host conversion.
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_HUE, 0.0), RGB(255, 1, 1));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_HUE, 1.0), RGB(255, 1, 1));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_SATURATION, 0.0), RGB(128, 128, 128));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_LIGHTNESS, 1.0), RGB(255, 255, 255));
    // Ink ramps start with no ink.
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_CYAN, 0.0), RGB(255, 255, 255));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_CYAN, 1.0), RGB(0, 255, 255));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_YELLOW, 1.0), RGB(255, 255, 0));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_BLACK, 1.0), RGB(0, 0, 0));
    // a* and b* at full lightness: n − 128 from −128 to 127; the middle is white.
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_LAB_A, 0.0), RGB(0, 255, 251));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_LAB_A, 1.0), RGB(255, 91, 255));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_LAB_B, 0.5), RGB(255, 255, 255));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_LAB_B, 0.0), RGB(0, 255, 255));
    // Web levels in six equal steps; the right end stays on the last.
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_WEB_RED, 0.16), RGB(0, 0, 0));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_WEB_RED, 0.5), RGB(153, 0, 0));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_WEB_GREEN, 0.99), RGB(0, 255, 0));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_WEB_BLUE, 1.0), RGB(0, 0, 255));
    // Fractions outside the track count as its ends.
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_RED, 7.0), RGB(255, 0, 0));
    EXPECT_EQ(SliderTrackColor(SLIDER_VALUE_RED, -1.0), RGB(0, 0, 0));
}
