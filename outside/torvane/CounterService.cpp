#include "outside/torvane/CounterService.h"

#include "toolkit/rtl/Dispatch.h"

TCounterService::TCounterService(std::shared_ptr<HostSession> session) : session_(std::move(session)) {
    // Callers spell this call both ways; both reach the server.
    calls_["SimpleSql"] = ForwardTo("SimpleSql");
    calls_["SimpleSQL"] = ForwardTo("SimpleSql");
    calls_["TransactionSQL"] = ForwardTo("TransactionSQL");
    calls_["GetUserDefine"] = ForwardTo("GetUserDefine");
    calls_["SetUserDefine"] = ForwardTo("SetUserDefine");
    calls_["QueryUDFData"] = ForwardTo("QueryUDFData");
    DefineMethod("GETCOUNTER", [this](VarArgs& a) { return GetCounter(VarToStr(ArgAt(a, 0)), ArgAt(a, 1), ArgAt(a, 2)); });
    DefineMethod("GetSysInfo", [this](VarArgs& a) { return GetSysInfo(VarToStr(ArgAt(a, 0))); });
}

TCounterService::Call TCounterService::ForwardTo(const std::string& member) {
    return [this, member](const Variant& params, const std::string&, const std::string& database) {
        return OleCall(session_->AppServer(), member, {params, database});
    };
}

Variant TCounterService::GetCounter(const std::string& name, const Variant& params, const Variant& context) {
    auto call = calls_.find(name);
    if (call == calls_.end()) throw EOleError("Unknown server call: " + name);
    // The context is [[company, database]]; a flat [company, database] is accepted too.
    Variant where = ElementAt(context, 0).IsArray() ? ElementAt(context, 0) : context;
    std::string company = VarToStr(ElementAt(where, 0));
    std::string database = VarToStr(ElementAt(where, 1));
    if (company.empty()) company = session_->companyId;
    if (database.empty()) database = session_->DatabaseFor(company);
    return call->second(params, company, database);
}

Variant TCounterService::GetSysInfo(const std::string& company) {
    return OleCall(session_->AppServer(), "GetSysInfo", {company, session_->DatabaseFor(company)});
}
