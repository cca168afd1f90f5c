// Entry of customer, supplier, account and item codes: by a system setting the typed text is kept
// as it is, or looked up silently and replaced by the code the lookup finds.
#include "env/Texts.h"
#include "framework/data/RadicalDM.h"
#include "i18n/CodeConverter.h"
#include "server/Brokers.h"
#include "toolkit/data/Field.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

std::string SysValue(const TBrokers* brokers, const std::string& name) {
    return brokers ? brokers->GetSysValue(name) : std::string();
}

// The kind after this one, as a number of the same width ("61" -> "62").
std::string NextKind(const std::string& kind) { return ZeroPad(static_cast<int>(kind.size()), StrToInt64Def(Trim(kind), 0) + 1); }

// Keys a caller gave, or the typed text when it gave none; in the database's script.
Variant LookupKeys(const Variant& keys, const std::string& text, const TCodeConverter& converter) {
    Variant result = keys;
    if (!keys.IsArray() && VarToStr(keys).empty()) result = VarArrayOf({text});
    if (!result.IsArray()) return Variant(converter.ToStorageText(VarToStr(result)));
    return converter.ToStorageText(result);
}

// Field 0 of row 0 of a lookup answer; Empty when the answer holds no row.
Variant FirstValue(const Variant& answer) {
    if (!answer.IsArray() || answer.DimCount() != 1 || answer.Count() == 0) return Variant();
    const Variant& row = answer[answer.Low()];
    if (!row.IsArray()) return row;
    return row.Count() == 0 ? Variant() : row[row.Low()];
}

}  // namespace

void TdmRadical::LookupCodeEntry(TField* field, const std::string& text, const std::string& table, const std::string& kind,
                                 const Variant& keys) {
    Variant answer;
    if (Brokers) {
        TLookupOptions silent;
        silent.FirstOption = true;
        silent.SearchText = text;
        answer = Brokers->LookupData(table, kind, LookupKeys(keys, text, *Converter()), silent);
    }
    const Variant found = FirstValue(answer);
    if (answer.IsArray() && !found.IsEmpty())
        field->SetValue(found);
    else
        field->SetAsString(Converter()->ToStorageText(text));
    field->FocusControl();
}

void TdmRadical::CustomerFieldSetText(TField* Sender, const std::string& Text) {
    const std::string setting = SysValue(Brokers, "SYS054");
    if (Text.empty() || setting == "1") {
        Sender->SetAsString(Converter()->ToStorageText(Text));
        return;
    }
    LookupCodeEntry(Sender, Text, "COPMA", setting == "2" ? "62" : "61", Variant());
}

void TdmRadical::ProviderFieldSetText(TField* Sender, const std::string& Text, const std::string& kind) {
    const std::string setting = SysValue(Brokers, "SYS055");
    if (Text.empty() || setting == "1") {
        Sender->SetAsString(Converter()->ToStorageText(Text));
        return;
    }
    LookupCodeEntry(Sender, Text, "PURMA", setting == "2" ? NextKind(kind) : kind, Variant());
}

void TdmRadical::CostFieldSetText(TField* Sender, const std::string& Text, const Variant& keys, const std::string& kind,
                                  const std::string& table) {
    const std::string setting = SysValue(Brokers, "SYS056");
    if (Text.empty() || setting == "1") {
        Sender->SetAsString(Converter()->ToStorageText(Text));
        return;
    }
    const std::string lookupKind = kind.empty() ? "66" : kind;
    LookupCodeEntry(Sender, Text, table.empty() ? "ACTMA" : table, setting == "2" ? NextKind(lookupKind) : lookupKind, keys);
}

void TdmRadical::BarCodeFieldSetText(TField* Sender, const std::string& Text, const Variant& keys, const std::string& kind,
                                     const std::string& table) {
    if (Text.empty()) {
        Sender->SetAsString("");
        return;
    }
    if (BarCodeTypeField && BarCodeTypeField->AsString() == "2" && Brokers) {
        TLookupOptions silent;
        silent.FirstOption = true;
        silent.SearchText = Text;
        const Variant found = FirstValue(Brokers->LookupData("INVMH", "01", LookupKeys(Variant(), Text, *Converter()), silent));
        if (!found.IsEmpty()) {
            Sender->SetValue(found);
            Sender->FocusControl();
            return;
        }
    }
    const std::string setting = SysValue(Brokers, "SYS053");
    if (setting == "1") {
        Sender->SetAsString(Converter()->ToStorageText(Text));
    } else if (setting == "2" || setting == "3") {
        const std::string lookupKind = kind.empty() ? "63" : kind;
        LookupCodeEntry(Sender, Text, table.empty() ? "INVMB" : table, setting == "2" ? NextKind(lookupKind) : lookupKind, keys);
    }
}
