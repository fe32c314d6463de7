#include "MPalette.h"

#include <algorithm>

namespace
{
constexpr COLORREF ColourOnly(COLORREF clr)
{
    return clr & 0x00FFFFFF;
}

constexpr int Square(int n)
{
    return n * n;
}
} // namespace

bool CMPalette::Create(const COLORREF* pColors, int nCount)
{
    if (nCount < 0 || nCount > kMaxEntries || (nCount > 0 && pColors == nullptr))
        return false;
    m_aEntries.assign(pColors, pColors + nCount);
    for (COLORREF& clr : m_aEntries)
        clr = ColourOnly(clr);
    return true;
}

bool CMPalette::SetEntryCount(int nCount)
{
    if (nCount < 0 || nCount > kMaxEntries)
        return false;
    m_aEntries.assign(static_cast<size_t>(nCount), RGB(0, 0, 0));
    return true;
}

bool CMPalette::CreateGreyscale()
{
    m_aEntries.resize(256);
    for (int i = 0; i < 256; ++i)
        m_aEntries[static_cast<size_t>(i)] =
            RGB(static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i));
    return true;
}

bool CMPalette::CreateBW()
{
    m_aEntries = {RGB(0, 0, 0), RGB(255, 255, 255)};
    return true;
}

bool CMPalette::CreateVGA16()
{
    m_aEntries = {
        RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
        RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
        RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
    };
    return true;
}

bool CMPalette::CreateQuick8()
{
    m_aEntries.clear();
    m_aEntries.reserve(256);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                m_aEntries.push_back(
                    RGB(static_cast<BYTE>(51 * r), static_cast<BYTE>(51 * g), static_cast<BYTE>(51 * b)));
    // 40 greys spread evenly over the range; none falls on a cube level, since
    // (i + 1) × 255 / 41 is never within a half of a multiple of 51.
    for (int i = 0; i < 40; ++i)
    {
        const BYTE bGrey = static_cast<BYTE>(((i + 1) * 255 * 2 + 41) / (2 * 41));
        m_aEntries.push_back(RGB(bGrey, bGrey, bGrey));
    }
    return true;
}

COLORREF CMPalette::GetEntry(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetEntryCount())
        return RGB(0, 0, 0);
    return m_aEntries[static_cast<size_t>(nIndex)];
}

bool CMPalette::SetEntry(int nIndex, COLORREF clr)
{
    if (nIndex < 0 || nIndex >= GetEntryCount())
        return false;
    m_aEntries[static_cast<size_t>(nIndex)] = ColourOnly(clr);
    return true;
}

int CMPalette::GetEntries(int nStart, int nCount, PALETTEENTRY* pEntries) const
{
    if (pEntries == nullptr || nStart < 0 || nStart >= GetEntryCount() || nCount <= 0)
        return 0;
    const int nCopied = std::min(nCount, GetEntryCount() - nStart);
    for (int i = 0; i < nCopied; ++i)
    {
        const COLORREF clr = m_aEntries[static_cast<size_t>(nStart + i)];
        pEntries[i] = PALETTEENTRY{GetRValue(clr), GetGValue(clr), GetBValue(clr), 0};
    }
    return nCopied;
}

int CMPalette::GetEntries(int nStart, int nCount, RGBQUAD* pQuads) const
{
    if (pQuads == nullptr || nStart < 0 || nStart >= GetEntryCount() || nCount <= 0)
        return 0;
    const int nCopied = std::min(nCount, GetEntryCount() - nStart);
    for (int i = 0; i < nCopied; ++i)
    {
        const COLORREF clr = m_aEntries[static_cast<size_t>(nStart + i)];
        pQuads[i] = RGBQUAD{GetBValue(clr), GetGValue(clr), GetRValue(clr), 0};
    }
    return nCopied;
}

int CMPalette::FindNearestEntry(COLORREF clr) const
{
    int nBest = -1;
    int nBestDistance = 0;
    for (int i = 0; i < GetEntryCount(); ++i)
    {
        const COLORREF entry = m_aEntries[static_cast<size_t>(i)];
        const int nDistance = Square(GetRValue(entry) - GetRValue(clr)) +
                              Square(GetGValue(entry) - GetGValue(clr)) +
                              Square(GetBValue(entry) - GetBValue(clr));
        // Strictly nearer only, so the first of equally near entries stays.
        if (nBest < 0 || nDistance < nBestDistance)
        {
            nBest = i;
            nBestDistance = nDistance;
            if (nDistance == 0)
                break;
        }
    }
    return nBest;
}

int CMPalette::FindExactEntry(COLORREF clr) const
{
    for (int i = 0; i < GetEntryCount(); ++i)
        if (m_aEntries[static_cast<size_t>(i)] == ColourOnly(clr))
            return i;
    return -1;
}
