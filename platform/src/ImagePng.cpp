// PNG through libpng: reading with its classic interface (which gives the
// values as stored, without gamma conversion), writing with the simplified
// one.
#include "Image.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

namespace
{

SImageResult Failure(EImageError eError, const std::string& strMessage)
{
    return SImageResult{eError, strMessage};
}

// Where libpng reads from, and what went wrong.
struct SPngSource
{
    const BYTE* pData;
    std::size_t nSize;
    std::size_t nRead;
    bool bEnded;
    char szMessage[128];
};

// libpng leaves these by a long jump: they hold nothing that needs
// destroying.
void OnPngError(png_structp pPng, png_const_charp pszMessage)
{
    auto* pSource = static_cast<SPngSource*>(png_get_error_ptr(pPng));
    std::snprintf(pSource->szMessage, sizeof(pSource->szMessage), "%s", pszMessage);
    png_longjmp(pPng, 1);
}

void OnPngWarning(png_structp, png_const_charp)
{
    // Warnings (bad ancillary chunks and the like) do not stop the reading.
}

void OnPngRead(png_structp pPng, png_bytep pOut, png_size_t nLength)
{
    auto* pSource = static_cast<SPngSource*>(png_get_io_ptr(pPng));
    if (nLength > pSource->nSize - pSource->nRead)
    {
        pSource->bEnded = true;
        png_error(pPng, "the data ends too early");
    }
    std::memcpy(pOut, pSource->pData + pSource->nRead, nLength);
    pSource->nRead += nLength;
}

struct SPngPixels
{
    LONG nWidth = 0;
    LONG nHeight = 0;
    std::vector<DWORD> pixels;
};

enum class EReadOutcome
{
    Read,
    TooLarge,
    OutOfMemory,
    Failed,
};

// Reads every row as 8-bit blue, green, red, straight alpha. The values are
// taken as they stand: no gamma correction, 16-bit channels scaled to 8.
// libpng's errors come back here by a long jump, so this function keeps no
// object that needs destroying; the pixels live in the caller's record.
EReadOutcome ReadPngRows(png_structp pPng, png_infop pInfo, SPngPixels& out)
{
    if (setjmp(png_jmpbuf(pPng)) != 0)
        return EReadOutcome::Failed;
    png_read_info(pPng, pInfo);
    const png_uint_32 nWidth = png_get_image_width(pPng, pInfo);
    const png_uint_32 nHeight = png_get_image_height(pPng, pInfo);
    out.nWidth = static_cast<LONG>(std::min<png_uint_32>(nWidth, 0x7FFFFFFF));
    out.nHeight = static_cast<LONG>(std::min<png_uint_32>(nHeight, 0x7FFFFFFF));
    if (nWidth == 0 || nHeight == 0 || nWidth > static_cast<png_uint_32>(kMaxImageSide) ||
        nHeight > static_cast<png_uint_32>(kMaxImageSide) ||
        static_cast<LONGLONG>(nWidth) * nHeight > kMaxImagePixels)
        return EReadOutcome::TooLarge;
    const int nColourType = png_get_color_type(pPng, pInfo);
    const int nBitDepth = png_get_bit_depth(pPng, pInfo);
    if (nBitDepth == 16)
        png_set_scale_16(pPng);
    if (nColourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(pPng);
    if (nColourType == PNG_COLOR_TYPE_GRAY && nBitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(pPng);
    if (png_get_valid(pPng, pInfo, PNG_INFO_tRNS) != 0)
        png_set_tRNS_to_alpha(pPng);
    if (nColourType == PNG_COLOR_TYPE_GRAY || nColourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(pPng);
    png_set_add_alpha(pPng, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(pPng);
    const int nPasses = png_set_interlace_handling(pPng);
    png_read_update_info(pPng, pInfo);
    if (png_get_rowbytes(pPng, pInfo) != static_cast<png_size_t>(nWidth) * 4)
        png_error(pPng, "the PNG's pixels cannot be turned into 32-bit rows");
    out.pixels.assign(static_cast<std::size_t>(nWidth) * nHeight, 0);
    for (int nPass = 0; nPass < nPasses; ++nPass)
    {
        for (png_uint_32 y = 0; y < nHeight; ++y)
            png_read_row(pPng, reinterpret_cast<png_bytep>(&out.pixels[static_cast<std::size_t>(y) * nWidth]),
                         nullptr);
    }
    // What follows the pixels (text, the end marker) is not needed.
    return EReadOutcome::Read;
}

} // namespace

SImageResult ReadPngMemory(const void* pData, std::size_t nSize, SImage& image)
{
    image = SImage{};
    if (pData == nullptr || nSize < 8 || png_sig_cmp(static_cast<png_const_bytep>(pData), 0, 8) != 0)
        return Failure(nSize < 8 && pData != nullptr ? EImageError::Truncated : EImageError::UnknownFormat,
                       "the data does not start with the PNG signature");
    SPngSource source{static_cast<const BYTE*>(pData), nSize, 0, false, {}};
    png_structp pPng = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, &OnPngError, &OnPngWarning);
    png_infop pInfo = pPng != nullptr ? png_create_info_struct(pPng) : nullptr;
    if (pInfo == nullptr)
    {
        png_destroy_read_struct(&pPng, nullptr, nullptr);
        return Failure(EImageError::OutOfMemory, "not enough memory to read a PNG image");
    }
    png_set_read_fn(pPng, &source, &OnPngRead);
    SPngPixels pixels;
    EReadOutcome eOutcome;
    try
    {
        eOutcome = ReadPngRows(pPng, pInfo, pixels);
    }
    catch (const std::bad_alloc&)
    {
        eOutcome = EReadOutcome::OutOfMemory;
    }
    png_destroy_read_struct(&pPng, &pInfo, nullptr);
    switch (eOutcome)
    {
        case EReadOutcome::Read:
            break;
        case EReadOutcome::TooLarge:
            return Failure(EImageError::TooLarge, "the PNG image is " + std::to_string(pixels.nWidth) +
                                                      " x " + std::to_string(pixels.nHeight) +
                                                      " pixels, more than is accepted");
        case EReadOutcome::OutOfMemory:
            return Failure(EImageError::OutOfMemory, "not enough memory for the PNG image");
        case EReadOutcome::Failed:
            return Failure(source.bEnded ? EImageError::Truncated : EImageError::Corrupt,
                           std::string("the PNG data is damaged: ") + source.szMessage);
    }
    for (DWORD& pixel : pixels.pixels)
        pixel = PremultiplyPixel(pixel);
    image.nWidth = pixels.nWidth;
    image.nHeight = pixels.nHeight;
    image.pixels = std::move(pixels.pixels);
    return SImageResult{};
}

SImageResult WritePngMemory(const SImage& image, std::vector<BYTE>& data, bool bOpaque)
{
    data.clear();
    if (image.IsEmpty() || image.pixels.size() != static_cast<std::size_t>(image.nWidth) * image.nHeight)
        return Failure(EImageError::Unsupported, "an empty image cannot be written");
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.nWidth);
    png.height = static_cast<png_uint_32>(image.nHeight);
    std::vector<BYTE> rows;
    if (bOpaque)
    {
        png.format = PNG_FORMAT_BGR;
        rows.resize(image.pixels.size() * 3);
        for (std::size_t i = 0; i < image.pixels.size(); ++i)
        {
            rows[i * 3] = static_cast<BYTE>(image.pixels[i]);
            rows[i * 3 + 1] = static_cast<BYTE>(image.pixels[i] >> 8);
            rows[i * 3 + 2] = static_cast<BYTE>(image.pixels[i] >> 16);
        }
    }
    else
    {
        png.format = PNG_FORMAT_BGRA;
        rows.resize(image.pixels.size() * 4);
        for (std::size_t i = 0; i < image.pixels.size(); ++i)
        {
            const DWORD pixel = UnpremultiplyPixel(image.pixels[i]);
            std::memcpy(&rows[i * 4], &pixel, 4);
        }
    }
    png_alloc_size_t nBytes = 0;
    if (png_image_write_to_memory(&png, nullptr, &nBytes, 0, rows.data(), 0, nullptr) == 0)
    {
        SImageResult result =
            Failure(EImageError::CannotWrite, std::string("cannot encode the PNG: ") + png.message);
        png_image_free(&png);
        return result;
    }
    data.resize(nBytes);
    if (png_image_write_to_memory(&png, data.data(), &nBytes, 0, rows.data(), 0, nullptr) == 0)
    {
        SImageResult result =
            Failure(EImageError::CannotWrite, std::string("cannot encode the PNG: ") + png.message);
        png_image_free(&png);
        data.clear();
        return result;
    }
    data.resize(nBytes);
    png_image_free(&png);
    return SImageResult{};
}
