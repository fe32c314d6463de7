// Small recording fakes of the host services the palette holds: reference
// counts come from TUnknownImpl, releases, engine calls and document-mode
// questions go to a log.
#pragma once

#include "VornServices.h"

#include <string>
#include <vector>

// What the fakes saw, oldest first.
inline std::vector<std::wstring>& HostLog()
{
    static std::vector<std::wstring> s_log;
    return s_log;
}

// Logs "<name> released" whenever a reference is given back.
template <class Base> class TLoggingUnknown : public Base
{
public:
    explicit TLoggingUnknown(std::wstring strName) : m_strName(std::move(strName)) {}
    ULONG Release() override
    {
        HostLog().push_back(m_strName + L" released");
        return Base::Release();
    }

private:
    std::wstring m_strName;
};

// An application context; with bServices it also answers IMaterialServices.
class CFakeAppContextBase : public TUnknownImpl<IMatPalAppContext, IMaterialServices>
{
public:
    bool m_bAnswerServices = false;

    HRESULT QueryInterface(REFIID riid, void** ppvObject) override
    {
        if (riid == IID_OF(IMaterialServices) && !m_bAnswerServices)
        {
            *ppvObject = nullptr;
            return E_NOINTERFACE;
        }
        return TUnknownImpl::QueryInterface(riid, ppvObject);
    }

    // IMatPalAppContext
    bool IsMaterialEnabled(CErrorAutoThrow&, bool) override { return true; }
    void EnableMaterial(CErrorAutoThrow&, bool, bool) override {}
    void GetStyleData(CErrorAutoThrow&, int, bool, void** ppData) override { *ppData = nullptr; }
    void GetTextureData(CErrorAutoThrow&, bool, IMGLObject** pp) override { *pp = nullptr; }
    bool IsTextureEnabled(CErrorAutoThrow&, bool) override { return false; }
    void GetNonCachedGradient(CErrorAutoThrow&, bool, IMGLGradient** pp) override { *pp = nullptr; }
    void GetNonCachedArt(CErrorAutoThrow&, bool, IMGLArt** pp) override { *pp = nullptr; }
    void GetNonCachedPattern(CErrorAutoThrow&, bool, CRowIterator&, CRowIterator&) override {}
    void GetNonCachedTexture(CErrorAutoThrow&, bool, CRowIterator&, CRowIterator&) override {}
    void SwapColors(CErrorAutoThrow&, int) override {}
    void SwapTextures(CErrorAutoThrow&, int) override {}
    void BeginSwapBoth(CErrorAutoThrow&) override {}
    void EndSwapBoth(CErrorAutoThrow&) override {}
    // The two document-mode answers; each question asked is logged.
    bool IsGreyscaleDocument(CErrorAutoThrow&) override
    {
        HostLog().push_back(L"greyscale asked");
        return m_bGreyscaleDocument;
    }
    bool HasDocumentPalette(CErrorAutoThrow&) override
    {
        HostLog().push_back(L"palette asked");
        return m_bDocumentPalette;
    }
    bool m_bGreyscaleDocument = false;
    bool m_bDocumentPalette = false;
    bool IsFullColorDocument(CErrorAutoThrow&) override { return true; }
    void GetDocumentPalette(CErrorAutoThrow&, CMPalette&) override {}
    COLORREF GetCurrentColor(CErrorAutoThrow&, int) override { return 0; }
    void GetResourceServices(CErrorAutoThrow&, IResourceServices** pp) override { *pp = nullptr; }

    // IMaterialServices
    void GetMaterial(CErrorAutoThrow&, bool, IMGLMaterial** pp) override { *pp = nullptr; }
    void SetMaterial(CErrorAutoThrow&, IMGLMaterial*, bool, int, int) override {}
    void SetSolidColor(CErrorAutoThrow&, bool, COLORREF) override {}
    void ReportSampledColor(CErrorAutoThrow&, COLORREF) override {}
    void SetStyle(CErrorAutoThrow&, bool, int) override {}
    int GetStyle(CErrorAutoThrow&, bool) override { return 1; }
    void EnableTexture(CErrorAutoThrow&, bool, bool) override {}
    void SwapMaterials(CErrorAutoThrow&) override {}
    int GetRecentMaterialCount(CErrorAutoThrow&) override { return 0; }
    void GetRecentMaterial(CErrorAutoThrow&, int, IMGLMaterial** pp) override { *pp = nullptr; }
    int Subscribe(CErrorAutoThrow&, int, PFN_MATERIAL_NOTIFY, void*) override { return -1; }
    void Unsubscribe(CErrorAutoThrow&, int) override {}
    void GetCurrentMaterial(CErrorAutoThrow&, IMGLMaterial** pp) override { *pp = nullptr; }
    bool EditMaterial(CErrorAutoThrow&, IMGLMaterial*, IMGLMaterial** pp) override
    {
        *pp = nullptr;
        return false;
    }
    void ApplyMaterial(CErrorAutoThrow&, IMGLMaterial*, int) override {}
};
using CFakeAppContext = TLoggingUnknown<CFakeAppContextBase>;

