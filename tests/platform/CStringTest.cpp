#include "CString.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <map>
#include <sstream>
#include <stdexcept>
#include <unordered_set>

TEST(CString, Construction)
{
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_TRUE(CString(static_cast<LPCWSTR>(nullptr)).IsEmpty());
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_EQ(CString(L"abc").GetLength(), 3);
    EXPECT_EQ(CString("gr\xc3\xbcn"), L"gr\u00fcn");
    EXPECT_EQ(CString("\xff"
                      "a"),
              L"\uFFFDa");
    EXPECT_EQ(CString(std::wstring_view(L"abcdef").substr(1, 3)), L"bcd");
    EXPECT_EQ(CString(std::wstring(L"std")), L"std");
    EXPECT_EQ(CString(L'*', 4), L"****");
    EXPECT_EQ(CString(L'*'), L"*");
    EXPECT_TRUE(CString(L'*', -2).IsEmpty());
    EXPECT_EQ(CString(L"abcdef", 2), L"ab");
    EXPECT_TRUE(CString(static_cast<LPCWSTR>(nullptr), 5).IsEmpty());
    EXPECT_TRUE(CString(L"abc", -1).IsEmpty());
    EXPECT_EQ(CString("\xc3\xa9xyz", 3), L"\u00e9x");

    // A length counts characters exactly, NULs included.
    const CString embedded(L"a\0b", 3);
    EXPECT_EQ(embedded.GetLength(), 3);
    EXPECT_EQ(embedded.GetAt(2), L'b');
}

TEST(CString, AssignmentAndConcatenation)
{
    CString text;
    text = L"wide";
    EXPECT_EQ(text, L"wide");
    text = "\xc3\xa9t\xc3\xa9";
    EXPECT_EQ(text, L"\u00e9t\u00e9");
    text = L'x';
    EXPECT_EQ(text, L"x");
    text = static_cast<LPCWSTR>(nullptr);
    EXPECT_TRUE(text.IsEmpty());
    text = std::wstring(L"moved in");
    EXPECT_EQ(text, L"moved in");

    CString key(L"Software\\Tavor");
    EXPECT_EQ(key + "\\PropertiesDlg\\Style%d", L"Software\\Tavor\\PropertiesDlg\\Style%d");
    EXPECT_EQ(key + L"\\X", L"Software\\Tavor\\X");
    EXPECT_EQ(L"<" + key + L'>', L"<Software\\Tavor>");
    EXPECT_EQ(L'[' + CString(L"a") + CString(L"b"), L"[ab");

    CString built;
    built += L"one";
    built += L' ';
    built += CString(L"two");
    built += " three";
    built += static_cast<LPCWSTR>(nullptr);
    EXPECT_EQ(built, L"one two three");
    // Appending a string to itself, also through its own pointer.
    built = L"ab";
    built += built;
    EXPECT_EQ(built, L"abab");
    built += static_cast<LPCWSTR>(built);
    EXPECT_EQ(built, L"abababab");
}

TEST(CString, ComparisonsWorkWithPointersOnEitherSide)
{
    const CString b(L"b");
    EXPECT_TRUE(b == L"b");
    EXPECT_TRUE(L"b" == b);
    EXPECT_TRUE(b != L"c");
    EXPECT_TRUE(L"c" != b);
    EXPECT_TRUE(b < L"c");
    EXPECT_TRUE(L"a" < b);
    EXPECT_TRUE(b > L"a");
    EXPECT_TRUE(L"c" > b);
    EXPECT_TRUE(b <= L"b" && b >= L"b");
    EXPECT_TRUE(CString(L"a") < CString(L"ab"));
    EXPECT_TRUE(CString() == static_cast<LPCWSTR>(nullptr));
    // Ordinal: upper-case letters sort before lower-case ones.
    EXPECT_TRUE(CString(L"Z") < CString(L"a"));

    EXPECT_LT(CString(L"abc").Compare(L"abd"), 0);
    EXPECT_GT(CString(L"abd").Compare(L"abc"), 0);
    EXPECT_EQ(CString(L"abc").Compare(L"abc"), 0);
    EXPECT_GT(CString(L"abc").Compare(L"ab"), 0);
    EXPECT_GT(CString(L"a").Compare(nullptr), 0);

    EXPECT_EQ(CString(L"[QVPx64]\t[debug]\t").CompareNoCase(L"[QVPx64]\t[DEBUG]\t"), 0);
    EXPECT_EQ(CString(L"\u00c9T\u00c9").CompareNoCase(L"\u00e9t\u00e9"), 0);
    EXPECT_LT(CString(L"apple").CompareNoCase(L"BANANA"), 0);
    EXPECT_GT(CString(L"Zebra").CompareNoCase(L"apple"), 0);
    EXPECT_LT(CString(L"ab").CompareNoCase(L"ABC"), 0);
}

