#include "toolkit/ui/dialogs/ScriptedModalLoop.h"

#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dialogs/HeadlessServices.h"
#include "toolkit/ui/kernel/Forms.h"

void TScriptedModalLoop::When(const std::string& className, TAction action) { every_[UpperCase(className)] = std::move(action); }

void TScriptedModalLoop::WhenNext(const std::string& className, TAction action) {
    next_[UpperCase(className)].push_back(std::move(action));
}

std::size_t TScriptedModalLoop::PendingNextActions() const {
    std::size_t count = 0;
    for (const auto& entry : next_) count += entry.second.size();
    return count;
}

void TScriptedModalLoop::Clear() {
    every_.clear();
    next_.clear();
    showings_.clear();
}

TScriptedModalLoop::TAction TScriptedModalLoop::Find(const TCustomForm& form) {
    for (const TClassInfo* cls = &form.ClassType(); cls; cls = cls->ClassParent()) {
        std::string key = UpperCase(cls->ClassName());
        auto once = next_.find(key);
        if (once != next_.end() && !once->second.empty()) {
            TAction action = std::move(once->second.front());
            once->second.pop_front();
            return action;
        }
        auto every = every_.find(key);
        if (every != every_.end()) return every->second;
    }
    return nullptr;
}

int TScriptedModalLoop::Run(TCustomForm& form) {
    TAction action = Find(form);
    std::size_t index = showings_.size();
    showings_.push_back(TShowing{form.ClassName(), form.Caption(), static_cast<bool>(action), mrNone});
    if (!action && strict_) throw EInvalidOperation("No script for the modal form " + form.ClassName());
    int result = RunHeadlessModal(form, action);
    showings_[index].Result = result;
    return result;
}
