#include "CString.h"

#include "ResourceChain.h"
#include "StringFormat.h"
#include "Utf8.h"

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <cwctype>
#include <locale.h>
#include <wchar.h>
#include <ostream>
#include <stdexcept>

namespace
{
std::atomic<StringResourceLoader> g_stringResourceLoader{nullptr};

bool LoadResourceText(UINT nId, std::wstring& strOut)
{
    const StringResourceLoader loader = g_stringResourceLoader.load();
    strOut.clear();
    if (loader == nullptr)
    {
        return LoadStringFromResourceChain(nId, strOut);
    }
    if (!loader(nId, strOut))
    {
        strOut.clear();
        return false;
    }
    return true;
}

// Case mapping uses the full Unicode tables of the built-in C.UTF-8 locale,
// so results do not depend on what locale the program selected. Should that
// locale be missing, only ASCII letters are mapped.
locale_t CaseLocale()
{
    static const locale_t s_locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return s_locale;
}

wchar_t ToUpper(wchar_t ch)
{
    const locale_t locale = CaseLocale();
    if (locale != static_cast<locale_t>(nullptr))
    {
        return static_cast<wchar_t>(towupper_l(static_cast<wint_t>(ch), locale));
    }
    return ch >= L'a' && ch <= L'z' ? static_cast<wchar_t>(ch - L'a' + L'A') : ch;
}

wchar_t ToLower(wchar_t ch)
{
    const locale_t locale = CaseLocale();
    if (locale != static_cast<locale_t>(nullptr))
    {
        return static_cast<wchar_t>(towlower_l(static_cast<wint_t>(ch), locale));
    }
    return ch >= L'A' && ch <= L'Z' ? static_cast<wchar_t>(ch - L'A' + L'a') : ch;
}

// Unicode White_Space, fixed rather than taken from the locale.
bool IsWhiteSpace(wchar_t ch)
{
    return (ch >= 0x09 && ch <= 0x0D) || ch == 0x20 || ch == 0x85 || ch == 0xA0 || ch == 0x1680 ||
           (ch >= 0x2000 && ch <= 0x200A) || ch == 0x2028 || ch == 0x2029 || ch == 0x202F || ch == 0x205F ||
           ch == 0x3000;
}

bool IsInSet(wchar_t ch, LPCWSTR pszSet)
{
    return pszSet != nullptr && ch != L'\0' && std::wcschr(pszSet, ch) != nullptr;
}

std::wstring_view ViewOf(LPCWSTR psz)
{
    return psz != nullptr ? std::wstring_view(psz) : std::wstring_view();
}

// Resource identifiers passed where a string pointer is expected all lie in
// the first 64 KiB, where no real string can be.
bool IsResourceIdentifier(LPCWSTR psz)
{
    return psz != nullptr && (reinterpret_cast<ULONG_PTR>(psz) >> 16) == 0;
}

int ClampIndex(int nIndex, int nLength)
{
    return nIndex < 0 ? 0 : (nIndex > nLength ? nLength : nIndex);
}

template <typename TPredicate> void TrimLeftWhere(std::wstring& strText, TPredicate isTrimmed)
{
    std::size_t nFirst = 0;
    while (nFirst < strText.size() && isTrimmed(strText[nFirst]))
    {
        ++nFirst;
    }
    strText.erase(0, nFirst);
}

template <typename TPredicate> void TrimRightWhere(std::wstring& strText, TPredicate isTrimmed)
{
    std::size_t nEnd = strText.size();
    while (nEnd > 0 && isTrimmed(strText[nEnd - 1]))
    {
        --nEnd;
    }
    strText.erase(nEnd);
}
} // namespace

void SetStringResourceLoader(StringResourceLoader loader)
{
    g_stringResourceLoader.store(loader);
}

CString::CString(LPCWSTR psz)
{
    if (IsResourceIdentifier(psz))
    {
        LoadResourceText(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(psz)), m_strText);
    }
    else if (psz != nullptr)
    {
        m_strText = psz;
    }
}

CString::CString(const char* pszUtf8)
{
    if (pszUtf8 != nullptr)
    {
        m_strText = Utf8ToWide(pszUtf8);
    }
}

