#include "outside/torvane/HostManager.h"

#include "outside/torvane/ClientConfiguration.h"
#include "outside/torvane/CounterService.h"
#include "outside/torvane/ValidatorService.h"
#include "toolkit/com/ComObj.h"

namespace {

// The session's application server as one object, reached when first called.
class TSessionAppServer : public IDispatchObject {
public:
    explicit TSessionAppServer(std::shared_ptr<HostSession> session) : session_(std::move(session)) {}
    Variant Invoke(const std::string& member, InvokeKind kind, VarArgs& args) override {
        return session_->AppServer().AsDispatch()->Invoke(member, kind, args);
    }

private:
    std::shared_ptr<HostSession> session_;
};

}  // namespace

THostManager::THostManager() : session_(std::make_shared<HostSession>()) {
    DefineProperty(
        "DependencyVersion", [this] { return dependencyVersion_; }, [this](const Variant& v) { dependencyVersion_ = v.Deref(); });
    DefineProperty("Com_Validator",
                   [this] { return Service(validator_, [this] { return std::make_shared<TValidatorService>(session_); }); });
    DefineProperty("Com_Counter",
                   [this] { return Service(counter_, [this] { return std::make_shared<TCounterService>(session_); }); });
    DefineProperty("Com_Pickvu", [this] {
        // The lookup server is a separate library; without it programs run without lookup windows. Its
        // windows open here, its rows come from the session's application server.
        return Service(pickvu_, [this] {
            try {
                Variant pickvu = CreateOleObject("PickvuS.Class1");
                OlePut(pickvu, "AppServer", Variant(DispatchPtr(std::make_shared<TSessionAppServer>(session_))));
                return pickvu.AsDispatch();
            } catch (const EOleError&) {
                return DispatchPtr();
            }
        });
    });
    DefineMethod("GetMessage", [this](VarArgs& a) { return Variant(GetMessage(VarToStr(ArgAt(a, 0)), VarToStr(ArgAt(a, 1)))); });
    DefineMethod("ExecWork", [this](VarArgs& a) {
        Record("ExecWork", a);
        return Variant(execWork_ ? execWork_(a) : 0);
    });
    DefineMethod("CallHelp", [this](VarArgs& a) {
        Record("CallHelp", a);
        return Variant();
    });
    DefineMethod("Connect", [this](VarArgs& a) {
        const Variant& login = ArgAt(a, 0);
        if (login.IsArray()) {
            auto at = [&](int i) { return i < login.Count() ? VarToStr(login[login.Low() + i]) : std::string(); };
            session_->userId = at(0);
            session_->companyId = at(1);
            session_->databaseName = at(2);
        }
        return Variant(0);
    });
    DefineProperty("SessionTicket", [this] { return Variant(session_->Ticket()); });
    DefineProperty(
        "UserId", [this] { return Variant(session_->userId); }, [this](const Variant& v) { session_->userId = VarToStr(v); });
    DefineProperty(
        "CompanyId", [this] { return Variant(session_->companyId); },
        [this](const Variant& v) { session_->companyId = VarToStr(v); });
    DefineProperty(
        "DatabaseName", [this] { return Variant(session_->databaseName); },
        [this](const Variant& v) { session_->databaseName = VarToStr(v); });
}

Variant THostManager::Service(Variant& slot, const std::function<DispatchPtr()>& make) {
    if (!slot.IsDispatch()) slot = Variant(make());
    return slot;
}

void THostManager::Record(const std::string& member, const VarArgs& args) {
    HostCall call{member, {}};
    for (const Variant& a : args) call.args.push_back(a.Deref());
    calls_.push_back(std::move(call));
}

std::string THostManager::GetMessage(const std::string& kind, const std::string& code) const {
    // The configuration is read at every call: the interface's language may change between programs.
    return MessagesFor(InterfaceCodePage()).Text(kind, code);
}
