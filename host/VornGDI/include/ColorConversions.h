// Hue, saturation and lightness on the graphics module's byte scale.
//
// All three components are 0 to 255. Hue is a fraction of a full turn: hue h
// stands for h × 360 / 255 degrees, so 0 and 255 are both red, 85 is green
// and 170 is blue. Saturation and lightness are the usual bi-cone HSL
// quantities scaled to 255: lightness is the midrange (largest + smallest
// channel) / 2, saturation the chroma (largest − smallest) divided by the
// largest chroma that lightness allows.
//
// Rounding. Both directions are computed in exact integer arithmetic and
// rounded once, to the nearest value, halves upwards:
//  - RGB_to_HSL gives L = round((max + min) / 2), S = round(255 × chroma /
//    (255 − |max + min − 255|)), H = round(sextant position × 255 / 6) with
//    255 folded to 0 (so hue is 0 … 254 on the way out); greys give H = S = 0.
//  - HSL_to_RGB computes the exact channel values for the given bytes and
//    rounds each channel.
//
// Agreement. Lightness has 256 steps where the midrange of an RGB colour has
// 511, and hue has 255 steps per turn where a saturated colour has 1530, so
// RGB -> HSL -> RGB cannot be exact for every colour. It is exact for every
// grey. For any colour the smallest channel comes back within 1 and the other
// two within 4: a hue step moves the middle channel by up to
// chroma × 6 / 255 ≈ 6 levels, so half a step is 3, plus the lightness and
// saturation rounding; near a sextant's end the largest and the middle
// channel may trade places by as much. A fully saturated primary has the odd
// midrange 127.5, so pure red comes back as (255, 1, 1); the secondaries lie
// on half hue steps as well, so yellow comes back as (252, 255, 1). The other
// way round, a colour made by HSL_to_RGB that goes through RGB_to_HSL and
// back comes out within one level per channel (usually unchanged), so a
// picker that hands its colour to the host and gets it back moves it by one
// level at most.
#pragma once

#include "WinDef.h"

// The colour of (hue, saturation, lightness). Hue outside 0 … 255 is taken
// modulo the turn (255); saturation and lightness are limited to 0 … 255.
COLORREF HSL_to_RGB(int nHue, int nSaturation, int nLightness);
void HSL_to_RGB(int nHue, int nSaturation, int nLightness, BYTE& bRed, BYTE& bGreen, BYTE& bBlue);

// Hue, saturation and lightness of a colour.
void RGB_to_HSL(BYTE bRed, BYTE bGreen, BYTE bBlue, BYTE& bHue, BYTE& bSaturation, BYTE& bLightness);
void RGB_to_HSL(COLORREF clr, BYTE& bHue, BYTE& bSaturation, BYTE& bLightness);
