#include "MatStyleColorWheelPage.h"

#include "MatColorBlock.h"

IMPLEMENT_DYNAMIC(CMatStyleColorWheelPage, CMatPropertiesPage)

CMatStyleColorWheelPage::CMatStyleColorWheelPage(COLORREF clrColor, CWnd* pParent)
    : CMatPropertiesPage(IDD_MATSTYLE_COLORWHEEL_PAGE, pParent), m_clrColor(clrColor & 0x00FFFFFF),
      m_clrInitial(clrColor & 0x00FFFFFF)
{
}

void CMatStyleColorWheelPage::RevertToPrev()
{
    m_clrColor = m_clrInitial;
}

// The page keeps no values of its own in the registry until its controls do.
void CMatStyleColorWheelPage::LoadSettings(IRegistry*, CString) {}
void CMatStyleColorWheelPage::SaveSettings(IRegistry*, CString) {}

bool CMatStyleColorWheelPage::SetData(void* pData)
{
    if (pData == nullptr)
        return false;
    m_clrColor = TakeColorBlock(pData) & 0x00FFFFFF;
    return true;
}

bool CMatStyleColorWheelPage::GetData(void** ppData, bool)
{
    if (ppData == nullptr)
        return false;
    *ppData = MakeColorBlock(m_clrColor);
    return *ppData != nullptr;
}
