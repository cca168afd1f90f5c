#pragma once
// Persistent objects and components: names, ownership (an owner frees what it owns, last first),
// free notification, and class references that build components by class.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/classes/ClassInfo.h"
#include "toolkit/classes/ComponentErrors.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/classes/Sets.h"

using TNotifyEvent = std::function<void(TObject* Sender)>;

// An object with published properties that can copy itself from another of its kind.
class TPersistent : public TObject {
    TK_CLASS(TPersistent, TObject)
public:
    // Copies from source; a source that cannot be copied raises EConvertError
    // "Cannot assign a TX to a TY" ("nil" for a null source).
    virtual void Assign(const TPersistent* source);

protected:
    // Lets the source copy itself into dest when dest does not know the source's class.
    virtual void AssignTo(TPersistent* dest) const;
};

enum TOperation {
    opInsert,
    opRemove
};
enum TComponentStateItem {
    csLoading,
    csReading,
    csDestroying,
    csUpdating,
    csFreeNotification
};
using TComponentState = TSet<TComponentStateItem>;

class TComponent : public TPersistent {
    TK_CLASS_PUBLISHED(TComponent, TPersistent)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    // Name: a valid identifier (or empty), unique among the owner's components without regard to
    // case; EComponentError "'x' is not a valid component name" / "A component named X already exists".
    const std::string& Name() const { return name_; }
    virtual void SetName(const std::string& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;  // EListError when out of range
    const std::vector<TComponent*>& ComponentList() const { return components_; }
    int ComponentIndex() const;  // position in the owner's list, -1 without owner
    // Takes ownership (taking it away from a previous owner); the name must be unique here.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Owned component of that name, compared without case; nullptr when none or name empty.
    TComponent* FindComponent(std::string_view name) const;
    // Frees every owned component, last first.
    void DestroyComponents();

    // Asks this component to tell `component` (component->Notification(this, opRemove)) when it
    // goes away; the link is mutual. Components of one owner hear of each other through the owner.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    // Told of components inserted into or removed from this owner, and of the destruction of
    // components watched with FreeNotification. The default passes it on to owned components.
    virtual void Notification(TComponent* component, TOperation operation);

    TComponentState ComponentState() const { return state_; }
    void BeforeDestruction() override;

    // Expires when the component starts being destroyed (see TComponentRef).
    std::weak_ptr<void> LifeToken() const { return life_; }

protected:
    // Marks this component and everything it owns as being destroyed.
    virtual void Destroying();
    virtual void ValidateRename(TComponent* component, const std::string& currentName, const std::string& newName);
    void SetComponentState(TComponentStateItem item, bool on);

private:
    void DoDestroyParts();
    void RemoveFreeNotifications();

    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    TComponentState state_;
    int tag_ = 0;
    bool partsDestroyed_ = false;
    std::shared_ptr<int> life_ = std::make_shared<int>(0);
};

// A pointer to a component that turns null once the component starts being destroyed.
template <class T>
class TComponentRef {
public:
    TComponentRef() = default;
    TComponentRef(T* component) : ptr_(component) {
        if (component) token_ = component->LifeToken();
    }
    T* Get() const { return token_.expired() ? nullptr : ptr_; }
    T* operator->() const { return Get(); }
    explicit operator bool() const { return Get() != nullptr; }

private:
    T* ptr_ = nullptr;
    std::weak_ptr<void> token_;
};

// A class reference restricted to Base and its descendants: it reports the class's name and
// ancestry and builds instances with an owner ("frmRadicalClass" is a TClassOf<TCustomForm>).
template <class Base>
class TClassOf {
public:
    TClassOf() = default;
    // EInvalidCast when cls does not descend from Base.
    TClassOf(const TClassInfo& cls) : cls_(&cls) {
        if (!cls.InheritsFrom(Base::StaticClass()))
            throw EInvalidCast(cls.ClassName() + " is not a " + Base::StaticClass().ClassName());
    }
    template <class Derived>
    TClassOf(const TClassOf<Derived>& other) : cls_(other.Info()) {
        static_assert(std::is_base_of_v<Base, Derived>, "class reference of an unrelated class");
    }
    template <class T>
    static TClassOf Of() {
        static_assert(std::is_base_of_v<Base, T>, "class reference of an unrelated class");
        return TClassOf(T::StaticClass());
    }

    explicit operator bool() const { return cls_ != nullptr; }
    const TClassInfo* Info() const { return cls_; }
    std::string ClassName() const { return cls_ ? cls_->ClassName() : std::string(); }
    const TClassInfo* ClassParent() const { return cls_ ? cls_->ClassParent() : nullptr; }
    bool InheritsFrom(const TClassInfo& other) const { return cls_ && cls_->InheritsFrom(other); }
    bool InheritsFrom(std::string_view name) const { return cls_ && cls_->InheritsFrom(name); }
    bool operator==(const TClassOf& other) const { return cls_ == other.cls_; }

    // Builds an instance (its AfterConstruction has run). EInvalidOperation when unassigned or abstract.
    Base* Create(TComponent* owner) const {
        if (!cls_) throw EInvalidOperation("Class reference is not assigned");
        return static_cast<Base*>(dynamic_cast<TComponent*>(cls_->CreateInstance(owner)));
    }

private:
    const TClassInfo* cls_ = nullptr;
};

using TComponentClass = TClassOf<TComponent>;

// True when name is a valid identifier (ASCII letters, digits, '_'; not starting with a digit).
bool IsValidComponentName(std::string_view name);
