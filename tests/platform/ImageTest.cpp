// PNG and BMP reading and writing, bad files, and a picture of what the
// drawing calls produce, written as PNG for a person to look at.
#include "DrawingTestSupport.h"
#include "ImageTestData.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace
{

void PutWord(std::vector<BYTE>& out, std::size_t at, WORD value)
{
    out[at] = static_cast<BYTE>(value);
    out[at + 1] = static_cast<BYTE>(value >> 8);
}

void PutDword(std::vector<BYTE>& out, std::size_t at, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<BYTE>(value >> (8 * i));
}

// A BMP file: file header, a header of nHeaderSize bytes, then extra (masks
// or colour table), then rows given top to bottom, each padded here. With a
// positive height the rows are stored bottom-up, as the format says.
std::vector<BYTE> MakeBmp(LONG nWidth, LONG nHeight, WORD nBitCount, DWORD nCompression,
                          const std::vector<BYTE>& extra, const std::vector<std::vector<BYTE>>& rowsTopDown,
                          DWORD nHeaderSize = 40, bool bFileHeader = true, DWORD nColoursUsed = 0)
{
    const std::size_t nStride = static_cast<std::size_t>(DibRowBytes(nWidth, nBitCount));
    const std::size_t nFileHeader = bFileHeader ? 14 : 0;
    const std::size_t nPixels = nFileHeader + nHeaderSize + extra.size();
    std::vector<BYTE> out(nPixels + nStride * rowsTopDown.size(), 0);
    if (bFileHeader)
    {
        out[0] = 'B';
        out[1] = 'M';
        PutDword(out, 2, static_cast<DWORD>(out.size()));
        PutDword(out, 10, static_cast<DWORD>(nPixels));
    }
    const std::size_t h = nFileHeader;
    PutDword(out, h, nHeaderSize);
    PutDword(out, h + 4, static_cast<DWORD>(nWidth));
    PutDword(out, h + 8, static_cast<DWORD>(nHeight));
    PutWord(out, h + 12, 1);
    PutWord(out, h + 14, nBitCount);
    PutDword(out, h + 16, nCompression);
    PutDword(out, h + 32, nColoursUsed);
    std::copy(extra.begin(), extra.end(), out.begin() + static_cast<std::ptrdiff_t>(h + nHeaderSize));
    for (std::size_t i = 0; i < rowsTopDown.size(); ++i)
    {
        const std::size_t nRow = nHeight > 0 ? rowsTopDown.size() - 1 - i : i;
        std::copy(rowsTopDown[i].begin(), rowsTopDown[i].end(),
                  out.begin() + static_cast<std::ptrdiff_t>(nPixels + nRow * nStride));
    }
    return out;
}

std::vector<BYTE> Dwords(std::initializer_list<DWORD> values)
{
    std::vector<BYTE> out(values.size() * 4);
    std::size_t i = 0;
    for (DWORD value : values)
        PutDword(out, 4 * i++, value);
    return out;
}

SImage Read(const BYTE* pData, std::size_t nSize, EImageError eExpected = EImageError::None)
{
    SImage image;
    const SImageResult result = ReadImageMemory(pData, nSize, image);
    EXPECT_EQ(result.eError, eExpected) << result.strMessage;
    if (eExpected != EImageError::None)
    {
        EXPECT_FALSE(result.strMessage.empty());
        EXPECT_TRUE(image.IsEmpty());
    }
    return image;
}

SImage Read(const std::vector<BYTE>& data, EImageError eExpected = EImageError::None)
{
    return Read(data.data(), data.size(), eExpected);
}

// The 3 x 2 picture used in both row orders: 24 bits, blue green red.
const std::vector<std::vector<BYTE>> kRows24 = {
    {0, 0, 255, 0, 255, 0, 255, 0, 0},
    {10, 20, 30, 40, 50, 60, 70, 80, 90},
};

} // namespace

