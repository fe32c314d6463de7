// Images in memory: reading files, recognising formats, pre-multiplying, and
// moving images in and out of bitmaps.
#include "GdiRecords.h"
#include "Image.h"
#include "LastError.h"
#include "Utf8.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace
{

// Files larger than this cannot hold an image of the accepted size.
constexpr long kMaxFileBytes = 512L * 1024 * 1024;

struct SFileCloser
{
    void operator()(std::FILE* pFile) const { std::fclose(pFile); }
};

bool LooksLikeDib(const BYTE* pData, std::size_t nSize)
{
    if (nSize < 4)
        return false;
    const DWORD nHeaderSize = static_cast<DWORD>(pData[0]) | (static_cast<DWORD>(pData[1]) << 8) |
                              (static_cast<DWORD>(pData[2]) << 16) | (static_cast<DWORD>(pData[3]) << 24);
    return nHeaderSize == 12 || nHeaderSize == 40 || nHeaderSize == 52 || nHeaderSize == 56 ||
           nHeaderSize == 64 || nHeaderSize == 108 || nHeaderSize == 124;
}

} // namespace

DWORD PremultiplyPixel(DWORD straight)
{
    const DWORD alpha = straight >> 24;
    if (alpha == 255)
        return straight;
    DWORD result = alpha << 24;
    for (int shift = 0; shift < 24; shift += 8)
        result |= ((((straight >> shift) & 0xFF) * alpha + 127) / 255) << shift;
    return result;
}

DWORD UnpremultiplyPixel(DWORD premultiplied)
{
    const DWORD alpha = premultiplied >> 24;
    if (alpha == 255)
        return premultiplied;
    if (alpha == 0)
        return 0;
    DWORD result = alpha << 24;
    for (int shift = 0; shift < 24; shift += 8)
    {
        const DWORD value = (((premultiplied >> shift) & 0xFF) * 255 + alpha / 2) / alpha;
        result |= std::min<DWORD>(255, value) << shift;
    }
    return result;
}

SImageResult ReadImageMemory(const void* pData, std::size_t nSize, SImage& image)
{
    image = SImage{};
    const auto* pBytes = static_cast<const BYTE*>(pData);
    if (pBytes == nullptr || nSize == 0)
        return SImageResult{EImageError::Truncated, "the image data is empty"};
    static const BYTE kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (nSize >= 4 && std::memcmp(pBytes, kPngSignature, 4) == 0)
        return ReadPngMemory(pData, nSize, image);
    if ((nSize >= 2 && pBytes[0] == 'B' && pBytes[1] == 'M') || LooksLikeDib(pBytes, nSize))
        return ReadBmpMemory(pData, nSize, image);
    return SImageResult{EImageError::UnknownFormat, "the data is neither a PNG nor a BMP image"};
}

SImageResult ReadImageFile(LPCWSTR pszPath, SImage& image)
{
    image = SImage{};
    if (pszPath == nullptr)
        return SImageResult{EImageError::CannotOpen, "no file name was given"};
    const std::string path = WideToUtf8(pszPath);
    std::unique_ptr<std::FILE, SFileCloser> pFile(std::fopen(path.c_str(), "rb"));
    if (pFile == nullptr)
        return SImageResult{EImageError::CannotOpen, "cannot open \"" + path + "\": " + std::strerror(errno)};
    if (std::fseek(pFile.get(), 0, SEEK_END) != 0)
        return SImageResult{EImageError::CannotOpen, "cannot read \"" + path + "\""};
    const long nLength = std::ftell(pFile.get());
    if (nLength < 0 || std::fseek(pFile.get(), 0, SEEK_SET) != 0)
        return SImageResult{EImageError::CannotOpen, "cannot read \"" + path + "\""};
    if (nLength > kMaxFileBytes)
        return SImageResult{EImageError::TooLarge,
                            "\"" + path + "\" is too large to be an image this program reads"};
    std::vector<BYTE> data(static_cast<std::size_t>(nLength));
    if (!data.empty() && std::fread(data.data(), 1, data.size(), pFile.get()) != data.size())
        return SImageResult{EImageError::CannotOpen, "cannot read \"" + path + "\""};
    SImageResult result = ReadImageMemory(data.data(), data.size(), image);
    if (!result)
        result.strMessage = "\"" + path + "\": " + result.strMessage;
    return result;
}

SImageResult WritePngFile(LPCWSTR pszPath, const SImage& image, bool bOpaque)
{
    if (pszPath == nullptr)
        return SImageResult{EImageError::CannotWrite, "no file name was given"};
    std::vector<BYTE> data;
    SImageResult result = WritePngMemory(image, data, bOpaque);
    if (!result)
        return result;
    const std::string path = WideToUtf8(pszPath);
    std::unique_ptr<std::FILE, SFileCloser> pFile(std::fopen(path.c_str(), "wb"));
    if (pFile == nullptr)
        return SImageResult{EImageError::CannotWrite,
                            "cannot create \"" + path + "\": " + std::strerror(errno)};
    if (std::fwrite(data.data(), 1, data.size(), pFile.get()) != data.size() || std::fflush(pFile.get()) != 0)
        return SImageResult{EImageError::CannotWrite,
                            "cannot write \"" + path + "\": " + std::strerror(errno)};
    return result;
}

HBITMAP CreateBitmapFromImage(const SImage& image)
{
    if (image.IsEmpty() || image.pixels.size() != static_cast<std::size_t>(image.nWidth) * image.nHeight)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image.nWidth;
    info.bmiHeader.biHeight = -image.nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap == nullptr)
        return nullptr;
    std::shared_ptr<SBitmapRecord> pBitmap = GdiPeekAs<SBitmapRecord>(hBitmap);
    cairo_surface_flush(pBitmap->pSurface);
    std::memcpy(pBits, image.pixels.data(), image.pixels.size() * sizeof(DWORD));
    cairo_surface_mark_dirty(pBitmap->pSurface);
    return hBitmap;
}

bool CopyBitmapToImage(HBITMAP hBitmap, SImage& image)
{
    image = SImage{};
    std::shared_ptr<SBitmapRecord> pBitmap = GdiFindAs<SBitmapRecord>(hBitmap);
    if (pBitmap == nullptr)
        return false;
    CSurfacePixels pixels(pBitmap->pSurface, pBitmap.get(), RECT{0, 0, pBitmap->nWidth, pBitmap->nHeight},
                          false);
    image.nWidth = pBitmap->nWidth;
    image.nHeight = pBitmap->nHeight;
    image.pixels.resize(static_cast<std::size_t>(image.nWidth) * image.nHeight);
    for (LONG y = 0; y < image.nHeight; ++y)
        std::memcpy(&image.At(0, y), pixels.Buffer().Row(y), static_cast<std::size_t>(image.nWidth) * 4);
    return true;
}
