#include "ScriptRunner.h"

#include "CommonDialogs.h"
#include "Gdi.h"
#include "Input.h"
#include "WindowTestSupport.h"

#include <sstream>

namespace
{

class CFakeHost : public IScriptHost
{
public:
    HWND hFrame = nullptr;
    nlohmann::json state = nlohmann::json::object();
    std::vector<std::string> screenshots;
    std::vector<std::string> hostCommands;

    HWND FrameWindow() override { return hFrame; }
    nlohmann::json DumpState() override { return state; }
    bool Screenshot(const std::string& strPath, std::string& strError) override
    {
        if (strPath.empty() || strPath.back() == '/')
        {
            strError = "not a file name";
            return false;
        }
        screenshots.push_back(strPath);
        return true;
    }
    bool RunHostCommand(const SScriptLine& line, bool& bOk, std::string& strError) override
    {
        if (line.strCommand != "layout")
            return false;
        hostCommands.push_back(line.args.empty() ? "" : line.args[0]);
        bOk = !line.args.empty();
        if (!bOk)
            strError = "needs a layout";
        return true;
    }
};

class ScriptRunnerTest : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        m_host.hFrame = CreateWindowExW(0, RecordingClass(), L"Frame", WS_POPUP | WS_VISIBLE, 100, 50, 400,
                                        300, nullptr, nullptr, nullptr, nullptr);
        m_hChild = CreateWindowExW(0, RecordingClass(), L"Child", WS_CHILD | WS_VISIBLE, 10, 20, 50, 40,
                                   m_host.hFrame, reinterpret_cast<HMENU>(15240), nullptr, nullptr);
        PumpMessages();
        RecordedMessages().clear();
    }

    bool Play(const std::string& strScript)
    {
        std::istringstream script(strScript);
        return m_runner.Run(script);
    }

    CFakeHost m_host;
    HWND m_hChild = nullptr;
    std::ostringstream m_out;
    CScriptRunner m_runner{m_host, m_out};
};

} // namespace

TEST_F(ScriptRunnerTest, ClicksLandAtScreenPointsWithTheirButtonAndModifiers)
{
    // The child's client area starts at (110, 70) on the screen.
    ASSERT_TRUE(Play("click 115 75\nclick 120 80 right ctrl\n")) << m_runner.Error();
    const auto downs = MessagesTo(m_hChild, WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(downs[0].lParam), 5);
    EXPECT_EQ(GET_Y_LPARAM(downs[0].lParam), 5);
    const auto rights = MessagesTo(m_hChild, WM_RBUTTONDOWN);
    ASSERT_EQ(rights.size(), 1u);
    EXPECT_NE(rights[0].wParam & MK_CONTROL, 0u);
    EXPECT_EQ(MessagesTo(m_hChild, WM_RBUTTONUP).size(), 1u);
    // The modifier is let go afterwards.
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
}

