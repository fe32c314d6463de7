// Draws the palette's images at build time, so that no binary image is kept in
// the repository.
//
// Images named by path are written once per display scale:
// <out>/100/<path> and <out>/200/<path>, where <path> is the image's name with
// "\" turned into "/". Names ending in ".bmp" are written as 32-bit bitmaps
// with straight alpha, the others as PNG.
//
// With --source FILE the generator also writes a C++ source holding the bytes
// of every image, the ones named by path (at both scales) and the bitmaps,
// PNG images, cursors and the icon that the language resource module lists by
// number, so that the module carries its images inside it.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <functional>
#include <string>
#include <vector>

namespace
{
using Painter = std::function<void(cairo_t*)>;

// How an image is stored.
enum class EStore
{
    Path,          // by path at 100% and 200%, PNG or bitmap by the name's extension
    Bitmap,        // by number, a 32-bit bitmap with straight alpha
    BitmapOnGrey,  // by number, an opaque bitmap on light grey 0xC0C0C0 (a mapped bitmap)
    BitmapOnBlack, // by number, an opaque bitmap on black (combined by exclusive-or)
    Png,           // by number, PNG with alpha
    Cursor,        // by number, PNG with alpha and a hot spot
    Icon,          // by number, PNG with alpha
};

struct SImage
{
    const char* pszPath; // the path, for EStore::Path
    int nUnits;          // edge length at 100% scale, in pixels (square images)
    Painter paint;
    EStore eStore = EStore::Path;
    unsigned nId = 0; // the resource number of the other kinds
    int nHeight = 0;  // height at 100% when not square; the painter then draws in pixels
    int xHotspot = 0; // cursors
    int yHotspot = 0;
};

void Colour(cairo_t* cr, unsigned rgb, double alpha = 1.0)
{
    cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0,
                          alpha);
}

constexpr unsigned kInk = 0x3C3C3C;
constexpr unsigned kAccent = 0x2F6FCE;

// An arrow head at (x, y) pointing along angle a.
void ArrowHead(cairo_t* cr, double x, double y, double a, double size)
{
    cairo_move_to(cr, x + std::cos(a) * size, y + std::sin(a) * size);
    cairo_line_to(cr, x + std::cos(a + 2.4) * size, y + std::sin(a + 2.4) * size);
    cairo_line_to(cr, x + std::cos(a - 2.4) * size, y + std::sin(a - 2.4) * size);
    cairo_close_path(cr);
    cairo_fill(cr);
}

// A quarter-circle arrow from the top-left to the bottom-right corner with
// heads at both ends: the swap button.
void PaintSwap(cairo_t* cr)
{
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.5);
    cairo_arc(cr, 3.5, 12.5, 9.0, -M_PI / 2, 0);
    cairo_stroke(cr);
    ArrowHead(cr, 3.0, 3.5, M_PI, 3.2);
    ArrowHead(cr, 12.5, 13.0, M_PI / 2, 3.2);
}

// Black over white, offset like the two material samples.
void PaintBlackWhite(cairo_t* cr)
{
    Colour(cr, 0xFFFFFF);
    cairo_rectangle(cr, 6.5, 6.5, 8, 8);
    cairo_fill_preserve(cr);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    Colour(cr, 0x000000);
    cairo_rectangle(cr, 1.5, 1.5, 8, 8);
    cairo_fill_preserve(cr);
    cairo_stroke(cr);
}

// A chequerboard crossed by a red stroke: no material.
void PaintTransparent(cairo_t* cr)
{
    for (int y = 0; y < 4; ++y)
    {
        for (int x = 0; x < 4; ++x)
        {
            Colour(cr, (x + y) % 2 == 0 ? 0xFFFFFF : 0xC8C8C8);
            cairo_rectangle(cr, 2 + x * 3, 2 + y * 3, 3, 3);
            cairo_fill(cr);
        }
    }
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, 1.5, 1.5, 13, 13);
    cairo_stroke(cr);
    Colour(cr, 0xD02020);
    cairo_set_line_width(cr, 1.6);
    cairo_move_to(cr, 2, 14);
    cairo_line_to(cr, 14, 2);
    cairo_stroke(cr);
}

