// The class library's wide string. Values are copied, never shared.
// Operations taking a position or a count clamp out-of-range values (or give
// -1 / an empty result) and never touch memory outside the string; only
// single-character access with a bad index throws std::out_of_range.
#pragma once

#include "WinDef.h"

#include <compare>
#include <cstdarg>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <type_traits>

// Supplies the text of string resource `id`; returns false when there is none.
// Without one, strings come from the resource chain (Resources.h); tests
// install their own.
using StringResourceLoader = bool (*)(UINT id, std::wstring& out);
// Installs the loader used by CString::LoadString (nullptr goes back to the resource chain).
void SetStringResourceLoader(StringResourceLoader loader);

// What may go through a printf-style argument list: numbers, characters,
// pointers and enumerations, never class objects.
template <typename T>
constexpr bool IsFormatArgument =
    !std::is_class_v<std::remove_cvref_t<T>> && !std::is_union_v<std::remove_cvref_t<T>>;
#define CSTRING_FORMAT_ARGUMENT_MESSAGE                                                                      \
    "a class object cannot be a format argument; pass a CString as (LPCWSTR)s or s.GetString()"

class CString
{
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    // A null pointer gives an empty string. A value below 0x10000 is a
    // resource identifier (the MAKEINTRESOURCE convention) and loads that
    // string, which is empty when there is no such resource.
    CString(LPCWSTR psz);
    // UTF-8 text; malformed sequences become U+FFFD.
    CString(const char* pszUtf8);
    CString(std::wstring_view text) : m_strText(text) {}
    CString(const std::wstring& text) : m_strText(text) {}
    CString(std::wstring&& text) noexcept : m_strText(std::move(text)) {}
    // nRepeat copies of ch; none when nRepeat is not positive.
    explicit CString(wchar_t ch, int nRepeat = 1);
    // Exactly nLength characters from pch (embedded NULs included); a null
    // pointer or a negative length gives an empty string.
    CString(LPCWSTR pch, int nLength);
    CString(const char* pchUtf8, int nLength);
    ~CString() = default;

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCWSTR psz);
    CString& operator=(const char* pszUtf8);
    CString& operator=(wchar_t ch);

    int GetLength() const { return static_cast<int>(m_strText.size()); }
    bool IsEmpty() const { return m_strText.empty(); }
    void Empty() { m_strText.clear(); }

    // Index GetLength() reads the terminating NUL, as in the class library;
    // anything else outside the string throws std::out_of_range.
    wchar_t GetAt(int nIndex) const;
    wchar_t operator[](int nIndex) const { return GetAt(nIndex); }
    // Throws std::out_of_range unless 0 <= nIndex < GetLength().
    void SetAt(int nIndex, wchar_t ch);

    operator LPCWSTR() const { return m_strText.c_str(); }
    LPCWSTR GetString() const { return m_strText.c_str(); }
    const std::wstring& ToStd() const { return m_strText; }
    std::string ToUtf8() const;

    // Writable storage for at least nMinLength characters plus a NUL. The
    // string's content is kept; call ReleaseBuffer before any other member.
    LPWSTR GetBuffer(int nMinLength);
    LPWSTR GetBuffer() { return GetBuffer(0); }
    // Sets the length to nNewLength (clamped to the buffer), or with -1 to the
    // position of the first NUL in the buffer.
    void ReleaseBuffer(int nNewLength = -1);
    LPWSTR GetBufferSetLength(int nNewLength);

    CString& operator+=(const CString& other);
    CString& operator+=(LPCWSTR psz);
    CString& operator+=(const char* pszUtf8);
    CString& operator+=(wchar_t ch);
    void Append(LPCWSTR psz);
    void Append(LPCWSTR pch, int nLength);
    void AppendChar(wchar_t ch) { m_strText.push_back(ch); }

    friend CString operator+(const CString& left, const CString& right);
    friend CString operator+(const CString& left, LPCWSTR right);
    friend CString operator+(LPCWSTR left, const CString& right);
    friend CString operator+(const CString& left, const char* rightUtf8);
    friend CString operator+(const CString& left, wchar_t right);
    friend CString operator+(wchar_t left, const CString& right);

    // Ordinal comparison by code unit; a null pointer compares as "".
    int Compare(LPCWSTR psz) const;
    // Compares after simple Unicode lower-casing, whatever the process locale.
    int CompareNoCase(LPCWSTR psz) const;

    friend bool operator==(const CString& left, const CString& right)
    {
        return left.m_strText == right.m_strText;
    }
    friend bool operator==(const CString& left, LPCWSTR right) { return left.Compare(right) == 0; }
    friend std::strong_ordering operator<=>(const CString& left, const CString& right)
    {
        return left.m_strText.compare(right.m_strText) <=> 0;
    }
    friend std::strong_ordering operator<=>(const CString& left, LPCWSTR right)
    {
        return left.Compare(right) <=> 0;
    }

    // -1 when absent or when nStart is outside the string.
    int Find(wchar_t ch, int nStart = 0) const;
    int Find(LPCWSTR pszSub, int nStart = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(LPCWSTR pszCharSet) const;

    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCWSTR pszCharSet) const;
    CString SpanExcluding(LPCWSTR pszCharSet) const;
    // The next token after nStart, skipping leading delimiters; nStart moves
    // past the token's delimiter. At the end it returns "" and sets nStart to -1.
    CString Tokenize(LPCWSTR pszTokens, int& nStart) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    // Without an argument these remove Unicode white space.
    CString& Trim();
    CString& Trim(wchar_t chTarget);
    CString& Trim(LPCWSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t chTarget);
    CString& TrimLeft(LPCWSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(wchar_t chTarget);
    CString& TrimRight(LPCWSTR pszTargets);

    // Each returns how many occurrences were replaced or removed. String
    // replacement scans left to right without overlaps; an empty pszOld
    // replaces nothing and a null pszNew removes.
    int Replace(wchar_t chOld, wchar_t chNew);
    int Replace(LPCWSTR pszOld, LPCWSTR pszNew);
    int Remove(wchar_t ch);
    // Both return the new length; nIndex is clamped into [0, GetLength()].
    int Insert(int nIndex, wchar_t ch);
    int Insert(int nIndex, LPCWSTR psz);
    int Delete(int nIndex, int nCount = 1);

    // Windows wide-printf rules: %s and %c are wide, %hs/%S and %hc/%C are
    // UTF-8 narrow, %ld is 32 bits. See StringFormat.h. The arguments travel
    // as C varargs; these templates only check them first, because the
    // compiler silently accepts a class object (a CString passed without
    // (LPCWSTR) or GetString()) and the output would be garbage.
    template <typename... TArguments> void Format(LPCWSTR pszFormat, const TArguments&... arguments)
    {
        static_assert((IsFormatArgument<TArguments> && ...), CSTRING_FORMAT_ARGUMENT_MESSAGE);
        FormatVarargs(pszFormat, arguments...);
    }
    // The format is string resource nFormatId; empty when it does not exist.
    template <typename... TArguments> void Format(UINT nFormatId, const TArguments&... arguments)
    {
        static_assert((IsFormatArgument<TArguments> && ...), CSTRING_FORMAT_ARGUMENT_MESSAGE);
        FormatResourceVarargs(nFormatId, arguments...);
    }
    template <typename... TArguments> void AppendFormat(LPCWSTR pszFormat, const TArguments&... arguments)
    {
        static_assert((IsFormatArgument<TArguments> && ...), CSTRING_FORMAT_ARGUMENT_MESSAGE);
        AppendFormatVarargs(pszFormat, arguments...);
    }
    void FormatV(LPCWSTR pszFormat, va_list args);
    void AppendFormatV(LPCWSTR pszFormat, va_list args);

    // FALSE (and an empty string) when neither the loader nor the resource chain has the string.
    BOOL LoadString(UINT nId);

private:
    void FormatVarargs(LPCWSTR pszFormat, ...);
    void FormatResourceVarargs(UINT nFormatId, ...);
    void AppendFormatVarargs(LPCWSTR pszFormat, ...);

    std::wstring m_strText;
};

// UTF-8, so that test failures and logs show the text.
std::ostream& operator<<(std::ostream& stream, const CString& text);

template <> struct std::hash<CString>
{
    std::size_t operator()(const CString& text) const noexcept
    {
        return std::hash<std::wstring>{}(text.ToStd());
    }
};
