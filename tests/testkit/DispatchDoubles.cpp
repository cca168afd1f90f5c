#include "tests/testkit/DispatchDoubles.h"

#include "toolkit/rtl/SysUtils.h"

Variant TRecordingDispatch::Invoke(const std::string& member, InvokeKind kind, VarArgs& args) {
    TRecordedCall call{member, kind, {}};
    for (const Variant& a : args) call.Args.push_back(a.Deref());
    calls_.push_back(std::move(call));
    return TDispatchObject::Invoke(member, kind, args);
}

std::vector<TRecordedCall> TRecordingDispatch::CallsOf(const std::string& member) const {
    std::vector<TRecordedCall> found;
    for (const TRecordedCall& call : calls_)
        if (SameText(call.Member, member)) found.push_back(call);
    return found;
}

THiddenMembers::THiddenMembers(DispatchPtr inner, std::set<std::string> hidden) : inner_(std::move(inner)) {
    for (const std::string& name : hidden) hidden_.insert(UpperCase(name));
}

Variant THiddenMembers::Invoke(const std::string& member, InvokeKind kind, VarArgs& args) {
    if (hidden_.count(UpperCase(member))) throw EOleError("Unknown name.");
    return inner_->Invoke(member, kind, args);
}