TEST_F(ScriptRunnerTest, KeysAndTextGoToTheFocusWindow)
{
    SetFocus(m_hChild);
    RecordedMessages().clear();
    ASSERT_TRUE(Play("key shift+Tab\ntype h\xC3\xA9 !\n")) << m_runner.Error();
    std::vector<WPARAM> keys;
    for (const SRecordedMessage& m : MessagesTo(m_hChild, WM_KEYDOWN))
        keys.push_back(m.wParam);
    EXPECT_EQ(keys, (std::vector<WPARAM>{VK_SHIFT, VK_TAB}));
    std::wstring strTyped;
    for (const SRecordedMessage& m : MessagesTo(m_hChild, WM_CHAR))
    {
        if (m.wParam >= L' ')
            strTyped += static_cast<wchar_t>(m.wParam);
    }
    EXPECT_EQ(strTyped, L"h\u00E9 !");
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

TEST_F(ScriptRunnerTest, WaitLetsTimersFireOnTheManualClock)
{
    SetTimer(m_hChild, 7, 100, nullptr);
    ASSERT_TRUE(Play("wait 99\n"));
    EXPECT_TRUE(MessagesTo(m_hChild, WM_TIMER).empty());
    ASSERT_TRUE(Play("wait 1\n"));
    EXPECT_EQ(MessagesTo(m_hChild, WM_TIMER).size(), 1u);
    ASSERT_TRUE(Play("wait 250\n"));
    EXPECT_EQ(MessagesTo(m_hChild, WM_TIMER).size(), 3u);
}

TEST_F(ScriptRunnerTest, PreparedAnswersReachTheNextQuestion)
{
    int nAnswer = 0;
    Reactions()[m_hChild] = [&](HWND hWnd, UINT nMessage, WPARAM, LPARAM, LRESULT&)
    {
        if (nMessage == WM_LBUTTONUP)
            nAnswer = MessageBoxW(hWnd, L"Delete the gradient?", L"Gradients", MB_YESNO);
        return false;
    };
    ASSERT_TRUE(Play("answer messagebox no\nclick 115 75\n")) << m_runner.Error();
    EXPECT_EQ(nAnswer, IDNO);
    // Nothing prepared: the default button.
    ASSERT_TRUE(Play("click 115 75\n"));
    EXPECT_EQ(nAnswer, IDYES);
    Reactions().erase(m_hChild);
}

TEST_F(ScriptRunnerTest, SizeResizesTheFrameAndDumpWindowsDescribesTheTree)
{
    ASSERT_TRUE(Play("size 300 200\ndump-windows\n")) << m_runner.Error();
    RECT rc{};
    GetWindowRect(m_host.hFrame, &rc);
    EXPECT_EQ(rc.right - rc.left, 300);
    EXPECT_EQ(rc.bottom - rc.top, 200);

    const nlohmann::json tree = nlohmann::json::parse(m_out.str());
    EXPECT_EQ(tree["class"], "TestRecording");
    EXPECT_EQ(tree["text"], "Frame");
    EXPECT_EQ(tree["rect"], nlohmann::json::parse("[100, 50, 400, 250]"));
    ASSERT_EQ(tree["children"].size(), 1u);
    const nlohmann::json& child = tree["children"][0];
    EXPECT_EQ(child["id"], 15240);
    EXPECT_EQ(child["rect"], nlohmann::json::parse("[110, 70, 160, 110]"));
    EXPECT_EQ(child["visible"], true);
    EXPECT_EQ(child["enabled"], true);
}

TEST_F(ScriptRunnerTest, ExpectStateComparesAndNamesTheFailingLine)
{
    m_host.state = nlohmann::json::parse(R"({"foreground": {"color": "#FF0000", "enabled": true}})");
    EXPECT_TRUE(Play("expect-state foreground.color #FF0000\nexpect-state /foreground/enabled true\n"))
        << m_runner.Error();
    EXPECT_FALSE(Play("# check\n\nexpect-state foreground.enabled false\n"));
    EXPECT_EQ(m_runner.Error(), "script line 3: expect-state: foreground.enabled is true, expected false");
    EXPECT_FALSE(Play("expect-state background.color #000000\n"));
    EXPECT_EQ(m_runner.Error(), "script line 1: expect-state: the state has no value at background.color");
}

TEST_F(ScriptRunnerTest, ExpectWindowChecksAFieldOfTheWindowWithAnIdentifier)
{
    EXPECT_TRUE(Play("expect-window 15240 visible true\nexpect-window 15240 text Child\n"
                     "expect-window 15240 rect [110, 70, 160, 110]\n"))
        << m_runner.Error();
    ShowWindow(m_hChild, SW_HIDE);
    EXPECT_FALSE(Play("expect-window 15240 visible true\n"));
    EXPECT_EQ(m_runner.Error(), "script line 1: expect-window: window 15240 visible is false, expected true");
    EXPECT_FALSE(Play("expect-window 15241 visible true\n"));
    EXPECT_EQ(m_runner.Error(), "script line 1: expect-window: no window has the identifier 15241");
    EXPECT_FALSE(Play("expect-window 15240 colour red\n"));
    EXPECT_FALSE(Play("expect-window x visible true\n"));
}

TEST_F(ScriptRunnerTest, ExpectColourReadsTheScreenAsAPersonSeesIt)
{
    // The child fills its client area (110, 70)-(160, 110) with red.
    HDC hdc = GetDC(m_hChild);
    const RECT rc{0, 0, 50, 40};
    HBRUSH hRed = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(hdc, &rc, hRed);
    DeleteObject(hRed);
    ReleaseDC(m_hChild, hdc);
    EXPECT_TRUE(Play("expect-colour 120 80 #FF0000\n")) << m_runner.Error();
    EXPECT_FALSE(Play("expect-colour 120 80 #00FF00\n"));
    EXPECT_EQ(m_runner.Error(),
              "script line 1: expect-colour: the screen at 120 80 is #FF0000, expected #00FF00");
    EXPECT_FALSE(Play("expect-colour 120 80 red\n"));
    EXPECT_FALSE(Play("expect-colour 120 80 #FF00001\n"));
    EXPECT_FALSE(Play("expect-colour -5 80 #FF0000\n"));
}

TEST_F(ScriptRunnerTest, BadLinesStopTheScriptWithAClearMessage)
{
    EXPECT_FALSE(Play("click 10\nclick 115 75\n"));
    EXPECT_EQ(m_runner.Error(), "script line 1: click: needs X and Y");
    // The script stopped: the second click never happened.
    EXPECT_TRUE(MessagesTo(m_hChild, WM_LBUTTONDOWN).empty());

    EXPECT_FALSE(Play("wait -5\n"));
    EXPECT_FALSE(Play("key hyper+x\n"));
    EXPECT_FALSE(Play("answer menu lots\n"));
    EXPECT_FALSE(Play("size 0 10\n"));
    EXPECT_FALSE(Play("drag 1 2 3 4 sideways\n"));
    EXPECT_FALSE(Play("frobnicate\n"));
    EXPECT_NE(m_runner.Error().find("unknown command"), std::string::npos);
}

TEST_F(ScriptRunnerTest, TheHostTakesItsOwnCommandsAndScreenshots)
{
    ASSERT_TRUE(Play("layout classic\nscreenshot out/pane.png\ndump-state\n")) << m_runner.Error();
    EXPECT_EQ(m_host.hostCommands, (std::vector<std::string>{"classic"}));
    EXPECT_EQ(m_host.screenshots, (std::vector<std::string>{"out/pane.png"}));
    EXPECT_EQ(m_out.str(), "{}\n");

    EXPECT_FALSE(Play("layout\n"));
    EXPECT_EQ(m_runner.Error(), "script line 1: layout: needs a layout");
    EXPECT_FALSE(Play("screenshot out/\n"));
    EXPECT_EQ(m_runner.Error(), "script line 1: screenshot: not a file name");
}

TEST_F(ScriptRunnerTest, ClickWindowFollowsIdentifiersAndClicksTheCentre)
{
    // Two windows hold a child with identifier 103; the path tells them
    // apart. Window 101's client area starts at (200, 70) on the screen.
    const HWND hFirstInner = CreateWindowExW(0, RecordingClass(), L"Inner", WS_CHILD | WS_VISIBLE, 0, 0, 10,
                                             10, m_hChild, reinterpret_cast<HMENU>(103), nullptr, nullptr);
    const HWND hOther = CreateWindowExW(0, RecordingClass(), L"Other", WS_CHILD | WS_VISIBLE, 100, 20, 60, 40,
                                        m_host.hFrame, reinterpret_cast<HMENU>(101), nullptr, nullptr);
    const HWND hInner = CreateWindowExW(0, RecordingClass(), L"Inner", WS_CHILD | WS_VISIBLE, 5, 5, 20, 10,
                                        hOther, reinterpret_cast<HMENU>(103), nullptr, nullptr);
    PumpMessages();
    RecordedMessages().clear();

    ASSERT_TRUE(Play("click-window 15240\nclick-window 101 103 right shift\n")) << m_runner.Error();
    // 15240 is 50 x 40: its centre is (25, 20). Under it lies its inner
    // window's corner only, so the click is the outer window's.
    const auto downs = MessagesTo(m_hChild, WM_LBUTTONDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(downs[0].lParam), 25);
    EXPECT_EQ(GET_Y_LPARAM(downs[0].lParam), 20);
    // The inner window of 101 is 20 x 10: (10, 5), with Shift held.
    EXPECT_TRUE(MessagesTo(hFirstInner, WM_RBUTTONDOWN).empty());
    const auto rights = MessagesTo(hInner, WM_RBUTTONDOWN);
    ASSERT_EQ(rights.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(rights[0].lParam), 10);
    EXPECT_EQ(GET_Y_LPARAM(rights[0].lParam), 5);
    EXPECT_NE(rights[0].wParam & MK_SHIFT, 0u);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);

    // "at" picks a point of the client area; negative counts from the far
    // edge: -1 -1 in the 50 x 40 window is (49, 39).
    RecordedMessages().clear();
    ASSERT_TRUE(Play("click-window 15240 at 30 25\nclick-window 15240 at -1 -1\n")) << m_runner.Error();
    const auto points = MessagesTo(m_hChild, WM_LBUTTONDOWN);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(GET_X_LPARAM(points[0].lParam), 30);
    EXPECT_EQ(GET_Y_LPARAM(points[0].lParam), 25);
    EXPECT_EQ(GET_X_LPARAM(points[1].lParam), 49);
    EXPECT_EQ(GET_Y_LPARAM(points[1].lParam), 39);
    EXPECT_FALSE(Play("click-window 15240 at 50 0\n"));
    EXPECT_EQ(m_runner.Error(), "script line 1: click-window: the point lies outside window 15240");
    EXPECT_FALSE(Play("click-window 15240 at 3\n"));

    // expect-window takes the same paths.
    EXPECT_TRUE(Play("expect-window 101 103 rect [205, 75, 225, 85]\n"
                     "expect-window 15240 103 rect [110, 70, 120, 80]\n"))
        << m_runner.Error();
}

TEST_F(ScriptRunnerTest, ClickWindowRefusesWindowsItCannotClick)
{
    EXPECT_FALSE(Play("click-window 15240 999\n"));
    EXPECT_EQ(m_runner.Error(), "script line 1: click-window: no window 15240 999");
    EXPECT_FALSE(Play("click-window 42\n"));
    EXPECT_EQ(m_runner.Error(), "script line 1: click-window: no window has the identifier 42");
    EXPECT_FALSE(Play("click-window left\n"));
    EXPECT_FALSE(Play("click-window 15240 sideways\n"));

    // A window on top of the child's centre takes the click away.
    const HWND hCover = CreateWindowExW(0, RecordingClass(), L"Cover", WS_POPUP | WS_VISIBLE, 120, 80, 30, 20,
                                        nullptr, nullptr, nullptr, nullptr);
    PumpMessages();
    EXPECT_FALSE(Play("click-window 15240\n"));
    EXPECT_EQ(m_runner.Error(),
              "script line 1: click-window: the centre of window 15240 is covered by another window");
    DestroyWindow(hCover);

    ShowWindow(m_hChild, SW_HIDE);
    EXPECT_FALSE(Play("click-window 15240\n"));
    EXPECT_EQ(m_runner.Error(), "script line 1: click-window: window 15240 is hidden");
    EXPECT_TRUE(MessagesTo(m_hChild, WM_LBUTTONDOWN).empty());
}

TEST_F(ScriptRunnerTest, ExpectCanvasReadsTheCanvasInItsOwnCoordinates)
{
    // The canvas (identifier 1) lies at (50, 150) in the frame, (150, 200)
    // on the screen; its right half is green.
    const HWND hCanvas = CreateWindowExW(0, RecordingClass(), L"Canvas", WS_CHILD | WS_VISIBLE, 50, 150, 40,
                                         20, m_host.hFrame, reinterpret_cast<HMENU>(1), nullptr, nullptr);
    PumpMessages();
    HDC hdc = GetDC(hCanvas);
    const RECT rcLeft{0, 0, 20, 20};
    const RECT rcRight{20, 0, 40, 20};
    HBRUSH hRed = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH hGreen = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(hdc, &rcLeft, hRed);
    FillRect(hdc, &rcRight, hGreen);
    DeleteObject(hRed);
    DeleteObject(hGreen);
    ReleaseDC(hCanvas, hdc);

    EXPECT_TRUE(
        Play("expect-canvas 0 0 #FF0000\nexpect-canvas 39 19 #00FF00\nexpect-colour 170 200 #00FF00\n"))
        << m_runner.Error();
    EXPECT_FALSE(Play("expect-canvas 19 5 #00FF00\n"));
    EXPECT_EQ(m_runner.Error(),
              "script line 1: expect-canvas: the canvas at 19 5 is #FF0000, expected #00FF00");
    EXPECT_FALSE(Play("expect-canvas 40 5 #00FF00\n"));
    EXPECT_EQ(m_runner.Error(), "script line 1: expect-canvas: the point is outside the canvas (40 x 20)");
    EXPECT_FALSE(Play("expect-canvas 1 1\n"));

    DestroyWindow(hCanvas);
    EXPECT_FALSE(Play("expect-canvas 1 1 #FF0000\n"));
    EXPECT_EQ(m_runner.Error(), "script line 1: expect-canvas: the frame has no canvas");
}
