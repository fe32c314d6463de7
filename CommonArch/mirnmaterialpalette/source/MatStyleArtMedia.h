// The art-media style: its content is the host's art object; its settings
// page is the 24-bit colour page seeded with the art's colour.
#pragma once

#include "MatStyle.h"
#include "VornServices.h"

#define IDS_MATSTYLE_ARTMEDIA_TIP 15422
#define IDS_MATSTYLE_SOLID_NAME 15443

class CMatStyleArtMedia : public VMatStyle
{
public:
    CMatStyleArtMedia();
    CMatStyleArtMedia(const CMatStyleArtMedia& other) = default;
    CMatStyleArtMedia& operator=(const CMatStyleArtMedia& other) = default;
    ~CMatStyleArtMedia() override = default;

    // Hands out the art object with a reference; without one *ppData is left
    // as it was.
    CErrorAutoThrow GetData(void** ppData) override;
    // Takes the art interface of the object (none when it has none).
    CErrorAutoThrow SetData(void* pData) override;
    bool IsValid() override { return true; }
    bool IsNonCached() override { return m_nNonCached > 0; }
    CMatPropertiesPage* GetSettingsPage(CWnd* pParent, CRect& rect) override;
    void ReleaseSettingsPage(CMatPropertiesPage* pPage, bool bApply) override;
    CString GetTTText() override { return m_strTTText; }
    CString GetName() override;

    // Holds the art of a material that is not in the resource cache; error
    // 101 for null.
    CErrorAutoThrow SetNonCachedArt(IMGLArt* pArt);
    // Gives pDest the colours of the held non-cached art in the art's own
    // order; false when there is none.
    bool GetNonCachedArt(IMGLArt* pDest);
    void DisableColorMatching(bool bDisable) { m_bColorMatching = !bDisable; }
    void SetColorMode(EColorMode eMode) { m_eColorMode = eMode; }

    bool m_bColorMatching = true;
    CString m_strTTText;
    EColorMode m_eColorMode = COLOR_MODE_HOST_DECIDES;
    int m_nNonCached = 0;
    CComPtr<IMGLArt> m_pArt;
    CComPtr<IMGLArt> m_pNonCachedArt;
};
