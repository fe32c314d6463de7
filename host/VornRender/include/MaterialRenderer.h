// Renders a host material (IMGLMaterial) into a CRenderImage: its style
// (solid colour, gradient, pattern, art-media colour or a texture shown as a
// style) and then, when it has one, its texture over it.
//
// Where the content comes from:
// - a gradient's settings carry stops of their own (children answering
//   IMGLGradientStop, as the object view of an IMGLGradient has), or name a
//   gradient of the resource library (property 29); stops of its own win.
// - pattern and texture settings carry an image (property 150) or name a
//   pattern or texture of the library (property 29); the image wins.
// - an art-media material's colour is the primary colour of the IMGLArt that
//   its settings (or the material itself) answer, else its solid colour.
//
// Settings properties: 3 and 4 centre, 23 and 24 focal point (fractions),
// 116 angle in degrees, 137 invert, 138 repeats, 140 gradient type
// (EGradientType), 167 scale (a fraction; 1 is the image's own size).
// Numbers are read from integer, double, length or bool values alike.
#pragma once

#include "GradientRender.h"
#include "HostResourceLibrary.h"
#include "ImageFill.h"
#include "MGLObjects.h"
#include "RenderImage.h"

// What a failed style leaves in the image: a neutral grey, so a caller that
// draws it anyway shows something rather than stale pixels.
constexpr DWORD kRenderFailureArgb = 0xFF808080;

class CMaterialRenderer
{
public:
    // The library is borrowed and must outlive the renderer.
    explicit CMaterialRenderer(const CHostResourceLibrary& resources = CHostResourceLibrary::BuiltIn())
        : m_resources(resources)
    {
    }

    // The colours the reserved stop colours stand for.
    void SetCurrentColors(COLORREF clrForeground, COLORREF clrBackground)
    {
        m_clrForeground = clrForeground & 0x00FFFFFF;
        m_clrBackground = clrBackground & 0x00FFFFFF;
    }
    COLORREF Foreground() const { return m_clrForeground; }
    COLORREF Background() const { return m_clrBackground; }

    // Renders the material into a new image of the size. Error 101 for a
    // null material, a size that is not positive (the image is left empty),
    // an unknown style, missing or bad settings; 110 when a named resource
    // is not in the library. When the style fails the image is filled with
    // kRenderFailureArgb; when only the texture fails the image holds the
    // untextured style and the texture's error is returned.
    CErrorAutoThrow Render(IMGLMaterial* pMaterial, int nWidth, int nHeight, CRenderImage& image) const;

    // The stops and layout of gradient settings.
    CErrorAutoThrow ReadGradient(IMGLObject* pSettings, SGradientStops& stops, SGradientLayout& layout) const;
    // The tile and placement of pattern or texture settings, looking names up
    // in the collection of the kind (HOST_RESOURCE_PATTERNS or _TEXTURES).
    CErrorAutoThrow ReadImageFill(IMGLObject* pSettings, int nKind, CRenderImage& tile,
                                  SImagePlacement& placement) const;

private:
    CErrorAutoThrow RenderStyle(IMGLMaterial* pMaterial, CRenderImage& image) const;

    const CHostResourceLibrary& m_resources;
    COLORREF m_clrForeground = RGB(0, 0, 0);
    COLORREF m_clrBackground = RGB(255, 255, 255);
};
