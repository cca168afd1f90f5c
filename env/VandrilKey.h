#pragma once
// The installation's registry key (read from the registry stand-in, never written).
#include <string>

inline constexpr const char* kVandrilKey = "Software\\RKT\\Vandril";

struct VandrilKeyValues {
    bool opened = false;      // the key exists
    std::string clientPath;   // ClientPath, "\" read as "/", with a trailing "/" ("" when not set)
    std::string serverPath;   // ServerPath, likewise
    std::string profileType;  // ProfileType as written
};

// Reads the key again on every call, so a changed configuration takes effect at once.
VandrilKeyValues ReadVandrilKey();
