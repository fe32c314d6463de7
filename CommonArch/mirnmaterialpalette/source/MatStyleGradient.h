// The gradient style: a counted reference to the host's gradient
// settings object, and the stops of a gradient that is not in the resource
// cache when the host hands one over.
#pragma once

#include "MatStyle.h"
#include "VornServices.h"

#define IDS_MATSTYLE_GRADIENT_TIP 15440
#define IDS_MATSTYLE_GRADIENT_NAME 15444

class CMatStyleGradient : public VMatStyle
{
public:
    CMatStyleGradient();
    CMatStyleGradient(const CMatStyleGradient& other) = default;
    CMatStyleGradient& operator=(const CMatStyleGradient& other) = default;
    // Releases the non-cached stops, then the settings.
    ~CMatStyleGradient() override = default;

    // Hands out the settings object with a reference; without one *ppData is
    // left as it was.
    CErrorAutoThrow GetData(void** ppData) override;
    // Takes a reference on the settings object (null allowed); the
    // non-cached stops stay.
    CErrorAutoThrow SetData(void* pData) override;
    bool IsValid() override { return m_pSettings != nullptr; }
    bool IsNonCached() override { return m_nNonCached > 0; }
    CMatPropertiesPage* GetSettingsPage(CWnd* pParent, CRect& rect) override;
    void ReleaseSettingsPage(CMatPropertiesPage* pPage, bool bApply) override;
    CString GetTTText() override;
    CString GetName() override;

    // Holds the stops of a gradient that is not in the resource cache; null
    // clears them and is an error 101.
    CErrorAutoThrow SetNonCachedGradientStops(IMGLGradient* pGrad);
    // Replaces the children of pDest by the held stops; false, changing
    // nothing, when there are none.
    bool GetNonCachedGradientStops(IMGLGradient* pDest);

    CComPtr<IMGLObject> m_pSettings;
    CComPtr<IMGLGradient> m_pNonCachedStops;
    int m_nNonCached = 0;
};
