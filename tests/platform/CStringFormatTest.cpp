#include "CString.h"
#include "StringFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

namespace
{
// Formats through CString::Format so the public path is what gets tested.
CString F(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    CString text;
    text.FormatV(pszFormat, args);
    va_end(args);
    return text;
}

int Length(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    const int nLength = FormattedLength(pszFormat, args);
    va_end(args);
    return nLength;
}

int IntoBuffer(wchar_t* pBuffer, std::size_t nCapacity, LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    const int nLength = FormatToBuffer(pBuffer, nCapacity, pszFormat, args);
    va_end(args);
    return nLength;
}
} // namespace

// A CString (or any class object) handed to Format is rejected at compile time.
static_assert(!IsFormatArgument<CString> && !IsFormatArgument<const CString&> &&
              !IsFormatArgument<std::wstring>);
static_assert(IsFormatArgument<LPCWSTR> && IsFormatArgument<const wchar_t (&)[4]> && IsFormatArgument<int> &&
              IsFormatArgument<double> && IsFormatArgument<std::nullptr_t> && IsFormatArgument<COLORREF>);

TEST(CStringFormat, IntegersFollowTheDocumentedConversions)
{
    EXPECT_EQ(F(L"%d", -42), L"-42");
    EXPECT_EQ(F(L"%i", 7), L"7");
    EXPECT_EQ(F(L"%u", 4000000000u), L"4000000000");
    EXPECT_EQ(F(L"%u", -1), L"4294967295");
    EXPECT_EQ(F(L"%x", 255), L"ff");
    EXPECT_EQ(F(L"%X", 0xBEEF), L"BEEF");
    EXPECT_EQ(F(L"%x", -1), L"ffffffff");
    EXPECT_EQ(F(L"%o", 8), L"10");
    EXPECT_EQ(F(L"%02X", 5), L"05");
    EXPECT_EQ(F(L"%02X", 0xAB), L"AB");
    EXPECT_EQ(F(L"%02X", 0x1FF), L"1FF"); // the width is a minimum
    EXPECT_EQ(F(L"%02x", 10), L"0a");
    EXPECT_EQ(F(L"%-6d|", 42), L"42    |");
    EXPECT_EQ(F(L"%6d|", -42), L"   -42|");
    EXPECT_EQ(F(L"%06d", -42), L"-00042");
    EXPECT_EQ(F(L"%+d % d %+d", 5, 5, -5), L"+5  5 -5");
    EXPECT_EQ(F(L"%#x %#X %#o", 255, 255, 8), L"0xff 0XFF 010");
    EXPECT_EQ(F(L"%#010x", 255), L"0x000000ff");
    EXPECT_EQ(F(L"%.5d", 42), L"00042");
    EXPECT_EQ(F(L"%8.5d|", -42), L"  -00042|");
    EXPECT_EQ(F(L"%08.5d|", 42), L"   00042|"); // 0 is ignored when a precision is given
    EXPECT_EQ(F(L"[%.0d]", 0), L"[]");
}

TEST(CStringFormat, LengthPrefixesReadTheWindowsWidths)
{
    EXPECT_EQ(F(L"%I64d", static_cast<long long>(INT64_MIN)), L"-9223372036854775808");
    EXPECT_EQ(F(L"%I64u", static_cast<unsigned long long>(UINT64_MAX)), L"18446744073709551615");
    EXPECT_EQ(F(L"%I64X", 0x123456789ABCDEFull), L"123456789ABCDEF");
    EXPECT_EQ(F(L"%lld", -5000000000ll), L"-5000000000");
    EXPECT_EQ(F(L"%I32d", -7), L"-7");
    EXPECT_EQ(F(L"%Iu %zu", static_cast<std::size_t>(1) << 40, static_cast<std::size_t>(3)),
              L"1099511627776 3");
    EXPECT_EQ(F(L"%td", static_cast<std::ptrdiff_t>(-9)), L"-9");
    // l is 32 bits, as LONG and DWORD are.
    EXPECT_EQ(F(L"%ld %lu %lx", static_cast<LONG>(-3), static_cast<DWORD>(4294967295u),
                static_cast<DWORD>(0xABCDu)),
              L"-3 4294967295 abcd");
    EXPECT_EQ(F(L"%hd %hu", 65537, 65535 + 65536), L"1 65535");
    EXPECT_EQ(F(L"%hhd %hhu", 255, 257), L"-1 1");
    // Each conversion consumes exactly its own argument.
    EXPECT_EQ(F(L"%I64d|%d", 1ll, 2), L"1|2");
}

