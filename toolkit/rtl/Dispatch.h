#pragma once
// Late-bound automation: objects called by member name as method, property get or property put.
// Arguments travel in a vector the callee may write into (by-reference / out arguments).
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "toolkit/rtl/Variant.h"

enum class InvokeKind {
    Method,
    PropertyGet,
    PropertyPut
};

using VarArgs = std::vector<Variant>;

class IDispatchObject {
public:
    virtual ~IDispatchObject() = default;
    // Member names are case-insensitive. An unknown member raises EOleError with
    // "Unknown name." as the message. For PropertyPut the value is the last argument.
    virtual Variant Invoke(const std::string& member, InvokeKind kind, VarArgs& args) = 0;
};

// A convenient base for objects served by name: register members in the constructor.
class TDispatchObject : public IDispatchObject {
public:
    using Method = std::function<Variant(VarArgs& args)>;
    using Getter = std::function<Variant()>;
    using Setter = std::function<void(const Variant& value)>;

    Variant Invoke(const std::string& member, InvokeKind kind, VarArgs& args) override;

protected:
    void DefineMethod(const std::string& name, Method method);
    void DefineProperty(const std::string& name, Getter get, Setter set = nullptr);

private:
    std::map<std::string, Method> methods_;
    std::map<std::string, std::pair<Getter, Setter>> properties_;
};

// What a served member was given: the i-th argument (dereferenced), Unassigned when absent.
const Variant& ArgAt(const VarArgs& args, std::size_t i);
// The i-th element (from 0) of a variant array argument, Unassigned when absent or not an array.
Variant ElementAt(const Variant& array, int i);

// Calls on a variant holding a dispatch interface. A variant without one raises EOleError
// ("Variant does not reference an automation object"): callers test IsDispatch() first where a
// missing service is normal.
Variant OleCall(const Variant& object, const std::string& member, VarArgs& args);
Variant OleCall(const Variant& object, const std::string& member, std::initializer_list<Variant> args = {});
Variant OleGet(const Variant& object, const std::string& property, std::initializer_list<Variant> index = {});
void OlePut(const Variant& object, const std::string& property, const Variant& value);
