// The pane's numeric colour picker: a list of six colour models and, for the
// chosen one, a row per channel with a label, a colour slider and a numeric
// edit. Moving a slider or typing a number sends the model's colour to the
// palette as the foreground colour; a colour from the palette is converted
// into the model and shown. In CMYK the four numbers are kept with the
// palette so that a CMYK colour survives its trip through RGB.
#pragma once

#include "AfxWin.h"
#include "ColorSlider.h"
#include "GdiObjects.h"
#include "MNumEdit.h"
#include "SliderColorModels.h"
#include "XUIComboBox.h"

#include <array>
#include <map>
#include <memory>
#include <vector>

// Control identifiers: the model list, then for model m and row r the label
// and the slider, 32 apart per model so that (slider id / 32) mod 8 is the
// model; the numeric edits in row order over all models.
#define IDC_SLIDERS_MODEL_LIST 20992
#define IDC_SLIDERS_FIRST_LABEL 20993
#define IDC_SLIDERS_FIRST_SLIDER 20994
#define IDC_SLIDERS_FIRST_EDIT 21248
#define IDC_SLIDERS_LAST_EDIT 21268

class CSlidersPickerWnd : public CWnd
{
    DECLARE_DYNAMIC(CSlidersPickerWnd)
public:
    CSlidersPickerWnd();
    ~CSlidersPickerWnd() override;

    // A visible child at rect in the parent's client coordinates.
    BOOL Create(CWnd* pParent, UINT nID, const CRect& rect);

    // Where the colour messages go (not owned; null: nothing is sent).
    void SetPaletteWnd(CWnd* pPalette) { m_pPalette = pPalette; }
    CWnd* GetPaletteWnd() const { return m_pPalette; }

    // The palette's foreground colour: into the RGB values, then shown in
    // the current model.
    void SetPickerColor(BYTE r, BYTE g, BYTE b);

    // The model shown (the list's index) and choosing one; an index outside
    // the six models is ignored.
    int GetModel() const;
    void SetModel(int nModel);

    // The four CMYK values while the CMYK model is shown.
    bool GetCMYKValues(int aValues[4]) const;

    // For the pane's own checks and the tests.
    const SliderValueBlock& GetValues() const { return m_values; }
    CColorSlider* GetSlider(int nValueIndex);
    CMNumEdit* GetEdit(int nValueIndex);
    CXUIComboBox& GetModelList() { return m_wndModelList; }
    CStatic* GetDegreeLabel() { return m_pDegreeLabel.get(); }
    CStatic* GetPercentLabel(int nRow);
    // The rectangle of a row's label (client coordinates), where the picker
    // draws the label's text.
    CRect GetLabelRect(int nValueIndex) const;

    static UINT LabelId(int nModel, int nRow) { return IDC_SLIDERS_FIRST_LABEL + 32 * nModel + 4 * nRow; }
    static UINT SliderId(int nModel, int nRow) { return IDC_SLIDERS_FIRST_SLIDER + 32 * nModel + 4 * nRow; }
    static UINT EditId(int nValueIndex) { return IDC_SLIDERS_FIRST_EDIT + nValueIndex; }

    // The text colour of the labels' shadow, drawn first.
    static constexpr COLORREF kLabelShadow = RGB(10, 10, 10);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnEditChange(UINT nID);
    afx_msg void OnModelChange();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

private:
    // One channel's controls, by value-block index.
    struct SRow
    {
        int nValueIndex = 0;
        int nModel = 0;
        int nRow = 0;
        int nMin = 0;
        int nMax = 0;
        ESliderKind eKind = SLIDER_KIND_PLAIN;
        CStatic label;
        CColorSlider slider;
        CMNumEdit edit;
    };

    void Layout(const CRect& rcClient);
    void ShowCurrentModel();
    // Moves a model's sliders to their values and writes the values into
    // their edits.
    void ShowModelValues(int nModel);
    void SetEditText(SRow& row, const CString& strText);
    void SendColorChange();
    void SendSaveCMYK(int nModel);
    void Paint(HDC hdc);
    HBRUSH StaticBrush();
    SRow* RowOfSlider(HWND hSlider);

    SliderValueBlock m_values{};
    std::array<std::unique_ptr<SRow>, kSliderValueCount> m_rows;
    std::map<UINT, int> m_editRows; // edit identifier to value index
    CXUIComboBox m_wndModelList;
    std::unique_ptr<CStatic> m_pDegreeLabel;
    std::array<std::unique_ptr<CStatic>, 4> m_percentLabels;
    CFont m_font;
    CWnd* m_pPalette = nullptr;
    bool m_bSending = false;
    bool m_bReady = false;
    HBRUSH m_hStaticBrush = nullptr;
    COLORREF m_clrStaticBrush = 0;
    HBRUSH m_hErrorBrush = nullptr;
};