TEST(CStringFormat, FloatingPoint)
{
    EXPECT_EQ(F(L"%.3f", 3.14159), L"3.142");
    EXPECT_EQ(F(L"%5.1f|", 3.14159), L"  3.1|");
    EXPECT_EQ(F(L"%08.3f", -3.14159), L"-003.142");
    EXPECT_EQ(F(L"%-8.2f|", 1.5), L"1.50    |");
    EXPECT_EQ(F(L"%+.1f", 2.0), L"+2.0");
    EXPECT_EQ(F(L"%f", 0.5), L"0.500000");
    EXPECT_EQ(F(L"%lf", 0.25), L"0.250000");
    EXPECT_EQ(F(L"%e", 12345.678), L"1.234568e+04");
    EXPECT_EQ(F(L"%E", 0.00012), L"1.200000E-04");
    EXPECT_EQ(F(L"%g %g", 0.0001, 1e-5), L"0.0001 1e-05");
    EXPECT_EQ(F(L"%G", 1e20), L"1E+20");
    EXPECT_EQ(F(L"%#.0f", 3.0), L"3.");
    EXPECT_EQ(F(L"%.1a", 1.0), L"0x1.0p+0");
    EXPECT_EQ(F(L"%010.1a", 1.0), L"0x001.0p+0");
    EXPECT_EQ(F(L"%.2Lf", 2.5L), L"2.50");
    // Infinity takes no zero padding.
    EXPECT_EQ(F(L"%06f", HUGE_VAL), L"   inf");
    EXPECT_EQ(F(L"%.0f", 1e300).GetLength(), 301);
}

TEST(CStringFormat, StringsAreWideUnlessMarkedNarrow)
{
    EXPECT_EQ(F(L"%s", L"Farbe \u00e9\u4e2d"), L"Farbe \u00e9\u4e2d");
    EXPECT_EQ(F(L"%ls|%ws", L"a", L"b"), L"a|b");
    EXPECT_EQ(F(L"%hs", "h\xc3\xa9llo"), L"h\u00e9llo");
    EXPECT_EQ(F(L"%S", "narrow"), L"narrow");
    EXPECT_EQ(F(L"%lS", L"wide"), L"wide");
    EXPECT_EQ(F(L"%s|%hs", static_cast<LPCWSTR>(nullptr), static_cast<const char*>(nullptr)),
              L"(null)|(null)");
    EXPECT_EQ(F(L"%.3s", static_cast<LPCWSTR>(nullptr)), L"(nu");

    const CString name(L"Gradient");
    CString text;
    text.Format(L"<%s|%s>", static_cast<LPCWSTR>(name), name.GetString());
    EXPECT_EQ(text, L"<Gradient|Gradient>");
    // Arrays and nullptr decay as they do through any argument list.
    text.Format(L"%s %hs %p", L"literal", "narrow", nullptr);
    EXPECT_EQ(text, L"literal narrow 0000000000000000");
}