// Woven diagonal strokes: a texture.
void PaintTexture(cairo_t* cr)
{
    Colour(cr, 0xB08850);
    cairo_rectangle(cr, 1.5, 1.5, 13, 13);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_rectangle(cr, 1.5, 1.5, 13, 13);
    cairo_clip(cr);
    Colour(cr, 0x6E4E22);
    cairo_set_line_width(cr, 1.2);
    for (int i = -12; i <= 12; i += 4)
    {
        cairo_move_to(cr, 1.5 + i, 14.5);
        cairo_line_to(cr, 14.5 + i, 1.5);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, 1.5, 1.5, 13, 13);
    cairo_stroke(cr);
}

void PaintPlus(cairo_t* cr, unsigned rgb, bool bRing)
{
    if (bRing)
    {
        Colour(cr, rgb, 0.18);
        cairo_arc(cr, 8, 8, 7, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    Colour(cr, rgb);
    cairo_rectangle(cr, 7, 3, 2, 10);
    cairo_rectangle(cr, 3, 7, 10, 2);
    cairo_fill(cr);
}

void PaintMinus(cairo_t* cr)
{
    Colour(cr, kInk);
    cairo_rectangle(cr, 3, 7, 10, 2);
    cairo_fill(cr);
}

// Three short lines with knobs: the options menu.
void PaintOptions(cairo_t* cr)
{
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.4);
    const double knobs[3] = {10.5, 5.5, 8.5};
    for (int i = 0; i < 3; ++i)
    {
        const double y = 4 + i * 4;
        cairo_move_to(cr, 2, y);
        cairo_line_to(cr, 14, y);
        cairo_stroke(cr);
        cairo_arc(cr, knobs[i], y, 1.8, 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

// An eyedropper lying from bottom-left to top-right.
void PaintDropper(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 8, 8);
    cairo_rotate(cr, -M_PI / 4);
    Colour(cr, kInk);
    cairo_rectangle(cr, 1.5, -2.8, 5.0, 5.6); // bulb
    cairo_fill(cr);
    cairo_rectangle(cr, 0.5, -3.4, 1.2, 6.8); // collar
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, -6.0, -1.4, 6.5, 2.8); // glass
    cairo_stroke(cr);
    Colour(cr, kAccent);
    cairo_rectangle(cr, -6.0, -0.9, 3.5, 1.8);
    cairo_fill(cr);
    cairo_restore(cr);
}

void PaintTriangle(cairo_t* cr, bool bRight)
{
    Colour(cr, kInk);
    if (bRight)
    {
        cairo_move_to(cr, 5, 3);
        cairo_line_to(cr, 12, 8);
        cairo_line_to(cr, 5, 13);
    }
    else
    {
        cairo_move_to(cr, 11, 3);
        cairo_line_to(cr, 4, 8);
        cairo_line_to(cr, 11, 13);
    }
    cairo_close_path(cr);
    cairo_fill(cr);
}

void FrameGradientIcon(cairo_t* cr)
{
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, 1.5, 1.5, 13, 13);
    cairo_stroke(cr);
}

void PaintLinear(cairo_t* cr)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(2, 0, 14, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgb(p, 1, 1, 1, 1);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, 2, 2, 12, 12);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    FrameGradientIcon(cr);
}

void PaintRadial(cairo_t* cr)
{
    cairo_pattern_t* p = cairo_pattern_create_radial(8, 8, 0, 8, 8, 8.5);
    cairo_pattern_add_color_stop_rgb(p, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgb(p, 1, 1, 1, 1);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, 2, 2, 12, 12);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    FrameGradientIcon(cr);
}

void PaintRectangular(cairo_t* cr)
{
    // Nested squares from dark in the middle to light at the edge.
    for (int i = 6; i >= 0; --i)
    {
        const double grey = i / 6.0;
        cairo_set_source_rgb(cr, grey, grey, grey);
        cairo_rectangle(cr, 8 - i, 8 - i, 2 * i, 2 * i);
        cairo_fill(cr);
    }
    FrameGradientIcon(cr);
}

