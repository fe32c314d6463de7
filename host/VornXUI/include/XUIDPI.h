// Display scaling of the skinned user interface: lengths designed for 96
// dots per inch scaled to the system's, and images by path matched to the
// display scale.
#pragma once

#include "CString.h"
#include "Image.h"
#include "WinDef.h"

// A length in pixels at 96 DPI scaled to the system DPI, rounded to the
// nearest pixel (halves away from zero).
int XUIScale(int nPixels);

class CXUIDPI
{
public:
    // The system DPI over 96 (1.0 at normal scale).
    static double GetScaleFactorX();
    static double GetScaleFactorY();
    static int ScaleX(int nPixels);
    static int ScaleY(int nPixels);
    // Back from screen pixels to 96-DPI pixels.
    static int UnscaleX(int nPixels);
    static int UnscaleY(int nPixels);
};

// The image scale, in percent, that suits the display: the double-size
// images from a scale of 1.5 up, the normal ones below.
int XUIGetImageScalePercent();

// The resource name of an image by path at the scale that suits the display
// ("200\\ToolOptions\\Dropper.png" at 150 % and above).
CString XUIGetDPIMatchedImagePath(LPCWSTR pszPath);

// Loads an image by path at the scale that suits the display from the
// resource chain; falls back to whichever scale is held. False (the image
// left empty) when no module holds it or its bytes are not an image.
bool XUILoadDPIMatchedImage(LPCWSTR pszPath, SImage& image);
// The same as a 32-bit bitmap (pre-multiplied alpha), owned by the caller;
// null when it cannot be loaded.
HBITMAP XUILoadDPIMatchedBitmap(LPCWSTR pszPath);
