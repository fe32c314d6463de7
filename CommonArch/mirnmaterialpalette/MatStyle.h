// The material style interface: one object per kind of material that holds
// the kind's current value, exchanges it with the host as an opaque data
// block and supplies the settings page that edits it.
#pragma once

#include "AfxWin.h"
#include "ErrorAutoThrow.h"

class CMatPropertiesPage;

// The kinds of material; each value is a single bit. 32 asks a material
// control for its first registered style and no style carries it.
enum EMaterialStyle : int
{
    MATERIAL_STYLE_SOLID = 1,
    MATERIAL_STYLE_PATTERN = 2,
    MATERIAL_STYLE_GRADIENT = 4,
    MATERIAL_STYLE_ART_MEDIA = 8,
    MATERIAL_STYLE_FIRST_REGISTERED = 32,
    MATERIAL_STYLE_TEXTURE = 64,
};

// The colour mode of the host's current image, which decides the solid
// colour page and the palette it offers.
enum EColorMode : int
{
    COLOR_MODE_HOST_DECIDES = 0, // no fixed palette; the document mode decides
    COLOR_MODE_FULL_COLOR = 1,   // no fixed palette
    COLOR_MODE_GREYSCALE = 2,
    COLOR_MODE_BLACK_WHITE = 3,
    COLOR_MODE_VGA16 = 4,
    COLOR_MODE_FIXED8 = 5,
};

// Whether a colour mode always takes the paletted solid colour page.
inline bool IsPalettedColorMode(EColorMode eMode)
{
    return eMode >= COLOR_MODE_GREYSCALE && eMode <= COLOR_MODE_FIXED8;
}

class VMatStyle
{
public:
    explicit VMatStyle(EMaterialStyle eStyle) : m_eStyle(eStyle) {}
    // The palette deletes registered styles through this.
    virtual ~VMatStyle() = default;
    VMatStyle(const VMatStyle&) = default;
    VMatStyle& operator=(const VMatStyle&) = default;

    // Hands out a data block holding the style's value; the caller owns it.
    virtual CErrorAutoThrow GetData(void** ppData) = 0;
    // Adopts the value of a data block from the host.
    virtual CErrorAutoThrow SetData(void* pData) = 0;
    // Whether the style holds a usable value.
    virtual bool IsValid() = 0;
    // Whether the style holds content that is not in the host's cache.
    virtual bool IsNonCached() { return false; }
    virtual bool IsImmediate() { return false; }
    // Creates the page that edits the style as a child of pParent in rect;
    // the caller holds it until it hands it back to ReleaseSettingsPage.
    virtual CMatPropertiesPage* GetSettingsPage(CWnd* pParent, CRect& rect) = 0;
    // With bApply the style takes the page's result; in every case the
    // page's window is destroyed and the page deleted.
    virtual void ReleaseSettingsPage(CMatPropertiesPage* pPage, bool bApply) = 0;
    virtual CString GetTTText() { return CString(); }
    virtual CString GetName() { return CString(); }

    EMaterialStyle m_eStyle;
    bool m_bCurrent = false;
};

// Destroys a page's window and deletes the page (null does nothing).
void DestroySettingsPage(CMatPropertiesPage* pPage);

// A string of the language resources by number.
CString LoadResourceString(UINT nId);

// Whether the solid colour styles open the paletted page for a colour mode:
// always for the paletted modes, and in mode 0 when the host's active image
// is greyscale or has a palette of its own (asked in that order through the
// palette's application context).
bool UsePalettedColorPage(EColorMode eMode);
