// The message-map macros. Each ON_... entry carries a captureless lambda that
// casts the target to ThisClass (the class named in BEGIN_MESSAGE_MAP) and
// calls the handler through a pointer to member of exactly the class
// library's handler type, so a handler with another signature does not
// compile.
#pragma once

#include "CmdTarget.h"
#include "Geometry.h"

#include <type_traits>

class CDC;
class CScrollBar;

#define afx_msg

// The drawing layer's CDC for a device context handle (null until it is
// installed, or for a null handle).
CDC* AfxDCFromHandle(HDC hdc);
void AfxSetDCFromHandleHook(CDC* (*pfnFromHandle)(HDC hdc));

#define DECLARE_MESSAGE_MAP()                                                                                \
protected:                                                                                                   \
    static const AFX_MSGMAP* GetThisMessageMap();                                                            \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const AFX_MSGMAP* theClass::GetMessageMap() const                                                        \
    {                                                                                                        \
        return GetThisMessageMap();                                                                          \
    }                                                                                                        \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                          \
    {                                                                                                        \
        using ThisClass = theClass;                                                                          \
        using TheBaseClass = baseClass;                                                                      \
        static_assert(std::is_base_of_v<TheBaseClass, ThisClass>,                                            \
                      "the base of a message map must be a base class");                                     \
        static const AFX_MSGMAP_ENTRY s_messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                    \
    {                                                                                                        \
        0, 0, 0, 0, nullptr, nullptr                                                                         \
    }                                                                                                        \
    }                                                                                                        \
    ;                                                                                                        \
    static const AFX_MSGMAP s_messageMap = {&TheBaseClass::GetThisMessageMap, &s_messageEntries[0]};         \
    return &s_messageMap;                                                                                    \
    }

// Calls a handler of ThisClass through a pointer to member of the given type.
#define AFX_CALL(memberFxn, type)                                                                            \
    (static_cast<ThisClass*>(pTarget)->*static_cast<type>(&ThisClass::memberFxn))

#define AFX_ENTRY(message, code, id, lastId, registered, ...)                                                \
    {static_cast<UINT>(message),                                                                             \
     static_cast<UINT>(code),                                                                                \
     static_cast<UINT>(id),                                                                                  \
     static_cast<UINT>(lastId),                                                                              \
     registered,                                                                                             \
     [](CCmdTarget* pTarget, AFX_DISPATCH& d) -> LRESULT                                                     \
     {                                                                                                       \
         (void)pTarget;                                                                                      \
         (void)d;                                                                                            \
         __VA_ARGS__                                                                                         \
     }},

#define AFX_POINT_LPARAM CPoint(GET_X_LPARAM(d.lParam), GET_Y_LPARAM(d.lParam))
#define AFX_WND_WPARAM CWnd::FromHandle(reinterpret_cast<HWND>(d.wParam))
#define AFX_WND_LPARAM CWnd::FromHandle(reinterpret_cast<HWND>(d.lParam))

// Window messages -----------------------------------------------------------

#define AFX_VOID_NOARGS(message, memberFxn)                                                                  \
    AFX_ENTRY(message, 0, 0, 0, nullptr, AFX_CALL(memberFxn, void (ThisClass::*)())(); return 0;)
#define AFX_MOUSE(message, memberFxn)                                                                        \
    AFX_ENTRY(message, 0, 0, 0, nullptr,                                                                     \
              AFX_CALL(memberFxn, void (ThisClass::*)(UINT, CPoint))(static_cast<UINT>(d.wParam),            \
                                                                     AFX_POINT_LPARAM);                      \
              return 0;)
#define AFX_KEY(message, memberFxn)                                                                          \
    AFX_ENTRY(message, 0, 0, 0, nullptr,                                                                     \
              AFX_CALL(memberFxn, void (ThisClass::*)(UINT, UINT, UINT))(                                    \
                  static_cast<UINT>(d.wParam), LOWORD(static_cast<ULONG_PTR>(d.lParam)),                     \
                  HIWORD(static_cast<ULONG_PTR>(d.lParam)));                                                 \
              return 0;)

