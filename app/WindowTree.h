// The window tree as JSON, for scripts and tests: one object per window with
// its class (the class-library class of the attached object when there is
// one, else the window class name), control identifier, screen rectangle,
// visible and enabled flags, text, and its children, topmost first.
#pragma once

#include "WinDef.h"

#include <nlohmann/json.hpp>

nlohmann::json DumpWindowTree(HWND hWnd);
