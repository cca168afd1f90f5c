// Grid view files (.ugs): per user, an INI section per dataset with each field's index, width and
// (numeric fields) display format.
#include <algorithm>

#include "env/VandrilIni.h"
#include "framework/data/BaseDM.h"
#include "server/Brokers.h"
#include "toolkit/data/Field.h"
#include "toolkit/data/NumericFields.h"
#include "toolkit/rtl/IniFile.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

std::string ForwardSlashes(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

std::string SectionOf(TDataSet* dataSet, int index) {
    std::string name = dataSet->Name();
    if (index >= 0 && UpperCase(name).find("CDSBODY") != std::string::npos) name += "_" + std::to_string(index);
    return name;
}

}  // namespace

std::string TdmBase::GridViewFolder() const {
    const TVandrilIniC ini;
    std::string folder;
    if (!ini.FileName.empty()) folder = TIniFile(ini.FileName).ReadString("Client Components", "GridViewDataPath", "");
    if (Trim(folder).empty()) folder = ini.InstallPath + "c_Data/";
    return IncludeTrailingPathDelimiter(ForwardSlashes(Trim(folder)));
}

void TdmBase::SaveGridView(TDataSet* dataSet, const std::string& fileName, int index) {
    if (!dataSet || !Brokers) return;
    const std::string folder = GridViewFolder() + Brokers->UserId + "/";
    ForceDirectories(folder);
    TIniFile ini(folder + fileName);
    const std::string section = SectionOf(dataSet, index);
    ini.EraseSection(section);
    for (TField* field : dataSet->FieldList()) {
        std::string value = std::to_string(field->Index()) + ";" + std::to_string(field->DisplayWidth());
        if (dynamic_cast<TNumericField*>(field)) value += ";" + field->DisplayFormat();
        ini.WriteString(section, field->FieldName(), value);
    }
    ini.UpdateFile();
}

void TdmBase::LoadGridView(TDataSet* dataSet, const std::string& fileName, int index) {
    if (!dataSet || !Brokers) return;
    const std::string folder = GridViewFolder();
    std::string path = folder + Brokers->UserId + "/" + fileName;
    if (!FileExists(path)) path = folder + fileName;
    if (!FileExists(path)) return;
    const TIniFile ini(path);
    TStringList lines;
    ini.ReadSectionValues(SectionOf(dataSet, index), lines);
    for (int i = 0; i < lines.Count(); ++i) {
        TField* field = dataSet->FindField(Trim(lines.Names(i)));
        if (!field) continue;
        const std::string value = lines.ValueFromIndex(i);
        const std::size_t first = value.find(';');
        if (first == std::string::npos) continue;
        const std::size_t second = value.find(';', first + 1);
        const int position = StrToIntDef(Trim(value.substr(0, first)), -1);
        const int width =
            StrToIntDef(Trim(value.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1)), -1);
        // A damaged line is skipped; the others still apply.
        if (position < 0 || width < 0) continue;
        field->SetDisplayWidth(width);
        if (second != std::string::npos && dynamic_cast<TNumericField*>(field)) {
            const std::string format = value.substr(second + 1);
            if (!format.empty()) field->SetDisplayFormat(format);
        }
        field->SetIndex(std::min(position, dataSet->FieldCount() - 1));
    }
}
