#include "MaterialRenderer.h"

#include "MGLObjectAccess.h"
#include "RowIterator.h"

#include <cmath>
#include <optional>

namespace
{

// The material styles the renderer draws.
constexpr int kStyleSolid = 1;
constexpr int kStylePattern = 2;
constexpr int kStyleGradient = 4;
constexpr int kStyleArtMedia = 8;
constexpr int kStyleTexture = 64;

// A number from whichever numeric kind of value the property holds.
std::optional<double> ReadNumber(IMGLObject* pSettings, int nPropertyId)
{
    CComPtr<IMGLValue> pValue = MGLPropertyValue(pSettings, nPropertyId);
    if (pValue == nullptr)
        return std::nullopt;
    if (auto pDouble = MGLQuery<IMGLDoubleValue>(pValue))
        return pDouble->GetDouble();
    if (auto pLength = MGLQuery<IMGLLengthValue>(pValue))
        return pLength->GetLength();
    if (auto pInteger = MGLQuery<IMGLIntegerValue>(pValue))
        return pInteger->GetInteger();
    if (auto pBool = MGLQuery<IMGLBoolValue>(pValue))
        return pBool->GetBool() ? 1.0 : 0.0;
    return std::nullopt;
}

// A number that must be finite when present; a NaN or infinity is bad data.
bool ReadFinite(IMGLObject* pSettings, int nPropertyId, double& dValue)
{
    const std::optional<double> value = ReadNumber(pSettings, nPropertyId);
    if (!value)
        return true;
    if (!std::isfinite(*value))
        return false;
    dValue = *value;
    return true;
}

// The stops of an object that answers IMGLGradient, through that
// interface. False when it does not or has no stops.
bool ReadGradientInterfaceStops(IMGLObject* pSettings, SGradientStops& stops)
{
    auto pGradient = MGLQuery<IMGLGradient>(pSettings);
    if (pGradient == nullptr || pGradient->GetColorStopCount() + pGradient->GetTransparencyStopCount() == 0)
        return false;
    CErrorAutoThrow error;
    for (int i = 0; i < pGradient->GetColorStopCount(); ++i)
    {
        SRenderColorStop stop;
        pGradient->GetColorStop(error, i, stop.nLocation, stop.nMidpoint, stop.clrColor);
        if (error.IsOk())
            stops.colors.push_back(stop);
    }
    for (int i = 0; i < pGradient->GetTransparencyStopCount(); ++i)
    {
        SRenderOpacityStop stop;
        pGradient->GetTransparencyStop(error, i, stop.nLocation, stop.nMidpoint, stop.nOpacity);
        if (error.IsOk())
            stops.opacities.push_back(stop);
    }
    return true;
}

// The stops a gradient object carries, in order: through IMGLGradient when
// it answers it, else its children that are stops. False when it has none.
bool ReadOwnStops(IMGLObject* pSettings, SGradientStops& stops)
{
    stops = SGradientStops{};
    if (ReadGradientInterfaceStops(pSettings, stops))
        return true;
    bool bAny = false;
    for (int i = 0; i < pSettings->GetChildCount(); ++i)
    {
        CErrorAutoThrow error;
        CComPtr<IMGLObject> pChild;
        pSettings->GetChild(error, i, &pChild.p);
        auto pStop = MGLQuery<IMGLGradientStop>(pChild);
        if (pStop == nullptr)
            continue;
        if (pChild->GetObjectKind() == MGL_OBJECT_COLOR_STOP)
        {
            stops.colors.push_back(
                SRenderColorStop{pStop->GetLocation(), pStop->GetMidpoint(), pStop->GetValue()});
            bAny = true;
        }
        else if (pChild->GetObjectKind() == MGL_OBJECT_TRANSPARENCY_STOP)
        {
            // An opacity that does not fit an int is out of range all the same.
            const DWORD dwOpacity = pStop->GetValue();
            stops.opacities.push_back(
                SRenderOpacityStop{pStop->GetLocation(), pStop->GetMidpoint(),
                                   dwOpacity > 100 ? 101 : static_cast<int>(dwOpacity)});
            bAny = true;
        }
    }
    return bAny;
}

} // namespace

