// Image lists: equal-sized images kept together and drawn with their masks
// or alpha, and the drag image that follows the pointer in a drag.
//
// Images are kept as 32-bit pre-multiplied pixels; a masked-out pixel is
// fully transparent. With ILC_MASK the mask comes from a mask bitmap (white
// is transparent) or from a mask colour; with ILC_COLOR32 a bitmap's own
// alpha is kept unless all of it is zero. Drawing blends the image over the
// destination (ILD_TRANSPARENT, or a background colour of CLR_NONE) or over
// the background colour (ILD_NORMAL).
//
// The drag calls keep the drag image's state (image, hot spot, locked window,
// position, shown or not) for the window manager, which draws it over the
// locked window: see GetDragImageState.
#pragma once

#include "Gdi.h"
#include "Object.h"

class CBitmap;
class CDC;
class CWnd;

#define ILC_MASK 0x00000001
#define ILC_COLOR 0x00000000
#define ILC_COLORDDB 0x000000FE
#define ILC_COLOR4 0x00000004
#define ILC_COLOR8 0x00000008
#define ILC_COLOR16 0x00000010
#define ILC_COLOR24 0x00000018
#define ILC_COLOR32 0x00000020

#define ILD_NORMAL 0x00000000
#define ILD_TRANSPARENT 0x00000001
#define ILD_BLEND25 0x00000002
#define ILD_FOCUS ILD_BLEND25
#define ILD_BLEND50 0x00000004
#define ILD_SELECTED ILD_BLEND50
#define ILD_BLEND ILD_BLEND50
#define ILD_MASK 0x00000010
#define ILD_IMAGE 0x00000020

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow);
BOOL ImageList_Destroy(HIMAGELIST himl);
int ImageList_GetImageCount(HIMAGELIST himl);
BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk);
COLORREF ImageList_GetBkColor(HIMAGELIST himl);
// Adds every image of a strip as wide as a whole number of images; returns
// the index of the first, or -1.
int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask);
int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask);
BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask);
// i -1 removes every image.
BOOL ImageList_Remove(HIMAGELIST himl, int i);
BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle);
// dx, dy 0: the image's size. rgbBk CLR_DEFAULT: the list's background
// colour; CLR_NONE: transparent. rgbFg is the blend colour (CLR_DEFAULT: the
// highlight colour).
BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, int dx, int dy, COLORREF rgbBk,
                      COLORREF rgbFg, UINT fStyle);

BOOL ImageList_BeginDrag(HIMAGELIST himlTrack, int iTrack, int dxHotspot, int dyHotspot);
BOOL ImageList_DragEnter(HWND hwndLock, int x, int y);
BOOL ImageList_DragMove(int x, int y);
BOOL ImageList_DragLeave(HWND hwndLock);
BOOL ImageList_DragShowNolock(BOOL fShow);
void ImageList_EndDrag();
// The image list holding the drag image (one image), the position and the
// hot spot; null when no drag is under way.
HIMAGELIST ImageList_GetDragImage(POINT* ppt, POINT* pptHotspot);

// What the window manager needs to draw the drag image: it is drawn with its
// hot spot at ptPosition, in the coordinates of hWndLock's window rectangle,
// while bShown.
struct SDragImageState
{
    bool bDragging = false;
    HIMAGELIST hImageList = nullptr;
    POINT ptHotspot{0, 0};
    HWND hWndLock = nullptr;
    POINT ptPosition{0, 0};
    bool bShown = false;
};
SDragImageState GetDragImageState();

class CImageList : public CObject
{
    DECLARE_DYNAMIC(CImageList)
public:
    CImageList() = default;
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    static CImageList* FromHandle(HIMAGELIST hImageList);

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // From a bitmap resource cut into images cx wide, crMask transparent.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCWSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    BOOL DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle);

    BOOL BeginDrag(int nImage, POINT ptHotSpot);
    static void EndDrag();
    static BOOL DragEnter(CWnd* pWndLock, POINT point);
    static BOOL DragMove(POINT pt);
    static BOOL DragLeave(CWnd* pWndLock);
    static BOOL DragShowNolock(BOOL bShow);
    static CImageList* GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot);
};
