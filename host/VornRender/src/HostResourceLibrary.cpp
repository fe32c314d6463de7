#include "HostResourceLibrary.h"

#include "MGLObjects.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <utility>

namespace
{

// A colour image of the size with every pixel from the function.
CRowIteratorBands MakeColorImage(int nWidth, int nHeight, const std::function<COLORREF(int, int)>& pixel)
{
    CRowIteratorBands image;
    if (!image.CreateRGB(nWidth, nHeight))
        return image;
    for (int y = 0; y < nHeight; ++y)
    {
        BYTE* pRow = image.GetRow(y);
        for (int x = 0; x < nWidth; ++x)
        {
            const COLORREF clrColor = pixel(x, y);
            pRow[3 * x] = GetBValue(clrColor);
            pRow[3 * x + 1] = GetGValue(clrColor);
            pRow[3 * x + 2] = GetRValue(clrColor);
        }
        image.ReleaseRow(y);
    }
    return image;
}

// A greyscale image of the size with every level from the function.
CRowIteratorBands MakeGreyImage(int nWidth, int nHeight, const std::function<double(int, int)>& level)
{
    CRowIteratorBands image;
    if (!image.CreateGrey(nWidth, nHeight))
        return image;
    for (int y = 0; y < nHeight; ++y)
    {
        BYTE* pRow = image.GetRow(y);
        for (int x = 0; x < nWidth; ++x)
            pRow[x] = static_cast<BYTE>(std::clamp(std::lround(level(x, y)), 0L, 255L));
        image.ReleaseRow(y);
    }
    return image;
}

// A repeatable pseudo-random value 0 to 1 for a lattice point.
double Hash(int x, int y, uint32_t nSeed)
{
    uint32_t n = static_cast<uint32_t>(x) * 0x27D4EB2Du ^ static_cast<uint32_t>(y) * 0x165667B1u ^ nSeed;
    n ^= n >> 15;
    n *= 0x2C1B3C6Du;
    n ^= n >> 12;
    n *= 0x297A2D39u;
    n ^= n >> 15;
    return (n & 0xFFFF) / 65535.0;
}

// Smooth noise 0 to 1 on a lattice of the cell size that repeats every
// nPeriod cells, so a texture made of it tiles without a seam.
double LatticeNoise(int x, int y, int nCell, int nPeriod, uint32_t nSeed)
{
    const double dX = static_cast<double>(x) / nCell;
    const double dY = static_cast<double>(y) / nCell;
    const int nX0 = static_cast<int>(std::floor(dX));
    const int nY0 = static_cast<int>(std::floor(dY));
    auto at = [&](int i, int j)
    { return Hash(((i % nPeriod) + nPeriod) % nPeriod, ((j % nPeriod) + nPeriod) % nPeriod, nSeed); };
    auto smooth = [](double t) { return t * t * (3.0 - 2.0 * t); };
    const double dFx = smooth(dX - nX0);
    const double dFy = smooth(dY - nY0);
    const double dTop = at(nX0, nY0) + (at(nX0 + 1, nY0) - at(nX0, nY0)) * dFx;
    const double dBottom = at(nX0, nY0 + 1) + (at(nX0 + 1, nY0 + 1) - at(nX0, nY0 + 1)) * dFx;
    return dTop + (dBottom - dTop) * dFy;
}

SGradientStops Stops(std::initializer_list<SRenderColorStop> colors,
                     std::initializer_list<SRenderOpacityStop> opacities = {{0, 50, 100}, {100, 50, 100}})
{
    return SGradientStops{colors, opacities};
}

} // namespace

const CHostResourceLibrary& CHostResourceLibrary::BuiltIn()
{
    static const CHostResourceLibrary library = []
    {
        CHostResourceLibrary made;
        made.AddBuiltIns();
        return made;
    }();
    return library;
}

