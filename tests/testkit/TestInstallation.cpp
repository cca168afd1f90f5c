#include "tests/testkit/TestInstallation.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "toolkit/os/Paths.h"
#include "toolkit/rtl/SysUtils.h"

std::string TTestInstallation::BinFolder() {
    const char* bin = std::getenv("TDEF_BIN");
    return IncludeTrailingPathDelimiter(bin && *bin ? std::string(bin) : ExtractFilePath(ExecutableFileName()));
}

std::string TTestInstallation::MakeTempFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw EInOutError("Cannot create a temporary folder for " + prefix);
    return IncludeTrailingPathDelimiter(pattern);
}

TTestInstallation::TTestInstallation() {
    if (const char* current = std::getenv("VANDRIL_REGISTRY")) {
        hadRegistry_ = true;
        savedRegistry_ = current;
    }
    install_ = WriteDemoInstallation(MakeTempFolder("tdef-install"), BinFolder());
    setenv("VANDRIL_REGISTRY", install_.RegistryFile.c_str(), 1);
}

TTestInstallation::~TTestInstallation() {
    if (hadRegistry_) setenv("VANDRIL_REGISTRY", savedRegistry_.c_str(), 1);
    else unsetenv("VANDRIL_REGISTRY");
    std::error_code ignored;
    std::filesystem::remove_all(install_.Folder, ignored);
}

std::string TTestInstallation::DatabaseFile(const std::string& database) const {
    return install_.ServerPath + "Data/" + database + ".db";
}

void TTestInstallation::WriteClientIni(const std::string& text) const {
    std::ofstream out(install_.ClientPath + "VandrilC.ini", std::ios::binary | std::ios::trunc);
    out << text;
}
