// A tiny automation server: counts the objects made from this copy of the library, so a test can see
// that two objects share one loaded library.
#include <cstdint>
#include <string>

#include "toolkit/com/ComObj.h"
#include "toolkit/com/ServerExport.h"
#include "toolkit/rtl/SysUtils.h"

namespace {
int created = 0;

class Counter : public TDispatchObject {
public:
    explicit Counter(const std::string& progId) {
        ++created;
        DefineProperty("ProgId", [progId] { return Variant(progId); });
        DefineProperty("Created", [] { return Variant(created); });
        DefineProperty("ModuleToken", [] { return Variant(static_cast<long long>(reinterpret_cast<std::intptr_t>(&created))); });
        DefineMethod("Add", [](VarArgs& args) { return Variant(args.at(0).AsInteger() + args.at(1).AsInteger()); });
    }
};

// Registers one more class while the library is being loaded.
struct RegisterAtLoad {
    RegisterAtLoad() {
        RegisterOleClass("TkTest.Registered", [](const std::string& id) { return std::make_shared<Counter>(id); });
    }
} registerAtLoad;
}  // namespace

TK_SERVER_EXPORT IDispatchObject* TkCreateObject(const char* progId) {
    if (!SameText(progId, "TkTest.Counter")) return nullptr;
    return new Counter(progId);
}

TK_SERVER_EXPORT IDispatchObject* AltCreate(const char* progId) { return new Counter(progId); }
