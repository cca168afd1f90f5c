#include "outside/torvane/app/TorvaneOptions.h"

#include "toolkit/rtl/SysUtils.h"

const char* TorvaneUsage() {
    return "usage: torvane [--demo-install DIR] [--headless] [--user U --company C --database D] [--program P] "
           "[--run-mode N] [--rights N] [--script FILE]";
}

std::optional<TorvaneOptions> ParseTorvaneOptions(const std::vector<std::string>& args, std::string& error) {
    TorvaneOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--headless") {
            options.headless = true;
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
        } else if (!TryStrToInt(value, *number)) {
            error = arg + " needs a number, not '" + value + "'";
            return std::nullopt;
        }
    }
    return options;
}
