#include "Region.h"

#include "LastError.h"

#include <algorithm>
#include <mutex>
#include <unordered_set>

namespace
{

struct SRegion
{
    std::vector<RECT> rects;
};

// Regions may be made and freed by drawing code on any thread, so the table of
// live handles is guarded.
std::mutex& RegionTableLock()
{
    static std::mutex s_lock;
    return s_lock;
}

std::unordered_set<SRegion*>& RegionTable()
{
    static std::unordered_set<SRegion*> s_table;
    return s_table;
}

SRegion* LookUp(HGDIOBJ handle)
{
    auto* pRegion = static_cast<SRegion*>(handle);
    std::lock_guard lock(RegionTableLock());
    return RegionTable().count(pRegion) != 0 ? pRegion : nullptr;
}

struct SSpan
{
    LONG left;
    LONG right;
    bool operator==(const SSpan&) const = default;
};

// The horizontal spans that the rectangles cover across the whole band
// [top, bottom), merged and sorted.
std::vector<SSpan> SpansInBand(const std::vector<RECT>& rects, LONG top, LONG bottom)
{
    std::vector<SSpan> spans;
    for (const RECT& r : rects)
    {
        if (r.left < r.right && r.top <= top && r.bottom >= bottom)
            spans.push_back({r.left, r.right});
    }
    std::sort(spans.begin(), spans.end(), [](const SSpan& a, const SSpan& b) { return a.left < b.left; });
    std::vector<SSpan> merged;
    for (const SSpan& s : spans)
    {
        if (!merged.empty() && s.left <= merged.back().right)
            merged.back().right = std::max(merged.back().right, s.right);
        else
            merged.push_back(s);
    }
    return merged;
}

bool Covered(const std::vector<SSpan>& spans, LONG x0, LONG x1)
{
    for (const SSpan& s : spans)
    {
        if (s.left <= x0 && s.right >= x1)
            return true;
    }
    return false;
}

bool Keep(bool inA, bool inB, int mode)
{
    switch (mode)
    {
        case RGN_AND:
            return inA && inB;
        case RGN_OR:
            return inA || inB;
        case RGN_XOR:
            return inA != inB;
        case RGN_DIFF:
            return inA && !inB;
        default:
            return inA;
    }
}

std::vector<SSpan> CombineSpans(const std::vector<SSpan>& a, const std::vector<SSpan>& b, int mode)
{
    std::vector<LONG> xs;
    for (const SSpan& s : a)
    {
        xs.push_back(s.left);
        xs.push_back(s.right);
    }
    for (const SSpan& s : b)
    {
        xs.push_back(s.left);
        xs.push_back(s.right);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::vector<SSpan> out;
    for (size_t i = 0; i + 1 < xs.size(); ++i)
    {
        if (!Keep(Covered(a, xs[i], xs[i + 1]), Covered(b, xs[i], xs[i + 1]), mode))
            continue;
        if (!out.empty() && out.back().right == xs[i])
            out.back().right = xs[i + 1];
        else
            out.push_back({xs[i], xs[i + 1]});
    }
    return out;
}

int RegionKind(const std::vector<RECT>& rects)
{
    if (rects.empty())
        return NULLREGION;
    return rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

HRGN NewRegion(std::vector<RECT> rects)
{
    auto* pRegion = new SRegion{std::move(rects)};
    std::lock_guard lock(RegionTableLock());
    RegionTable().insert(pRegion);
    return reinterpret_cast<HRGN>(pRegion);
}

} // namespace

std::vector<RECT> CombineRectLists(const std::vector<RECT>& a, const std::vector<RECT>& b, int mode)
{
    std::vector<LONG> ys;
    for (const auto* list : {&a, &b})
    {
        for (const RECT& r : *list)
        {
            if (r.left < r.right && r.top < r.bottom)
            {
                ys.push_back(r.top);
                ys.push_back(r.bottom);
            }
        }
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    // Bands with identical spans that touch are merged, which makes the result
    // canonical: the same pixel set always gives the same rectangle list.
    struct SBand
    {
        LONG top;
        LONG bottom;
        std::vector<SSpan> spans;
    };
    std::vector<SBand> bands;
    for (size_t i = 0; i + 1 < ys.size(); ++i)
    {
        std::vector<SSpan> spans =
            CombineSpans(SpansInBand(a, ys[i], ys[i + 1]), SpansInBand(b, ys[i], ys[i + 1]), mode);
        if (spans.empty())
            continue;
        if (!bands.empty() && bands.back().bottom == ys[i] && bands.back().spans == spans)
            bands.back().bottom = ys[i + 1];
        else
            bands.push_back({ys[i], ys[i + 1], std::move(spans)});
    }
    std::vector<RECT> out;
    for (const SBand& band : bands)
    {
        for (const SSpan& s : band.spans)
            out.push_back({s.left, band.top, s.right, band.bottom});
    }
    return out;
}

RECT BoundingRect(const std::vector<RECT>& rects)
{
    RECT box{0, 0, 0, 0};
    for (const RECT& r : rects)
        UnionRect(&box, &box, &r);
    return box;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    // Windows accepts the corners in either order.
    RECT r{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    std::vector<RECT> rects;
    if (r.left < r.right && r.top < r.bottom)
        rects.push_back(r);
    return NewRegion(std::move(rects));
}

HRGN CreateRectRgnIndirect(const RECT* lprc)
{
    if (lprc == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateRectRgn(lprc->left, lprc->top, lprc->right, lprc->bottom);
}

BOOL DeleteRgn(HRGN hrgn)
{
    auto* pRegion = reinterpret_cast<SRegion*>(hrgn);
    {
        std::lock_guard lock(RegionTableLock());
        if (RegionTable().erase(pRegion) == 0)
        {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
    }
    delete pRegion;
    return TRUE;
}

bool IsRegionHandle(HGDIOBJ handle)
{
    return handle != nullptr && LookUp(handle) != nullptr;
}

int CombineRgn(HRGN hrgnDest, HRGN hrgnSrc1, HRGN hrgnSrc2, int mode)
{
    SRegion* pDest = LookUp(hrgnDest);
    SRegion* pSrc1 = LookUp(hrgnSrc1);
    SRegion* pSrc2 = mode == RGN_COPY ? pSrc1 : LookUp(hrgnSrc2);
    if (pDest == nullptr || pSrc1 == nullptr || pSrc2 == nullptr || mode < RGN_AND || mode > RGN_COPY)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return RGN_ERROR;
    }
    // Copy first: the destination may be one of the sources.
    std::vector<RECT> result =
        mode == RGN_COPY ? pSrc1->rects : CombineRectLists(pSrc1->rects, pSrc2->rects, mode);
    pDest->rects = std::move(result);
    return RegionKind(pDest->rects);
}

BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom)
{
    SRegion* pRegion = LookUp(hrgn);
    if (pRegion == nullptr)
        return FALSE;
    RECT r{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    pRegion->rects.clear();
    if (r.left < r.right && r.top < r.bottom)
        pRegion->rects.push_back(r);
    return TRUE;
}

int OffsetRgn(HRGN hrgn, int x, int y)
{
    SRegion* pRegion = LookUp(hrgn);
    if (pRegion == nullptr)
        return RGN_ERROR;
    for (RECT& r : pRegion->rects)
        OffsetRect(&r, x, y);
    return RegionKind(pRegion->rects);
}

int GetRgnBox(HRGN hrgn, LPRECT lprc)
{
    SRegion* pRegion = LookUp(hrgn);
    if (pRegion == nullptr || lprc == nullptr)
        return RGN_ERROR;
    *lprc = BoundingRect(pRegion->rects);
    return RegionKind(pRegion->rects);
}

BOOL PtInRegion(HRGN hrgn, int x, int y)
{
    SRegion* pRegion = LookUp(hrgn);
    if (pRegion == nullptr)
        return FALSE;
    const POINT pt{x, y};
    for (const RECT& r : pRegion->rects)
    {
        if (PtInRect(&r, pt))
            return TRUE;
    }
    return FALSE;
}

BOOL RectInRegion(HRGN hrgn, const RECT* lprc)
{
    SRegion* pRegion = LookUp(hrgn);
    if (pRegion == nullptr || lprc == nullptr)
        return FALSE;
    RECT probe{std::min(lprc->left, lprc->right), std::min(lprc->top, lprc->bottom),
               std::max(lprc->left, lprc->right), std::max(lprc->top, lprc->bottom)};
    for (const RECT& r : pRegion->rects)
    {
        RECT overlap;
        if (IntersectRect(&overlap, &r, &probe))
            return TRUE;
    }
    return FALSE;
}

BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2)
{
    SRegion* pFirst = LookUp(hrgn1);
    SRegion* pSecond = LookUp(hrgn2);
    if (pFirst == nullptr || pSecond == nullptr)
        return FALSE;
    // Both are canonical, so equal pixel sets have equal rectangle lists; a
    // single-rectangle region made by CreateRectRgn is canonical too.
    if (pFirst->rects.size() != pSecond->rects.size())
        return FALSE;
    for (size_t i = 0; i < pFirst->rects.size(); ++i)
    {
        if (!EqualRect(&pFirst->rects[i], &pSecond->rects[i]))
            return FALSE;
    }
    return TRUE;
}

std::vector<RECT> GetRegionRects(HRGN hrgn)
{
    SRegion* pRegion = LookUp(hrgn);
    return pRegion != nullptr ? pRegion->rects : std::vector<RECT>{};
}
