#include "WindowManager.h"
#include "controls/BuiltInControls.h"

#include <algorithm>
#include <cwctype>

namespace
{

// A handle carries the record's slot in its low bits and the slot's
// generation above them, so a handle kept after its window was destroyed no
// longer matches once the slot is reused.
constexpr int kIndexBits = 24;
constexpr ULONG_PTR kIndexMask = (ULONG_PTR{1} << kIndexBits) - 1;

} // namespace

HWND MakeHandle(size_t nIndex, UINT nGeneration)
{
    return reinterpret_cast<HWND>((static_cast<ULONG_PTR>(nGeneration) << kIndexBits) | (nIndex + 1));
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    }
    return true;
}

bool IsChildStyle(const SWindowRecord& record)
{
    return (record.dwStyle & WS_CHILD) != 0 && record.hParent != nullptr;
}

CWindowManager& CWindowManager::Get()
{
    // Never destroyed: objects with static lifetime (placement wrappers,
    // windows of a global object) may still ask for it while the process
    // exits.
    static CWindowManager* s_pManager = new CWindowManager;
    return *s_pManager;
}

CWindowManager::CWindowManager()
{
    auto pDesktopClass = std::make_shared<SWindowClass>();
    pDesktopClass->strName = L"#32769";
    pDesktopClass->nAtom = 32769;
    pDesktopClass->pfnWndProc = DefWindowProcW;
    m_classes.push_back(pDesktopClass);

    // The standard dialog class.
    auto pDialogClass = std::make_shared<SWindowClass>();
    pDialogClass->strName = L"#32770";
    pDialogClass->nAtom = 32770;
    pDialogClass->nStyle = CS_DBLCLKS | CS_SAVEBITS | CS_GLOBALCLASS;
    pDialogClass->pfnWndProc = DefDlgProcW;
    pDialogClass->nWindowExtra = DLGWINDOWEXTRA;
    pDialogClass->hCursor = LoadCursorW(nullptr, IDC_ARROW);
    m_classes.push_back(pDialogClass);

    auto pDesktop = std::make_unique<SWindowRecord>();
    pDesktop->bInUse = true;
    pDesktop->hWnd = MakeHandle(0, pDesktop->nGeneration);
    pDesktop->pClass = pDesktopClass;
    pDesktop->pfnWndProc = DefWindowProcW;
    pDesktop->dwStyle = WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    pDesktop->rcWindow = {0, 0, m_screenSize.cx, m_screenSize.cy};
    pDesktop->rcClient = pDesktop->rcWindow;
    m_hDesktop = pDesktop->hWnd;
    m_records.push_back(std::move(pDesktop));
    m_ptCursor = {m_screenSize.cx / 2, m_screenSize.cy / 2};
}

SWindowRecord* CWindowManager::FindQuiet(HWND hWnd)
{
    const auto nValue = reinterpret_cast<ULONG_PTR>(hWnd);
    const ULONG_PTR nSlot = nValue & kIndexMask;
    if (nSlot == 0 || nSlot > m_records.size())
        return nullptr;
    SWindowRecord* pRecord = m_records[nSlot - 1].get();
    if (!pRecord->bInUse || pRecord->nGeneration != (nValue >> kIndexBits))
        return nullptr;
    return pRecord;
}

SWindowRecord* CWindowManager::Find(HWND hWnd)
{
    SWindowRecord* pRecord = FindQuiet(hWnd);
    if (pRecord == nullptr)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return pRecord;
}

SWindowRecord* CWindowManager::Allocate()
{
    size_t nIndex;
    if (!m_freeSlots.empty())
    {
        nIndex = m_freeSlots.back();
        m_freeSlots.pop_back();
    }
    else
    {
        nIndex = m_records.size();
        m_records.push_back(std::make_unique<SWindowRecord>());
    }
    SWindowRecord& record = *m_records[nIndex];
    record.bInUse = true;
    record.hWnd = MakeHandle(nIndex, record.nGeneration);
    return &record;
}

