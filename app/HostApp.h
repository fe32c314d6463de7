// The reference host as a whole: its settings on disk, its current
// materials, its frame window, and the three ways it runs (on screen, a
// script, the built-in tour).
#pragma once

#include "HostAppContext.h"
#include "HostFrame.h"
#include "HostMaterials.h"
#include "HostOptions.h"
#include "HostServices.h"
#include "ScriptRunner.h"
#include "SettingsStore.h"

#include <iosfwd>
#include <memory>
#include <string>

class CHostApp : public IScriptHost
{
public:
    explicit CHostApp(SHostOptions options);
    ~CHostApp() override;

    // Opens the settings and creates the windows. False with strError set
    // when the program cannot start.
    bool Start(std::string& strError);

    // Plays a script; 0 when every line passed, else 1 with the failing line
    // reported on err.
    int RunScript(std::istream& script, std::ostream& out, std::ostream& err);
    // Plays the built-in tour, writing its screenshots into the folder.
    int RunTour(const std::filesystem::path& folder, std::ostream& out, std::ostream& err);
    // Runs the message loop until the frame is closed.
    int RunMessageLoop();

    CHostMaterials& Materials() { return m_materials; }
    CHostFrame& Frame() { return m_frame; }
    CSettingsStore& Settings() { return *m_pSettings; }
    CHostExecutionContext& ExecutionContext() { return *m_pExecutionContext; }

    // The width the pane docks with, and the key its settings live under.
    static constexpr int kPaneWidth = 280;
    static constexpr const wchar_t* kPaneSettingsKey = L"MaterialPalette";

    // IScriptHost
    HWND FrameWindow() override { return m_frame.m_hWnd; }
    nlohmann::json DumpState() override;
    bool Screenshot(const std::string& strPath, std::string& strError) override;
    bool RunHostCommand(const SScriptLine& line, bool& bOk, std::string& strError) override;

    // The tour's script, for tests.
    static std::string TourScript(const std::filesystem::path& folder);

private:
    // Creates the palette, hands it the host's services and docks its pane.
    bool StartPalette(std::string& strError);
    void StopPalette();

    SHostOptions m_options;
    std::shared_ptr<CSettingsStore> m_pSettings = std::make_shared<CSettingsStore>();
    CHostMaterials m_materials;
    CHostFrame m_frame{m_materials};
    CComPtr<CHostAppContext> m_pAppContext;
    CComPtr<CHostExecutionContext> m_pExecutionContext;
    CComPtr<CHostRegistry> m_pRegistry;
};
