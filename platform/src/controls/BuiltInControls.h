// The window classes every program finds ready (buttons, statics, edits,
// lists, track bars, tab controls, tooltips): how a family registers its
// classes and keeps its state in the window record.
#pragma once

#include "WindowManager.h"

#include <memory>

// A family's source registers its classes (with CS_GLOBALCLASS, so that any
// module's dialogs find them) from a function it adds at load time:
//     static const bool s_bRegistered = AddBuiltInClassRegistrar(&RegisterButtonClasses);
bool AddBuiltInClassRegistrar(void (*pfnRegister)());
// Runs every registrar once; the window manager calls it before it looks a
// class up.
void EnsureBuiltInClasses();

// The state of type T that a control keeps in its window record, made on
// first use; null for a stale handle or a window that keeps another type.
template <class T> T* ControlStateOf(HWND hWnd)
{
    SWindowRecord* pRecord = CWindowManager::Get().FindQuiet(hWnd);
    if (pRecord == nullptr)
        return nullptr;
    if (pRecord->pControlState == nullptr)
        pRecord->pControlState = std::make_unique<T>();
    return dynamic_cast<T*>(pRecord->pControlState.get());
}
