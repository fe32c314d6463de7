// The reference host: on screen when a display is there, headless otherwise.
// Headless it plays a script (--script) or the built-in tour, which writes
// screenshots into out/.
#include "HostApp.h"
#include "ScreenBackend.h"

#include <cstdlib>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    std::string strError;
    const std::optional<SHostOptions> options =
        ParseHostOptions(std::vector<std::string>(argv + 1, argv + argc), strError);
    if (!options)
    {
        std::cerr << "materials: " << strError << '\n' << kHostUsage;
        return 2;
    }
    if (options->bHelp)
    {
        std::cout << kHostUsage;
        return 0;
    }

    std::ifstream script;
    if (!options->script.empty())
    {
        script.open(options->script);
        if (!script)
        {
            std::cerr << "materials: cannot read the script " << options->script.string() << '\n';
            return 2;
        }
    }

    const bool bOnScreen = !options->bHeadless && StartScreenBackend();
    CHostApp app(*options);
    if (!app.Start(strError))
    {
        std::cerr << "materials: " << strError << '\n';
        return 1;
    }
    if (bOnScreen)
        return app.RunMessageLoop();
    if (script.is_open())
        return app.RunScript(script, std::cout, std::cerr);
    if (!options->bHeadless)
        std::cout << "materials: no display here, so it plays its tour headless.\n";
    return app.RunTour(options->tourDir.empty() ? std::filesystem::path("out") : options->tourDir, std::cout,
                       std::cerr);
}
