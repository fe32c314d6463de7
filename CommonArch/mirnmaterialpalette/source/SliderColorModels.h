// The colour models of the sliders picker, as pure functions over its value
// block, with the track-colour functions of its slider rows. The colour wheel
// page converts with the same functions.
//
// The value block holds 17 integers shared by all models:
//   0 grey K; 1-3 R, G, B (also the picker's current colour); 4-6 H (degrees),
//   S, L; 7-10 C, M, Y, K (percent); 11-13 L*, a*, b*; 14-16 web-safe R, G, B.
// Each model converts its own values to indices 1-3 and back.
#pragma once

#include "WinDef.h"

#include <array>

enum ESliderModel : int
{
    SLIDER_MODEL_GRAYSCALE = 0,
    SLIDER_MODEL_RGB = 1,
    SLIDER_MODEL_HSL = 2,
    SLIDER_MODEL_CMYK = 3,
    SLIDER_MODEL_LAB = 4,
    SLIDER_MODEL_WEB = 5,
};
constexpr int kSliderModelCount = 6;

// How a row's number is shown and typed.
enum ESliderKind : int
{
    SLIDER_KIND_PLAIN = 0,
    SLIDER_KIND_HEXADECIMAL = 1,
    SLIDER_KIND_PERCENT = 2,
    SLIDER_KIND_DEGREES = 3,
};

constexpr int kSliderValueCount = 17;
using SliderValueBlock = std::array<int, kSliderValueCount>;

// Indexes into the value block.
enum ESliderValue : int
{
    SLIDER_VALUE_GREY = 0,
    SLIDER_VALUE_RED = 1,
    SLIDER_VALUE_GREEN = 2,
    SLIDER_VALUE_BLUE = 3,
    SLIDER_VALUE_HUE = 4,
    SLIDER_VALUE_SATURATION = 5,
    SLIDER_VALUE_LIGHTNESS = 6,
    SLIDER_VALUE_CYAN = 7,
    SLIDER_VALUE_MAGENTA = 8,
    SLIDER_VALUE_YELLOW = 9,
    SLIDER_VALUE_BLACK = 10,
    SLIDER_VALUE_LAB_L = 11,
    SLIDER_VALUE_LAB_A = 12,
    SLIDER_VALUE_LAB_B = 13,
    SLIDER_VALUE_WEB_RED = 14,
    SLIDER_VALUE_WEB_GREEN = 15,
    SLIDER_VALUE_WEB_BLUE = 16,
};

// One row of a model: its channel's place in the value block, label, range
// and kind.
struct SSliderChannel
{
    int nValueIndex;
    const wchar_t* pszLabel;
    int nMin;
    int nMax;
    ESliderKind eKind;
};

// The models in list order: the list text and the rows.
struct SSliderModelInfo
{
    const wchar_t* pszName;
    int nFirstValue;
    int nRowCount;
};

const SSliderModelInfo& GetSliderModelInfo(ESliderModel eModel);
// The channel at a value-block index (0 … 16).
const SSliderChannel& GetSliderChannel(int nValueIndex);
// The model a value-block index belongs to.
ESliderModel GetSliderModelOfValue(int nValueIndex);
bool IsValidSliderModel(int nModel);

// Grayscale: K = (R + G + B) / 3 (integer division); back R = G = B = K.
int GreyFromRGB(int nRed, int nGreen, int nBlue);

// HSL with hue in degrees 0 … 359 and saturation and lightness 0 … 255.
// From RGB: L is the integer midrange, S the chroma over 1 − |L / 128 − 1| in
// single precision (truncated, at most 255), H rounded from the sextant
// position with red winning ties for the largest channel, then green. Note
// that a negative position is truncated toward zero, so magenta gives 301.
void HSLDegreesFromRGB(int nRed, int nGreen, int nBlue, int& nHue, int& nSaturation, int& nLightness);
// To RGB through the host's 0 … 255 conversion with hue × 255 / 360.
COLORREF HSLDegreesToRGB(int nHue, int nSaturation, int nLightness);

// CIE L*a*b* (D65 white, sRGB companding) with L* 0 … 100 and a*, b*
// −128 … 127. From RGB rounds L* and limits a* and b* to their range before
// rounding; to RGB limits each channel to 0 … 255.
void LabFromRGB(int nRed, int nGreen, int nBlue, int& nL, int& nA, int& nB);
COLORREF LabToRGB(int nL, int nA, int nB);

// The web-safe level (0, 51, 102, 153, 204, 255) of a channel: the first of
// 25, 76, 127, 178, 229, 255 not below it picks the level; above 255 gives 255.
int WebSafeLevel(int nChannel);
bool IsWebSafeLevel(int nChannel);

// CMYK through the host colour manager, percentages 0 … 100 (others are
// limited to that range). Both give false and change nothing when the host
// has no colour manager or it reports an error.
bool CMYKToRGB(const int aCMYK[4], int& nRed, int& nGreen, int& nBlue);
bool CMYKFromRGB(int nRed, int nGreen, int nBlue, int aCMYK[4]);

// The model's own values from indices 1-3, and indices 1-3 from the model's
// values. False (the block unchanged) when the CMYK conversion could not run
// or the model is unknown.
bool SliderModelFromRGB(int nModel, SliderValueBlock& values);
bool SliderModelToRGB(int nModel, SliderValueBlock& values);

// Track colours: the colour a row's slider shows at fraction f (0.0 at the
// left end, 1.0 at the right) of its track, by value-block index of the row.
COLORREF SliderTrackColor(int nValueIndex, double dFraction);
