// The class library's open and save file dialog.
#pragma once

#include "Collections.h"
#include "CommonDialogs.h"
#include "Dialog.h"

class CFileDialog : public CDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // The filter is the class library's form: description|pattern pairs
    // separated by '|', ended by "||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt = nullptr, LPCWSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);

    // IDOK with a choice, IDCANCEL without.
    INT_PTR DoModal() override;

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    // Walking a multiple selection.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    OPENFILENAMEW m_ofn{};

protected:
    BOOL m_bOpenFileDialog;
    std::wstring m_strFilter;
    std::wstring m_strDefaultExtension;
    std::wstring m_fileBuffer;
    std::wstring m_titleBuffer;
};