void CWindowManager::Free(SWindowRecord& record)
{
    const size_t nIndex = (reinterpret_cast<ULONG_PTR>(record.hWnd) & kIndexMask) - 1;
    if (record.pClass)
        --record.pClass->nWindowCount;
    if (record.hRegion != nullptr)
        DeleteRgn(record.hRegion);
    const UINT nNextGeneration = record.nGeneration + 1;
    record = SWindowRecord{};
    // Generation 0 never occurs, so no handle value can be all index bits.
    record.nGeneration = nNextGeneration == 0 ? 1 : nNextGeneration;
    m_freeSlots.push_back(nIndex);
}

std::vector<HWND>& CWindowManager::SiblingList(const SWindowRecord& record)
{
    if (record.hParent != nullptr)
    {
        if (SWindowRecord* pParent = FindQuiet(record.hParent))
            return pParent->children;
    }
    return Desktop().children;
}

std::vector<HWND> CWindowManager::AllWindows() const
{
    std::vector<HWND> all;
    for (size_t i = 1; i < m_records.size(); ++i)
    {
        if (m_records[i]->bInUse)
            all.push_back(m_records[i]->hWnd);
    }
    return all;
}

std::shared_ptr<SWindowClass> CWindowManager::FindClass(LPCWSTR lpClassName, HINSTANCE hInstance) const
{
    if (lpClassName == nullptr)
        return nullptr;
    EnsureBuiltInClasses();
    auto matches = [&](const std::shared_ptr<SWindowClass>& pClass)
    {
        if (IS_INTRESOURCE(lpClassName))
            return pClass->nAtom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(lpClassName));
        return EqualsNoCase(pClass->strName, lpClassName);
    };
    // A class of the same module first, then a global one, then any: modules
    // loaded at run time create windows of classes the program registered.
    for (const auto& pClass : m_classes)
    {
        if (matches(pClass) && pClass->hInstance == hInstance)
            return pClass;
    }
    for (const auto& pClass : m_classes)
    {
        if (matches(pClass) && ((pClass->nStyle & CS_GLOBALCLASS) != 0 || pClass->hInstance == nullptr))
            return pClass;
    }
    for (const auto& pClass : m_classes)
    {
        if (matches(pClass))
            return pClass;
    }
    return nullptr;
}

POINT CWindowManager::ClientOriginOnScreen(const SWindowRecord& record)
{
    POINT origin{record.rcWindow.left + record.rcClient.left, record.rcWindow.top + record.rcClient.top};
    if (record.hParent != nullptr)
    {
        if (SWindowRecord* pParent = FindQuiet(record.hParent))
        {
            const POINT parentOrigin = ClientOriginOnScreen(*pParent);
            origin.x += parentOrigin.x;
            origin.y += parentOrigin.y;
        }
    }
    return origin;
}

RECT CWindowManager::WindowRectOnScreen(const SWindowRecord& record)
{
    RECT rc = record.rcWindow;
    if (record.hParent != nullptr)
    {
        if (SWindowRecord* pParent = FindQuiet(record.hParent))
        {
            const POINT parentOrigin = ClientOriginOnScreen(*pParent);
            OffsetRect(&rc, parentOrigin.x, parentOrigin.y);
        }
    }
    return rc;
}

bool CWindowManager::IsVisibleOnScreen(const SWindowRecord& record)
{
    const SWindowRecord* pRecord = &record;
    while (pRecord != nullptr)
    {
        if ((pRecord->dwStyle & WS_VISIBLE) == 0)
            return false;
        pRecord = pRecord->hParent != nullptr ? FindQuiet(pRecord->hParent) : nullptr;
    }
    return true;
}

