#pragma once
// The counter service (the manager's Com_Counter): the gateway for named server calls.
//   GETCOUNTER(name, params, context) -- context [[company, database]]; dispatched by the exact call name:
//                                        "SimpleSql", "SimpleSQL", "TransactionSQL", "GetUserDefine",
//                                        "SetUserDefine" (the application server's members of those names)
//   GetSysInfo(company)               -- the company's system settings
// A call name the service does not know raises EOleError naming it.
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "outside/torvane/HostSession.h"
#include "toolkit/rtl/Dispatch.h"

class TCounterService : public TDispatchObject {
public:
    // A named call: (parameters, company, database) -> answer.
    using Call = std::function<Variant(const Variant& params, const std::string& company, const std::string& database)>;

    explicit TCounterService(std::shared_ptr<HostSession> session);

    Variant GetCounter(const std::string& name, const Variant& params, const Variant& context);
    Variant GetSysInfo(const std::string& company);

    // Adds or replaces a named call (names compare exactly).
    void DefineCall(const std::string& name, Call call) { calls_[name] = std::move(call); }

private:
    Call ForwardTo(const std::string& member);

    std::shared_ptr<HostSession> session_;
    std::map<std::string, Call> calls_;
};
