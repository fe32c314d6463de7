// Draws the palette's button images at build time, so that no binary image is
// kept in the repository. Every image is drawn on a 16-unit grid and written
// once per display scale: <out>/100/<path> and <out>/200/<path>, where <path>
// is the image's name with "\" turned into "/". Names ending in ".bmp" are
// written as 32-bit bitmaps with straight alpha, the others as PNG.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace
{
using Painter = std::function<void(cairo_t*)>;

struct SImage
{
    const char* pszPath;
    int nUnits; // edge length at 100% scale, in pixels
    Painter paint;
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
    };
    return images;
}

void PutLittleEndian(std::vector<unsigned char>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
    {
        out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
    }
}

// A bottom-up 32-bit bitmap whose fourth byte is straight (not pre-multiplied) alpha.
bool WriteBmp(cairo_surface_t* surface, const std::filesystem::path& path)
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
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

bool Render(const SImage& image, int scalePercent, const std::filesystem::path& outRoot)
{
    const int edge = image.nUnits * scalePercent / 100;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, edge, edge);
    cairo_t* cr = cairo_create(surface);
    // The painters draw on a 16 x 16 grid.
    cairo_scale(cr, edge / 16.0, edge / 16.0);
    image.paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);

    std::string relative = image.pszPath;
    for (char& c : relative)
    {
        if (c == '\\')
        {
            c = '/';
        }
    }
    const std::filesystem::path path = outRoot / std::to_string(scalePercent) / relative;
    std::filesystem::create_directories(path.parent_path());
    bool ok = false;
    if (path.extension() == ".bmp")
    {
        ok = WriteBmp(surface, path);
    }
    else
    {
        ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    }
    cairo_surface_destroy(surface);
    if (!ok)
    {
        std::fprintf(stderr, "image generator: cannot write %s\n", path.c_str());
    }
    return ok;
}
} // namespace

// Every image at 200%, enlarged four times on a grey ground, side by side:
// one picture to look at when changing a painter.
bool WriteContactSheet(const std::filesystem::path& path)
{
    const int cell = 20 * 2 * 4 + 16;
    const int count = static_cast<int>(Images().size());
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, cell * count, cell);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.88, 0.88, 0.88);
    cairo_paint(cr);
    for (int i = 0; i < count; ++i)
    {
        const SImage& image = Images()[static_cast<std::size_t>(i)];
        const int edge = image.nUnits * 2;
        cairo_surface_t* one = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, edge, edge);
        cairo_t* oneCr = cairo_create(one);
        cairo_scale(oneCr, edge / 16.0, edge / 16.0);
        image.paint(oneCr);
        cairo_destroy(oneCr);
        cairo_save(cr);
        cairo_translate(cr, i * cell + 8, 8);
        cairo_scale(cr, 4, 4);
        cairo_set_source_surface(cr, one, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(one);
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
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n       %s --sheet FILE.png\n", argv[0], argv[0]);
        return 2;
    }
    const std::filesystem::path outRoot = argv[1];
    bool ok = true;
    for (const SImage& image : Images())
    {
        for (int scale : {100, 200})
        {
            ok = Render(image, scale, outRoot) && ok;
        }
    }
    return ok ? 0 : 1;
}
