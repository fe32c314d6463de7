// PNG through libpng's simplified interface, which keeps its error recovery
// to itself and reports problems as text.
#include "Image.h"

#include <png.h>

#include <cstring>
#include <new>

namespace
{

SImageResult Failure(EImageError eError, const std::string& strMessage)
{
    return SImageResult{eError, strMessage};
}

// libpng's own words, sorted into truncation and everything else.
SImageResult LibpngFailure(const png_image& png, const char* pszDoing)
{
    const std::string strMessage = std::string(pszDoing) + ": " + png.message;
    const bool bTruncated = std::strstr(png.message, "end of data") != nullptr ||
                            std::strstr(png.message, "Not enough") != nullptr ||
                            std::strstr(png.message, "EOF") != nullptr ||
                            std::strstr(png.message, "truncated") != nullptr;
    return Failure(bTruncated ? EImageError::Truncated : EImageError::Corrupt, strMessage);
}

} // namespace

SImageResult ReadPngMemory(const void* pData, std::size_t nSize, SImage& image)
{
    image = SImage{};
    if (pData == nullptr || nSize < 8 || png_sig_cmp(static_cast<png_const_bytep>(pData), 0, 8) != 0)
        return Failure(nSize < 8 && pData != nullptr ? EImageError::Truncated : EImageError::UnknownFormat,
                       "the data does not start with the PNG signature");
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&png, pData, nSize) == 0)
    {
        SImageResult result = LibpngFailure(png, "cannot read the PNG header");
        png_image_free(&png);
        return result;
    }
    if (png.width == 0 || png.height == 0 || png.width > static_cast<png_uint_32>(kMaxImageSide) ||
        png.height > static_cast<png_uint_32>(kMaxImageSide) ||
        static_cast<LONGLONG>(png.width) * png.height > kMaxImagePixels)
    {
        const std::string strSize = std::to_string(png.width) + " x " + std::to_string(png.height);
        png_image_free(&png);
        return Failure(EImageError::TooLarge,
                       "the PNG image is " + strSize + " pixels, more than is accepted");
    }
    png.format = PNG_FORMAT_BGRA;
    std::vector<DWORD> pixels;
    try
    {
        pixels.resize(static_cast<std::size_t>(png.width) * png.height);
    }
    catch (const std::bad_alloc&)
    {
        png_image_free(&png);
        return Failure(EImageError::OutOfMemory, "not enough memory for the PNG image");
    }
    if (png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr) == 0)
    {
        SImageResult result = LibpngFailure(png, "cannot read the PNG pixels");
        png_image_free(&png);
        return result;
    }
    for (DWORD& pixel : pixels)
        pixel = PremultiplyPixel(pixel);
    image.nWidth = static_cast<LONG>(png.width);
    image.nHeight = static_cast<LONG>(png.height);
    image.pixels = std::move(pixels);
    png_image_free(&png);
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
