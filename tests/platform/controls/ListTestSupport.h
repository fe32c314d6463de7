// Shared by the list box and combo box tests: a recording parent at a known
// place on the screen, the notification codes it heard, and painting a
// control into a memory canvas.
#pragma once

#include "../DrawingTestSupport.h"
#include "../WindowTestSupport.h"
#include "Gdi.h"
#include "Input.h"
#include "ListControls.h"

#include <string>
#include <vector>

// The parent's client area starts at this screen point (a borderless popup).
constexpr POINT kParentOrigin{100, 100};

class CListControlTest : public CWindowTest
{
protected:
    void SetUp() override
    {
        CWindowTest::SetUp();
        m_hParent =
            CreateTopLevel({kParentOrigin.x, kParentOrigin.y, kParentOrigin.x + 600, kParentOrigin.y + 500});
        ASSERT_NE(m_hParent, nullptr);
    }

    HWND CreateControl(const wchar_t* pszClass, DWORD dwStyle, RECT rc, int nID = 100, HWND hParent = nullptr)
    {
        return CreateWindowExW(0, pszClass, L"", WS_CHILD | WS_VISIBLE | dwStyle, rc.left, rc.top,
                               rc.right - rc.left, rc.bottom - rc.top,
                               hParent != nullptr ? hParent : m_hParent,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), nullptr, nullptr);
    }

    // The notification codes (HIWORD of wParam) the parent got from a control.
    std::vector<int> Codes(HWND hControl) const
    {
        std::vector<int> codes;
        for (const SRecordedMessage& m : MessagesTo(m_hParent, WM_COMMAND))
        {
            if (reinterpret_cast<HWND>(m.lParam) == hControl)
                codes.push_back(static_cast<short>(HIWORD(m.wParam)));
        }
        return codes;
    }

    // A client point of a control on the screen.
    static POINT OnScreen(HWND hWnd, POINT pt)
    {
        ClientToScreen(hWnd, &pt);
        return pt;
    }

    static void Click(POINT ptScreen)
    {
        InjectClick(ptScreen);
        PumpMessages();
        // Keeps the next click from making a double click.
        AdvanceClock(1000);
    }

    static void PressKey(UINT nKey)
    {
        InjectKeyPress(nKey);
        PumpMessages();
    }

    static void PressWith(UINT nModifier, UINT nKey)
    {
        InjectKey(nModifier, true);
        InjectKeyPress(nKey);
        InjectKey(nModifier, false);
        PumpMessages();
    }

    static void ClickWith(UINT nModifier, POINT ptScreen)
    {
        InjectKey(nModifier, true);
        InjectClick(ptScreen);
        InjectKey(nModifier, false);
        PumpMessages();
        AdvanceClock(1000);
    }

    static std::wstring TextOf(HWND hWnd, UINT nLengthMessage, UINT nTextMessage, int nIndex)
    {
        const auto nLength = SendMessageW(hWnd, nLengthMessage, static_cast<WPARAM>(nIndex), 0);
        if (nLength < 0)
            return L"<error>";
        std::wstring strText(static_cast<size_t>(nLength) + 1, L'\0');
        SendMessageW(hWnd, nTextMessage, static_cast<WPARAM>(nIndex),
                     reinterpret_cast<LPARAM>(strText.data()));
        strText.resize(static_cast<size_t>(nLength));
        return strText;
    }

    static std::wstring ControlText(HWND hWnd)
    {
        const int nLength = GetWindowTextLengthW(hWnd);
        std::wstring strText(static_cast<size_t>(nLength) + 1, L'\0');
        strText.resize(static_cast<size_t>(GetWindowTextW(hWnd, strText.data(), nLength + 1)));
        return strText;
    }

    HWND m_hParent = nullptr;
};

// PRF_CLIENT: WM_PRINTCLIENT draws the client area.
constexpr LPARAM kPrintClientFlag = 0x4;

// Paints a window's client area into a canvas of its size through WM_PRINTCLIENT.
inline SImage PrintClient(HWND hWnd, CTestCanvas& canvas)
{
    SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), kPrintClientFlag);
    return canvas.Snapshot();
}

inline COLORREF PixelAt(const SImage& image, int x, int y)
{
    return ColourOf(image.At(x, y));
}