#define ON_WM_CREATE()                                                                                       \
    AFX_ENTRY(WM_CREATE, 0, 0, 0, nullptr,                                                                   \
              return AFX_CALL(OnCreate, int(ThisClass::*)(LPCREATESTRUCT))(                                  \
                  reinterpret_cast<LPCREATESTRUCT>(d.lParam));)
#define ON_WM_NCCREATE()                                                                                     \
    AFX_ENTRY(WM_NCCREATE, 0, 0, 0, nullptr,                                                                 \
              return AFX_CALL(OnNcCreate, BOOL(ThisClass::*)(LPCREATESTRUCT))(                               \
                  reinterpret_cast<LPCREATESTRUCT>(d.lParam));)
#define ON_WM_DESTROY() AFX_VOID_NOARGS(WM_DESTROY, OnDestroy)
#define ON_WM_NCDESTROY() AFX_VOID_NOARGS(WM_NCDESTROY, OnNcDestroy)
#define ON_WM_PAINT() AFX_VOID_NOARGS(WM_PAINT, OnPaint)
#define ON_WM_NCPAINT() AFX_VOID_NOARGS(WM_NCPAINT, OnNcPaint)
#define ON_WM_CLOSE() AFX_VOID_NOARGS(WM_CLOSE, OnClose)
#define ON_WM_MOUSELEAVE() AFX_VOID_NOARGS(WM_MOUSELEAVE, OnMouseLeave)
#define ON_WM_CANCELMODE() AFX_VOID_NOARGS(WM_CANCELMODE, OnCancelMode)
#define ON_WM_SYSCOLORCHANGE() AFX_VOID_NOARGS(WM_SYSCOLORCHANGE, OnSysColorChange)
#define ON_WM_ERASEBKGND()                                                                                   \
    AFX_ENTRY(WM_ERASEBKGND, 0, 0, 0, nullptr,                                                               \
              return AFX_CALL(OnEraseBkgnd,                                                                  \
                              BOOL(ThisClass::*)(CDC*))(AfxDCFromHandle(reinterpret_cast<HDC>(d.wParam)));)
#define ON_WM_CTLCOLOR()                                                                                     \
    AFX_ENTRY(                                                                                               \
        WM_CTLCOLOR, 0, 0, 0, nullptr,                                                                       \
        return reinterpret_cast<LRESULT>(AFX_CALL(OnCtlColor, HBRUSH(ThisClass::*)(CDC*, CWnd*, UINT))(      \
            AfxDCFromHandle(reinterpret_cast<HDC>(d.wParam)), AFX_WND_LPARAM,                                \
            d.nMessage - WM_CTLCOLORMSGBOX));)
#define ON_WM_TIMER()                                                                                        \
    AFX_ENTRY(WM_TIMER, 0, 0, 0, nullptr,                                                                    \
              AFX_CALL(OnTimer, void (ThisClass::*)(UINT_PTR))(static_cast<UINT_PTR>(d.wParam));             \
              return 0;)
#define ON_WM_SETCURSOR()                                                                                    \
    AFX_ENTRY(WM_SETCURSOR, 0, 0, 0, nullptr,                                                                \
              return AFX_CALL(OnSetCursor, BOOL(ThisClass::*)(CWnd*, UINT, UINT))(                           \
                  AFX_WND_WPARAM,                                                                            \
                  static_cast<UINT>(static_cast<SHORT>(LOWORD(static_cast<ULONG_PTR>(d.lParam)))),           \
                  HIWORD(static_cast<ULONG_PTR>(d.lParam)));)
#define ON_WM_SIZE()                                                                                         \
    AFX_ENTRY(WM_SIZE, 0, 0, 0, nullptr,                                                                     \
              AFX_CALL(OnSize, void (ThisClass::*)(UINT, int, int))(                                         \
                  static_cast<UINT>(d.wParam), LOWORD(static_cast<ULONG_PTR>(d.lParam)),                     \
                  HIWORD(static_cast<ULONG_PTR>(d.lParam)));                                                 \
              return 0;)
#define ON_WM_MOVE()                                                                                         \
    AFX_ENTRY(                                                                                               \
        WM_MOVE, 0, 0, 0, nullptr,                                                                           \
        AFX_CALL(OnMove, void (ThisClass::*)(int, int))(GET_X_LPARAM(d.lParam), GET_Y_LPARAM(d.lParam));     \
        return 0;)
