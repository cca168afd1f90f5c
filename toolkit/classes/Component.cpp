#include "toolkit/classes/Component.h"

#include <algorithm>

#include "toolkit/rtl/SysUtils.h"

void TPersistent::Assign(const TPersistent* source) {
    if (!source) throw EConvertError("Cannot assign a nil to a " + ClassName());
    source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const {
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest->ClassName());
}

bool IsValidComponentName(std::string_view name) {
    if (name.empty()) return false;
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!letter(name.front())) return false;
    return std::all_of(name.begin(), name.end(), [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

void TComponent::Publish(TPublisher<TComponent>& p) {
    p.Property("Name", &TComponent::Name, &TComponent::SetName);
    p.Property("Tag", &TComponent::Tag, &TComponent::SetTag);
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() { DoDestroyParts(); }

void TComponent::SetName(const std::string& name) {
    if (name_ == name) return;
    if (!name.empty() && !IsValidComponentName(name)) throw EComponentError("'" + name + "' is not a valid component name");
    if (owner_) owner_->ValidateRename(this, name_, name);
    name_ = name;
}

void TComponent::ValidateRename(TComponent* component, const std::string& currentName, const std::string& newName) {
    if (component && !SameText(currentName, newName) && component->owner_ == this) {
        TComponent* existing = FindComponent(newName);
        if (existing && existing != component) throw EComponentError("A component named " + newName + " already exists");
    }
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return components_[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->owner_ == this) return;
    // The name must be free here before the component leaves its previous owner.
    if (!component->name_.empty() && FindComponent(component->name_))
        throw EComponentError("A component named " + component->name_ + " already exists");
    if (component->owner_) component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->owner_ != this) return;
    Notification(component, opRemove);
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it != components_.end()) components_.erase(it);
    component->owner_ = nullptr;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    std::string wanted(name);
    for (TComponent* c : components_)
        if (SameText(c->name_, wanted)) return c;
    return nullptr;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* c = components_.back();
        // Components others watch leave with a notification; the rest leave quietly.
        if (c->state_.Contains(csFreeNotification)) {
            RemoveComponent(c);
        } else {
            components_.pop_back();
            c->owner_ = nullptr;
        }
        c->Free();
    }
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (!owner_ || component->owner_ != owner_) {
        if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
            freeNotifies_.push_back(component);
            component->FreeNotification(this);
        }
    }
    state_.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    auto drop = [](TComponent* from, TComponent* what) {
        auto& list = from->freeNotifies_;
        list.erase(std::remove(list.begin(), list.end(), what), list.end());
    };
    drop(this, component);
    drop(component, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
    // Passed on to owned components, last first; the list may shrink meanwhile.
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        if (i < ComponentCount()) components_[static_cast<std::size_t>(i)]->Notification(component, operation);
    }
}

void TComponent::SetComponentState(TComponentStateItem item, bool on) {
    if (on)
        state_.Include(item);
    else
        state_.Exclude(item);
}

void TComponent::Destroying() {
    if (state_.Contains(csDestroying)) return;
    state_.Include(csDestroying);
    life_.reset();
    for (std::size_t i = 0; i < components_.size(); ++i) components_[i]->Destroying();
}

void TComponent::RemoveFreeNotifications() {
    while (!freeNotifies_.empty()) {
        TComponent* watcher = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& theirs = watcher->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        watcher->Notification(this, opRemove);
    }
}

void TComponent::DoDestroyParts() {
    if (partsDestroyed_) return;
    partsDestroyed_ = true;
    Destroying();
    RemoveFreeNotifications();
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::BeforeDestruction() { DoDestroyParts(); }