CString::CString(wchar_t ch, int nRepeat)
{
    if (nRepeat > 0)
    {
        m_strText.assign(static_cast<std::size_t>(nRepeat), ch);
    }
}

CString::CString(LPCWSTR pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
    {
        m_strText.assign(pch, static_cast<std::size_t>(nLength));
    }
}

CString::CString(const char* pchUtf8, int nLength)
{
    if (pchUtf8 != nullptr && nLength > 0)
    {
        m_strText = Utf8ToWide(std::string_view(pchUtf8, static_cast<std::size_t>(nLength)));
    }
}

CString& CString::operator=(LPCWSTR psz)
{
    m_strText = ViewOf(psz);
    return *this;
}

CString& CString::operator=(const char* pszUtf8)
{
    m_strText = pszUtf8 != nullptr ? Utf8ToWide(pszUtf8) : std::wstring();
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    m_strText.assign(1, ch);
    return *this;
}

wchar_t CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex > GetLength())
    {
        throw std::out_of_range("CString::GetAt: index " + std::to_string(nIndex) +
                                " outside a string of length " + std::to_string(GetLength()));
    }
    return m_strText.c_str()[nIndex];
}

void CString::SetAt(int nIndex, wchar_t ch)
{
    if (nIndex < 0 || nIndex >= GetLength())
    {
        throw std::out_of_range("CString::SetAt: index " + std::to_string(nIndex) +
                                " outside a string of length " + std::to_string(GetLength()));
    }
    m_strText[static_cast<std::size_t>(nIndex)] = ch;
}

std::string CString::ToUtf8() const
{
    return WideToUtf8(m_strText);
}

LPWSTR CString::GetBuffer(int nMinLength)
{
    if (nMinLength > GetLength())
    {
        m_strText.resize(static_cast<std::size_t>(nMinLength));
    }
    return m_strText.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    std::size_t nLength = m_strText.size();
    if (nNewLength < 0)
    {
        nLength = ::wcsnlen(m_strText.c_str(), m_strText.size());
    }
    else if (static_cast<std::size_t>(nNewLength) < nLength)
    {
        nLength = static_cast<std::size_t>(nNewLength);
    }
    m_strText.resize(nLength);
}

LPWSTR CString::GetBufferSetLength(int nNewLength)
{
    m_strText.resize(nNewLength > 0 ? static_cast<std::size_t>(nNewLength) : 0);
    return m_strText.data();
}

CString& CString::operator+=(const CString& other)
{
    m_strText += other.m_strText;
    return *this;
}

CString& CString::operator+=(LPCWSTR psz)
{
    Append(psz);
    return *this;
}

CString& CString::operator+=(const char* pszUtf8)
{
    if (pszUtf8 != nullptr)
    {
        m_strText += Utf8ToWide(pszUtf8);
    }
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    m_strText.push_back(ch);
    return *this;
}

void CString::Append(LPCWSTR psz)
{
    if (psz != nullptr)
    {
        m_strText.append(psz);
    }
}

void CString::Append(LPCWSTR pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
    {
        m_strText.append(pch, static_cast<std::size_t>(nLength));
    }
}

CString operator+(const CString& left, const CString& right)
{
    return CString(left.m_strText + right.m_strText);
}

CString operator+(const CString& left, LPCWSTR right)
{
    CString result(left);
    result.Append(right);
    return result;
}

CString operator+(LPCWSTR left, const CString& right)
{
    CString result(ViewOf(left));
    result += right;
    return result;
}

CString operator+(const CString& left, const char* rightUtf8)
{
    CString result(left);
    result += rightUtf8;
    return result;
}

CString operator+(const CString& left, wchar_t right)
{
    CString result(left);
    result += right;
    return result;
}

CString operator+(wchar_t left, const CString& right)
{
    CString result(left);
    result += right;
    return result;
}

int CString::Compare(LPCWSTR psz) const
{
    const int nOrder = std::wstring_view(m_strText).compare(ViewOf(psz));
    return nOrder < 0 ? -1 : (nOrder > 0 ? 1 : 0);
}

