// The private messages through which the pane's children report to it
// (wParam the material control's identifier where a side is meant).
#pragma once

#define WM_TEXTURE_CHANGE 0x8099        // lParam 1 texture on, else off
#define WM_STYLE_CHANGE 0x809A          // lParam the index into the side's style list
#define WM_MATERIAL_CHANGE 0x809B       // the main control's sample was clicked
#define WM_COLOR_CHANGE 0x809C          // lParam a colour 0x00BBGGRR
#define WM_ENABLE_MATERIAL 0x809D       // lParam 1 enabled, else disabled
#define WM_SWAP_MATERIALS 0x809E        // wParam the swap button's identifier
#define WM_RAINBOW_CLICK 0x809F         // wParam a colour, lParam 1 foreground
#define WM_BLACK_WHITE_MATERIALS 0x80A8 // the black/white button
