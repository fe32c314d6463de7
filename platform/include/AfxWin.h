// The window part of the class library in one include, as module code
// expects it: windows, dialogs, menus, message boxes and file dialogs, and
// the application objects.
#pragma once

#include "CommCtrl.h"
#include "CommonDialogs.h"
#include "Dialog.h"
#include "FileDialog.h"
#include "Menu.h"
#include "MessageMap.h"
#include "WinThread.h"
#include "WinUser.h"
#include "Wnd.h"