int CString::CompareNoCase(LPCWSTR psz) const
{
    const std::wstring_view other = ViewOf(psz);
    const std::size_t nCommon = std::min(m_strText.size(), other.size());
    for (std::size_t i = 0; i < nCommon; ++i)
    {
        const wchar_t chLeft = ToLower(m_strText[i]);
        const wchar_t chRight = ToLower(other[i]);
        if (chLeft != chRight)
        {
            return chLeft < chRight ? -1 : 1;
        }
    }
    if (m_strText.size() == other.size())
    {
        return 0;
    }
    return m_strText.size() < other.size() ? -1 : 1;
}

int CString::Find(wchar_t ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
    {
        return -1;
    }
    const std::size_t nFound = m_strText.find(ch, static_cast<std::size_t>(nStart));
    return nFound == std::wstring::npos ? -1 : static_cast<int>(nFound);
}

int CString::Find(LPCWSTR pszSub, int nStart) const
{
    if (pszSub == nullptr || nStart < 0 || nStart > GetLength())
    {
        return -1;
    }
    const std::size_t nFound = m_strText.find(pszSub, static_cast<std::size_t>(nStart));
    return nFound == std::wstring::npos ? -1 : static_cast<int>(nFound);
}

int CString::ReverseFind(wchar_t ch) const
{
    const std::size_t nFound = m_strText.rfind(ch);
    return nFound == std::wstring::npos ? -1 : static_cast<int>(nFound);
}

int CString::FindOneOf(LPCWSTR pszCharSet) const
{
    for (std::size_t i = 0; i < m_strText.size(); ++i)
    {
        if (IsInSet(m_strText[i], pszCharSet))
        {
            return static_cast<int>(i);
        }
    }
    return -1;
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    const int nStart = ClampIndex(nFirst, GetLength());
    if (nCount <= 0)
    {
        return CString();
    }
    const int nAvailable = GetLength() - nStart;
    return CString(std::wstring_view(m_strText).substr(
        static_cast<std::size_t>(nStart), static_cast<std::size_t>(std::min(nCount, nAvailable))));
}

CString CString::Right(int nCount) const
{
    if (nCount <= 0)
    {
        return CString();
    }
    const int nTaken = std::min(nCount, GetLength());
    return CString(std::wstring_view(m_strText).substr(static_cast<std::size_t>(GetLength() - nTaken)));
}

CString CString::SpanIncluding(LPCWSTR pszCharSet) const
{
    std::size_t nEnd = 0;
    while (nEnd < m_strText.size() && IsInSet(m_strText[nEnd], pszCharSet))
    {
        ++nEnd;
    }
    return CString(std::wstring_view(m_strText).substr(0, nEnd));
}

CString CString::SpanExcluding(LPCWSTR pszCharSet) const
{
    std::size_t nEnd = 0;
    while (nEnd < m_strText.size() && !IsInSet(m_strText[nEnd], pszCharSet))
    {
        ++nEnd;
    }
    return CString(std::wstring_view(m_strText).substr(0, nEnd));
}

CString CString::Tokenize(LPCWSTR pszTokens, int& nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
    {
        nStart = -1;
        return CString();
    }
    std::size_t nFirst = static_cast<std::size_t>(nStart);
    if (pszTokens == nullptr || *pszTokens == L'\0')
    {
        // No delimiters: the rest is one token, and the next call ends.
        nStart = GetLength();
        return CString(std::wstring_view(m_strText).substr(nFirst));
    }
    while (nFirst < m_strText.size() && IsInSet(m_strText[nFirst], pszTokens))
    {
        ++nFirst;
    }
    if (nFirst == m_strText.size())
    {
        nStart = -1;
        return CString();
    }
    std::size_t nEnd = nFirst;
    while (nEnd < m_strText.size() && !IsInSet(m_strText[nEnd], pszTokens))
    {
        ++nEnd;
    }
    nStart = static_cast<int>(nEnd + 1);
    return CString(std::wstring_view(m_strText).substr(nFirst, nEnd - nFirst));
}

CString& CString::MakeUpper()
{
    std::transform(m_strText.begin(), m_strText.end(), m_strText.begin(), ToUpper);
    return *this;
}