#define ON_WM_GETMINMAXINFO()                                                                                \
    AFX_ENTRY(WM_GETMINMAXINFO, 0, 0, 0, nullptr,                                                            \
              AFX_CALL(OnGetMinMaxInfo,                                                                      \
                       void (ThisClass::*)(MINMAXINFO*))(reinterpret_cast<MINMAXINFO*>(d.lParam));           \
              return 0;)
#define ON_WM_WINDOWPOSCHANGING()                                                                            \
    AFX_ENTRY(WM_WINDOWPOSCHANGING, 0, 0, 0, nullptr,                                                        \
              AFX_CALL(OnWindowPosChanging,                                                                  \
                       void (ThisClass::*)(WINDOWPOS*))(reinterpret_cast<WINDOWPOS*>(d.lParam));             \
              return 0;)
#define ON_WM_WINDOWPOSCHANGED()                                                                             \
    AFX_ENTRY(WM_WINDOWPOSCHANGED, 0, 0, 0, nullptr,                                                         \
              AFX_CALL(OnWindowPosChanged,                                                                   \
                       void (ThisClass::*)(WINDOWPOS*))(reinterpret_cast<WINDOWPOS*>(d.lParam));             \
              return 0;)
#define ON_WM_SHOWWINDOW()                                                                                   \
    AFX_ENTRY(WM_SHOWWINDOW, 0, 0, 0, nullptr,                                                               \
              AFX_CALL(OnShowWindow, void (ThisClass::*)(BOOL, UINT))(static_cast<BOOL>(d.wParam),           \
                                                                      static_cast<UINT>(d.lParam));          \
              return 0;)
#define ON_WM_ENABLE()                                                                                       \
    AFX_ENTRY(WM_ENABLE, 0, 0, 0, nullptr,                                                                   \
              AFX_CALL(OnEnable, void (ThisClass::*)(BOOL))(static_cast<BOOL>(d.wParam));                    \
              return 0;)
#define ON_WM_ACTIVATE()                                                                                     \
    AFX_ENTRY(WM_ACTIVATE, 0, 0, 0, nullptr,                                                                 \
              AFX_CALL(OnActivate, void (ThisClass::*)(UINT, CWnd*, BOOL))(                                  \
                  LOWORD(d.wParam), AFX_WND_LPARAM, static_cast<BOOL>(HIWORD(d.wParam)));                    \
              return 0;)
#define ON_WM_ACTIVATEAPP()                                                                                  \
    AFX_ENTRY(WM_ACTIVATEAPP, 0, 0, 0, nullptr,                                                              \
              AFX_CALL(OnActivateApp, void (ThisClass::*)(BOOL, DWORD))(static_cast<BOOL>(d.wParam),         \
                                                                        static_cast<DWORD>(d.lParam));       \
              return 0;)
#define ON_WM_NCACTIVATE()                                                                                   \
    AFX_ENTRY(WM_NCACTIVATE, 0, 0, 0, nullptr,                                                               \
              return AFX_CALL(OnNcActivate, BOOL(ThisClass::*)(BOOL))(static_cast<BOOL>(d.wParam));)
#define ON_WM_MOUSEACTIVATE()                                                                                \
    AFX_ENTRY(WM_MOUSEACTIVATE, 0, 0, 0, nullptr,                                                            \
              return AFX_CALL(OnMouseActivate, int(ThisClass::*)(CWnd*, UINT, UINT))(                        \
                  AFX_WND_WPARAM, LOWORD(static_cast<ULONG_PTR>(d.lParam)),                                  \
                  HIWORD(static_cast<ULONG_PTR>(d.lParam)));)
#define ON_WM_SETFOCUS()                                                                                     \
    AFX_ENTRY(WM_SETFOCUS, 0, 0, 0, nullptr,                                                                 \
              AFX_CALL(OnSetFocus, void (ThisClass::*)(CWnd*))(AFX_WND_WPARAM);                              \
              return 0;)
#define ON_WM_KILLFOCUS()                                                                                    \
    AFX_ENTRY(WM_KILLFOCUS, 0, 0, 0, nullptr,                                                                \
              AFX_CALL(OnKillFocus, void (ThisClass::*)(CWnd*))(AFX_WND_WPARAM);                             \
              return 0;)
