#include "TextLayout.h"

#include <algorithm>

namespace
{

struct SCell
{
    wchar_t ch;
    bool bUnderlined;
};

using CCells = std::vector<SCell>;

CCells ToCells(std::wstring_view text, UINT format)
{
    CCells cells;
    cells.reserve(text.size());
    const bool bPrefixes = (format & DT_NOPREFIX) == 0;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (bPrefixes && text[i] == L'&')
        {
            // "&&" is one ampersand; "&x" underlines x; a trailing "&" goes.
            if (i + 1 < text.size())
            {
                ++i;
                cells.push_back({text[i], text[i] != L'&'});
            }
            continue;
        }
        cells.push_back({text[i], false});
    }
    if ((format & DT_EXPANDTABS) != 0)
    {
        // Tab stops every eight character cells.
        CCells expanded;
        std::size_t nColumn = 0;
        for (const SCell& cell : cells)
        {
            if (cell.ch == L'\n' || cell.ch == L'\r')
                nColumn = 0;
            if (cell.ch != L'\t')
            {
                expanded.push_back(cell);
                ++nColumn;
                continue;
            }
            do
            {
                expanded.push_back({L' ', false});
                ++nColumn;
            } while (nColumn % 8 != 0);
        }
        cells.swap(expanded);
    }
    return cells;
}

LONG Width(CFontInstance& font, const CCells& cells, std::size_t nBegin, std::size_t nEnd)
{
    LONG nWidth = 0;
    for (std::size_t i = nBegin; i < nEnd; ++i)
        nWidth += font.Glyph(cells[i].ch).nAdvance;
    return nWidth;
}

SLayoutLine MakeLine(CFontInstance& font, const CCells& cells, std::size_t nBegin, std::size_t nEnd)
{
    SLayoutLine line;
    for (std::size_t i = nBegin; i < nEnd; ++i)
    {
        if (cells[i].bUnderlined)
            line.underlined.push_back(line.text.size());
        line.text.push_back(cells[i].ch);
    }
    line.nWidth = font.TextWidth(line.text);
    return line;
}

bool IsSpace(wchar_t ch)
{
    return ch == L' ' || ch == L'\t';
}

// Greedy wrapping at spaces; a word wider than the line stays whole (and is
// clipped) unless DT_EDITCONTROL allows breaking it.
void WrapParagraph(CFontInstance& font, const CCells& cells, std::size_t nBegin, std::size_t nEnd,
                   LONG nWidth, UINT format, std::vector<SLayoutLine>& lines)
{
    std::size_t nStart = nBegin;
    do
    {
        std::size_t nBreak = nStart; // end of the last run of words that fits
        std::size_t nNext = nStart;  // where the following line starts
        LONG nRunWidth = 0;
        std::size_t i = nStart;
        bool bFitsAll = false;
        while (true)
        {
            // The next word, with the spaces before it.
            std::size_t nWordEnd = i;
            while (nWordEnd < nEnd && IsSpace(cells[nWordEnd].ch))
                ++nWordEnd;
            while (nWordEnd < nEnd && !IsSpace(cells[nWordEnd].ch))
                ++nWordEnd;
            const LONG nWithWord = nRunWidth + Width(font, cells, i, nWordEnd);
            if (nWithWord > nWidth && nBreak > nStart)
                break;
            if (nWithWord > nWidth)
            {
                // The first word alone is too wide.
                if ((format & DT_EDITCONTROL) != 0)
                {
                    std::size_t k = i;
                    LONG w = nRunWidth;
                    while (k < nWordEnd && (k == nStart || w + font.Glyph(cells[k].ch).nAdvance <= nWidth))
                        w += font.Glyph(cells[k++].ch).nAdvance;
                    nBreak = nNext = k;
                }
                else
                    nBreak = nNext = nWordEnd;
                break;
            }
            nRunWidth = nWithWord;
            nBreak = nNext = nWordEnd;
            i = nWordEnd;
            if (i >= nEnd)
            {
                bFitsAll = true;
                break;
            }
        }
        std::size_t nLineEnd = nBreak;
        if (!bFitsAll)
        {
            while (nLineEnd > nStart && IsSpace(cells[nLineEnd - 1].ch))
                --nLineEnd;
        }
        lines.push_back(MakeLine(font, cells, nStart, nLineEnd));
        nStart = nNext;
        while (nStart < nEnd && IsSpace(cells[nStart].ch))
            ++nStart;
    } while (nStart < nEnd);
}

void Shorten(CFontInstance& font, SLayoutLine& line, LONG nWidth)
{
    const std::wstring_view dots = L"...";
    const LONG nDotsWidth = font.TextWidth(dots);
    std::size_t nKeep = 0;
    LONG nUsed = 0;
    while (nKeep < line.text.size() && nUsed + font.Glyph(line.text[nKeep]).nAdvance + nDotsWidth <= nWidth)
        nUsed += font.Glyph(line.text[nKeep++]).nAdvance;
    line.text.resize(nKeep);
    line.text += dots;
    std::erase_if(line.underlined, [&](std::size_t n) { return n >= nKeep; });
    line.nWidth = nUsed + nDotsWidth;
    line.bShortened = true;
}

} // namespace

std::vector<SLayoutLine> LayoutText(CFontInstance& font, std::wstring_view text, LONG nWidth, UINT format)
{
    const CCells cells = ToCells(text, format);
    std::vector<SLayoutLine> lines;
    const bool bSingle = (format & DT_SINGLELINE) != 0;
    const bool bWrap = !bSingle && (format & DT_WORDBREAK) != 0;
    std::size_t nBegin = 0;
    while (true)
    {
        std::size_t nEnd = nBegin;
        if (bSingle)
            nEnd = cells.size();
        else
        {
            while (nEnd < cells.size() && cells[nEnd].ch != L'\n' && cells[nEnd].ch != L'\r')
                ++nEnd;
        }
        if (bWrap && nEnd > nBegin)
            WrapParagraph(font, cells, nBegin, nEnd, nWidth, format, lines);
        else
            lines.push_back(MakeLine(font, cells, nBegin, nEnd));
        if (nEnd >= cells.size())
            break;
        // A line ends at CR, LF or CR LF.
        nBegin = nEnd + 1;
        if (cells[nEnd].ch == L'\r' && nBegin < cells.size() && cells[nBegin].ch == L'\n')
            ++nBegin;
        if (nBegin >= cells.size())
            break;
    }
    if ((format & DT_END_ELLIPSIS) != 0)
    {
        for (SLayoutLine& line : lines)
        {
            if (line.nWidth > nWidth)
                Shorten(font, line, nWidth);
        }
    }
    return lines;
}