CString& CString::MakeLower()
{
    std::transform(m_strText.begin(), m_strText.end(), m_strText.begin(), ToLower);
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_strText.begin(), m_strText.end());
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}
CString& CString::Trim(wchar_t chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}
CString& CString::Trim(LPCWSTR pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

CString& CString::TrimLeft()
{
    TrimLeftWhere(m_strText, IsWhiteSpace);
    return *this;
}

CString& CString::TrimLeft(wchar_t chTarget)
{
    TrimLeftWhere(m_strText, [chTarget](wchar_t ch) { return ch == chTarget; });
    return *this;
}

CString& CString::TrimLeft(LPCWSTR pszTargets)
{
    TrimLeftWhere(m_strText, [pszTargets](wchar_t ch) { return IsInSet(ch, pszTargets); });
    return *this;
}

CString& CString::TrimRight()
{
    TrimRightWhere(m_strText, IsWhiteSpace);
    return *this;
}

CString& CString::TrimRight(wchar_t chTarget)
{
    TrimRightWhere(m_strText, [chTarget](wchar_t ch) { return ch == chTarget; });
    return *this;
}

CString& CString::TrimRight(LPCWSTR pszTargets)
{
    TrimRightWhere(m_strText, [pszTargets](wchar_t ch) { return IsInSet(ch, pszTargets); });
    return *this;
}

int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    int nCount = 0;
    for (wchar_t& ch : m_strText)
    {
        if (ch == chOld)
        {
            ch = chNew;
            ++nCount;
        }
    }
    return nCount;
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew)
{
    const std::wstring_view oldText = ViewOf(pszOld);
    if (oldText.empty())
    {
        return 0;
    }
    // Built aside: either argument may point into this string.
    const std::wstring_view newText = ViewOf(pszNew);
    std::wstring strResult;
    int nCount = 0;
    std::size_t nFrom = 0;
    for (std::size_t nFound = m_strText.find(oldText); nFound != std::wstring::npos;
         nFound = m_strText.find(oldText, nFrom))
    {
        strResult.append(m_strText, nFrom, nFound - nFrom);
        strResult.append(newText);
        nFrom = nFound + oldText.size();
        ++nCount;
    }
    if (nCount > 0)
    {
        strResult.append(m_strText, nFrom);
        m_strText.swap(strResult);
    }
    return nCount;
}

int CString::Remove(wchar_t ch)
{
    const std::size_t nBefore = m_strText.size();
    std::erase(m_strText, ch);
    return static_cast<int>(nBefore - m_strText.size());
}

int CString::Insert(int nIndex, wchar_t ch)
{
    m_strText.insert(static_cast<std::size_t>(ClampIndex(nIndex, GetLength())), 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, LPCWSTR psz)
{
    if (psz != nullptr)
    {
        // A copy first: psz may point into this string.
        const std::wstring strInserted(psz);
        m_strText.insert(static_cast<std::size_t>(ClampIndex(nIndex, GetLength())), strInserted);
    }
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    const int nStart = ClampIndex(nIndex, GetLength());
    if (nCount > 0)
    {
        m_strText.erase(static_cast<std::size_t>(nStart),
                        static_cast<std::size_t>(std::min(nCount, GetLength() - nStart)));
    }
    return GetLength();
}

void CString::FormatVarargs(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatResourceVarargs(UINT nFormatId, ...)
{
    std::wstring strFormat;
    LoadResourceText(nFormatId, strFormat);
    va_list args;
    va_start(args, nFormatId);
    FormatV(strFormat.c_str(), args);
    va_end(args);
}

void CString::AppendFormatVarargs(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(LPCWSTR pszFormat, va_list args)
{
    // Formatted aside: an argument may point into this string.
    m_strText = FormatToString(pszFormat, args);
}

void CString::AppendFormatV(LPCWSTR pszFormat, va_list args)
{
    m_strText += FormatToString(pszFormat, args);
}

BOOL CString::LoadString(UINT nId)
{
    return LoadResourceText(nId, m_strText) ? TRUE : FALSE;
}

std::ostream& operator<<(std::ostream& stream, const CString& text)
{
    return stream << text.ToUtf8();
}
