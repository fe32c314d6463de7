// The class library's thread and application objects: the message loop with
// PreTranslateMessage and idle processing (command-UI updates), and the
// application's main window.
#pragma once

#include "CString.h"
#include "CmdTarget.h"
#include "WinUser.h"

class CWnd;

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    BOOL m_bAutoDelete = FALSE;
    MSG m_msgCur{};

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The main loop: messages, and idle work whenever the queue empties.
    // Ends at WM_QUIT (headless: also when nothing can arrive any more).
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    // Idle work in rounds counted by lCount; TRUE asks for another round.
    // Round 0 sends WM_IDLEUPDATECMDUI to the main window and its
    // descendants that have objects.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd();
};

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCWSTR m_pszAppName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPWSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    BOOL OnIdle(LONG lCount) override;
    // Shows a message box for AfxMessageBox, captioned with the
    // application's name.
    virtual int DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT nIDPrompt);

private:
    CString m_strAppName;
};

CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
// The application's main window (or its active in-place window); null
// without an application.
CWnd* AfxGetMainWnd();

// One step of the class library's loop: takes one message, offers it to
// PreTranslateMessage, translates and dispatches it. FALSE at WM_QUIT.
BOOL AfxPumpMessage();
BOOL AfxPreTranslateMessage(MSG* pMsg);
// Whether a message ends an idle period (mouse moves that do not move and
// paints do not).
BOOL AfxIsIdleMessage(MSG* pMsg);
// Called by CWnd when its window is destroyed: the main window going away
// ends the application's loop.
void AfxOnWindowGone(CWnd* pWnd);
