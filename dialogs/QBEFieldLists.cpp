// The fields the query dialog offers: the lists of the advanced and detail pages (and the sort list),
// the grid's fields with their pick lists, and the key fields put into the first grid rows.
#include "dialogs/RkQBE.h"

#include "framework/data/RadicalDM.h"
#include "framework/data/SingleDM.h"
#include "framework/forms/RadicalForm.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dataaware/DBComboBox.h"
#include "toolkit/ui/grids/StringGrid.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/ListBox.h"

namespace {

const char* const kAttachFields[] = {"Parent",   "KeyValues", "CompanyID", "UserID",  "Type",    "SeqNo",
                                     "FileName", "DocID",     "Revision",  "AddDate", "AddTime", "KeyFields"};

// The last `digits` characters of the name form a number of 1 or more.
bool NumberedName(const std::string& name, std::size_t digits) {
    if (name.size() < digits) return false;
    int number = 0;
    return TryStrToInt(name.substr(name.size() - digits), number) && number >= 1;
}

bool IsAttachField(const std::string& name) {
    for (const char* field : kAttachFields)
        if (SameText(name, field)) return true;
    return false;
}

// Commas inside brackets (function arguments, sub-queries) do not end an item.
std::vector<std::string> SplitTopLevel(const std::string& list) {
    std::vector<std::string> items;
    std::string item;
    int depth = 0;
    for (char c : list) {
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (c == ',' && depth == 0) {
            items.push_back(item);
            item.clear();
        } else {
            item += c;
        }
    }
    items.push_back(item);
    return items;
}

// A label padded with blanks to width characters.
std::string Padded(const std::string& label, int width) {
    std::string text = label;
    for (int n = Utf8Length(label); n < width; ++n) text += ' ';
    return text;
}

}  // namespace

const char* const kAttachFieldExprs =
    "RKTMA.MA002 UserName, ADM.MB002 ProgName, RKT.MB002 CompanyName, DMS.Status, DMS.DocName, DMS.DocType, "
    "DMS.Description";

std::vector<std::string> ParseFieldExprs(const std::string& fieldExprs) {
    std::vector<std::string> items;
    if (Trim(fieldExprs).empty()) return items;
    for (const std::string& raw : SplitTopLevel(fieldExprs)) {
        std::string item = Trim(raw);
        const std::size_t eq = item.find('=');
        const std::string before = eq == std::string::npos ? item : item.substr(0, eq);
        if (!Trim(before).empty() && before.find(' ') == std::string::npos) {
            const std::string after = eq == std::string::npos ? std::string() : item.substr(eq + 1);
            item = after + " " + before;
        }
        items.push_back(item);
    }
    return items;
}

void TQBEForm::BuildFieldLists() { BuildFieldListsOf(false); }

void TQBEForm::BuildDetailFieldLists() { BuildFieldListsOf(true); }

void TQBEForm::BuildFieldListsOf(bool detail) {
    TValuePage page = Page(detail);
    TClientDataSet* dataSet = detail ? DetailDataSet : MasterDataSet;
    if (!dataSet || !dataSet->Active()) return;
    const std::string table = detail ? DetailTable : MasterTable;
    const bool attach = SameText(Trim(table), "ATTACH");
    const std::vector<std::string> items = ParseFieldExprs(detail ? DetailFieldExprs : MasterFieldExprs);

    std::vector<std::pair<std::string, std::string>> offered, system;  // (line, name)
    for (TField* field : dataSet->FieldList()) {
        if (field->FieldKind() != fkData || field->DataType() == ftDataSet) continue;
        const std::string name = field->FieldName();
        std::string token = name;
        const bool isSystem = TdmRadical::IsSystemColumn(name);
        if (!isSystem) {
            const bool numbered = NumberedName(name, 2) || (detail && NumberedName(name, 3));
            if (numbered || (attach && (detail || IsAttachField(name)))) {
                if (!field->Visible() && !attach) continue;
            } else {
                if (!field->Visible() || items.empty()) continue;
                for (const std::string& item : items) {
                    if (item.find(name) == std::string::npos) continue;
                    if (detail && UpperCase(item).find("SELECT") != std::string::npos)
                        token.clear();
                    else if (std::size_t at = item.find(" " + name); at != std::string::npos)
                        token = item.substr(0, at);
                    break;
                }
                if (token.empty()) continue;
            }
        }
        std::string label = field->DisplayLabel();
        if (!Translated || detail) label = RkConverter->ToStorageText(label);
        (isSystem ? system : offered).emplace_back(Padded(label, LabelWidth) + "\t" + token, name);
    }
    offered.insert(offered.end(), system.begin(), system.end());

    TStringList lines;
    TStringList& names = detail ? DetailFieldNames : FieldNames;
    names.Clear();
    for (const auto& [line, name] : offered) {
        lines.Add(detail && Translated ? RkConverter->ToDisplayText(line) : line);
        names.Add(name);
    }
    page.field->SetItems(&lines);
    if (!detail) {
        ListBox1->Items()->Assign(lines);
        ListBox2->Items()->Clear();
    }
    page.field->SetItemIndex(lines.Count() > 0 ? 0 : -1);
    PrepareValueEditor(detail);
}

