#include "ScriptRunner.h"

#include <algorithm>

#include "Headless.h"
#include "Gdi.h"
#include "Input.h"
#include "Utf8.h"
#include "HostFrame.h"
#include "WindowTree.h"

#include <cstdio>
#include <deque>
#include <istream>
#include <ostream>

namespace
{

std::optional<POINT> ParsePoint(const std::string& strX, const std::string& strY)
{
    const std::optional<long> nX = ParseInteger(strX);
    const std::optional<long> nY = ParseInteger(strY);
    if (!nX || !nY)
        return std::nullopt;
    return POINT{static_cast<LONG>(*nX), static_cast<LONG>(*nY)};
}

std::optional<EMouseButton> ParseButton(const std::string& strName)
{
    if (strName == "left")
        return EMouseButton::Left;
    if (strName == "right")
        return EMouseButton::Right;
    if (strName == "middle")
        return EMouseButton::Middle;
    return std::nullopt;
}

// Holds modifier keys down for the life of the object.
class CHeldModifiers
{
public:
    CHeldModifiers(bool bShift, bool bControl, bool bAlt)
    {
        if (bShift)
            m_keys.push_back(VK_SHIFT);
        if (bControl)
            m_keys.push_back(VK_CONTROL);
        if (bAlt)
            m_keys.push_back(VK_MENU);
        for (UINT nKey : m_keys)
            InjectKey(nKey, true);
    }
    ~CHeldModifiers()
    {
        for (auto it = m_keys.rbegin(); it != m_keys.rend(); ++it)
            InjectKey(*it, false);
    }
    CHeldModifiers(const CHeldModifiers&) = delete;
    CHeldModifiers& operator=(const CHeldModifiers&) = delete;

private:
    std::vector<UINT> m_keys;
};

std::optional<int> ParseMessageBoxAnswer(const std::string& strValue)
{
    static const std::pair<const char*, int> kAnswers[] = {
        {"ok", IDOK},         {"cancel", IDCANCEL}, {"abort", IDABORT}, {"retry", IDRETRY},
        {"ignore", IDIGNORE}, {"yes", IDYES},       {"no", IDNO},
    };
    for (const auto& [pszName, nAnswer] : kAnswers)
    {
        if (strValue == pszName)
            return nAnswer;
    }
    const std::optional<long> nNumber = ParseInteger(strValue);
    if (nNumber)
        return static_cast<int>(*nNumber);
    return std::nullopt;
}

// "#RRGGBB" as a COLORREF; nothing for any other text.
std::optional<COLORREF> ParseHexColour(const std::string& strText)
{
    unsigned int nRed = 0, nGreen = 0, nBlue = 0;
    char chExtra = 0;
    if (strText.size() != 7 ||
        std::sscanf(strText.c_str(), "#%2x%2x%2x%c", &nRed, &nGreen, &nBlue, &chExtra) != 3)
        return std::nullopt;
    return RGB(nRed, nGreen, nBlue);
}

std::string ColourText(COLORREF clrColor)
{
    char szText[8];
    std::snprintf(szText, sizeof(szText), "#%02X%02X%02X", GetRValue(clrColor), GetGValue(clrColor),
                  GetBValue(clrColor));
    return szText;
}

// "59653 101 103", as a script names a window.
std::string PathText(const std::vector<long>& path)
{
    std::string strText;
    for (long nID : path)
        strText += (strText.empty() ? "" : " ") + std::to_string(nID);
    return strText;
}

// The window below hParent with the control identifier that lies fewest
// levels down (the first of them in the window tree's order), so that a
// control is found before a child of a sibling that shares its identifier.
HWND FindDescendant(HWND hParent, long nID)
{
    std::deque<HWND> pending{hParent};
    while (!pending.empty())
    {
        const HWND hWindow = pending.front();
        pending.pop_front();
        for (HWND hChild = GetWindow(hWindow, GW_CHILD); hChild != nullptr;
             hChild = GetWindow(hChild, GW_HWNDNEXT))
        {
            if (GetDlgCtrlID(hChild) == nID)
                return hChild;
            pending.push_back(hChild);
        }
    }
    return nullptr;
}

// The whole numbers a line starts with: the identifiers of a window path.
std::vector<long> LeadingIdentifiers(const std::vector<std::string>& args)
{
    std::vector<long> path;
    for (const std::string& strWord : args)
    {
        const std::optional<long> nID = ParseInteger(strWord);
        if (!nID)
            break;
        path.push_back(*nID);
    }
    return path;
}

// Follows identifiers from the frame: each names a window somewhere below
// the one before. Null, with the reason, when one is missing.
HWND FindWindowByPath(HWND hFrame, const std::vector<long>& path, std::string& strMessage)
{
    HWND hWindow = hFrame;
    std::vector<long> walked;
    for (long nID : path)
    {
        walked.push_back(nID);
        hWindow = FindDescendant(hWindow, nID);
        if (hWindow == nullptr)
        {
            strMessage = walked.size() == 1 ? "no window has the identifier " + std::to_string(nID)
                                            : "no window " + PathText(walked);
            return nullptr;
        }
    }
    return hWindow;
}

constexpr const char* kUsage =
    "commands: size W H | move X Y | click X Y [left|right|middle] [double] [shift|ctrl|alt]... | "
    "drag X1 Y1 X2 Y2 [left|right|middle] | key NAME | type TEXT | wait MS | "
    "answer messagebox|file|menu|dialog VALUE | screenshot FILE | dump-state | "
    "click-window ID [CHILD-ID]... [at X Y] [left|right|middle] [double] [shift|ctrl|alt]... | "
    "layout classic|new | tab N | document rgb|grey|palette 2|16|256 | "
    "dump-windows | expect-state PATH VALUE | expect-window ID [CHILD-ID]... FIELD VALUE | "
    "expect-colour X Y #RRGGBB | expect-canvas X Y #RRGGBB";

} // namespace