void PaintAngular(cairo_t* cr)
{
    // A sweep around the centre, drawn as thin wedges.
    const int wedges = 72;
    cairo_save(cr);
    // Antialiased wedge edges would leave light seams between neighbours.
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_rectangle(cr, 2, 2, 12, 12);
    cairo_clip(cr);
    for (int i = 0; i < wedges; ++i)
    {
        const double a0 = 2 * M_PI * i / wedges;
        const double a1 = 2 * M_PI * (i + 1) / wedges + 0.05;
        const double grey = static_cast<double>(i) / (wedges - 1);
        cairo_set_source_rgb(cr, grey, grey, grey);
        cairo_move_to(cr, 8, 8);
        cairo_arc(cr, 8, 8, 9, a0, a1);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    FrameGradientIcon(cr);
}

// --- Images the resource module lists by number ---------------------------

// A small square of colour with a dark frame: the solid colour style.
void PaintSolidStyle(cairo_t* cr)
{
    Colour(cr, 0xD83A3A);
    cairo_rectangle(cr, 2.5, 2.5, 11, 11);
    cairo_fill_preserve(cr);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

// Dots on a light ground: the pattern style.
void PaintPatternStyle(cairo_t* cr)
{
    Colour(cr, 0xF4E6C8);
    cairo_rectangle(cr, 2.5, 2.5, 11, 11);
    cairo_fill(cr);
    Colour(cr, 0x3C7A3C);
    for (int y = 0; y < 3; ++y)
    {
        for (int x = 0; x < 3; ++x)
        {
            cairo_arc(cr, 4.5 + x * 3.5, 4.5 + y * 3.5, 1.1, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    }
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, 2.5, 2.5, 11, 11);
    cairo_stroke(cr);
}

// Blue to yellow: the gradient style.
void PaintGradientStyle(cairo_t* cr)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(3, 0, 13, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.18, 0.44, 0.81);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.98, 0.86, 0.25);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, 2.5, 2.5, 11, 11);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, 2.5, 2.5, 11, 11);
    cairo_stroke(cr);
}

// A brush with a wet tip: art media.
void PaintArtMediaStyle(cairo_t* cr)
{
    Colour(cr, 0x8A5A2B);
    cairo_set_line_width(cr, 2.0);
    cairo_move_to(cr, 13.5, 2.5);
    cairo_line_to(cr, 7.5, 8.5);
    cairo_stroke(cr);
    Colour(cr, 0x2F6FCE);
    cairo_move_to(cr, 8.5, 7.5);
    cairo_curve_to(cr, 9.5, 11.0, 5.0, 14.0, 2.0, 14.0);
    cairo_curve_to(cr, 2.0, 11.0, 4.5, 6.5, 8.5, 7.5);
    cairo_fill(cr);
}

// A grid of swatches with a small arrow: the swatch flyout button.
void PaintSwatchFlyout(cairo_t* cr)
{
    const unsigned colours[4] = {0xD83A3A, 0x3C9A3C, 0x2F6FCE, 0xF0C020};
    for (int i = 0; i < 4; ++i)
    {
        Colour(cr, colours[i]);
        cairo_rectangle(cr, 1.5 + (i % 2) * 6, 1.5 + (i / 2) * 6, 5, 5);
        cairo_fill(cr);
    }
    Colour(cr, kInk);
    cairo_move_to(cr, 10.5, 13.0);
    cairo_line_to(cr, 15.5, 13.0);
    cairo_line_to(cr, 13.0, 15.5);
    cairo_close_path(cr);
    cairo_fill(cr);
}

// The gradient editor's stop marker, 11 x 11 pixels: a little house pointing
// up at the bar, framed so that it shows on any colour.
void PaintStopMarker(cairo_t* cr)
{
    cairo_move_to(cr, 5.5, 0.5);
    cairo_line_to(cr, 10.5, 5.0);
    cairo_line_to(cr, 10.5, 10.5);
    cairo_line_to(cr, 0.5, 10.5);
    cairo_line_to(cr, 0.5, 5.0);
    cairo_close_path(cr);
    Colour(cr, 0xFFFFFF);
    cairo_fill_preserve(cr);
    Colour(cr, 0x000000);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

// The midpoint marker, 7 x 7 pixels: a diamond.
void PaintMidpointMarker(cairo_t* cr)
{
    cairo_move_to(cr, 3.5, 0.5);
    cairo_line_to(cr, 6.5, 3.5);
    cairo_line_to(cr, 3.5, 6.5);
    cairo_line_to(cr, 0.5, 3.5);
    cairo_close_path(cr);
    Colour(cr, 0x000000);
    cairo_fill(cr);
}

// The pickers' markers are combined with the screen by exclusive-or: white
// inverts, the black ground leaves the picture alone.
void PaintPickerMarker(cairo_t* cr) // 7 x 7: a ring around the marked pixel
{
    Colour(cr, 0xFFFFFF);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, 1.5, 0.5, 4, 6);
    cairo_rectangle(cr, 0.5, 1.5, 6, 4);
    cairo_stroke(cr);
}

