#include "XUIDPI.h"

#include "Resources.h"
#include "Screen.h"

namespace
{
constexpr int kNormalDpi = 96;

int SystemDpi()
{
    const int nDpi = GetSystemDpi();
    // A backend that reports nonsense must not scale everything to nothing.
    return nDpi > 0 ? nDpi : kNormalDpi;
}
} // namespace

int XUIScale(int nPixels)
{
    return MulDiv(nPixels, SystemDpi(), kNormalDpi);
}

double CXUIDPI::GetScaleFactorX()
{
    return static_cast<double>(SystemDpi()) / kNormalDpi;
}

double CXUIDPI::GetScaleFactorY()
{
    return static_cast<double>(SystemDpi()) / kNormalDpi;
}

int CXUIDPI::ScaleX(int nPixels)
{
    return MulDiv(nPixels, SystemDpi(), kNormalDpi);
}

int CXUIDPI::ScaleY(int nPixels)
{
    return MulDiv(nPixels, SystemDpi(), kNormalDpi);
}

int CXUIDPI::UnscaleX(int nPixels)
{
    return MulDiv(nPixels, kNormalDpi, SystemDpi());
}

int CXUIDPI::UnscaleY(int nPixels)
{
    return MulDiv(nPixels, kNormalDpi, SystemDpi());
}

int XUIGetImageScalePercent()
{
    // 1.5 and above: 144 DPI.
    return SystemDpi() * 2 >= kNormalDpi * 3 ? 200 : 100;
}

CString XUIGetDPIMatchedImagePath(LPCWSTR pszPath)
{
    return CString(ScaledImageResourceName(pszPath, XUIGetImageScalePercent()).c_str());
}

bool XUILoadDPIMatchedImage(LPCWSTR pszPath, SImage& image)
{
    image = SImage();
    if (pszPath == nullptr || *pszPath == L'\0')
        return false;
    return LoadImageByPath(nullptr, pszPath, XUIGetImageScalePercent(), image);
}

HBITMAP XUILoadDPIMatchedBitmap(LPCWSTR pszPath)
{
    SImage image;
    if (!XUILoadDPIMatchedImage(pszPath, image))
        return nullptr;
    return CreateBitmapFromImage(image);
}
