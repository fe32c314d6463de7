// Creating and destroying windows: message order, handles of destroyed
// windows, owned windows, failed creation.
#include "WindowTestSupport.h"

namespace
{

using CWindowLifetime = CWindowTest;

std::vector<UINT> WithoutNoise(const std::vector<UINT>& messages)
{
    // Activation and focus traffic of top-level windows is tested elsewhere.
    std::vector<UINT> out;
    for (UINT n : messages)
    {
        if (n != WM_ACTIVATE && n != WM_NCACTIVATE && n != WM_SETFOCUS && n != WM_KILLFOCUS &&
            n != WM_WINDOWPOSCHANGING && n != WM_WINDOWPOSCHANGED)
            out.push_back(n);
    }
    return out;
}

TEST_F(CWindowLifetime, ChildCreationSendsMessagesInWindowsOrder)
{
    const HWND hParent = CreateTopLevel({0, 0, 200, 200}, WS_POPUP);
    RecordedMessages().clear();
    const HWND hChild = CreateChild(hParent, {10, 20, 60, 80}, 7);
    ASSERT_NE(hChild, nullptr);
    EXPECT_EQ(WithoutNoise(MessageNumbers(MessagesTo(hChild))),
              (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}));
    // WM_SIZE carries the client size, WM_MOVE the client origin in the parent.
    const SRecordedMessage size = MessagesTo(hChild, WM_SIZE).front();
    EXPECT_EQ(LOWORD(static_cast<ULONG_PTR>(size.lParam)), 50);
    EXPECT_EQ(HIWORD(static_cast<ULONG_PTR>(size.lParam)), 60);
    const SRecordedMessage move = MessagesTo(hChild, WM_MOVE).front();
    EXPECT_EQ(GET_X_LPARAM(move.lParam), 10);
    EXPECT_EQ(GET_Y_LPARAM(move.lParam), 20);
    EXPECT_EQ(GetDlgCtrlID(hChild), 7);
    EXPECT_EQ(GetDlgItem(hParent, 7), hChild);
}

TEST_F(CWindowLifetime, WindowIsInvisibleWhileItsCreateMessageRuns)
{
    static BOOL s_bVisibleDuringCreate = TRUE;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpszClassName = L"TestVisibilityDuringCreate";
    wc.lpfnWndProc = [](HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) -> LRESULT
    {
        if (nMessage == WM_CREATE)
            s_bVisibleDuringCreate = IsWindowVisible(hWnd);
        return RecordingWndProc(hWnd, nMessage, wParam, lParam);
    };
    static const ATOM s_nAtom = RegisterClassExW(&wc);
    ASSERT_NE(s_nAtom, 0);
    const HWND hParent = CreateTopLevel({0, 0, 100, 100});
    const HWND hChild =
        CreateChild(hParent, {0, 0, 10, 10}, 1, WS_CHILD | WS_VISIBLE, L"TestVisibilityDuringCreate");
    ASSERT_NE(hChild, nullptr);
    EXPECT_FALSE(s_bVisibleDuringCreate);
    EXPECT_TRUE(IsWindowVisible(hChild));
    ASSERT_EQ(MessagesTo(hChild, WM_SHOWWINDOW).size(), 1u);
    EXPECT_EQ(MessagesTo(hChild, WM_SHOWWINDOW).front().wParam, static_cast<WPARAM>(TRUE));
    EXPECT_LT(IndexOf(hChild, WM_CREATE), IndexOf(hChild, WM_SHOWWINDOW));
}

TEST_F(CWindowLifetime, DestroySendsDestroyParentFirstAndNcDestroyChildrenFirst)
{
    const HWND hParent = CreateTopLevel({0, 0, 300, 300});
    const HWND hFirst = CreateChild(hParent, {0, 0, 100, 100}, 1);
    const HWND hGrandchild = CreateChild(hFirst, {0, 0, 10, 10}, 3);
    const HWND hSecond = CreateChild(hParent, {100, 0, 200, 100}, 2);
    RecordedMessages().clear();

    ASSERT_TRUE(DestroyWindow(hParent));

    std::vector<std::pair<HWND, UINT>> order;
    for (const SRecordedMessage& m : RecordedMessages())
    {
        if (m.nMessage == WM_DESTROY || m.nMessage == WM_NCDESTROY)
            order.emplace_back(m.hWnd, m.nMessage);
    }
    const std::vector<std::pair<HWND, UINT>> expected{{hParent, WM_DESTROY},       {hFirst, WM_DESTROY},
                                                      {hGrandchild, WM_DESTROY},   {hSecond, WM_DESTROY},
                                                      {hGrandchild, WM_NCDESTROY}, {hFirst, WM_NCDESTROY},
                                                      {hSecond, WM_NCDESTROY},     {hParent, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    for (HWND h : {hParent, hFirst, hGrandchild, hSecond})
        EXPECT_FALSE(IsWindow(h));
}

TEST_F(CWindowLifetime, ChildrenStillExistDuringTheirParentsDestroyMessage)
{
    const HWND hParent = CreateTopLevel({0, 0, 300, 300});
    const HWND hChild = CreateChild(hParent, {0, 0, 100, 100}, 1);
    bool bChildAlive = false;
    LRESULT nChildAnswer = 0;
    Reactions()[hChild] = [](HWND, UINT nMessage, WPARAM, LPARAM, LRESULT& lResult)
    {
        if (nMessage != WM_USER)
            return false;
        lResult = 42;
        return true;
    };
    Reactions()[hParent] = [&](HWND, UINT nMessage, WPARAM, LPARAM, LRESULT&)
    {
        if (nMessage == WM_DESTROY)
        {
            bChildAlive = IsWindow(hChild) != FALSE;
            nChildAnswer = SendMessageW(hChild, WM_USER, 0, 0);
            // Destroying a child that is already on its way out is harmless.
            EXPECT_TRUE(DestroyWindow(hChild));
        }
        return false;
    };
    DestroyWindow(hParent);
    EXPECT_TRUE(bChildAlive);
    EXPECT_EQ(nChildAnswer, 42);
    EXPECT_EQ(MessagesTo(hChild, WM_NCDESTROY).size(), 1u);
}

TEST_F(CWindowLifetime, MessagesToADestroyedWindowAreHarmlessNoOps)
{
    const HWND hWnd = CreateTopLevel({0, 0, 100, 100});
    ASSERT_TRUE(PostMessageW(hWnd, WM_USER + 1, 0, 0));
    DestroyWindow(hWnd);
    RecordedMessages().clear();

    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(SendMessageW(hWnd, WM_USER, 1, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(PostMessageW(hWnd, WM_USER, 1, 2));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_FALSE(ShowWindow(hWnd, SW_SHOW));
    EXPECT_FALSE(DestroyWindow(hWnd));
    RECT rc;
    EXPECT_FALSE(GetWindowRect(hWnd, &rc));

    // The message posted before destruction is never delivered.
    PumpMessages();
    EXPECT_TRUE(RecordedMessages().empty());
}

TEST_F(CWindowLifetime, AReusedSlotGetsADifferentHandle)
{
    const HWND hFirst = CreateTopLevel({0, 0, 10, 10});
    DestroyWindow(hFirst);
    const HWND hSecond = CreateTopLevel({0, 0, 10, 10});
    EXPECT_NE(hFirst, hSecond);
    EXPECT_FALSE(IsWindow(hFirst));
    EXPECT_TRUE(IsWindow(hSecond));
    EXPECT_FALSE(IsWindow(nullptr));
    EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x7FFFFF))));
}

