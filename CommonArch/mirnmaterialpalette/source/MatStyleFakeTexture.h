// The texture shown as a style: a pseudo-style with no data of its own that
// lets the properties dialogs show the texture page as one more style tab.
#pragma once

#include "MatStyle.h"

#define IDS_MATSTYLE_TEXTURE_TIP 15433
#define IDS_MATSTYLE_TEXTURE_NAME 15942

class CMatStyleFakeTexture : public VMatStyle
{
public:
    CMatStyleFakeTexture() : VMatStyle(MATERIAL_STYLE_TEXTURE) {}
    CMatStyleFakeTexture(const CMatStyleFakeTexture& other) = default;
    CMatStyleFakeTexture& operator=(const CMatStyleFakeTexture& other) = default;
    ~CMatStyleFakeTexture() override = default;

    // Writes nothing; the texture's data travels through the texture object.
    CErrorAutoThrow GetData(void** ppData) override;
    CErrorAutoThrow SetData(void* pData) override;
    bool IsValid() override { return true; }
    bool IsNonCached() override { return true; }
    bool IsImmediate() override { return true; }
    // The texture page without a window: the dialog creates it itself.
    CMatPropertiesPage* GetSettingsPage(CWnd* pParent, CRect& rect) override;
    // Destroys and deletes the page; the dialog collects its result.
    void ReleaseSettingsPage(CMatPropertiesPage* pPage, bool bApply) override;
    CString GetTTText() override;
    CString GetName() override;
};
