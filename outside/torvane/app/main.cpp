// The Torvane work center. Until the desktop work center exists every run is headless.
#include <cstdlib>
#include <iostream>

#include "outside/torvane/DemoInstallation.h"
#include "outside/torvane/app/HeadlessHost.h"
#include "toolkit/os/Paths.h"
#include "toolkit/rtl/SysUtils.h"

int main(int argc, char** argv) {
    std::string error;
    auto options = ParseTorvaneOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "torvane: " << error << "\n" << TorvaneUsage() << std::endl;
        return heBadArguments;
    }
    if (!options->demoInstall.empty()) {
        try {
            TDemoInstallation install =
                WriteDemoInstallation(options->demoInstall, ExtractFilePath(ExecutableFileName()));
            setenv("VANDRIL_REGISTRY", install.RegistryFile.c_str(), 1);
        } catch (const std::exception& e) {
            std::cerr << "torvane: cannot write the demo installation: " << e.what() << std::endl;
            return heNoInstallation;
        }
    }
    if (!options->headless) std::cerr << "torvane: the desktop work center is not built yet; running headless" << std::endl;
    return THeadlessHost(std::cout, std::cerr).Run(*options);
}
