#include "outside/torvane/ValidatorService.h"

TValidatorService::TValidatorService(std::shared_ptr<HostSession> session) : session_(std::move(session)) {
    DefineMethod("CheckValue", [this](VarArgs& a) { return Forward("CheckValue", a, 2, 4); });
    DefineMethod("QueryData", [this](VarArgs& a) { return Forward("QueryData", a, 2, 4); });
    DefineMethod("QueryMaxSeq", [this](VarArgs& a) { return Forward("QueryMaxSeq", a, 1, 5); });
}

Variant TValidatorService::Forward(const std::string& member, VarArgs& args, std::size_t databaseArg, std::size_t outArg) {
    if (args.size() <= outArg) throw EOleError("Invalid number of parameters.");
    VarArgs forwarded;
    forwarded.reserve(args.size());
    for (const Variant& a : args) forwarded.push_back(a.Deref());
    if (VarToStr(forwarded[databaseArg]).empty()) forwarded[databaseArg] = session_->DatabaseFor(session_->companyId);
    Variant out;
    forwarded[outArg] = Variant::Ref(&out);
    Variant result = OleCall(session_->AppServer(), member, forwarded);
    args[outArg].Assign(out);
    return result;
}
