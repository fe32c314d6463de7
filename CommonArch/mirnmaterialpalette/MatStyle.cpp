#include "MatStyle.h"

#include "MatPropertiesPage.h"
#include "MirnMaterialPalette.h"

void DestroySettingsPage(CMatPropertiesPage* pPage)
{
    if (pPage == nullptr)
        return;
    if (pPage->GetSafeHwnd() != nullptr)
        pPage->DestroyWindow();
    delete pPage;
}

CString LoadResourceString(UINT nId)
{
    CString strText;
    strText.LoadString(nId);
    return strText;
}

bool UsePalettedColorPage(EColorMode eMode)
{
    if (IsPalettedColorMode(eMode))
        return true;
    if (eMode != COLOR_MODE_HOST_DECIDES)
        return false;

    CMirnMaterialPalette* pPalette = TSingleton<CMirnMaterialPalette>::Instance();
    if (pPalette == nullptr)
        return false;
    IMatPalAppContext* pAppContext = nullptr;
    CErrorAutoThrow error = pPalette->GetAppContext(&pAppContext);
    if (pAppContext == nullptr)
        return false;
    bool bPaletted = pAppContext->IsGreyscaleDocument(error);
    if (!bPaletted)
        bPaletted = pAppContext->HasDocumentPalette(error);
    pAppContext->Release();
    return bPaletted;
}
