#include "toolkit/classes/ClassInfo.h"

#include <map>

#include "toolkit/classes/ComponentErrors.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/SysUtils.h"

TClassInfo::TClassInfo(const char* name, const TClassInfo* parent, Definer definer, Creator creator)
    : name_(name), parent_(parent), definer_(definer), creator_(creator) {}

TClassInfo::~TClassInfo() = default;

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (c == &other) return true;
    return false;
}

bool TClassInfo::InheritsFrom(std::string_view className) const {
    std::string wanted(className);
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (SameText(c->name_, wanted)) return true;
    return false;
}

std::vector<std::string> TClassInfo::ClassChain() const {
    std::vector<std::string> names;
    for (const TClassInfo* c = this; c; c = c->parent_) names.push_back(c->name_);
    return names;
}

TObject* TClassInfo::CreateInstance(TComponent* owner) const {
    if (!creator_) throw EInvalidOperation("Cannot create an instance of the abstract class " + name_);
    return creator_(owner);
}

void TClassInfo::EnsureDefined() const {
    // Members are registered on first use: a class's properties may name classes whose own class
    // information is still being built.
    std::call_once(defined_, [this] {
        if (definer_) definer_(const_cast<TClassInfo&>(*this));
    });
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
    std::string wanted(name);
    for (const TClassInfo* c = this; c; c = c->parent_) {
        c->EnsureDefined();
        for (auto it = c->props_.rbegin(); it != c->props_.rend(); ++it)
            if (SameText((*it)->Name(), wanted)) return it->get();
    }
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->parent_) chain.push_back(c);
    std::vector<const TPropInfo*> result;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        (*it)->EnsureDefined();
        for (const auto& prop : (*it)->props_) {
            bool replaced = false;
            for (auto& existing : result) {
                if (SameText(existing->Name(), prop->Name())) {
                    existing = prop.get();
                    replaced = true;
                    break;
                }
            }
            if (!replaced) result.push_back(prop.get());
        }
    }
    return result;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
    std::string wanted(name);
    for (const TClassInfo* c = this; c; c = c->parent_) {
        c->EnsureDefined();
        for (const auto& m : c->methods_)
            if (SameText(m->Name(), wanted)) return m.get();
    }
    return nullptr;
}

void TClassInfo::AddProperty(std::unique_ptr<TPropInfo> prop) { props_.push_back(std::move(prop)); }

void TClassInfo::AddMethod(std::unique_ptr<TMethodInfo> method) { methods_.push_back(std::move(method)); }

const TClassInfo& TObject::StaticClass() {
    static const TClassInfo info("TObject", nullptr, nullptr, nullptr);
    return info;
}

void TObject::Free() {
    if (freeing_) return;
    freeing_ = true;
    BeforeDestruction();
    delete this;
}

namespace {
std::map<std::string, const TClassInfo*>& Registry() {
    // Never destroyed: libraries unregister their classes as late as they please.
    static auto* classes = new std::map<std::string, const TClassInfo*>;
    return *classes;
}
}  // namespace

void RegisterClass(const TClassInfo& cls) { Registry()[UpperCase(cls.ClassName())] = &cls; }

void UnRegisterClass(const TClassInfo& cls) {
    auto& classes = Registry();
    auto it = classes.find(UpperCase(cls.ClassName()));
    if (it != classes.end() && it->second == &cls) classes.erase(it);
}

const TClassInfo* GetClass(std::string_view className) {
    auto& classes = Registry();
    auto it = classes.find(UpperCase(std::string(className)));
    return it == classes.end() ? nullptr : it->second;
}

const TClassInfo& FindClass(std::string_view className) {
    const TClassInfo* cls = GetClass(className);
    if (!cls) throw EClassNotFound("Class " + std::string(className) + " not found");
    return *cls;
}
