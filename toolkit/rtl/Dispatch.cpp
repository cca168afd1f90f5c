#include "toolkit/rtl/Dispatch.h"

#include <cctype>

namespace {
std::string Upper(const std::string& s) {
    std::string u = s;
    for (auto& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}
}  // namespace

Variant TDispatchObject::Invoke(const std::string& member, InvokeKind kind, VarArgs& args) {
    std::string key = Upper(member);
    if (kind == InvokeKind::PropertyPut) {
        auto p = properties_.find(key);
        if (p == properties_.end() || !p->second.second) throw EOleError("Unknown name.");
        if (args.empty()) throw EOleError("Invalid number of parameters.");
        p->second.second(args.back());
        return {};
    }
    if (auto p = properties_.find(key); p != properties_.end() && args.empty()) return p->second.first();
    if (auto m = methods_.find(key); m != methods_.end()) return m->second(args);
    if (auto p = properties_.find(key); p != properties_.end()) return p->second.first();
    throw EOleError("Unknown name.");
}

void TDispatchObject::DefineMethod(const std::string& name, Method method) { methods_[Upper(name)] = std::move(method); }

void TDispatchObject::DefineProperty(const std::string& name, Getter get, Setter set) {
    properties_[Upper(name)] = {std::move(get), std::move(set)};
}

namespace {
DispatchPtr Target(const Variant& object) {
    DispatchPtr d = object.AsDispatch();
    if (!d) throw EOleError("Variant does not reference an automation object");
    return d;
}
}  // namespace

Variant OleCall(const Variant& object, const std::string& member, VarArgs& args) {
    return Target(object)->Invoke(member, InvokeKind::Method, args);
}

Variant OleCall(const Variant& object, const std::string& member, std::initializer_list<Variant> args) {
    VarArgs a(args);
    return Target(object)->Invoke(member, InvokeKind::Method, a);
}

Variant OleGet(const Variant& object, const std::string& property, std::initializer_list<Variant> index) {
    VarArgs a(index);
    return Target(object)->Invoke(property, InvokeKind::PropertyGet, a);
}

void OlePut(const Variant& object, const std::string& property, const Variant& value) {
    VarArgs a{value};
    Target(object)->Invoke(property, InvokeKind::PropertyPut, a);
}

const Variant& ArgAt(const VarArgs& args, std::size_t i) {
    static const Variant empty;
    return i < args.size() ? args[i].Deref() : empty;
}

Variant ElementAt(const Variant& array, int i) {
    const Variant& a = array.Deref();
    if (!a.IsArray() || i < 0 || i >= a.Count()) return {};
    return a[a.Low() + i].Deref();
}
