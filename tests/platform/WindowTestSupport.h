// Shared by the window tests: a window class whose procedure records every
// message it receives, and a fixture that leaves the UI thread clean.
#pragma once

#include "DebugOutput.h"
#include "Headless.h"
#include "WinUser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct SRecordedMessage
{
    HWND hWnd;
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
};

// Every recording window writes here; tests clear it and read it back.
inline std::vector<SRecordedMessage>& RecordedMessages()
{
    static std::vector<SRecordedMessage> s_log;
    return s_log;
}

// Per-window reactions a test installs: the answer replaces DefWindowProc.
using FReaction = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;
inline std::map<HWND, FReaction>& Reactions()
{
    static std::map<HWND, FReaction> s_reactions;
    return s_reactions;
}

inline LRESULT RecordingWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    RecordedMessages().push_back({hWnd, nMessage, wParam, lParam});
    auto it = Reactions().find(hWnd);
    if (it != Reactions().end())
    {
        LRESULT lResult = 0;
        // Copy: the reaction may remove itself.
        FReaction reaction = it->second;
        if (reaction(hWnd, nMessage, wParam, lParam, lResult))
            return lResult;
    }
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

inline const wchar_t* RecordingClass()
{
    static const bool s_bRegistered = []
    {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = RecordingWndProc;
        wc.cbWndExtra = 2 * sizeof(LONG_PTR);
        wc.lpszClassName = L"TestRecording";
        return RegisterClassExW(&wc) != 0;
    }();
    EXPECT_TRUE(s_bRegistered);
    return L"TestRecording";
}

inline const wchar_t* RecordingDoubleClickClass()
{
    static const bool s_bRegistered = []
    {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = RecordingWndProc;
        wc.lpszClassName = L"TestRecordingDoubleClicks";
        return RegisterClassExW(&wc) != 0;
    }();
    EXPECT_TRUE(s_bRegistered);
    return L"TestRecordingDoubleClicks";
}

// The messages of one kind (or all, for 0) that a window received, in order.
inline std::vector<SRecordedMessage> MessagesTo(HWND hWnd, UINT nMessage = 0)
{
    std::vector<SRecordedMessage> out;
    for (const SRecordedMessage& m : RecordedMessages())
    {
        if (m.hWnd == hWnd && (nMessage == 0 || m.nMessage == nMessage))
            out.push_back(m);
    }
    return out;
}

inline std::vector<UINT> MessageNumbers(const std::vector<SRecordedMessage>& messages)
{
    std::vector<UINT> out;
    for (const SRecordedMessage& m : messages)
        out.push_back(m.nMessage);
    return out;
}

// The position of the first recorded message matching, or -1.
inline int IndexOf(HWND hWnd, UINT nMessage)
{
    const auto& log = RecordedMessages();
    for (size_t i = 0; i < log.size(); ++i)
    {
        if (log[i].hWnd == hWnd && log[i].nMessage == nMessage)
            return static_cast<int>(i);
    }
    return -1;
}

// Captures the platform's diagnostic lines while it lives.
inline std::vector<std::wstring>& CapturedLog()
{
    static std::vector<std::wstring> s_lines;
    return s_lines;
}

struct SLogCapture
{
    SLogCapture()
    {
        CapturedLog().clear();
        m_previous =
            SetDebugOutputSink([](const std::wstring& strLine) { CapturedLog().push_back(strLine); });
    }
    ~SLogCapture() { SetDebugOutputSink(m_previous); }
    SLogCapture(const SLogCapture&) = delete;
    SLogCapture& operator=(const SLogCapture&) = delete;
    DebugOutputSink m_previous;
};

class CWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        HeadlessReset();
        RecordedMessages().clear();
        Reactions().clear();
    }
    void TearDown() override
    {
        HeadlessReset();
        Reactions().clear();
    }

    HWND CreateTopLevel(RECT rc, DWORD dwStyle = WS_POPUP | WS_VISIBLE, const wchar_t* pszClass = nullptr)
    {
        return CreateWindowExW(0, pszClass != nullptr ? pszClass : RecordingClass(), L"top", dwStyle, rc.left,
                               rc.top, rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, nullptr,
                               nullptr);
    }
    HWND CreateChild(HWND hParent, RECT rc, int nID, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                     const wchar_t* pszClass = nullptr)
    {
        return CreateWindowExW(0, pszClass != nullptr ? pszClass : RecordingClass(), L"child", dwStyle,
                               rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, hParent,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), nullptr, nullptr);
    }
};
