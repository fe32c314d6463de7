#include "RowIterator.h"

#include "DrawingTestSupport.h"

#include <gtest/gtest.h>

TEST(RowIterator, CreatesPaddedRowsOfTheAskedDepth)
{
    CRowIterator image;
    EXPECT_FALSE(image.IsAttached());
    EXPECT_EQ(image.GetRow(0), nullptr);
    ASSERT_TRUE(image.CreateRGB(5, 3));
    EXPECT_EQ(image.Width(), 5);
    EXPECT_EQ(image.Height(), 3);
    EXPECT_EQ(image.BitsPerPixel(), 24);
    // 5 pixels of 3 bytes are 15 bytes, padded to 16.
    EXPECT_EQ(image.Stride(), 16);
    EXPECT_EQ(image.GetRow(1) - image.GetRow(0), 16);
    image.ReleaseRow(0);
    image.ReleaseRow(1);

    CRowIterator grey;
    ASSERT_TRUE(grey.CreateGrey(5, 2));
    EXPECT_EQ(grey.Stride(), 8);
    EXPECT_EQ(grey.BitsPerPixel(), 8);
    const RECT rc = grey.GetRect();
    EXPECT_EQ(rc.right, 5);
    EXPECT_EQ(rc.bottom, 2);
}

TEST(RowIterator, RefusesImpossibleImagesAndRowsOutsideTheImage)
{
    CRowIterator image;
    ASSERT_TRUE(image.CreateRGB(4, 4));
    // A failed create leaves the iterator detached, not holding the old image.
    EXPECT_FALSE(image.Create(0, 4, 24));
    EXPECT_FALSE(image.IsAttached());
    EXPECT_FALSE(image.Create(4, 4, 16));
    EXPECT_FALSE(image.CreateRGB(-1, 10));
    EXPECT_FALSE(image.CreateRGB(1 << 20, 1 << 20));
    ASSERT_TRUE(image.CreateGrey(2, 2));
    EXPECT_EQ(image.GetRow(-1), nullptr);
    EXPECT_EQ(image.GetRow(2), nullptr);
    EXPECT_EQ(image.RowsOut(), 0);
    // Releasing a row never got does not make the count negative.
    image.ReleaseRow(0);
    EXPECT_EQ(image.RowsOut(), 0);
}

TEST(RowIterator, AssignmentSharesAndDetachLetsGo)
{
    CRowIteratorBands bands;
    {
        CRowIterator image;
        ASSERT_TRUE(image.CreateRGB(2, 2));
        image.GetRow(1)[3] = 77;
        image.ReleaseRow(1);
        bands = image;
        EXPECT_TRUE(bands.SharesImageWith(image));
        image.Detach();
        EXPECT_FALSE(image.IsAttached());
    }
    // The image lives on in the remaining handle.
    ASSERT_TRUE(bands.IsAttached());
    EXPECT_EQ(bands.GetRow(1)[3], 77);
    bands.ReleaseRow(1);

    CRowIterator copy(bands);
    BYTE* pRow = copy.GetRow(0);
    EXPECT_EQ(bands.RowsOut(), 1);
    pRow[0] = 5;
    copy.ReleaseRow(0);
    EXPECT_EQ(bands.RowsOut(), 0);
    EXPECT_EQ(bands.GetRow(0)[0], 5);
    bands.ReleaseRow(0);

    CRowIterator other;
    other.CreateRGB(1, 1);
    EXPECT_FALSE(other.SharesImageWith(bands));
}

TEST(RowIterator, DrawsColourRowsAsBlueGreenRedAndGreyThroughARamp)
{
    CTestCanvas canvas(10, 10, RGB(255, 255, 255));
    CRowIterator image;
    ASSERT_TRUE(image.CreateRGB(2, 2));
    BYTE* pRow = image.GetRow(1);
    pRow[3] = 10; // blue of pixel (1, 1)
    pRow[4] = 20; // green
    pRow[5] = 30; // red
    image.ReleaseRow(1);
    ASSERT_TRUE(image.Draw(canvas.Dc(), 4, 5));
    EXPECT_EQ(GetPixel(canvas.Dc(), 5, 6), RGB(30, 20, 10));
    EXPECT_EQ(GetPixel(canvas.Dc(), 4, 5), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(canvas.Dc(), 6, 5), RGB(255, 255, 255));

    CRowIterator grey;
    ASSERT_TRUE(grey.CreateGrey(1, 1));
    grey.GetRow(0)[0] = 200;
    grey.ReleaseRow(0);
    ASSERT_TRUE(grey.Draw(canvas.Dc(), 0, 0));
    EXPECT_EQ(GetPixel(canvas.Dc(), 0, 0), RGB(200, 200, 200));

    EXPECT_FALSE(CRowIterator().Draw(canvas.Dc(), 0, 0));
}
