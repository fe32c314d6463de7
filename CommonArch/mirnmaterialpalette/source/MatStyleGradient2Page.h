// The new gradient page (its thumbnail grid and stop editor come later). For now the page is an empty child
// dialog that holds the gradient settings object and the non-cached stops it was given and hands the settings
// back in the gradient style's format.
#pragma once

#include "MatPropertiesPage.h"

#define IDD_MATSTYLE_GRADIENT2_PAGE 15114

class CMatStyleGradient2Page : public CMatPropertiesPage
{
    DECLARE_DYNAMIC(CMatStyleGradient2Page)
public:
    explicit CMatStyleGradient2Page(CWnd* pParent);

    void RevertToPrev() override;
    void LoadSettings(IRegistry* pReg, CString strKey) override;
    void SaveSettings(IRegistry* pReg, CString strKey) override;
    // pData is the gradient settings object (IMGLObject) or null; the page
    // takes its own reference.
    bool SetData(void* pData) override;
    // Hands out the settings object with a reference (the caller releases
    // it); false, leaving *ppData alone, when the page has none.
    bool GetData(void** ppData, bool bPreview) override;
    // Whether the page shows the non-cached gradient it was given.
    bool IsNonCached() override;

    // The stops of a gradient that is not in the resource cache; error 101
    // for null.
    CErrorAutoThrow SetNonCachedGradientStops(IMGLGradient* pStops);
    // Stores an edited gradient before the style reads the page's result.
    // Until the page's editor is there nothing can have been edited, so
    // there is nothing to store; reports whether a gradient was stored.
    bool SaveChangedGradAndApply();

protected:
    CComPtr<IMGLObject> m_pSettings;
    CComPtr<IMGLObject> m_pInitialSettings;
    CComPtr<IMGLGradient> m_pNonCachedStops;
};