void PaintArrowRight(cairo_t* cr) // 6 x 9: points left at the marker's row
{
    Colour(cr, 0xFFFFFF);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    for (int x = 0; x < 5; ++x)
    {
        cairo_rectangle(cr, x + 1, 4 - x, 1, 1 + 2 * x);
    }
    cairo_fill(cr);
}

void PaintArrowBottom(cairo_t* cr) // 9 x 6: points up at the marker's column
{
    Colour(cr, 0xFFFFFF);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    for (int y = 0; y < 5; ++y)
    {
        cairo_rectangle(cr, 4 - y, y + 1, 1 + 2 * y, 1);
    }
    cairo_fill(cr);
}

// The hue slider's thumb, 9 x 13 pixels: a caret under the bar.
void PaintHueThumb(cairo_t* cr)
{
    cairo_move_to(cr, 4.5, 0.5);
    cairo_line_to(cr, 8.5, 6.5);
    cairo_line_to(cr, 8.5, 12.5);
    cairo_line_to(cr, 0.5, 12.5);
    cairo_line_to(cr, 0.5, 6.5);
    cairo_close_path(cr);
    Colour(cr, 0xF8F8F8);
    cairo_fill_preserve(cr);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

// Tab images: the ring picker (a frame of hues), the swatches, the map and
// the sliders.
void PaintRingTab(cairo_t* cr)
{
    const unsigned hues[6] = {0xE03030, 0xE0E030, 0x30E030, 0x30E0E0, 0x3030E0, 0xE030E0};
    cairo_set_line_width(cr, 3.0);
    for (int i = 0; i < 4; ++i)
    {
        Colour(cr, hues[i]);
        const double corners[5][2] = {{2.5, 2.5}, {13.5, 2.5}, {13.5, 13.5}, {2.5, 13.5}, {2.5, 2.5}};
        cairo_move_to(cr, corners[i][0], corners[i][1]);
        cairo_line_to(cr, corners[i + 1][0], corners[i + 1][1]);
        cairo_stroke(cr);
    }
    Colour(cr, hues[4]);
    cairo_rectangle(cr, 5.5, 5.5, 5, 5);
    cairo_fill(cr);
}

void PaintSwatchesTab(cairo_t* cr)
{
    const unsigned colours[9] = {0xD83A3A, 0xF08A20, 0xF0D020, 0x3C9A3C, 0x30B0B0,
                                 0x2F6FCE, 0x7A3CC0, 0x404040, 0xC0C0C0};
    for (int i = 0; i < 9; ++i)
    {
        Colour(cr, colours[i]);
        cairo_rectangle(cr, 1 + (i % 3) * 5, 1 + (i / 3) * 5, 4, 4);
        cairo_fill(cr);
    }
}

void PaintMapTab(cairo_t* cr)
{
    cairo_pattern_t* across = cairo_pattern_create_linear(1, 0, 15, 0);
    cairo_pattern_add_color_stop_rgb(across, 0, 0.5, 0.5, 0.5);
    cairo_pattern_add_color_stop_rgb(across, 1, 0.9, 0.1, 0.1);
    cairo_set_source(cr, across);
    cairo_rectangle(cr, 1, 1, 14, 14);
    cairo_fill(cr);
    cairo_pattern_destroy(across);
    cairo_pattern_t* down = cairo_pattern_create_linear(0, 1, 0, 15);
    cairo_pattern_add_color_stop_rgba(down, 0, 0, 0, 0, 0.9);
    cairo_pattern_add_color_stop_rgba(down, 0.5, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(down, 0.5, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(down, 1, 1, 1, 1, 0.9);
    cairo_set_source(cr, down);
    cairo_rectangle(cr, 1, 1, 14, 14);
    cairo_fill(cr);
    cairo_pattern_destroy(down);
}

void PaintSlidersTab(cairo_t* cr)
{
    const unsigned colours[3] = {0xD83A3A, 0x3C9A3C, 0x2F6FCE};
    const double knobs[3] = {11, 5, 8};
    for (int i = 0; i < 3; ++i)
    {
        const double y = 3.5 + i * 4.5;
        Colour(cr, colours[i]);
        cairo_set_line_width(cr, 1.5);
        cairo_move_to(cr, 1.5, y);
        cairo_line_to(cr, 14.5, y);
        cairo_stroke(cr);
        Colour(cr, kInk);
        cairo_rectangle(cr, knobs[i] - 1.5, y - 2, 3, 4);
        cairo_fill(cr);
    }
}

// The pane icon: a foreground square over a background square.
void PaintPaneIcon(cairo_t* cr)
{
    Colour(cr, 0xFFFFFF);
    cairo_rectangle(cr, 5.5, 5.5, 9, 9);
    cairo_fill_preserve(cr);
    Colour(cr, kInk);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    Colour(cr, 0x2F6FCE);
    cairo_rectangle(cr, 1.5, 1.5, 9, 9);
    cairo_fill_preserve(cr);
    Colour(cr, kInk);
    cairo_stroke(cr);
}

// Cursors, 32 x 32 pixels, outlined in white so that they show on dark and
// light pictures alike.
void OutlinedStroke(cairo_t* cr, double width)
{
    Colour(cr, 0xFFFFFF);
    cairo_set_line_width(cr, width + 2.0);
    cairo_stroke_preserve(cr);
    Colour(cr, 0x000000);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// The dropper: its tip at the bottom left corner, the hot spot.
void PaintDropperCursor(cairo_t* cr)
{
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 1.5, 30.5);
    cairo_line_to(cr, 4.5, 27.5);
    OutlinedStroke(cr, 1.0);
    // The glass tube.
    cairo_move_to(cr, 4.5, 27.5);
    cairo_line_to(cr, 17.5, 14.5);
    cairo_line_to(cr, 20.5, 17.5);
    cairo_line_to(cr, 7.5, 30.5);
    cairo_close_path(cr);
    Colour(cr, 0xFFFFFF);
    cairo_fill_preserve(cr);
    OutlinedStroke(cr, 1.0);
    // The bulb.
    cairo_move_to(cr, 16.0, 13.0);
    cairo_line_to(cr, 24.0, 5.0);
    cairo_curve_to(cr, 27.0, 2.0, 32.0, 7.0, 29.0, 10.0);
    cairo_line_to(cr, 22.0, 19.0);
    cairo_close_path(cr);
    Colour(cr, 0x000000);
    cairo_fill_preserve(cr);
    Colour(cr, 0xFFFFFF);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

// Dropping a colour: an arrow with its point at the top left corner (the hot
// spot) and a colour square at its tail.
void PaintDropCursor(cairo_t* cr)
{
    cairo_move_to(cr, 0.5, 0.5);
    cairo_line_to(cr, 0.5, 17.5);
    cairo_line_to(cr, 4.5, 13.5);
    cairo_line_to(cr, 8.0, 20.5);
    cairo_line_to(cr, 10.5, 19.5);
    cairo_line_to(cr, 7.5, 12.5);
    cairo_line_to(cr, 12.5, 12.5);
    cairo_close_path(cr);
    Colour(cr, 0x000000);
    cairo_fill_preserve(cr);
    Colour(cr, 0xFFFFFF);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_rectangle(cr, 14.5, 17.5, 12, 12);
    Colour(cr, 0x2F6FCE);
    cairo_fill_preserve(cr);
    OutlinedStroke(cr, 1.0);
}

SImage Numbered(unsigned nId, EStore eStore, int nWidth, int nHeight, Painter paint, int xHotspot = 0,
                int yHotspot = 0)
{
    SImage image{nullptr, nWidth, std::move(paint)};
    image.eStore = eStore;
    image.nId = nId;
    image.nHeight = nHeight;
    image.xHotspot = xHotspot;
    image.yHotspot = yHotspot;
    return image;
}

const std::vector<SImage>& Images()
{
    static const std::vector<SImage> images = {
        {"MirnMaterialPalette\\swapperarrows.bmp", 16, PaintSwap},
        {"MirnMaterialPalette\\swapperarrowssmall.bmp", 10, PaintSwap},
        {"MirnMaterialPalette\\blackwhite.bmp", 16, PaintBlackWhite},
        {"MirnMaterialPalette\\Transparent-Materials.bmp", 16, PaintTransparent},
        {"MirnMaterialPalette\\Texture-Materials.bmp", 16, PaintTexture},
        {"MirnMaterialPalette\\Add.png", 16, [](cairo_t* cr) { PaintPlus(cr, kInk, false); }},
        {"MirnMaterialPalette\\Add_highlight.png", 16, [](cairo_t* cr) { PaintPlus(cr, kAccent, true); }},
        {"MirnMaterialPalette\\Options-Materials.png", 16, PaintOptions},
        {"MirnMaterialPalette\\Next-16.png", 16, [](cairo_t* cr) { PaintTriangle(cr, true); }},
        {"MirnMaterialPalette\\Previous-16.png", 16, [](cairo_t* cr) { PaintTriangle(cr, false); }},
        {"ToolOptions\\Dropper.png", 16, PaintDropper},
        {"ToolOptions\\Add-16.png", 16, [](cairo_t* cr) { PaintPlus(cr, kInk, false); }},
        {"ToolOptions\\Remove-16.png", 16, PaintMinus},
        {"VornXUI\\DWZP\\gradlinear.png", 20, PaintLinear},
        {"VornXUI\\DWZP\\gradradial.png", 20, PaintRadial},
        {"VornXUI\\DWZP\\gradrectangular.png", 20, PaintRectangular},
        {"VornXUI\\DWZP\\gradangular.png", 20, PaintAngular},
        // Style icons: with transparency, and on light grey for mapped bitmaps.
        Numbered(15909, EStore::Png, 16, 0, PaintSolidStyle),
        Numbered(15909, EStore::BitmapOnGrey, 16, 0, PaintSolidStyle),
        Numbered(15908, EStore::Png, 16, 0, PaintPatternStyle),
        Numbered(15908, EStore::BitmapOnGrey, 16, 0, PaintPatternStyle),
        Numbered(15907, EStore::Png, 16, 0, PaintGradientStyle),
        Numbered(15907, EStore::BitmapOnGrey, 16, 0, PaintGradientStyle),
        Numbered(15931, EStore::Png, 16, 0, PaintArtMediaStyle),
        Numbered(15931, EStore::BitmapOnGrey, 16, 0, PaintArtMediaStyle),
        Numbered(15914, EStore::Png, 16, 0, PaintTexture),
        Numbered(15914, EStore::BitmapOnGrey, 16, 0, PaintTexture),
        Numbered(15905, EStore::Bitmap, 16, 0, PaintTransparent),
        Numbered(15912, EStore::Bitmap, 16, 0, PaintSwatchFlyout),
        Numbered(15916, EStore::Bitmap, 20, 0, PaintRectangular),
        Numbered(15917, EStore::Bitmap, 20, 0, PaintLinear),
        Numbered(15918, EStore::Bitmap, 20, 0, PaintRadial),
        Numbered(15919, EStore::Bitmap, 20, 0, PaintAngular),
        Numbered(15922, EStore::Bitmap, 7, 7, PaintMidpointMarker),
        Numbered(15923, EStore::Bitmap, 11, 11, PaintStopMarker),
        Numbered(15929, EStore::BitmapOnBlack, 6, 9, PaintArrowRight),
        Numbered(15930, EStore::BitmapOnBlack, 9, 6, PaintArrowBottom),
        Numbered(15934, EStore::BitmapOnBlack, 7, 7, PaintPickerMarker),
        Numbered(15951, EStore::Bitmap, 9, 13, PaintHueThumb),
        Numbered(15937, EStore::Png, 16, 0, PaintRingTab),
        Numbered(15939, EStore::Png, 16, 0, PaintSwatchesTab),
        Numbered(15940, EStore::Png, 16, 0, PaintMapTab),
        Numbered(15941, EStore::Png, 16, 0, PaintSlidersTab),
        Numbered(32831, EStore::Png, 16, 0, [](cairo_t* cr) { PaintTriangle(cr, true); }),
        Numbered(32832, EStore::Png, 16, 0, [](cairo_t* cr) { PaintTriangle(cr, false); }),
        Numbered(15935, EStore::Icon, 16, 0, PaintPaneIcon),
        Numbered(15900, EStore::Cursor, 32, 32, PaintDropCursor, 0, 0),
        Numbered(15901, EStore::Cursor, 32, 32, PaintDropperCursor, 1, 30),
    };
    return images;
}

// --- Drawing and encoding ---------------------------------------------------

struct SDrawn
{
    cairo_surface_t* surface = nullptr;
    int width = 0;
    int height = 0;
};

// Square images are painted on a 16-unit grid; the others in pixels at 100%.
SDrawn Draw(const SImage& image, int scalePercent)
{
    SDrawn drawn;
    const bool bSquare = image.nHeight == 0;
    drawn.width = image.nUnits * scalePercent / 100;
    drawn.height = (bSquare ? image.nUnits : image.nHeight) * scalePercent / 100;
    drawn.surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, drawn.width, drawn.height);
    cairo_t* cr = cairo_create(drawn.surface);
    if (image.eStore == EStore::BitmapOnGrey || image.eStore == EStore::BitmapOnBlack)
    {
        Colour(cr, image.eStore == EStore::BitmapOnGrey ? 0xC0C0C0 : 0x000000);
        cairo_paint(cr);
    }
    if (bSquare)
    {
        cairo_scale(cr, drawn.width / 16.0, drawn.height / 16.0);
    }
    else
    {
        cairo_scale(cr, scalePercent / 100.0, scalePercent / 100.0);
    }
    image.paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(drawn.surface);
    return drawn;
}

void PutLittleEndian(std::vector<unsigned char>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
    {
        out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
    }
}

// A bottom-up 32-bit bitmap whose fourth byte is straight (not pre-multiplied) alpha.
std::vector<unsigned char> EncodeBmp(cairo_surface_t* surface)
{
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const std::uint32_t imageBytes = static_cast<std::uint32_t>(w * h * 4);
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    PutLittleEndian(out, 14 + 40 + imageBytes, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 14 + 40, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(w), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(h), 4);
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, 32, 2);
    PutLittleEndian(out, 0, 4); // BI_RGB
    PutLittleEndian(out, imageBytes, 4);
    PutLittleEndian(out, 2835, 4); // 72 dots per inch
    PutLittleEndian(out, 2835, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 0, 4);
    for (int y = h - 1; y >= 0; --y)
    {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x)
        {
            const std::uint32_t argb = row[x];
            const unsigned a = argb >> 24;
            auto unmultiply = [a](unsigned c) { return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a); };
            out.push_back(static_cast<unsigned char>(unmultiply(argb & 0xFF)));
            out.push_back(static_cast<unsigned char>(unmultiply((argb >> 8) & 0xFF)));
            out.push_back(static_cast<unsigned char>(unmultiply((argb >> 16) & 0xFF)));
            out.push_back(static_cast<unsigned char>(a));
        }
    }
    return out;
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length)
{
    auto* out = static_cast<std::vector<unsigned char>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

std::vector<unsigned char> EncodePng(cairo_surface_t* surface)
{
    std::vector<unsigned char> out;
    if (cairo_surface_write_to_png_stream(surface, AppendBytes, &out) != CAIRO_STATUS_SUCCESS)
    {
        out.clear();
    }
    return out;
}

bool IsBitmapStore(const SImage& image)
{
    if (image.eStore == EStore::Path)
    {
        const std::string path = image.pszPath;
        return path.size() > 4 && path.compare(path.size() - 4, 4, ".bmp") == 0;
    }
    return image.eStore == EStore::Bitmap || image.eStore == EStore::BitmapOnGrey ||
           image.eStore == EStore::BitmapOnBlack;
}

std::vector<unsigned char> Encode(const SImage& image, int scalePercent)
{
    SDrawn drawn = Draw(image, scalePercent);
    std::vector<unsigned char> bytes =
        IsBitmapStore(image) ? EncodeBmp(drawn.surface) : EncodePng(drawn.surface);
    cairo_surface_destroy(drawn.surface);
    return bytes;
}

bool WriteFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return !bytes.empty() && static_cast<bool>(file);
}

