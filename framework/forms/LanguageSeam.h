#pragma once
// The window's language controller as far as this layer needs it: a package name per window class
// and whether a language file exists for it. Language files arrive with the controller itself; until
// then there is no language file for any class, so nothing is applied and keyed texts are their
// built-in defaults.
#include <string>

#include "toolkit/classes/Component.h"

class TLangControllerSeam : public TComponent {
    TK_CLASS(TLangControllerSeam, TComponent)
public:
    explicit TLangControllerSeam(TComponent* owner) : TComponent(owner) {}

    const std::string& PackageName() const { return packageName_; }
    void SetPackageName(const std::string& name) { packageName_ = name; }
    bool Active() const { return active_; }
    void SetActive(bool active) { active_ = active; }

    // Whether the language file of the current package exists.
    bool LanguageFileExists() const { return false; }
    // Applies the current language file to the component.
    void Apply(TComponent& component) {}
    // The text of key under the class, or the default.
    std::string Text(const std::string& className, const std::string& key, const std::string& defaultText) const {
        return defaultText;
    }

private:
    std::string packageName_;
    bool active_ = false;
};
