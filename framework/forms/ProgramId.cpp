#include "framework/forms/ProgramId.h"

#include "toolkit/rtl/SysUtils.h"

std::string ProgramIdFromLibrary(const std::string& libraryPath) {
    const std::string name = ExtractFileName(NormalizePath(libraryPath));
    std::size_t end = name.find('.');
    if (end == std::string::npos) end = name.size();
    while (end > 0 && !(name[end - 1] >= '0' && name[end - 1] <= '9')) --end;
    return UpperCase(name.substr(0, end));
}
