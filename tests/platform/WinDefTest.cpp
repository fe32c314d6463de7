#include "Utf8.h"
#include "WinDef.h"

#include <climits>
#include <gtest/gtest.h>

TEST(WinDef, ColourReferencesStoreRedInTheLowByte)
{
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x00563412u);
    EXPECT_EQ(GetRValue(0x00563412u), 0x12);
    EXPECT_EQ(GetGValue(0x00563412u), 0x34);
    EXPECT_EQ(GetBValue(0x00563412u), 0x56);
    // Stop colours use the top byte as a marker; the channels ignore it.
    EXPECT_EQ(GetBValue(0xFFFFFFFEu), 0xFF);
    EXPECT_EQ(GetRValue(0xFFFFFFFEu), 0xFE);
}

TEST(WinDef, WordPackingAndSignedMouseCoordinates)
{
    EXPECT_EQ(MAKELONG(0x1234, 0xABCD), static_cast<LONG>(0xABCD1234u));
    EXPECT_EQ(LOWORD(0xABCD1234u), 0x1234);
    EXPECT_EQ(HIWORD(0xABCD1234u), 0xABCD);
    EXPECT_EQ(MAKEWORD(0x34, 0x12), 0x1234);
    EXPECT_EQ(LOBYTE(0x1234), 0x34);
    EXPECT_EQ(HIBYTE(0x1234), 0x12);
    // A drag left of and above the window: x = -3, y = -20.
    const LPARAM lp = MAKELPARAM(static_cast<WORD>(-3), static_cast<WORD>(-20));
    EXPECT_EQ(GET_X_LPARAM(lp), -3);
    EXPECT_EQ(GET_Y_LPARAM(lp), -20);
    EXPECT_EQ(GET_X_LPARAM(MAKELPARAM(40000, 1)), 40000 - 65536);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(MAKEWPARAM(0, static_cast<WORD>(-120))), -120);
    EXPECT_EQ(sizeof(LONG), 4u);
    EXPECT_EQ(sizeof(DWORD), 4u);
    EXPECT_EQ(sizeof(LPARAM), sizeof(void*));
}

TEST(WinDef, MulDivRoundsHalfAwayFromZero)
{
    EXPECT_EQ(MulDiv(10, 3, 4), 8);   // 7.5 -> 8
    EXPECT_EQ(MulDiv(-10, 3, 4), -8); // -7.5 -> -8
    EXPECT_EQ(MulDiv(10, -3, 4), -8);
    EXPECT_EQ(MulDiv(10, 3, -4), -8);
    EXPECT_EQ(MulDiv(-10, -3, -4), -8);
    EXPECT_EQ(MulDiv(-10, 3, -4), 8);
    EXPECT_EQ(MulDiv(7, 1, 3), 2); // 2.33 -> 2
    EXPECT_EQ(MulDiv(8, 1, 3), 3); // 2.67 -> 3
    EXPECT_EQ(MulDiv(-8, 1, 3), -3);
    EXPECT_EQ(MulDiv(255, 50, 100), 128); // 127.5 -> 128
    EXPECT_EQ(MulDiv(5, 0, 3), 0);
}

TEST(WinDef, MulDivFailsWithMinusOneOnZeroDivisorOrOverflow)
{
    EXPECT_EQ(MulDiv(1, 2, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDiv(INT_MIN, 2, 1), -1);
    // The intermediate product may exceed 32 bits as long as the result fits.
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(MulDiv(100000, 100000, 1000), 10000000);
    EXPECT_EQ(MulDiv(INT_MIN, 1, 1), INT_MIN);
    EXPECT_EQ(MulDiv(INT_MIN, -1, 1), -1); // 2^31 does not fit
}

TEST(Utf8, RoundTripsEveryPlane)
{
    const std::wstring text = L"a\u00e9\u4e2d\U0001F600";
    const std::string utf8 = WideToUtf8(text);
    EXPECT_EQ(utf8, "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToWide(utf8), text);
    EXPECT_EQ(WideToUtf8(L""), "");
}

TEST(Utf8, BrokenInputBecomesReplacementCharacters)
{
    // A truncated two-byte sequence followed by a plain letter keeps the letter.
    EXPECT_EQ(Utf8ToWide("\xC3"
                         "A"),
              L"\uFFFD"
              L"A");
    // Overlong encoding of '/' and an encoded surrogate are refused.
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), L"\uFFFD");
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), L"\uFFFD");
    EXPECT_EQ(Utf8ToWide("\xFF"), L"\uFFFD");
    // A 16-bit surrogate pair in wide text is joined; a lone one is replaced.
    const wchar_t pair[] = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00), 0};
    EXPECT_EQ(WideToUtf8(pair), "\xF0\x9F\x98\x80");
    const wchar_t lone[] = {L'x', static_cast<wchar_t>(0xDC00), 0};
    EXPECT_EQ(WideToUtf8(lone), "x\xEF\xBF\xBD");
}
