// The reference host's current materials: the foreground and background
// material with their enabled states and texture switches, the recently used
// list, and who is told about changes. No windows here; the host's services
// and the palette's refresh are driven from it.
#pragma once

#include "MGLObjectAccess.h"
#include "WinDef.h"

#include <nlohmann/json.hpp>

#include <deque>
#include <functional>
#include <map>

// Style kinds as the palette numbers them.
enum EHostStyle : int
{
    kHostStyleSolid = 1,
    kHostStylePattern = 2,
    kHostStyleGradient = 4,
    kHostStyleArtMedia = 8,
    kHostStyleTexture = 64,
};

// What changed, in the palette's refresh bits.
enum EHostChange : unsigned
{
    kChangeForeground = 0x01,
    kChangeBackground = 0x02,
    kChangeForegroundTexture = 0x04,
    kChangeBackgroundTexture = 0x08,
    kChangeEnabled = 0x10,
};

// Notifications to subscribers of the recently used list.
enum EHostNotification : int
{
    kNotifyRecentChanged = 0,
    kNotifyMaterialChanged = 1,
    kNotifyEnabledChanged = 2,
    kNotifyRecentCleared = 3,
};

// A material as the host keeps it. The settings of every kind stay whatever
// the style, so that switching a side back to a kind brings back what it
// had. Settings objects are shared, not copied: two materials are the same
// when they hold the same objects.
struct SHostMaterial
{
    int nStyle = kHostStyleSolid;
    COLORREF clrColor = RGB(0, 0, 0); // the solid colour
    CComPtr<IMGLObject> pGradient;    // gradient settings (a gradient object)
    CComPtr<IMGLObject> pPattern;     // pattern settings
    CComPtr<IMGLObject> pArt;         // art-media content (an art object)
    CComPtr<IMGLObject> pTexture;     // texture settings; used while the texture is on
    bool operator==(const SHostMaterial&) const = default;
    // The settings of the material's own style, or null for a solid colour
    // and a texture shown as a style.
    IMGLObject* StyleSettings() const;
};

class CHostMaterials
{
public:
    static constexpr size_t kMaxRecent = 10;

    CHostMaterials();

    const SHostMaterial& Material(bool bForeground) const { return Side(bForeground).material; }
    bool IsEnabled(bool bForeground) const { return Side(bForeground).bEnabled; }
    bool IsTextureOn(bool bForeground) const { return Side(bForeground).bTexture; }

    // A new material for a side; it joins the recently used list. The
    // side's texture follows the material's: on with its settings, or off
    // when it has none.
    void SetMaterial(bool bForeground, const SHostMaterial& material);
    // The settings a side starts with for the kinds that are not solid (any
    // may be null); no change is reported.
    void SetDefaults(bool bForeground, IMGLObject* pGradient, IMGLObject* pPattern, IMGLObject* pArt,
                     IMGLObject* pTexture);
    // A solid colour for a side: the side becomes a solid colour material.
    void SetSolidColor(bool bForeground, COLORREF clrColor);
    void SetStyle(bool bForeground, int nStyle);
    // Switching a side off is refused while the other side is off: there is
    // always one material to paint with. Returns whether the state is now
    // what was asked.
    bool SetEnabled(bool bForeground, bool bEnabled);
    void SetTexture(bool bForeground, bool bOn);
    // The material of a side as it paints: its texture only while it is on.
    SHostMaterial Painted(bool bForeground) const;
    // Exchanges the two sides: materials, enabled states and textures.
    void Swap();
    // Exchanges only the solid colours (the swap button with Ctrl), or only
    // the textures, switch and settings (with Shift).
    void SwapColors();
    // Exchanges the materials, leaving enabled states and textures (the
    // texture switches and settings).
    void SwapMaterials();
    void SwapTextures();

    // Most recent first, no two equal.
    const std::deque<SHostMaterial>& Recent() const { return m_recent; }
    void ClearRecent();

    // Subscribers hear the notifications above; the cookie unsubscribes.
    // A callback may subscribe or unsubscribe while it is being called.
    int Subscribe(std::function<void(int nNotification)> callback);
    bool Unsubscribe(int nCookie);

    // The one listener the palette's refresh hangs on: told the refresh bits
    // of every change.
    void SetChangeListener(std::function<void(unsigned nChanges)> listener)
    {
        m_listener = std::move(listener);
    }

    // {"foreground": {...}, "background": {...}, "recent": [...]}
    nlohmann::json ToJson() const;

private:
    struct SSide
    {
        SHostMaterial material;
        bool bEnabled = true;
        bool bTexture = false;
    };
    SSide& Side(bool bForeground) { return bForeground ? m_foreground : m_background; }
    const SSide& Side(bool bForeground) const { return bForeground ? m_foreground : m_background; }
    // A change of the side's own material, texture state untouched.
    void Replace(bool bForeground, const SHostMaterial& material);
    void Remember(const SHostMaterial& material);
    void Notify(int nNotification);
    void Changed(unsigned nChanges);

    SSide m_foreground;
    SSide m_background;
    std::deque<SHostMaterial> m_recent;
    std::map<int, std::function<void(int)>> m_subscribers;
    int m_nNextCookie = 1;
    std::function<void(unsigned)> m_listener;
};

// "#RRGGBB", red first, upper case.
std::string ColorToHex(COLORREF clrColor);
// The name a settings object goes by: the name it is cached under, else its
// resource name (property 29); empty for content that has neither.
CString SettingsName(IMGLObject* pSettings);
