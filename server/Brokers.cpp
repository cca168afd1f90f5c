#include "server/Brokers.h"

#include "server/BrokerOwner.h"
#include "toolkit/data/DataSet.h"
#include "toolkit/data/Field.h"
#include "toolkit/os/CodePage.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/kernel/Application.h"

namespace {

bool HasService(std::uint8_t flags, TBrokerService service) { return (flags & (1u << service)) != 0; }

// Element i of a one-dimensional answer as text ("" beyond its bounds).
std::string ElementText(const Variant& array, int i) {
    if (!array.IsArray() || array.DimCount() != 1) return {};
    int index = array.Low() + i;
    return index <= array.High() ? VarToStr(array[index]) : std::string();
}

}  // namespace

TBrokers::TBrokers(TComponent* owner) : TComponent(owner) {}

TBrokers::~TBrokers() {
    HostManager = Variant();
    LookupService = Variant();
    Validator = Variant();
    CounterService = Variant();
}

IBrokerOwner* TBrokers::OwnerWindow() const { return dynamic_cast<IBrokerOwner*>(Owner()); }

HWND TBrokers::OwnerHandle() const {
    IBrokerOwner* owner = OwnerWindow();
    return owner ? owner->OwnerWindowHandle() : 0;
}

int TBrokers::LanguageMode() const {
    IBrokerOwner* owner = OwnerWindow();
    return owner ? owner->LanguageMode() : 0;
}

std::string TBrokers::UICodePage() const {
    IBrokerOwner* owner = OwnerWindow();
    return owner ? owner->UICodePage() : std::string("936");
}

std::string TBrokers::SysCodePage() const {
    IBrokerOwner* owner = OwnerWindow();
    if (owner) return owner->SysCodePage();
    int cp = SystemCodePage();
    return cp == 936 || cp == 950 ? std::to_string(cp) : std::string("437");
}

std::string TBrokers::ToUserScript(const std::string& text) const {
    IBrokerOwner* owner = OwnerWindow();
    return owner ? owner->ToUserScript(text) : text;
}

void TBrokers::SetSysValue(const std::string& name, const std::string& value) {
    if (name.empty()) return;
    SysValues.SetValue(name, value);
}

std::string TBrokers::GetSysValue(const std::string& name) const {
    if (name.empty()) return {};
    return SysValues.Values(name);
}

bool TBrokers::AttachServices() {
    if (!HostManager.IsDispatch()) return false;
    try {
        struct Slot {
            TBrokerService service;
            Variant* held;
            const char* property;
        };
        for (const Slot& slot :
             {Slot{bsValidator, &Validator, "Com_Validator"}, Slot{bsLookupService, &LookupService, "Com_Pickvu"},
              Slot{bsCounterService, &CounterService, "Com_Counter"}}) {
            if (HasService(ServiceFlags, slot.service) && !slot.held->IsDispatch())
                *slot.held = OleGet(HostManager, slot.property);
        }
        LoadProgramInfo();
        return true;
    } catch (const std::exception&) {
        for (int i = 0; i < 3; ++i) Application->MessageBeep(0);
        return false;
    }
}

std::string TBrokers::ResolveDatabasePrefix(const std::string& sql) const {
    const std::string qualifier = DatabaseName + (SqlType == 1 ? "." : "..");
    std::string resolved;
    bool quoted = false;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        if (sql[i] == '\'') quoted = !quoted;
        if (!quoted && sql.compare(i, 2, "$$") == 0) {
            resolved += qualifier;
            ++i;
        } else {
            resolved += sql[i];
        }
    }
    return resolved;
}

Variant TBrokers::ResolvedStatements(const std::string& callName, const Variant& params) const {
    if (!params.IsArray()) return params;
    const bool simple = SameText(callName, "SimpleSql") && params.Count() == 2;
    const bool transaction = SameText(callName, "TransactionSQL");
    if (!simple && !transaction) return params;
    Variant resolved = params;
    Variant& statements = resolved[resolved.Low()];
    if (statements.IsArray()) {
        for (int i = statements.Low(); i <= statements.High(); ++i)
            if (statements[i].IsString()) statements[i] = ResolveDatabasePrefix(statements[i].AsString());
    } else if (statements.IsString()) {
        statements = ResolveDatabasePrefix(statements.AsString());
    }
    return resolved;
}

