#include "MatStyleFakeTexture.h"

#include "MatStyleFakeTexturePage.h"

CErrorAutoThrow CMatStyleFakeTexture::GetData(void**)
{
    return MIRN_ERR_NONE;
}

CErrorAutoThrow CMatStyleFakeTexture::SetData(void*)
{
    return MIRN_ERR_NONE;
}

CMatPropertiesPage* CMatStyleFakeTexture::GetSettingsPage(CWnd*, CRect&)
{
    return new CMatStyleFakeTexturePage(nullptr);
}

void CMatStyleFakeTexture::ReleaseSettingsPage(CMatPropertiesPage* pPage, bool)
{
    DestroySettingsPage(pPage);
}

CString CMatStyleFakeTexture::GetTTText()
{
    return LoadResourceString(IDS_MATSTYLE_TEXTURE_TIP);
}

CString CMatStyleFakeTexture::GetName()
{
    return LoadResourceString(IDS_MATSTYLE_TEXTURE_NAME);
}