// A render engine that logs its configuration and its end.
class CFakeRenderEngine : public CMGLMGDIRenderEngine
{
public:
    explicit CFakeRenderEngine(int nKind) { HostLog().push_back(L"engine made " + std::to_wstring(nKind)); }
    ~CFakeRenderEngine() override { HostLog().push_back(L"engine deleted"); }
    void Configure(CErrorAutoThrow&, int nMode, bool bScreen) override
    {
        HostLog().push_back(L"engine configured " + std::to_wstring(nMode) +
                            (bScreen ? L" true" : L" false"));
    }
    void RenderMaterial(CErrorAutoThrow&, IMGLMaterial*, CDC&, const RECT&) override {}
};

class CFakeObjectFactory : public VMGLObjectFactory
{
public:
    void CreateObject(CErrorAutoThrow& error, int, IMGLObject** pp) override
    {
        *pp = nullptr;
        error = MIRN_ERR_NOT_IMPLEMENTED;
    }
};

class CFakeValueFactory : public VMGLValueFactory
{
public:
    void CreateInteger(CErrorAutoThrow&, int, IMGLValue** pp) override { *pp = nullptr; }
    void CreateDouble(CErrorAutoThrow&, double, IMGLValue** pp) override { *pp = nullptr; }
    void CreateBool(CErrorAutoThrow&, bool, IMGLValue** pp) override { *pp = nullptr; }
    void CreateString(CErrorAutoThrow&, LPCWSTR, IMGLValue** pp) override { *pp = nullptr; }
    void CreateLength(CErrorAutoThrow&, double, IMGLValue** pp) override { *pp = nullptr; }
    void CreateImage(CErrorAutoThrow&, const CRowIterator&, IMGLValue** pp) override { *pp = nullptr; }
};

class CFakePropertyFactory : public VMGLPropertyFactory
{
public:
    void CreateProperty(CErrorAutoThrow&, int, IMGLValue*, IMGLProperty** pp) override { *pp = nullptr; }
};

// An execution context whose provider hands out its own factories and makes
// logging render engines.
class CFakeExecutionContextBase : public TUnknownImpl<ICommandExecutionContext>,
                                  public VMGLFactoryProvider,
                                  public VMGLRenderEngineSource
{
public:
    VMGLFactoryProvider* GetFactoryProvider(CErrorAutoThrow&) override { return this; }
    VMGLObjectFactory* GetObjectFactory(CErrorAutoThrow&) override { return &m_objectFactory; }
    VMGLValueFactory* GetValueFactory(CErrorAutoThrow&) override { return &m_valueFactory; }
    VMGLPropertyFactory* GetPropertyFactory(CErrorAutoThrow&) override { return &m_propertyFactory; }
    VMGLRenderEngineSource* GetRenderEngineSource(CErrorAutoThrow&) override { return this; }
    void GetEventRecorder(CErrorAutoThrow&, IEventRecorder** pp) override { *pp = nullptr; }
    CMGLMGDIRenderEngine* CreateRenderEngine(CErrorAutoThrow&, int nKind) override
    {
        return new CFakeRenderEngine(nKind);
    }

    CFakeObjectFactory m_objectFactory;
    CFakeValueFactory m_valueFactory;
    CFakePropertyFactory m_propertyFactory;
};
using CFakeExecutionContext = TLoggingUnknown<CFakeExecutionContextBase>;

class CFakeRegistryBase : public TUnknownImpl<IRegistry>
{
public:
    int ReadInteger(CErrorAutoThrow&, LPCWSTR, LPCWSTR, int nDefault) override { return nDefault; }
    void WriteInteger(CErrorAutoThrow&, LPCWSTR, LPCWSTR, int) override {}
    CString ReadString(CErrorAutoThrow&, LPCWSTR, LPCWSTR, LPCWSTR pszDefault) override { return pszDefault; }
    void WriteString(CErrorAutoThrow&, LPCWSTR, LPCWSTR, LPCWSTR) override {}
    void DeleteValue(CErrorAutoThrow&, LPCWSTR, LPCWSTR) override {}
};
using CFakeRegistry = TLoggingUnknown<CFakeRegistryBase>;

// The references an object holds right now (one AddRef and one Release).
inline ULONG RefCount(IUnknown* pObject)
{
    pObject->AddRef();
    return pObject->Release();
}
