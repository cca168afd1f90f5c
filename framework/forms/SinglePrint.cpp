// Printing and print formats (凭证格式), the spreadsheet exports, the options dialog and the calculator.
#include "env/UserDefINI.h"
#include "framework/data/FieldText.h"
#include "framework/forms/OptionsDialog.h"
#include "framework/forms/SingleCF.h"
#include "server/Brokers.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/rtl/ScopeExit.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/Edit.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/ToolBar.h"

namespace {

const TLangKeys kFormatKeys("TfrmSingle", {{"sNoFormat", "<无格式>"},
                                           {"sCancelDefaultFormat", "是否要取消本机默认格式?"},
                                           {"sSetDefaultFormat", "将格式[%s]设为本机默认格式?"},
                                           {"sUpdError", "更新失败!"}});

}  // namespace

// --- Print and preview --------------------------------------------------------------------------

void TfrmSingle::miPrintClick(TObject* Sender) {
    if (!btnPrint->Enabled()) return;
    Previewing = false;
    DoPrint(false);
}

void TfrmSingle::miPreviewClick(TObject* Sender) {
    if (!btnPrint->Enabled()) return;
    Previewing = true;
    TScopeExit done([this] { Previewing = false; });
    DoPrint(true);
}

void TfrmSingle::MenuItem1Click(TObject* Sender) { BuildFormatMenu(miFormat, false); }

void TfrmSingle::popPrintPopup(TObject* Sender) { BuildFormatMenu(ppFormat, false); }

// --- Print formats ------------------------------------------------------------------------------

std::string TfrmSingle::GetFormatKey() {
    TdmSingle* dm = SingleDM();
    if (!dm || !dm->cdsMain->Active()) return {};
    std::string name = FormatKeyField;
    if (name.empty()) {
        std::vector<std::string> keys = SplitString(dm->KeyFields, ',');
        name = keys.empty() ? std::string() : Trim(keys[0]);
        if (std::size_t dot = name.rfind('.'); dot != std::string::npos) name = name.substr(dot + 1);
    }
    TField* field = name.empty() ? nullptr : dm->cdsMain->FindField(name);
    return field ? field->AsString() : std::string();
}

void TfrmSingle::FillFormatMenu(TMenuItem* menu) {
    Variant rows;
    if (Brokers) {
        const std::string pattern = "%" + StringReplace(UpperCase(ReportName), "'", "''", rfReplaceAll) + "%";
        const std::string sql =
            StringReplace("select NT001,NT002 from WARRANT where UPPER(NT001) like '%S' order by NT002", "%S", pattern, 0);
        try {
            rows = Brokers->CallServer("SimpleSql", VarArrayOf({sql, "NT002", Brokers->DatabaseName, "N"}));
        } catch (const std::exception&) {
            rows = Variant();
        }
    }
    int index = 0;
    if (rows.IsArray())
        for (int i = rows.Low(); i <= rows.High(); ++i) {
            const Variant& row = rows[i];
            const std::string caption = row.IsArray() ? VarToStr(row[row.Low()]) : VarToStr(row);
            auto* item = CreateComponent<TMenuItem>(this);
            item->SetName(menu->Name() + "Format" + IntToStr(index++));
            item->SetCaption(RkConverter->ToDisplayText(caption));
            item->SetRadioItem(true);
            item->SetGroupIndex(1);
            item->OnClick = [this](TObject* s) { MenuItemVoucherFormatClick(s); };
            menu->Add(item);
        }
    if (menu->Count() == 0) {
        auto* item = CreateComponent<TMenuItem>(this);
        item->SetName(menu->Name() + "NoFormat");
        item->SetCaption(LangText(kFormatKeys, "sNoFormat", true));
        item->SetEnabled(false);
        menu->Add(item);
    }
}

void TfrmSingle::BuildFormatMenu(TMenuItem* menu, bool reload) {
    if (!menu || (menu->Count() > 0 && !reload)) return;
    menu->Clear();
    FillFormatMenu(menu);
    const std::string chosen = TUserDefIni().GetFormat(ReportName, GetFormatKey());
    for (int i = 0; i < menu->Count(); ++i) {
        TMenuItem* item = menu->Items(i);
        item->SetChecked(chosen != kNoDefaultFormat && item->Enabled() && item->Caption() == chosen);
    }
}

