#include "Responder.h"

#include "Asking.h"
#include "CommonDialogs.h"
#include "Files.h"
#include "Headless.h"
#include "WindowManager.h"

#include <algorithm>

namespace
{

CResponder* g_pCurrent = nullptr;
PFN_HEADLESSIDLE g_pfnIdleBeforeResponders = nullptr;

std::vector<HWND>& ModalWindows()
{
    static auto* s_pWindows = new std::vector<HWND>;
    return *s_pWindows;
}

// A modal loop with nothing to do hands over to the responder.
bool ActInInnermostModalLoop()
{
    const HWND hModal = CurrentModalWindow();
    if (hModal != nullptr && g_pCurrent != nullptr && g_pCurrent->ActInModalDialog(hModal))
        return true;
    return g_pfnIdleBeforeResponders != nullptr && g_pfnIdleBeforeResponders();
}

std::wstring Quoted(const std::wstring& strText)
{
    return L"\"" + strText + L"\"";
}

std::wstring FolderOf(const std::wstring& strPath)
{
    const size_t nSlash = strPath.find_last_of(L"\\/");
    return nSlash == std::wstring::npos ? std::wstring() : strPath.substr(0, nSlash == 0 ? 1 : nSlash);
}

} // namespace

void PushModalWindow(HWND hWnd)
{
    ModalWindows().push_back(hWnd);
}

void PopModalWindow(HWND hWnd)
{
    auto& windows = ModalWindows();
    auto it = std::find(windows.rbegin(), windows.rend(), hWnd);
    if (it != windows.rend())
        windows.erase(std::next(it).base());
}

HWND CurrentModalWindow()
{
    return ModalWindows().empty() ? nullptr : ModalWindows().back();
}

std::vector<int> MessageBoxButtons(UINT uType)
{
    switch (uType & MB_TYPEMASK)
    {
        case MB_OKCANCEL:
            return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE:
            return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL:
            return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO:
            return {IDYES, IDNO};
        case MB_RETRYCANCEL:
            return {IDRETRY, IDCANCEL};
        case MB_CANCELTRYCONTINUE:
            return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
        default:
            return {IDOK};
    }
}

int MessageBoxDefaultAnswer(UINT uType)
{
    const std::vector<int> buttons = MessageBoxButtons(uType);
    const size_t nIndex = (uType & MB_DEFMASK) >> 8;
    return nIndex < buttons.size() ? buttons[nIndex] : buttons.front();
}

CResponder::CResponder() : m_pPrevious(g_pCurrent)
{
    if (g_pCurrent == nullptr)
        g_pfnIdleBeforeResponders = SetHeadlessIdleHook(ActInInnermostModalLoop);
    g_pCurrent = this;
}

CResponder::~CResponder()
{
    if (g_pCurrent == this)
        g_pCurrent = m_pPrevious;
    if (g_pCurrent == nullptr)
        SetHeadlessIdleHook(g_pfnIdleBeforeResponders);
}

CResponder* CResponder::Current()
{
    return g_pCurrent;
}

void CResponder::QueueMessageBoxAnswer(int nAnswer)
{
    m_messageBoxAnswers.push_back(nAnswer);
}

void CResponder::SetMessageBoxHandler(std::function<int(const SQuestion&)> handler)
{
    m_messageBoxHandler = std::move(handler);
}

void CResponder::QueueFileAnswer(std::vector<std::wstring> paths)
{
    m_fileAnswers.push_back(std::move(paths));
}

void CResponder::QueueMenuChoice(UINT nCommand)
{
    m_menuChoices.push_back(nCommand);
}

void CResponder::SetMenuHandler(std::function<UINT(HMENU, const SQuestion&)> handler)
{
    m_menuHandler = std::move(handler);
}

void CResponder::QueueDialogAction(FDialogAction action)
{
    m_dialogActions.push_back(std::move(action));
}

int CResponder::AnswerMessageBox(SQuestion question)
{
    const int nDefault = MessageBoxDefaultAnswer(question.nStyle);
    int nAnswer = nDefault;
    if (!m_messageBoxAnswers.empty())
    {
        nAnswer = m_messageBoxAnswers.front();
        m_messageBoxAnswers.pop_front();
    }
    else if (m_messageBoxHandler)
        nAnswer = m_messageBoxHandler(question);
    else
    {
        question.bAnsweredByDefault = true;
        PlatformLog(L"MessageBox " + Quoted(question.strText) + L": no answer queued; answered " +
                    std::to_wstring(nDefault) + L", its default");
    }
    const std::vector<int> buttons = MessageBoxButtons(question.nStyle);
    if (std::find(buttons.begin(), buttons.end(), nAnswer) == buttons.end())
    {
        PlatformLog(L"MessageBox " + Quoted(question.strText) + L": it has no button " +
                    std::to_wstring(nAnswer) + L"; answered " + std::to_wstring(nDefault) + L", its default");
        nAnswer = nDefault;
        question.bAnsweredByDefault = true;
    }
    question.nAnswer = nAnswer;
    m_questions.push_back(std::move(question));
    return nAnswer;
}