CErrorAutoThrow CMaterialRenderer::ReadGradient(IMGLObject* pSettings, SGradientStops& stops,
                                                SGradientLayout& layout) const
{
    stops = SGradientStops{};
    layout = SGradientLayout{};
    if (pSettings == nullptr)
        return MIRN_ERR_INVALID_ARG;

    if (!ReadOwnStops(pSettings, stops))
    {
        CString strName;
        if (!MGLReadString(pSettings, MGL_PROP_RESOURCE_NAME, strName))
            return MIRN_ERR_INVALID_ARG;
        const SHostResource* pResource = m_resources.Find(HOST_RESOURCE_GRADIENTS, strName);
        if (pResource == nullptr)
            return MIRN_ERR_NOT_FOUND;
        stops = pResource->stops;
    }

    double dType = GRADIENT_LINEAR;
    double dRepeats = 0.0;
    double dInvert = 0.0;
    if (!ReadFinite(pSettings, MGL_PROP_GRADIENT_TYPE, dType) ||
        !ReadFinite(pSettings, MGL_PROP_ANGLE, layout.dAngle) ||
        !ReadFinite(pSettings, MGL_PROP_REPEATS, dRepeats) ||
        !ReadFinite(pSettings, MGL_PROP_INVERT, dInvert) ||
        !ReadFinite(pSettings, MGL_PROP_CENTER_X, layout.dCenterX) ||
        !ReadFinite(pSettings, MGL_PROP_CENTER_Y, layout.dCenterY))
        return MIRN_ERR_INVALID_ARG;
    // Without a focal point of its own the focus is the centre.
    layout.dFocalX = layout.dCenterX;
    layout.dFocalY = layout.dCenterY;
    if (!ReadFinite(pSettings, MGL_PROP_FOCAL_X, layout.dFocalX) ||
        !ReadFinite(pSettings, MGL_PROP_FOCAL_Y, layout.dFocalY))
        return MIRN_ERR_INVALID_ARG;

    if (dType != std::floor(dType) || dType < static_cast<double>(GRADIENT_LINEAR) ||
        dType > static_cast<double>(GRADIENT_RADIAL))
        return MIRN_ERR_INVALID_ARG;
    layout.eType = static_cast<EGradientType>(static_cast<int>(dType));
    // A repeat count is a small whole number; a negative one is a slip and
    // huge ones would only draw noise.
    if (dRepeats < 0.0 || dRepeats > 1000.0)
        return MIRN_ERR_INVALID_ARG;
    layout.nRepeats = static_cast<int>(dRepeats);
    layout.bInvert = dInvert != 0.0;
    return MIRN_ERR_NONE;
}

CErrorAutoThrow CMaterialRenderer::ReadImageFill(IMGLObject* pSettings, int nKind, CRenderImage& tile,
                                                 SImagePlacement& placement) const
{
    tile.Clear();
    placement = SImagePlacement{};
    if (pSettings == nullptr || (nKind != HOST_RESOURCE_PATTERNS && nKind != HOST_RESOURCE_TEXTURES))
        return MIRN_ERR_INVALID_ARG;

    CRowIteratorBands image;
    if (!MGLReadImage(pSettings, MGL_PROP_IMAGE, image))
    {
        CString strName;
        if (!MGLReadString(pSettings, MGL_PROP_RESOURCE_NAME, strName))
            return MIRN_ERR_INVALID_ARG;
        const SHostResource* pResource = m_resources.Find(nKind, strName);
        if (pResource == nullptr)
            return MIRN_ERR_NOT_FOUND;
        image = pResource->image;
    }
    if (!tile.CopyFrom(image))
        return MIRN_ERR_INVALID_ARG;
    if (!ReadFinite(pSettings, MGL_PROP_ANGLE, placement.dAngle) ||
        !ReadFinite(pSettings, MGL_PROP_SCALE, placement.dScale) || placement.dScale <= 0.0)
        return MIRN_ERR_INVALID_ARG;
    return MIRN_ERR_NONE;
}

