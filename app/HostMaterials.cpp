#include "HostMaterials.h"

#include "Utf8.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace
{

unsigned MaterialBit(bool bForeground)
{
    return bForeground ? kChangeForeground : kChangeBackground;
}

unsigned TextureBit(bool bForeground)
{
    return bForeground ? kChangeForegroundTexture : kChangeBackgroundTexture;
}

nlohmann::json MaterialJson(const SHostMaterial& material)
{
    nlohmann::json json = {{"style", material.nStyle}, {"color", ColorToHex(material.clrColor)}};
    const std::pair<const char*, IMGLObject*> settings[] = {{"gradient", material.pGradient},
                                                            {"pattern", material.pPattern},
                                                            {"art", material.pArt},
                                                            {"textureName", material.pTexture}};
    for (const auto& [pszKey, pSettings] : settings)
    {
        if (pSettings != nullptr)
            json[pszKey] = WideToUtf8(static_cast<LPCWSTR>(SettingsName(pSettings)));
    }
    return json;
}

} // namespace

std::string ColorToHex(COLORREF clrColor)
{
    char szText[8];
    std::snprintf(szText, sizeof(szText), "#%02X%02X%02X", GetRValue(clrColor), GetGValue(clrColor),
                  GetBValue(clrColor));
    return szText;
}

CString SettingsName(IMGLObject* pSettings)
{
    CString strName = MGLCachedNameOf(pSettings);
    if (strName.IsEmpty())
        MGLReadString(pSettings, MGL_PROP_RESOURCE_NAME, strName);
    return strName;
}

IMGLObject* SHostMaterial::StyleSettings() const
{
    switch (nStyle)
    {
        case kHostStyleGradient:
            return pGradient;
        case kHostStylePattern:
            return pPattern;
        case kHostStyleArtMedia:
            return pArt;
        default:
            return nullptr;
    }
}

CHostMaterials::CHostMaterials()
{
    // Black on white, as a new document starts.
    m_foreground.material.clrColor = RGB(0, 0, 0);
    m_background.material.clrColor = RGB(255, 255, 255);
}

void CHostMaterials::SetMaterial(bool bForeground, const SHostMaterial& material)
{
    SSide& side = Side(bForeground);
    const bool bTextureOn = material.pTexture != nullptr;
    // A material without a texture switches the side's texture off but
    // leaves its settings for when it is switched on again.
    CComPtr<IMGLObject> pTexture = bTextureOn ? material.pTexture : side.material.pTexture;
    const bool bTextureChanged = side.bTexture != bTextureOn || pTexture != side.material.pTexture;
    side.material = material;
    side.material.pTexture = pTexture;
    side.bTexture = bTextureOn;
    Remember(Painted(bForeground));
    Changed(MaterialBit(bForeground) | (bTextureChanged ? TextureBit(bForeground) : 0));
    Notify(kNotifyMaterialChanged);
}

void CHostMaterials::Replace(bool bForeground, const SHostMaterial& material)
{
    Side(bForeground).material = material;
    Remember(Painted(bForeground));
    Changed(MaterialBit(bForeground));
    Notify(kNotifyMaterialChanged);
}

void CHostMaterials::SetDefaults(bool bForeground, IMGLObject* pGradient, IMGLObject* pPattern,
                                 IMGLObject* pArt, IMGLObject* pTexture)
{
    SHostMaterial& material = Side(bForeground).material;
    material.pGradient = pGradient;
    material.pPattern = pPattern;
    material.pArt = pArt;
    material.pTexture = pTexture;
}

void CHostMaterials::SetSolidColor(bool bForeground, COLORREF clrColor)
{
    SHostMaterial material = Material(bForeground);
    material.nStyle = kHostStyleSolid;
    material.clrColor = clrColor & 0x00FFFFFF;
    Replace(bForeground, material);
}

void CHostMaterials::SetStyle(bool bForeground, int nStyle)
{
    SHostMaterial material = Material(bForeground);
    if (material.nStyle == nStyle)
        return;
    material.nStyle = nStyle;
    Replace(bForeground, material);
}

