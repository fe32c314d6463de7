// Two small control classes for the dialog tests, written the way the
// built-in ones behave towards the dialog manager: an edit that types
// characters into its text, and a push button that clicks.
#pragma once

#include "WinUser.h"

#include <gtest/gtest.h>

#include <string>

inline LRESULT TestEditProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    switch (nMessage)
    {
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        case WM_CHAR:
        {
            if (wParam < L' ')
                return 0;
            const int nLength = GetWindowTextLengthW(hWnd);
            std::wstring strText(static_cast<size_t>(nLength) + 1, L'\0');
            strText.resize(static_cast<size_t>(GetWindowTextW(hWnd, strText.data(), nLength + 1)));
            strText += static_cast<wchar_t>(wParam);
            SetWindowTextW(hWnd, strText.c_str());
            SendMessageW(GetParent(hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hWnd), EN_CHANGE),
                         reinterpret_cast<LPARAM>(hWnd));
            return 0;
        }
        case EM_SETSEL:
            SetWindowLongPtrW(hWnd, GWLP_USERDATA, static_cast<LONG_PTR>(lParam));
            return 0;
        default:
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
}

inline void ClickTestButton(HWND hWnd)
{
    SendMessageW(GetParent(hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hWnd), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hWnd));
}

inline LRESULT TestButtonProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // The check state lives in the window's first extra bytes.
    switch (nMessage)
    {
        case WM_GETDLGCODE:
        {
            const auto dwType = static_cast<DWORD>(GetWindowLongPtrW(hWnd, GWL_STYLE)) & BS_TYPEMASK;
            if (dwType == static_cast<DWORD>(BS_AUTOCHECKBOX))
                return DLGC_BUTTON;
            return DLGC_BUTTON | (dwType == static_cast<DWORD>(BS_DEFPUSHBUTTON) ? DLGC_DEFPUSHBUTTON
                                                                                 : DLGC_UNDEFPUSHBUTTON);
        }
        case BM_SETSTYLE:
        {
            const auto dwStyle = static_cast<DWORD>(GetWindowLongPtrW(hWnd, GWL_STYLE));
            SetWindowLongPtrW(hWnd, GWL_STYLE,
                              (dwStyle & ~static_cast<DWORD>(BS_TYPEMASK)) | (wParam & BS_TYPEMASK));
            return 0;
        }
        case BM_SETCHECK:
            SetWindowLongPtrW(hWnd, 0, static_cast<LONG_PTR>(wParam));
            return 0;
        case BM_GETCHECK:
            return GetWindowLongPtrW(hWnd, 0);
        case BM_CLICK:
            ClickTestButton(hWnd);
            return 0;
        case WM_LBUTTONUP:
            ClickTestButton(hWnd);
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE)
                ClickTestButton(hWnd);
            return 0;
        default:
            return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
}

inline void RegisterTestControls()
{
    static const bool s_bRegistered = []
    {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_GLOBALCLASS;
        wc.lpfnWndProc = TestEditProc;
        wc.lpszClassName = L"TestEdit";
        const bool bEdit = RegisterClassExW(&wc) != 0;
        wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
        wc.lpfnWndProc = TestButtonProc;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.lpszClassName = L"TestButton";
        const bool bButton = RegisterClassExW(&wc) != 0;
        return bEdit && bButton;
    }();
    ASSERT_TRUE(s_bRegistered);
}

inline std::wstring WindowText(HWND hWnd)
{
    const int nLength = GetWindowTextLengthW(hWnd);
    std::wstring strText(static_cast<size_t>(nLength) + 1, L'\0');
    strText.resize(static_cast<size_t>(GetWindowTextW(hWnd, strText.data(), nLength + 1)));
    return strText;
}