TEST(CStringFormat, StringWidthAndPrecisionCountCharacters)
{
    EXPECT_EQ(F(L"%5s|", L"ab"), L"   ab|");
    EXPECT_EQ(F(L"%-5s|", L"ab"), L"ab   |");
    EXPECT_EQ(F(L"%05s", L"ab"), L"000ab");
    EXPECT_EQ(F(L"%.2s", L"abcdef"), L"ab");
    EXPECT_EQ(F(L"%4.2s|", L"\u00e9\u00e8\u00ea"), L"  \u00e9\u00e8|");
    // Two-, three- and four-byte UTF-8 characters each count as one.
    EXPECT_EQ(F(L"%.2hs|", "\xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80"), L"\u00e9\u4e2d|");
    EXPECT_EQ(F(L"%5hs|", "\xc3\xa9"), L"    \u00e9|");
    EXPECT_EQ(F(L"%*s|", 4, L"x"), L"   x|");
    EXPECT_EQ(F(L"%.*s|", 1, L"xyz"), L"x|");
    // The precision bounds the read: the text need not be terminated.
    const wchar_t unterminated[3] = {L'a', L'b', L'c'};
    EXPECT_EQ(F(L"%.3s", unterminated), L"abc");
    const char unterminatedNarrow[3] = {'a', 'b', 'c'};
    EXPECT_EQ(F(L"%.3hs", unterminatedNarrow), L"abc");
}

TEST(CStringFormat, Characters)
{
    EXPECT_EQ(F(L"%c", L'Z'), L"Z");
    EXPECT_EQ(F(L"%c", L'\u00e9'), L"\u00e9");
    EXPECT_EQ(F(L"%lc%wc", L'a', L'b'), L"ab");
    EXPECT_EQ(F(L"%hc%C", 'n', 'm'), L"nm");
    EXPECT_EQ(F(L"%hc", static_cast<char>(0xE9)), L"\uFFFD"); // a lone byte is not UTF-8
    EXPECT_EQ(F(L"%3c|%-3c|", L'x', L'y'), L"  x|y  |");
}

TEST(CStringFormat, PercentPointerAndStars)
{
    EXPECT_EQ(F(L"%%"), L"%");
    EXPECT_EQ(F(L"100%% of %d%%", 5), L"100% of 5%");
    EXPECT_EQ(F(L"%p", reinterpret_cast<void*>(0x1234)), L"0000000000001234");
    EXPECT_EQ(F(L"%p", reinterpret_cast<void*>(0xDEADBEEFCAFEull)), L"0000DEADBEEFCAFE");
    EXPECT_EQ(F(L"%p", nullptr), L"0000000000000000");
    EXPECT_EQ(F(L"%*d", 5, 42), L"   42");
    EXPECT_EQ(F(L"%*d|", -5, 42), L"42   |"); // a negative width aligns left
    EXPECT_EQ(F(L"%.*f", 2, 3.14159), L"3.14");
    EXPECT_EQ(F(L"%.*f", -1, 0.5), L"0.500000"); // a negative precision counts as none
    EXPECT_EQ(F(L"%*.*d", 6, 3, 7), L"   007");
}

TEST(CStringFormat, TraceLineShapes)
{
    EXPECT_EQ(F(L"[%d]", 4711), L"[4711]");
    EXPECT_EQ(F(L"[%s]\t", L"CMirnMaterialPalette::OnPaint"), L"[CMirnMaterialPalette::OnPaint]\t");
    EXPECT_EQ(F(L"[%s(%d)]:\t", L"MirnColorPicker.cpp", 217), L"[MirnColorPicker.cpp(217)]:\t");
    EXPECT_EQ(F(L"Fail in m_oPickerDIB.GetRow(pbyPixels, %d)  \n", 12),
              L"Fail in m_oPickerDIB.GetRow(pbyPixels, 12)  \n");
    EXPECT_EQ(F(L"#%02x%02x%02x", 255, 128, 0), L"#ff8000");
    EXPECT_EQ(F(L"#%02x%02x%02x", 1, 2, 3), L"#010203");
    EXPECT_EQ(F(L"%s [%02X - %02X]", L"Red", 0, 255), L"Red [00 - FF]");
    EXPECT_EQ(F(L"%s [%d - %d]", L"Scale", 1, 1000), L"Scale [1 - 1000]");
    EXPECT_EQ(F(L"-%02d", 7), L"-07");
}

