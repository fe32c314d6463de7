// What the host sees of the palette: showing and hiding its pane.
#pragma once

enum ESHOWCOMMANDS : int
{
    ESHOW_HIDE = 0,
    ESHOW_SHOW = 1,
    ESHOW_TOGGLE = 2,
};

class VMaterialPalette
{
public:
    virtual ~VMaterialPalette() = default;
    virtual void ShowMaterialPalette(ESHOWCOMMANDS eCommand) = 0;
    // True when the pane window is visible.
    virtual bool IsOpen() = 0;
};
