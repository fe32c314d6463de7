// The classic pattern page (its resource drop button, immediate patterns and angle and scale edits come
// later). For now the page is an empty child dialog that holds the pattern settings object, the non-cached
// images and the immediate pattern index it was given and hands them back in the pattern style's format.
#pragma once

#include "MatPropertiesPage.h"
#include "RowIterator.h"

#define IDD_MATSTYLE_PATTERN_PAGE 15104

class CMatStylePatternPage : public CMatPropertiesPage
{
    DECLARE_DYNAMIC(CMatStylePatternPage)
public:
    explicit CMatStylePatternPage(CWnd* pParent);

    void RevertToPrev() override;
    void LoadSettings(IRegistry* pReg, CString strKey) override;
    void SaveSettings(IRegistry* pReg, CString strKey) override;
    // pData is the pattern settings object (IMGLObject) or null; the page
    // takes its own reference.
    bool SetData(void* pData) override;
    // Hands out the settings object with a reference (the caller releases
    // it); false, leaving *ppData alone, when the page has none.
    bool GetData(void** ppData, bool bPreview) override;
    // Whether the page shows the non-cached pattern it was given.
    bool IsNonCached() override;
    // Whether an immediate pattern is chosen.
    bool IsImmediate() override;

    void EnableImmediatePatterns(bool bEnable) { m_bImmediate = bEnable; }
    bool AreImmediatePatternsEnabled() const { return m_bImmediate; }
    // The non-cached pattern image and its thumbnail; error 101 unless both
    // are attached, and the page then shows none.
    CErrorAutoThrow SetNonCachedPattern(CRowIterator& image, CRowIterator& thumb);
    bool GetNonCachedPattern(CRowIterator& out, bool bThumbnail) const;
    // The chosen immediate pattern, -1 for none; choosing one needs immediate
    // patterns enabled.
    int GetImmediateIdx() const { return m_nImmediateIdx; }
    bool SetImmediateIdx(int nIndex);

protected:
    bool m_bImmediate = true;
    CComPtr<IMGLObject> m_pSettings;
    CComPtr<IMGLObject> m_pInitialSettings;
    int m_nImmediateIdx = -1;
    CRowIteratorBands m_oNonCachedImage;
    CRowIteratorBands m_oNonCachedThumb;
};
