// Gradients as pure data and their rendering: colour stops and opacity stops
// with midpoints, resolved against the current foreground and background
// colours, laid out in one of four shapes over an image.
//
// Geometry. Positions are taken at pixel centres; the first and last pixel
// centres of the image are the edges of the gradient box, so a left-to-right
// linear gradient puts its first stop exactly on column 0 and its last on the
// last column. Angles are in degrees, counter-clockwise on the screen (0
// points right, 90 points up). The centre and focal point are fractions of
// the box (0.5, 0.5 its middle).
//
// - Linear: the ramp runs along the angle through the centre; its length is
//   the box's extent along that direction.
// - Angular: a sweep around the centre, starting at the angle and running
//   counter-clockwise; the seam lies along the angle.
// - Rectangular: nested rectangles around the centre (rotated by the angle),
//   reaching the last stop on the box's farther edges.
// - Radial: circles around the centre reaching the last stop at the farthest
//   corner; a focal point away from the centre moves where the first stop
//   lies (it is kept inside the circle).
//
// Repeats: a count n above 1 runs the ramp n times across the same extent.
// Invert reverses the ramp after repeating.
#pragma once

#include "ErrorAutoThrow.h"
#include "RenderImage.h"

#include <vector>

// The numbering of the gradient type property.
enum EGradientType : int
{
    GRADIENT_LINEAR = 0,
    GRADIENT_ANGULAR = 1,
    GRADIENT_RECTANGULAR = 2,
    GRADIENT_RADIAL = 3,
};

// One colour stop: location 0 to 100, the midpoint of the span up to the
// next stop 0 to 100 (50 is an even mix), and a colour or one of the
// reserved values for the current foreground (0xFFFFFFFF) and background
// (0xFFFFFFFE) colours.
struct SRenderColorStop
{
    int nLocation = 0;
    int nMidpoint = 50;
    COLORREF clrColor = 0;
    bool operator==(const SRenderColorStop&) const = default;
};

// One opacity stop: location and midpoint as above, opacity 0 to 100.
struct SRenderOpacityStop
{
    int nLocation = 0;
    int nMidpoint = 50;
    int nOpacity = 100;
    bool operator==(const SRenderOpacityStop&) const = default;
};

struct SGradientStops
{
    std::vector<SRenderColorStop> colors;
    // No opacity stops at all means fully opaque.
    std::vector<SRenderOpacityStop> opacities;
};

struct SGradientLayout
{
    EGradientType eType = GRADIENT_LINEAR;
    double dAngle = 0.0;
    int nRepeats = 0;
    double dCenterX = 0.5;
    double dCenterY = 0.5;
    double dFocalX = 0.5;
    double dFocalY = 0.5;
    bool bInvert = false;
};

// The stops made ready for sampling: reserved colours resolved, checked.
class CGradientRamp
{
public:
    // Error 101 when there is no colour stop, a location or midpoint or
    // opacity is outside 0 to 100, a colour is neither 24-bit nor reserved,
    // or the stops of either list are not in ascending order of location.
    CErrorAutoThrow Build(const SGradientStops& stops, COLORREF clrForeground, COLORREF clrBackground);

    // The colour at a position 0 to 1 along the ramp (clamped), 0xAARRGGBB.
    DWORD Sample(double dPosition) const;

private:
    struct SPoint
    {
        double dLocation;
        double dMidpoint;
        double channels[3];
    };
    // Mixes the first nChannels channels of the points at the position.
    static void Mix(const std::vector<SPoint>& points, int nChannels, double dPosition, double* pResult);

    std::vector<SPoint> m_colors;
    std::vector<SPoint> m_opacities;
};

// Where on the ramp (0 to 1, before repeats and inversion) the pixel
// centres of a box of a given size lie, with what does not change from pixel
// to pixel worked out once.
class CGradientGeometry
{
public:
    CGradientGeometry(const SGradientLayout& layout, int nWidth, int nHeight);
    double Position(int x, int y) const;

private:
    EGradientType m_eType;
    double m_dAngle;
    double m_dCenterX;
    double m_dCenterY;
    double m_dCos;
    double m_dSin;
    // Linear: the ramp's length. Rectangular: the half sizes. Radial: the
    // radius and the focal point relative to the centre (upwards positive).
    double m_dLength = 0.0;
    double m_dHalfWidth = 0.0;
    double m_dHalfHeight = 0.0;
    double m_dRadius = 0.0;
    double m_dFocalX = 0.0;
    double m_dFocalUp = 0.0;
};

// The ramp position after repeats and inversion.
double ApplyRepeatsAndInvert(const SGradientLayout& layout, double dPosition);

// Renders the gradient into every pixel of the image. Error 101 for an empty
// image, a type outside 0 to 3, or bad stops (CGradientRamp::Build).
CErrorAutoThrow RenderGradient(CRenderImage& image, const SGradientStops& stops,
                               const SGradientLayout& layout, COLORREF clrForeground, COLORREF clrBackground);
