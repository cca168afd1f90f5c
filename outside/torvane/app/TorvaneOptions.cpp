#include "outside/torvane/app/TorvaneOptions.h"

#include "toolkit/rtl/SysUtils.h"

const char* TorvaneUsage() {
    return "usage: torvane [--demo-install DIR] [--headless] [--user U --company C --database D] [--program P] "
           "[--run-mode N] [--rights N] [--script FILE] | --help | --version";
}

std::string TorvaneHelp() {
    return std::string("torvane: the Torvane work center\n") + TorvaneUsage() +
           "\n"
           "  (no mode)          the desktop: the login window (preset with --user, --company, --database), then the\n"
           "                     main window whose menu lists the company's programs\n"
           "  --demo-install DIR writes the demo installation under DIR when it is missing (registry file, client\n"
           "                     folder; the demo company database DEMO is made when a server first opens it) and\n"
           "                     uses it\n"
           "  --user U           the login's user (default DS)\n"
           "  --company C        the login's company (default DEMO)\n"
           "  --database D       the login's company database (default DEMO)\n"
           "  --program P        the program to open (the desktop opens it after the login; --headless Tdef05 by\n"
           "                     default)\n"
           "  --run-mode N       the host's run mode for the program (default 0)\n"
           "  --rights N         the host's command rights word (default 255)\n"
           "  --headless         loads the program without windows and prints the host events, caption and\n"
           "                     connection information\n"
           "  --script FILE      runs a window session from a script, offscreen (see the README)\n"
           "  --help, --version  this text; the version\n"
           "The installation is the registry file VANDRIL_REGISTRY names (or --demo-install); the client folder's\n"
           "VandrilC.ini says where the application server is (ComputerName, ServerPort; 127.0.0.1 in process).\n";
}

std::optional<TorvaneOptions> ParseTorvaneOptions(const std::vector<std::string>& args, std::string& error) {
    TorvaneOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--headless" || arg == "--help" || arg == "-h" || arg == "--version") {
            (arg == "--headless" ? options.headless : arg == "--version" ? options.version : options.help) = true;
            continue;
        }
        std::string* text = arg == "--demo-install" ? &options.demoInstall
                            : arg == "--user"       ? &options.user
                            : arg == "--company"    ? &options.company
                            : arg == "--database"   ? &options.database
                            : arg == "--program"    ? &options.program
                            : arg == "--script"     ? &options.script
                                                    : nullptr;
        int* number = arg == "--run-mode" ? &options.runMode : arg == "--rights" ? &options.rights : nullptr;
        if (!text && !number) {
            error = "unknown argument '" + arg + "'";
            return std::nullopt;
        }
        if (i + 1 >= args.size() || args[i + 1].empty() || StartsText("--", args[i + 1])) {
            error = arg + " needs a value";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (text) {
            *text = value;
            if (text == &options.program) options.programGiven = true;
        } else if (!TryStrToInt(value, *number)) {
            error = arg + " needs a number, not '" + value + "'";
            return std::nullopt;
        }
    }
    return options;
}
