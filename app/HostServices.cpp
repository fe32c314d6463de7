#include "HostServices.h"

#include "DebugOutput.h"
#include "Dc.h"
#include "Utf8.h"

#include <new>

std::wstring CHostRegistry::StorePath(LPCWSTR pszKey)
{
    std::wstring strPath = kRoot;
    if (pszKey != nullptr && pszKey[0] != L'\0')
        strPath += std::wstring(L"\\") + pszKey;
    return strPath;
}

int CHostRegistry::ReadInteger(CErrorAutoThrow& error, LPCWSTR pszKey, LPCWSTR pszName, int nDefault)
{
    if (pszName == nullptr)
    {
        error.SetError(MIRN_ERR_INVALID_ARG);
        return nDefault;
    }
    error.SetError(MIRN_ERR_NONE);
    const std::optional<CSettingValue> value = m_store.GetValue(StorePath(pszKey), pszName);
    if (!value || value->GetType() != ESettingType::Dword)
        return nDefault;
    return static_cast<int>(value->GetDword());
}

void CHostRegistry::WriteInteger(CErrorAutoThrow& error, LPCWSTR pszKey, LPCWSTR pszName, int nValue)
{
    const bool bOk =
        pszName != nullptr && m_store.SetDword(StorePath(pszKey), pszName, static_cast<DWORD>(nValue));
    error.SetError(bOk ? MIRN_ERR_NONE : MIRN_ERR_INVALID_ARG);
}

CString CHostRegistry::ReadString(CErrorAutoThrow& error, LPCWSTR pszKey, LPCWSTR pszName, LPCWSTR pszDefault)
{
    const CString strDefault = pszDefault != nullptr ? pszDefault : L"";
    if (pszName == nullptr)
    {
        error.SetError(MIRN_ERR_INVALID_ARG);
        return strDefault;
    }
    error.SetError(MIRN_ERR_NONE);
    const std::optional<CSettingValue> value = m_store.GetValue(StorePath(pszKey), pszName);
    if (!value || value->GetType() != ESettingType::String)
        return strDefault;
    return CString(value->GetString().c_str());
}

void CHostRegistry::WriteString(CErrorAutoThrow& error, LPCWSTR pszKey, LPCWSTR pszName, LPCWSTR pszValue)
{
    const bool bOk = pszName != nullptr &&
                     m_store.SetString(StorePath(pszKey), pszName, pszValue != nullptr ? pszValue : L"");
    error.SetError(bOk ? MIRN_ERR_NONE : MIRN_ERR_INVALID_ARG);
}

void CHostRegistry::DeleteValue(CErrorAutoThrow& error, LPCWSTR pszKey, LPCWSTR pszName)
{
    if (pszName == nullptr)
    {
        error.SetError(MIRN_ERR_INVALID_ARG);
        return;
    }
    m_store.DeleteValue(StorePath(pszKey), pszName);
    error.SetError(MIRN_ERR_NONE);
}

void CHostEventRecorder::RecordEvent(CErrorAutoThrow& error, LPCWSTR pszEventName)
{
    if (pszEventName == nullptr || pszEventName[0] == L'\0')
    {
        error.SetError(MIRN_ERR_INVALID_ARG);
        return;
    }
    m_events.push_back(WideToUtf8(pszEventName));
    OutputDebugStringW((std::wstring(L"[materials] event ") + pszEventName + L"\n").c_str());
    error.SetError(MIRN_ERR_NONE);
}

void CHostRenderEngine::Configure(CErrorAutoThrow& error, int nMode, bool bScreenQuality)
{
    m_nMode = nMode;
    m_bScreenQuality = bScreenQuality;
    error.SetError(MIRN_ERR_NONE);
}

void CHostRenderEngine::RenderMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial, CDC& dc,
                                       const RECT& rect)
{
    if (pMaterial == nullptr || dc.m_hDC == nullptr)
    {
        error.SetError(MIRN_ERR_INVALID_ARG);
        return;
    }
    const int nStyle = pMaterial->GetStyle();
    if (nStyle == 1 || nStyle == 8)
    {
        dc.FillSolidRect(&rect, pMaterial->GetSolidColor());
        error.SetError(MIRN_ERR_NONE);
        return;
    }
    dc.FillSolidRect(&rect, RGB(128, 128, 128));
    error.SetError(MIRN_ERR_NOT_IMPLEMENTED);
}

CMGLMGDIRenderEngine* CHostRenderEngineSource::CreateRenderEngine(CErrorAutoThrow& error, int nKind)
{
    if (nKind != 0)
    {
        error.SetError(MIRN_ERR_INVALID_ARG);
        return nullptr;
    }
    CMGLMGDIRenderEngine* pEngine = new (std::nothrow) CHostRenderEngine;
    error.SetError(pEngine != nullptr ? MIRN_ERR_NONE : MIRN_ERR_INVALID_ARG);
    return pEngine;
}

CHostFactoryProvider::CHostFactoryProvider()
{
    m_pRecorder.Attach(new CHostEventRecorder);
}

VMGLObjectFactory* CHostFactoryProvider::GetObjectFactory(CErrorAutoThrow& error)
{
    error.SetError(MIRN_ERR_NONE);
    return &m_objects;
}

VMGLValueFactory* CHostFactoryProvider::GetValueFactory(CErrorAutoThrow& error)
{
    error.SetError(MIRN_ERR_NONE);
    return &m_values;
}

VMGLPropertyFactory* CHostFactoryProvider::GetPropertyFactory(CErrorAutoThrow& error)
{
    error.SetError(MIRN_ERR_NONE);
    return &m_properties;
}

VMGLRenderEngineSource* CHostFactoryProvider::GetRenderEngineSource(CErrorAutoThrow& error)
{
    error.SetError(MIRN_ERR_NONE);
    return &m_renderSource;
}

void CHostFactoryProvider::GetEventRecorder(CErrorAutoThrow& error, IEventRecorder** ppRecorder)
{
    if (ppRecorder == nullptr)
    {
        error.SetError(MIRN_ERR_INVALID_ARG);
        return;
    }
    *ppRecorder = CComPtr<IEventRecorder>(m_pRecorder.p).Detach();
    error.SetError(MIRN_ERR_NONE);
}

VMGLFactoryProvider* CHostExecutionContext::GetFactoryProvider(CErrorAutoThrow& error)
{
    error.SetError(MIRN_ERR_NONE);
    return &m_provider;
}