#define ON_WM_CAPTURECHANGED()                                                                               \
    AFX_ENTRY(WM_CAPTURECHANGED, 0, 0, 0, nullptr,                                                           \
              AFX_CALL(OnCaptureChanged, void (ThisClass::*)(CWnd*))(AFX_WND_LPARAM);                        \
              return 0;)
#define ON_WM_GETDLGCODE()                                                                                   \
    AFX_ENTRY(WM_GETDLGCODE, 0, 0, 0, nullptr, return AFX_CALL(OnGetDlgCode, UINT(ThisClass::*)())();)
#define ON_WM_KEYDOWN() AFX_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() AFX_KEY(WM_SYSCHAR, OnSysChar)
#define ON_WM_MOUSEMOVE() AFX_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_MOUSE(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_MOUSEHOVER() AFX_MOUSE(WM_MOUSEHOVER, OnMouseHover)
#define ON_WM_NCMOUSEMOVE() AFX_MOUSE(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_MOUSE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_MOUSE(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_MOUSE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_MOUSE(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() AFX_MOUSE(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_MOUSEWHEEL()                                                                                   \
    AFX_ENTRY(WM_MOUSEWHEEL, 0, 0, 0, nullptr,                                                               \
              return AFX_CALL(OnMouseWheel, BOOL(ThisClass::*)(UINT, short, CPoint))(                        \
                  GET_KEYSTATE_WPARAM(d.wParam), static_cast<short>(GET_WHEEL_DELTA_WPARAM(d.wParam)),       \
                  AFX_POINT_LPARAM);)
#define ON_WM_MOUSEHWHEEL()                                                                                  \
    AFX_ENTRY(WM_MOUSEHWHEEL, 0, 0, 0, nullptr,                                                              \
              AFX_CALL(OnMouseHWheel, void (ThisClass::*)(UINT, short, CPoint))(                             \
                  GET_KEYSTATE_WPARAM(d.wParam), static_cast<short>(GET_WHEEL_DELTA_WPARAM(d.wParam)),       \
                  AFX_POINT_LPARAM);                                                                         \
              return 0;)
#define ON_WM_NCHITTEST()                                                                                    \
    AFX_ENTRY(WM_NCHITTEST, 0, 0, 0, nullptr,                                                                \
              return AFX_CALL(OnNcHitTest, LRESULT(ThisClass::*)(CPoint))(AFX_POINT_LPARAM);)
