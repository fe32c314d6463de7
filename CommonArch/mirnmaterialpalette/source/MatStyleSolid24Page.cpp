#include "MatStyleSolid24Page.h"

#include "MatColorBlock.h"

IMPLEMENT_DYNAMIC(CMatStyleSolid24Page, CMatPropertiesPage)

CMatStyleSolid24Page::CMatStyleSolid24Page(COLORREF clrColor, CWnd* pParent)
    : CMatPropertiesPage(IDD_MATSTYLE_SOLID24_PAGE, pParent), m_clrColor(clrColor & 0x00FFFFFF),
      m_clrInitial(clrColor & 0x00FFFFFF)
{
}

void CMatStyleSolid24Page::RevertToPrev()
{
    m_clrColor = m_clrInitial;
}

// The page keeps no values of its own in the registry until its controls do.
void CMatStyleSolid24Page::LoadSettings(IRegistry*, CString) {}
void CMatStyleSolid24Page::SaveSettings(IRegistry*, CString) {}

bool CMatStyleSolid24Page::SetData(void* pData)
{
    if (pData == nullptr)
        return false;
    m_clrColor = TakeColorBlock(pData) & 0x00FFFFFF;
    return true;
}

bool CMatStyleSolid24Page::GetData(void** ppData, bool)
{
    if (ppData == nullptr)
        return false;
    *ppData = MakeColorBlock(m_clrColor);
    return *ppData != nullptr;
}
