#include "StringFormat.h"

#include "Utf8.h"

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <locale.h>
#include <wchar.h>
#include <string_view>

namespace
{
// The whole argument list travels by reference through the helpers: a
// va_list itself cannot be passed by reference portably.
struct SArguments
{
    va_list list;
};

// Where formatted text goes: a string, a fixed buffer, or nowhere (counting only).
class COutput
{
public:
    COutput() = default;
    explicit COutput(std::wstring& strTarget) : m_pString(&strTarget) {}
    COutput(wchar_t* pBuffer, std::size_t nCapacity) : m_pBuffer(pBuffer), m_nCapacity(nCapacity) {}

    void Append(const wchar_t* pText, std::size_t nCount)
    {
        if (m_pString != nullptr)
        {
            m_pString->append(pText, nCount);
        }
        else if (m_pBuffer != nullptr)
        {
            const std::size_t nRoom = Room();
            std::wmemcpy(m_pBuffer + m_nTotal, pText, nCount < nRoom ? nCount : nRoom);
        }
        m_nTotal += nCount;
    }

    void AppendRepeated(wchar_t ch, std::size_t nCount)
    {
        if (m_pString != nullptr)
        {
            m_pString->append(nCount, ch);
        }
        else if (m_pBuffer != nullptr)
        {
            const std::size_t nRoom = Room();
            std::wmemset(m_pBuffer + m_nTotal, ch, nCount < nRoom ? nCount : nRoom);
        }
        m_nTotal += nCount;
    }

    // Numbers come from the C library as ASCII.
    void Append(const char* pText, std::size_t nCount)
    {
        wchar_t chunk[64];
        while (nCount > 0)
        {
            const std::size_t nPart = nCount < std::size(chunk) ? nCount : std::size(chunk);
            for (std::size_t i = 0; i < nPart; ++i)
            {
                chunk[i] = static_cast<wchar_t>(static_cast<unsigned char>(pText[i]));
            }
            Append(chunk, nPart);
            pText += nPart;
            nCount -= nPart;
        }
    }

    void Terminate()
    {
        if (m_pBuffer != nullptr && m_nCapacity > 0)
        {
            m_pBuffer[m_nTotal < m_nCapacity ? m_nTotal : m_nCapacity - 1] = L'\0';
        }
    }

    std::size_t Total() const { return m_nTotal; }

private:
    // Room left for characters, keeping one place for the NUL.
    std::size_t Room() const
    {
        if (m_nCapacity == 0 || m_nTotal >= m_nCapacity - 1)
        {
            return 0;
        }
        return m_nCapacity - 1 - m_nTotal;
    }

