// One dialog with every built-in control, painted through its window and
// written to build/gallery/controls.png for a person to look at. The test
// checks the few things a glance would: the dialog is painted, the edit is
// white inside, the default button stands out, the selected tab is raised.
#include "AfxWin.h"
#include "CommCtrl.h"
#include "Dc.h"
#include "DialogTemplate.h"
#include "Image.h"
#include "Screen.h"
#include "../WindowTestSupport.h"

#include <filesystem>
#include <set>

namespace
{

enum : UINT
{
    kOk = IDOK,
    kCheck = 1001,
    kRadioA,
    kRadioB,
    kGroup,
    kLabel,
    kFrame,
    kEdit,
    kCombo,
    kList,
    kSlider,
    kTabs,
    kCancel = IDCANCEL,
};

SDialogTemplate GalleryTemplate()
{
    SDialogTemplate dialog;
    dialog.strCaption = L"Controls";
    dialog.dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT;
    dialog.cx = 260;
    dialog.cy = 170;
    auto add = [&](const wchar_t* pszClass, UINT nID, const wchar_t* pszText, short x, short y, short cx,
                   short cy, DWORD dwStyle)
    {
        SDialogItemTemplate item;
        item.strClassName = pszClass;
        item.nID = nID;
        item.strText = pszText;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.dwStyle = WS_CHILD | WS_VISIBLE | dwStyle;
        dialog.items.push_back(item);
    };
    add(L"BUTTON", kGroup, L"Choices", 7, 7, 120, 62, BS_GROUPBOX);
    add(L"BUTTON", kCheck, L"&Apply to all tools", 14, 20, 100, 10, BS_AUTOCHECKBOX | WS_TABSTOP);
    add(L"BUTTON", kRadioA, L"&Foreground", 14, 36, 100, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP);
    add(L"BUTTON", kRadioB, L"&Background", 14, 50, 100, 10, BS_AUTORADIOBUTTON);
    add(L"STATIC", kLabel, L"A label that is far too long to fit in its place", 7, 76, 120, 9,
        SS_LEFT | SS_ENDELLIPSIS);
    add(L"STATIC", kFrame, L"", 7, 90, 120, 1, SS_ETCHEDHORZ);
    add(L"EDIT", kEdit, L"128", 7, 96, 50, 13, WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP);
    add(L"COMBOBOX", kCombo, L"", 64, 96, 63, 60, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
    add(L"LISTBOX", kList, L"", 134, 7, 119, 50, LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP);
    add(L"msctls_trackbar32", kSlider, L"", 134, 62, 119, 16, TBS_HORZ | TBS_NOTICKS | WS_TABSTOP);
    add(L"SysTabControl32", kTabs, L"", 134, 82, 119, 60, WS_TABSTOP);
    add(L"BUTTON", kOk, L"OK", 149, 150, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP);
    add(L"BUTTON", kCancel, L"Cancel", 203, 150, 50, 14, BS_PUSHBUTTON | WS_TABSTOP);
    return dialog;
}

void Fill(CDialog& dialog)
{
    dialog.CheckDlgButton(kCheck, BST_CHECKED);
    dialog.CheckRadioButton(kRadioA, kRadioB, kRadioA);
    for (const wchar_t* pszModel : {L"Grayscale", L"RGB", L"HSL", L"CMYK", L"LAB", L"WEB"})
        dialog.SendDlgItemMessage(kCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszModel));
    dialog.SendDlgItemMessage(kCombo, CB_SETCURSEL, 1, 0);
    for (const wchar_t* pszName :
         {L"Spectrum", L"Copper", L"Chrome", L"Sunset", L"Forest", L"Steel", L"Ocean"})
        dialog.SendDlgItemMessage(kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszName));
    dialog.SendDlgItemMessage(kList, LB_SETCURSEL, 2, 0);
    dialog.SendDlgItemMessage(kSlider, TBM_SETRANGE, TRUE, MAKELPARAM(0, 255));
    dialog.SendDlgItemMessage(kSlider, TBM_SETPOS, TRUE, 96);
    int nIndex = 0;
    for (const wchar_t* pszTab : {L"Swatches", L"Map", L"Sliders"})
    {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPWSTR>(pszTab);
        dialog.SendDlgItemMessage(kTabs, TCM_INSERTITEMW, nIndex++, reinterpret_cast<LPARAM>(&item));
    }
    dialog.SendDlgItemMessage(kTabs, TCM_SETCURSEL, 1, 0);
}

COLORREF ScreenPixel(POINT pt)
{
    HDC hScreen = GetDC(nullptr);
    const COLORREF clr = GetPixel(hScreen, pt.x, pt.y);
    ReleaseDC(nullptr, hScreen);
    return clr;
}

} // namespace

TEST_F(CWindowTest, GalleryOfEveryControlIsPaintedAndWritten)
{
    const SDialogTemplate dialogTemplate = GalleryTemplate();
    CDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(&dialogTemplate, nullptr));
    Fill(dialog);
    dialog.SetWindowPos(nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dialog.UpdateWindow();
    PumpUntilIdle();

    const std::filesystem::path folder = TEST_OUTPUT_FOLDER;
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "controls.png";
    ASSERT_TRUE(WriteWindowPng(dialog.m_hWnd, file.wstring().c_str()));
    SImage image;
    ASSERT_EQ(ReadImageFile(file.wstring().c_str(), image).eError, EImageError::None);
    CRect rcWindow;
    dialog.GetWindowRect(&rcWindow);
    EXPECT_EQ(image.nWidth, rcWindow.Width());
    EXPECT_EQ(image.nHeight, rcWindow.Height());

    // A painted dialog has many colours, not one background.
    std::set<DWORD> colours(image.pixels.begin(), image.pixels.end());
    EXPECT_GT(colours.size(), 8u);

    // The edit is white inside; the dialog face around it is not.
    CWnd* pEdit = dialog.GetDlgItem(kEdit);
    CRect rcEdit;
    pEdit->GetWindowRect(&rcEdit);
    EXPECT_EQ(ScreenPixel(POINT{rcEdit.right - 4, rcEdit.bottom - 4}), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ScreenPixel(POINT{rcEdit.left - 3, rcEdit.top - 3}), GetSysColor(COLOR_BTNFACE));
    // The list box's selected line is highlighted.
    CRect rcItem;
    dialog.SendDlgItemMessage(kList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&rcItem));
    // Right of the short text, clear of the focus frame.
    CPoint ptItem(rcItem.right - 6, rcItem.top + rcItem.Height() / 2);
    dialog.GetDlgItem(kList)->ClientToScreen(&ptItem);
    EXPECT_EQ(ScreenPixel(ptItem), GetSysColor(COLOR_HIGHLIGHT));
    // The default button's edge differs from the other button's.
    auto leftEdge = [&](UINT nID)
    {
        CRect rc;
        dialog.GetDlgItem(nID)->GetWindowRect(&rc);
        return ScreenPixel(POINT{rc.left, rc.top + rc.Height() / 2});
    };
    EXPECT_NE(leftEdge(kOk), leftEdge(kCancel));
    dialog.DestroyWindow();
}
