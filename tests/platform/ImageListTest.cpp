// Image lists: adding strips with masks, drawing with masks, backgrounds,
// alpha and blending, removing, and the drag image's state.
#include "DrawingTestSupport.h"
#include "GdiObjects.h"
#include "ImageList.h"

namespace
{

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

// Three 8 x 8 images side by side: red, green, blue, each with a magenta
// 3 x 3 square in its top-left corner.
class CStrip : public CTestCanvas
{
public:
    CStrip() : CTestCanvas(24, 8)
    {
        const COLORREF colours[3] = {kRed, RGB(0, 255, 0), RGB(0, 0, 255)};
        for (int i = 0; i < 3; ++i)
        {
            HBRUSH hBrush = CreateSolidBrush(colours[i]);
            const RECT rc{i * 8, 0, i * 8 + 8, 8};
            FillRect(Dc(), &rc, hBrush);
            DeleteObject(hBrush);
            HBRUSH hMask = CreateSolidBrush(kMagenta);
            const RECT corner{i * 8, 0, i * 8 + 3, 3};
            FillRect(Dc(), &corner, hMask);
            DeleteObject(hMask);
        }
    }
};

} // namespace

TEST(ImageList, MaskColourMakesPixelsTransparent)
{
    CStrip strip;
    HIMAGELIST hList = ImageList_Create(8, 8, ILC_COLOR32 | ILC_MASK, 3, 1);
    ASSERT_NE(hList, nullptr);
    EXPECT_EQ(ImageList_AddMasked(hList, strip.Bitmap(), kMagenta), 0);
    EXPECT_EQ(ImageList_GetImageCount(hList), 3);
    EXPECT_EQ(ImageList_AddMasked(hList, strip.Bitmap(), kMagenta), 3);
    EXPECT_EQ(ImageList_GetImageCount(hList), 6);

    CTestCanvas canvas(12, 12);
    EXPECT_TRUE(ImageList_Draw(hList, 0, canvas.Dc(), 2, 2, ILD_TRANSPARENT));
    EXPECT_EQ(canvas.At(2, 2), kWhite);
    EXPECT_EQ(canvas.At(4, 4), kWhite);
    EXPECT_EQ(canvas.At(5, 2), kRed);
    EXPECT_EQ(canvas.At(9, 9), kRed);
    EXPECT_EQ(canvas.At(10, 10), kWhite);

    // A background colour shows through the mask in normal drawing.
    EXPECT_EQ(ImageList_SetBkColor(hList, RGB(255, 255, 0)), CLR_NONE);
    ImageList_Draw(hList, 1, canvas.Dc(), 2, 2, ILD_NORMAL);
    EXPECT_EQ(canvas.At(2, 2), RGB(255, 255, 0));
    EXPECT_EQ(canvas.At(5, 5), RGB(0, 255, 0));
    ImageList_Draw(hList, 2, canvas.Dc(), 2, 2, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.At(2, 2), RGB(255, 255, 0));
    EXPECT_EQ(canvas.At(5, 5), RGB(0, 0, 255));

    // The mask itself: black where the image shows.
    ImageList_Draw(hList, 0, canvas.Dc(), 2, 2, ILD_MASK);
    EXPECT_EQ(canvas.At(2, 2), kWhite);
    EXPECT_EQ(canvas.At(5, 5), RGB(0, 0, 0));
    ImageList_Destroy(hList);
}

TEST(ImageList, MaskBitmapsAndListsWithoutMasks)
{
    CStrip strip;
    CTestCanvas mask(24, 8, RGB(0, 0, 0));
    SetPixel(mask.Dc(), 7, 7, kWhite);
    HIMAGELIST hList = ImageList_Create(8, 8, ILC_COLOR24 | ILC_MASK, 3, 1);
    EXPECT_EQ(ImageList_Add(hList, strip.Bitmap(), mask.Bitmap()), 0);
    CTestCanvas canvas(8, 8, RGB(1, 2, 3));
    ImageList_Draw(hList, 0, canvas.Dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.At(7, 7), RGB(1, 2, 3));
    EXPECT_EQ(canvas.At(0, 0), kMagenta); // the mask bitmap decides here
    ImageList_Destroy(hList);

    // Without ILC_MASK every pixel is drawn.
    hList = ImageList_Create(8, 8, ILC_COLOR24, 3, 1);
    ImageList_AddMasked(hList, strip.Bitmap(), kMagenta);
    ImageList_Draw(hList, 0, canvas.Dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.At(0, 0), kMagenta);
    ImageList_Destroy(hList);
}

TEST(ImageList, RemovingShiftsTheImagesDown)
{
    CStrip strip;
    HIMAGELIST hList = ImageList_Create(8, 8, ILC_COLOR32, 3, 1);
    ImageList_Add(hList, strip.Bitmap(), nullptr);
    EXPECT_TRUE(ImageList_Remove(hList, 1));
    EXPECT_EQ(ImageList_GetImageCount(hList), 2);
    CTestCanvas canvas(8, 8);
    ImageList_Draw(hList, 1, canvas.Dc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.At(5, 5), RGB(0, 0, 255));
    EXPECT_FALSE(ImageList_Remove(hList, 2));
    EXPECT_FALSE(ImageList_Draw(hList, 2, canvas.Dc(), 0, 0, ILD_NORMAL));
    EXPECT_TRUE(ImageList_Remove(hList, -1));
    EXPECT_EQ(ImageList_GetImageCount(hList), 0);
    EXPECT_FALSE(ImageList_Draw(hList, 0, canvas.Dc(), 0, 0, ILD_NORMAL));
    EXPECT_TRUE(ImageList_Destroy(hList));
    EXPECT_EQ(ImageList_GetImageCount(hList), 0);
    EXPECT_FALSE(ImageList_Destroy(hList));
    // A strip narrower than one image adds nothing.
    HIMAGELIST hWide = ImageList_Create(32, 8, ILC_COLOR32, 1, 1);
    EXPECT_EQ(ImageList_Add(hWide, strip.Bitmap(), nullptr), -1);
    ImageList_Destroy(hWide);
}

