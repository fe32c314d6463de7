#include "MGLModel.h"

#include <atomic>
#include <new>

namespace
{

std::atomic<int> g_nLiveObjects{0};

// Hands a newly made object (one reference) to an out-pointer.
template <typename I, typename T> void HandOut(CErrorAutoThrow& error, T* pObject, I** ppOut)
{
    if (ppOut == nullptr)
    {
        if (pObject != nullptr)
            static_cast<I*>(pObject)->Release();
        error.SetError(MIRN_ERR_INVALID_ARG);
        return;
    }
    *ppOut = pObject;
    error.SetError(pObject != nullptr ? MIRN_ERR_NONE : MIRN_ERR_INVALID_ARG);
}

} // namespace

int LiveMGLObjectCount()
{
    return g_nLiveObjects.load();
}

CMGLLiveCounter::CMGLLiveCounter()
{
    ++g_nLiveObjects;
}

CMGLLiveCounter::CMGLLiveCounter(const CMGLLiveCounter&)
{
    ++g_nLiveObjects;
}

CMGLLiveCounter::~CMGLLiveCounter()
{
    --g_nLiveObjects;
}

// ---------------------------------------------------------------------------
// Values

CMGLValue* CMGLValue::MakeInteger(int nValue)
{
    auto* pValue = new (std::nothrow) CMGLValue(MGL_VALUE_INTEGER);
    if (pValue != nullptr)
        pValue->m_nInteger = nValue;
    return pValue;
}

CMGLValue* CMGLValue::MakeDouble(double dValue)
{
    auto* pValue = new (std::nothrow) CMGLValue(MGL_VALUE_DOUBLE);
    if (pValue != nullptr)
        pValue->m_dNumber = dValue;
    return pValue;
}

CMGLValue* CMGLValue::MakeBool(bool bValue)
{
    auto* pValue = new (std::nothrow) CMGLValue(MGL_VALUE_BOOL);
    if (pValue != nullptr)
        pValue->m_nInteger = bValue ? 1 : 0;
    return pValue;
}

CMGLValue* CMGLValue::MakeString(LPCWSTR pszValue)
{
    auto* pValue = new (std::nothrow) CMGLValue(MGL_VALUE_STRING);
    if (pValue != nullptr)
        pValue->m_strText = pszValue != nullptr ? pszValue : L"";
    return pValue;
}

CMGLValue* CMGLValue::MakeLength(double dFraction)
{
    auto* pValue = new (std::nothrow) CMGLValue(MGL_VALUE_LENGTH);
    if (pValue != nullptr)
        pValue->m_dNumber = dFraction;
    return pValue;
}

CMGLValue* CMGLValue::MakeImage(const CRowIterator& image)
{
    auto* pValue = new (std::nothrow) CMGLValue(MGL_VALUE_IMAGE);
    if (pValue != nullptr)
        pValue->m_image = image;
    return pValue;
}

HRESULT CMGLValue::QueryInterface(REFIID riid, void** ppvObject)
{
    // Each typed interface is there only for the kind it reads.
    const std::pair<IID, EMGLValueKind> typed[] = {
        {IID_OF(IMGLIntegerValue), MGL_VALUE_INTEGER}, {IID_OF(IMGLDoubleValue), MGL_VALUE_DOUBLE},
        {IID_OF(IMGLBoolValue), MGL_VALUE_BOOL},       {IID_OF(IMGLStringValue), MGL_VALUE_STRING},
        {IID_OF(IMGLLengthValue), MGL_VALUE_LENGTH},   {IID_OF(IMGLImageValue), MGL_VALUE_IMAGE},
    };
    for (const auto& [iid, eKind] : typed)
    {
        if (riid == iid && eKind != m_eKind)
        {
            if (ppvObject != nullptr)
                *ppvObject = nullptr;
            return E_NOINTERFACE;
        }
    }
    return TUnknownImpl::QueryInterface(riid, ppvObject);
}

bool CMGLValue::GetImage(CRowIterator& image) const
{
    if (m_eKind != MGL_VALUE_IMAGE || !m_image.IsAttached())
        return false;
    image = m_image;
    return true;
}

// ---------------------------------------------------------------------------
// Properties

CMGLProperty::CMGLProperty(int nId, IMGLValue* pValue) : m_nId(nId), m_pValue(pValue) {}

void CMGLProperty::GetValue(CErrorAutoThrow& error, IMGLValue** ppValue)
{
    if (ppValue == nullptr)
    {
        error.SetError(MIRN_ERR_INVALID_ARG);
        return;
    }
    *ppValue = CComPtr<IMGLValue>(m_pValue).Detach();
    error.SetError(MIRN_ERR_NONE);
}

// ---------------------------------------------------------------------------
// Materials

void CMGLMaterial::SetStyle(CErrorAutoThrow& error, int nStyle)
{
    switch (nStyle)
    {
        case 1:
        case 2:
        case 4:
        case 8:
        case 64:
            m_nStyle = nStyle;
            error.SetError(MIRN_ERR_NONE);
            return;
        default:
            error.SetError(MIRN_ERR_INVALID_ARG);
    }
}

