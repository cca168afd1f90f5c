#pragma once
// The command line of the work center:
//   torvane [--demo-install DIR] [--headless] [--user U] [--company C] [--database D] [--program P]
//           [--run-mode N] [--rights N] [--script FILE] | --help | --version
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kTorvaneVersion = "9.0";

struct TorvaneOptions {
    bool help = false;
    bool version = false;
    bool headless = false;
    std::string demoInstall;  // empty: use the installation VANDRIL_REGISTRY names
    std::string user = "DS";  // the demo login
    std::string company = "DEMO";
    std::string database = "DEMO";
    std::string program = "Tdef05";
    bool programGiven = false;  // the desktop opens the program after the login only when asked
    int runMode = 0;
    int rights = 0xFF;   // every command the host can grant
    std::string script;  // a window session run offscreen from this script file
};

// The options, or the one-line reason the command line is wrong (in error).
std::optional<TorvaneOptions> ParseTorvaneOptions(const std::vector<std::string>& args, std::string& error);

// The usage line printed with an error.
const char* TorvaneUsage();
// What --help prints: the usage and every option.
std::string TorvaneHelp();