CErrorAutoThrow CMaterialRenderer::RenderStyle(IMGLMaterial* pMaterial, CRenderImage& image) const
{
    CErrorAutoThrow error;
    CComPtr<IMGLObject> pSettings;
    const int nStyle = pMaterial->GetStyle();
    if (nStyle != kStyleSolid)
        pMaterial->GetSettings(error, &pSettings.p);

    switch (nStyle)
    {
        case kStyleSolid:
            image.Fill(ArgbFromColor(pMaterial->GetSolidColor()));
            return MIRN_ERR_NONE;
        case kStyleArtMedia:
        {
            CComPtr<IMGLArt> pArt = MGLQuery<IMGLArt>(pSettings);
            if (pArt == nullptr)
            {
                CComPtr<IMGLArt> pOwnArt = MGLQuery<IMGLArt>(pMaterial);
                pArt = pOwnArt.p;
            }
            COLORREF clrColor = pMaterial->GetSolidColor();
            if (pArt != nullptr)
            {
                const COLORREF* pPrimary = nullptr;
                const COLORREF* pSecondary = nullptr;
                int nThird = 0;
                bool bSecondaryFirst = false;
                pArt->GetContent(error, &pPrimary, &pSecondary, nThird, bSecondaryFirst);
                if (error.IsOk() && pPrimary != nullptr)
                    clrColor = *pPrimary;
            }
            image.Fill(ArgbFromColor(clrColor & 0x00FFFFFF));
            return MIRN_ERR_NONE;
        }
        case kStyleGradient:
        {
            SGradientStops stops;
            SGradientLayout layout;
            error = ReadGradient(pSettings, stops, layout);
            if (error.IsError())
                return error;
            return RenderGradient(image, stops, layout, m_clrForeground, m_clrBackground);
        }
        case kStylePattern:
        case kStyleTexture:
        {
            // A texture shown as a style may hand its texture settings as the
            // style's settings or only as the material's texture.
            if (nStyle == kStyleTexture && pSettings == nullptr)
                pMaterial->GetTexture(error, &pSettings.p);
            CRenderImage tile;
            SImagePlacement placement;
            error = ReadImageFill(pSettings,
                                  nStyle == kStylePattern ? HOST_RESOURCE_PATTERNS : HOST_RESOURCE_TEXTURES,
                                  tile, placement);
            if (error.IsError())
                return error;
            return TileImage(image, tile, placement);
        }
        default:
            return MIRN_ERR_INVALID_ARG;
    }
}

CErrorAutoThrow CMaterialRenderer::Render(IMGLMaterial* pMaterial, int nWidth, int nHeight,
                                          CRenderImage& image) const
{
    image.Clear();
    if (pMaterial == nullptr || !image.Create(nWidth, nHeight))
        return MIRN_ERR_INVALID_ARG;

    CErrorAutoThrow error = RenderStyle(pMaterial, image);
    if (error.IsError())
    {
        image.Fill(kRenderFailureArgb);
        return error;
    }
    if (pMaterial->GetStyle() == kStyleTexture)
        return MIRN_ERR_NONE;

    CComPtr<IMGLObject> pTexture;
    pMaterial->GetTexture(error, &pTexture.p);
    if (error.IsError() || pTexture == nullptr)
        return MIRN_ERR_NONE;
    CRenderImage texture;
    SImagePlacement placement;
    error = ReadImageFill(pTexture, HOST_RESOURCE_TEXTURES, texture, placement);
    if (error.IsError())
        return error;
    return ApplyTexture(image, texture, placement);
}