CScriptRunner::CScriptRunner(IScriptHost& host, std::ostream& out) : m_host(host), m_out(out) {}

bool CScriptRunner::Run(std::istream& script)
{
    std::string strText;
    int nLine = 0;
    while (std::getline(script, strText))
    {
        if (!RunLine(ParseScriptLine(strText, ++nLine)))
            return false;
    }
    return true;
}

bool CScriptRunner::RunLine(const SScriptLine& line)
{
    if (line.strCommand.empty())
        return true;
    std::string strMessage;
    if (!RunCommand(line, strMessage))
        return Fail(line, strMessage);
    PumpUntilIdle();
    return true;
}

bool CScriptRunner::Fail(const SScriptLine& line, const std::string& strMessage)
{
    m_strError = "script line " + std::to_string(line.nLine) + ": " + line.strCommand + ": " + strMessage;
    return false;
}

bool CScriptRunner::RunCommand(const SScriptLine& line, std::string& strMessage)
{
    const std::string& strCommand = line.strCommand;
    const std::vector<std::string>& args = line.args;
    if (strCommand == "size" || strCommand == "move")
    {
        const std::optional<POINT> pt = args.size() == 2 ? ParsePoint(args[0], args[1]) : std::nullopt;
        if (!pt)
        {
            strMessage = "needs two whole numbers";
            return false;
        }
        if (strCommand == "move")
        {
            InjectMouseMove(*pt);
            return true;
        }
        if (pt->x <= 0 || pt->y <= 0)
        {
            strMessage = "the size must be positive";
            return false;
        }
        SetWindowPos(m_host.FrameWindow(), nullptr, 0, 0, pt->x, pt->y,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return true;
    }
    if (strCommand == "click")
        return Click(line, strMessage);
    if (strCommand == "click-window")
        return ClickWindow(line, strMessage);
    if (strCommand == "drag")
        return Drag(line, strMessage);
    if (strCommand == "key")
        return Key(line, strMessage);
    if (strCommand == "type")
    {
        InjectText(Utf8ToWide(line.strRest).c_str());
        return true;
    }
    if (strCommand == "wait")
    {
        const std::optional<long> nMilliseconds = args.size() == 1 ? ParseInteger(args[0]) : std::nullopt;
        if (!nMilliseconds || *nMilliseconds < 0)
        {
            strMessage = "needs a number of milliseconds";
            return false;
        }
        // Input injected before the wait is handled before the time passes.
        PumpUntilIdle();
        AdvanceClock(static_cast<DWORD>(*nMilliseconds));
        return true;
    }
    if (strCommand == "answer")
        return Answer(line, strMessage);
    if (strCommand == "screenshot")
    {
        if (args.size() != 1)
        {
            strMessage = "needs one file name";
            return false;
        }
        PumpUntilIdle();
        return m_host.Screenshot(args[0], strMessage);
    }
    if (strCommand == "dump-state")
    {
        m_out << m_host.DumpState().dump() << '\n';
        return true;
    }
    if (strCommand == "dump-windows")
    {
        m_out << DumpWindowTree(m_host.FrameWindow()).dump() << '\n';
        return true;
    }
    if (strCommand == "expect-state")
        return ExpectState(line, strMessage);
    if (strCommand == "expect-window")
        return ExpectWindow(line, strMessage);
    if (strCommand == "expect-colour" || strCommand == "expect-color")
        return ExpectColour(line, strMessage);
    if (strCommand == "expect-canvas")
        return ExpectCanvas(line, strMessage);

    bool bOk = false;
    if (m_host.RunHostCommand(line, bOk, strMessage))
        return bOk;
    strMessage = "unknown command (" + std::string(kUsage) + ")";
    return false;
}

bool CScriptRunner::Click(const SScriptLine& line, std::string& strMessage)
{
    const std::vector<std::string>& args = line.args;
    const std::optional<POINT> pt = args.size() >= 2 ? ParsePoint(args[0], args[1]) : std::nullopt;
    if (!pt)
    {
        strMessage = "needs X and Y";
        return false;
    }
    SClickOptions options;
    if (!ParseClickWords(args, 2, options, strMessage))
        return false;
    ClickAt(*pt, options);
    return true;
}

bool CScriptRunner::ClickWindow(const SScriptLine& line, std::string& strMessage)
{
    const std::vector<long> path = LeadingIdentifiers(line.args);
    const size_t nWords = path.size();
    if (path.empty())
    {
        strMessage = "needs the control identifiers leading from the frame to the window";
        return false;
    }
    // "at X Y" clicks that point of the window's client area instead of its
    // centre; a negative coordinate counts from the right or bottom edge.
    std::vector<std::string> words(line.args.begin() + static_cast<std::ptrdiff_t>(nWords), line.args.end());
    std::optional<POINT> ptAt;
    if (const auto itAt = std::find(words.begin(), words.end(), "at"); itAt != words.end())
    {
        const std::optional<long> x = itAt + 1 < words.end() ? ParseInteger(*(itAt + 1)) : std::nullopt;
        const std::optional<long> y = itAt + 2 < words.end() ? ParseInteger(*(itAt + 2)) : std::nullopt;
        if (!x || !y)
        {
            strMessage = "at needs the X and Y of a point in the window";
            return false;
        }
        ptAt = POINT{static_cast<LONG>(*x), static_cast<LONG>(*y)};
        words.erase(itAt, itAt + 3);
    }
    SClickOptions options;
    if (!ParseClickWords(words, 0, options, strMessage))
        return false;
    const HWND hWindow = FindWindowByPath(m_host.FrameWindow(), path, strMessage);
    if (hWindow == nullptr)
        return false;
    if (!IsWindowVisible(hWindow))
    {
        strMessage = "window " + PathText(path) + " is hidden";
        return false;
    }
    RECT rc{};
    GetWindowRect(hWindow, &rc);
    POINT ptClick{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    if (ptAt)
    {
        RECT rcClient{};
        GetClientRect(hWindow, &rcClient);
        POINT ptClient{ptAt->x < 0 ? rcClient.right + ptAt->x : ptAt->x,
                       ptAt->y < 0 ? rcClient.bottom + ptAt->y : ptAt->y};
        if (ptClient.x < 0 || ptClient.y < 0 || ptClient.x >= rcClient.right || ptClient.y >= rcClient.bottom)
        {
            strMessage = "the point lies outside window " + PathText(path);
            return false;
        }
        ClientToScreen(hWindow, &ptClient);
        ptClick = ptClient;
    }
    // A click there must reach the window or one of its children, not
    // something lying over it.
    const HWND hHit = WindowFromPoint(ptClick);
    if (hHit != hWindow && !IsChild(hWindow, hHit))
    {
        strMessage = std::string(ptAt ? "the point clicked in" : "the centre of") + " window " +
                     PathText(path) + " is covered by another window";
        return false;
    }
    ClickAt(ptClick, options);
    return true;
}

bool CScriptRunner::ParseClickWords(const std::vector<std::string>& args, size_t nFirst,
                                    SClickOptions& options, std::string& strMessage)
{
    for (size_t i = nFirst; i < args.size(); ++i)
    {
        if (std::optional<EMouseButton> eNamed = ParseButton(args[i]))
            options.eButton = *eNamed;
        else if (args[i] == "shift")
            options.bShift = true;
        else if (args[i] == "ctrl")
            options.bControl = true;
        else if (args[i] == "alt")
            options.bAlt = true;
        else if (args[i] == "double")
            options.bDouble = true;
        else
        {
            strMessage = "unknown word '" + args[i] + "' (left, right, middle, double, shift, ctrl, alt)";
            return false;
        }
    }
    return true;
}

void CScriptRunner::ClickAt(POINT pt, const SClickOptions& options)
{
    CHeldModifiers modifiers(options.bShift, options.bControl, options.bAlt);
    InjectMouseMove(pt);
    InjectClick(pt, options.eButton);
    if (options.bDouble)
        InjectClick(pt, options.eButton);
    PumpUntilIdle();
}

bool CScriptRunner::Drag(const SScriptLine& line, std::string& strMessage)
{
    const std::vector<std::string>& args = line.args;
    const std::optional<POINT> ptFrom = args.size() >= 4 ? ParsePoint(args[0], args[1]) : std::nullopt;
    const std::optional<POINT> ptTo = args.size() >= 4 ? ParsePoint(args[2], args[3]) : std::nullopt;
    if (!ptFrom || !ptTo || args.size() > 5)
    {
        strMessage = "needs X1 Y1 X2 Y2 and an optional button";
        return false;
    }
    EMouseButton eButton = EMouseButton::Left;
    if (args.size() == 5)
    {
        const std::optional<EMouseButton> eNamed = ParseButton(args[4]);
        if (!eNamed)
        {
            strMessage = "unknown button '" + args[4] + "'";
            return false;
        }
        eButton = *eNamed;
    }
    InjectMouseMove(*ptFrom);
    InjectDrag(*ptFrom, *ptTo, 8, eButton);
    return true;
}

bool CScriptRunner::Key(const SScriptLine& line, std::string& strMessage)
{
    const std::optional<SKeyChord> chord = line.args.size() == 1 ? ParseKeyChord(line.args[0]) : std::nullopt;
    if (!chord)
    {
        strMessage = "needs one key name such as Enter, Tab, F4, a or ctrl+shift+Tab";
        return false;
    }
    CHeldModifiers modifiers(chord->bShift, chord->bControl, chord->bAlt);
    InjectKeyPress(chord->nVirtualKey);
    PumpUntilIdle();
    return true;
}

bool CScriptRunner::Answer(const SScriptLine& line, std::string& strMessage)
{
    const std::vector<std::string>& args = line.args;
    if (args.size() < 2)
    {
        strMessage = "needs a kind (messagebox, file, menu, dialog) and a value";
        return false;
    }
    const std::string& strKind = args[0];
    const std::string& strValue = args[1];
    if (strKind == "messagebox")
    {
        const std::optional<int> nAnswer = ParseMessageBoxAnswer(strValue);
        if (!nAnswer)
        {
            strMessage = "a message box answer is ok, cancel, yes, no, abort, retry, ignore or a number";
            return false;
        }
        m_responder.QueueMessageBoxAnswer(*nAnswer);
        return true;
    }
    if (strKind == "file")
    {
        if (strValue == "cancel" && args.size() == 2)
            m_responder.QueueFileCancel();
        else
        {
            std::vector<std::wstring> paths;
            for (size_t i = 1; i < args.size(); ++i)
                paths.push_back(Utf8ToWide(args[i]));
            m_responder.QueueFileAnswer(paths);
        }
        return true;
    }
    if (strKind == "menu")
    {
        const std::optional<long> nCommand = ParseInteger(strValue);
        if (!nCommand || *nCommand < 0 || *nCommand > 0xFFFF)
        {
            strMessage = "a menu answer is a command number (0 dismisses the menu)";
            return false;
        }
        m_responder.QueueMenuChoice(static_cast<UINT>(*nCommand));
        return true;
    }
    if (strKind == "dialog")
    {
        std::optional<long> nResult = strValue == "ok"       ? IDOK
                                      : strValue == "cancel" ? IDCANCEL
                                                             : ParseInteger(strValue);
        if (!nResult)
        {
            strMessage = "a dialog answer is ok, cancel or a result number";
            return false;
        }
        const INT_PTR nEnd = *nResult;
        m_responder.QueueDialogAction([nEnd](HWND hDialog) { EndDialog(hDialog, nEnd); });
        return true;
    }
    strMessage = "unknown kind '" + strKind + "' (messagebox, file, menu, dialog)";
    return false;
}

bool CScriptRunner::ExpectState(const SScriptLine& line, std::string& strMessage)
{
    if (line.args.size() < 2)
    {
        strMessage = "needs a path and a value";
        return false;
    }
    // The value is the rest of the line, so texts and lists may hold blanks.
    const std::string& strPath = line.args[0];
    std::string strValue = line.args[1];
    for (size_t i = 2; i < line.args.size(); ++i)
        strValue += " " + line.args[i];
    const nlohmann::json state = m_host.DumpState();
    const nlohmann::json expected = ParseExpectedValue(strValue);
    const nlohmann::json* pFound = FindJsonValue(state, strPath);
    if (pFound == nullptr)
    {
        strMessage = "the state has no value at " + strPath;
        return false;
    }
    if (*pFound != expected)
    {
        strMessage = strPath + " is " + pFound->dump() + ", expected " + expected.dump();
        return false;
    }
    return true;
}

bool CScriptRunner::ExpectWindow(const SScriptLine& line, std::string& strMessage)
{
    const std::vector<long> path = LeadingIdentifiers(line.args);
    const size_t nWords = path.size();
    if (path.empty() || line.args.size() < nWords + 2)
    {
        strMessage = "needs control identifiers, a field (class, rect, visible, enabled, text) and a value";
        return false;
    }
    const HWND hWindow = FindWindowByPath(m_host.FrameWindow(), path, strMessage);
    if (hWindow == nullptr)
        return false;
    const nlohmann::json window = DumpWindowTree(hWindow);
    const std::string& strField = line.args[nWords];
    std::string strValue = line.args[nWords + 1];
    for (size_t i = nWords + 2; i < line.args.size(); ++i)
        strValue += " " + line.args[i];
    const nlohmann::json* pFound = FindJsonValue(window, strField);
    if (pFound == nullptr || strField == "children")
    {
        strMessage = "a window has no field " + strField;
        return false;
    }
    const nlohmann::json expected = ParseExpectedValue(strValue);
    if (*pFound != expected)
    {
        strMessage = "window " + PathText(path) + " " + strField + " is " + pFound->dump() + ", expected " +
                     expected.dump();
        return false;
    }
    return true;
}

bool CScriptRunner::ExpectColour(const SScriptLine& line, std::string& strMessage)
{
    const std::optional<POINT> pt =
        line.args.size() == 3 ? ParsePoint(line.args[0], line.args[1]) : std::nullopt;
    const std::optional<COLORREF> clrExpected =
        line.args.size() == 3 ? ParseHexColour(line.args[2]) : std::nullopt;
    if (!pt || !clrExpected)
    {
        strMessage = "needs X Y and a colour #RRGGBB";
        return false;
    }
    return ExpectScreenPixel(*pt, *clrExpected, "the screen at " + line.args[0] + " " + line.args[1],
                             strMessage);
}

bool CScriptRunner::ExpectCanvas(const SScriptLine& line, std::string& strMessage)
{
    const std::optional<POINT> pt =
        line.args.size() == 3 ? ParsePoint(line.args[0], line.args[1]) : std::nullopt;
    const std::optional<COLORREF> clrExpected =
        line.args.size() == 3 ? ParseHexColour(line.args[2]) : std::nullopt;
    if (!pt || !clrExpected)
    {
        strMessage = "needs X Y in the canvas and a colour #RRGGBB";
        return false;
    }
    const HWND hCanvas = GetDlgItem(m_host.FrameWindow(), CHostFrame::kCanvasId);
    if (hCanvas == nullptr)
    {
        strMessage = "the frame has no canvas";
        return false;
    }
    RECT rcClient{};
    GetClientRect(hCanvas, &rcClient);
    if (!PtInRect(&rcClient, *pt))
    {
        strMessage = "the point is outside the canvas (" + std::to_string(rcClient.right) + " x " +
                     std::to_string(rcClient.bottom) + ")";
        return false;
    }
    POINT ptScreen = *pt;
    ClientToScreen(hCanvas, &ptScreen);
    return ExpectScreenPixel(ptScreen, *clrExpected, "the canvas at " + line.args[0] + " " + line.args[1],
                             strMessage);
}

bool CScriptRunner::ExpectScreenPixel(POINT ptScreen, COLORREF clrExpected, const std::string& strWhere,
                                      std::string& strMessage)
{
    // What a person would see there: the screen with every window on it.
    PumpUntilIdle();
    HDC hScreen = GetDC(nullptr);
    const COLORREF clrSeen = GetPixel(hScreen, ptScreen.x, ptScreen.y);
    ReleaseDC(nullptr, hScreen);
    if (clrSeen == CLR_INVALID)
    {
        strMessage = "the point is not on the screen";
        return false;
    }
    if (clrSeen != clrExpected)
    {
        strMessage = strWhere + " is " + ColourText(clrSeen) + ", expected " + ColourText(clrExpected);
        return false;
    }
    return true;
}
