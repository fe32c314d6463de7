// How DrawText breaks, wraps and shortens text. Private to the drawing layer.
#pragma once

#include "FontEngine.h"

#include <string>
#include <string_view>
#include <vector>

struct SLayoutLine
{
    std::wstring text;
    // Positions in text of characters that an ampersand prefix underlines.
    std::vector<std::size_t> underlined;
    LONG nWidth = 0;
    bool bShortened = false;
};

// Lines of text as DrawText shows them in a rectangle nWidth pixels wide
// (DT_WORDBREAK wraps at spaces, DT_END_ELLIPSIS shortens a line that does
// not fit and appends "...", ampersands mark underlined characters unless
// DT_NOPREFIX). Empty text is one empty line.
std::vector<SLayoutLine> LayoutText(CFontInstance& font, std::wstring_view text, LONG nWidth, UINT format);