TEST(CString, UsableAsAKeyAndPrintable)
{
    std::map<CString, int> byName;
    byName[CString(L"red")] = 1;
    byName[CString(L"green")] = 2;
    byName[CString(L"blue")] = 3;
    EXPECT_EQ(byName.begin()->first, L"blue");
    EXPECT_EQ(byName.at(CString(L"green")), 2);

    std::unordered_set<CString> names{CString(L"a"), CString(L"b"), CString(L"a")};
    EXPECT_EQ(names.size(), 2u);
    EXPECT_EQ(names.count(CString(L"b")), 1u);

    std::ostringstream stream;
    stream << CString(L"gr\u00fcn");
    EXPECT_EQ(stream.str(), "gr\xc3\xbcn");
}

TEST(CString, CharacterAccess)
{
    CString text(L"abc");
    EXPECT_EQ(text.GetAt(0), L'a');
    EXPECT_EQ(text[2], L'c');
    EXPECT_EQ(text[3], L'\0'); // the terminator may be read
    EXPECT_THROW(text.GetAt(4), std::out_of_range);
    EXPECT_THROW(text.GetAt(-1), std::out_of_range);
    text.SetAt(1, L'X');
    EXPECT_EQ(text, L"aXc");
    EXPECT_THROW(text.SetAt(3, L'!'), std::out_of_range);
    EXPECT_EQ(text, L"aXc");
    EXPECT_EQ(std::wcslen(static_cast<LPCWSTR>(text)), 3u);
    EXPECT_EQ(std::wstring(text.GetString()), L"aXc");
}

TEST(CString, BufferAccess)
{
    CString text(L"keep");
    LPWSTR pBuffer = text.GetBuffer(10);
    EXPECT_EQ(std::wstring(pBuffer, 4), L"keep"); // content survives
    std::wcscpy(pBuffer, L"0123456789");
    text.ReleaseBuffer();
    EXPECT_EQ(text, L"0123456789");

    // -1 stops at the first NUL; an explicit length wins over NULs.
    pBuffer = text.GetBuffer();
    pBuffer[3] = L'\0';
    text.ReleaseBuffer();
    EXPECT_EQ(text, L"012");

    pBuffer = text.GetBuffer(6);
    std::wcscpy(pBuffer, L"ab");
    text.ReleaseBuffer(5);
    EXPECT_EQ(text.GetLength(), 5);
    EXPECT_EQ(text.GetAt(1), L'b');
    EXPECT_EQ(text.GetAt(2), L'\0');

    // A length past the buffer is cut to it.
    text = L"xy";
    text.GetBuffer(0);
    text.ReleaseBuffer(100);
    EXPECT_EQ(text, L"xy");

    pBuffer = text.GetBufferSetLength(3);
    pBuffer[2] = L'z';
    EXPECT_EQ(text.GetLength(), 3);
    EXPECT_EQ(text[2], L'z');
    text.GetBufferSetLength(-4);
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CString, FindFamily)
{
    const CString text(L"abcabc");
    EXPECT_EQ(text.Find(L'b'), 1);
    EXPECT_EQ(text.Find(L'b', 2), 4);
    EXPECT_EQ(text.Find(L'z'), -1);
    EXPECT_EQ(text.Find(L'a', 6), -1);
    EXPECT_EQ(text.Find(L'a', -1), -1);
    EXPECT_EQ(text.Find(L"ca"), 2);
    EXPECT_EQ(text.Find(L"bc", 2), 4);
    EXPECT_EQ(text.Find(L"bc", 5), -1);
    EXPECT_EQ(text.Find(L"abc", 7), -1);
    EXPECT_EQ(text.Find(static_cast<LPCWSTR>(nullptr)), -1);
    EXPECT_EQ(text.ReverseFind(L'a'), 3);
    EXPECT_EQ(text.ReverseFind(L'q'), -1);
    EXPECT_EQ(text.FindOneOf(L"xyc"), 2);
    EXPECT_EQ(text.FindOneOf(L"xyz"), -1);
    EXPECT_EQ(text.FindOneOf(nullptr), -1);
    EXPECT_EQ(CString().Find(L'a'), -1);
}

