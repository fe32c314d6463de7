// Plays a headless script: one command a line, input injected into the
// platform, the loop pumped until idle after each, checks against the host's
// state. The first failing line stops the script with a message naming it.
#pragma once

#include "Input.h"
#include "Responder.h"
#include "ScriptCommand.h"

#include <iosfwd>
#include <string>

// What a script needs from the program it drives.
class IScriptHost
{
public:
    virtual ~IScriptHost() = default;
    // The frame window: `size` resizes it, `dump-windows` starts from it.
    virtual HWND FrameWindow() = 0;
    // The host's state as `dump-state` prints it and `expect-state` reads it.
    virtual nlohmann::json DumpState() = 0;
    // Writes a PNG of the frame window as a person would see it.
    virtual bool Screenshot(const std::string& strPath, std::string& strError) = 0;
    // Commands of the host beyond the common ones. Returns false when the
    // command is not the host's; otherwise bOk tells whether it worked and
    // strError why not.
    virtual bool RunHostCommand(const SScriptLine& line, bool& bOk, std::string& strError) = 0;
};

class CScriptRunner
{
public:
    // Dumps go to out.
    CScriptRunner(IScriptHost& host, std::ostream& out);

    // Runs every line; false at the first failure, with Error() saying which
    // line and why.
    bool Run(std::istream& script);
    bool RunLine(const SScriptLine& line);
    const std::string& Error() const { return m_strError; }

private:
    bool Fail(const SScriptLine& line, const std::string& strMessage);
    bool RunCommand(const SScriptLine& line, std::string& strMessage);
    struct SClickOptions
    {
        EMouseButton eButton = EMouseButton::Left;
        bool bShift = false;
        bool bControl = false;
        bool bAlt = false;
        bool bDouble = false;
    };
    // Reads the words after a click's place: a button, "double" and
    // modifiers.
    static bool ParseClickWords(const std::vector<std::string>& args, size_t nFirst, SClickOptions& options,
                                std::string& strMessage);
    static void ClickAt(POINT ptScreen, const SClickOptions& options);
    bool Click(const SScriptLine& line, std::string& strMessage);
    // Clicks the centre of a window named by control identifiers from the
    // frame down.
    bool ClickWindow(const SScriptLine& line, std::string& strMessage);
    bool Drag(const SScriptLine& line, std::string& strMessage);
    bool Key(const SScriptLine& line, std::string& strMessage);
    bool Answer(const SScriptLine& line, std::string& strMessage);
    bool ExpectState(const SScriptLine& line, std::string& strMessage);
    bool ExpectWindow(const SScriptLine& line, std::string& strMessage);
    bool ExpectColour(const SScriptLine& line, std::string& strMessage);
    // A pixel of the canvas (the frame's child CHostFrame::kCanvasId) at client
    // coordinates, as the screen shows it.
    bool ExpectCanvas(const SScriptLine& line, std::string& strMessage);
    bool ExpectScreenPixel(POINT ptScreen, COLORREF clrExpected, const std::string& strWhere,
                           std::string& strMessage);

    IScriptHost& m_host;
    std::ostream& m_out;
    // Answers the message boxes, file dialogs, menus and modal dialogs that
    // `answer` lines prepare; questions nobody prepared get their defaults.
    CResponder m_responder;
    std::string m_strError;
};