HWND CWindowManager::TopLevelOf(HWND hWnd)
{
    SWindowRecord* pRecord = FindQuiet(hWnd);
    while (pRecord != nullptr && pRecord->hParent != nullptr)
    {
        SWindowRecord* pParent = FindQuiet(pRecord->hParent);
        if (pParent == nullptr)
            break;
        pRecord = pParent;
    }
    return pRecord != nullptr ? pRecord->hWnd : nullptr;
}

// ---------------------------------------------------------------------------
// Window classes

ATOM RegisterClassExW(const WNDCLASSEXW* lpwcx)
{
    if (lpwcx == nullptr || lpwcx->cbSize != sizeof(WNDCLASSEXW) || lpwcx->lpszClassName == nullptr ||
        IS_INTRESOURCE(lpwcx->lpszClassName) || lpwcx->lpszClassName[0] == L'\0' ||
        lpwcx->lpfnWndProc == nullptr || lpwcx->cbClsExtra < 0 || lpwcx->cbWndExtra < 0 ||
        lpwcx->cbClsExtra > 40000 || lpwcx->cbWndExtra > 40000)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    CWindowManager& manager = CWindowManager::Get();
    for (const auto& pClass : manager.m_classes)
    {
        if (EqualsNoCase(pClass->strName, lpwcx->lpszClassName) &&
            (pClass->hInstance == lpwcx->hInstance || (pClass->nStyle & CS_GLOBALCLASS) != 0))
        {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
    }
    auto pClass = std::make_shared<SWindowClass>();
    pClass->strName = lpwcx->lpszClassName;
    pClass->nAtom = manager.m_nNextAtom++;
    pClass->nStyle = lpwcx->style;
    pClass->pfnWndProc = lpwcx->lpfnWndProc;
    pClass->nClassExtra = lpwcx->cbClsExtra;
    pClass->nWindowExtra = lpwcx->cbWndExtra;
    pClass->hInstance = lpwcx->hInstance;
    pClass->hIcon = lpwcx->hIcon;
    pClass->hIconSmall = lpwcx->hIconSm;
    pClass->hCursor = lpwcx->hCursor;
    pClass->hBackground = lpwcx->hbrBackground;
    pClass->classExtra.assign(static_cast<size_t>(lpwcx->cbClsExtra), 0);
    manager.m_classes.push_back(pClass);
    return pClass->nAtom;
}

ATOM RegisterClassW(const WNDCLASSW* lpWndClass)
{
    if (lpWndClass == nullptr)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const WNDCLASSEXW extended{sizeof(WNDCLASSEXW),      lpWndClass->style,         lpWndClass->lpfnWndProc,
                               lpWndClass->cbClsExtra,   lpWndClass->cbWndExtra,    lpWndClass->hInstance,
                               lpWndClass->hIcon,        lpWndClass->hCursor,       lpWndClass->hbrBackground,
                               lpWndClass->lpszMenuName, lpWndClass->lpszClassName, nullptr};
    return RegisterClassExW(&extended);
}

BOOL UnregisterClassW(LPCWSTR lpClassName, HINSTANCE hInstance)
{
    CWindowManager& manager = CWindowManager::Get();
    std::shared_ptr<SWindowClass> pClass = manager.FindClass(lpClassName, hInstance);
    if (!pClass || pClass->nAtom == 32769)
    {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (pClass->nWindowCount > 0)
    {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    std::erase(manager.m_classes, pClass);
    return TRUE;
}

BOOL GetClassInfoExW(HINSTANCE hInstance, LPCWSTR lpszClass, WNDCLASSEXW* lpwcx)
{
    std::shared_ptr<SWindowClass> pClass = CWindowManager::Get().FindClass(lpszClass, hInstance);
    if (!pClass || lpwcx == nullptr)
    {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    lpwcx->style = pClass->nStyle;
    lpwcx->lpfnWndProc = pClass->pfnWndProc;
    lpwcx->cbClsExtra = pClass->nClassExtra;
    lpwcx->cbWndExtra = pClass->nWindowExtra;
    lpwcx->hInstance = pClass->hInstance;
    lpwcx->hIcon = pClass->hIcon;
    lpwcx->hCursor = pClass->hCursor;
    lpwcx->hbrBackground = pClass->hBackground;
    lpwcx->lpszMenuName = nullptr;
    // The name stays valid while the class is registered.
    lpwcx->lpszClassName = pClass->strName.c_str();
    lpwcx->hIconSm = pClass->hIconSmall;
    return pClass->nAtom;
}

int GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hWnd);
    if (pRecord == nullptr || lpClassName == nullptr || nMaxCount <= 0)
        return 0;
    const std::wstring& strName = pRecord->pClass->strName;
    const int nCopied = std::min(static_cast<int>(strName.size()), nMaxCount - 1);
    std::copy_n(strName.begin(), nCopied, lpClassName);
    lpClassName[nCopied] = L'\0';
    return nCopied;
}

ULONG_PTR GetClassLongPtrW(HWND hWnd, int nIndex)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hWnd);
    if (pRecord == nullptr)
        return 0;
    const SWindowClass& cls = *pRecord->pClass;
    switch (nIndex)
    {
        case GCLP_HBRBACKGROUND:
            return reinterpret_cast<ULONG_PTR>(cls.hBackground);
        case GCLP_HCURSOR:
            return reinterpret_cast<ULONG_PTR>(cls.hCursor);
        case GCLP_HICON:
            return reinterpret_cast<ULONG_PTR>(cls.hIcon);
        case GCLP_HMODULE:
            return reinterpret_cast<ULONG_PTR>(cls.hInstance);
        case GCL_CBWNDEXTRA:
            return static_cast<ULONG_PTR>(cls.nWindowExtra);
        case GCL_CBCLSEXTRA:
            return static_cast<ULONG_PTR>(cls.nClassExtra);
        case GCLP_WNDPROC:
            return reinterpret_cast<ULONG_PTR>(cls.pfnWndProc);
        case GCL_STYLE:
            return cls.nStyle;
        default:
            break;
    }
    if (nIndex >= 0 && static_cast<size_t>(nIndex) + sizeof(ULONG_PTR) <= cls.classExtra.size())
    {
        ULONG_PTR nValue = 0;
        std::copy_n(cls.classExtra.begin() + nIndex, sizeof(nValue), reinterpret_cast<BYTE*>(&nValue));
        return nValue;
    }
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
}

