// The interface of a material style object, as far as the palette's
// registration needs it: the kind it paints and whether a material control
// has made it current. The full interface grows with the style classes.
#pragma once

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

class VMatStyle
{
public:
    explicit VMatStyle(EMaterialStyle eStyle) : m_eStyle(eStyle) {}
    // The palette deletes registered styles through this.
    virtual ~VMatStyle() = default;
    VMatStyle(const VMatStyle&) = default;
    VMatStyle& operator=(const VMatStyle&) = default;

    EMaterialStyle m_eStyle;
    bool m_bCurrent = false;
};
