#include "HostApp.h"

#include "ConnectLanguage.h"
#include "Headless.h"
#include "HostMaterialCache.h"
#include "Input.h"
#include "HostResourceLibrary.h"
#include "MGLModel.h"
#include "MatStyleArtMedia.h"
#include "MatStyleGradient.h"
#include "MatStylePattern.h"
#include "MatStyleSolid.h"
#include "MirnMaterialPalette.h"
#include "Screen.h"
#include "Utf8.h"
#include "WinThread.h"

#include <cstdlib>
#include <istream>
#include <ostream>
#include <sstream>
#include <system_error>

namespace
{

constexpr char kSettingsFileName[] = "settings.json";
// The frame's place on the virtual screen when no display says otherwise.
constexpr RECT kFrameRect{0, 0, 1000, 700};

// A settings object of the kind that names a resource of the built-in
// collection: cached under the name, which is also its property 29. Null
// when the collection has no such resource.
template <typename TObject> CComPtr<IMGLObject> ResourceSettings(TObject* pObject, int nKind, int nIndex)
{
    CComPtr<IMGLObject> pSettings;
    pSettings.Attach(pObject);
    const SHostResource* pResource = CHostResourceLibrary::BuiltIn().GetAt(nKind, nIndex);
    if (pResource == nullptr)
        return nullptr;
    pObject->SetCachedName(pResource->strName);
    CErrorAutoThrow error;
    CComPtr<IMGLValue> pName;
    pName.Attach(CMGLValue::MakeString(pResource->strName));
    CComPtr<IMGLProperty> pProperty;
    pProperty.Attach(new CMGLProperty(MGL_PROP_RESOURCE_NAME, pName));
    pSettings->SetProperty(error, pProperty);
    return pSettings;
}

// Each side starts with the first gradient, pattern and texture of the
// built-in collections and an art colour of its own, so that every style
// has something to show before the user chooses.
void SeedMaterials(CHostMaterials& materials)
{
    for (bool bForeground : {true, false})
    {
        CComPtr<IMGLObject> pArt;
        pArt.Attach(new CMGLArt);
        CComPtr<IMGLArt> pArtView;
        pArt->QueryInterface(IID_OF(IMGLArt), reinterpret_cast<void**>(&pArtView.p));
        CErrorAutoThrow error;
        pArtView->SetColor(error, materials.Material(bForeground).clrColor | 0xFF000000);
        materials.SetDefaults(
            bForeground, ResourceSettings(new CMGLGradient, HOST_RESOURCE_GRADIENTS, 0),
            ResourceSettings(new CMGLObject(MGL_OBJECT_PATTERN), HOST_RESOURCE_PATTERNS, 0), pArt,
            ResourceSettings(new CMGLObject(MGL_OBJECT_TEXTURE), HOST_RESOURCE_TEXTURES, 0));
    }
}

} // namespace