Variant TBrokers::CallServer(const std::string& callName, const Variant& params) {
    if (!CounterService.IsDispatch()) return Variant();
    Variant name = callName;
    VarArgs args{Variant::Ref(&name), ResolvedStatements(callName, params), VarArrayOf({VarArrayOf({CompanyId, DatabaseName})})};
    return OleCall(CounterService, "GETCOUNTER", args);
}

bool TBrokers::ValidatorCall(const char* member, const std::string& table, const std::string& kind, const Variant& keys,
                             Variant& values) {
    if (!Validator.IsDispatch()) return false;
    try {
        Variant database = DatabaseName;
        Variant out;
        VarArgs args{table, kind, Variant::Ref(&database), keys, Variant::Ref(&out)};
        bool found = OleCall(Validator, member, args).AsBool();
        values = out;
        return found;
    } catch (const std::exception&) {
        return false;
    }
}

bool TBrokers::CheckValue(const std::string& table, const std::string& kind, const Variant& keys, Variant& values) {
    return ValidatorCall("CheckValue", table, kind, keys, values);
}

bool TBrokers::QueryData(const std::string& table, const std::string& kind, const Variant& keys, Variant& values) {
    return ValidatorCall("QueryData", table, kind, keys, values);
}

std::string TBrokers::GetMessageText(const std::string& kind, const std::string& code) {
    if (!HostManager.IsDispatch()) return {};
    return VarToStr(OleCall(HostManager, "GetMessage", {kind, code}));
}

bool TBrokers::LoadSysInfo() {
    Variant answer = CounterService.IsDispatch() ? OleCall(CounterService, "GetSysInfo", {CompanyId}) : Variant();
    // Names in row 0, values in row 1, one column per setting; anything else is an empty answer.
    if (!answer.IsArray() || answer.DimCount() != 2 || answer.Count(1) < 2 || answer.Count(2) < 1) return false;
    int names = answer.Low(1);
    for (int j = answer.Low(2); j <= answer.High(2); ++j)
        SetSysValue(VarToStr(answer.At(names, j)), VarToStr(answer.At(names + 1, j)));
    return true;
}

void TBrokers::LoadProgramInfo() {
    ProgramName.clear();
    Variant info;
    if (!CheckValue("ADMMB", "06", VarArrayOf({ProgramId, DatabaseName}), info)) return;
    if (!info.IsArray() || info.DimCount() != 1 || info.Count() < 1) return;
    ProgramName = ElementText(info, 0);
    PrintProgramId = ElementText(info, 1);
    TransactionProgramId = ElementText(info, 2);
    TransactionId = ElementText(info, 3);
    ReportName = ElementText(info, 4);
    ApprovalSetting5 = ElementText(info, 5);
    ApprovalSetting6 = ElementText(info, 6);
    ProgramFlag = ElementText(info, 7) == "Y";
    const std::string body = ElementText(info, 8);
    BodyRequired = body == "W" ? 1 : body == "E" ? 2 : body == "Z" ? 3 : 0;
    if (info.Count() > 9 && UICodePage() == "437") ProgramName = ElementText(info, 9);
}

std::string TBrokers::GetProgramName(const std::string& programId) {
    std::string name = programId;
    Variant rows =
        CallServer("SimpleSQL", VarArrayOf({"SELECT MB002,MB011,MB012,MB013 FROM ADMMB WHERE MB001=" + QuotedStr(programId),
                                            "MB002,MB011,MB012,MB013", DatabaseName, "N"}));
    if (!rows.IsArray() || rows.Count() < 1) return name;
    const Variant& row = rows[rows.Low()];
    if (!row.IsArray()) return name;
    std::string found = ElementText(row, UICodePage() == "437" ? 1 : 0);
    return found;
}

std::string TBrokers::QueryMaxSeq(TDataSet& dataSet, const std::string& table, const std::string& fields,
                                  const std::string& prefix) {
    try {
        if (!Validator.IsDispatch()) return "unKnow";
        std::vector<Variant> values;
        for (const std::string& name : SplitString(fields, ',')) values.emplace_back(dataSet.FieldByName(Trim(name))->AsString());
        Variant database = DatabaseName;
        Variant number;
        VarArgs args{table, Variant::Ref(&database), fields, VarArrayOf(values), prefix, Variant::Ref(&number)};
        if (OleCall(Validator, "QueryMaxSeq", args).AsBool()) return VarToStr(number);
    } catch (const std::exception&) {}
    return "unKnow";
}
