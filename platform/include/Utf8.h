// Conversion between the wide strings used inside and UTF-8 used at the edges
// (files, the C library, JSON). Invalid input never throws: a malformed UTF-8
// sequence or a lone surrogate becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);
