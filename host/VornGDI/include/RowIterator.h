// Row-addressable images of the graphics module: 24-bit colour (blue, green,
// red bytes) or 8-bit greyscale, rows top-down, each row padded to four bytes
// as device-independent bitmaps are. An iterator is a handle: assignment
// shares the image, Detach lets go of it, and the image goes when its last
// handle does. Rows are borrowed with GetRow and given back with ReleaseRow.
#pragma once

#include "Geometry.h"
#include "WinDef.h"

#include <memory>
#include <vector>

class CRowIterator
{
public:
    CRowIterator() = default;
    virtual ~CRowIterator() = default;
    // Copies share the image.
    CRowIterator(const CRowIterator& other) = default;
    CRowIterator& operator=(const CRowIterator& other);

    // A new image, filled with zero bytes (black), replacing any attached
    // one. False, leaving the iterator detached, for a size that is not
    // positive or too large, or an unsupported depth (8 and 24 are).
    bool Create(int nWidth, int nHeight, int nBitsPerPixel);
    bool CreateRGB(int nWidth, int nHeight) { return Create(nWidth, nHeight, 24); }
    bool CreateGrey(int nWidth, int nHeight) { return Create(nWidth, nHeight, 8); }

    bool IsAttached() const { return m_pImage != nullptr; }
    // Shares another iterator's image (detaching from the current one).
    void Attach(const CRowIterator& other) { *this = other; }
    void Detach();
    // Whether two iterators hold the same image.
    bool SharesImageWith(const CRowIterator& other) const
    {
        return m_pImage != nullptr && m_pImage == other.m_pImage;
    }

    int Width() const;
    int Height() const;
    int BitsPerPixel() const;
    // Bytes from one row to the next.
    int Stride() const;
    RECT GetRect() const { return RECT{0, 0, Width(), Height()}; }

    // Row y's first byte, or null when detached or y is out of range. Every
    // row got must be released.
    BYTE* GetRow(int y);
    const BYTE* GetRow(int y) const;
    void ReleaseRow(int y) const;
    // Rows got and not yet released, over every handle of the image.
    int RowsOut() const;

    // Draws the image with its top-left corner at (x, y) of a device context:
    // colour images as they are, greyscale through a grey ramp.
    bool Draw(HDC hdc, int x, int y) const;

private:
    struct SImageData
    {
        int nWidth = 0;
        int nHeight = 0;
        int nBitsPerPixel = 0;
        int nStride = 0;
        std::vector<BYTE> bytes;
        mutable int nRowsOut = 0;
    };
    std::shared_ptr<SImageData> m_pImage;
};

// The banded form the styles keep their images in; it shares images with
// plain iterators both ways.
class CRowIteratorBands : public CRowIterator
{
public:
    CRowIteratorBands() = default;
    CRowIteratorBands(const CRowIterator& other) : CRowIterator(other) {}
    CRowIteratorBands& operator=(const CRowIterator& other)
    {
        CRowIterator::operator=(other);
        return *this;
    }
};
