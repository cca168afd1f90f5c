#include "framework/forms/ContextHelp.h"

#include "toolkit/classes/Properties.h"
#include "toolkit/data/DataSet.h"
#include "toolkit/data/DataSource.h"
#include "toolkit/data/Field.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/kernel/Controls.h"

namespace {

bool IsGrid(const TControl* control) { return control && control->InheritsFrom("TCustomGrid"); }

// The three characters from the third of a field name whose third character is a digit.
std::string FieldCode(const std::string& fieldName) {
    if (fieldName.size() < 3 || fieldName[2] < '0' || fieldName[2] > '9') return {};
    return fieldName.substr(2, 3);
}

// The field a data-aware control shows when its data source belongs to cdsMain.
std::string MainFieldOf(const TControl& control) {
    if (!IsPublishedProp(&control, "DataSource") || !IsPublishedProp(&control, "DataField")) return {};
    auto* source = dynamic_cast<TDataSource*>(GetObjectProp(&control, "DataSource"));
    if (!source || !source->DataSet() || !SameText(source->DataSet()->Name(), "cdsMain")) return {};
    return GetStrProp(&control, "DataField");
}

// The field of a grid's selected column (grids publish it as SelectedField).
std::string SelectedFieldOf(const TControl& grid) {
    if (!IsPublishedProp(&grid, "SelectedField")) return {};
    auto* field = dynamic_cast<TField*>(GetObjectProp(&grid, "SelectedField"));
    return field ? field->FieldName() : std::string();
}

}  // namespace

std::string HelpBase(const std::string& programId) {
    if (programId.size() < 4) return {};
    std::string prefix;
    switch (UpperCase(programId.substr(3, 1))[0]) {
        case 'I': prefix = "11"; break;
        case 'Q': prefix = "14"; break;
        case 'A': prefix = "64"; break;
        case 'M': prefix = "84"; break;
        default: return {};
    }
    return prefix + programId.substr(programId.size() - 2);
}

std::string HelpContextString(const std::string& base, const TWinControl* activeControl) {
    if (!activeControl) return base + "0000";
    if (!activeControl->HelpKeyword().empty()) return activeControl->HelpKeyword();
    const TControl* grid = IsGrid(activeControl)             ? activeControl
                           : IsGrid(activeControl->Parent()) ? activeControl->Parent()
                                                             : nullptr;
    if (grid) {
        std::string code = FieldCode(SelectedFieldOf(*grid));
        if (!code.empty()) return base + "2" + code;
    } else {
        std::string code = FieldCode(MainFieldOf(*activeControl));
        if (!code.empty()) return base + "1" + code;
    }
    return base + "0000";
}
