#pragma once
// The work center's manager object "TorvaneWorkCenter.Manager", handed to every program it starts.
//   DependencyVersion (get/put, 8000)        Com_Validator, Com_Pickvu, Com_Counter (get; one object each;
//   Com_Pickvu is Unassigned when the lookup server is not installed)
//   GetMessage(kind, code) -> text           ExecWork(...) -> 0 (recorded; the handler decides)
//   CallHelp(...) (recorded)                 Connect([user, company, database]) -> 0 (the login)
//   SessionTicket (get)                      the ticket the server issued at the login: programs open their
//                                            own sessions with it, never with the password ("" in process)
//   UserId, CompanyId, DatabaseName (get/put) the login the services use by default
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "outside/torvane/HostSession.h"
#include "outside/torvane/MessageTable.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/Visibility.h"

struct HostCall {
    std::string member;         // "ExecWork" or "CallHelp"
    std::vector<Variant> args;  // the values passed (references followed)
};

class TK_EXPORT THostManager : public TDispatchObject {
public:
    static constexpr int kDependencyVersion = 8000;

    THostManager();

    void SetDependencyVersion(const Variant& version) { dependencyVersion_ = version; }
    HostSession& Session() { return *session_; }
    const std::vector<HostCall>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }

    // What ExecWork does after recording the call (opening programs is the work center's job); the
    // answer is its return code. Without a handler it answers 0.
    void SetExecWorkHandler(std::function<int(VarArgs& args)> handler) { execWork_ = std::move(handler); }

    std::string GetMessage(const std::string& kind, const std::string& code) const;

private:
    Variant Service(Variant& slot, const std::function<DispatchPtr()>& make);
    void Record(const std::string& member, const VarArgs& args);

    std::shared_ptr<HostSession> session_;
    Variant dependencyVersion_ = kDependencyVersion;
    Variant validator_, counter_, pickvu_;
    std::vector<HostCall> calls_;
    std::function<int(VarArgs&)> execWork_;
};

// A new manager object, for the work center and tests that link this library.
TK_EXPORT DispatchPtr CreateHostManager();
