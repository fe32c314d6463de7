// Colour palettes of the graphics module: an ordered list of up to 256
// colours, as paletted images carry. Besides a palette filled by hand there
// are four fixed palettes for the document colour modes:
//  - CreateGreyscale: 256 greys, entry i is (i, i, i);
//  - CreateBW: black, then white;
//  - CreateVGA16: the 16 colours of the standard VGA display mode in their
//    usual order: black, maroon, green, olive, navy, purple, teal, silver,
//    grey, red, lime, yellow, blue, fuchsia, aqua, white (the dark ones at
//    128, silver at 192);
//  - CreateQuick8: a fixed 8-bit palette of 256 entries: the 6 × 6 × 6 colour
//    cube of the web-safe levels 0, 51, 102, 153, 204, 255 first, entry
//    36 r + 6 g + b for level indexes r, g, b, then 40 greys between the
//    cube's own greys, entry 216 + i being round((i + 1) × 255 / 41).
#pragma once

#include "Gdi.h"
#include "WinDef.h"

#include <vector>

// One palette entry as the platform's palette calls hand them out.
struct PALETTEENTRY
{
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};

class CMPalette
{
public:
    static constexpr int kMaxEntries = 256;

    CMPalette() = default;

    // Replaces the entries; false (leaving the palette as it was) for a
    // count outside 0 … 256 or a missing colour array with a positive count.
    bool Create(const COLORREF* pColors, int nCount);
    // A palette of nCount black entries; false for a count outside 0 … 256.
    bool SetEntryCount(int nCount);
    void Clear() { m_aEntries.clear(); }

    bool CreateGreyscale();
    bool CreateBW();
    bool CreateVGA16();
    bool CreateQuick8();

    int GetEntryCount() const { return static_cast<int>(m_aEntries.size()); }
    bool IsEmpty() const { return m_aEntries.empty(); }

    // The colour of an entry; black for an index outside the palette.
    COLORREF GetEntry(int nIndex) const;
    // Sets one entry; false for an index outside the palette.
    bool SetEntry(int nIndex, COLORREF clr);

    // Copies up to nCount entries from nStart on, as the platform does for
    // its palettes; gives the number copied (0 for a start outside the
    // palette or a null buffer).
    int GetEntries(int nStart, int nCount, PALETTEENTRY* pEntries) const;
    int GetEntries(int nStart, int nCount, RGBQUAD* pQuads) const;

    // The entry nearest to a colour by squared distance in RGB,
    // (Δred)² + (Δgreen)² + (Δblue)²; among equally near entries the lowest
    // index wins. -1 for an empty palette.
    int FindNearestEntry(COLORREF clr) const;
    // The lowest index holding exactly this colour, or -1.
    int FindExactEntry(COLORREF clr) const;

    bool operator==(const CMPalette& other) const = default;

private:
    // Colours as 0x00BBGGRR; the high byte is kept zero.
    std::vector<COLORREF> m_aEntries;
};
