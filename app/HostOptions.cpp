#include "HostOptions.h"

const char* const kHostUsage =
    "usage: materials [--headless] [--script FILE] [--tour DIR] [--config-dir DIR]\n"
    "                 [--data-dir DIR] [--language CODE] [--help]\n"
    "  --headless        run without a display\n"
    "  --script FILE     play a script headless, then exit (non-zero on failure)\n"
    "  --tour DIR        play the built-in tour headless, writing screenshots to DIR\n"
    "  --config-dir DIR  keep settings in DIR instead of the XDG config folder\n"
    "  --data-dir DIR    keep swatches and gradients in DIR instead of the XDG data folder\n"
    "  --language CODE   the language of the user interface (default EN)\n";

std::optional<SHostOptions> ParseHostOptions(const std::vector<std::string>& args, std::string& strError)
{
    SHostOptions options;
    for (size_t i = 0; i < args.size(); ++i)
    {
        const std::string& strOption = args[i];
        auto value = [&]() -> const std::string*
        {
            if (i + 1 >= args.size() || args[i + 1].empty())
            {
                strError = strOption + " needs a value";
                return nullptr;
            }
            return &args[++i];
        };
        if (strOption == "--headless")
            options.bHeadless = true;
        else if (strOption == "--help" || strOption == "-h")
            options.bHelp = true;
        else if (strOption == "--script" || strOption == "--tour" || strOption == "--config-dir" ||
                 strOption == "--data-dir" || strOption == "--language")
        {
            const std::string* pValue = value();
            if (pValue == nullptr)
                return std::nullopt;
            if (strOption == "--script")
                options.script = *pValue;
            else if (strOption == "--tour")
                options.tourDir = *pValue;
            else if (strOption == "--config-dir")
                options.configDir = *pValue;
            else if (strOption == "--data-dir")
                options.dataDir = *pValue;
            else
                options.strLanguage = *pValue;
        }
        else
        {
            strError = "unknown option '" + strOption + "'";
            return std::nullopt;
        }
    }
    if (!options.script.empty() && !options.tourDir.empty())
    {
        strError = "--script and --tour cannot be used together";
        return std::nullopt;
    }
    if (!options.script.empty() || !options.tourDir.empty())
        options.bHeadless = true;
    return options;
}

namespace
{

std::filesystem::path XdgFolder(const char* pszXdg, const char* pszHome, const char* pszHomeRelative)
{
    if (pszXdg != nullptr && pszXdg[0] == '/')
        return std::filesystem::path(pszXdg) / "materials";
    if (pszHome != nullptr && pszHome[0] != '\0')
        return std::filesystem::path(pszHome) / pszHomeRelative / "materials";
    return std::filesystem::path(".materials");
}

} // namespace

std::filesystem::path DefaultConfigDir(const char* pszXdgConfigHome, const char* pszHome)
{
    return XdgFolder(pszXdgConfigHome, pszHome, ".config");
}

std::filesystem::path DefaultDataDir(const char* pszXdgDataHome, const char* pszHome)
{
    return XdgFolder(pszXdgDataHome, pszHome, ".local/share");
}
