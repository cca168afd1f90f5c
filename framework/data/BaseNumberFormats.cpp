// Decimals and display of money and quantity fields, and the range check of typed numbers.
#include <algorithm>

#include "env/Log.h"
#include "framework/data/BaseDM.h"
#include "framework/data/SelectParsing.h"
#include "server/Brokers.h"
#include "toolkit/data/Field.h"
#include "toolkit/data/Numbers.h"
#include "toolkit/data/NumericFields.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/xml/Xml.h"

namespace {

constexpr double kSameNumber = 1e-10;
constexpr int kDefaultQuantityDigits = 3;

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

bool InFieldList(const std::string& fieldName, const std::string& list) {
    return !Trim(fieldName).empty() && WholeWordPos(UpperCase(Trim(fieldName)), UpperCase(list)) > 0;
}

// "source||cdtKind" -> kind; false for another name.
bool CurrencyLineKind(const std::string& name, std::string& source, TCurrencyDigitType& kind) {
    std::size_t bar = name.find("||");
    if (bar == std::string::npos) return false;
    source = name.substr(0, bar);
    for (TCurrencyDigitType k : {cdtPrice, cdtMoney, cdtUnitCost, cdtCostsAmount})
        if (SameText(name.substr(bar + 2), CurrencyDigitTypeName(k))) {
            kind = k;
            return true;
        }
    return false;
}

int DigitsOf(const TCurrencySetting& setting, TCurrencyDigitType kind) {
    switch (kind) {
        case cdtPrice: return setting.PriceDigits;
        case cdtMoney: return setting.MoneyDigits;
        case cdtUnitCost: return setting.UnitCostDigits;
        case cdtCostsAmount: return setting.CostsAmountDigits;
    }
    return 0;
}

std::string QuoteSqlText(const std::string& text) {
    std::string quoted;
    for (char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted;
}

}  // namespace

void TdmBase::SetDigitFieldGroup(int decimals, const std::string& fieldList) {
    DigitFieldGroups.SetValue(std::to_string(decimals), fieldList);
    if (!fieldList.empty() && GetDigitFieldGroupDecimals(decimals) >= 0) ApplyNumberFormats(fieldList, decimals, false);
}

std::string TdmBase::GetDigitFieldGroup(int decimals) const { return DigitFieldGroups.Values(std::to_string(decimals)); }

int TdmBase::GetDigitFieldGroupDecimals(int decimals) const {
    return DigitFieldGroups.IndexOfName(std::to_string(decimals)) >= 0 ? decimals : -1;
}

void TdmBase::RegisterQuantityFields(const std::string& fieldList) {
    QuantityFieldNames = QuantityFieldNames.empty() ? fieldList : QuantityFieldNames + ";" + fieldList;
    ApplyNumberFormats(fieldList, QuantityDigits(), false);
}

void TdmBase::RegisterCurrencyFields(const std::string& source, TCurrencyDigitType kind, const std::string& fieldList) {
    const std::string name = source + "||" + CurrencyDigitTypeName(kind);
    std::string current = CurrencyFieldGroups.Values(name);
    CurrencyFieldGroups.SetValue(name, current.empty() ? fieldList : current + ";" + fieldList);
    // The home currency is known now; a currency field is followed when its dataset opens or changes.
    if (SameText(source, "SYS003") && Brokers)
        ApplyNumberFormats(fieldList, CurrencyDigits(Brokers->GetSysValue("SYS003"), kind), true);
}

int TdmBase::QuantityDigits() {
    if (QuantityDigitsCache.empty() && Brokers) QuantityDigitsCache = Trim(Brokers->GetSysValue("sys068"));
    return StrToIntDef(QuantityDigitsCache, kDefaultQuantityDigits);
}

int TdmBase::FieldDecimals(const std::string& fieldName) {
    if (Trim(fieldName).empty()) return -1;
    if (InFieldList(fieldName, QuantityFieldNames)) return QuantityDigits();
    for (int i = 0; i < DigitFieldGroups.Count(); ++i)
        if (InFieldList(fieldName, DigitFieldGroups.ValueFromIndex(i))) return StrToIntDef(DigitFieldGroups.Names(i), -1);
    return CurrencyGroupDecimals(fieldName);
}

int TdmBase::CurrencyGroupDecimals(const std::string& fieldName) {
    for (int i = 0; i < CurrencyFieldGroups.Count(); ++i) {
        std::string source;
        TCurrencyDigitType kind = cdtMoney;
        if (!CurrencyLineKind(CurrencyFieldGroups.Names(i), source, kind)) continue;
        if (!InFieldList(fieldName, CurrencyFieldGroups.ValueFromIndex(i))) continue;
        std::string code;
        if (SameText(source, "SYS003")) {
            code = Brokers ? Brokers->GetSysValue("SYS003") : "";
        } else if (TField* field = CurrencySourceField(source)) {
            code = field->AsString();
        }
        return CurrencyDigits(code, kind);
    }
    return -1;
}

TField* TdmBase::CurrencySourceField(const std::string& source, TDataSet* preferred) const {
    if (preferred && preferred->Active())
        if (TField* field = preferred->FindField(source)) return field;
    for (TComponent* component : ComponentList())
        if (auto* dataSet = dynamic_cast<TDataSet*>(component); dataSet && dataSet->Active())
            if (TField* field = dataSet->FindField(source)) return field;
    return nullptr;
}

int TdmBase::CurrencyDigits(const std::string& code, TCurrencyDigitType kind) {
    const std::string key = Trim(code);
    if (key.empty() || !Brokers) return -1;
    if (auto cached = CurrencySettings.find(key); cached != CurrencySettings.end()) return DigitsOf(*cached->second, kind);
    if (!Brokers->CounterService.IsDispatch()) return -1;
    Variant rows;
    try {
        const std::string sql =
            "select top 1 MF001,MF003,MF004,MF005,MF006 from $$CMSMF CMSMF where MF001='" + QuoteSqlText(key) + "'";
        rows = Brokers->CallServer("SimpleSql", VarArrayOf({sql, "MF001,MF003,MF004,MF005,MF006", Brokers->DatabaseName, "N"}));
    } catch (const std::exception& e) {
        ReportError(e, "BaseCD-CurrencyDigits", e.what());
        return -1;
    }
    if (rows.IsArray()) {
        for (int r = rows.Low(); r <= rows.High(); ++r) {
            const Variant& row = rows[r].Deref();
            if (!row.IsArray() || row.Count() < 5) continue;
            auto setting = std::make_unique<TCurrencySetting>();
            const int low = row.Low();
            setting->CurrencyCode = Trim(VarToStr(row[low]));
            setting->PriceDigits = row[low + 1].IsNumeric() ? row[low + 1].AsInteger() : 0;
            setting->MoneyDigits = row[low + 2].IsNumeric() ? row[low + 2].AsInteger() : 0;
            setting->UnitCostDigits = row[low + 3].IsNumeric() ? row[low + 3].AsInteger() : 0;
            setting->CostsAmountDigits = row[low + 4].IsNumeric() ? row[low + 4].AsInteger() : 0;
            std::string name = setting->CurrencyCode;
            CurrencySettings[name] = std::move(setting);
        }
    }
    // A code the table lacks answers 0 digits for the module's life.
    auto& setting = CurrencySettings[key];
    if (!setting) {
        setting = std::make_unique<TCurrencySetting>();
        setting->CurrencyCode = key;
    }
    return DigitsOf(*setting, kind);
}

std::string TdmBase::DisplayPattern(int decimals, bool money) const {
    const bool thousand = money ? MoneyFieldThousand : QuantityFieldThousand;
    const bool autoZero = money ? MoneyFieldAutoZero : QuantityFieldAutoZero;
    std::string pattern = std::string("#") + (thousand ? "," : "") + "##0";
    if (decimals > 0) pattern += "." + std::string(static_cast<std::size_t>(decimals), autoZero ? '0' : '#');
    return pattern;
}

void TdmBase::ApplyNumberFormats(const std::string& fieldList, int decimals, bool money) {
    std::string editFormat = "##0.#######";
    if (decimals >= 0) {
        std::string base = NumberFieldEditFormat();
        editFormat = base.substr(0, base.find('.')) + "." + std::string(static_cast<std::size_t>(decimals), '#');
    }
    for (const std::string& group : Split(fieldList, ';')) {
        std::size_t colon = group.find(':');
        if (colon == std::string::npos) continue;
        TDataSet* dataSet = FindDataSet(Trim(group.substr(0, colon)));
        if (!dataSet) continue;
        for (const std::string& name : Split(group.substr(colon + 1), ',')) {
            auto* field = dynamic_cast<TNumericField*>(dataSet->FindField(Trim(name)));
            if (!field) continue;
            if (!field->OnGetText) {
                if (money)
                    field->OnGetText = [this](TField* f, std::string& t, bool d) { MoneyFieldGetText(f, t, d); };
                else
                    field->OnGetText = [this](TField* f, std::string& t, bool d) { QuantityFieldGetText(f, t, d); };
            }
            field->SetEditFormat(editFormat);
            if (!field->OnSetText) field->OnSetText = [this](TField* f, const std::string& t) { NumberFieldSetText(f, t); };
        }
    }
}

void TdmBase::MoneyFieldGetText(TField* Sender, std::string& Text, bool /*DisplayText*/) {
    Text = Sender->AsString();
    if (Text.empty()) return;
    int decimals = CurrencyGroupDecimals(Sender->FieldName());
    if (decimals < 0) return;
    Text = FormatFloat(DisplayPattern(decimals, true), RoundHalfAway(Sender->AsFloat(), decimals));
}

void TdmBase::QuantityFieldGetText(TField* Sender, std::string& Text, bool /*DisplayText*/) {
    Text = Sender->AsString();
    if (Text.empty()) return;
    int decimals = -1;
    if (InFieldList(Sender->FieldName(), QuantityFieldNames)) {
        decimals = QuantityDigits();
    } else {
        for (int i = 0; i < DigitFieldGroups.Count() && decimals < 0; ++i)
            if (InFieldList(Sender->FieldName(), DigitFieldGroups.ValueFromIndex(i)))
                decimals = StrToIntDef(DigitFieldGroups.Names(i), -1);
    }
    if (decimals < 0) return;
    Text = FormatFloat(DisplayPattern(decimals, false), Sender->AsFloat());
}

void TdmBase::NumberFieldSetText(TField* Sender, const std::string& Text) {
    std::string typed;
    for (char c : Text)
        if (c != ',') typed += c;
    typed = Trim(typed);
    double value = 0;
    if (!typed.empty() && !TryTextToFloat(typed, value)) value = 0;
    // Without decimals of its own the value is kept as typed and only the integer digits bound it.
    const int decimals = FieldDecimals(Sender->FieldName());
    if (decimals >= 0) value = RoundHalfAway(value, decimals);

    const std::string precision = NumericPrecisions.Values(Sender->FieldName());
    if (!precision.empty()) {
        const int total = StrToIntDef(precision.substr(0, precision.find('.')), 0);
        const std::size_t dot = precision.find('.');
        const int scale = dot == std::string::npos ? 0 : StrToIntDef(precision.substr(dot + 1), 0);
        if (total - scale > 0) {
            const int shown = std::min(decimals, scale);
            std::string maximum(static_cast<std::size_t>(total - scale), '9');
            if (shown > 0) maximum += "." + std::string(static_cast<std::size_t>(shown), '9');
            double limit = 0;
            TryTextToFloat(maximum, limit);
            if (value - limit > kSameNumber) {
                if (Brokers) Brokers->ShowMessageByCode("E", "100280", {Sender->DisplayLabel(), maximum});
                value = 0;
            } else if (-limit - value > kSameNumber) {
                if (Brokers) Brokers->ShowMessageByCode("E", "100288", {Sender->DisplayLabel(), "-" + maximum});
                value = 0;
            }
        }
    }
    Sender->SetAsFloat(value);
}

void TdmBase::ApplyCurrencyFormats(TDataSet* dataSet, TField* currencyField, const std::string& code) {
    std::vector<TField*> fields;
    if (currencyField) {
        if (!dataSet || currencyField->DataSet() == dataSet) fields.push_back(currencyField);
    } else {
        for (int i = 0; i < CurrencyFieldGroups.Count(); ++i) {
            std::string source;
            TCurrencyDigitType kind = cdtMoney;
            if (!CurrencyLineKind(CurrencyFieldGroups.Names(i), source, kind)) continue;
            for (TComponent* component : ComponentList()) {
                auto* owner = dynamic_cast<TDataSet*>(component);
                if (!owner || (dataSet && owner != dataSet)) continue;
                TField* field = owner->FindField(source);
                if (field && std::find(fields.begin(), fields.end(), field) == fields.end()) fields.push_back(field);
            }
        }
    }
    for (TField* field : fields) {
        for (TCurrencyDigitType kind : {cdtPrice, cdtMoney, cdtUnitCost, cdtCostsAmount}) {
            const std::string list = CurrencyFieldGroups.Values(field->FieldName() + "||" + CurrencyDigitTypeName(kind));
            if (Trim(list).empty()) continue;
            ApplyNumberFormats(list, CurrencyDigits(code.empty() ? field->AsString() : code, kind), true);
        }
    }
}

void TdmBase::WatchCurrencyField(TField* field) {
    if (!field || field->OnChange) return;
    field->OnChange = [this](TField* sender) { ApplyCurrencyFormats(sender->DataSet(), sender, ""); };
}

void TdmBase::LoadNumericPrecision(const std::string& table) {
    if (!Brokers) return;
    Variant rows;
    if (!Brokers->QueryData("NUMFD", "01", VarArrayOf({table}), rows) || !rows.IsArray()) return;
    for (int r = rows.Low(); r <= rows.High(); ++r) {
        const Variant& row = rows[r].Deref();
        if (!row.IsArray() || row.Count() < 3) continue;
        const int low = row.Low();
        const std::string name = Trim(VarToStr(row[low]));
        if (name.empty() || NumericPrecisions.IndexOfName(name) >= 0) continue;
        NumericPrecisions.Add(name + "=" + VarToStr(row[low + 1]) + "." + VarToStr(row[low + 2]));
    }
}

void TdmBase::LoadNumberSettings() {
    if (!Brokers) return;
    try {
        Variant answer = Brokers->CallServer(
            "GetUserDefine", VarArrayOf({Brokers->CompanyId, Brokers->UserId, Brokers->ProgramId, "NumberFieldsSetting"}));
        const std::string text = VarToStr(answer);
        if (Trim(text).empty()) return;
        TXmlDocument document;
        if (!document.LoadXml(text)) return;
        TXmlNode root = document.DocumentElement();
        auto read = [&root](const char* name, bool& setting) {
            TXmlNode node = root.ChildNode(name);
            if (!node.IsNull()) setting = SameText(node.Text(), "True");
        };
        read("QuantityFieldAutoZero", QuantityFieldAutoZero);
        read("QuantityFieldThousand", QuantityFieldThousand);
        read("MoneyFieldAutoZero", MoneyFieldAutoZero);
        read("MoneyFieldThousand", MoneyFieldThousand);
    } catch (const std::exception& e) {
        ReportError(e, "BaseCD-LoadNumberSettings", e.what());
    }
}
