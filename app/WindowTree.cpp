#include "WindowTree.h"

#include "Utf8.h"
#include "Wnd.h"

#include <string>

namespace
{

std::string WindowClassOf(HWND hWnd)
{
    if (CWnd* pObject = CWnd::FromHandlePermanent(hWnd))
        return pObject->GetRuntimeClass()->m_lpszClassName;
    wchar_t szClass[256] = {};
    GetClassNameW(hWnd, szClass, 256);
    return WideToUtf8(szClass);
}

std::string WindowTextOf(HWND hWnd)
{
    const int nLength = GetWindowTextLengthW(hWnd);
    std::wstring strText(static_cast<size_t>(nLength) + 1, L'\0');
    strText.resize(static_cast<size_t>(GetWindowTextW(hWnd, strText.data(), nLength + 1)));
    return WideToUtf8(strText);
}

} // namespace

nlohmann::json DumpWindowTree(HWND hWnd)
{
    if (!IsWindow(hWnd))
        return nlohmann::json::object();
    RECT rc{};
    GetWindowRect(hWnd, &rc);
    nlohmann::json window = {
        {"class", WindowClassOf(hWnd)},
        {"id", GetDlgCtrlID(hWnd)},
        {"rect", {rc.left, rc.top, rc.right, rc.bottom}},
        {"visible", (GetWindowLongW(hWnd, GWL_STYLE) & WS_VISIBLE) != 0},
        {"enabled", IsWindowEnabled(hWnd) != FALSE},
        {"text", WindowTextOf(hWnd)},
        {"children", nlohmann::json::array()},
    };
    for (HWND hChild = GetWindow(hWnd, GW_CHILD); hChild != nullptr; hChild = GetWindow(hChild, GW_HWNDNEXT))
        window["children"].push_back(DumpWindowTree(hChild));
    return window;
}