void CHostResourceLibrary::AddBuiltIns()
{
    // Gradients.
    AddGradient(L"Foreground-Background", L"From the foreground colour to the background colour",
                Stops({{0, 50, MGL_STOP_FOREGROUND}, {100, 50, MGL_STOP_BACKGROUND}}));
    AddGradient(
        L"Foreground-Transparent", L"From the foreground colour to clear",
        Stops({{0, 50, MGL_STOP_FOREGROUND}, {100, 50, MGL_STOP_FOREGROUND}}, {{0, 50, 100}, {100, 50, 0}}));
    AddGradient(L"Black-White", L"From black to white",
                Stops({{0, 50, RGB(0, 0, 0)}, {100, 50, RGB(255, 255, 255)}}));
    AddGradient(L"Rainbow", L"Red, yellow, green, cyan, blue, magenta and back to red",
                Stops({{0, 50, RGB(255, 0, 0)},
                       {17, 50, RGB(255, 255, 0)},
                       {33, 50, RGB(0, 255, 0)},
                       {50, 50, RGB(0, 255, 255)},
                       {67, 50, RGB(0, 0, 255)},
                       {83, 50, RGB(255, 0, 255)},
                       {100, 50, RGB(255, 0, 0)}}));
    AddGradient(L"Sunset", L"Dusk purple through red and orange to a pale yellow",
                Stops({{0, 50, RGB(46, 10, 80)},
                       {40, 45, RGB(200, 40, 60)},
                       {72, 50, RGB(255, 140, 0)},
                       {100, 50, RGB(255, 224, 130)}}));
    AddGradient(L"Metal", L"Bands of light and dark grey, like polished steel",
                Stops({{0, 50, RGB(90, 92, 100)},
                       {30, 40, RGB(232, 232, 236)},
                       {52, 50, RGB(118, 120, 128)},
                       {80, 60, RGB(250, 250, 250)},
                       {100, 50, RGB(104, 106, 114)}}));
    AddGradient(L"Ocean", L"Deep blue to turquoise shallows",
                Stops({{0, 50, RGB(4, 20, 70)}, {55, 50, RGB(0, 110, 160)}, {100, 50, RGB(120, 230, 220)}}));

    // Patterns: small colour tiles.
    AddImage(HOST_RESOURCE_PATTERNS, L"Checker", L"Black and white squares",
             MakeColorImage(16, 16,
                            [](int x, int y)
                            { return ((x / 8) + (y / 8)) % 2 == 0 ? RGB(0, 0, 0) : RGB(255, 255, 255); }));
    AddImage(HOST_RESOURCE_PATTERNS, L"Stripes", L"Diagonal blue and white stripes",
             MakeColorImage(
                 8, 8, [](int x, int y) { return (x + y) % 8 < 4 ? RGB(40, 80, 200) : RGB(255, 255, 255); }));
    AddImage(HOST_RESOURCE_PATTERNS, L"Bricks", L"Red bricks in grey mortar",
             MakeColorImage(32, 16,
                            [](int x, int y)
                            {
                                const int nShift = y < 8 ? 0 : 16;
                                const bool bMortar = y % 8 == 7 || (x + nShift) % 32 == 31;
                                return bMortar ? RGB(190, 190, 180) : RGB(170, 60, 40);
                            }));
    AddImage(HOST_RESOURCE_PATTERNS, L"Dots", L"White dots on dark green",
             MakeColorImage(12, 12,
                            [](int x, int y)
                            {
                                const double dX = x + 0.5 - 6.0;
                                const double dY = y + 0.5 - 6.0;
                                return dX * dX + dY * dY <= 9.0 ? RGB(255, 255, 255) : RGB(20, 90, 50);
                            }));

    // Textures: grey tiles centred on mid grey, so they shade a colour
    // without shifting it much.
    AddImage(HOST_RESOURCE_TEXTURES, L"Noise", L"Fine grain",
             MakeGreyImage(64, 64, [](int x, int y) { return 128.0 + (Hash(x, y, 17u) - 0.5) * 96.0; }));
    AddImage(HOST_RESOURCE_TEXTURES, L"Paper", L"Soft blotches, like handmade paper",
             MakeGreyImage(64, 64,
                           [](int x, int y)
                           {
                               const double dLevel =
                                   0.65 * LatticeNoise(x, y, 8, 8, 5u) + 0.35 * LatticeNoise(x, y, 4, 16, 9u);
                               return 128.0 + (dLevel - 0.5) * 80.0;
                           }));
    AddImage(HOST_RESOURCE_TEXTURES, L"Canvas", L"A woven cloth",
             MakeGreyImage(16, 16,
                           [](int x, int y)
                           {
                               const double dTwoPi = 2.0 * std::numbers::pi;
                               const double dWarp = std::sin(dTwoPi * x / 4.0);
                               const double dWeft = std::sin(dTwoPi * y / 4.0);
                               const bool bOver = ((x / 4) + (y / 4)) % 2 == 0;
                               return 128.0 + 40.0 * (bOver ? dWarp : dWeft);
                           }));
    AddImage(HOST_RESOURCE_TEXTURES, L"Wood", L"Wood grain",
             MakeGreyImage(64, 64,
                           [](int x, int y)
                           {
                               const double dTwoPi = 2.0 * std::numbers::pi;
                               const double dWobble = 6.0 * LatticeNoise(x, y, 16, 4, 23u);
                               const double dRing = std::sin(dTwoPi * (y + dWobble) / 8.0);
                               return 128.0 + 36.0 * dRing + 6.0 * std::sin(dTwoPi * x / 64.0);
                           }));
}

