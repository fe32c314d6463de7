// What the platform asks a person, routed headless to the test responder
// (Responder.h): the modal loops running now, and the questions of message
// boxes, file dialogs and pop-up menus.
#pragma once

#include "WinUser.h"

#include <string>
#include <vector>

void PushModalWindow(HWND hWnd);
void PopModalWindow(HWND hWnd);
// The innermost modal window, or null.
HWND CurrentModalWindow();

struct SModalScope
{
    explicit SModalScope(HWND hWnd) : m_hWnd(hWnd) { PushModalWindow(hWnd); }
    ~SModalScope() { PopModalWindow(m_hWnd); }
    SModalScope(const SModalScope&) = delete;
    SModalScope& operator=(const SModalScope&) = delete;
    HWND m_hWnd;
};

// The answer to a message box (always one of the buttons the style offers).
int AskMessageBox(HWND hWnd, const std::wstring& strText, const std::wstring& strCaption, UINT uType);

struct SFileQuestion
{
    bool bSave = false;
    HWND hOwner = nullptr;
    std::wstring strTitle;
    std::wstring strFilter; // pairs separated by '|'
    std::wstring strInitialDirectory;
    std::wstring strInitialName;
    std::wstring strDefaultExtension;
    DWORD dwFlags = 0;
};
// The chosen paths (several when the question allows), or none to cancel.
std::vector<std::wstring> AskFileNames(const SFileQuestion& question);

// The command chosen from a pop-up menu, or 0 to dismiss it. The menu layer
// checks the answer against the menu.
UINT AskPopupMenu(HMENU hMenu, UINT uFlags, POINT pt, HWND hOwner, const std::wstring& strItems);
