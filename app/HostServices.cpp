#include "HostServices.h"

#include "DebugOutput.h"
#include "Dc.h"
#include "Utf8.h"

#include <cstring>
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

namespace
{

// Blends a rendered image over the rectangle's pixels through a 32-bit DIB
// section of pre-multiplied pixels.
bool BlendImage(CDC& dc, const RECT& rect, const CRenderImage& image)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image.Width();
    info.bmiHeader.biHeight = -image.Height(); // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(dc.m_hDC, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap == nullptr || pBits == nullptr)
        return false;
    const std::vector<DWORD> pixels = image.PremultipliedPixels();
    std::memcpy(pBits, pixels.data(), pixels.size() * sizeof(DWORD));

    HDC hMemory = CreateCompatibleDC(dc.m_hDC);
    HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const BOOL bDone = AlphaBlend(dc.m_hDC, rect.left, rect.top, image.Width(), image.Height(), hMemory, 0, 0,
                                  image.Width(), image.Height(), blend);
    SelectObject(hMemory, hOld);
    DeleteDC(hMemory);
    DeleteObject(hBitmap);
    return bDone != FALSE;
}

} // namespace

void CHostRenderEngine::RenderMaterial(CErrorAutoThrow& error, IMGLMaterial* pMaterial, CDC& dc,
                                       const RECT& rect)
{
    const int nWidth = rect.right - rect.left;
    const int nHeight = rect.bottom - rect.top;
    if (pMaterial == nullptr || dc.m_hDC == nullptr || nWidth <= 0 || nHeight <= 0)
    {
        error.SetError(MIRN_ERR_INVALID_ARG);
        return;
    }
    if (m_colors)
    {
        const SHostCurrentColors colors = m_colors();
        m_renderer.SetCurrentColors(colors.clrForeground, colors.clrBackground);
    }
    CRenderImage image;
    error = m_renderer.Render(pMaterial, nWidth, nHeight, image);
    if (image.IsEmpty())
        return;
    if (!BlendImage(dc, rect, image) && error.IsOk())
        error.SetError(MIRN_ERR_HOST_FAILURE);
}

CMGLMGDIRenderEngine* CHostRenderEngineSource::CreateRenderEngine(CErrorAutoThrow& error, int nKind)
{
    if (nKind != 0)
    {
        error.SetError(MIRN_ERR_INVALID_ARG);
        return nullptr;
    }
    CMGLMGDIRenderEngine* pEngine =
        new (std::nothrow) CHostRenderEngine(CHostResourceLibrary::BuiltIn(), m_colors);
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
