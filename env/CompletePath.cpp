#include "env/CompletePath.h"

#include <cctype>

#include "toolkit/rtl/SysUtils.h"

std::string ConfiguredFolder(const std::string& path) {
    return path.empty() ? std::string() : IncludeTrailingPathDelimiter(NormalizePath(path));
}

std::string CompletePath(const std::string& path, const std::string& baseFolder) {
    const bool hasDrive = (!path.empty() && path.front() == '/') ||
                          (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])));
    if (hasDrive) return NormalizePath(path);
    const std::string rest = !path.empty() && path.front() == '\\' ? path.substr(1) : path;
    return ConfiguredFolder(baseFolder) + NormalizePath(rest);
}
