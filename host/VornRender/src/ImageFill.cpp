#include "ImageFill.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{

bool IsUsable(const CRenderImage& image, const CRenderImage& tile, const SImagePlacement& placement)
{
    return !image.IsEmpty() && !tile.IsEmpty() && std::isfinite(placement.dAngle) &&
           std::isfinite(placement.dScale) && placement.dScale > 0.0;
}

int Wrap(double dCoordinate, int nSize)
{
    // Far-off coordinates (a tiny scale) are brought near zero first so the
    // conversion to an integer cannot overflow.
    const double dWrapped = dCoordinate - std::floor(dCoordinate / nSize) * nSize;
    if (!std::isfinite(dWrapped))
        return 0;
    const int nIndex = static_cast<int>(dWrapped);
    return std::clamp(nIndex, 0, nSize - 1);
}

// Calls visit(x, y, tile pixel) for every pixel of the image, with the tile
// pixel that lies under the pixel's centre.
template <typename Visit>
void ForEachTilePixel(CRenderImage& image, const CRenderImage& tile, const SImagePlacement& placement,
                      Visit visit)
{
    const double dRadians = placement.dAngle * std::numbers::pi / 180.0;
    // Undo the tile's turn and scale: with y growing downwards, a screen
    // point (px, py) lies on the tile at (px cos - py sin, px sin + py cos)
    // divided by the scale.
    const double dCos = std::cos(dRadians) / placement.dScale;
    const double dSin = std::sin(dRadians) / placement.dScale;
    const int nTileWidth = tile.Width();
    const int nTileHeight = tile.Height();
    for (int y = 0; y < image.Height(); ++y)
    {
        const double dY = y + 0.5;
        DWORD* pRow = image.Row(y);
        for (int x = 0; x < image.Width(); ++x)
        {
            const double dX = x + 0.5;
            const double dU = dX * dCos - dY * dSin;
            const double dV = dX * dSin + dY * dCos;
            visit(pRow[x], tile.Row(Wrap(dV, nTileHeight))[Wrap(dU, nTileWidth)]);
        }
    }
}

} // namespace

CErrorAutoThrow TileImage(CRenderImage& image, const CRenderImage& tile, const SImagePlacement& placement)
{
    if (!IsUsable(image, tile, placement))
        return MIRN_ERR_INVALID_ARG;
    ForEachTilePixel(image, tile, placement, [](DWORD& pixel, DWORD tilePixel) { pixel = tilePixel; });
    return MIRN_ERR_NONE;
}

CErrorAutoThrow ApplyTexture(CRenderImage& image, const CRenderImage& texture,
                             const SImagePlacement& placement)
{
    if (!IsUsable(image, texture, placement))
        return MIRN_ERR_INVALID_ARG;
    ForEachTilePixel(image, texture, placement,
                     [](DWORD& pixel, DWORD texturePixel)
                     {
                         const DWORD nGrey = (((texturePixel >> 16) & 0xFF) +
                                              2 * ((texturePixel >> 8) & 0xFF) + (texturePixel & 0xFF)) /
                                             4;
                         auto modulate = [nGrey](DWORD nChannel)
                         { return std::min<DWORD>(255, (nChannel * nGrey + 64) / 128); };
                         pixel = (pixel & 0xFF000000) | (modulate((pixel >> 16) & 0xFF) << 16) |
                                 (modulate((pixel >> 8) & 0xFF) << 8) | modulate(pixel & 0xFF);
                     });
    return MIRN_ERR_NONE;
}
