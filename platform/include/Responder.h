// The test responder: answers what the platform would ask a person (message
// boxes, file dialogs, pop-up menus) and acts inside modal dialogs while
// their nested loops run, and records every question. A test makes one on
// the stack; the newest one answers, and it stops answering when it goes out
// of scope.
//
// Modal dialogs: a queued dialog action runs when the innermost modal loop
// has nothing left to do (after WM_INITDIALOG and everything it posted). The
// action may set texts, inject keys and clicks, or end the dialog; if the
// dialog is still up when the loop is idle again, the next queued action
// runs. When none is left the dialog ends with -1 and a diagnostic line,
// rather than waiting for ever.
#pragma once

#include "WinUser.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

enum class EQuestion
{
    MessageBox,
    OpenFile,
    SaveFile,
    PopupMenu,
    Dialog,
};

struct SQuestion
{
    EQuestion eKind = EQuestion::MessageBox;
    HWND hOwner = nullptr;
    // Message box: text, caption and MB_ style. File dialog: initial name,
    // title, filter ('|'-separated), default extension, initial folder and
    // OFN_ flags. Pop-up menu: its items, one a line ("text [command]"), and
    // the TPM_ flags. Dialog: its caption and window.
    std::wstring strText;
    std::wstring strCaption;
    std::wstring strFilter;
    std::wstring strDefaultExtension;
    std::wstring strInitialDirectory;
    UINT nStyle = 0;
    HWND hDialog = nullptr;
    // What was answered: the button, the command, the dialog's result, and
    // for a file dialog the paths (none for a cancel).
    INT_PTR nAnswer = 0;
    std::vector<std::wstring> paths;
    bool bAnsweredByDefault = false;
};

class CResponder
{
public:
    CResponder();
    ~CResponder();
    CResponder(const CResponder&) = delete;
    CResponder& operator=(const CResponder&) = delete;

    // The responder answering now, or null.
    static CResponder* Current();

    // Message boxes: queued answers first, then the handler, then the
    // default button. An answer the box does not offer is replaced by the
    // default, with a diagnostic line.
    void QueueMessageBoxAnswer(int nAnswer);
    void SetMessageBoxHandler(std::function<int(const SQuestion&)> handler);

    // File dialogs: each queued answer is the chosen path, several paths for
    // a multiple selection, or none to cancel.
    void QueueFileAnswer(std::vector<std::wstring> paths);
    void QueueFileAnswer(const std::wstring& strPath) { QueueFileAnswer(std::vector<std::wstring>{strPath}); }
    void QueueFileCancel() { QueueFileAnswer(std::vector<std::wstring>{}); }

    // Pop-up menus: the command to choose (0 dismisses the menu).
    void QueueMenuChoice(UINT nCommand);
    void SetMenuHandler(std::function<UINT(HMENU, const SQuestion&)> handler);

    // Modal dialogs: actions run in turn, each in the innermost modal loop
    // when it is idle, given that loop's window.
    using FDialogAction = std::function<void(HWND hDialog)>;
    void QueueDialogAction(FDialogAction action);

    // Everything asked so far, in order.
    const std::vector<SQuestion>& Questions() const { return m_questions; }
    size_t PendingDialogActions() const { return m_dialogActions.size(); }

    // For the platform.
    int AnswerMessageBox(SQuestion question);
    std::vector<std::wstring> AnswerFileDialog(SQuestion question);
    UINT AnswerPopupMenu(HMENU hMenu, SQuestion question);
    bool ActInModalDialog(HWND hDialog);

private:
    CResponder* m_pPrevious = nullptr;
    std::deque<int> m_messageBoxAnswers;
    std::function<int(const SQuestion&)> m_messageBoxHandler;
    std::deque<std::vector<std::wstring>> m_fileAnswers;
    std::deque<UINT> m_menuChoices;
    std::function<UINT(HMENU, const SQuestion&)> m_menuHandler;
    std::deque<FDialogAction> m_dialogActions;
    std::vector<SQuestion> m_questions;
};

// The buttons a message box style offers, in order, and its default answer.
std::vector<int> MessageBoxButtons(UINT uType);
int MessageBoxDefaultAnswer(UINT uType);
