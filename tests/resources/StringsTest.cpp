// The string table: every number the palette asks for has a text, and texts
// the palette formats carry exactly the conversions it formats into them.
#include "ResourceModuleSupport.h"

#include <map>

namespace
{
// The printf conversions of a format, in order ("%-5.2ls" gives "s"; "%%" none).
std::string Conversions(const std::wstring& text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != L'%')
            continue;
        ++i;
        if (i < text.size() && text[i] == L'%')
            continue;
        while (i < text.size() && std::wstring(L"-+ #0123456789.hlLzjt").find(text[i]) != std::wstring::npos)
            ++i;
        result += i < text.size() ? static_cast<char>(text[i]) : '?';
    }
    return result;
}

// Every string number the palette loads.
const UINT kStringNumbers[] = {
    15283, 15284, 15285, 15286, 15287, 15288, 15289, 15290, 15299, 15400, 15401, 15402, 15403, 15404, 15405,
    15406, 15407, 15408, 15409, 15410, 15411, 15412, 15413, 15414, 15415, 15416, 15417, 15418, 15419, 15420,
    15421, 15422, 15423, 15424, 15425, 15426, 15427, 15428, 15429, 15430, 15431, 15432, 15433, 15437, 15439,
    15440, 15441, 15442, 15443, 15444, 15445, 15446, 15447, 15449, 15450, 15451, 15452, 15453, 15454, 15455,
    15456, 15462, 15463, 15464, 15465, 15466, 15467, 15468, 15469, 15470, 15471, 15472, 15473, 15474, 15475,
    15476, 15477, 15478, 15479, 15480, 15481, 15487, 15488, 15489, 15490, 15942, 15948, 15950,
    // Names of numeric edits, formatted into their tooltips.
    15218, 15219, 15220, 15221, 15227, 15228, 15229, 15257, 15258, 15315, 15316, 15317};

// What the palette formats into each text: names (%s) into the questions and
// errors about a name, a counter into the proposed names, three channel values
// into the paletted page's lines.
const std::map<UINT, std::string> kFormatted = {
    {15407, "s"},   {15418, "s"},   {15421, "s"},   {15455, "s"},   {15456, "s"},
    {15488, "s"},   {15404, "d"},   {15476, "d"},   {15400, "XXX"}, {15401, "XXX"},
    {15402, "ddd"}, {15403, "ddd"}, {15405, "XXX"},
};
} // namespace

TEST(ResourceStringsTest, ModuleLoadsFromTheLanguageFolder)
{
    ASSERT_NE(ResourceModule(), nullptr) << GetLastModuleLoadMessage();
    EXPECT_NE(GetProcAddress(ResourceModule(), "PlatformResourceEntries"), nullptr);
}

TEST(ResourceStringsTest, EveryNumberHasAText)
{
    ASSERT_NE(ResourceModule(), nullptr);
    for (UINT nID : kStringNumbers)
    {
        const std::wstring text = StringOf(nID);
        EXPECT_FALSE(text.empty()) << nID;
        // No text starts or ends with a line break or a stray blank, except
        // the pane caption's leading blank and the reason lines' leading
        // line break, which the palette appends to the first line.
        if (!text.empty() && nID != 15473 && (nID < 15425 || nID > 15427))
        {
            EXPECT_NE(text.front(), L'\n') << nID;
            EXPECT_NE(text.front(), L' ') << nID;
            EXPECT_NE(text.back(), L' ') << nID;
        }
    }
}

TEST(ResourceStringsTest, FormatsCarryTheConversionsTheirCallersUse)
{
    for (UINT nID : kStringNumbers)
    {
        const auto it = kFormatted.find(nID);
        const std::string expected = it != kFormatted.end() ? it->second : std::string();
        EXPECT_EQ(Conversions(StringOf(nID)), expected) << nID;
    }
}

TEST(ResourceStringsTest, TextsThatNameFilesOrFiltersAreUsable)
{
    // The unnamed gradient's text is also its temporary file's name: none of
    // the characters a name may not hold.
    const std::wstring unnamed = StringOf(15446);
    EXPECT_EQ(unnamed.find_first_of(L"\\/:*?\"<>|"), std::wstring::npos);
    // The import/export filter is description|pattern pairs offering *.grd.
    const std::wstring filter = StringOf(15411);
    EXPECT_NE(filter.find(L"|*.grd|"), std::wstring::npos);
    EXPECT_EQ(filter.substr(filter.size() - 2), L"||");
    // The reason lines follow the first line, each on a line of its own.
    for (UINT nID : {15425u, 15426u, 15427u})
        EXPECT_EQ(StringOf(nID).front(), L'\n') << nID;
}

TEST(ResourceStringsTest, ConversionParserSeesFlagsWidthsAndEscapes)
{
    EXPECT_EQ(Conversions(L"100%% of %-5.2ls and %02X"), "sX");
    EXPECT_EQ(Conversions(L"none"), "");
    EXPECT_EQ(Conversions(L"%"), "?");
}
