// Images laid over an area: a pattern tiled across it, and a texture that
// modulates colours already there. Both are placed the same way: the tile's
// top-left corner sits on the area's top-left corner, the tile is scaled by
// a factor and turned by an angle (degrees, counter-clockwise on the screen)
// about that corner, and each pixel takes the tile pixel under its centre
// (nearest neighbour, so a pattern's hard edges stay hard).
#pragma once

#include "ErrorAutoThrow.h"
#include "RenderImage.h"

struct SImagePlacement
{
    double dAngle = 0.0;
    // 1 draws the tile at its own size; 2 doubles it.
    double dScale = 1.0;
};

// Error 101 for an empty image or tile, or a scale that is not a positive
// finite number, or an angle that is not finite.
CErrorAutoThrow TileImage(CRenderImage& image, const CRenderImage& tile, const SImagePlacement& placement);

// Texture blend: each channel of a pixel is multiplied by the texture's
// grey level over 128 (grey = (red + 2 green + blue) / 4), so mid grey
// (128) leaves the colour as it is, black takes it to black and white
// brightens it by almost a factor of two (clamped at 255). Alpha is left
// alone. Errors as for TileImage.
CErrorAutoThrow ApplyTexture(CRenderImage& image, const CRenderImage& texture,
                             const SImagePlacement& placement);
