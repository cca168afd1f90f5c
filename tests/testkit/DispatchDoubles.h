#pragma once
// Automation objects for tests: one whose members the test defines and whose calls it records, and
// a wrapper that hides members of another object (an older host without a property, say).
#include <set>
#include <string>
#include <vector>

#include "toolkit/rtl/Dispatch.h"

struct TRecordedCall {
    std::string Member;
    InvokeKind Kind = InvokeKind::Method;
    std::vector<Variant> Args;  // as passed, references followed
};

class TRecordingDispatch : public TDispatchObject {
public:
    // Members answering with the handler (which may write into by-reference arguments).
    void On(const std::string& member, Method handler) { DefineMethod(member, std::move(handler)); }
    void OnProperty(const std::string& name, Getter get, Setter set = nullptr) {
        DefineProperty(name, std::move(get), std::move(set));
    }

    Variant Invoke(const std::string& member, InvokeKind kind, VarArgs& args) override;

    const std::vector<TRecordedCall>& Calls() const { return calls_; }
    // The calls of one member, in order.
    std::vector<TRecordedCall> CallsOf(const std::string& member) const;
    void ClearCalls() { calls_.clear(); }

private:
    std::vector<TRecordedCall> calls_;
};

class THiddenMembers : public IDispatchObject {
public:
    THiddenMembers(DispatchPtr inner, std::set<std::string> hidden);
    Variant Invoke(const std::string& member, InvokeKind kind, VarArgs& args) override;

private:
    DispatchPtr inner_;
    std::set<std::string> hidden_;  // upper case
};
