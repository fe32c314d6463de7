// The reference host's command line and where it keeps its files.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct SHostOptions
{
    bool bHeadless = false;          // --headless: never open a display
    std::filesystem::path script;    // --script FILE: play it headless and exit
    std::filesystem::path configDir; // --config-dir DIR: settings (default: XDG config)
    std::filesystem::path dataDir;   // --data-dir DIR: swatches, gradients (default: XDG data)
    std::filesystem::path tourDir;   // --tour DIR: headless tour writing screenshots there
    std::string strLanguage = "EN";  // --language CODE: the resource module's folder
    bool bHelp = false;              // --help
};

// Reads the arguments after the program name. Null with strError set for an
// unknown option or a missing value. A script implies headless.
std::optional<SHostOptions> ParseHostOptions(const std::vector<std::string>& args, std::string& strError);

extern const char* const kHostUsage;

// The XDG folders of this program: $XDG_CONFIG_HOME/materials, else
// $HOME/.config/materials (and the same with XDG_DATA_HOME and
// .local/share). Relative XDG values are ignored, as the XDG rules say; with
// neither variable usable, a folder under the current directory.
std::filesystem::path DefaultConfigDir(const char* pszXdgConfigHome, const char* pszHome);
std::filesystem::path DefaultDataDir(const char* pszXdgDataHome, const char* pszHome);