void CMGLMaterial::SetSolidColor(CErrorAutoThrow& error, COLORREF clrColor)
{
    m_clrSolid = clrColor & 0x00FFFFFF;
    error.SetError(MIRN_ERR_NONE);
}

void CMGLMaterial::GetSettings(CErrorAutoThrow& error, IMGLObject** ppSettings)
{
    if (ppSettings == nullptr)
    {
        error.SetError(MIRN_ERR_INVALID_ARG);
        return;
    }
    *ppSettings = CComPtr<IMGLObject>(m_pSettings).Detach();
    error.SetError(MIRN_ERR_NONE);
}

void CMGLMaterial::SetSettings(CErrorAutoThrow& error, IMGLObject* pSettings)
{
    m_pSettings = pSettings;
    error.SetError(MIRN_ERR_NONE);
}

void CMGLMaterial::GetTexture(CErrorAutoThrow& error, IMGLObject** ppTexture)
{
    if (ppTexture == nullptr)
    {
        error.SetError(MIRN_ERR_INVALID_ARG);
        return;
    }
    *ppTexture = CComPtr<IMGLObject>(m_pTexture).Detach();
    error.SetError(MIRN_ERR_NONE);
}

void CMGLMaterial::SetTexture(CErrorAutoThrow& error, IMGLObject* pTexture)
{
    m_pTexture = pTexture;
    error.SetError(MIRN_ERR_NONE);
}

CMGLMaterial* CMGLMaterial::Clone() const
{
    auto* pCopy = new (std::nothrow) CMGLMaterial;
    if (pCopy == nullptr)
        return nullptr;
    pCopy->m_nStyle = m_nStyle;
    pCopy->m_clrSolid = m_clrSolid;
    pCopy->m_pSettings = m_pSettings;
    pCopy->m_pTexture = m_pTexture;
    return pCopy;
}

// ---------------------------------------------------------------------------
// Factories

void CMGLObjectFactory::CreateObject(CErrorAutoThrow& error, int nKind, IMGLObject** ppObject)
{
    if (nKind <= 0)
    {
        if (ppObject != nullptr)
            *ppObject = nullptr;
        error.SetError(MIRN_ERR_INVALID_ARG);
        return;
    }
    if (nKind == MGL_OBJECT_MATERIAL)
        HandOut<IMGLObject>(error, new (std::nothrow) CMGLMaterial, ppObject);
    else if (nKind == MGL_OBJECT_GRADIENT)
        HandOut<IMGLObject>(error, new (std::nothrow) CMGLGradient, ppObject);
    else if (nKind == MGL_OBJECT_ART)
        HandOut<IMGLObject>(error, new (std::nothrow) CMGLArt, ppObject);
    else
        HandOut<IMGLObject>(error, new (std::nothrow) CMGLObject(nKind), ppObject);
}

void CMGLValueFactory::CreateInteger(CErrorAutoThrow& error, int nValue, IMGLValue** ppValue)
{
    HandOut<IMGLValue>(error, CMGLValue::MakeInteger(nValue), ppValue);
}

void CMGLValueFactory::CreateDouble(CErrorAutoThrow& error, double dValue, IMGLValue** ppValue)
{
    HandOut<IMGLValue>(error, CMGLValue::MakeDouble(dValue), ppValue);
}

void CMGLValueFactory::CreateBool(CErrorAutoThrow& error, bool bValue, IMGLValue** ppValue)
{
    HandOut<IMGLValue>(error, CMGLValue::MakeBool(bValue), ppValue);
}

void CMGLValueFactory::CreateString(CErrorAutoThrow& error, LPCWSTR pszValue, IMGLValue** ppValue)
{
    HandOut<IMGLValue>(error, CMGLValue::MakeString(pszValue), ppValue);
}

void CMGLValueFactory::CreateLength(CErrorAutoThrow& error, double dFraction, IMGLValue** ppValue)
{
    HandOut<IMGLValue>(error, CMGLValue::MakeLength(dFraction), ppValue);
}

void CMGLValueFactory::CreateImage(CErrorAutoThrow& error, const CRowIterator& image, IMGLValue** ppValue)
{
    if (!image.IsAttached())
    {
        if (ppValue != nullptr)
            *ppValue = nullptr;
        error.SetError(MIRN_ERR_INVALID_ARG);
        return;
    }
    HandOut<IMGLValue>(error, CMGLValue::MakeImage(image), ppValue);
}

void CMGLPropertyFactory::CreateProperty(CErrorAutoThrow& error, int nPropertyId, IMGLValue* pValue,
                                         IMGLProperty** ppProperty)
{
    HandOut<IMGLProperty>(error, new (std::nothrow) CMGLProperty(nPropertyId, pValue), ppProperty);
}

int CMGLGradient::CountStops(int nKind) const
{
    int nCount = 0;
    for (int i = 0; i < GetChildCount(); ++i)
    {
        CErrorAutoThrow error;
        CComPtr<IMGLObject> pChild;
        const_cast<CMGLGradient*>(this)->GetChild(error, i, &pChild.p);
        if (pChild != nullptr && pChild->GetObjectKind() == nKind)
            ++nCount;
    }
    return nCount;
}