TEST(CStringFormat, MalformedFormatsAreCopiedThrough)
{
    EXPECT_EQ(F(L"%y"), L"%y");
    EXPECT_EQ(F(L"%5.2q and %d", 7), L"%5.2q and 7"); // the unknown one consumes nothing
    EXPECT_EQ(F(L"50%"), L"50%");
    EXPECT_EQ(F(L"abc%-08"), L"abc%-08");
    EXPECT_EQ(F(L"%n|%d", 3), L"%n|3"); // %n never writes to memory
    EXPECT_EQ(F(L"%Ld|%wd|%hf|%d", 4), L"%Ld|%wd|%hf|4");
    EXPECT_EQ(F(L"%I6d"), L"%I6d");
    EXPECT_EQ(F(L""), L"");

    CString text(L"unchanged");
    text.Format(static_cast<LPCWSTR>(nullptr));
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CStringFormat, HugeWidthsAreLimited)
{
    EXPECT_EQ(Length(L"%99999999999d", 1), FORMAT_FIELD_LIMIT);
    EXPECT_EQ(Length(L"%*d", INT_MIN, 1), FORMAT_FIELD_LIMIT);
    EXPECT_EQ(Length(L"%.99999999999d", 1), FORMAT_FIELD_LIMIT);
    EXPECT_EQ(Length(L"%.*f", INT_MAX, 1.0), FORMAT_FIELD_LIMIT + 2);
}

TEST(CStringFormat, LengthAndBufferAgreeWithTheString)
{
    EXPECT_EQ(Length(L"[%d][%s]\t%s", 12, L"Func", L"message"), 18);
    EXPECT_EQ(Length(L"%s [%02X - %02X]", L"Red", 0, 255), 13);
    EXPECT_EQ(Length(L""), 0);
    EXPECT_EQ(Length(nullptr), -1);

    // Sized exactly, as the trace writer does: length + 1 for the NUL.
    const int nLength = Length(L"[%s(%d)]:\t%hs", L"file.cpp", 99, "done");
    std::vector<wchar_t> buffer(static_cast<std::size_t>(nLength) + 1, L'#');
    EXPECT_EQ(IntoBuffer(buffer.data(), buffer.size(), L"[%s(%d)]:\t%hs", L"file.cpp", 99, "done"), nLength);
    EXPECT_EQ(std::wstring(buffer.data()), L"[file.cpp(99)]:\tdone");

    // Too small: cut and terminated, with the full length still reported.
    wchar_t small[5];
    EXPECT_EQ(IntoBuffer(small, 5, L"hello %s", L"world"), 11);
    EXPECT_EQ(std::wstring(small), L"hell");
    wchar_t untouched = L'#';
    EXPECT_EQ(IntoBuffer(&untouched, 0, L"abc"), 3);
    EXPECT_EQ(untouched, L'#');
}

TEST(CStringFormat, AppendFormatAndSelfReference)
{
    CString text(L"R=");
    text.AppendFormat(L"%d", 255);
    text.AppendFormat(L", G=%02X", 8);
    EXPECT_EQ(text, L"R=255, G=08");

    // The object's own text as an argument of its own Format.
    text.Format(L"(%s)", static_cast<LPCWSTR>(text));
    EXPECT_EQ(text, L"(R=255, G=08)");
}

TEST(CStringFormat, FormatFromAResourceString)
{
    SetStringResourceLoader(
        [](UINT nId, std::wstring& out)
        {
            if (nId != 15468)
            {
                return false;
            }
            out = L"%s [%d - %d]";
            return true;
        });
    CString text;
    text.Format(15468u, L"Scale", 1, 200);
    EXPECT_EQ(text, L"Scale [1 - 200]");
    text.Format(1u, 5);
    EXPECT_TRUE(text.IsEmpty());
    SetStringResourceLoader(nullptr);
}
