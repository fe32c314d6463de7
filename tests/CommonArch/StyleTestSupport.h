// What the style and page tests share: a language module with the styles'
// strings and the pages' templates, a palette instance that holds a fake
// application context, a parent window for the pages, and a check that
// every host model object made during a test is gone at its end.
#pragma once

#include "FakeHostServices.h"
#include "MGLModel.h"
#include "MirnMaterialPalette.h"
#include "Resources.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <iterator>

namespace style_test
{
inline const HINSTANCE kResources = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x7B20000));

// A page template as the language module has it: a popup dialog with a
// caption, which CreateAsChild must turn into a child.
inline SDialogTemplate PageTemplate(UINT nId)
{
    SDialogTemplate page;
    page.nID = nId;
    page.dwStyle =
        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_CLIPCHILDREN | DS_MODALFRAME | DS_SETFONT;
    page.x = 10;
    page.y = 10;
    page.cx = 120;
    page.cy = 80;
    SDialogItemTemplate button;
    button.strClassName = L"Button";
    button.nID = 1234;
    button.strText = L"Press";
    button.x = 4;
    button.y = 4;
    button.cx = 40;
    button.cy = 14;
    button.dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    page.items.push_back(button);
    return page;
}

inline const SResourceEntry* Entries(UINT* pnCount)
{
    static const SDialogTemplate s_templates[] = {
        PageTemplate(15101), PageTemplate(15102), PageTemplate(15103), PageTemplate(15104),
        PageTemplate(15105), PageTemplate(15109), PageTemplate(15114), PageTemplate(15115)};
    static const wchar_t kArtTip[] = L"Art media";
    static const wchar_t kTextureTip[] = L"Texture tip";
    static const wchar_t kSolidTip[] = L"Solid tip";
    static const wchar_t kGradientTip[] = L"Gradient tip";
    static const wchar_t kPatternTip[] = L"Pattern tip";
    static const wchar_t kSolidName[] = L"Color";
    static const wchar_t kGradientName[] = L"Gradient";
    static const wchar_t kPatternName[] = L"Pattern";
    static const wchar_t kTextureName[] = L"Texture";
#define STYLE_TEST_STRING(id, text)                                                                          \
    {                                                                                                        \
        RT_STRING, MAKEINTRESOURCEW(id), text, sizeof(text) - sizeof(wchar_t)                                \
    }
#define STYLE_TEST_DIALOG(index)                                                                             \
    {                                                                                                        \
        RT_DIALOG, MAKEINTRESOURCEW(s_templates[index].nID), &s_templates[index], sizeof(SDialogTemplate)    \
    }
    static const SResourceEntry s_entries[] = {
        STYLE_TEST_STRING(15422, kArtTip),
        STYLE_TEST_STRING(15433, kTextureTip),
        STYLE_TEST_STRING(15439, kSolidTip),
        STYLE_TEST_STRING(15440, kGradientTip),
        STYLE_TEST_STRING(15441, kPatternTip),
        STYLE_TEST_STRING(15443, kSolidName),
        STYLE_TEST_STRING(15444, kGradientName),
        STYLE_TEST_STRING(15445, kPatternName),
        STYLE_TEST_STRING(15942, kTextureName),
        STYLE_TEST_DIALOG(0),
        STYLE_TEST_DIALOG(1),
        STYLE_TEST_DIALOG(2),
        STYLE_TEST_DIALOG(3),
        STYLE_TEST_DIALOG(4),
        STYLE_TEST_DIALOG(5),
        STYLE_TEST_DIALOG(6),
        STYLE_TEST_DIALOG(7),
    };
#undef STYLE_TEST_STRING
#undef STYLE_TEST_DIALOG
    *pnCount = static_cast<UINT>(std::size(s_entries));
    return s_entries;
}

class StyleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        HeadlessReset();
        CMirnMaterialPalette::DeleteSingleton();
        HostLog().clear();
        RecordedMessages().clear();
        m_nLiveAtStart = LiveMGLObjectCount();
        UINT nCount = 0;
        const SResourceEntry* pEntries = Entries(&nCount);
        RegisterResourceTable(kResources, pEntries, nCount);
        m_pLink = new CDynLinkLibrary(kResources, kResources);
        m_pApp = new CFakeAppContext(L"app");
        m_pExec = new CFakeExecutionContext(L"exec");
        ASSERT_EQ(TSingleton<CMirnMaterialPalette>::Instance()->Initialize(m_pApp, m_pExec, nullptr, nullptr),
                  MIRN_ERR_NONE);
        m_hParent = CreateWindowExW(0, RecordingClass(), L"Dialog", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400,
                                    nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hParent, nullptr);
        m_pParent = CWnd::FromHandle(m_hParent);
        HostLog().clear();
    }
    void TearDown() override
    {
        DestroyWindow(m_hParent);
        CMirnMaterialPalette::DeleteSingleton();
        EXPECT_EQ(m_pApp->GetRefCount(), 1u);
        m_pApp->Release();
        m_pExec->Release();
        delete m_pLink;
        RegisterResourceTable(kResources, nullptr, 0);
        Reactions().clear();
        HeadlessReset();
        EXPECT_EQ(LiveMGLObjectCount(), m_nLiveAtStart);
    }

    // A settings object with a resource name (empty: none).
    static IMGLObject* MakeSettings(LPCWSTR pszResourceName = nullptr)
    {
        IMGLObject* pSettings = new CMGLObject(7);
        if (pszResourceName != nullptr)
        {
            CErrorAutoThrow error;
            CComPtr<IMGLValue> pName;
            pName.Attach(CMGLValue::MakeString(pszResourceName));
            CComPtr<IMGLProperty> pProperty;
            pProperty.Attach(new CMGLProperty(MGL_PROP_RESOURCE_NAME, pName));
            pSettings->SetProperty(error, pProperty);
        }
        return pSettings;
    }
    static CRowIterator MakeImage(int nWidth, int nHeight)
    {
        CRowIterator image;
        image.CreateRGB(nWidth, nHeight);
        return image;
    }

    CFakeAppContext* m_pApp = nullptr;
    CFakeExecutionContext* m_pExec = nullptr;
    CDynLinkLibrary* m_pLink = nullptr;
    HWND m_hParent = nullptr;
    CWnd* m_pParent = nullptr;
    CRect m_rcPage{30, 40, 230, 240};
    int m_nLiveAtStart = 0;
};
} // namespace style_test
