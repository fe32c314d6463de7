// What the list box and the combo box share: the state of a list (a combo
// box keeps its items in the list it drops down, a "ComboLBox" window run by
// the list box procedure) and the calls between the two.
#pragma once

#include "ListControls.h"
#include "controls/BuiltInControls.h"

#include <string>
#include <vector>

struct SListItem
{
    std::wstring strText;
    ULONG_PTR nData = 0;
    bool bSelected = false; // multiple- and extended-selection lists
};

// The part of the drawn scroll bar a press went to.
enum class EListBarPart
{
    None,
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    Thumb,
};

struct SListBoxState : SControlState
{
    std::vector<SListItem> items;
    int nSelected = -1; // single-selection lists (and the highlight of a drop-down list)
    int nCaret = 0;     // the item with the focus rectangle
    int nAnchor = -1;   // where Shift ranges start in an extended-selection list
    int nTop = 0;
    int nItemHeight = 16;
    HFONT hFont = nullptr;
    bool bFocused = false;

    // A mouse selection in progress (the button went down on an item).
    bool bTracking = false;
    std::vector<bool> dragBase; // extended selection: the flags the drag range is laid over
    bool bRangeState = true;    // what the drag range sets its items to

    // A press on the drawn scroll bar.
    EListBarPart eBarPart = EListBarPart::None;
    int nThumbGrab = 0; // where in the thumb it was taken, in pixels from its top

    // The combo box this list drops down for; null for a list box.
    HWND hCombo = nullptr;
    bool bComboPressHeld = false; // the press that dropped the list (or one in it) is still held
};

// The list state of a list box or drop-down list; null for another window.
SListBoxState* ListStateOf(HWND hList);
// The height of a line of text in a font (the default GUI font for null).
int FontLineHeight(HFONT hFont);
HFONT FontOrDefault(HFONT hFont);

// A combo box moving the highlight of its drop-down list with a key (arrows,
// Page Up/Down, Home, End); false for other keys.
bool ListMoveHighlightByKey(HWND hList, UINT nKey);
// Moves the highlight to the next item starting with a character.
void ListHighlightByCharacter(HWND hList, wchar_t chTyped);
// Highlights an item (-1 for none) and scrolls it into view.
void ListSetHighlight(HWND hList, int nIndex);
// The first item after nStart (wrapping) whose text starts with or equals
// the text, case-insensitively; -1 when none.
int ListFind(const SListBoxState& state, bool bHasStrings, int nStart, LPARAM lParam, bool bExact);
// The height the list needs to show nItems items, borders included.
int ListHeightForItems(const SListBoxState& state, int nItems);

// Implemented by the combo box: the drop-down list ends, with the highlighted
// item chosen (bChosen) or the choice abandoned.
void ComboCloseUpFromList(HWND hCombo, bool bChosen);
bool ComboIsDropped(HWND hCombo);