SHostMaterial CHostMaterials::Painted(bool bForeground) const
{
    SHostMaterial material = Material(bForeground);
    if (!IsTextureOn(bForeground))
        material.pTexture = nullptr;
    return material;
}

bool CHostMaterials::SetEnabled(bool bForeground, bool bEnabled)
{
    SSide& side = Side(bForeground);
    if (side.bEnabled == bEnabled)
        return true;
    if (!bEnabled && !Side(!bForeground).bEnabled)
        return false;
    side.bEnabled = bEnabled;
    Changed(kChangeEnabled);
    Notify(kNotifyEnabledChanged);
    return true;
}

void CHostMaterials::SetTexture(bool bForeground, bool bOn)
{
    SSide& side = Side(bForeground);
    if (side.bTexture == bOn)
        return;
    side.bTexture = bOn;
    Changed(TextureBit(bForeground));
    Notify(kNotifyMaterialChanged);
}

void CHostMaterials::Swap()
{
    std::swap(m_foreground, m_background);
    Changed(kChangeForeground | kChangeBackground | kChangeForegroundTexture | kChangeBackgroundTexture |
            kChangeEnabled);
    Notify(kNotifyMaterialChanged);
}

void CHostMaterials::SwapColors()
{
    std::swap(m_foreground.material.clrColor, m_background.material.clrColor);
    Changed(kChangeForeground | kChangeBackground);
    Notify(kNotifyMaterialChanged);
}

void CHostMaterials::SwapMaterials()
{
    std::swap(m_foreground.material, m_background.material);
    // The textures stay with their sides.
    std::swap(m_foreground.material.pTexture, m_background.material.pTexture);
    Changed(kChangeForeground | kChangeBackground);
    Notify(kNotifyMaterialChanged);
}

void CHostMaterials::SwapTextures()
{
    std::swap(m_foreground.bTexture, m_background.bTexture);
    std::swap(m_foreground.material.pTexture, m_background.material.pTexture);
    Changed(kChangeForegroundTexture | kChangeBackgroundTexture);
    Notify(kNotifyMaterialChanged);
}

void CHostMaterials::ClearRecent()
{
    if (m_recent.empty())
        return;
    m_recent.clear();
    Notify(kNotifyRecentCleared);
}

void CHostMaterials::Remember(const SHostMaterial& material)
{
    if (!m_recent.empty() && m_recent.front() == material)
        return;
    std::erase(m_recent, material);
    m_recent.push_front(material);
    if (m_recent.size() > kMaxRecent)
        m_recent.pop_back();
    Notify(kNotifyRecentChanged);
}

int CHostMaterials::Subscribe(std::function<void(int)> callback)
{
    if (!callback)
        return -1;
    const int nCookie = m_nNextCookie++;
    m_subscribers.emplace(nCookie, std::move(callback));
    return nCookie;
}

bool CHostMaterials::Unsubscribe(int nCookie)
{
    return m_subscribers.erase(nCookie) != 0;
}

void CHostMaterials::Notify(int nNotification)
{
    // Callbacks may change the subscriptions: call those present at the
    // start that are still subscribed when their turn comes.
    std::vector<int> cookies;
    for (const auto& entry : m_subscribers)
        cookies.push_back(entry.first);
    for (int nCookie : cookies)
    {
        auto it = m_subscribers.find(nCookie);
        if (it == m_subscribers.end())
            continue;
        std::function<void(int)> callback = it->second;
        callback(nNotification);
    }
}

void CHostMaterials::Changed(unsigned nChanges)
{
    if (m_listener)
        m_listener(nChanges);
}

nlohmann::json CHostMaterials::ToJson() const
{
    auto sideJson = [](const SSide& side)
    {
        nlohmann::json json = MaterialJson(side.material);
        json["enabled"] = side.bEnabled;
        json["texture"] = side.bTexture;
        return json;
    };
    nlohmann::json recent = nlohmann::json::array();
    for (const SHostMaterial& material : m_recent)
        recent.push_back(MaterialJson(material));
    return {
        {"foreground", sideJson(m_foreground)}, {"background", sideJson(m_background)}, {"recent", recent}};
}
