// The reference host's services as the palette reaches them: the settings
// registry over the settings store, the command execution context with its
// factories, render engine and event recorder.
#pragma once

#include "CommandExecutionContext.h"
#include "HostRegistry.h"
#include "MGLModel.h"
#include "MaterialRenderer.h"
#include "SettingsStore.h"

#include <functional>
#include <string>
#include <vector>

// Settings under the host's own root key of the settings store.
class CHostRegistry : public TUnknownImpl<IRegistry>
{
public:
    static constexpr const wchar_t* kRoot = L"Software\\Tavor\\Pixmill\\X15";

    explicit CHostRegistry(CSettingsStore& store) : m_store(store) {}

    int ReadInteger(CErrorAutoThrow& error, LPCWSTR pszKey, LPCWSTR pszName, int nDefault) override;
    void WriteInteger(CErrorAutoThrow& error, LPCWSTR pszKey, LPCWSTR pszName, int nValue) override;
    CString ReadString(CErrorAutoThrow& error, LPCWSTR pszKey, LPCWSTR pszName, LPCWSTR pszDefault) override;
    void WriteString(CErrorAutoThrow& error, LPCWSTR pszKey, LPCWSTR pszName, LPCWSTR pszValue) override;
    void DeleteValue(CErrorAutoThrow& error, LPCWSTR pszKey, LPCWSTR pszName) override;

    // The store's path of a key given to the registry.
    static std::wstring StorePath(LPCWSTR pszKey);

private:
    ~CHostRegistry() override = default;
    CSettingsStore& m_store;
};

// Keeps the names of the user actions the palette reports, in order.
class CHostEventRecorder : public TUnknownImpl<IEventRecorder>
{
public:
    void RecordEvent(CErrorAutoThrow& error, LPCWSTR pszEventName) override;
    const std::vector<std::string>& Events() const { return m_events; }

private:
    ~CHostEventRecorder() override = default;
    std::vector<std::string> m_events;
};

// The current foreground and background colours, which gradient stops may
// stand for; the host answers them when a material is rendered.
struct SHostCurrentColors
{
    COLORREF clrForeground = RGB(0, 0, 0);
    COLORREF clrBackground = RGB(255, 255, 255);
};
using HostColorSource = std::function<SHostCurrentColors()>;

// Paints any material into a rectangle of a device context: the material is
// rendered by CMaterialRenderer and blended over what the rectangle holds,
// so transparent parts of a gradient show the background drawn before. A
// material that cannot be rendered is painted a neutral grey and its error
// reported.
class CHostRenderEngine : public CMGLMGDIRenderEngine
{
public:
    // Without a colour source reserved stop colours are black and white.
    explicit CHostRenderEngine(const CHostResourceLibrary& resources = CHostResourceLibrary::BuiltIn(),
                               HostColorSource colors = {})
        : m_renderer(resources), m_colors(std::move(colors))
    {
    }

    void Configure(CErrorAutoThrow& error, int nMode, bool bScreenQuality) override;
    void RenderMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial, CDC& dc, const RECT& rect) override;

    int Mode() const { return m_nMode; }
    bool IsScreenQuality() const { return m_bScreenQuality; }

private:
    int m_nMode = 0;
    bool m_bScreenQuality = false;
    CMaterialRenderer m_renderer;
    HostColorSource m_colors;
};

class CHostRenderEngineSource : public VMGLRenderEngineSource
{
public:
    // Kind 0 is the only engine there is. It draws with the built-in
    // resources and the colour source set here.
    CMGLMGDIRenderEngine* CreateRenderEngine(CErrorAutoThrow& error, int nKind) override;

    // Where engines made from now on learn the current colours.
    void SetColorSource(HostColorSource colors) { m_colors = std::move(colors); }

private:
    HostColorSource m_colors;
};

class CHostFactoryProvider : public VMGLFactoryProvider
{
public:
    CHostFactoryProvider();

    VMGLObjectFactory* GetObjectFactory(CErrorAutoThrow& error) override;
    VMGLValueFactory* GetValueFactory(CErrorAutoThrow& error) override;
    VMGLPropertyFactory* GetPropertyFactory(CErrorAutoThrow& error) override;
    VMGLRenderEngineSource* GetRenderEngineSource(CErrorAutoThrow& error) override;
    void GetEventRecorder(CErrorAutoThrow& error, IEventRecorder** ppRecorder) override;

    CHostEventRecorder& EventRecorder() { return *m_pRecorder; }
    CHostRenderEngineSource& RenderEngineSource() { return m_renderSource; }

private:
    CMGLObjectFactory m_objects;
    CMGLValueFactory m_values;
    CMGLPropertyFactory m_properties;
    CHostRenderEngineSource m_renderSource;
    CComPtr<CHostEventRecorder> m_pRecorder;
};

class CHostExecutionContext : public TUnknownImpl<ICommandExecutionContext>
{
public:
    VMGLFactoryProvider* GetFactoryProvider(CErrorAutoThrow& error) override;
    CHostFactoryProvider& Provider() { return m_provider; }

private:
    ~CHostExecutionContext() override = default;
    CHostFactoryProvider m_provider;
};