std::vector<std::wstring> CResponder::AnswerFileDialog(SQuestion question)
{
    std::vector<std::wstring> paths;
    if (!m_fileAnswers.empty())
    {
        paths = std::move(m_fileAnswers.front());
        m_fileAnswers.pop_front();
    }
    else
    {
        question.bAnsweredByDefault = true;
        PlatformLog(L"File dialog " + Quoted(question.strCaption) + L": no answer queued; cancelled");
    }
    if (paths.size() > 1 && (question.nStyle & OFN_ALLOWMULTISELECT) == 0)
    {
        PlatformLog(L"File dialog " + Quoted(question.strCaption) +
                    L": several files answered to a single choice; "
                    L"cancelled");
        paths.clear();
    }
    // The checks the real dialog makes before it lets a choice through.
    for (const std::wstring& strPath : paths)
    {
        const std::wstring strFolder = FolderOf(strPath);
        const bool bMissingFile =
            (question.nStyle & OFN_FILEMUSTEXIST) != 0 && !PathFileExistsW(strPath.c_str());
        const bool bMissingFolder = (question.nStyle & OFN_PATHMUSTEXIST) != 0 && !strFolder.empty() &&
                                    !PathFileExistsW(strFolder.c_str());
        if (bMissingFile || bMissingFolder)
        {
            PlatformLog(L"File dialog " + Quoted(question.strCaption) + L": " + Quoted(strPath) +
                        (bMissingFile ? L" does not exist" : L" is in a folder that does not exist") +
                        L"; cancelled");
            paths.clear();
            break;
        }
    }
    question.paths = paths;
    question.nAnswer = paths.empty() ? IDCANCEL : IDOK;
    m_questions.push_back(std::move(question));
    return paths;
}

UINT CResponder::AnswerPopupMenu(HMENU hMenu, SQuestion question)
{
    UINT nChoice = 0;
    if (!m_menuChoices.empty())
    {
        nChoice = m_menuChoices.front();
        m_menuChoices.pop_front();
    }
    else if (m_menuHandler)
        nChoice = m_menuHandler(hMenu, question);
    else
    {
        question.bAnsweredByDefault = true;
        PlatformLog(L"TrackPopupMenu: no choice queued; the menu was dismissed");
    }
    question.nAnswer = nChoice;
    m_questions.push_back(std::move(question));
    return nChoice;
}

bool CResponder::ActInModalDialog(HWND hDialog)
{
    if (m_dialogActions.empty())
        return false;
    FDialogAction action = std::move(m_dialogActions.front());
    m_dialogActions.pop_front();
    SQuestion question;
    question.eKind = EQuestion::Dialog;
    question.hDialog = hDialog;
    question.hOwner = GetWindow(hDialog, GW_OWNER);
    const int nLength = GetWindowTextLengthW(hDialog);
    std::wstring strCaption(static_cast<size_t>(nLength) + 1, L'\0');
    strCaption.resize(static_cast<size_t>(GetWindowTextW(hDialog, strCaption.data(), nLength + 1)));
    question.strCaption = strCaption;
    m_questions.push_back(std::move(question));
    action(hDialog);
    return true;
}

int AskMessageBox(HWND hWnd, const std::wstring& strText, const std::wstring& strCaption, UINT uType)
{
    SQuestion question;
    question.eKind = EQuestion::MessageBox;
    question.hOwner = hWnd;
    question.strText = strText;
    question.strCaption = strCaption;
    question.nStyle = uType;
    if (g_pCurrent != nullptr)
        return g_pCurrent->AnswerMessageBox(std::move(question));
    const int nDefault = MessageBoxDefaultAnswer(uType);
    PlatformLog(L"MessageBox " + Quoted(strCaption) + L" " + Quoted(strText) + L": no responder; answered " +
                std::to_wstring(nDefault) + L", its default");
    return nDefault;
}

std::vector<std::wstring> AskFileNames(const SFileQuestion& fileQuestion)
{
    SQuestion question;
    question.eKind = fileQuestion.bSave ? EQuestion::SaveFile : EQuestion::OpenFile;
    question.hOwner = fileQuestion.hOwner;
    question.strText = fileQuestion.strInitialName;
    question.strCaption = fileQuestion.strTitle;
    question.strFilter = fileQuestion.strFilter;
    question.strDefaultExtension = fileQuestion.strDefaultExtension;
    question.strInitialDirectory = fileQuestion.strInitialDirectory;
    question.nStyle = fileQuestion.dwFlags;
    if (g_pCurrent != nullptr)
        return g_pCurrent->AnswerFileDialog(std::move(question));
    PlatformLog(L"File dialog " + Quoted(fileQuestion.strTitle) + L": no responder; cancelled");
    return {};
}

UINT AskPopupMenu(HMENU hMenu, UINT uFlags, POINT, HWND hOwner, const std::wstring& strItems)
{
    SQuestion question;
    question.eKind = EQuestion::PopupMenu;
    question.hOwner = hOwner;
    question.strText = strItems;
    question.nStyle = uFlags;
    if (g_pCurrent != nullptr)
        return g_pCurrent->AnswerPopupMenu(hMenu, std::move(question));
    PlatformLog(L"TrackPopupMenu: no responder; the menu was dismissed");
    return 0;
}