    std::wstring* m_pString = nullptr;
    wchar_t* m_pBuffer = nullptr;
    std::size_t m_nCapacity = 0;
    std::size_t m_nTotal = 0;
};

enum class ELengthPrefix
{
    None,
    Char,       // hh
    Short,      // h
    Long,       // l: 32 bits for integers, wide for text
    LongLong,   // ll, I64
    Int32,      // I32
    Size,       // I, z
    Difference, // t
    Max,        // j
    LongDouble, // L
    Wide,       // w
};

struct SConversion
{
    bool bLeft = false;
    bool bPlus = false;
    bool bSpace = false;
    bool bAlternate = false;
    bool bZero = false;
    bool bWidthFromArgument = false;
    bool bPrecisionFromArgument = false;
    int nWidth = 0;
    int nPrecision = -1; // -1: none given
    ELengthPrefix eLength = ELengthPrefix::None;
    wchar_t chConversion = 0;
};

// Reads a decimal field, saturating rather than overflowing.
int ReadNumber(const wchar_t*& p)
{
    long long nValue = 0;
    while (*p >= L'0' && *p <= L'9')
    {
        if (nValue <= FORMAT_FIELD_LIMIT)
        {
            nValue = nValue * 10 + (*p - L'0');
        }
        ++p;
    }
    return nValue > FORMAT_FIELD_LIMIT ? FORMAT_FIELD_LIMIT : static_cast<int>(nValue);
}

ELengthPrefix ReadLengthPrefix(const wchar_t*& p)
{
    switch (*p)
    {
        case L'h':
            ++p;
            if (*p == L'h')
            {
                ++p;
                return ELengthPrefix::Char;
            }
            return ELengthPrefix::Short;
        case L'l':
            ++p;
            if (*p == L'l')
            {
                ++p;
                return ELengthPrefix::LongLong;
            }
            return ELengthPrefix::Long;
        case L'I':
            if (p[1] == L'6' && p[2] == L'4')
            {
                p += 3;
                return ELengthPrefix::LongLong;
            }
            if (p[1] == L'3' && p[2] == L'2')
            {
                p += 3;
                return ELengthPrefix::Int32;
            }
            ++p;
            return ELengthPrefix::Size;
        case L'z':
            ++p;
            return ELengthPrefix::Size;
        case L't':
            ++p;
            return ELengthPrefix::Difference;
        case L'j':
            ++p;
            return ELengthPrefix::Max;
        case L'L':
            ++p;
            return ELengthPrefix::LongDouble;
        case L'w':
            ++p;
            return ELengthPrefix::Wide;
        default:
            return ELengthPrefix::None;
    }
}

bool IsIntegerConversion(wchar_t ch)
{
    return ch != 0 && std::wcschr(L"diuoxX", ch) != nullptr;
}
bool IsFloatingConversion(wchar_t ch)
{
    return ch != 0 && std::wcschr(L"eEfFgGaA", ch) != nullptr;
}
bool IsTextConversion(wchar_t ch)
{
    return ch == L's' || ch == L'S' || ch == L'c' || ch == L'C';
}

// Whether this prefix means something for this conversion; anything else is
// treated as an unknown conversion.
bool IsValidCombination(const SConversion& conversion)
{
    const wchar_t ch = conversion.chConversion;
    const ELengthPrefix e = conversion.eLength;
    if (IsIntegerConversion(ch))
    {
        return e != ELengthPrefix::LongDouble && e != ELengthPrefix::Wide;
    }
    if (IsFloatingConversion(ch))
    {
        return e == ELengthPrefix::None || e == ELengthPrefix::Long || e == ELengthPrefix::LongDouble;
    }
    if (IsTextConversion(ch))
    {
        return e == ELengthPrefix::None || e == ELengthPrefix::Short || e == ELengthPrefix::Long ||
               e == ELengthPrefix::Wide;
    }
    return ch == L'p' || ch == L'%';
}

// Parses the conversion after a '%'; on success p is past the conversion.
bool ParseConversion(const wchar_t*& p, SConversion& conversion)
{
    for (;; ++p)
    {
        if (*p == L'-')
            conversion.bLeft = true;
        else if (*p == L'+')
            conversion.bPlus = true;
        else if (*p == L' ')
            conversion.bSpace = true;
        else if (*p == L'#')
            conversion.bAlternate = true;
        else if (*p == L'0')
            conversion.bZero = true;
        else
            break;
    }
    if (*p == L'*')
    {
        conversion.bWidthFromArgument = true;
        ++p;
    }
    else
    {
        conversion.nWidth = ReadNumber(p);
    }
    if (*p == L'.')
    {
        ++p;
        if (*p == L'*')
        {
            conversion.bPrecisionFromArgument = true;
            ++p;
        }
        else
        {
            conversion.nPrecision = ReadNumber(p);
        }
    }
    conversion.eLength = ReadLengthPrefix(p);
    conversion.chConversion = *p;
    if (*p == L'\0')
    {
        return false;
    }
    ++p;
    return IsValidCombination(conversion);
}

int ClampField(int nValue)
{
    return nValue > FORMAT_FIELD_LIMIT ? FORMAT_FIELD_LIMIT : nValue;
}

// Takes the '*' width and precision from the arguments, in that order.
void ReadStarFields(SConversion& conversion, SArguments& args)
{
    if (conversion.bWidthFromArgument)
    {
        const int nWidth = va_arg(args.list, int);
        if (nWidth < 0)
        {
            // A negative width asks for left alignment.
            conversion.bLeft = true;
            conversion.nWidth = nWidth == INT_MIN ? FORMAT_FIELD_LIMIT : ClampField(-nWidth);
        }
        else
        {
            conversion.nWidth = ClampField(nWidth);
        }
    }
    if (conversion.bPrecisionFromArgument)
    {
        const int nPrecision = va_arg(args.list, int);
        conversion.nPrecision = nPrecision < 0 ? -1 : ClampField(nPrecision);
    }
}

// Writes a field of text (wide, or ASCII from the C library) with its
// padding. nSignLength characters at the start (sign, "0x") stay in front of
// zero padding.
template <typename TChar>
void EmitField(COutput& out, const TChar* pText, std::size_t nLength, const SConversion& conversion,
               bool bZeroPad, std::size_t nSignLength = 0)
{
    const std::size_t nWidth = static_cast<std::size_t>(conversion.nWidth);
    const std::size_t nPad = nWidth > nLength ? nWidth - nLength : 0;
    if (conversion.bLeft)
    {
        out.Append(pText, nLength);
        out.AppendRepeated(L' ', nPad);
    }
    else if (bZeroPad)
    {
        out.Append(pText, nSignLength);
        out.AppendRepeated(L'0', nPad);
        out.Append(pText + nSignLength, nLength - nSignLength);
    }
    else
    {
        out.AppendRepeated(L' ', nPad);
        out.Append(pText, nLength);
    }
}

// How many leading characters of a number belong before zero padding.
std::size_t SignLength(const char* pText, std::size_t nLength, wchar_t chConversion)
{
    std::size_t n = 0;
    if (n < nLength && (pText[n] == '-' || pText[n] == '+' || pText[n] == ' '))
    {
        ++n;
    }
    const bool bHexadecimal =
        chConversion == L'x' || chConversion == L'X' || chConversion == L'a' || chConversion == L'A';
    if (bHexadecimal && n + 1 < nLength && pText[n] == '0' && (pText[n + 1] == 'x' || pText[n + 1] == 'X'))
    {
        n += 2;
    }
    return n;
}

// A narrow printf format for one number, built from the parsed flags; the
// width is left out because padding is ours.
std::string NarrowFormat(const SConversion& conversion, const char* pszLength)
{
    std::string strNarrowFormat = "%";
    if (conversion.bPlus)
        strNarrowFormat += '+';
    if (conversion.bSpace)
        strNarrowFormat += ' ';
    if (conversion.bAlternate)
        strNarrowFormat += '#';
    if (conversion.nPrecision >= 0)
    {
        strNarrowFormat += '.';
        strNarrowFormat += std::to_string(conversion.nPrecision);
    }
    strNarrowFormat += pszLength;
    strNarrowFormat += static_cast<char>(conversion.chConversion);
    return strNarrowFormat;
}

// Runs snprintf into a stack buffer, or into a heap one when the text is long
// (a large precision). Returns the text and its length.
template <typename TValue>
std::size_t FormatNumber(const std::string& strNarrowFormat, TValue value, char (&stackBuffer)[128],
                         std::string& strLarge, const char*& pText)
{
    const int nLength = std::snprintf(stackBuffer, sizeof stackBuffer, strNarrowFormat.c_str(), value);
    if (nLength < 0)
    {
        pText = "";
        return 0;
    }
    if (static_cast<std::size_t>(nLength) < sizeof stackBuffer)
    {
        pText = stackBuffer;
        return static_cast<std::size_t>(nLength);
    }
    strLarge.resize(static_cast<std::size_t>(nLength) + 1);
    std::snprintf(strLarge.data(), strLarge.size(), strNarrowFormat.c_str(), value);
    strLarge.resize(static_cast<std::size_t>(nLength));
    pText = strLarge.c_str();
    return strLarge.size();
}

void EmitInteger(COutput& out, const SConversion& conversion, SArguments& args)
{
    const bool bSigned = conversion.chConversion == L'd' || conversion.chConversion == L'i';
    long long nSigned = 0;
    unsigned long long nUnsigned = 0;
    switch (conversion.eLength)
    {
        case ELengthPrefix::Char:
        {
            const int n = va_arg(args.list, int);
            nSigned = static_cast<signed char>(n);
            nUnsigned = static_cast<unsigned char>(n);
            break;
        }
        case ELengthPrefix::Short:
        {
            const int n = va_arg(args.list, int);
            nSigned = static_cast<short>(n);
            nUnsigned = static_cast<unsigned short>(n);
            break;
        }
        case ELengthPrefix::LongLong:
        case ELengthPrefix::Max:
        {
            const long long n = va_arg(args.list, long long);
            nSigned = n;
            nUnsigned = static_cast<unsigned long long>(n);
            break;
        }
        case ELengthPrefix::Size:
        {
            const std::size_t n = va_arg(args.list, std::size_t);
            nSigned = static_cast<long long>(static_cast<std::ptrdiff_t>(n));
            nUnsigned = n;
            break;
        }
        case ELengthPrefix::Difference:
        {
            const std::ptrdiff_t n = va_arg(args.list, std::ptrdiff_t);
            nSigned = n;
            nUnsigned = static_cast<std::size_t>(n);
            break;
        }
        default:
        {
            // No prefix, l and I32: 32 bits.
            const int n = va_arg(args.list, int);
            nSigned = n;
            nUnsigned = static_cast<unsigned int>(n);
            break;
        }
    }

    char stackBuffer[128];
    std::string strLarge;
    const char* pText = nullptr;
    const std::string strNarrowFormat = NarrowFormat(conversion, "ll");
    const std::size_t nLength = bSigned
                                    ? FormatNumber(strNarrowFormat, nSigned, stackBuffer, strLarge, pText)
                                    : FormatNumber(strNarrowFormat, nUnsigned, stackBuffer, strLarge, pText);
    // With a precision the 0 flag is ignored, as in C.
    const bool bZeroPad = conversion.bZero && conversion.nPrecision < 0;
    EmitField(out, pText, nLength, conversion, bZeroPad, SignLength(pText, nLength, conversion.chConversion));
}

// The "C" locale, so that a decimal point is always '.', whatever the program set.
locale_t ClassicLocale()
{
    static const locale_t s_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return s_locale;
}

class CClassicLocaleScope
{
public:
    CClassicLocaleScope()
    {
        const locale_t locale = ClassicLocale();
        if (locale != static_cast<locale_t>(nullptr))
        {
            m_previous = uselocale(locale);
        }
    }
    ~CClassicLocaleScope()
    {
        if (m_previous != static_cast<locale_t>(nullptr))
        {
            uselocale(m_previous);
        }
    }
    CClassicLocaleScope(const CClassicLocaleScope&) = delete;
    CClassicLocaleScope& operator=(const CClassicLocaleScope&) = delete;

private:
    locale_t m_previous = static_cast<locale_t>(nullptr);
};

void EmitFloating(COutput& out, const SConversion& conversion, SArguments& args)
{
    char stackBuffer[128];
    std::string strLarge;
    const char* pText = nullptr;
    std::size_t nLength = 0;
    bool bFinite = true;
    {
        CClassicLocaleScope scope;
        if (conversion.eLength == ELengthPrefix::LongDouble)
        {
            const long double value = va_arg(args.list, long double);
            bFinite = std::isfinite(value);
            nLength = FormatNumber(NarrowFormat(conversion, "L"), value, stackBuffer, strLarge, pText);
        }
        else
        {
            const double value = va_arg(args.list, double);
            bFinite = std::isfinite(value);
            nLength = FormatNumber(NarrowFormat(conversion, ""), value, stackBuffer, strLarge, pText);
        }
    }
    // Infinity and NaN are padded with spaces only.
    const bool bZeroPad = conversion.bZero && bFinite;
    EmitField(out, pText, nLength, conversion, bZeroPad, SignLength(pText, nLength, conversion.chConversion));
}

void EmitPointer(COutput& out, const SConversion& conversion, SArguments& args)
{
    const auto nValue = reinterpret_cast<std::uintptr_t>(va_arg(args.list, void*));
    constexpr std::size_t nDigits = sizeof(void*) * 2;
    wchar_t text[nDigits];
    for (std::size_t i = 0; i < nDigits; ++i)
    {
        text[nDigits - 1 - i] = L"0123456789ABCDEF"[(nValue >> (4 * i)) & 0xF];
    }
    EmitField(out, text, nDigits, conversion, conversion.bZero);
}

// Whether the text argument is narrow, by the Windows rules for wide functions.
bool IsNarrowText(const SConversion& conversion)
{
    if (conversion.eLength == ELengthPrefix::Short)
    {
        return true;
    }
    if (conversion.eLength == ELengthPrefix::Long || conversion.eLength == ELengthPrefix::Wide)
    {
        return false;
    }
    return conversion.chConversion == L'S' || conversion.chConversion == L'C';
}

// Bytes of the first nCharacters UTF-8 characters of p (or up to its NUL),
// without reading past the last of them.
std::size_t Utf8PrefixBytes(const char* p, std::size_t nCharacters)
{
    std::size_t nBytes = 0;
    for (std::size_t nSeen = 0; nSeen < nCharacters && p[nBytes] != '\0'; ++nSeen)
    {
        const auto lead = static_cast<unsigned char>(p[nBytes++]);
        const int nContinuations = lead >= 0xF0 && lead < 0xF8   ? 3
                                   : lead >= 0xE0 && lead < 0xF0 ? 2
                                   : lead >= 0xC0 && lead < 0xE0 ? 1
                                                                 : 0;
        for (int i = 0; i < nContinuations && (static_cast<unsigned char>(p[nBytes]) & 0xC0) == 0x80; ++i)
        {
            ++nBytes;
        }
    }
    return nBytes;
}

void EmitString(COutput& out, const SConversion& conversion, SArguments& args)
{
    const std::size_t nLimit =
        conversion.nPrecision >= 0 ? static_cast<std::size_t>(conversion.nPrecision) : SIZE_MAX;
    const void* pArgument = va_arg(args.list, const void*);
    if (pArgument != nullptr && IsNarrowText(conversion))
    {
        const auto* pNarrow = static_cast<const char*>(pArgument);
        const std::size_t nBytes =
            nLimit == SIZE_MAX ? std::strlen(pNarrow) : Utf8PrefixBytes(pNarrow, nLimit);
        const std::wstring strWide = Utf8ToWide(std::string_view(pNarrow, nBytes));
        // Malformed input may decode to more characters than were counted.
        const std::size_t nLength = strWide.size() < nLimit ? strWide.size() : nLimit;
        EmitField(out, strWide.data(), nLength, conversion, conversion.bZero);
        return;
    }
    const auto* pWide = pArgument != nullptr ? static_cast<const wchar_t*>(pArgument) : L"(null)";
    const std::size_t nLength = nLimit == SIZE_MAX ? std::wcslen(pWide) : ::wcsnlen(pWide, nLimit);
    EmitField(out, pWide, nLength, conversion, conversion.bZero);
}

void EmitCharacter(COutput& out, const SConversion& conversion, SArguments& args)
{
    const int nArgument = va_arg(args.list, int);
    wchar_t ch = static_cast<wchar_t>(nArgument);
    if (IsNarrowText(conversion))
    {
        const char narrow = static_cast<char>(nArgument);
        const std::wstring strWide = Utf8ToWide(std::string_view(&narrow, 1));
        ch = strWide.empty() ? L'\uFFFD' : strWide[0];
    }
    EmitField(out, &ch, 1, conversion, conversion.bZero);
}

void FormatInto(COutput& out, LPCWSTR pszFormat, SArguments& args)
{
    const wchar_t* p = pszFormat;
    while (*p != L'\0')
    {
        const wchar_t* pLiteral = p;
        while (*p != L'\0' && *p != L'%')
        {
            ++p;
        }
        out.Append(pLiteral, static_cast<std::size_t>(p - pLiteral));
        if (*p == L'\0')
        {
            break;
        }

        const wchar_t* pPercent = p++;
        SConversion conversion;
        if (!ParseConversion(p, conversion))
        {
            // Unknown: written as it stands, including its conversion character.
            out.Append(pPercent, static_cast<std::size_t>(p - pPercent));
            continue;
        }
        if (conversion.chConversion == L'%')
        {
            out.Append(L"%", 1);
            continue;
        }
        ReadStarFields(conversion, args);
        if (IsIntegerConversion(conversion.chConversion))
        {
            EmitInteger(out, conversion, args);
        }
        else if (IsFloatingConversion(conversion.chConversion))
        {
            EmitFloating(out, conversion, args);
        }
        else if (conversion.chConversion == L'p')
        {
            EmitPointer(out, conversion, args);
        }
        else if (conversion.chConversion == L's' || conversion.chConversion == L'S')
        {
            EmitString(out, conversion, args);
        }
        else
        {
            EmitCharacter(out, conversion, args);
        }
    }
}

int LengthAsInt(std::size_t nLength)
{
    return nLength > static_cast<std::size_t>(INT_MAX) ? -1 : static_cast<int>(nLength);
}
} // namespace

void AppendFormatted(std::wstring& strOut, LPCWSTR pszFormat, va_list args)
{
    if (pszFormat == nullptr)
    {
        return;
    }
    SArguments copy;
    va_copy(copy.list, args);
    COutput out(strOut);
    FormatInto(out, pszFormat, copy);
    va_end(copy.list);
}

std::wstring FormatToString(LPCWSTR pszFormat, va_list args)
{
    std::wstring strResult;
    AppendFormatted(strResult, pszFormat, args);
    return strResult;
}

int FormattedLength(LPCWSTR pszFormat, va_list args)
{
    return FormatToBuffer(nullptr, 0, pszFormat, args);
}

int FormatToBuffer(LPWSTR pBuffer, std::size_t nCapacity, LPCWSTR pszFormat, va_list args)
{
    if (pszFormat == nullptr)
    {
        if (pBuffer != nullptr && nCapacity > 0)
        {
            pBuffer[0] = L'\0';
        }
        return -1;
    }
    SArguments copy;
    va_copy(copy.list, args);
    COutput out = pBuffer != nullptr ? COutput(pBuffer, nCapacity) : COutput();
    FormatInto(out, pszFormat, copy);
    va_end(copy.list);
    out.Terminate();
    return LengthAsInt(out.Total());
}
