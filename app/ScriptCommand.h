// One line of a headless script, split into its command and arguments, and
// the small parsers the commands share (numbers, buttons, key names, JSON
// paths). Pure: nothing here touches windows.
#pragma once

#include "WinDef.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

struct SScriptLine
{
    int nLine = 0;          // 1-based line number in the script
    std::string strCommand; // lower case; empty for a blank line or a comment
    std::vector<std::string> args;
    std::string strRest; // everything after the command, as written (for `type`)
};

// Splits a line at blanks; "#" starts a comment when it is the first thing
// on the line. Arguments may be quoted with double quotes to hold blanks.
SScriptLine ParseScriptLine(const std::string& strText, int nLine);

// A whole number, or nothing when the text is not one (trailing junk
// included).
std::optional<long> ParseInteger(const std::string& strText);

// A key as scripts name it: a letter or digit, or a name such as "Enter",
// "Tab", "Escape", "F4", "Left", "PageDown", "Delete", "Space", with any
// modifiers in front joined by '+': "ctrl+shift+Tab". Case does not matter.
struct SKeyChord
{
    UINT nVirtualKey = 0;
    bool bShift = false;
    bool bControl = false;
    bool bAlt = false;
};
std::optional<SKeyChord> ParseKeyChord(const std::string& strText);

// A value in a JSON document addressed by a path: a JSON pointer
// ("/foreground/color") or dotted names with list indices
// ("foreground.color", "recent.0"). Null when there is no such value.
const nlohmann::json* FindJsonValue(const nlohmann::json& document, const std::string& strPath);

// The value an expect-state line compares with: JSON when it parses as JSON
// (true, 12, "text", [1,2]), else the text itself as a string.
nlohmann::json ParseExpectedValue(const std::string& strText);