#define ON_WM_NCCALCSIZE()                                                                                   \
    AFX_ENTRY(WM_NCCALCSIZE, 0, 0, 0, nullptr,                                                               \
              AFX_CALL(OnNcCalcSize, void (ThisClass::*)(BOOL, NCCALCSIZE_PARAMS*))(                         \
                  static_cast<BOOL>(d.wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(d.lParam));              \
              return 0;)
#define ON_WM_HSCROLL()                                                                                      \
    AFX_ENTRY(                                                                                               \
        WM_HSCROLL, 0, 0, 0, nullptr,                                                                        \
        AFX_CALL(OnHScroll, void (ThisClass::*)(UINT, UINT, CScrollBar*))(                                   \
            LOWORD(d.wParam), HIWORD(d.wParam), AfxScrollBarFromHandle(reinterpret_cast<HWND>(d.lParam)));   \
        return 0;)
#define ON_WM_VSCROLL()                                                                                      \
    AFX_ENTRY(                                                                                               \
        WM_VSCROLL, 0, 0, 0, nullptr,                                                                        \
        AFX_CALL(OnVScroll, void (ThisClass::*)(UINT, UINT, CScrollBar*))(                                   \
            LOWORD(d.wParam), HIWORD(d.wParam), AfxScrollBarFromHandle(reinterpret_cast<HWND>(d.lParam)));   \
        return 0;)
#define ON_WM_DRAWITEM()                                                                                     \
    AFX_ENTRY(WM_DRAWITEM, 0, 0, 0, nullptr,                                                                 \
              AFX_CALL(OnDrawItem, void (ThisClass::*)(int, LPDRAWITEMSTRUCT))(                              \
                  static_cast<int>(d.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(d.lParam));                 \
              return TRUE;)
#define ON_WM_MEASUREITEM()                                                                                  \
    AFX_ENTRY(WM_MEASUREITEM, 0, 0, 0, nullptr,                                                              \
              AFX_CALL(OnMeasureItem, void (ThisClass::*)(int, LPMEASUREITEMSTRUCT))(                        \
                  static_cast<int>(d.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(d.lParam));              \
              return TRUE;)
#define ON_WM_CONTEXTMENU()                                                                                  \
    AFX_ENTRY(WM_CONTEXTMENU, 0, 0, 0, nullptr,                                                              \
              AFX_CALL(OnContextMenu, void (ThisClass::*)(CWnd*, CPoint))(AFX_WND_WPARAM, AFX_POINT_LPARAM); \
              return 0;)
#define ON_WM_SETTINGCHANGE()                                                                                \
    AFX_ENTRY(WM_SETTINGCHANGE, 0, 0, 0, nullptr,                                                            \
              AFX_CALL(OnSettingChange, void (ThisClass::*)(UINT, LPCWSTR))(                                 \
                  static_cast<UINT>(d.wParam), reinterpret_cast<LPCWSTR>(d.lParam));                         \
              return 0;)
#define ON_WM_SIZING()                                                                                       \
    AFX_ENTRY(WM_SIZING, 0, 0, 0, nullptr,                                                                   \
              AFX_CALL(OnSizing, void (ThisClass::*)(UINT, LPRECT))(static_cast<UINT>(d.wParam),             \
                                                                    reinterpret_cast<LPRECT>(d.lParam));     \
              return TRUE;)
#define ON_WM_MOVING()                                                                                       \
    AFX_ENTRY(WM_MOVING, 0, 0, 0, nullptr,                                                                   \
              AFX_CALL(OnMoving, void (ThisClass::*)(UINT, LPRECT))(static_cast<UINT>(d.wParam),             \
                                                                    reinterpret_cast<LPRECT>(d.lParam));     \
              return TRUE;)
#define ON_WM_STYLECHANGED()                                                                                 \
    AFX_ENTRY(WM_STYLECHANGED, 0, 0, 0, nullptr,                                                             \
              AFX_CALL(OnStyleChanged, void (ThisClass::*)(int, LPSTYLESTRUCT))(                             \
                  static_cast<int>(d.wParam), reinterpret_cast<LPSTYLESTRUCT>(d.lParam));                    \
              return 0;)
#define ON_WM_PARENTNOTIFY()                                                                                 \
    AFX_ENTRY(WM_PARENTNOTIFY, 0, 0, 0, nullptr,                                                             \
              AFX_CALL(OnParentNotify, void (ThisClass::*)(UINT, LPARAM))(LOWORD(d.wParam), d.lParam);       \
              return 0;)
#define ON_WM_INITMENUPOPUP()                                                                                \
    AFX_ENTRY(WM_INITMENUPOPUP, 0, 0, 0, nullptr,                                                            \
              AFX_CALL(OnInitMenuPopup, void (ThisClass::*)(CMenu*, UINT, BOOL))(                            \
                  AfxMenuFromHandle(reinterpret_cast<HMENU>(d.wParam)),                                      \
                  LOWORD(static_cast<ULONG_PTR>(d.lParam)),                                                  \
                  static_cast<BOOL>(HIWORD(static_cast<ULONG_PTR>(d.lParam))));                              \
              return 0;)
#define ON_WM_ENTERIDLE()                                                                                    \
    AFX_ENTRY(WM_ENTERIDLE, 0, 0, 0, nullptr,                                                                \
              AFX_CALL(OnEnterIdle, void (ThisClass::*)(UINT, CWnd*))(static_cast<UINT>(d.wParam),           \
                                                                      AFX_WND_LPARAM);                       \
              return 0;)
#define ON_WM_SYSCOMMAND()                                                                                   \
    AFX_ENTRY(                                                                                               \
        WM_SYSCOMMAND, 0, 0, 0, nullptr,                                                                     \
        AFX_CALL(OnSysCommand, void (ThisClass::*)(UINT, LPARAM))(static_cast<UINT>(d.wParam), d.lParam);    \
        return 0;)

// Any message, and messages registered by name.
#define ON_MESSAGE(message, memberFxn)                                                                       \
    AFX_ENTRY(message, 0, 0, 0, nullptr,                                                                     \
              return AFX_CALL(memberFxn, LRESULT(ThisClass::*)(WPARAM, LPARAM))(d.wParam, d.lParam);)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                                   \
    AFX_ENTRY(AFX_REGISTERED_MESSAGE, 0, 0, 0, &nMessageVariable,                                            \
              return AFX_CALL(memberFxn, LRESULT(ThisClass::*)(WPARAM, LPARAM))(d.wParam, d.lParam);)

// Commands ------------------------------------------------------------------

#define ON_COMMAND(id, memberFxn)                                                                            \
    AFX_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, AFX_CALL(memberFxn, void (ThisClass::*)())();         \
              return 0;)
#define ON_COMMAND_EX(id, memberFxn)                                                                         \
    AFX_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr,                                                       \
              d.bHandled = AFX_CALL(memberFxn, BOOL(ThisClass::*)(UINT))(d.nID);                             \
              return 0;)
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                              \
    AFX_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, nullptr,                                                   \
              AFX_CALL(memberFxn, void (ThisClass::*)(UINT))(d.nID);                                         \
              return 0;)
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                                                           \
    AFX_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, nullptr,                                                   \
              d.bHandled = AFX_CALL(memberFxn, BOOL(ThisClass::*)(UINT))(d.nID);                             \
              return 0;)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                                  \
    AFX_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, nullptr,                                             \
              AFX_CALL(memberFxn, void (ThisClass::*)(CCmdUI*))(static_cast<CCmdUI*>(d.pExtra));             \
              return 0;)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                                    \
    AFX_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast, nullptr,                                         \
              AFX_CALL(memberFxn, void (ThisClass::*)(CCmdUI*))(static_cast<CCmdUI*>(d.pExtra));             \
              return 0;)