std::vector<SHostResource>* CHostResourceLibrary::Collection(int nKind)
{
    return const_cast<std::vector<SHostResource>*>(std::as_const(*this).Collection(nKind));
}

const std::vector<SHostResource>* CHostResourceLibrary::Collection(int nKind) const
{
    switch (nKind)
    {
        case HOST_RESOURCE_PATTERNS:
            return &m_patterns;
        case HOST_RESOURCE_TEXTURES:
            return &m_textures;
        case HOST_RESOURCE_GRADIENTS:
            return &m_gradients;
        default:
            return nullptr;
    }
}

int CHostResourceLibrary::GetCount(int nKind) const
{
    const std::vector<SHostResource>* pCollection = Collection(nKind);
    return pCollection != nullptr ? static_cast<int>(pCollection->size()) : 0;
}

const SHostResource* CHostResourceLibrary::GetAt(int nKind, int nIndex) const
{
    const std::vector<SHostResource>* pCollection = Collection(nKind);
    if (pCollection == nullptr || nIndex < 0 || nIndex >= static_cast<int>(pCollection->size()))
        return nullptr;
    return &(*pCollection)[static_cast<size_t>(nIndex)];
}

const SHostResource* CHostResourceLibrary::Find(int nKind, LPCWSTR pszName) const
{
    const std::vector<SHostResource>* pCollection = Collection(nKind);
    if (pCollection == nullptr || pszName == nullptr)
        return nullptr;
    for (const SHostResource& resource : *pCollection)
    {
        if (resource.strName.CompareNoCase(pszName) == 0)
            return &resource;
    }
    return nullptr;
}

bool CHostResourceLibrary::CanAdd(int nKind, LPCWSTR pszName) const
{
    return Collection(nKind) != nullptr && pszName != nullptr && pszName[0] != L'\0' &&
           Find(nKind, pszName) == nullptr;
}

bool CHostResourceLibrary::AddGradient(LPCWSTR pszName, LPCWSTR pszTooltip, const SGradientStops& stops)
{
    CGradientRamp ramp;
    if (!CanAdd(HOST_RESOURCE_GRADIENTS, pszName) || ramp.Build(stops, 0, 0).IsError())
        return false;
    SHostResource resource;
    resource.strName = pszName;
    resource.strTooltip = pszTooltip != nullptr ? pszTooltip : L"";
    resource.stops = stops;
    m_gradients.push_back(std::move(resource));
    return true;
}

bool CHostResourceLibrary::AddImage(int nKind, LPCWSTR pszName, LPCWSTR pszTooltip, const CRowIterator& image)
{
    if ((nKind != HOST_RESOURCE_PATTERNS && nKind != HOST_RESOURCE_TEXTURES) || !CanAdd(nKind, pszName) ||
        !image.IsAttached())
        return false;
    SHostResource resource;
    resource.strName = pszName;
    resource.strTooltip = pszTooltip != nullptr ? pszTooltip : L"";
    resource.image = image;
    Collection(nKind)->push_back(std::move(resource));
    return true;
}
