// Shared by the track bar, tab control and tooltip tests: a visible parent
// window that records what its controls tell it, and helpers to aim injected
// input at a control's client coordinates.
#pragma once

#include "../DrawingTestSupport.h"
#include "../WindowTestSupport.h"
#include "CommCtrl.h"
#include "Input.h"

#include <functional>
#include <ostream>
#include <vector>

// Rectangles compare and print as plain values in these tests.
inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& rc, std::ostream* pStream)
{
    *pStream << "{" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << "}";
}

// A notice the parent received; WM_NOTIFY headers are copied out while they
// are alive.
struct SNotice
{
    UINT nMessage = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    HWND hFrom = nullptr;
    UINT_PTR nIdFrom = 0;
    int nCode = 0;
};

class CCommCtlTest : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        // A popup has no frame, so its client origin is its screen position.
        m_hParent = CreateTopLevel(RECT{100, 100, 600, 500});
        ASSERT_NE(m_hParent, nullptr);
        SetActiveWindow(m_hParent);
        PumpMessages();
        Reactions()[m_hParent] = [this](HWND, UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
        {
            if (nMessage == WM_NOTIFY || nMessage == WM_HSCROLL || nMessage == WM_VSCROLL ||
                nMessage == WM_COMMAND)
            {
                SNotice notice{nMessage, wParam, lParam, nullptr, 0, 0};
                if (nMessage == WM_NOTIFY && lParam != 0)
                {
                    const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
                    notice.hFrom = pHeader->hwndFrom;
                    notice.nIdFrom = pHeader->idFrom;
                    notice.nCode = static_cast<int>(pHeader->code);
                }
                m_notices.push_back(notice);
            }
            return m_answer ? m_answer(nMessage, wParam, lParam, lResult) : false;
        };
        RecordedMessages().clear();
    }

    HWND CreateControl(const wchar_t* pszClass, DWORD dwStyle, RECT rc, int nID = 100, HWND hParent = nullptr)
    {
        return CreateWindowExW(0, pszClass, L"", WS_CHILD | WS_VISIBLE | dwStyle, rc.left, rc.top,
                               rc.right - rc.left, rc.bottom - rc.top,
                               hParent != nullptr ? hParent : m_hParent,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), nullptr, nullptr);
    }

    // The screen point of a point in a window's client area.
    static POINT OnScreen(HWND hWnd, int x, int y)
    {
        POINT pt{x, y};
        ClientToScreen(hWnd, &pt);
        return pt;
    }

    std::vector<SNotice> NoticesOf(UINT nMessage) const
    {
        std::vector<SNotice> out;
        for (const SNotice& notice : m_notices)
        {
            if (notice.nMessage == nMessage)
                out.push_back(notice);
        }
        return out;
    }

    HWND m_hParent = nullptr;
    std::vector<SNotice> m_notices;
    // Answers the parent gives: return true with lResult set to answer.
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> m_answer;
};