// Control notifications (WM_COMMAND with a code).
#define ON_CONTROL(code, id, memberFxn)                                                                      \
    AFX_ENTRY(WM_COMMAND, static_cast<WORD>(code), id, id, nullptr,                                          \
              AFX_CALL(memberFxn, void (ThisClass::*)())();                                                  \
              return 0;)
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn)                                                        \
    AFX_ENTRY(WM_COMMAND, static_cast<WORD>(code), id, idLast, nullptr,                                      \
              AFX_CALL(memberFxn, void (ThisClass::*)(UINT))(d.nID);                                         \
              return 0;)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// WM_NOTIFY notifications.
#define ON_NOTIFY(code, id, memberFxn)                                                                       \
    AFX_ENTRY(WM_NOTIFY, static_cast<WORD>(code), id, id, nullptr,                                           \
              AFX_CALL(memberFxn, void (ThisClass::*)(NMHDR*, LRESULT*))(                                    \
                  static_cast<AFX_NOTIFY*>(d.pExtra)->pNMHDR, static_cast<AFX_NOTIFY*>(d.pExtra)->pResult);  \
              return 0;)
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn)                                                         \
    AFX_ENTRY(                                                                                               \
        WM_NOTIFY, static_cast<WORD>(code), id, idLast, nullptr,                                             \
        AFX_CALL(memberFxn, void (ThisClass::*)(UINT, NMHDR*, LRESULT*))(                                    \
            d.nID, static_cast<AFX_NOTIFY*>(d.pExtra)->pNMHDR, static_cast<AFX_NOTIFY*>(d.pExtra)->pResult); \
        return 0;)
#define ON_NOTIFY_EX(code, id, memberFxn)                                                                    \
    AFX_ENTRY(                                                                                               \
        WM_NOTIFY, static_cast<WORD>(code), id, id, nullptr,                                                 \
        d.bHandled = AFX_CALL(memberFxn, BOOL(ThisClass::*)(UINT, NMHDR*, LRESULT*))(                        \
            d.nID, static_cast<AFX_NOTIFY*>(d.pExtra)->pNMHDR, static_cast<AFX_NOTIFY*>(d.pExtra)->pResult); \
        return 0;)
