// Resetting the UI thread between test cases.
#include "Headless.h"
#include "WindowManager.h"

void HeadlessReset()
{
    CWindowManager& manager = CWindowManager::Get();
    // Destroying a window may create or destroy others; go until none is left.
    for (int nRound = 0; nRound < 100 && !manager.Desktop().children.empty(); ++nRound)
    {
        for (HWND hTop : std::vector<HWND>(manager.Desktop().children))
        {
            if (manager.FindQuiet(hTop) != nullptr)
                DestroyWindow(hTop);
            else
                std::erase(manager.Desktop().children, hTop);
        }
    }
    manager.m_posted.clear();
    manager.m_rawInput.clear();
    manager.m_convertedInput.clear();
    manager.m_bQuitPosted = false;
    manager.m_nQuitCode = 0;
    manager.m_timers.clear();
    std::fill(std::begin(manager.m_keyState), std::end(manager.m_keyState), BYTE{0});
    manager.m_hFocus = nullptr;
    manager.m_hCapture = nullptr;
    manager.m_hActive = nullptr;
    manager.m_hCursor = nullptr;
    manager.m_nCursorShowCount = 0;
    manager.m_hLastMouseWindow = nullptr;
    manager.m_nLastHitCode = HTNOWHERE;
    manager.m_hTrackLeave = nullptr;
    manager.m_hTrackHover = nullptr;
    manager.m_hLastClickWindow = nullptr;
    manager.m_nLastClickButton = -1;
    manager.m_bLastClickWasDouble = false;
    manager.m_nDoubleClickTime = 500;
    manager.m_bRealTimeClock = false;
    manager.m_nManualClock = 10000;
    manager.m_nLastMessageTime = 0;
    manager.m_ptLastMessage = {};
    SetHeadlessScreen({1920, 1080}, {0, 0, 1920, 1040});
    manager.m_ptCursor = {manager.m_screenSize.cx / 2, manager.m_screenSize.cy / 2};
}
