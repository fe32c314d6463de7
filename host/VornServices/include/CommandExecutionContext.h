// The command execution context: where the palette finds the host's
// factories, its material render engine and its event recorder.
#pragma once

#include "Geometry.h"
#include "MGLObjects.h"

class CDC;

// The host's material renderer as the palette uses it. The render-engine
// source makes one with argument 0; the palette owns it, configures it once
// with (0, true) and deletes it at shutdown.
class CMGLMGDIRenderEngine
{
public:
    virtual ~CMGLMGDIRenderEngine() = default;
    // Sets the engine's drawing mode and whether it renders at screen
    // quality.
    virtual void Configure(CErrorAutoThrow& error, int nMode, bool bScreenQuality) = 0;
    // Renders the material into the rectangle of a device context.
    virtual void RenderMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial, CDC& dc,
                                const RECT& rect) = 0;
};

// Makes render engines.
class VMGLRenderEngineSource
{
public:
    virtual ~VMGLRenderEngineSource() = default;
    // A new engine (owned by the caller); the palette passes 0.
    virtual CMGLMGDIRenderEngine* CreateRenderEngine(CErrorAutoThrow& error, int nKind) = 0;
};

// Records user actions by event name ("Edit_Materials_ForeColor", ...).
struct IEventRecorder : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8A70}");
    virtual void RecordEvent(CErrorAutoThrow& error, LPCWSTR pszEventName) = 0;
};

// Hands out the host's factories. They are not reference counted: they live
// as long as the host.
class VMGLFactoryProvider
{
public:
    virtual ~VMGLFactoryProvider() = default;
    virtual VMGLObjectFactory* GetObjectFactory(CErrorAutoThrow& error) = 0;
    virtual VMGLValueFactory* GetValueFactory(CErrorAutoThrow& error) = 0;
    virtual VMGLPropertyFactory* GetPropertyFactory(CErrorAutoThrow& error) = 0;
    virtual VMGLRenderEngineSource* GetRenderEngineSource(CErrorAutoThrow& error) = 0;
    // The event recorder with one reference, or null.
    virtual void GetEventRecorder(CErrorAutoThrow& error, IEventRecorder** ppRecorder) = 0;
};

struct ICommandExecutionContext : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8A80}");
    virtual VMGLFactoryProvider* GetFactoryProvider(CErrorAutoThrow& error) = 0;
};
