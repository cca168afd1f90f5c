#pragma once
// The base of every framework window (program forms and dialogs): key preview on, centred, hints
// shown; owns the code converter and the language controller and applies the language files of
// its class chain when it is shown.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "i18n/CodeConverter.h"
#include "i18n/LangController.h"
#include "i18n/LangKeys.h"
#include "toolkit/ui/kernel/Forms.h"

class TRKForm : public TForm {
    TK_CLASS_PUBLISHED(TRKForm, TForm)
public:
    explicit TRKForm(TComponent* owner);

    TCodeConverter* RkConverter = nullptr;
    TRkLangController* LangController = nullptr;
    bool CodeConversionDone = false;
    bool ApplyLanguageOnShow = false;

    int LanguageMode() const { return RkConverter->LanguageMode(); }
    const std::string& UICodePage() const { return RkConverter->UICodePage(); }
    const std::string& DBCodePage() const { return RkConverter->DBCodePage(); }
    const std::string& SysCodePage() const { return RkConverter->SysCodePage(); }

    // Applies the language files of the component's class chain (base classes first, the toolkit's
    // form and data-module classes left out), or of its class alone.
    virtual void ApplyLanguage(TComponent* component, bool byClassChain);
    // The same with the chain stopping below TRKForm too.
    virtual void ApplyLanguageOwn(TComponent* component, bool byClassChain);
    // The class names those walk, in the order they are applied.
    static std::vector<std::string> LanguageClasses(const TComponent& component, bool byClassChain, bool ownOnly);

    // A keyed text: the default (optionally converted for display) unless the language file of the
    // class has the key. The language folder is taken once, with the code pages of RkConverter.
    std::string LangText(const std::string& className, const std::string& key, bool convert,
                         const std::string& defaultText) const;
    // The same for a declared key (its class and default from the declaration).
    std::string LangText(const TLangKeys& keys, const std::string& key, bool convert) const {
        return LangText(keys.ClassName(), key, convert, keys.Default(key));
    }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);

protected:
    void ApplyLanguageClasses(TComponent& component, const std::vector<std::string>& classes);
    // Clears the input-method name of every owned component that has one.
    void ClearImeNames();
    // Speed buttons and bit buttons with one glyph get a second, disabled image.
    void GiveButtonsDisabledImages();

private:
    mutable std::optional<std::pair<TDesignType, std::string>> languageFolder_;
};