void TfrmSingle::MenuItemVoucherFormatClick(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item || !Brokers) return;
    const std::string text = item->Checked() ? LangText(kFormatKeys, "sCancelDefaultFormat", true)
                                             : Format(LangText(kFormatKeys, "sSetDefaultFormat", true), {item->Caption()});
    if (Brokers->ShowMessageByCode("W", "100079", {text}) != mrOk) return;
    const bool checking = !item->Checked();
    item->SetChecked(checking);
    try {
        TUserDefIni file;
        if (checking)
            file.SetFormat(UpperCase(ReportName), GetFormatKey(), item->Caption());
        else
            file.DeleteFormat(UpperCase(ReportName), GetFormatKey());
    } catch (const std::exception&) {
        item->SetChecked(!checking);
        Brokers->ShowMessageByCode("E", "000032", {LangText(kFormatKeys, "sUpdError", true)});
    }
}

// --- Exports ------------------------------------------------------------------------------------

void TfrmSingle::miTable2ExcelClick(TObject* Sender) {
    if (TdmSingle* dm = SingleDM(); dm && miTable2Excel->Enabled()) dm->ExportToExcel(dm->cdsMain, this, true);
}

void TfrmSingle::miTable2Excel2Click(TObject* Sender) {
    if (TdmSingle* dm = SingleDM(); dm && miTable2Excel2->Enabled()) dm->ExportTextToExcel(dm->cdsMain, this);
}

// --- Options ------------------------------------------------------------------------------------

void TfrmSingle::miOptionsClick(TObject* Sender) {
    IOptionsDialog* options = nullptr;
    TOwnedPtr<TCustomForm> dialog(CreateOptionsDialog(this, options));
    if (!options->Execute()) return;
    IsKeepOnAdd = options->IsKeepOnAdd();
    IsFocusPageOne = options->IsFocusPageOne();
    if (IsColorManage && !options->IsColorManage()) {
        ResetRowColors();
        btnColorQuery->SetVisible(false);
        IsColorManage = false;
        ToolBar1->ArrangeButtons();
    }
    TdmSingle* dm = SingleDM();
    if (!dm) return;
    dm->MoneyFieldAutoZero = options->MoneyAutoZero();
    dm->MoneyFieldThousand = options->MoneyThousand();
    dm->QuantityFieldAutoZero = options->NumberAutoZero();
    dm->QuantityFieldThousand = options->NumberThousand();
    for (TComponent* component : dm->ComponentList())
        if (auto* source = dynamic_cast<TDataSource*>(component)) {
            TDataSet* dataSet = source->DataSet();
            source->SetDataSet(nullptr);
            source->SetDataSet(dataSet);
        }
}

// --- Calculator ---------------------------------------------------------------------------------

void TfrmSingle::btnCalcClick(TObject* Sender) { RunCalculator(); }
void TfrmSingle::miCaclClick(TObject* Sender) { RunCalculator(); }

void TfrmSingle::RunCalculator() {
    if (!Brokers) return;
    TWinControl* active = ActiveControl();
    auto* grid = dynamic_cast<TDBGrid*>(active);
    TField* field = grid ? grid->SelectedField() : ControlField(active);
    const std::string current = field ? field->Text() : active ? active->Text() : std::string();
    const std::string result = Brokers->GetCalcValue(current, Handle());
    try {
        if (field) {
            const bool writable = !field->ReadOnly() && active && active->Enabled() &&
                                  !(IsPublishedProp(active, "ReadOnly") && GetOrdProp(active, "ReadOnly") != 0);
            if (result.empty() || !writable) return;
            if (field->DataSet()->State() == dsBrowse) field->DataSet()->Edit();
            const std::string display = field->DisplayText();
            const bool percent = !display.empty() && display.back() == '%' && display != field->AsString();
            if (percent)
                SetFieldText(field, FloatToStr(StrToFloat(result) * 100), true);
            else
                SetFieldText(field, result, true);
        } else if (auto* edit = dynamic_cast<TCustomEdit*>(active); edit && !dynamic_cast<TCustomComboBox*>(active)) {
            if (!result.empty()) edit->SetText(result);
        }
    } catch (const std::exception&) {
        // A result the field cannot take leaves it as it was.
    }
}
