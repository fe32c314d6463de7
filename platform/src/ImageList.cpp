#include "ImageList.h"

#include "Dc.h"
#include "PixelOps.h"
#include "LastError.h"
#include "Resources.h"
#include "Wnd.h"

#include <algorithm>
#include <mutex>

IMPLEMENT_DYNAMIC(CImageList, CObject)

namespace
{

struct SImageListRecord : SGdiRecord
{
    SImageListRecord() : SGdiRecord(EGdiKind::ImageList) {}
    ~SImageListRecord() override
    {
        if (pTemporary != nullptr)
            pTemporary->m_hImageList = nullptr;
    }

    LONG cx = 0;
    LONG cy = 0;
    UINT nFlags = 0;
    COLORREF background = CLR_NONE;
    std::vector<SImage> images;
    CImageList* pAttachedList = nullptr;
    std::unique_ptr<CImageList> pTemporary;
};

std::shared_ptr<SImageListRecord> FindList(HIMAGELIST himl)
{
    std::shared_ptr<SImageListRecord> pList = GdiFindAs<SImageListRecord>(himl);
    if (pList == nullptr)
        SetLastError(ERROR_INVALID_HANDLE);
    return pList;
}

HIMAGELIST PublishList(std::shared_ptr<SImageListRecord> pList)
{
    return reinterpret_cast<HIMAGELIST>(GdiInsert(std::move(pList)));
}

// Cuts a bitmap into images of the list's size, applying a mask bitmap or a
// mask colour when the list has masks.
bool CutImages(const SImageListRecord& list, HBITMAP hbmImage, HBITMAP hbmMask, const COLORREF* pMaskColour,
               std::vector<SImage>& images)
{
    SImage strip;
    if (!CopyBitmapToImage(hbmImage, strip) || strip.nWidth < list.cx)
        return false;
    SImage mask;
    const bool bMasked = (list.nFlags & ILC_MASK) != 0;
    const bool bMaskBitmap = bMasked && hbmMask != nullptr && CopyBitmapToImage(hbmMask, mask);
    const bool bAlpha =
        (list.nFlags & ILC_COLOR32) != 0 &&
        std::any_of(strip.pixels.begin(), strip.pixels.end(), [](DWORD p) { return (p >> 24) != 0; }) &&
        std::any_of(strip.pixels.begin(), strip.pixels.end(), [](DWORD p) { return (p >> 24) != 255; });
    const DWORD maskColour = pMaskColour != nullptr ? PixelFromColour(*pMaskColour) & kColourMask : 0;
    const LONG nCount = strip.nWidth / list.cx;
    for (LONG n = 0; n < nCount; ++n)
    {
        SImage image;
        image.nWidth = list.cx;
        image.nHeight = list.cy;
        image.pixels.assign(static_cast<std::size_t>(list.cx) * list.cy, 0);
        for (LONG y = 0; y < std::min(list.cy, strip.nHeight); ++y)
        {
            for (LONG x = 0; x < list.cx; ++x)
            {
                const LONG sx = n * list.cx + x;
                DWORD pixel = strip.At(sx, y);
                if (!bAlpha)
                    pixel |= 0xFF000000u;
                bool bTransparent = false;
                if (bMaskBitmap && sx < mask.nWidth && y < mask.nHeight)
                    bTransparent = (mask.At(sx, y) & 0x00FFFFFFu) != 0;
                if (bMasked && pMaskColour != nullptr)
                    bTransparent = bTransparent || (pixel & 0x00FFFFFFu) == maskColour;
                image.At(x, y) = bTransparent ? 0u : pixel;
            }
        }
        images.push_back(std::move(image));
    }
    return nCount > 0;
}

DWORD MixWith(DWORD pixel, COLORREF colour, DWORD weight)
{
    // Blends a pre-multiplied pixel towards a colour, keeping its alpha.
    const DWORD alpha = pixel >> 24;
    const DWORD target[3] = {GetBValue(colour) * alpha / 255, GetGValue(colour) * alpha / 255,
                             GetRValue(colour) * alpha / 255};
    DWORD result = alpha << 24;
    for (int c = 0; c < 3; ++c)
    {
        const DWORD value = (pixel >> (8 * c)) & 0xFF;
        result |= ((value * (255 - weight) + target[c] * weight + 127) / 255) << (8 * c);
    }
    return result;
}

std::mutex& DragLock()
{
    static std::mutex s_mutex;
    return s_mutex;
}

SDragImageState& Drag()
{
    static SDragImageState s_state;
    return s_state;
}

} // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int)
{
    if (cx <= 0 || cy <= 0 || cx > kMaxImageSide || cy > kMaxImageSide)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto pList = std::make_shared<SImageListRecord>();
    pList->cx = cx;
    pList->cy = cy;
    pList->nFlags = flags;
    return PublishList(std::move(pList));
}

