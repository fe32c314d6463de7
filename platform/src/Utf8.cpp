#include "Utf8.h"

namespace
{
constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80)
    {
        out += static_cast<char>(cp);
    }
    else if (cp < 0x800)
    {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else if (cp < 0x10000)
    {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsHighSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}
} // namespace

std::string WideToUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        char32_t cp = static_cast<char32_t>(text[i]);
        // Text that came from a 16-bit source may still hold surrogate pairs.
        if (IsHighSurrogate(cp) && i + 1 < text.size() && IsLowSurrogate(static_cast<char32_t>(text[i + 1])))
        {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            ++i;
        }
        else if (IsHighSurrogate(cp) || IsLowSurrogate(cp) || cp > 0x10FFFF)
        {
            cp = kReplacement;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::wstring Utf8ToWide(std::string_view text)
{
    std::wstring out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size())
    {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead < 0x80)
        {
            out += static_cast<wchar_t>(lead);
            ++i;
            continue;
        }
        if ((lead & 0xE0) == 0xC0)
        {
            extra = 1;
            cp = lead & 0x1F;
            minimum = 0x80;
        }
        else if ((lead & 0xF0) == 0xE0)
        {
            extra = 2;
            cp = lead & 0x0F;
            minimum = 0x800;
        }
        else if ((lead & 0xF8) == 0xF0)
        {
            extra = 3;
            cp = lead & 0x07;
            minimum = 0x10000;
        }
        else
        {
            out += static_cast<wchar_t>(kReplacement);
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        int taken = 0;
        while (taken < extra && j < text.size() && (static_cast<unsigned char>(text[j]) & 0xC0) == 0x80)
        {
            cp = (cp << 6) | (static_cast<unsigned char>(text[j]) & 0x3F);
            ++j;
            ++taken;
        }
        if (taken < extra || cp < minimum || cp > 0x10FFFF || IsHighSurrogate(cp) || IsLowSurrogate(cp))
        {
            // Skip the whole broken sequence, but never a byte that could start
            // the next character.
            out += static_cast<wchar_t>(kReplacement);
            i = j;
            continue;
        }
        out += static_cast<wchar_t>(cp);
        i = j;
    }
    return out;
}