CHostApp::CHostApp(SHostOptions options) : m_options(std::move(options))
{
    SeedMaterials(m_materials);
    m_pAppContext.Attach(new CHostAppContext(m_materials));
    m_pExecutionContext.Attach(new CHostExecutionContext);
    // Gradient stops that stand for the current colours are drawn in the
    // solid colours of the current materials.
    m_pExecutionContext->Provider().RenderEngineSource().SetColorSource(
        [this] {
            return SHostCurrentColors{m_materials.Material(true).clrColor,
                                      m_materials.Material(false).clrColor};
        });
    m_pRegistry.Attach(new CHostRegistry(*m_pSettings));
    if (m_options.configDir.empty())
        m_options.configDir = DefaultConfigDir(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (m_options.dataDir.empty())
        m_options.dataDir = DefaultDataDir(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

CHostApp::~CHostApp()
{
    StopPalette();
    if (::IsWindow(m_frame.m_hWnd))
        m_frame.DestroyWindow();
    SetProcessSettingsStore(nullptr);
    m_pSettings->Save();
}

bool CHostApp::Start(std::string& strError)
{
    std::error_code error;
    std::filesystem::create_directories(m_options.configDir, error);
    if (error)
    {
        strError = "cannot make the settings folder " + m_options.configDir.string() + ": " + error.message();
        return false;
    }
    // A damaged settings file is moved aside and reported by the store; the
    // program starts with empty settings rather than not at all.
    m_pSettings->Open(m_options.configDir / kSettingsFileName);
    m_pSettings->SetAutoSave(true);
    SetProcessSettingsStore(m_pSettings);

    if (!m_frame.Create(kFrameRect))
    {
        strError = "cannot create the main window";
        return false;
    }
    if (!StartPalette(strError))
        return false;
    m_frame.ShowWindow(SW_SHOW);
    m_frame.UpdateWindow();
    PumpUntilIdle();
    return true;
}

bool CHostApp::StartPalette(std::string& strError)
{
    // The palette's resources come from the language folder of the user
    // language; the palette's module found it when it was loaded.
    if (m_options.strLanguage != "EN")
        CConnectLanguage::Instance()->SetUserLanguage(Utf8ToWide(m_options.strLanguage).c_str());

    CMirnMaterialPalette* pPalette = TSingleton<CMirnMaterialPalette>::Instance();
    CErrorAutoThrow error =
        pPalette->Initialize(m_pAppContext, m_pExecutionContext, &CHostMaterialCache::Shared(), nullptr);
    if (error.IsError())
    {
        strError = "the palette refused the host's services (error " + std::to_string(error.GetError()) + ")";
        return false;
    }
    if (!pPalette->InitAppService(m_pExecutionContext, &m_frame))
    {
        strError = "the Materials pane could not be created: its resources were not found";
        return false;
    }
    if (m_frame.DockSite() == nullptr ||
        !m_frame.DockSite()->DockPane(pPalette, CBRS_ALIGN_RIGHT, kPaneWidth))
    {
        strError = "the Materials pane could not be docked";
        return false;
    }
    // One foreground and one background object per style kind, and the
    // textures; the palette owns them from here on. Art media shows only
    // in art-media mode, so it stays out of the style menus.
    error = pPalette->RegisterMatStyle(new CMatStyleSolid, new CMatStyleSolid, true);
    error = pPalette->RegisterMatStyle(new CMatStyleGradient, new CMatStyleGradient, true);
    error = pPalette->RegisterMatStyle(new CMatStylePattern, new CMatStylePattern, true);
    error = pPalette->RegisterMatStyle(new CMatStyleArtMedia, new CMatStyleArtMedia, false);
    error = pPalette->RegisterMatTexture(new CMatTexture, new CMatTexture);
    pPalette->LoadSettings(m_pRegistry, kPaneSettingsKey);

    // Every change of the current materials is pushed into the pane.
    m_materials.SetChangeListener(
        [](unsigned nChanges)
        {
            if (TSingleton<CMirnMaterialPalette>::InstanceExists())
                TSingleton<CMirnMaterialPalette>::Instance()->UpdateFromAppMaterials(
                    static_cast<EUpdateMaterialData>(nChanges));
        });
    pPalette->UpdateFromAppMaterials(UPDATE_ALL);
    return true;
}

void CHostApp::StopPalette()
{
    if (!TSingleton<CMirnMaterialPalette>::InstanceExists())
        return;
    m_materials.SetChangeListener(nullptr);
    CMirnMaterialPalette* pPalette = TSingleton<CMirnMaterialPalette>::Instance();
    if (m_frame.DockSite() != nullptr)
        m_frame.DockSite()->UndockPane(pPalette);
    pPalette->Shutdown();
    TSingleton<CMirnMaterialPalette>::DeleteSingleton();
}

int CHostApp::RunScript(std::istream& script, std::ostream& out, std::ostream& err)
{
    CScriptRunner runner(*this, out);
    if (!runner.Run(script))
    {
        err << "materials: " << runner.Error() << '\n';
        return 1;
    }
    return 0;
}

std::string CHostApp::TourScript(const std::filesystem::path& folder)
{
    const std::string strFolder = folder.string();
    std::ostringstream script;
    script << "# The built-in tour: the window as it starts, a few strokes, a pattern\n"
           << "# over a gradient with the sliders, then the rainbow of the classic layout.\n"
           << "screenshot " << '"' << strFolder << "/01-start.png\"\n"
           << "drag 100 150 400 150\n"
           << "drag 100 250 400 350 right\n"
           << "screenshot " << '"' << strFolder << "/02-strokes.png\"\n"
           << "answer menu 4\n"
           << "click-window 59653 102 101\n"
           << "answer menu 2\n"
           << "click-window 59653 101 101\n"
           << "drag 100 450 400 450\n"
           << "tab 2\n"
           << "screenshot " << '"' << strFolder << "/03-materials.png\"\n"
           << "layout classic\n"
           << "tab 1\n"
           << "screenshot " << '"' << strFolder << "/04-rainbow.png\"\n"
           << "dump-state\n";
    return script.str();
}

int CHostApp::RunTour(const std::filesystem::path& folder, std::ostream& out, std::ostream& err)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
    {
        err << "materials: cannot make " << folder.string() << ": " << error.message() << '\n';
        return 1;
    }
    std::istringstream script(TourScript(folder));
    std::ostringstream state;
    const int nResult = RunScript(script, state, err);
    if (nResult == 0)
        out << "materials: the tour's screenshots are in " << folder.string() << "/\n";
    return nResult;
}

int CHostApp::RunMessageLoop()
{
    // GetMessageW waits for the display (or a timer) when nothing is ready.
    MSG msg{};
    BOOL bResult = FALSE;
    while ((bResult = GetMessageW(&msg, nullptr, 0, 0)) > 0)
    {
        if (!AfxPreTranslateMessage(&msg))
        {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return bResult == 0 ? static_cast<int>(msg.wParam) : 1;
}

nlohmann::json CHostApp::DumpState()
{
    nlohmann::json state = m_materials.ToJson();
    state["registry"] = m_pSettings->ExportJson();
    state["events"] = m_pExecutionContext->Provider().EventRecorder().Events();
    static const char* const kDocuments[] = {"rgb", "grey", "palette"};
    state["document"] = {{"kind", kDocuments[static_cast<int>(m_pAppContext->GetDocument())]},
                         {"paletteSize", m_pAppContext->GetDocumentPaletteSize()}};
    if (TSingleton<CMirnMaterialPalette>::InstanceExists())
    {
        CMirnMaterialPalette* pPalette = TSingleton<CMirnMaterialPalette>::Instance();
        state["pane"] = {
            {"layout", pPalette->IsOldStyleMatPalStyle() ? "classic" : "new"},
            {"tab", pPalette->GetSafeHwnd() != nullptr ? pPalette->GetVisibleTabSet().GetActiveTab() : -1}};
    }
    return state;
}

bool CHostApp::Screenshot(const std::string& strPath, std::string& strError)
{
    const std::filesystem::path path(strPath);
    std::error_code error;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), error);
    if (!WriteWindowPng(m_frame.m_hWnd, Utf8ToWide(strPath).c_str()))
    {
        strError = "cannot write " + strPath;
        return false;
    }
    return true;
}

bool CHostApp::RunHostCommand(const SScriptLine& line, bool& bOk, std::string& strError)
{
    bOk = false;
    if (line.strCommand == "layout")
    {
        // layout classic|new: the pane's classic or new tab set.
        if (line.args.size() != 1 || (line.args[0] != "classic" && line.args[0] != "new"))
        {
            strError = "layout takes classic or new";
            return true;
        }
        if (!TSingleton<CMirnMaterialPalette>::InstanceExists())
        {
            strError = "the Materials pane is not open";
            return true;
        }
        TSingleton<CMirnMaterialPalette>::Instance()->ChangeMatPalStyle(line.args[0] == "classic");
        PumpUntilIdle();
        bOk = true;
        return true;
    }
    if (line.strCommand == "tab")
    {
        // tab N: clicks tab N of the visible tab set.
        const std::optional<long> nTab = line.args.size() == 1 ? ParseInteger(line.args[0]) : std::nullopt;
        if (!nTab)
        {
            strError = "tab takes a tab number";
            return true;
        }
        if (!TSingleton<CMirnMaterialPalette>::InstanceExists())
        {
            strError = "the Materials pane is not open";
            return true;
        }
        CXUIRectTabCtrl& tabs = TSingleton<CMirnMaterialPalette>::Instance()->GetVisibleTabSet();
        CRect rcTab;
        if (*nTab < 0 || *nTab >= tabs.GetTabCount() || !tabs.IsWindowVisible() ||
            !tabs.GetItemRect(static_cast<int>(*nTab), &rcTab))
        {
            strError = "the visible tab set has no tab " + line.args[0];
            return true;
        }
        tabs.ClientToScreen(&rcTab);
        InjectClick(rcTab.CenterPoint());
        PumpUntilIdle();
        bOk = true;
        return true;
    }
    if (line.strCommand == "document")
    {
        // document rgb | grey | palette N
        bool bSet = false;
        if (line.args.size() == 1 && line.args[0] == "rgb")
            bSet = m_pAppContext->SetDocument(EHostDocument::FullColor);
        else if (line.args.size() == 1 && line.args[0] == "grey")
            bSet = m_pAppContext->SetDocument(EHostDocument::Greyscale);
        else if (line.args.size() == 2 && line.args[0] == "palette")
        {
            const std::optional<long> nEntries = ParseInteger(line.args[1]);
            bSet =
                nEntries && m_pAppContext->SetDocument(EHostDocument::Paletted, static_cast<int>(*nEntries));
        }
        if (!bSet)
        {
            strError = "document takes rgb, grey, or palette 2|16|256";
            return true;
        }
        // The pane shows what the new document can hold. The rainbow and the
        // map build their pictures again as they would when a newly opened
        // document lays the pane out again.
        if (TSingleton<CMirnMaterialPalette>::InstanceExists())
        {
            CMirnMaterialPalette* pPalette = TSingleton<CMirnMaterialPalette>::Instance();
            pPalette->UpdatePalette(nullptr);
            if (pPalette->GetRainbowPicker().GetSafeHwnd() != nullptr)
            {
                pPalette->GetRainbowPicker().BuildPickerDIB();
                pPalette->GetRainbowPicker().Invalidate();
            }
            if (pPalette->GetMapPicker().GetSafeHwnd() != nullptr)
            {
                pPalette->GetMapPicker().RebuildMap();
                pPalette->GetMapPicker().Invalidate();
            }
        }
        PumpUntilIdle();
        bOk = true;
        return true;
    }
    return false;
}
