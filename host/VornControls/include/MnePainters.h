// The horizontal ramp painters: one per colour channel, each showing what
// its channel does to a colour from the left (0) to the right (255) end.
//
// The plain painters show a fixed ramp:
//  - red, green, blue: black to that primary, (v, 0, 0), (0, v, 0), (0, 0, v);
//  - hue: the full hue circle at saturation 255 and lightness 128, red at
//    both ends (HSL_to_RGB(v, 255, 128));
//  - saturation: the grey (128, 128, 128) to red at lightness 128
//    (HSL_to_RGB(0, v, 128));
//  - luminance: black through red (at 128) to white (HSL_to_RGB(0, 255, v)).
// The linked painters read the current colour from six ints that their owner
// keeps up to date (red, green, blue, hue, saturation, lightness, each 0 to
// 255; values outside are taken as the nearest end) and show the colours
// obtained by varying their one component while the others stay: linked red
// is (v, green, blue), linked hue HSL_to_RGB(v, saturation, lightness), and
// so on. Without the six ints a linked painter shows its plain ramp.
//
// A channel value v belongs to a fraction f as v = round(f × 255).
#pragma once

#include "MnePainter.h"

// What every horizontal painter shares: the ramp drawn column by column from
// GetColorAt, and the thumb, either a bitmap (pre-multiplied alpha, as loaded
// bitmaps are) centred on the value's column and on the ramp's height, or,
// without one, a small upward triangle standing on the ramp's bottom edge.
class CMnePainterHorz : public VMnePainter
{
public:
    CMnePainterHorz() = default;
    ~CMnePainterHorz() override;
    CMnePainterHorz(const CMnePainterHorz&) = delete;
    CMnePainterHorz& operator=(const CMnePainterHorz&) = delete;

    void PaintRamp(CDC& dc, const CRect& rcRamp) const override;
    void PaintThumb(CDC& dc, const CRect& rcRamp, int nValue, int nMin, int nMax) const override;

    // The ramp and then the thumb of nValue, as sliders draw themselves
    // (note the order: the range's upper end before its lower end).
    void PaintSlider(CDC& dc, const CRect& rcRamp, int nValue, int nMax, int nMin) const;

    // The thumb bitmap; with bOwn the painter deletes it when it is replaced
    // or the painter goes. Null goes back to the drawn triangle.
    void SetThumbImage(HBITMAP hThumb, bool bOwn = false);
    HBITMAP GetThumbImage() const { return m_hThumb; }

    // The ramp column (0 … width − 1, relative to the ramp's left edge) that
    // holds nValue: the column whose span contains the value's fraction, the
    // right end belonging to the last column. −1 for an empty ramp.
    static int ValueColumn(int nRampWidth, int nValue, int nMin, int nMax);
    // The channel value of a fraction, limited to 0 … 255.
    static int FractionToLevel(double dFraction);
    // The triangle thumb: 9 pixels wide at its base and 5 high.
    static constexpr int kTriangleHalfWidth = 4;

private:
    HBITMAP m_hThumb = nullptr;
    bool m_bOwnThumb = false;
};

class CMnePainterRedHorz : public CMnePainterHorz
{
public:
    COLORREF GetColorAt(double dFraction) const override;
};

class CMnePainterGreenHorz : public CMnePainterHorz
{
public:
    COLORREF GetColorAt(double dFraction) const override;
};

class CMnePainterBlueHorz : public CMnePainterHorz
{
public:
    COLORREF GetColorAt(double dFraction) const override;
};

class CMnePainterHueHorz : public CMnePainterHorz
{
public:
    COLORREF GetColorAt(double dFraction) const override;
};

class CMnePainterSaturationHorz : public CMnePainterHorz
{
public:
    COLORREF GetColorAt(double dFraction) const override;
};

class CMnePainterLuminanceHorz : public CMnePainterHorz
{
public:
    COLORREF GetColorAt(double dFraction) const override;
};

// The six components a linked painter reads, in this order.
enum EMneComponent : int
{
    MNE_RED = 0,
    MNE_GREEN = 1,
    MNE_BLUE = 2,
    MNE_HUE = 3,
    MNE_SATURATION = 4,
    MNE_LIGHTNESS = 5,
    MNE_COMPONENTS = 6,
};

// The part of a linked painter that holds the six ints (not owned).
class CMneLinkedValues
{
public:
    explicit CMneLinkedValues(const int* pRGBHSL = nullptr) : m_pRGBHSL(pRGBHSL) {}
    void SetLinkedValues(const int* pRGBHSL) { m_pRGBHSL = pRGBHSL; }
    const int* GetLinkedValues() const { return m_pRGBHSL; }

protected:
    bool HasValues() const { return m_pRGBHSL != nullptr; }
    // A component limited to 0 … 255.
    int Component(EMneComponent eComponent) const;

private:
    const int* m_pRGBHSL;
};

class CMnePainterLinkedRedHorz : public CMnePainterRedHorz, public CMneLinkedValues
{
public:
    explicit CMnePainterLinkedRedHorz(const int* pRGBHSL = nullptr) : CMneLinkedValues(pRGBHSL) {}
    COLORREF GetColorAt(double dFraction) const override;
};

class CMnePainterLinkedGreenHorz : public CMnePainterGreenHorz, public CMneLinkedValues
{
public:
    explicit CMnePainterLinkedGreenHorz(const int* pRGBHSL = nullptr) : CMneLinkedValues(pRGBHSL) {}
    COLORREF GetColorAt(double dFraction) const override;
};

class CMnePainterLinkedBlueHorz : public CMnePainterBlueHorz, public CMneLinkedValues
{
public:
    explicit CMnePainterLinkedBlueHorz(const int* pRGBHSL = nullptr) : CMneLinkedValues(pRGBHSL) {}
    COLORREF GetColorAt(double dFraction) const override;
};

class CMnePainterLinkedHueHorz : public CMnePainterHueHorz, public CMneLinkedValues
{
public:
    explicit CMnePainterLinkedHueHorz(const int* pRGBHSL = nullptr) : CMneLinkedValues(pRGBHSL) {}
    COLORREF GetColorAt(double dFraction) const override;
};

class CMnePainterLinkedSaturationHorz : public CMnePainterSaturationHorz, public CMneLinkedValues
{
public:
    explicit CMnePainterLinkedSaturationHorz(const int* pRGBHSL = nullptr) : CMneLinkedValues(pRGBHSL) {}
    COLORREF GetColorAt(double dFraction) const override;
};

class CMnePainterLinkedLuminanceHorz : public CMnePainterLuminanceHorz, public CMneLinkedValues
{
public:
    explicit CMnePainterLinkedLuminanceHorz(const int* pRGBHSL = nullptr) : CMneLinkedValues(pRGBHSL) {}
    COLORREF GetColorAt(double dFraction) const override;
};
