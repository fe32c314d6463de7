// The heap block in which a solid, colour-wheel or art-media colour crosses
// between the host, the styles and their pages: one COLORREF allocated with
// malloc, freed by whoever receives it.
#pragma once

#include "WinDef.h"

#include <cstdlib>

// A new block holding the colour, or null when memory ran out.
inline void* MakeColorBlock(COLORREF clrColor)
{
    auto* pBlock = static_cast<COLORREF*>(std::malloc(sizeof(COLORREF)));
    if (pBlock != nullptr)
        *pBlock = clrColor;
    return pBlock;
}

// Reads the colour of a block and frees the block.
inline COLORREF TakeColorBlock(void* pBlock)
{
    const COLORREF clrColor = *static_cast<const COLORREF*>(pBlock);
    std::free(pBlock);
    return clrColor;
}