std::string SlashPath(const char* pszPath)
{
    std::string relative = pszPath;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return relative;
}

// The scales an image is stored at.
std::vector<int> Scales(const SImage& image)
{
    return image.eStore == EStore::Path ? std::vector<int>{100, 200} : std::vector<int>{100};
}

const char* KindName(const SImage& image)
{
    switch (image.eStore)
    {
        case EStore::Path:
            return IsBitmapStore(image) ? "PathBitmap" : "PathPng";
        case EStore::Png:
            return "Png";
        case EStore::Cursor:
            return "Cursor";
        case EStore::Icon:
            return "Icon";
        default:
            return "Bitmap";
    }
}

// The C++ source: one byte array per stored image and a table naming them.
bool WriteSource(const std::filesystem::path& path)
{
    std::ostringstream arrays;
    std::ostringstream table;
    int index = 0;
    for (const SImage& image : Images())
    {
        for (int scale : Scales(image))
        {
            const std::vector<unsigned char> bytes = Encode(image, scale);
            if (bytes.empty())
            {
                std::fprintf(stderr, "image generator: cannot encode image %d\n", index);
                return false;
            }
            arrays << "const unsigned char kImage" << index << "[] = {";
            for (std::size_t i = 0; i < bytes.size(); ++i)
            {
                arrays << (i % 20 == 0 ? "\n    " : " ") << static_cast<unsigned>(bytes[i]) << ",";
            }
            arrays << "\n};\n";
            table << "    {EGeneratedKind::" << KindName(image) << ", ";
            if (image.eStore == EStore::Path)
            {
                std::string escaped;
                for (char c : std::string(image.pszPath))
                {
                    escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
                }
                table << "L\"" << scale << "\\\\" << escaped << "\", 0, ";
            }
            else
            {
                table << "nullptr, " << image.nId << ", ";
            }
            table << image.xHotspot << ", " << image.yHotspot << ", kImage" << index << ", sizeof(kImage"
                  << index << ")},\n";
            ++index;
        }
    }
    std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path);
    file << "// Written by the image generator at build time; not kept in the repository.\n"
         << "#include \"GeneratedImages.h\"\n\nnamespace\n{\n"
         << arrays.str() << "} // namespace\n\nconst SGeneratedImage g_aGeneratedImages[] = {\n"
         << table.str() << "};\n\nconst unsigned g_nGeneratedImages = " << index << ";\n";
    return static_cast<bool>(file);
}

