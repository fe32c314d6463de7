// The pattern style: a counted reference to the host's pattern
// settings object, the immediate pattern the page chose, and the image and
// thumbnail of a pattern that is not in the resource cache.
#pragma once

#include "MatStyle.h"
#include "RowIterator.h"
#include "VornServices.h"

#define IDS_MATSTYLE_PATTERN_TIP 15441
#define IDS_MATSTYLE_PATTERN_NAME 15445

class CMatStylePattern : public VMatStyle
{
public:
    CMatStylePattern();
    CMatStylePattern(const CMatStylePattern& other) = default;
    CMatStylePattern& operator=(const CMatStylePattern& other) = default;
    // Lets go of both images, then releases the settings.
    ~CMatStylePattern() override = default;

    // Hands out the settings object with a reference (null without one).
    CErrorAutoThrow GetData(void** ppData) override;
    // Takes a reference on the settings object and drops the non-cached
    // pattern and the immediate pattern.
    CErrorAutoThrow SetData(void* pData) override;
    bool IsValid() override { return m_pSettings != nullptr; }
    bool IsNonCached() override { return m_nNonCached == 1; }
    // An immediate index counts from 0 without a non-cached pattern and from
    // 1 with one.
    bool IsImmediate() override { return m_nImmediateIdx >= m_nNonCached; }
    CMatPropertiesPage* GetSettingsPage(CWnd* pParent, CRect& rect) override;
    void ReleaseSettingsPage(CMatPropertiesPage* pPage, bool bApply) override;
    CString GetTTText() override;
    CString GetName() override;

    // Holds the image and thumbnail of a non-cached pattern; error 101 unless
    // both are attached.
    CErrorAutoThrow SetNonCachedPattern(CRowIterator& image, CRowIterator& thumb);
    // Shares the thumbnail (bThumbnail) or the full image into out; false,
    // leaving out alone, when there is none.
    bool GetNonCachedPattern(CRowIterator& out, bool bThumbnail);
    void EnableImmediatePatterns(bool bEnable) { m_bImmediate = bEnable; }
    int GetImmediateIdx() const { return m_nImmediateIdx; }

    bool m_bImmediate = true;
    CComPtr<IMGLObject> m_pSettings;
    int m_nImmediateIdx = -1;
    CRowIteratorBands m_oNonCachedImage;
    CRowIteratorBands m_oNonCachedThumb;
    int m_nNonCached = 0;
};