TEST(ImagePng, EveryColourTypeReadsAsPremultipliedPixels)
{
    SImage image = Read(kPalettePng, sizeof(kPalettePng));
    ASSERT_EQ(image.nWidth, 2);
    ASSERT_EQ(image.nHeight, 2);
    EXPECT_EQ(image.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(image.At(1, 0), 0xFF00FF00u);
    EXPECT_EQ(image.At(0, 1), 0x80000080u); // blue 255 at alpha 128
    EXPECT_EQ(image.At(1, 1), 0x00000000u);

    image = Read(kGreyPng, sizeof(kGreyPng));
    EXPECT_EQ(image.At(0, 0), 0xFF000000u);
    EXPECT_EQ(image.At(1, 0), 0xFFC8C8C8u);

    image = Read(kGreyAlphaPng, sizeof(kGreyAlphaPng));
    EXPECT_EQ(image.At(0, 0), 0x33141414u); // 100 * 51 / 255 = 20

    image = Read(kRgb16Png, sizeof(kRgb16Png));
    EXPECT_EQ(image.At(0, 0), 0xFF123456u);
    EXPECT_EQ(image.At(1, 0), 0xFFFF0080u);

    image = Read(kRgbaPng, sizeof(kRgbaPng));
    EXPECT_EQ(image.At(0, 0), 0x80643219u); // 200, 100, 50 times 128 / 255
}

TEST(ImagePng, WrittenImagesReadBackUnchanged)
{
    SImage image;
    image.nWidth = 7;
    image.nHeight = 5;
    for (int y = 0; y < 5; ++y)
    {
        for (int x = 0; x < 7; ++x)
        {
            const DWORD alpha = (x * 40 + y * 13) % 256;
            const DWORD red = alpha * ((x * 3 + 1) % 7) / 7;
            const DWORD green = alpha * y / 5;
            const DWORD blue = alpha;
            image.pixels.push_back(alpha << 24 | red << 16 | green << 8 | blue);
        }
    }
    std::vector<BYTE> data;
    ASSERT_TRUE(WritePngMemory(image, data));
    const SImage back = Read(data);
    EXPECT_EQ(back.nWidth, 7);
    EXPECT_EQ(back.pixels, image.pixels);

    // Written opaque, the alpha is ignored and the colour bytes kept.
    ASSERT_TRUE(WritePngMemory(image, data, true));
    const SImage opaque = Read(data);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        EXPECT_EQ(opaque.pixels[i], image.pixels[i] | 0xFF000000u) << i;

    EXPECT_FALSE(WritePngMemory(SImage{}, data));
}

TEST(ImagePng, FilesAreWrittenAndRead)
{
    SImage image;
    image.nWidth = 2;
    image.nHeight = 1;
    image.pixels = {0xFF102030u, 0x80400000u};
    ASSERT_TRUE(WritePngFile(L"image-test-round-trip.png", image));
    SImage back;
    ASSERT_TRUE(ReadImageFile(L"image-test-round-trip.png", back));
    EXPECT_EQ(back.pixels, image.pixels);
    std::remove("image-test-round-trip.png");

    const SImageResult missing = ReadImageFile(L"no-such-folder/missing.png", back);
    EXPECT_EQ(missing.eError, EImageError::CannotOpen);
    EXPECT_NE(missing.strMessage.find("no-such-folder/missing.png"), std::string::npos);
    EXPECT_EQ(WritePngFile(L"no-such-folder/out.png", image).eError, EImageError::CannotWrite);
}

TEST(ImageBmp, TopDownAndBottomUpGiveTheSameImage)
{
    const SImage bottomUp = Read(MakeBmp(3, 2, 24, BI_RGB, {}, kRows24));
    const SImage topDown = Read(MakeBmp(3, -2, 24, BI_RGB, {}, kRows24));
    ASSERT_EQ(bottomUp.nWidth, 3);
    ASSERT_EQ(bottomUp.nHeight, 2);
    EXPECT_EQ(bottomUp.pixels, topDown.pixels);
    EXPECT_EQ(bottomUp.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(bottomUp.At(1, 0), 0xFF00FF00u);
    EXPECT_EQ(bottomUp.At(2, 0), 0xFF0000FFu);
    EXPECT_EQ(bottomUp.At(0, 1), 0xFF1E140Au);
    EXPECT_EQ(bottomUp.At(2, 1), 0xFF5A5046u);

    // The same pixels without the file header, as bitmap resources hold them.
    const SImage packed = Read(MakeBmp(3, 2, 24, BI_RGB, {}, kRows24, 40, false));
    EXPECT_EQ(packed.pixels, bottomUp.pixels);
}

TEST(ImageBmp, PalettedRowsUseTheirColourTable)
{
    // Black, white, then red: blue green red reserved.
    const std::vector<BYTE> palette = {0, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0};
    const SImage mono =
        Read(MakeBmp(10, 1, 1, BI_RGB, std::vector<BYTE>(palette.begin(), palette.begin() + 8),
                     {{0xA0, 0x40, 0, 0}}, 40, true, 2));
    ASSERT_EQ(mono.nWidth, 10);
    const DWORD white = 0xFFFFFFFFu;
    const DWORD black = 0xFF000000u;
    const DWORD expectedMono[10] = {white, black, white, black, black, black, black, black, black, white};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(mono.At(x, 0), expectedMono[x]) << x;

    const SImage nibbles = Read(MakeBmp(3, 1, 4, BI_RGB, palette, {{0x21, 0x00, 0, 0}}, 40, true, 3));
    EXPECT_EQ(nibbles.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(nibbles.At(1, 0), white);
    EXPECT_EQ(nibbles.At(2, 0), black);

    // An index past the colour table reads as black rather than past the end.
    const SImage bytes = Read(MakeBmp(3, 1, 8, BI_RGB, palette, {{2, 1, 200, 0}}, 40, true, 3));
    EXPECT_EQ(bytes.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(bytes.At(1, 0), white);
    EXPECT_EQ(bytes.At(2, 0), black);
}

TEST(ImageBmp, ThirtyTwoAndSixteenBitLayouts)
{
    // Plain 32-bit rows whose fourth bytes are all zero are opaque.
    const SImage plain = Read(MakeBmp(2, 1, 32, BI_RGB, {}, {{1, 2, 3, 0, 4, 5, 6, 0}}));
    EXPECT_EQ(plain.At(0, 0), 0xFF030201u);
    EXPECT_EQ(plain.At(1, 0), 0xFF060504u);
    // ... unless some are not: then they are straight alpha.
    const SImage alpha = Read(MakeBmp(2, 1, 32, BI_RGB, {}, {{0, 0, 200, 128, 4, 5, 6, 255}}));
    EXPECT_EQ(alpha.At(0, 0), 0x80640000u);
    EXPECT_EQ(alpha.At(1, 0), 0xFF060504u);

    // Masks after a 40-byte header: red in the low byte here.
    const SImage swapped = Read(
        MakeBmp(1, 1, 32, BI_BITFIELDS, Dwords({0x000000FF, 0x0000FF00, 0x00FF0000}), {{10, 20, 30, 0}}));
    EXPECT_EQ(swapped.At(0, 0), 0xFF0A141Eu);

    // A version 5 header carries its masks, alpha included.
    std::vector<BYTE> v5 = MakeBmp(1, 1, 32, BI_BITFIELDS, {}, {{0, 0, 200, 128}}, 124);
    PutDword(v5, 14 + 40, 0x00FF0000);
    PutDword(v5, 14 + 44, 0x0000FF00);
    PutDword(v5, 14 + 48, 0x000000FF);
    PutDword(v5, 14 + 52, 0xFF000000);
    EXPECT_EQ(Read(v5).At(0, 0), 0x80640000u);

    // 5-6-5: 0x8410 has red 16 of 31, green 32 of 63, blue 16 of 31.
    const SImage wide = Read(MakeBmp(4, 1, 16, BI_BITFIELDS, Dwords({0xF800, 0x07E0, 0x001F}),
                                     {{0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x10, 0x84}}));
    EXPECT_EQ(wide.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(wide.At(1, 0), 0xFF00FF00u);
    EXPECT_EQ(wide.At(2, 0), 0xFF0000FFu);
    EXPECT_EQ(wide.At(3, 0), 0xFF848284u);
}

TEST(ImageBmp, CoreHeadersAreRead)
{
    // The 12-byte header: width and height as 16-bit words, then three-byte
    // colour table entries.
    std::vector<BYTE> core(14 + 12 + 6 + 4, 0);
    core[0] = 'B';
    core[1] = 'M';
    PutDword(core, 10, 14 + 12 + 6);
    PutDword(core, 14, 12);
    PutWord(core, 18, 2);
    PutWord(core, 20, 1);
    PutWord(core, 22, 1);
    PutWord(core, 24, 1);
    const BYTE table[6] = {255, 0, 0, 0, 0, 255};
    std::memcpy(&core[26], table, 6);
    core[32] = 0x40;
    const SImage image = Read(core);
    EXPECT_EQ(image.At(0, 0), 0xFF0000FFu);
    EXPECT_EQ(image.At(1, 0), 0xFFFF0000u);
}

TEST(ImageFiles, BadDataGivesAClearError)
{
    Read(MakeBmp(0, 2, 24, BI_RGB, {}, {}), EImageError::Corrupt);
    std::vector<BYTE> huge = MakeBmp(1, 1, 24, BI_RGB, {}, {{0, 0, 0}});
    PutDword(huge, 18, 100000);
    PutDword(huge, 22, 100000);
    Read(huge, EImageError::TooLarge);
    std::vector<BYTE> cut = MakeBmp(3, 2, 24, BI_RGB, {}, kRows24);
    cut.resize(cut.size() - 10);
    Read(cut, EImageError::Truncated);
    Read(MakeBmp(2, 2, 8, BI_RLE8, std::vector<BYTE>(8, 0), {{0, 0, 0, 0}}, 40, true, 2),
         EImageError::Unsupported);
    Read(MakeBmp(2, 1, 8, BI_RGB, std::vector<BYTE>(8, 0), {{0, 0, 0, 0}}, 40, true, 1000),
         EImageError::Corrupt);
    std::vector<BYTE> badOffset = MakeBmp(1, 1, 24, BI_RGB, {}, {{0, 0, 0}});
    PutDword(badOffset, 10, 5000);
    Read(badOffset, EImageError::Corrupt);

    const BYTE gif[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0};
    Read(gif, sizeof(gif), EImageError::UnknownFormat);
    Read(gif, 0, EImageError::Truncated);
    Read(kHugePng, sizeof(kHugePng), EImageError::TooLarge);
    std::vector<BYTE> badCrc(std::begin(kRgbaPng), std::end(kRgbaPng));
    badCrc[30] ^= 0x01;
    SImage image;
    EXPECT_FALSE(ReadImageMemory(badCrc.data(), badCrc.size(), image));
    Read(kRgbaPng, 40, EImageError::Truncated);
}

namespace
{

// Feeds every truncation and every single-bit change of a valid file to the
// readers: each must succeed with a consistent image or fail with a reason.
void Hammer(const std::vector<BYTE>& valid)
{
    auto check = [](const std::vector<BYTE>& data)
    {
        SImage image;
        const SImageResult result = ReadImageMemory(data.data(), data.size(), image);
        if (result)
        {
            EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(image.nWidth) * image.nHeight);
            EXPECT_LE(image.nWidth, kMaxImageSide);
        }
        else
        {
            EXPECT_FALSE(result.strMessage.empty());
            EXPECT_TRUE(image.pixels.empty());
        }
    };
    for (std::size_t n = 0; n < valid.size(); ++n)
        check(std::vector<BYTE>(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(n)));
    for (std::size_t i = 0; i < valid.size(); ++i)
    {
        for (int bit = 0; bit < 8; ++bit)
        {
            std::vector<BYTE> changed = valid;
            changed[i] ^= static_cast<BYTE>(1 << bit);
            check(changed);
        }
    }
}

} // namespace

TEST(ImageFiles, DamagedFilesNeverCrashTheReaders)
{
    Hammer(std::vector<BYTE>(std::begin(kPalettePng), std::end(kPalettePng)));
    Hammer(std::vector<BYTE>(std::begin(kRgb16Png), std::end(kRgb16Png)));
    Hammer(std::vector<BYTE>(std::begin(kGreyAlphaPng), std::end(kGreyAlphaPng)));
    Hammer(MakeBmp(3, 2, 24, BI_RGB, {}, kRows24));
    Hammer(MakeBmp(5, 2, 4, BI_RGB, std::vector<BYTE>(64, 7), {{0x12, 0x34, 0x50, 0}, {0xFF, 0xEE, 0xD0, 0}},
                   40, true, 16));
    Hammer(MakeBmp(2, 2, 16, BI_BITFIELDS, Dwords({0xF800, 0x07E0, 0x001F}), {{1, 2, 3, 4}, {5, 6, 7, 8}}));
    Hammer(MakeBmp(2, 1, 32, BI_BITFIELDS, {}, {{1, 2, 3, 4, 5, 6, 7, 8}}, 108, false));
}

TEST(ImageFiles, BitmapsCarryImagesBothWays)
{
    SImage image = Read(kRgbaPng, sizeof(kRgbaPng));
    HBITMAP hBitmap = CreateBitmapFromImage(image);
    ASSERT_NE(hBitmap, nullptr);
    SImage back;
    ASSERT_TRUE(CopyBitmapToImage(hBitmap, back));
    EXPECT_EQ(back.pixels, image.pixels);

    // Drawn on an opaque surface the pre-multiplied pixel blends correctly:
    // each channel gains 255 * (255 - 128) / 255 = 127 of the white below.
    CTestCanvas canvas(1, 1);
    HDC hdcImage = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdcImage, hBitmap);
    AlphaBlend(canvas.Dc(), 0, 0, 1, 1, hdcImage, 0, 0, 1, 1,
               BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
    SelectObject(hdcImage, hOld);
    DeleteDC(hdcImage);
    DeleteObject(hBitmap);
    EXPECT_EQ(canvas.At(0, 0), RGB(227, 177, 152));

    EXPECT_EQ(CreateBitmapFromImage(SImage{}), nullptr);
    EXPECT_FALSE(CopyBitmapToImage(nullptr, back));
}

TEST(ImageFiles, GalleryOfDrawingIsWrittenForInspection)
{
    // Writes drawing-gallery.png next to the test program: open it to see
    // what the drawing calls produce. The file must read back as drawn.
    CTestCanvas canvas(320, 200, GetSysColor(COLOR_BTNFACE));
    HDC hdc = canvas.Dc();
    RECT rc{10, 10, 110, 60};
    DrawEdge(hdc, &rc, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    rc = RECT{120, 10, 220, 60};
    DrawEdge(hdc, &rc, EDGE_SUNKEN, BF_RECT);
    rc = RECT{230, 10, 310, 60};
    DrawEdge(hdc, &rc, EDGE_ETCHED, BF_RECT);
    HFONT hFont = GetDialogFont(L"MS Shell Dlg", 8);
    HGDIOBJ hOldFont = SelectObject(hdc, hFont);
    SetBkMode(hdc, TRANSPARENT);
    rc = RECT{10, 10, 110, 60};
    DrawTextW(hdc, L"&Raised button", -1, &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    rc = RECT{124, 14, 216, 56};
    DrawTextW(hdc, L"A sunken box with text that is far too long", -1, &rc, DT_SINGLELINE | DT_END_ELLIPSIS);
    rc = RECT{234, 14, 306, 56};
    DrawTextW(hdc, L"Wrapped text in an etched frame", -1, &rc, DT_WORDBREAK);
    const RECT focus{12, 12, 108, 58};
    DrawFocusRect(hdc, &focus);

    HBRUSH hRed = CreateSolidBrush(RGB(220, 40, 40));
    HGDIOBJ hOldBrush = SelectObject(hdc, hRed);
    Ellipse(hdc, 10, 70, 70, 120);
    const POINT star[] = {{110, 70}, {126, 118}, {82, 88}, {138, 88}, {94, 118}};
    SetPolyFillMode(hdc, WINDING);
    Polygon(hdc, star, 5);
    Pie(hdc, 150, 70, 200, 120, 200, 95, 175, 70);
    RoundRect(hdc, 210, 70, 300, 120, 20, 20);
    HBRUSH hHatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 160));
    SelectObject(hdc, hHatch);
    Rectangle(hdc, 10, 130, 70, 190);
    SelectObject(hdc, hOldBrush);
    DeleteObject(hHatch);
    DeleteObject(hRed);

    // The "none" sign of a disabled sample: a circle and a diagonal, drawn
    // antialiased through Cairo.
    {
        CCairoDrawing drawing(hdc);
        cairo_t* pCairo = drawing.Get();
        cairo_set_source_rgb(pCairo, 240 / 255.0, 240 / 255.0, 240 / 255.0);
        cairo_arc(pCairo, 110, 160, 25, 0, 6.2832);
        cairo_fill_preserve(pCairo);
        cairo_set_source_rgb(pCairo, 192 / 255.0, 192 / 255.0, 192 / 255.0);
        cairo_set_line_width(pCairo, 2);
        cairo_stroke(pCairo);
        cairo_move_to(pCairo, 110 - 25 * 0.7071, 160 + 25 * 0.7071);
        cairo_line_to(pCairo, 110 + 25 * 0.7071, 160 - 25 * 0.7071);
        cairo_stroke(pCairo);
    }
    // An exclusive-or marker over a ramp of colours.
    for (int x = 150; x < 310; ++x)
    {
        HPEN hPen = CreatePen(PS_SOLID, 1, RGB((x - 150) * 255 / 160, (x - 150) * 255 / 160, 128));
        HGDIOBJ hOldPen = SelectObject(hdc, hPen);
        MoveToEx(hdc, x, 130, nullptr);
        LineTo(hdc, x, 190);
        SelectObject(hdc, hOldPen);
        DeleteObject(hPen);
    }
    SetROP2(hdc, R2_NOT);
    SelectObject(hdc, GetStockObject(NULL_BRUSH));
    Ellipse(hdc, 220, 150, 240, 170);
    SetROP2(hdc, R2_COPYPEN);
    SetTextColor(hdc, RGB(0, 0, 128));
    TextOutW(hdc, 160, 172, L"Text over a ramp", 16);
    SelectObject(hdc, hOldFont);

    const SImage drawn = canvas.Snapshot();
    ASSERT_TRUE(WritePngFile(L"drawing-gallery.png", drawn, true));
    SImage back;
    ASSERT_TRUE(ReadImageFile(L"drawing-gallery.png", back));
    EXPECT_EQ(back.pixels, drawn.pixels);
}
