// The Torvane work center: the desktop (login and main window), a script run offscreen (--script), or
// a headless run of one program (--headless).
#include <cstdlib>
#include <iostream>

#include "outside/torvane/app/HeadlessHost.h"
#include "outside/torvane/DemoInstallation.h"
#include "outside/torvane/desk/DeskMain.h"
#include "toolkit/os/Paths.h"
#include "toolkit/rtl/SysUtils.h"

int main(int argc, char** argv) {
    std::string error;
    auto options = ParseTorvaneOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "torvane: " << error << "\n" << TorvaneUsage() << std::endl;
        return heBadArguments;
    }
    if (options->help) {
        std::cout << TorvaneHelp();
        return 0;
    }
    if (options->version) {
        std::cout << "torvane " << kTorvaneVersion << std::endl;
        return 0;
    }
    if (!options->demoInstall.empty()) {
        try {
            TDemoInstallation install = WriteDemoInstallation(options->demoInstall, ExtractFilePath(ExecutableFileName()));
            setenv("VANDRIL_REGISTRY", install.RegistryFile.c_str(), 1);
        } catch (const std::exception& e) {
            std::cerr << "torvane: cannot write the demo installation: " << e.what() << std::endl;
            return heNoInstallation;
        }
    }
    // Without an installation nothing can log in: say what is missing before any window opens.
    if (const std::string missing = MissingRegistryReason(); !missing.empty()) {
        std::cerr << "torvane: " << missing << std::endl;
        return heNoInstallation;
    }
    if (!options->script.empty()) return RunScriptFile(options->script, std::cout, std::cerr);
    if (!options->headless) {
        TDeskStart start{{options->user, options->company, options->database}, {}, options->runMode, options->rights};
        if (options->programGiven) start.Program = options->program;
        return RunDesktop(start, std::cerr);
    }
    return THeadlessHost(std::cout, std::cerr).Run(*options);
}
