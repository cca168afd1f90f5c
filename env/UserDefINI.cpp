#include "env/UserDefINI.h"

#include "env/VandrilIni.h"
#include "toolkit/rtl/IniFile.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

constexpr const char* kSection = "VoucherFormatDef";

std::string ClientFile() {
    const TVandrilIniC ini;
    return IncludeTrailingPathDelimiter(ini.InstallPath) + "UserDef.ini";
}

}  // namespace

TUserDefIni::TUserDefIni() : TUserDefIni(ClientFile()) {}

TUserDefIni::TUserDefIni(std::string fileName) : fileName_(std::move(fileName)) { Load(); }

void TUserDefIni::Load() {
    section_.Clear();
    if (FileExists(fileName_)) TIniFile(fileName_).ReadSectionValues(kSection, section_);
}

std::string TUserDefIni::KeyOf(const std::string& program, const std::string& slot) {
    return program + "_" + StringReplace(slot, "=", "$EQUAL$", rfReplaceAll);
}

std::string TUserDefIni::GetFormat(const std::string& program, const std::string& slot) const {
    int index = section_.IndexOfName(KeyOf(program, slot));
    return index < 0 ? std::string(kNoDefaultFormat) : section_.ValueFromIndex(index);
}

void TUserDefIni::SetFormat(const std::string& program, const std::string& slot, const std::string& caption) {
    if (SameText(caption, kNoDefaultFormat)) {
        DeleteFormat(program, slot);
        return;
    }
    TIniFile ini(fileName_);
    ini.WriteString(kSection, KeyOf(program, slot), caption);
    Load();
}

void TUserDefIni::DeleteFormat(const std::string& program, const std::string& slot) {
    TIniFile ini(fileName_);
    ini.DeleteKey(kSection, KeyOf(program, slot));
    Load();
}
