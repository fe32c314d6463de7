#include "MatStyleSolidPalettedPage.h"

#include "MatColorBlock.h"

IMPLEMENT_DYNAMIC(CMatStyleSolidPalettedPage, CMatPropertiesPage)

CMatStyleSolidPalettedPage::CMatStyleSolidPalettedPage(COLORREF clrColor, CWnd* pParent)
    : CMatPropertiesPage(IDD_MATSTYLE_SOLID_PALETTED_PAGE, pParent), m_clrColor(clrColor & 0x00FFFFFF),
      m_clrInitial(clrColor & 0x00FFFFFF)
{
}

void CMatStyleSolidPalettedPage::RevertToPrev()
{
    m_clrColor = m_clrInitial;
    m_nPalIdx = m_nInitialPalIdx;
}

// The page keeps no values of its own in the registry until its controls do.
void CMatStyleSolidPalettedPage::LoadSettings(IRegistry*, CString) {}
void CMatStyleSolidPalettedPage::SaveSettings(IRegistry*, CString) {}

// A colour from elsewhere is no longer the palette entry the page showed.
bool CMatStyleSolidPalettedPage::SetData(void* pData)
{
    if (pData == nullptr)
        return false;
    m_clrColor = TakeColorBlock(pData) & 0x00FFFFFF;
    m_nPalIdx = -1;
    return true;
}

bool CMatStyleSolidPalettedPage::GetData(void** ppData, bool)
{
    if (ppData == nullptr)
        return false;
    *ppData = MakeColorBlock(m_clrColor);
    return *ppData != nullptr;
}
