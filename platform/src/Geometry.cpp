#include "Geometry.h"

#include <algorithm>
#include <utility>

BOOL SetRect(LPRECT lprc, int left, int top, int right, int bottom)
{
    if (lprc == nullptr)
    {
        return FALSE;
    }
    *lprc = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT lprc)
{
    return SetRect(lprc, 0, 0, 0, 0);
}

BOOL CopyRect(LPRECT dst, const RECT* src)
{
    if (dst == nullptr || src == nullptr)
    {
        return FALSE;
    }
    *dst = *src;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* lprc)
{
    return lprc == nullptr || lprc->right <= lprc->left || lprc->bottom <= lprc->top;
}

BOOL PtInRect(const RECT* lprc, POINT pt)
{
    return lprc != nullptr && pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top &&
           pt.y < lprc->bottom;
}

BOOL EqualRect(const RECT* a, const RECT* b)
{
    return a != nullptr && b != nullptr && a->left == b->left && a->top == b->top && a->right == b->right &&
           a->bottom == b->bottom;
}

BOOL InflateRect(LPRECT lprc, int dx, int dy)
{
    if (lprc == nullptr)
    {
        return FALSE;
    }
    lprc->left -= dx;
    lprc->top -= dy;
    lprc->right += dx;
    lprc->bottom += dy;
    return TRUE;
}

BOOL OffsetRect(LPRECT lprc, int dx, int dy)
{
    if (lprc == nullptr)
    {
        return FALSE;
    }
    lprc->left += dx;
    lprc->right += dx;
    lprc->top += dy;
    lprc->bottom += dy;
    return TRUE;
}

BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b)
{
    if (dst == nullptr || a == nullptr || b == nullptr)
    {
        return FALSE;
    }
    const RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                 std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r))
    {
        *dst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    *dst = r;
    return TRUE;
}

BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b)
{
    if (dst == nullptr || a == nullptr || b == nullptr)
    {
        return FALSE;
    }
    const bool emptyA = IsRectEmpty(a);
    const bool emptyB = IsRectEmpty(b);
    if (emptyA && emptyB)
    {
        *dst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    if (emptyA)
    {
        *dst = *b;
        return TRUE;
    }
    if (emptyB)
    {
        *dst = *a;
        return TRUE;
    }
    *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                std::max(a->bottom, b->bottom)};
    return TRUE;
}

BOOL SubtractRect(LPRECT dst, const RECT* a, const RECT* b)
{
    if (dst == nullptr || a == nullptr || b == nullptr)
    {
        return FALSE;
    }
    RECT result = *a;
    RECT overlap;
    if (IntersectRect(&overlap, a, b))
    {
        const bool spansX = overlap.left == a->left && overlap.right == a->right;
        const bool spansY = overlap.top == a->top && overlap.bottom == a->bottom;
        if (spansX && spansY)
        {
            *dst = RECT{0, 0, 0, 0};
            return FALSE;
        }
        if (spansX)
        {
            if (overlap.top == a->top)
            {
                result.top = overlap.bottom;
            }
            else if (overlap.bottom == a->bottom)
            {
                result.bottom = overlap.top;
            }
        }
        else if (spansY)
        {
            if (overlap.left == a->left)
            {
                result.left = overlap.right;
            }
            else if (overlap.right == a->right)
            {
                result.right = overlap.left;
            }
        }
    }
    *dst = result;
    return !IsRectEmpty(&result);
}

void CRect::NormalizeRect()
{
    if (left > right)
    {
        std::swap(left, right);
    }
    if (top > bottom)
    {
        std::swap(top, bottom);
    }
}
