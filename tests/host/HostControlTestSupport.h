// Shared by the tests of the host's skinned controls: a recording parent
// window at (100, 100) on the virtual screen, images by path held by a test
// resource module at two scales, painting a control into a canvas, and the
// visual manager and display scale put back after each case.
#pragma once

#include "controls/CommCtlTestSupport.h"

#include "Headless.h"
#include "Resources.h"
#include "Screen.h"
#include "XUIVisualManager.h"

#include <string>
#include <utility>
#include <vector>

// A square PNG of one straight-alpha colour (0xAARRGGBB).
inline std::vector<BYTE> SolidPngBytes(int nSide, DWORD pixel)
{
    SImage image;
    image.nWidth = nSide;
    image.nHeight = nSide;
    image.pixels.assign(static_cast<size_t>(nSide) * nSide, pixel);
    std::vector<BYTE> data;
    WritePngMemory(image, data);
    return data;
}

class CHostControlTest : public CCommCtlTest
{
protected:
    // "Test\\Red.png": 16 x 16 red at 100 %, 32 x 32 blue at 200 %.
    static constexpr const wchar_t* kImagePath = L"Test\\Red.png";

    void SetUp() override
    {
        CCommCtlTest::SetUp();
        CXUIVisualManager::GetInstance().Reset();
        SetSystemDpi(96);
        m_red = SolidPngBytes(16, 0xFFFF0000);
        m_blue = SolidPngBytes(32, 0xFF0000FF);
        m_names = {ScaledImageResourceName(kImagePath, 100), ScaledImageResourceName(kImagePath, 200)};
        m_entries = {
            {RT_PNG, m_names[0].c_str(), m_red.data(), static_cast<DWORD>(m_red.size())},
            {RT_PNG, m_names[1].c_str(), m_blue.data(), static_cast<DWORD>(m_blue.size())},
        };
        RegisterResourceTable(m_hImages, m_entries.data(), static_cast<UINT>(m_entries.size()));
        m_pLink = new CDynLinkLibrary(m_hImages, m_hImages);
    }
    void TearDown() override
    {
        CCommCtlTest::TearDown();
        delete m_pLink;
        RegisterResourceTable(m_hImages, nullptr, 0);
        CXUIVisualManager::GetInstance().Reset();
        SetSystemDpi(96);
    }

    CWnd* Parent() const { return CWnd::FromHandle(m_hParent); }

    // Paints a window into a canvas of its client size through WM_PRINTCLIENT.
    static SImage Print(HWND hWnd, COLORREF background = RGB(1, 2, 3))
    {
        RECT rc{};
        GetClientRect(hWnd, &rc);
        CTestCanvas canvas(rc.right, rc.bottom, background);
        SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
        return canvas.Snapshot();
    }
    static COLORREF PixelOf(const SImage& image, int x, int y) { return ColourOf(image.At(x, y)); }
    static COLORREF Theme(int nColorId) { return CXUIVisualManager::GetInstance().GetThemeColor(nColorId); }

    // The (control id, code) pairs of the WM_COMMAND messages the parent got.
    std::vector<std::pair<int, int>> Commands() const
    {
        std::vector<std::pair<int, int>> out;
        for (const SNotice& notice : NoticesOf(WM_COMMAND))
            out.emplace_back(LOWORD(notice.wParam), HIWORD(notice.wParam));
        return out;
    }
    // The WM_NOTIFY codes the parent got, in order.
    std::vector<int> NotifyCodes() const
    {
        std::vector<int> out;
        for (const SNotice& notice : NoticesOf(WM_NOTIFY))
            out.push_back(notice.nCode);
        return out;
    }

    void MoveMouse(HWND hWnd, int x, int y)
    {
        InjectMouseMove(OnScreen(hWnd, x, y));
        PumpMessages();
    }
    void Click(HWND hWnd, int x, int y)
    {
        InjectClick(OnScreen(hWnd, x, y));
        PumpMessages();
    }

    // The visible tooltip-class windows' texts.
    static std::vector<std::wstring> VisibleTips()
    {
        std::vector<std::wstring> texts;
        EnumWindows(
            [](HWND hWnd, LPARAM lParam)
            {
                wchar_t szClass[32] = {};
                GetClassNameW(hWnd, szClass, 32);
                if (IsWindowVisible(hWnd) && std::wstring(szClass) == TOOLTIPS_CLASSW)
                {
                    wchar_t szText[256] = {};
                    GetWindowTextW(hWnd, szText, 256);
                    reinterpret_cast<std::vector<std::wstring>*>(lParam)->push_back(szText);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&texts));
        return texts;
    }

    const HINSTANCE m_hImages = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x7A30000));
    std::vector<BYTE> m_red;
    std::vector<BYTE> m_blue;
    std::vector<std::wstring> m_names;
    std::vector<SResourceEntry> m_entries;
    CDynLinkLibrary* m_pLink = nullptr;
};