TEST(ImageList, AlphaImagesBlendAndSelectedOnesTakeTheHighlight)
{
    SImage image;
    image.nWidth = 1;
    image.nHeight = 1;
    image.pixels = {0x80640000u}; // red 100 (pre-multiplied) at alpha 128
    HBITMAP hBitmap = CreateBitmapFromImage(image);
    HIMAGELIST hAlpha = ImageList_Create(1, 1, ILC_COLOR32, 1, 1);
    ImageList_Add(hAlpha, hBitmap, nullptr);
    CTestCanvas canvas(1, 1);
    ImageList_Draw(hAlpha, 0, canvas.Dc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.At(0, 0), RGB(227, 127, 127)); // 255 * 127 / 255 of white added
    ImageList_Destroy(hAlpha);

    // A list without 32-bit colour keeps no alpha.
    HIMAGELIST hOpaque = ImageList_Create(1, 1, ILC_COLOR24, 1, 1);
    ImageList_Add(hOpaque, hBitmap, nullptr);
    canvas.Fill(kWhite);
    ImageList_Draw(hOpaque, 0, canvas.Dc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.At(0, 0), RGB(100, 0, 0));
    ImageList_Destroy(hOpaque);
    DeleteObject(hBitmap);

    // Selected: half way to the highlight colour 0, 120, 215.
    CTestCanvas red(1, 1, kRed);
    HIMAGELIST hList = ImageList_Create(1, 1, ILC_COLOR32, 1, 1);
    ImageList_Add(hList, red.Bitmap(), nullptr);
    ImageList_Draw(hList, 0, canvas.Dc(), 0, 0, ILD_SELECTED);
    EXPECT_EQ(canvas.At(0, 0), RGB(127, 60, 108));
    ImageList_Destroy(hList);
}

TEST(ImageList, DragStateIsKeptForTheWindowManager)
{
    CStrip strip;
    CImageList list;
    ASSERT_TRUE(list.Create(8, 8, ILC_COLOR32 | ILC_MASK, 3, 1));
    EXPECT_EQ(CImageList::FromHandle(list.m_hImageList), &list);
    CBitmap* pBitmap = CBitmap::FromHandle(strip.Bitmap());
    EXPECT_EQ(list.Add(pBitmap, kMagenta), 0);

    EXPECT_FALSE(CImageList::DragMove(POINT{1, 1}));
    ASSERT_TRUE(list.BeginDrag(2, POINT{3, 4}));
    SDragImageState state = GetDragImageState();
    EXPECT_TRUE(state.bDragging);
    EXPECT_FALSE(state.bShown);
    EXPECT_EQ(state.ptHotspot.x, 3);
    EXPECT_EQ(state.ptHotspot.y, 4);
    EXPECT_EQ(ImageList_GetImageCount(state.hImageList), 1);

    const HWND hWnd = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x40));
    EXPECT_TRUE(ImageList_DragEnter(hWnd, 10, 20));
    EXPECT_TRUE(CImageList::DragMove(POINT{15, 25}));
    state = GetDragImageState();
    EXPECT_TRUE(state.bShown);
    EXPECT_EQ(state.hWndLock, hWnd);
    EXPECT_EQ(state.ptPosition.x, 15);
    EXPECT_TRUE(CImageList::DragShowNolock(FALSE));
    EXPECT_FALSE(GetDragImageState().bShown);
    POINT pt{};
    POINT hotspot{};
    CImageList* pDrag = CImageList::GetDragImage(&pt, &hotspot);
    ASSERT_NE(pDrag, nullptr);
    EXPECT_EQ(pDrag->GetImageCount(), 1);
    EXPECT_EQ(pt.y, 25);
    // The drag keeps its own copy: the list may change meanwhile.
    list.Remove(-1);
    CTestCanvas canvas(8, 8);
    EXPECT_TRUE(ImageList_Draw(state.hImageList, 0, canvas.Dc(), 0, 0, ILD_NORMAL));
    EXPECT_EQ(canvas.At(5, 5), RGB(0, 0, 255));

    EXPECT_TRUE(ImageList_DragLeave(hWnd));
    EXPECT_EQ(GetDragImageState().hWndLock, nullptr);
    CImageList::EndDrag();
    EXPECT_FALSE(GetDragImageState().bDragging);
    EXPECT_EQ(ImageList_GetDragImage(nullptr, nullptr), nullptr);
    EXPECT_EQ(ImageList_GetImageCount(state.hImageList), 0);

    const HIMAGELIST hList = list.m_hImageList;
    list.DeleteImageList();
    EXPECT_EQ(list.m_hImageList, nullptr);
    EXPECT_EQ(CImageList::FromHandle(hList), nullptr);
}
