#pragma once
// Run-time class information: every class of the component model knows its name, its parent class,
// its published members and, when it can be built from a class reference, how to build itself.
//
//   class TfrmCopy : public TForm {
//       TK_CLASS(TfrmCopy, TForm)              // or TK_CLASS_PUBLISHED (Properties.h) with Publish()
//   public:
//       explicit TfrmCopy(TComponent* owner);
//   };
//
// A class that omits the macro reports its parent's name. Objects of the model are built with
// CreateComponent<T>(...) so that AfterConstruction runs once the most derived constructor is done,
// and destroyed with Free() (or by their owner) so that BeforeDestruction runs while they are whole.
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

class TObject;
class TComponent;
class TPropInfo;
class TMethodInfo;

class TClassInfo {
public:
    using Definer = void (*)(TClassInfo& info);       // registers the class's own published members
    using Creator = TObject* (*)(TComponent* owner);  // builds an instance (nullptr: abstract)

    TClassInfo(const char* name, const TClassInfo* parent, Definer definer, Creator creator);
    ~TClassInfo();
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& ClassName() const { return name_; }
    const TClassInfo* ClassParent() const { return parent_; }
    // True for this class and its descendants. By name: case-insensitive, along the chain.
    bool InheritsFrom(const TClassInfo& other) const;
    bool InheritsFrom(std::string_view className) const;
    // Names from this class up to the root ("TfrmOrders", ..., "TForm", ..., "TObject").
    std::vector<std::string> ClassChain() const;

    bool CanCreate() const { return creator_ != nullptr; }
    // Builds an instance (AfterConstruction included); EInvalidOperation for an abstract class.
    TObject* CreateInstance(TComponent* owner) const;

    // Published members of this class and its ancestors. Names compare without case; a descendant
    // may publish a name again, which then hides the ancestor's.
    const TPropInfo* FindProperty(std::string_view name) const;
    std::vector<const TPropInfo*> Properties() const;  // ancestors' first, in registration order
    const TMethodInfo* FindMethod(std::string_view name) const;

    // Registration, used by TPublisher from a class's Publish().
    void AddProperty(std::unique_ptr<TPropInfo> prop);
    void AddMethod(std::unique_ptr<TMethodInfo> method);

private:
    void EnsureDefined() const;

    std::string name_;
    const TClassInfo* parent_;
    Definer definer_;
    Creator creator_;
    mutable std::once_flag defined_;
    std::vector<std::unique_ptr<TPropInfo>> props_;
    std::vector<std::unique_ptr<TMethodInfo>> methods_;
};

using TClass = const TClassInfo*;

// Root of the model. Objects have identity: no copies.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassType() const { return StaticClass(); }
    const std::string& ClassName() const { return ClassType().ClassName(); }
    const TClassInfo* ClassParent() const { return ClassType().ClassParent(); }
    bool InheritsFrom(const TClassInfo& cls) const { return ClassType().InheritsFrom(cls); }
    bool InheritsFrom(std::string_view className) const { return ClassType().InheritsFrom(className); }

    // Run after the most derived constructor (by CreateComponent) and before destruction (by Free).
    virtual void AfterConstruction() {}
    virtual void BeforeDestruction() {}
    // BeforeDestruction, then delete. A second call while the first is under way does nothing.
    void Free();

private:
    bool freeing_ = false;
};

// Builds T and runs AfterConstruction; an exception there frees the object and passes on.
template <class T, class... Args>
T* CreateComponent(Args&&... args) {
    static_assert(std::is_base_of_v<TObject, T>, "CreateComponent builds objects of the component model");
    T* object = new T(std::forward<Args>(args)...);
    try {
        object->AfterConstruction();
    } catch (...) {
        object->Free();
        throw;
    }
    return object;
}

// Frees the object and clears the pointer (the pointer is cleared first, as the classic helper does).
template <class T>
void FreeAndNil(T*& object) {
    T* doomed = object;
    object = nullptr;
    if (doomed) doomed->Free();
}

// unique_ptr deleter that frees through Free().
struct TFreeDeleter {
    void operator()(TObject* object) const {
        if (object) object->Free();
    }
};
template <class T>
using TOwnedPtr = std::unique_ptr<T, TFreeDeleter>;

namespace tk_detail {
template <class T>
TClassInfo::Creator ClassCreator() {
    if constexpr (std::is_abstract_v<T>) {
        return nullptr;
    } else if constexpr (std::is_constructible_v<T, TComponent*>) {
        return [](TComponent* owner) -> TObject* { return CreateComponent<T>(owner); };
    } else if constexpr (std::is_default_constructible_v<T>) {
        return [](TComponent*) -> TObject* { return CreateComponent<T>(); };
    } else {
        return nullptr;
    }
}
}  // namespace tk_detail

#define TK_CLASS_INFO_(Name, Base, Definer)                                                                      \
public:                                                                                                          \
    using inherited = Base;                                                                                      \
    static const ::TClassInfo& StaticClass() {                                                                   \
        static const ::TClassInfo info(#Name, &Base::StaticClass(), Definer, ::tk_detail::ClassCreator<Name>()); \
        return info;                                                                                             \
    }                                                                                                            \
    const ::TClassInfo& ClassType() const override { return StaticClass(); }                                     \
                                                                                                                 \
private:

// A class with run-time class information and no published members of its own.
#define TK_CLASS(Name, Base) TK_CLASS_INFO_(Name, Base, nullptr)

// Class registry: class references by name, for building objects from a stored class name.
void RegisterClass(const TClassInfo& cls);
void UnRegisterClass(const TClassInfo& cls);
const TClassInfo* GetClass(std::string_view className);   // nullptr when not registered
const TClassInfo& FindClass(std::string_view className);  // EClassNotFound "Class X not found"
template <class T>
void RegisterClass() {
    RegisterClass(T::StaticClass());
}
