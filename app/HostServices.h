// The reference host's services as the palette reaches them: the settings
// registry over the settings store, the command execution context with its
// factories, render engine and event recorder.
#pragma once

#include "CommandExecutionContext.h"
#include "HostRegistry.h"
#include "MGLModel.h"
#include "SettingsStore.h"

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

// Paints materials: a solid colour (or an art-media colour) as a filled
// rectangle. Styles whose settings it cannot draw yet are painted a neutral
// grey and reported as not implemented.
class CHostRenderEngine : public CMGLMGDIRenderEngine
{
public:
    void Configure(CErrorAutoThrow& error, int nMode, bool bScreenQuality) override;
    void RenderMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial, CDC& dc, const RECT& rect) override;

    int Mode() const { return m_nMode; }
    bool IsScreenQuality() const { return m_bScreenQuality; }

private:
    int m_nMode = 0;
    bool m_bScreenQuality = false;
};

class CHostRenderEngineSource : public VMGLRenderEngineSource
{
public:
    // Kind 0 is the only engine there is.
    CMGLMGDIRenderEngine* CreateRenderEngine(CErrorAutoThrow& error, int nKind) override;
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
