#include "FileDialog.h"

#include "WinThread.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace
{

constexpr size_t kFileBufferLength = 32 * MAX_PATH;

// Positions in a multiple selection are offsets into the buffer, plus one so
// that the first is not null.
POSITION PositionOf(size_t nOffset)
{
    return reinterpret_cast<POSITION>(static_cast<ULONG_PTR>(nOffset + 1));
}
size_t OffsetOf(POSITION pos)
{
    return static_cast<size_t>(reinterpret_cast<ULONG_PTR>(pos)) - 1;
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt, LPCWSTR lpszFileName, DWORD dwFlags,
                         LPCWSTR lpszFilter, CWnd* pParentWnd, DWORD, BOOL)
    : m_bOpenFileDialog(bOpenFileDialog)
{
    m_pParentWnd = pParentWnd;
    m_fileBuffer.assign(kFileBufferLength, L'\0');
    m_titleBuffer.assign(MAX_PATH, L'\0');
    if (lpszFileName != nullptr)
    {
        const std::wstring strName = lpszFileName;
        std::copy_n(strName.begin(), std::min(strName.size(), kFileBufferLength - 1), m_fileBuffer.begin());
    }
    if (lpszDefExt != nullptr)
        m_strDefaultExtension = lpszDefExt;
    if (lpszFilter != nullptr)
    {
        // '|' separators become the NULs the Windows call wants.
        m_strFilter = lpszFilter;
        std::replace(m_strFilter.begin(), m_strFilter.end(), L'|', L'\0');
        m_strFilter.push_back(L'\0');
    }
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    m_ofn.lpstrFileTitle = m_titleBuffer.data();
    m_ofn.nMaxFileTitle = static_cast<DWORD>(m_titleBuffer.size());
    m_ofn.lpstrDefExt = m_strDefaultExtension.empty() ? nullptr : m_strDefaultExtension.c_str();
    m_ofn.lpstrFilter = m_strFilter.empty() ? nullptr : m_strFilter.c_str();
    m_ofn.nFilterIndex = 1;
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
}

INT_PTR CFileDialog::DoModal()
{
    if (m_ofn.hwndOwner == nullptr)
    {
        CWnd* pOwner = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
        m_ofn.hwndOwner = pOwner != nullptr ? pOwner->m_hWnd : nullptr;
    }
    const BOOL bChosen = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    return bChosen ? IDOK : IDCANCEL;
}

POSITION CFileDialog::GetStartPosition() const
{
    return m_ofn.lpstrFile != nullptr && m_ofn.lpstrFile[0] != L'\0' ? PositionOf(0) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    if (pos == nullptr || m_ofn.lpstrFile == nullptr)
        return CString();
    const LPCWSTR pszBuffer = m_ofn.lpstrFile;
    size_t nOffset = OffsetOf(pos);
    const std::wstring strFirst = pszBuffer + nOffset;
    // A single choice is the whole path; a multiple one is the folder and
    // then names, NUL-separated.
    const bool bMultiple = m_ofn.nFileOffset > 0 && pszBuffer[m_ofn.nFileOffset - 1] == L'\0';
    if (!bMultiple)
    {
        pos = nullptr;
        return CString(strFirst);
    }
    const std::wstring strFolder = pszBuffer;
    if (nOffset == 0)
        nOffset = m_ofn.nFileOffset;
    const std::wstring strName = pszBuffer + nOffset;
    const size_t nNext = nOffset + strName.size() + 1;
    pos = pszBuffer[nNext] != L'\0' ? PositionOf(nNext) : nullptr;
    const bool bNeedsSeparator = !strFolder.empty() && strFolder.back() != L'\\' && strFolder.back() != L'/';
    const wchar_t chSeparator = strFolder.find(L'/') != std::wstring::npos ? L'/' : L'\\';
    return CString(strFolder + (bNeedsSeparator ? std::wstring(1, chSeparator) : std::wstring()) + strName);
}

CString CFileDialog::GetPathName() const
{
    POSITION pos = GetStartPosition();
    return pos != nullptr ? GetNextPathName(pos) : CString();
}

CString CFileDialog::GetFileName() const
{
    const std::wstring strPath = GetPathName().GetString();
    const size_t nSlash = strPath.find_last_of(L"\\/");
    return CString(nSlash == std::wstring::npos ? strPath : strPath.substr(nSlash + 1));
}

CString CFileDialog::GetFileExt() const
{
    const std::wstring strName = GetFileName().GetString();
    const size_t nDot = strName.find_last_of(L'.');
    return CString(nDot == std::wstring::npos ? std::wstring() : strName.substr(nDot + 1));
}

CString CFileDialog::GetFileTitle() const
{
    const std::wstring strName = GetFileName().GetString();
    const size_t nDot = strName.find_last_of(L'.');
    return CString(nDot == std::wstring::npos ? strName : strName.substr(0, nDot));
}

CString CFileDialog::GetFolderPath() const
{
    const std::wstring strPath = GetPathName().GetString();
    const size_t nSlash = strPath.find_last_of(L"\\/");
    return CString(nSlash == std::wstring::npos ? std::wstring() : strPath.substr(0, nSlash));
}