ULONG_PTR SetClassLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    SWindowRecord* pRecord = CWindowManager::Get().Find(hWnd);
    if (pRecord == nullptr)
        return 0;
    SWindowClass& cls = *pRecord->pClass;
    const ULONG_PTR nOld = GetClassLongPtrW(hWnd, nIndex);
    switch (nIndex)
    {
        case GCLP_HBRBACKGROUND:
            cls.hBackground = reinterpret_cast<HBRUSH>(dwNewLong);
            return nOld;
        case GCLP_HCURSOR:
            cls.hCursor = reinterpret_cast<HCURSOR>(dwNewLong);
            return nOld;
        case GCLP_HICON:
            cls.hIcon = reinterpret_cast<HICON>(dwNewLong);
            return nOld;
        case GCLP_WNDPROC:
            if (dwNewLong == 0)
                break;
            cls.pfnWndProc = reinterpret_cast<WNDPROC>(dwNewLong);
            return nOld;
        case GCL_STYLE:
            cls.nStyle = static_cast<UINT>(dwNewLong);
            return nOld;
        default:
            if (nIndex >= 0 && static_cast<size_t>(nIndex) + sizeof(LONG_PTR) <= cls.classExtra.size())
            {
                std::copy_n(reinterpret_cast<const BYTE*>(&dwNewLong), sizeof(dwNewLong),
                            cls.classExtra.begin() + nIndex);
                return nOld;
            }
            break;
    }
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
}