#define ON_NOTIFY_EX_RANGE(code, id, idLast, memberFxn)                                                      \
    AFX_ENTRY(                                                                                               \
        WM_NOTIFY, static_cast<WORD>(code), id, idLast, nullptr,                                             \
        d.bHandled = AFX_CALL(memberFxn, BOOL(ThisClass::*)(UINT, NMHDR*, LRESULT*))(                        \
            d.nID, static_cast<AFX_NOTIFY*>(d.pExtra)->pNMHDR, static_cast<AFX_NOTIFY*>(d.pExtra)->pResult); \
        return 0;)

// Notifications reflected back to the control that sent them.
#define ON_CONTROL_REFLECT(code, memberFxn)                                                                  \
    AFX_ENTRY(WM_REFLECT_BASE + WM_COMMAND, static_cast<WORD>(code), 0, 0, nullptr,                          \
              AFX_CALL(memberFxn, void(ThisClass::*)())();                                                   \
              return 0;)
#define ON_CONTROL_REFLECT_EX(code, memberFxn)                                                               \
    AFX_ENTRY(WM_REFLECT_BASE + WM_COMMAND, static_cast<WORD>(code), 0, 0, nullptr,                          \
              d.bHandled = AFX_CALL(memberFxn, BOOL(ThisClass::*)())();                                      \
              return 0;)
#define ON_NOTIFY_REFLECT(code, memberFxn)                                                                   \
    AFX_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, static_cast<WORD>(code), 0, 0, nullptr,                           \
              AFX_CALL(memberFxn, void(ThisClass::*)(NMHDR*, LRESULT*))(                                     \
                  static_cast<AFX_NOTIFY*>(d.pExtra)->pNMHDR, static_cast<AFX_NOTIFY*>(d.pExtra)->pResult);  \
              return 0;)
#define ON_NOTIFY_REFLECT_EX(code, memberFxn)                                                                \
    AFX_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, static_cast<WORD>(code), 0, 0, nullptr,                           \
              d.bHandled = AFX_CALL(memberFxn, BOOL(ThisClass::*)(NMHDR*, LRESULT*))(                        \
                  static_cast<AFX_NOTIFY*>(d.pExtra)->pNMHDR, static_cast<AFX_NOTIFY*>(d.pExtra)->pResult);  \
              return 0;)
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn)                                                              \
    AFX_ENTRY(WM_REFLECT_BASE + WM_COMMAND, 0xFFFF, 0, 0, nullptr,                                           \
              AFX_CALL(memberFxn, void(ThisClass::*)(CCmdUI*))(static_cast<CCmdUI*>(d.pExtra));              \
              return 0;)
#define ON_WM_CTLCOLOR_REFLECT()                                                                             \
    AFX_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, nullptr,                                               \
              return reinterpret_cast<LRESULT>(AFX_CALL(CtlColor, HBRUSH(ThisClass::*)(CDC*, UINT))(         \
                  AfxDCFromHandle(reinterpret_cast<HDC>(d.wParam)),                                          \
                  d.nMessage - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX));)
#define ON_WM_DRAWITEM_REFLECT()                                                                             \
    AFX_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, nullptr,                                               \
              AFX_CALL(DrawItem,                                                                             \
                       void(ThisClass::*)(LPDRAWITEMSTRUCT))(reinterpret_cast<LPDRAWITEMSTRUCT>(d.lParam));  \
              return TRUE;)
#define ON_WM_MEASUREITEM_REFLECT()                                                                          \
    AFX_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, 0, 0, 0, nullptr,                                            \
              AFX_CALL(MeasureItem, void(ThisClass::*)(LPMEASUREITEMSTRUCT))(                                \
                  reinterpret_cast<LPMEASUREITEMSTRUCT>(d.lParam));                                          \
              return TRUE;)
#define ON_WM_HSCROLL_REFLECT()                                                                              \
    AFX_ENTRY(WM_REFLECT_BASE + WM_HSCROLL, 0, 0, 0, nullptr,                                                \
              AFX_CALL(HScroll, void(ThisClass::*)(UINT, UINT))(LOWORD(d.wParam), HIWORD(d.wParam));         \
              return 0;)
#define ON_WM_VSCROLL_REFLECT()                                                                              \
    AFX_ENTRY(WM_REFLECT_BASE + WM_VSCROLL, 0, 0, 0, nullptr,                                                \
              AFX_CALL(VScroll, void(ThisClass::*)(UINT, UINT))(LOWORD(d.wParam), HIWORD(d.wParam));         \
              return 0;)