BOOL ImageList_Destroy(HIMAGELIST himl)
{
    std::shared_ptr<SImageListRecord> pList = FindList(himl);
    if (pList == nullptr)
        return FALSE;
    if (pList->pAttachedList != nullptr)
        pList->pAttachedList->m_hImageList = nullptr;
    pList->pAttachedList = nullptr;
    return GdiRemove(himl) ? TRUE : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST himl)
{
    std::shared_ptr<SImageListRecord> pList = FindList(himl);
    return pList != nullptr ? static_cast<int>(pList->images.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy)
{
    std::shared_ptr<SImageListRecord> pList = FindList(himl);
    if (pList == nullptr || cx == nullptr || cy == nullptr)
        return FALSE;
    *cx = pList->cx;
    *cy = pList->cy;
    return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk)
{
    std::shared_ptr<SImageListRecord> pList = FindList(himl);
    if (pList == nullptr)
        return CLR_NONE;
    const COLORREF old = pList->background;
    pList->background = clrBk;
    return old;
}

COLORREF ImageList_GetBkColor(HIMAGELIST himl)
{
    std::shared_ptr<SImageListRecord> pList = FindList(himl);
    return pList != nullptr ? pList->background : CLR_NONE;
}

int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask)
{
    std::shared_ptr<SImageListRecord> pList = FindList(himl);
    std::vector<SImage> images;
    if (pList == nullptr || !CutImages(*pList, hbmImage, hbmMask, nullptr, images))
        return -1;
    const int nFirst = static_cast<int>(pList->images.size());
    pList->images.insert(pList->images.end(), images.begin(), images.end());
    return nFirst;
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask)
{
    std::shared_ptr<SImageListRecord> pList = FindList(himl);
    std::vector<SImage> images;
    if (pList == nullptr || !CutImages(*pList, hbmImage, nullptr, &crMask, images))
        return -1;
    const int nFirst = static_cast<int>(pList->images.size());
    pList->images.insert(pList->images.end(), images.begin(), images.end());
    return nFirst;
}

BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask)
{
    std::shared_ptr<SImageListRecord> pList = FindList(himl);
    std::vector<SImage> images;
    if (pList == nullptr || i < 0 || i >= static_cast<int>(pList->images.size()) ||
        !CutImages(*pList, hbmImage, hbmMask, nullptr, images))
        return FALSE;
    pList->images[static_cast<std::size_t>(i)] = std::move(images.front());
    return TRUE;
}

BOOL ImageList_Remove(HIMAGELIST himl, int i)
{
    std::shared_ptr<SImageListRecord> pList = FindList(himl);
    if (pList == nullptr)
        return FALSE;
    if (i == -1)
    {
        pList->images.clear();
        return TRUE;
    }
    if (i < 0 || i >= static_cast<int>(pList->images.size()))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    pList->images.erase(pList->images.begin() + i);
    return TRUE;
}

BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, int dx, int dy, COLORREF rgbBk,
                      COLORREF rgbFg, UINT fStyle)
{
    std::shared_ptr<SImageListRecord> pList = FindList(himl);
    if (pList == nullptr || i < 0 || i >= static_cast<int>(pList->images.size()) ||
        GdiPeek(hdcDst) == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    SImage image = pList->images[static_cast<std::size_t>(i)];
    const int nWidth = dx > 0 ? std::min<int>(dx, image.nWidth) : image.nWidth;
    const int nHeight = dy > 0 ? std::min<int>(dy, image.nHeight) : image.nHeight;
    if ((fStyle & ILD_MASK) != 0)
    {
        // The mask itself: black where the image shows, white elsewhere.
        for (DWORD& pixel : image.pixels)
            pixel = (pixel >> 24) != 0 ? 0xFF000000u : 0xFFFFFFFFu;
    }
    else if ((fStyle & (ILD_BLEND25 | ILD_BLEND50)) != 0)
    {
        const COLORREF blend =
            rgbFg == CLR_DEFAULT || rgbFg == CLR_NONE ? GetSysColor(COLOR_HIGHLIGHT) : rgbFg;
        const DWORD weight = (fStyle & ILD_BLEND50) != 0 ? 128 : 64;
        for (DWORD& pixel : image.pixels)
            pixel = MixWith(pixel, blend, weight);
    }
    const COLORREF background = rgbBk == CLR_DEFAULT ? pList->background : rgbBk;
    if ((fStyle & (ILD_TRANSPARENT | ILD_MASK)) == 0 && background != CLR_NONE)
    {
        const RECT rc{x, y, x + nWidth, y + nHeight};
        HBRUSH hBrush = CreateSolidBrush(background);
        FillRect(hdcDst, &rc, hBrush);
        DeleteObject(hBrush);
    }
    HBITMAP hBitmap = CreateBitmapFromImage(image);
    HDC hdcImage = CreateCompatibleDC(hdcDst);
    HGDIOBJ hOld = SelectObject(hdcImage, hBitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const BOOL bDone = AlphaBlend(hdcDst, x, y, nWidth, nHeight, hdcImage, 0, 0, nWidth, nHeight, blend);
    SelectObject(hdcImage, hOld);
    DeleteDC(hdcImage);
    DeleteObject(hBitmap);
    return bDone;
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle)
{
    return ImageList_DrawEx(himl, i, hdcDst, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, fStyle);
}

BOOL ImageList_BeginDrag(HIMAGELIST himlTrack, int iTrack, int dxHotspot, int dyHotspot)
{
    std::shared_ptr<SImageListRecord> pList = FindList(himlTrack);
    if (pList == nullptr || iTrack < 0 || iTrack >= static_cast<int>(pList->images.size()))
        return FALSE;
    ImageList_EndDrag();
    // The drag keeps its own copy of the image in a list of one.
    auto pDragList = std::make_shared<SImageListRecord>();
    pDragList->cx = pList->cx;
    pDragList->cy = pList->cy;
    pDragList->nFlags = pList->nFlags | ILC_MASK;
    pDragList->images.push_back(pList->images[static_cast<std::size_t>(iTrack)]);
    HIMAGELIST hDragList = PublishList(std::move(pDragList));
    if (hDragList == nullptr)
        return FALSE;
    std::lock_guard lock(DragLock());
    Drag() = SDragImageState{};
    Drag().bDragging = true;
    Drag().hImageList = hDragList;
    Drag().ptHotspot = POINT{dxHotspot, dyHotspot};
    return TRUE;
}

BOOL ImageList_DragEnter(HWND hwndLock, int x, int y)
{
    std::lock_guard lock(DragLock());
    if (!Drag().bDragging)
        return FALSE;
    Drag().hWndLock = hwndLock;
    Drag().ptPosition = POINT{x, y};
    Drag().bShown = true;
    return TRUE;
}

BOOL ImageList_DragMove(int x, int y)
{
    std::lock_guard lock(DragLock());
    if (!Drag().bDragging)
        return FALSE;
    Drag().ptPosition = POINT{x, y};
    return TRUE;
}

BOOL ImageList_DragLeave(HWND hwndLock)
{
    std::lock_guard lock(DragLock());
    if (!Drag().bDragging ||
        (hwndLock != nullptr && Drag().hWndLock != nullptr && hwndLock != Drag().hWndLock))
        return FALSE;
    Drag().bShown = false;
    Drag().hWndLock = nullptr;
    return TRUE;
}

BOOL ImageList_DragShowNolock(BOOL fShow)
{
    std::lock_guard lock(DragLock());
    if (!Drag().bDragging)
        return FALSE;
    Drag().bShown = fShow != FALSE;
    return TRUE;
}

void ImageList_EndDrag()
{
    HIMAGELIST hDragList = nullptr;
    {
        std::lock_guard lock(DragLock());
        hDragList = Drag().hImageList;
        Drag() = SDragImageState{};
    }
    if (hDragList != nullptr)
        ImageList_Destroy(hDragList);
}

HIMAGELIST ImageList_GetDragImage(POINT* ppt, POINT* pptHotspot)
{
    std::lock_guard lock(DragLock());
    if (!Drag().bDragging)
        return nullptr;
    if (ppt != nullptr)
        *ppt = Drag().ptPosition;
    if (pptHotspot != nullptr)
        *pptHotspot = Drag().ptHotspot;
    return Drag().hImageList;
}

SDragImageState GetDragImageState()
{
    std::lock_guard lock(DragLock());
    return Drag();
}

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    std::shared_ptr<SImageListRecord> pList = GdiPeekAs<SImageListRecord>(hImageList);
    if (pList == nullptr)
        return nullptr;
    if (pList->pAttachedList != nullptr)
        return pList->pAttachedList;
    if (pList->pTemporary == nullptr)
    {
        pList->pTemporary = std::make_unique<CImageList>();
        pList->pTemporary->m_hImageList = hImageList;
    }
    return pList->pTemporary.get();
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCEW(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCWSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    HBITMAP hBitmap = ::LoadBitmapW(nullptr, lpszBitmapID);
    BITMAP info{};
    if (hBitmap == nullptr || ::GetObjectW(hBitmap, sizeof(info), &info) == 0 || cx <= 0)
    {
        if (hBitmap != nullptr)
            ::DeleteObject(hBitmap);
        return FALSE;
    }
    const UINT nFlags = ILC_COLOR32 | (crMask != CLR_NONE ? ILC_MASK : 0u);
    BOOL bDone = Create(cx, info.bmHeight, nFlags, info.bmWidth / cx, nGrow);
    if (bDone)
        bDone = (crMask != CLR_NONE ? ImageList_AddMasked(m_hImageList, hBitmap, crMask)
                                    : ImageList_Add(m_hImageList, hBitmap, nullptr)) >= 0;
    ::DeleteObject(hBitmap);
    if (!bDone)
        DeleteImageList();
    return bDone;
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (m_hImageList != nullptr || hImageList == nullptr)
        return FALSE;
    std::shared_ptr<SImageListRecord> pList = FindList(hImageList);
    if (pList == nullptr || pList->pAttachedList != nullptr)
        return FALSE;
    pList->pAttachedList = this;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    if (std::shared_ptr<SImageListRecord> pList = GdiPeekAs<SImageListRecord>(hImageList))
    {
        if (pList->pAttachedList == this)
            pList->pAttachedList = nullptr;
    }
    m_hImageList = nullptr;
    return hImageList;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (pbmImage == nullptr)
        return -1;
    return ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage->m_hObject),
                         pbmMask != nullptr ? static_cast<HBITMAP>(pbmMask->m_hObject) : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    if (pbmImage == nullptr)
        return -1;
    return ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage->m_hObject), crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    if (pbmImage == nullptr)
        return FALSE;
    return ImageList_Replace(m_hImageList, nImage, static_cast<HBITMAP>(pbmImage->m_hObject),
                             pbmMask != nullptr ? static_cast<HBITMAP>(pbmMask->m_hObject) : nullptr);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return pDC != nullptr ? ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle) : FALSE;
}

BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle)
{
    return pDC != nullptr ? ImageList_DrawEx(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, sz.cx, sz.cy,
                                             clrBk, clrFg, nStyle)
                          : FALSE;
}

BOOL CImageList::BeginDrag(int nImage, POINT ptHotSpot)
{
    return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y);
}

void CImageList::EndDrag()
{
    ImageList_EndDrag();
}

BOOL CImageList::DragEnter(CWnd* pWndLock, POINT point)
{
    return ImageList_DragEnter(pWndLock != nullptr ? pWndLock->GetSafeHwnd() : nullptr, point.x, point.y);
}

BOOL CImageList::DragMove(POINT pt)
{
    return ImageList_DragMove(pt.x, pt.y);
}

BOOL CImageList::DragLeave(CWnd* pWndLock)
{
    return ImageList_DragLeave(pWndLock != nullptr ? pWndLock->GetSafeHwnd() : nullptr);
}

BOOL CImageList::DragShowNolock(BOOL bShow)
{
    return ImageList_DragShowNolock(bShow);
}

CImageList* CImageList::GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot)
{
    return FromHandle(ImageList_GetDragImage(lpPoint, lpPointHotSpot));
}
