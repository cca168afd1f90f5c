#include "i18n/LanguageFolder.h"

#include "env/VandrilIni.h"
#include "toolkit/rtl/Strings.h"
#include "toolkit/rtl/SysUtils.h"

std::string LanguageCode(const std::string& codePage) {
    TStringList codes;
    codes.SetText("936=CHS\r\n950=CHT\r\n437=ENG");
    return codePage.empty() ? std::string() : codes.Values(codePage);
}

namespace {

std::string FolderFor(const TVandrilIni& ini) {
    const std::string code = LanguageCode(ini.UICodePage);
    if (code.empty() || ini.InstallPath.empty()) return {};
    const std::string folder = IncludeTrailingPathDelimiter(ini.InstallPath) + "MultiLanguage/" + code + "/";
    return DirectoryExists(folder) ? folder : std::string();
}

}  // namespace

std::string LanguageFolder(TDesignType designType) {
    if (designType == dtServer) return FolderFor(TVandrilIniS());
    return FolderFor(TVandrilIniC());
}

std::string LanguageFileName(TDesignType designType, const std::string& className) {
    return LanguageFolder(designType) + className + ".Lng";
}
