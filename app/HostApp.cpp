#include "HostApp.h"

#include "Headless.h"
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

} // namespace

CHostApp::CHostApp(SHostOptions options) : m_options(std::move(options))
{
    if (m_options.configDir.empty())
        m_options.configDir = DefaultConfigDir(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (m_options.dataDir.empty())
        m_options.dataDir = DefaultDataDir(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

CHostApp::~CHostApp()
{
    if (::IsWindow(m_frame.m_hWnd))
        m_frame.DestroyWindow();
    SetProcessSettingsStore(nullptr);
    m_settings.Save();
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
    m_settings.Open(m_options.configDir / kSettingsFileName);
    m_settings.SetAutoSave(true);
    SetProcessSettingsStore(&m_settings);

    if (!m_frame.Create(kFrameRect))
    {
        strError = "cannot create the main window";
        return false;
    }
    m_frame.ShowWindow(SW_SHOW);
    m_frame.UpdateWindow();
    PumpUntilIdle();
    return true;
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
    script << "# The built-in tour: the window as it starts, then a few strokes.\n"
           << "screenshot " << '"' << strFolder << "/01-start.png\"\n"
           << "drag 100 150 400 150\n"
           << "drag 100 250 400 350 right\n"
           << "screenshot " << '"' << strFolder << "/02-strokes.png\"\n"
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
    while (::IsWindow(m_frame.m_hWnd) && AfxPumpMessage())
    {
    }
    int nExitCode = 0;
    IsQuitPending(&nExitCode);
    return nExitCode;
}

nlohmann::json CHostApp::DumpState()
{
    nlohmann::json state = m_materials.ToJson();
    state["registry"] = m_settings.ExportJson();
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

bool CHostApp::RunHostCommand(const SScriptLine&, bool&, std::string&)
{
    // No commands of its own yet beyond the common ones.
    return false;
}
