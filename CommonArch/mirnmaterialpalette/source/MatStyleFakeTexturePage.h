// The texture page that the properties dialogs show as one more style tab.
// Its texture list and angle and scale edits come later; for now the page is
// an empty child dialog that holds the texture settings object it was given.
#pragma once

#include "MatPropertiesPage.h"

#define IDD_MATSTYLE_TEXTURE_PAGE 15105

class CMatStyleFakeTexturePage : public CMatPropertiesPage
{
    DECLARE_DYNAMIC(CMatStyleFakeTexturePage)
public:
    explicit CMatStyleFakeTexturePage(CWnd* pParent);

    void RevertToPrev() override;
    void LoadSettings(IRegistry* pReg, CString strKey) override;
    void SaveSettings(IRegistry* pReg, CString strKey) override;
    // pData is the texture settings object (IMGLObject) or null.
    bool SetData(void* pData) override;
    // Hands out the settings object with a reference; false without one.
    bool GetData(void** ppData, bool bPreview) override;

protected:
    CComPtr<IMGLObject> m_pSettings;
    CComPtr<IMGLObject> m_pInitialSettings;
};