CComPtr<IMGLGradientStop> CMGLGradient::FindStop(int nKind, int nIndex) const
{
    int nSeen = 0;
    for (int i = 0; i < GetChildCount(); ++i)
    {
        CErrorAutoThrow error;
        CComPtr<IMGLObject> pChild;
        const_cast<CMGLGradient*>(this)->GetChild(error, i, &pChild.p);
        if (pChild == nullptr || pChild->GetObjectKind() != nKind)
            continue;
        if (nSeen++ != nIndex)
            continue;
        CComPtr<IMGLGradientStop> pStop;
        pChild->QueryInterface(IID_OF(IMGLGradientStop), reinterpret_cast<void**>(&pStop.p));
        return pStop;
    }
    return nullptr;
}

void CMGLGradient::GetColorStop(CErrorAutoThrow& error, int nIndex, int& nPosition, int& nMidpoint,
                                COLORREF& clrColor) const
{
    CComPtr<IMGLGradientStop> pStop = FindStop(MGL_OBJECT_COLOR_STOP, nIndex);
    if (pStop == nullptr)
    {
        error = CErrorAutoThrow(MIRN_ERR_INVALID_ARG);
        return;
    }
    nPosition = pStop->GetLocation();
    nMidpoint = pStop->GetMidpoint();
    clrColor = pStop->GetValue();
    error = CErrorAutoThrow(MIRN_ERR_NONE);
}

void CMGLGradient::GetTransparencyStop(CErrorAutoThrow& error, int nIndex, int& nPosition, int& nMidpoint,
                                       int& nOpacity) const
{
    CComPtr<IMGLGradientStop> pStop = FindStop(MGL_OBJECT_TRANSPARENCY_STOP, nIndex);
    if (pStop == nullptr)
    {
        error = CErrorAutoThrow(MIRN_ERR_INVALID_ARG);
        return;
    }
    nPosition = pStop->GetLocation();
    nMidpoint = pStop->GetMidpoint();
    nOpacity = static_cast<int>(pStop->GetValue());
    error = CErrorAutoThrow(MIRN_ERR_NONE);
}

namespace
{
bool IsPercent(int nValue)
{
    return nValue >= 0 && nValue <= 100;
}
} // namespace

void CMGLGradient::AddColorStop(CErrorAutoThrow& error, int nPosition, int nMidpoint, COLORREF clrColor)
{
    // A colour is 24 bits, or one of the two reserved current colours.
    const bool bColorOk =
        (clrColor & 0xFF000000) == 0 || clrColor == MGL_STOP_FOREGROUND || clrColor == MGL_STOP_BACKGROUND;
    if (!IsPercent(nPosition) || !IsPercent(nMidpoint) || !bColorOk)
    {
        error = CErrorAutoThrow(MIRN_ERR_INVALID_ARG);
        return;
    }
    AppendChild(error, new CMGLGradientStop(MGL_OBJECT_COLOR_STOP, nPosition, nMidpoint, clrColor), false);
}

void CMGLGradient::AddTransparencyStop(CErrorAutoThrow& error, int nPosition, int nMidpoint, int nOpacity)
{
    if (!IsPercent(nPosition) || !IsPercent(nMidpoint) || !IsPercent(nOpacity))
    {
        error = CErrorAutoThrow(MIRN_ERR_INVALID_ARG);
        return;
    }
    AppendChild(error,
                new CMGLGradientStop(MGL_OBJECT_TRANSPARENCY_STOP, nPosition, nMidpoint,
                                     static_cast<DWORD>(nOpacity)),
                false);
}

void CMGLArt::GetContent(CErrorAutoThrow& error, const COLORREF** ppPrimary, const COLORREF** ppSecondary,
                         int& nThirdValue, bool& bSecondaryFirst) const
{
    if (ppPrimary == nullptr || ppSecondary == nullptr)
    {
        error = CErrorAutoThrow(MIRN_ERR_INVALID_ARG);
        return;
    }
    *ppPrimary = m_clrPrimary ? &*m_clrPrimary : nullptr;
    *ppSecondary = m_clrSecondary ? &*m_clrSecondary : nullptr;
    nThirdValue = m_nThirdValue;
    bSecondaryFirst = m_bSecondaryFirst;
    error = CErrorAutoThrow(MIRN_ERR_NONE);
}

void CMGLArt::SetColor(CErrorAutoThrow& error, COLORREF clrColor)
{
    m_clrPrimary = clrColor;
    error = CErrorAutoThrow(MIRN_ERR_NONE);
}

void CMGLArt::SetSecondaryColor(CErrorAutoThrow& error, COLORREF clrColor, int nThirdValue)
{
    m_clrSecondary = clrColor;
    m_nThirdValue = nThirdValue;
    error = CErrorAutoThrow(MIRN_ERR_NONE);
}

void CMGLArt::SetSecondaryFirst(CErrorAutoThrow& error, bool bSecondaryFirst)
{
    m_bSecondaryFirst = bSecondaryFirst;
    error = CErrorAutoThrow(MIRN_ERR_NONE);
}