TEST_F(CWindowLifetime, OwnedWindowsAreDestroyedBeforeTheirOwner)
{
    const HWND hOwner = CreateTopLevel({0, 0, 100, 100});
    const HWND hOwned = CreateWindowExW(0, RecordingClass(), L"owned", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50,
                                        hOwner, nullptr, nullptr, nullptr);
    ASSERT_NE(hOwned, nullptr);
    EXPECT_EQ(GetWindow(hOwned, GW_OWNER), hOwner);
    EXPECT_EQ(GetParent(hOwned), hOwner); // a pop-up's "parent" is its owner
    RecordedMessages().clear();
    DestroyWindow(hOwner);
    EXPECT_LT(IndexOf(hOwned, WM_NCDESTROY), IndexOf(hOwner, WM_DESTROY));
    EXPECT_FALSE(IsWindow(hOwned));
}

TEST_F(CWindowLifetime, RefusingCreationCleansUp)
{
    static UINT s_nRefuse = 0;
    static std::vector<UINT> s_seen;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpszClassName = L"TestRefusing";
    wc.lpfnWndProc = [](HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) -> LRESULT
    {
        s_seen.push_back(nMessage);
        if (nMessage == s_nRefuse)
            return nMessage == WM_CREATE ? -1 : FALSE;
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    };
    static const ATOM s_nAtom = RegisterClassExW(&wc);
    ASSERT_NE(s_nAtom, 0);

    s_nRefuse = WM_CREATE;
    s_seen.clear();
    EXPECT_EQ(
        CreateWindowExW(0, L"TestRefusing", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    ASSERT_GE(s_seen.size(), 2u);
    EXPECT_EQ(s_seen[s_seen.size() - 2], static_cast<UINT>(WM_DESTROY));
    EXPECT_EQ(s_seen.back(), static_cast<UINT>(WM_NCDESTROY));

    s_nRefuse = WM_NCCREATE;
    s_seen.clear();
    EXPECT_EQ(CreateWindowExW(0, MAKEINTATOM(s_nAtom), L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr);
    EXPECT_EQ(s_seen, (std::vector<UINT>{WM_GETMINMAXINFO, WM_NCCREATE, WM_NCDESTROY}));
}

TEST_F(CWindowLifetime, CreationErrorsAreReported)
{
    SetLastError(0);
    EXPECT_EQ(
        CreateWindowExW(0, L"NoSuchClass", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    SetLastError(0);
    EXPECT_EQ(
        CreateWindowExW(0, RecordingClass(), L"", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = L"TestRecording"; // already registered, any case
    RecordingClass();
    SetLastError(0);
    EXPECT_EQ(RegisterClassExW(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    wc.lpszClassName = L"testrecording";
    EXPECT_EQ(RegisterClassExW(&wc), 0);
    wc.cbSize = 0;
    wc.lpszClassName = L"Other";
    EXPECT_EQ(RegisterClassExW(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    const HWND hWnd = CreateTopLevel({0, 0, 1, 1});
    EXPECT_FALSE(UnregisterClassW(RecordingClass(), nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
    wchar_t szName[8];
    EXPECT_EQ(GetClassNameW(hWnd, szName, 8), 7); // truncated to fit with its terminator
    EXPECT_STREQ(szName, L"TestRec");
}

TEST_F(CWindowLifetime, ClassesCanBeRegisteredAgainAfterUnregistering)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = L"TestShortLived";
    ASSERT_NE(RegisterClassExW(&wc), 0);
    const HWND hWnd =
        CreateWindowExW(0, L"TestShortLived", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hWnd, nullptr);
    DestroyWindow(hWnd);
    EXPECT_TRUE(UnregisterClassW(L"testshortlived", nullptr));
    EXPECT_FALSE(UnregisterClassW(L"TestShortLived", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST));
    EXPECT_NE(RegisterClassExW(&wc), 0);
    EXPECT_TRUE(UnregisterClassW(L"TestShortLived", nullptr));
}

} // namespace
