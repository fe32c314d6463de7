// The on-screen backend: every visible top-level window is an SDL window
// showing its surface, and what the display reports (mouse, wheel, keys,
// typed text, closing) becomes platform input. Programs link it only when
// they want a display; without it everything runs headless.
#pragma once

#include "WinDef.h"

struct SDL_Window;

// Starts SDL's video and joins the window manager: the loop waits on the
// display from now on and the clock follows real time. False, leaving the
// program headless, when there is no display to open.
bool StartScreenBackend();
// Closes every SDL window and SDL's video; the program is headless again.
void StopScreenBackend();
bool IsScreenBackendRunning();

// The SDL window showing a top-level window, or null (for tests).
SDL_Window* GetBackendWindow(HWND hTopLevel);
// Waits up to the timeout for the display's events and turns them into
// platform input, as the loop does when it has nothing to do; false when the
// backend is not running.
bool PumpDisplayEvents(DWORD dwTimeoutMilliseconds);
// Shows every pending change of the windows' surfaces on the display now
// (the loop does this before it waits).
void PresentScreenChanges();
