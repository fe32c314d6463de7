// A track bar whose channel shows the colours its channel of a colour model
// gives along the track, with a white triangle for a thumb. The colours
// come from a track-colour function of the fraction along the track (0.0 at
// the left end, 1.0 at the right) and a parameter the slider keeps for it.
// The slider also knows which value of the sliders picker's value block it
// moves and how that value is written (its kind).
#pragma once

#include "AfxWin.h"
#include "SliderColorModels.h"

using PFN_TRACKCOLOR = COLORREF (*)(double dFraction, int nParameter);

// The default track colours: grey levels from black to white.
COLORREF GreyTrackColor(double dFraction, int nParameter);

class CColorSlider : public CSliderCtrl
{
    DECLARE_DYNAMIC(CColorSlider)
public:
    CColorSlider() = default;

    // A null function puts the grey one back.
    void SetTrackColorFunction(PFN_TRACKCOLOR pfnTrackColor, int nParameter = 0);
    PFN_TRACKCOLOR GetTrackColorFunction() const { return m_pfnTrackColor; }
    int GetTrackColorParameter() const { return m_nParameter; }
    COLORREF GetTrackColor(double dFraction) const { return m_pfnTrackColor(dFraction, m_nParameter); }

    // The value in the picker's value block this slider shows (not owned).
    void SetValuePointer(int* pValue) { m_pValue = pValue; }
    int* GetValuePointer() const { return m_pValue; }

    void SetKind(ESliderKind eKind) { m_eKind = eKind; }
    ESliderKind GetKind() const { return m_eKind; }
    // A value as the row's edit shows it: "%02X" for a hexadecimal slider,
    // "%d" for the others.
    CString FormatValue(int nValue) const;

    // The parts as the custom draw paints them: the channel column by column
    // (3 pixels in from each end of the channel rectangle) and the thumb as
    // a triangle over the thumb rectangle grown by 2 and raised by 4.
    void PaintChannel(HDC hdc, const RECT& rcChannel) const;
    static void PaintThumb(HDC hdc, const RECT& rcThumb);

protected:
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    PFN_TRACKCOLOR m_pfnTrackColor = &GreyTrackColor;
    int m_nParameter = 0;
    int* m_pValue = nullptr;
    ESliderKind m_eKind = SLIDER_KIND_PLAIN;
};
