// Ramp painters: objects that draw the colour ramp of one colour channel
// (red, green, blue, hue, saturation, lightness) across a horizontal strip
// and a thumb at a value on it. Numeric edits show a painter's ramp under
// their value, and colour pickers use them for their hue bars.
//
// A value lies in a range [nMin, nMax]; the fraction of a value is
// (value - nMin) / (nMax - nMin), 0 at the strip's left edge and 1 at its
// right edge (a range with nMax <= nMin gives fraction 0 everywhere).
#pragma once

#include "AfxWin.h"

class VMnePainter
{
public:
    virtual ~VMnePainter() = default;

    // The colour the ramp shows at a fraction 0.0 (left) to 1.0 (right).
    // Fractions outside that interval are taken as the nearest end.
    virtual COLORREF GetColorAt(double dFraction) const = 0;

    // Fills rcRamp with the ramp, one column at a time, each column in the
    // colour of the fraction at its centre.
    virtual void PaintRamp(CDC& dc, const CRect& rcRamp) const = 0;

    // Draws the thumb that marks nValue within [nMin, nMax] on a ramp
    // painted in rcRamp. The thumb is centred on the value's column and
    // may reach outside rcRamp by at most half its own width.
    virtual void PaintThumb(CDC& dc, const CRect& rcRamp, int nValue, int nMin, int nMax) const = 0;
};
