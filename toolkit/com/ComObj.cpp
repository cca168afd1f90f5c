#include "toolkit/com/ComObj.h"

#include <map>
#include <memory>
#include <mutex>

#include "toolkit/com/ServerExport.h"
#include "toolkit/os/DynLib.h"
#include "toolkit/os/Registry.h"
#include "toolkit/rtl/SysUtils.h"

namespace {
std::mutex& ClassMutex() {
    static std::mutex m;
    return m;
}

std::map<std::string, ServerFactory>& InProcessClasses() {
    static std::map<std::string, ServerFactory> classes;
    return classes;
}

// Loading runs the library's initialisers, which may themselves register or create classes: the
// loader's lock is its own and may be taken again by the same thread.
std::recursive_mutex& LibraryMutex() {
    static std::recursive_mutex m;
    return m;
}

// Server libraries stay loaded for the life of the process: objects they created may outlive any
// caller, and their code must stay mapped until the very end.
TkCreateObjectFn LoadFactory(const std::string& library, const std::string& factory) {
    std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
    static auto* libraries = new std::map<std::string, TDynLib>();
    std::string path = ResolveLibraryPath(library);
    auto it = libraries->find(path);
    if (it == libraries->end()) {
        TDynLib lib(path);
        if (!lib.Loaded()) throw EOleError("Cannot load server library " + library + ": " + lib.Error());
        it = libraries->emplace(path, std::move(lib)).first;
    }
    auto fn = it->second.Function<TkCreateObjectFn>(factory);
    if (!fn) throw EOleError("Server library " + library + " has no " + factory + ": " + it->second.Error());
    return fn;
}
}  // namespace

Variant CreateOleObject(const std::string& progId) {
    std::string key = UpperCase(Trim(progId));
    ServerFactory inProcess;
    {
        std::lock_guard<std::mutex> lock(ClassMutex());
        auto it = InProcessClasses().find(key);
        if (it != InProcessClasses().end()) inProcess = it->second;
    }
    if (inProcess) {
        DispatchPtr object = inProcess(progId);
        if (!object) throw EOleError("Cannot create " + progId + ": the registered creator returned no object");
        return Variant(object);
    }

    TRegistry registry;
    std::string classKey = "Software\\Classes\\CLSID\\" + Trim(progId);
    auto library = registry.Read(classKey, "Library");
    if (Trim(progId).empty() || !library || Trim(*library).empty()) throw EOleError("Invalid class string: " + progId);
    std::string factory = Trim(registry.Read(classKey, "Factory").value_or(""));
    if (factory.empty()) factory = "TkCreateObject";

    TkCreateObjectFn create = LoadFactory(Trim(*library), factory);
    IDispatchObject* raw = create(progId.c_str());
    if (!raw) throw EOleError("Cannot create " + progId + ": " + *library + " does not serve it");
    return Variant(DispatchPtr(raw));
}

void RegisterOleClass(const std::string& progId, ServerFactory factory) {
    std::lock_guard<std::mutex> lock(ClassMutex());
    InProcessClasses()[UpperCase(Trim(progId))] = std::move(factory);
}

void UnregisterOleClass(const std::string& progId) {
    std::lock_guard<std::mutex> lock(ClassMutex());
    InProcessClasses().erase(UpperCase(Trim(progId)));
}