void TQBEForm::BuildGridFields() {
    GridFields.Clear();
    sg1->SetRowCount(2);
    for (int col = 0; col < sg1->ColCount(); ++col) sg1->SetCells(col, 1, "");
    GridFieldPicks.Clear();
    if (!MasterDataSet) return;
    const bool attach = SameText(Trim(MasterTable), "ATTACH");
    TdmRadical* dm = DataModuleOf(MasterDataSet);
    auto* single = dynamic_cast<TdmSingle*>(dm);
    for (TField* field : MasterDataSet->FieldList()) {
        if (field->FieldKind() != fkData || !field->Visible() || QBEFieldKind(field->DataType()) < 0) continue;
        const std::string name = field->FieldName();
        auto info = std::make_unique<TRecordInfo>();
        info->Caption = Trim(field->DisplayLabel());
        info->DataType = field->DataType();
        if (!NumberedName(name, 2) && !attach) {
            const std::size_t at = MasterFieldExprs.find(name);
            if (at != std::string::npos) {
                const std::string before = MasterFieldExprs.substr(0, at);
                const std::size_t comma = before.rfind(',');
                info->SqlName = comma == std::string::npos ? Trim(before) : before.substr(comma + 1);
            } else if (Trim(MasterFieldExprs).empty()) {
                continue;
            } else {
                info->SqlName = MasterTable + "." + name;
            }
        } else {
            info->SqlName = MasterTable + "." + name;
        }
        const std::string controlType = single ? ControlDescription(single->ControlTypeOf(MasterDataSet), name) : "";
        if (StartsText("CheckBox", controlType)) {
            info->IsCheckBox = true;
        } else if (dm && !field->EditMask().empty()) {
            if (field->EditMask() == dm->DateFieldEditMask())
                info->EditMask = dm->DateFieldEditMask();
            else if (field->EditMask() == dm->YMFieldEditMask())
                info->EditMask = dm->YMFieldEditMask();
        } else if (dm && (SameText(name, "CREATE_DATE") || SameText(name, "MODI_DATE"))) {
            info->EditMask = dm->DateFieldEditMask();
        }
        // The pick texts of the window's own combo boxes for this field.
        if (TComponent* form = Owner())
            for (TComponent* component : form->ComponentList()) {
                auto* combo = dynamic_cast<TDBComboBox*>(component);
                if (!combo || !combo->Parent() || !SameText(combo->DataField(), name)) continue;
                for (int i = 0; i < combo->Items()->Count(); ++i) {
                    const std::string line = (*combo->Items())[i];
                    const std::string pick = line.find('\t') == std::string::npos ? line + "\t" + line : line;
                    if (info->PickList.IndexOf(pick) < 0) info->PickList.Add(pick);
                }
            }
        const std::string caption = info->Caption;
        GridFields.AddInfo(name, std::move(info));
        GridFieldPicks.Add((Translated ? caption : RkConverter->ToProgramText(caption)) + "\t" + name);
    }
    sg1->ColumnPickList(0)->Assign(GridFieldPicks);
}

void TQBEForm::LoadKeyRows() {
    if (!MasterDataSet) return;
    int row = 1;
    for (const std::string& item : SplitString(MasterKeyFields, ',')) {
        std::string name = Trim(item);
        if (const std::size_t dot = name.rfind('.'); dot != std::string::npos) name = name.substr(dot + 1);
        TField* field = MasterDataSet->FindField(name);
        if (!field || !field->Visible()) continue;
        if (row >= sg1->RowCount()) AddGridRow(row);
        sg1->SetCells(0, row, Trim(field->DisplayLabel()));
        PrepareGridRow(row, Trim(field->DisplayLabel()));
        ++row;
    }
    sg1->FocusCell(2, 1);
    LastGridField = Trim(sg1->Cells(0, 1));
}

std::string ControlDescription(const TStrings* controlTypes, const std::string& fieldName) {
    if (!controlTypes) return "";
    for (int i = 0; i < controlTypes->Count(); ++i) {
        const std::string& line = (*controlTypes)[i];
        const std::size_t semi = line.find(';');
        if (semi != std::string::npos && SameText(Trim(line.substr(0, semi)), fieldName)) return line.substr(semi + 1);
    }
    return "";
}
