// Lookups of program forms: the F2 window for a field and the common-phrase window.
#include "controls/InteraParam.h"
#include "env/Log.h"
#include "framework/forms/RadicalForm.h"
#include "server/Brokers.h"
#include "toolkit/data/DataSet.h"
#include "toolkit/data/Field.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/kernel/Screen.h"
#include "toolkit/ui/widgets/Edit.h"

namespace {

bool IsFloatField(const TField& field) {
    return field.DataType() == ftFloat || field.DataType() == ftCurrency || field.DataType() == ftBCD;
}

}  // namespace

void TfrmRadical::F2Lookup(TField* field, const std::string& targetFields, bool firstOption, bool secondOption,
                           const Variant& keys, const std::string& table, const std::string& kind) {
    try {
        const std::string targets = targetFields.empty() ? field->FieldName() : targetFields;
        auto* edit = dynamic_cast<TCustomEdit*>(Screen->ActiveControl());
        TLookupOptions options;
        options.FirstOption = firstOption;
        options.SecondOption = secondOption;
        options.Window = Handle();
        options.SearchText = edit ? edit->Text() : field->AsString();
        if (edit && IsFloatField(*field)) options.SearchText = StringReplace(options.SearchText, ",", "", rfReplaceAll);

        const Variant rows = Brokers->LookupData(table, kind, keys, options);
        if (!rows.IsArray()) return;
        TDataSet* dataSet = field->DataSet();
        const std::vector<std::string> names = SplitString(targets, ',');
        bool firstValue = true;
        for (int r = rows.Low(); r <= rows.High(); ++r) {
            const Variant& row = rows[r];
            if (!row.IsArray()) continue;
            if (r > rows.Low()) {
                dataSet->Post();
                dataSet->Append();
            }
            for (std::size_t i = 0; i < names.size() && row.Low() + static_cast<int>(i) <= row.High(); ++i) {
                TField* target = dataSet->FindField(Trim(names[i]));
                if (!target) continue;
                const Variant& value = row[row.Low() + static_cast<int>(i)];
                if (edit && firstValue) {
                    edit->SetText(VarToStr(value));
                    edit->SelectAll();
                }
                firstValue = false;
                target->SetValue(value);
            }
        }
    } catch (const EAbort&) {
        throw;
    } catch (const std::exception& e) {
        WriteAlert("Class RadicalCF-461", e.what(), "D");
        throw;
    }
}

void TfrmRadical::PhraseLookup(TField* field) {
    std::string text = field->AsString();
    Brokers->GetPhrase2(text);
    if (!text.empty()) field->SetAsString(text);
}

void TfrmRadical::RunF2InMode(TObject* Sender, std::uint8_t mode) {
    struct TModeReset {
        std::uint8_t& mode;
        ~TModeReset() { mode = lpmNormal; }
    } reset{LookupParamMode};
    LookupParamMode = mode;
    WORD key = VK_F2;
    OnF2Key(key, dynamic_cast<TWinControl*>(Sender));
}

void TfrmRadical::GetBaseClassParam(TObject* Sender, TInteraParam& Param) {
    // Collecting: the broker stores the parameter F2 would send instead of opening the window.
    LookupParam = Variant();
    RunF2InMode(Sender, lpmCollectParam);
    Param.OpenParam = LookupParam;
    Param.DateOrder = DateOrder;
    Param.DateSeparator = DateSeparator;
    Param.Rights32Or34 = FunctionRights.Contains(32) || FunctionRights.Contains(34);
    Param.Rights33Or35 = FunctionRights.Contains(33) || FunctionRights.Contains(35);
    Param.Hosted = IsHosted();
    Param.ToUserScript = [this](const std::string& text) { return RkConverter->ToDisplayText(text); };
    Param.FromUserScript = [this](const std::string& text) { return RkConverter->ToProgramText(text); };
    Param.Caption = Caption();
    Param.UICodePage = UICodePage();
}

void TfrmRadical::SetReturn(TObject* Sender, TInteraParam* Obj) {
    // Returning: the broker answers F2 with the combo's rows, so the usual field filling runs.
    LookupResult = Obj ? Obj->ReturnValue : Variant();
    RunF2InMode(Sender, lpmReturnResult);
}
