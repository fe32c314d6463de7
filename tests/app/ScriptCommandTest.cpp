#include "ScriptCommand.h"

#include "WinMessages.h"

#include <gtest/gtest.h>

TEST(ScriptLine, SplitsWordsKeepsQuotedBlanksAndTheRestOfTheLine)
{
    const SScriptLine line = ParseScriptLine("  Click 10 20 \"two words\" right\r", 7);
    EXPECT_EQ(line.nLine, 7);
    EXPECT_EQ(line.strCommand, "click");
    EXPECT_EQ(line.args, (std::vector<std::string>{"10", "20", "two words", "right"}));
    EXPECT_EQ(line.strRest, "10 20 \"two words\" right");

    // `type` keeps its text as written, blanks inside included.
    EXPECT_EQ(ParseScriptLine("type a  b ", 1).strRest, "a  b ");
}

TEST(ScriptLine, BlankLinesAndCommentsHaveNoCommand)
{
    EXPECT_TRUE(ParseScriptLine("", 1).strCommand.empty());
    EXPECT_TRUE(ParseScriptLine("   \t", 1).strCommand.empty());
    EXPECT_TRUE(ParseScriptLine("  # click 1 2", 1).strCommand.empty());
    // A '#' later on the line is an ordinary character.
    EXPECT_EQ(ParseScriptLine("expect-state color #FF0000", 1).args.at(1), "#FF0000");
}

TEST(ScriptLine, IntegersRejectTrailingJunk)
{
    EXPECT_EQ(ParseInteger("-12"), -12);
    EXPECT_EQ(ParseInteger("0"), 0);
    EXPECT_FALSE(ParseInteger("12px"));
    EXPECT_FALSE(ParseInteger(""));
    EXPECT_FALSE(ParseInteger("x"));
    EXPECT_FALSE(ParseInteger("99999999999999999999999"));
}

TEST(ScriptKeys, NamesLettersFunctionKeysAndModifiers)
{
    const std::optional<SKeyChord> tab = ParseKeyChord("ctrl+shift+Tab");
    ASSERT_TRUE(tab);
    EXPECT_EQ(tab->nVirtualKey, static_cast<UINT>(VK_TAB));
    EXPECT_TRUE(tab->bControl);
    EXPECT_TRUE(tab->bShift);
    EXPECT_FALSE(tab->bAlt);

    EXPECT_EQ(ParseKeyChord("a")->nVirtualKey, static_cast<UINT>('A'));
    EXPECT_EQ(ParseKeyChord("7")->nVirtualKey, static_cast<UINT>('7'));
    EXPECT_EQ(ParseKeyChord("F4")->nVirtualKey, static_cast<UINT>(VK_F4));
    EXPECT_EQ(ParseKeyChord("f12")->nVirtualKey, static_cast<UINT>(VK_F12));
    EXPECT_EQ(ParseKeyChord("PageDown")->nVirtualKey, static_cast<UINT>(VK_NEXT));
    EXPECT_EQ(ParseKeyChord("ESC")->nVirtualKey, static_cast<UINT>(VK_ESCAPE));

    const std::optional<SKeyChord> plus = ParseKeyChord("ctrl++");
    ASSERT_TRUE(plus);
    EXPECT_EQ(plus->nVirtualKey, static_cast<UINT>(VK_OEM_PLUS));
    EXPECT_TRUE(plus->bControl);
    EXPECT_TRUE(ParseKeyChord("alt+F4")->bAlt);
}

TEST(ScriptKeys, UnknownNamesAndModifiersAreRefused)
{
    EXPECT_FALSE(ParseKeyChord(""));
    EXPECT_FALSE(ParseKeyChord("F13"));
    EXPECT_FALSE(ParseKeyChord("hyper+a"));
    EXPECT_FALSE(ParseKeyChord("ctrl+"));
    EXPECT_FALSE(ParseKeyChord("enterr"));
}

TEST(ScriptState, PathsReachNestedValuesByNameIndexOrPointer)
{
    const nlohmann::json state = nlohmann::json::parse(
        R"({"foreground": {"color": "#FF0000", "enabled": true}, "recent": [{"style": 1}, {"style": 4}]})");
    ASSERT_NE(FindJsonValue(state, "foreground.color"), nullptr);
    EXPECT_EQ(*FindJsonValue(state, "foreground.color"), "#FF0000");
    EXPECT_EQ(*FindJsonValue(state, "recent.1.style"), 4);
    EXPECT_EQ(*FindJsonValue(state, "/foreground/enabled"), true);
    EXPECT_EQ(*FindJsonValue(state, "recent"), state["recent"]);

    EXPECT_EQ(FindJsonValue(state, "foreground.colour"), nullptr);
    EXPECT_EQ(FindJsonValue(state, "recent.2"), nullptr);
    EXPECT_EQ(FindJsonValue(state, "recent.-1"), nullptr);
    EXPECT_EQ(FindJsonValue(state, "foreground..color"), nullptr);
    EXPECT_EQ(FindJsonValue(state, "foreground.color.x"), nullptr);
    EXPECT_EQ(FindJsonValue(state, "/nothing/here"), nullptr);
    EXPECT_EQ(FindJsonValue(state, "/~bad"), nullptr);
}

TEST(ScriptState, ExpectedValuesAreJsonWhenTheyParseAndTextOtherwise)
{
    EXPECT_EQ(ParseExpectedValue("true"), nlohmann::json(true));
    EXPECT_EQ(ParseExpectedValue("12"), nlohmann::json(12));
    EXPECT_EQ(ParseExpectedValue("\"12\""), nlohmann::json("12"));
    EXPECT_EQ(ParseExpectedValue("#FF0000"), nlohmann::json("#FF0000"));
    EXPECT_EQ(ParseExpectedValue("[1, 2]"), nlohmann::json::parse("[1,2]"));
}
