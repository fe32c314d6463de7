#include "CommonDialogs.h"

#include "Asking.h"
#include "CString.h"
#include "WinThread.h"
#include "WindowManager.h"
#include "Wnd.h"

#include <algorithm>

namespace
{

DWORD g_dwLastFileDialogError = 0;

// The filter as the dialogs keep it: NUL-separated pairs become '|'-separated.
std::wstring FilterText(LPCWSTR lpstrFilter)
{
    std::wstring strOut;
    if (lpstrFilter == nullptr)
        return strOut;
    for (const wchar_t* p = lpstrFilter; *p != L'\0'; p += wcslen(p) + 1)
    {
        if (!strOut.empty())
            strOut += L'|';
        strOut += p;
    }
    return strOut;
}

size_t NameStart(const std::wstring& strPath)
{
    const size_t nSlash = strPath.find_last_of(L"\\/");
    return nSlash == std::wstring::npos ? 0 : nSlash + 1;
}

BOOL AskForFile(LPOPENFILENAMEW lpofn, bool bSave)
{
    g_dwLastFileDialogError = 0;
    if (lpofn == nullptr || lpofn->lStructSize < sizeof(OPENFILENAMEW) || lpofn->lpstrFile == nullptr ||
        lpofn->nMaxFile == 0)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    SFileQuestion question;
    question.bSave = bSave;
    question.hOwner = lpofn->hwndOwner;
    question.strTitle = lpofn->lpstrTitle != nullptr ? lpofn->lpstrTitle : L"";
    question.strFilter = FilterText(lpofn->lpstrFilter);
    question.strInitialDirectory = lpofn->lpstrInitialDir != nullptr ? lpofn->lpstrInitialDir : L"";
    question.strInitialName = lpofn->lpstrFile;
    question.strDefaultExtension = lpofn->lpstrDefExt != nullptr ? lpofn->lpstrDefExt : L"";
    question.dwFlags = lpofn->Flags;
    std::vector<std::wstring> paths = AskFileNames(question);
    if (paths.empty())
        return FALSE;

    // A name typed without an extension gets the default one.
    if (!question.strDefaultExtension.empty())
    {
        for (std::wstring& strPath : paths)
        {
            if (strPath.find(L'.', NameStart(strPath)) == std::wstring::npos)
                strPath += L"." + question.strDefaultExtension;
        }
    }

    std::wstring strResult;
    WORD nFileOffset = 0;
    if (paths.size() > 1 && (lpofn->Flags & OFN_ALLOWMULTISELECT) != 0)
    {
        // The folder of the first, then each name.
        const size_t nStart = NameStart(paths.front());
        strResult = paths.front().substr(0, nStart > 0 ? nStart - 1 : 0);
        strResult += L'\0';
        nFileOffset = static_cast<WORD>(strResult.size());
        for (const std::wstring& strPath : paths)
        {
            strResult += strPath.substr(NameStart(strPath));
            strResult += L'\0';
        }
    }
    else
    {
        strResult = paths.front();
        nFileOffset = static_cast<WORD>(NameStart(strResult));
        strResult += L'\0';
    }
    strResult += L'\0';
    if (strResult.size() > lpofn->nMaxFile)
    {
        // As on Windows: the first two characters tell the size needed.
        if (lpofn->nMaxFile >= 2)
            lpofn->lpstrFile[0] = static_cast<wchar_t>(std::min<size_t>(strResult.size(), 0xFFFF));
        g_dwLastFileDialogError = FNERR_BUFFERTOOSMALL;
        return FALSE;
    }
    std::copy(strResult.begin(), strResult.end(), lpofn->lpstrFile);
    lpofn->nFileOffset = nFileOffset;
    const std::wstring& strFirst = paths.front();
    const size_t nDot = strFirst.find_last_of(L'.');
    lpofn->nFileExtension =
        nDot != std::wstring::npos && nDot >= NameStart(strFirst) ? static_cast<WORD>(nDot + 1) : WORD{0};
    if (lpofn->lpstrFileTitle != nullptr && lpofn->nMaxFileTitle > 0)
    {
        const std::wstring strTitle = strFirst.substr(NameStart(strFirst));
        const size_t nCopied = std::min<size_t>(strTitle.size(), lpofn->nMaxFileTitle - 1);
        std::copy_n(strTitle.begin(), nCopied, lpofn->lpstrFileTitle);
        lpofn->lpstrFileTitle[nCopied] = L'\0';
    }
    return TRUE;
}

} // namespace

int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType)
{
    return AskMessageBox(hWnd, lpText != nullptr ? lpText : L"", lpCaption != nullptr ? lpCaption : L"Error",
                         uType);
}

int AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* pApp = AfxGetApp())
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxW(nullptr, lpszText, L"", nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    if (!strPrompt.LoadString(nIDPrompt))
        PlatformLog(L"AfxMessageBox: there is no string " + std::to_wstring(nIDPrompt) + L" to show");
    return AfxMessageBox(strPrompt.GetString(), nType,
                         nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

BOOL GetOpenFileNameW(LPOPENFILENAMEW lpofn)
{
    return AskForFile(lpofn, false);
}

BOOL GetSaveFileNameW(LPOPENFILENAMEW lpofn)
{
    return AskForFile(lpofn, true);
}

DWORD CommDlgExtendedError()
{
    return g_dwLastFileDialogError;
}
