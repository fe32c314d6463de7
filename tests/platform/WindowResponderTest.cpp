// Things that ask a person, answered headless: message boxes, file dialogs
// and pop-up menus; and the menu records behind the pop-ups.
#include "FileDialog.h"
#include "Files.h"
#include "Input.h"
#include "Menu.h"
#include "Responder.h"
#include "WinThread.h"
#include "WindowTestSupport.h"

#include <cstdio>
#include <filesystem>

namespace
{

using CAsking = CWindowTest;

TEST_F(CAsking, MessageBoxesWithoutAResponderAnswerTheirDefaultAndSaySo)
{
    SLogCapture capture;
    EXPECT_EQ(MessageBoxW(nullptr, L"Delete the gradient?", L"Gradients", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(MessageBoxW(nullptr, L"Retry?", L"", MB_RETRYCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(MessageBoxW(nullptr, L"Odd", L"", MB_YESNO | MB_DEFBUTTON3), IDYES); // no third button
    EXPECT_EQ(MessageBoxW(nullptr, L"Saved.", nullptr, MB_OK), IDOK);
    ASSERT_EQ(CapturedLog().size(), 4u);
    EXPECT_NE(CapturedLog().front().find(L"Delete the gradient?"), std::wstring::npos);
}

TEST_F(CAsking, TheResponderAnswersAndRecordsMessageBoxes)
{
    SLogCapture capture;
    CResponder responder;
    responder.QueueMessageBoxAnswer(IDNO);
    responder.QueueMessageBoxAnswer(IDRETRY); // not a button of a yes/no box
    EXPECT_EQ(MessageBoxW(nullptr, L"Save changes?", L"Gradient", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, L"Overwrite?", L"Gradient", MB_YESNO | MB_DEFBUTTON2), IDNO);
    responder.SetMessageBoxHandler(
        [](const SQuestion& question)
        { return question.strText.find(L"sure") != std::wstring::npos ? IDCANCEL : IDOK; });
    EXPECT_EQ(MessageBoxW(nullptr, L"Are you sure?", L"", MB_OKCANCEL), IDCANCEL);

    const auto& questions = responder.Questions();
    ASSERT_EQ(questions.size(), 3u);
    EXPECT_EQ(questions[0].strText, L"Save changes?");
    EXPECT_EQ(questions[0].strCaption, L"Gradient");
    EXPECT_EQ(questions[0].nStyle, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(questions[0].nAnswer, IDNO);
    EXPECT_FALSE(questions[0].bAnsweredByDefault);
    EXPECT_TRUE(questions[1].bAnsweredByDefault);
    EXPECT_EQ(CapturedLog().size(), 1u); // the refused answer
}

TEST_F(CAsking, AfxMessageBoxIsCaptionedWithTheApplicationName)
{
    CWinApp app(L"Materials");
    CResponder responder;
    AfxMessageBox(L"Hello", MB_ICONINFORMATION);
    ASSERT_EQ(responder.Questions().size(), 1u);
    EXPECT_EQ(responder.Questions().front().strCaption, L"Materials");
    EXPECT_EQ(responder.Questions().front().nStyle, static_cast<UINT>(MB_ICONINFORMATION));
}

TEST_F(CAsking, AnOpenFileDialogFillsTheBufferLikeWindows)
{
    CResponder responder;
    responder.QueueFileAnswer(L"C:\\Gradients\\Sunset.grd");
    wchar_t szFile[MAX_PATH] = L"*.grd";
    wchar_t szTitle[64];
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.lpstrFilter = L"Gradients\0*.grd\0All files\0*.*\0";
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrFileTitle = szTitle;
    ofn.nMaxFileTitle = 64;
    ofn.lpstrTitle = L"Import";
    ofn.lpstrDefExt = L"grd";
    ASSERT_TRUE(GetOpenFileNameW(&ofn));
    EXPECT_STREQ(szFile, L"C:\\Gradients\\Sunset.grd");
    EXPECT_EQ(ofn.nFileOffset, 13);
    EXPECT_EQ(ofn.nFileExtension, 20);
    EXPECT_STREQ(szTitle, L"Sunset.grd");
    const SQuestion& question = responder.Questions().front();
    EXPECT_EQ(question.eKind, EQuestion::OpenFile);
    EXPECT_EQ(question.strCaption, L"Import");
    EXPECT_EQ(question.strFilter, L"Gradients|*.grd|All files|*.*");
    EXPECT_EQ(question.strText, L"*.grd");
}

TEST_F(CAsking, FileDialogsAddTheDefaultExtensionAndRefuseWhatTheRealOneWould)
{
    SLogCapture capture;
    CResponder responder;
    responder.QueueFileAnswer(L"/tmp/export");
    responder.QueueFileAnswer(L"/no/such/folder/x.grd");
    responder.QueueFileAnswer(L"/tmp/a-rather-long-name.grd");
    responder.QueueFileCancel();
    wchar_t szFile[MAX_PATH] = L"";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = L"grd";
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    ASSERT_TRUE(GetSaveFileNameW(&ofn));
    EXPECT_STREQ(szFile, L"/tmp/export.grd");
    EXPECT_FALSE(GetSaveFileNameW(&ofn)); // the folder does not exist
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    ofn.nMaxFile = 8;
    EXPECT_FALSE(GetSaveFileNameW(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
    EXPECT_GE(szFile[0], 27); // the size needed
    ofn.nMaxFile = MAX_PATH;
    EXPECT_FALSE(GetSaveFileNameW(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(responder.Questions().back().nAnswer, IDCANCEL);
}

TEST_F(CAsking, CFileDialogWalksAMultipleSelection)
{
    CResponder responder;
    responder.QueueFileAnswer(std::vector<std::wstring>{L"/data/a.grd", L"/data/b.grd"});
    responder.QueueFileAnswer(L"/data/single.QvpGradient");
    CFileDialog open(TRUE, L"grd", nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY,
                     L"Gradients (*.grd)|*.grd||");
    ASSERT_EQ(open.DoModal(), IDOK);
    POSITION pos = open.GetStartPosition();
    std::vector<std::wstring> chosen;
    while (pos != nullptr)
        chosen.emplace_back(open.GetNextPathName(pos).GetString());
    EXPECT_EQ(chosen, (std::vector<std::wstring>{L"/data/a.grd", L"/data/b.grd"}));
    EXPECT_EQ(responder.Questions().front().strFilter, L"Gradients (*.grd)|*.grd");

    CFileDialog save(FALSE, L"grd");
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), L"/data/single.QvpGradient");
    EXPECT_EQ(save.GetFileName(), L"single.QvpGradient");
    EXPECT_EQ(save.GetFileExt(), L"QvpGradient");
    EXPECT_EQ(save.GetFileTitle(), L"single");
    EXPECT_EQ(save.GetFolderPath(), L"/data");
    EXPECT_EQ(save.DoModal(), IDCANCEL); // nothing more queued
}

TEST_F(CAsking, FilesThatMustExistAreChecked)
{
    SLogCapture capture;
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "responder-test-exists.grd";
    std::FILE* pFile = std::fopen(file.c_str(), "w");
    ASSERT_NE(pFile, nullptr);
    std::fclose(pFile);
    CResponder responder;
    responder.QueueFileAnswer(file.wstring());
    responder.QueueFileAnswer(file.wstring() + L".missing");
    CFileDialog open(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST);
    EXPECT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(open.DoModal(), IDCANCEL);
    std::filesystem::remove(file);
}

class CMenus : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        m_hWnd = CreateTopLevel({0, 0, 100, 100});
        PumpMessages();
        RecordedMessages().clear();
        m_menu.CreatePopupMenu();
        m_menu.AppendMenu(MF_STRING, 10, L"Rename");
        m_menu.AppendMenu(MF_STRING | MF_GRAYED, 11, L"Delete");
        m_menu.AppendMenu(MF_SEPARATOR);
        CMenu sub;
        sub.CreatePopupMenu();
        sub.AppendMenu(MF_STRING, 20, L"Colour");
        sub.AppendMenu(MF_STRING | MF_CHECKED, 21, L"Gradient");
        m_menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), L"Style");
    }
    HWND m_hWnd = nullptr;
    CMenu m_menu;
};

TEST_F(CMenus, AChosenCommandIsReturnedOrPosted)
{
    CResponder responder;
    responder.QueueMenuChoice(10);
    responder.QueueMenuChoice(20);
    EXPECT_EQ(m_menu.TrackPopupMenu(TPM_RETURNCMD, 5, 5, CWnd::FromHandle(m_hWnd)), 10);
    EXPECT_TRUE(m_menu.TrackPopupMenu(TPM_LEFTALIGN, 5, 5, CWnd::FromHandle(m_hWnd)));
    EXPECT_TRUE(MessagesTo(m_hWnd, WM_COMMAND).empty());
    PumpMessages();
    ASSERT_EQ(MessagesTo(m_hWnd, WM_COMMAND).size(), 1u);
    EXPECT_EQ(MessagesTo(m_hWnd, WM_COMMAND).front().wParam, 20u);
    // The owner heard of the menu and of the submenu that was opened.
    const auto inits = MessagesTo(m_hWnd, WM_INITMENUPOPUP);
    ASSERT_EQ(inits.size(), 3u);
    EXPECT_EQ(inits[0].wParam, reinterpret_cast<WPARAM>(m_menu.m_hMenu));
    EXPECT_EQ(inits[2].wParam, reinterpret_cast<WPARAM>(m_menu.GetSubMenu(3)->m_hMenu));
    EXPECT_EQ(LOWORD(static_cast<ULONG_PTR>(inits[2].lParam)), 3);
    const std::wstring& strItems = responder.Questions().front().strText;
    EXPECT_NE(strItems.find(L"Delete [11] (disabled)"), std::wstring::npos);
    EXPECT_NE(strItems.find(L"  Gradient [21] (checked)"), std::wstring::npos);
}

TEST_F(CMenus, DisabledUnknownAndMissingChoicesDismissTheMenu)
{
    SLogCapture capture;
    {
        CResponder responder;
        responder.QueueMenuChoice(11); // greyed
        responder.QueueMenuChoice(99); // not in the menu
        EXPECT_EQ(TrackPopupMenu(m_menu, TPM_RETURNCMD, 0, 0, 0, m_hWnd, nullptr), 0);
        EXPECT_EQ(TrackPopupMenu(m_menu, TPM_RETURNCMD, 0, 0, 0, m_hWnd, nullptr), 0);
        EXPECT_EQ(TrackPopupMenu(m_menu, TPM_RETURNCMD, 0, 0, 0, m_hWnd, nullptr), 0);
    }
    EXPECT_EQ(TrackPopupMenu(m_menu, TPM_RETURNCMD, 0, 0, 0, m_hWnd, nullptr), 0); // no responder
    EXPECT_EQ(CapturedLog().size(), 4u);
}

TEST_F(CMenus, AnOwnerMayDisableItemsWhenTheMenuOpens)
{
    Reactions()[m_hWnd] = [](HWND, UINT nMessage, WPARAM wParam, LPARAM, LRESULT&)
    {
        if (nMessage == WM_INITMENUPOPUP)
            EnableMenuItem(reinterpret_cast<HMENU>(wParam), 10, MF_BYCOMMAND | MF_GRAYED);
        return false;
    };
    SLogCapture capture;
    CResponder responder;
    responder.QueueMenuChoice(10);
    EXPECT_EQ(m_menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, 0, 0, CWnd::FromHandle(m_hWnd)), 0);
    EXPECT_EQ(responder.Questions().front().nAnswer, 10);
}

TEST_F(CMenus, ItemStatesAndEditing)
{
    EXPECT_EQ(m_menu.GetMenuItemCount(), 4u);
    EXPECT_EQ(m_menu.GetMenuItemID(0), 10u);
    EXPECT_EQ(m_menu.GetMenuItemID(3), static_cast<UINT>(-1)); // a submenu
    EXPECT_EQ(m_menu.GetMenuState(3, MF_BYPOSITION) >> 8, 2u); // with two items
    // By command the search goes into submenus.
    EXPECT_EQ(m_menu.CheckMenuItem(21, MF_BYCOMMAND | MF_UNCHECKED), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(m_menu.CheckMenuItem(21, MF_BYCOMMAND | MF_CHECKED), static_cast<UINT>(MF_UNCHECKED));
    EXPECT_EQ(m_menu.CheckMenuItem(77, MF_BYCOMMAND | MF_CHECKED), static_cast<UINT>(-1));
    EXPECT_EQ(m_menu.EnableMenuItem(11, MF_BYCOMMAND | MF_ENABLED), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(m_menu.GetMenuState(11, MF_BYCOMMAND) & MF_GRAYED, 0u);
    CString strText;
    m_menu.GetMenuString(20, strText, MF_BYCOMMAND);
    EXPECT_EQ(strText, L"Colour");
    m_menu.InsertMenu(11, MF_BYCOMMAND | MF_STRING, 12, L"Copy");
    EXPECT_EQ(m_menu.GetMenuItemID(1), 12u);
    m_menu.InsertMenu(100, MF_BYPOSITION | MF_STRING, 13, L"Last");
    EXPECT_EQ(m_menu.GetMenuItemID(5), 13u);
    const HMENU hSub = ::GetSubMenu(m_menu, 4);
    m_menu.DeleteMenu(4, MF_BYPOSITION);
    EXPECT_FALSE(IsMenu(hSub)); // deleting destroys the submenu
    m_menu.CheckMenuRadioItem(10, 13, 12, MF_BYCOMMAND);
    EXPECT_NE(m_menu.GetMenuState(12, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(m_menu.GetMenuState(10, MF_BYCOMMAND) & MF_CHECKED, 0u);
    const HMENU hMenu = m_menu.m_hMenu;
    m_menu.DestroyMenu();
    EXPECT_FALSE(IsMenu(hMenu));
    EXPECT_EQ(CMenu::FromHandle(hMenu), nullptr);
}

// The application loop and its idle work.
class CIdleWnd : public CWnd
{
public:
    int m_nUpdates = 0;

protected:
    afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM)
    {
        ++m_nUpdates;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleWnd, CWnd)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

// Closes itself when a key is pressed.
class CClosingWnd : public CWnd
{
protected:
    afx_msg void OnKeyDown(UINT, UINT, UINT) { PostMessage(WM_CLOSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CClosingWnd, CWnd)
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

class CTestApp : public CWinApp
{
public:
    CTestApp() : CWinApp(L"Test") {}
    int m_nKeysSeen = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            ++m_nKeysSeen;
        return CWinApp::PreTranslateMessage(pMsg);
    }
};

using CApplication = CWindowTest;

TEST_F(CApplication, IdleWorkUpdatesTheMainWindowAndItsPanes)
{
    CTestApp app;
    CIdleWnd mainWnd;
    ASSERT_TRUE(
        mainWnd.CreateEx(0, nullptr, L"main", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    CIdleWnd pane;
    ASSERT_TRUE(pane.CreateEx(0, nullptr, L"pane", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &mainWnd, 1));
    app.m_pMainWnd = &mainWnd;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(AfxGetMainWnd(), &mainWnd);
    PumpUntilIdle();
    EXPECT_EQ(mainWnd.m_nUpdates, 1);
    EXPECT_EQ(pane.m_nUpdates, 1);
    // PumpMessages alone does no idle work.
    PumpMessages();
    EXPECT_EQ(pane.m_nUpdates, 1);
}

TEST_F(CApplication, WithoutAnApplicationIdleWorkStillUpdatesTopLevelWindows)
{
    CIdleWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 30, 30), nullptr, 0));
    PumpUntilIdle();
    EXPECT_EQ(wnd.m_nUpdates, 1);
}

TEST_F(CApplication, TheLoopEndsWhenTheMainWindowIsDestroyed)
{
    CTestApp app;
    CClosingWnd mainWnd;
    ASSERT_TRUE(
        mainWnd.CreateEx(0, nullptr, L"main", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    app.m_pMainWnd = &mainWnd;
    mainWnd.SetFocus();
    InjectKeyPress('K');
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.m_nKeysSeen, 1);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_FALSE(IsQuitPending());
}

} // namespace