TEST(CString, ExtractionClampsLikeTheClassLibrary)
{
    const CString text(L"abcdef");
    EXPECT_EQ(text.Left(2), L"ab");
    EXPECT_EQ(text.Left(0), L"");
    EXPECT_EQ(text.Left(-3), L"");
    EXPECT_EQ(text.Left(99), L"abcdef");
    EXPECT_EQ(text.Right(2), L"ef");
    EXPECT_EQ(text.Right(-1), L"");
    EXPECT_EQ(text.Right(99), L"abcdef");
    EXPECT_EQ(text.Mid(2), L"cdef");
    EXPECT_EQ(text.Mid(2, 3), L"cde");
    EXPECT_EQ(text.Mid(4, 10), L"ef");
    EXPECT_EQ(text.Mid(-2, 2), L"ab");
    EXPECT_EQ(text.Mid(2, -1), L"");
    EXPECT_EQ(text.Mid(6), L"");
    EXPECT_EQ(text.Mid(9, 2), L"");
    EXPECT_EQ(text.SpanIncluding(L"cba"), L"abc");
    EXPECT_EQ(text.SpanIncluding(L"xyz"), L"");
    EXPECT_EQ(text.SpanExcluding(L"dz"), L"abc");
    EXPECT_EQ(text.SpanExcluding(L"xyz"), L"abcdef");
    EXPECT_EQ(text.SpanExcluding(nullptr), L"abcdef");
}

TEST(CString, TokenizeWalksTheTokens)
{
    const CString text(L"  red, green;;blue ");
    int nPosition = 0;
    EXPECT_EQ(text.Tokenize(L" ,;", nPosition), L"red");
    EXPECT_EQ(nPosition, 6);
    EXPECT_EQ(text.Tokenize(L" ,;", nPosition), L"green");
    EXPECT_EQ(text.Tokenize(L" ,;", nPosition), L"blue");
    EXPECT_EQ(text.Tokenize(L" ,;", nPosition), L"");
    EXPECT_EQ(nPosition, -1);
    // Further calls stay finished.
    EXPECT_EQ(text.Tokenize(L" ,;", nPosition), L"");
    EXPECT_EQ(nPosition, -1);

    nPosition = 0;
    EXPECT_EQ(CString(L";;;").Tokenize(L";", nPosition), L"");
    EXPECT_EQ(nPosition, -1);

    // Without delimiters the rest is one token, and then it ends.
    nPosition = 2;
    EXPECT_EQ(CString(L"abcd").Tokenize(L"", nPosition), L"cd");
    EXPECT_EQ(CString(L"abcd").Tokenize(L"", nPosition), L"");
    EXPECT_EQ(nPosition, -1);
}

TEST(CString, CaseAndReverse)
{
    CString text(L"Mixed \u00e9\u00c0 1");
    EXPECT_EQ(text.MakeUpper(), L"MIXED \u00c9\u00c0 1");
    EXPECT_EQ(text.MakeLower(), L"mixed \u00e9\u00e0 1");
    EXPECT_EQ(text.MakeReverse(), L"1 \u00e0\u00e9 dexim");
    CString empty;
    EXPECT_TRUE(empty.MakeReverse().IsEmpty());
}

TEST(CString, Trimming)
{
    CString text(L" \t\r\n padded \u00a0\u3000");
    EXPECT_EQ(CString(text).TrimLeft(), L"padded \u00a0\u3000");
    EXPECT_EQ(CString(text).TrimRight(), L" \t\r\n padded");
    EXPECT_EQ(text.Trim(), L"padded");
    EXPECT_EQ(CString(L"xxaxx").Trim(L'x'), L"a");
    EXPECT_EQ(CString(L"xxaxx").TrimLeft(L'x'), L"axx");
    EXPECT_EQ(CString(L"xxaxx").TrimRight(L'x'), L"xxa");
    EXPECT_EQ(CString(L"-+a+-").Trim(L"+-"), L"a");
    EXPECT_EQ(CString(L"-+a+-").TrimLeft(L"+-"), L"a+-");
    EXPECT_EQ(CString(L"-+a+-").TrimRight(L"+-"), L"-+a");
    EXPECT_EQ(CString(L"  ").Trim(), L"");
    EXPECT_EQ(CString(L" a ").Trim(static_cast<LPCWSTR>(nullptr)), L" a ");
}