bool WriteFiles(const std::filesystem::path& outRoot)
{
    bool ok = true;
    for (const SImage& image : Images())
    {
        if (image.eStore != EStore::Path)
        {
            continue;
        }
        for (int scale : Scales(image))
        {
            const std::filesystem::path path = outRoot / std::to_string(scale) / SlashPath(image.pszPath);
            if (!WriteFile(path, Encode(image, scale)))
            {
                std::fprintf(stderr, "image generator: cannot write %s\n", path.c_str());
                ok = false;
            }
        }
    }
    return ok;
}
} // namespace

// Every image at 200%, enlarged four times on a grey ground, side by side:
// one picture to look at when changing a painter.
bool WriteContactSheet(const std::filesystem::path& path)
{
    const int cell = 32 * 2 * 4 + 16;
    const int count = static_cast<int>(Images().size());
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, cell * count, cell);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.88, 0.88, 0.88);
    cairo_paint(cr);
    for (int i = 0; i < count; ++i)
    {
        SDrawn one = Draw(Images()[static_cast<std::size_t>(i)], 200);
        cairo_save(cr);
        cairo_translate(cr, i * cell + 8, 8);
        cairo_scale(cr, 4, 4);
        cairo_set_source_surface(cr, one.surface, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(one.surface);
    }
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(sheet, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(sheet);
    return ok;
}

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--sheet")
    {
        return WriteContactSheet(argv[2]) ? 0 : 1;
    }
    const bool bSource = argc == 4 && std::string(argv[2]) == "--source";
    if (argc != 2 && !bSource)
    {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER [--source FILE.cpp]\n       %s --sheet FILE.png\n",
                     argv[0], argv[0]);
        return 2;
    }
    bool ok = WriteFiles(argv[1]);
    if (bSource)
    {
        ok = WriteSource(argv[3]) && ok;
    }
    return ok ? 0 : 1;
}
