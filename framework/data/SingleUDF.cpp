// User-defined columns filled from the server, and the data rights of a second nested detail.
#include "framework/data/FieldText.h"
#include "framework/data/SingleDM.h"
#include "framework/data/SingleFormLink.h"
#include "i18n/LangKeys.h"
#include "server/Brokers.h"
#include "toolkit/data/DataSetField.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

const TLangKeys kUDFKeys("TfrmSingle", {{"sUDFError", "自定义栏位(%s)赋值错误，可能是类型不匹配！！"}});

std::string SelectorCondition(const std::string& selector) {
    if (selector == "Y") return " TL012 <> '' ";
    if (selector == "N") return " TL012 = '' ";
    return " 1=1 ";
}

}  // namespace

TUDFRules LoadUDFDefinitions(TBrokers& brokers, const std::string& program, const std::string& level, const std::string& selector,
                             const TDataSet* dataSet) {
    TUDFRules rules;
    const std::string sql =
        " SELECT TL006,TL013,TL012 FROM $$ADMTK ADMTK  LEFT JOIN $$ADMTL ADMTL ON TK001 = TL001 AND TL010 = 'Y'  WHERE " +
        SelectorCondition(selector) + " AND TK003 = 'Y' AND TL005 = " + QuotedStr(level) + " AND TL003 = " + QuotedStr(program) +
        " ORDER BY TL011 ";
    Variant rows;
    try {
        rows = brokers.CallServer("SimpleSql", VarArrayOf({sql, "TL006,TL013,TL012", brokers.DatabaseName, "N"}));
    } catch (const std::exception&) {
        return rules;
    }
    if (!rows.IsArray()) return rules;
    for (int i = rows.Low(); i <= rows.High(); ++i) {
        const Variant& row = rows[i];
        if (!row.IsArray() || row.Count() < 3) continue;
        TUDFRule rule{VarToStr(row[row.Low()]), VarToStr(row[row.Low() + 1]), {}};
        for (const std::string& name : SplitString(VarToStr(row[row.Low() + 2]), ';')) {
            if (Trim(name).empty()) continue;
            rule.RelatedFields.push_back({Trim(name), dataSet ? dataSet->FindField(Trim(name)) : nullptr});
        }
        rules.push_back(std::move(rule));
    }
    return rules;
}

void TdmSingle::LoadUDFValues(TDataSet* dataSet, const TUDFRules& definitions) {
    if (!dataSet || !Brokers) return;
    bool reported = false;
    for (const TUDFRule& rule : definitions) {
        std::vector<Variant> values;
        for (const TUDFRelatedField& related : rule.RelatedFields) {
            TField* field = related.Field ? related.Field : dataSet->FindField(related.FieldName);
            values.push_back(field ? field->AsString() : std::string());
        }
        Variant answer;
        try {
            answer = Brokers->CallServer("QueryUDFData",
                                         VarArrayOf({rule.QueryText, "", Brokers->DatabaseName, "N", VarArrayOf(values)}));
        } catch (const std::exception&) {
            continue;  // a rule the server cannot run fills nothing
        }
        TField* target = dataSet->FindField(rule.FieldName);
        if (!target || !answer.IsArray() || answer.Count() < 1) continue;
        const Variant& row = answer[answer.Low()];
        if (!row.IsArray() || row.Count() < 1) continue;
        try {
            SetFieldText(target, VarToStr(row[row.Low()]), true);
        } catch (const std::exception&) {
            if (reported) continue;
            reported = true;
            ISingleFormLink* form = FormLink();
            const std::string& fallback = kUDFKeys.Default("sUDFError");
            std::string text = form ? form->KeyedText(kUDFKeys.ClassName(), "sUDFError", fallback) : fallback;
            Brokers->ShowMessageByCode("E", "000032", {Format(text, {target->DisplayLabel()})});
        }
    }
}

bool TdmSingle::VerifyDataRights() {
    if (!TdmBase::VerifyDataRights() || !Brokers || Brokers->ProgramInfo.Values("H11_KEY").empty()) return true;
    TDataSet* detail = nullptr;
    for (TComponent* component : ComponentList()) {
        auto* cds = dynamic_cast<TClientDataSet*>(component);
        if (!cds || SameText(cds->Name(), "cdsBody1") || !cds->DataSetField()) continue;
        if (cds->DataSetField()->DataSet() == cdsMain) {
            detail = cds;
            break;
        }
    }
    if (!detail) return true;
    std::string denied;
    if (CheckDataRights(detail, "H11", denied)) return true;
    if (denied == "ALL")
        Brokers->ShowMessageByCode("E", "200570");
    else
        Brokers->ShowMessageByCode("E", "200571", {"\r\n\r\n" + StringReplace(denied, ";", "\r\n", rfReplaceAll)});
    return false;
}