TEST(CString, ReplaceAndRemoveCountWhatTheyChanged)
{
    CString text(L"a.b.c");
    EXPECT_EQ(text.Replace(L'.', L'/'), 2);
    EXPECT_EQ(text, L"a/b/c");
    EXPECT_EQ(text.Replace(L'x', L'y'), 0);

    text = L"aaa";
    EXPECT_EQ(text.Replace(L"aa", L"b"), 1); // left to right, no overlap
    EXPECT_EQ(text, L"ba");
    text = L"one two one";
    EXPECT_EQ(text.Replace(L"one", L"three"), 2);
    EXPECT_EQ(text, L"three two three");
    EXPECT_EQ(text.Replace(L" ", nullptr), 2);
    EXPECT_EQ(text, L"threetwothree");
    EXPECT_EQ(text.Replace(L"", L"x"), 0);
    EXPECT_EQ(text.Replace(nullptr, L"x"), 0);
    EXPECT_EQ(text, L"threetwothree");
    // The replacement may be the string itself.
    text = L"ab";
    EXPECT_EQ(text.Replace(L"b", static_cast<LPCWSTR>(text)), 1);
    EXPECT_EQ(text, L"aab");

    text = L"m-i-n-u-s";
    EXPECT_EQ(text.Remove(L'-'), 4);
    EXPECT_EQ(text, L"minus");
    EXPECT_EQ(text.Remove(L'-'), 0);
}

TEST(CString, InsertAndDeleteClampPositions)
{
    CString text(L"ace");
    EXPECT_EQ(text.Insert(1, L'b'), 4);
    EXPECT_EQ(text.Insert(3, L"d"), 5);
    EXPECT_EQ(text, L"abcde");
    EXPECT_EQ(text.Insert(99, L"!"), 6);
    EXPECT_EQ(text.Insert(-5, L'>'), 7);
    EXPECT_EQ(text, L">abcde!");
    EXPECT_EQ(text.Insert(0, static_cast<LPCWSTR>(nullptr)), 7);
    // Inserting the string into itself.
    CString twice(L"xy");
    twice.Insert(1, static_cast<LPCWSTR>(twice));
    EXPECT_EQ(twice, L"xxyy");

    EXPECT_EQ(text.Delete(0), 6);
    EXPECT_EQ(text, L"abcde!");
    EXPECT_EQ(text.Delete(5, 10), 5);
    EXPECT_EQ(text, L"abcde");
    EXPECT_EQ(text.Delete(1, 2), 3);
    EXPECT_EQ(text, L"ade");
    EXPECT_EQ(text.Delete(-4, 1), 2);
    EXPECT_EQ(text, L"de");
    EXPECT_EQ(text.Delete(1, 0), 2);
    EXPECT_EQ(text.Delete(1, -3), 2);
    EXPECT_EQ(text.Delete(9), 2);
    EXPECT_EQ(text, L"de");
}

namespace
{
bool FakeStrings(UINT nId, std::wstring& out)
{
    switch (nId)
    {
        case 15420:
            out = L"Rename gradient";
            return true;
        case 7:
            out = L"";
            return true;
        default:
            return false;
    }
}
} // namespace

TEST(CString, LoadStringAsksTheInstalledLoader)
{
    SetStringResourceLoader(nullptr);
    CString text(L"old");
    EXPECT_EQ(text.LoadString(15420), FALSE);
    EXPECT_TRUE(text.IsEmpty());

    SetStringResourceLoader(FakeStrings);
    EXPECT_EQ(text.LoadString(15420), TRUE);
    EXPECT_EQ(text, L"Rename gradient");
    EXPECT_EQ(text.LoadString(7), TRUE); // present but empty
    EXPECT_TRUE(text.IsEmpty());
    text = L"old";
    EXPECT_EQ(text.LoadString(1), FALSE);
    EXPECT_TRUE(text.IsEmpty());

    // A resource identifier passed as a pointer loads that string.
    EXPECT_EQ(CString(reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(15420))), L"Rename gradient");
    EXPECT_TRUE(CString(reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(2))).IsEmpty());
    SetStringResourceLoader(nullptr);
    EXPECT_TRUE(CString(reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(15420))).IsEmpty());
}
