#pragma once
#include "WinUser.h"
BOOL AfxPreTranslateMessage(MSG* pMsg);
