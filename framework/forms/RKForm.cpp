#include "framework/forms/RKForm.h"

#include <algorithm>

#include "framework/forms/DisabledGlyph.h"
#include "i18n/LangMessage.h"
#include "i18n/LanguageFolder.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/widgets/GlyphButton.h"

void TRKForm::Publish(TPublisher<TRKForm>& p) {
    p.Method("FormCreate", &TRKForm::FormCreate);
    p.Method("FormShow", &TRKForm::FormShow);
}

TRKForm::TRKForm(TComponent* owner) : TForm(owner) {
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    SetShowHint(true);
    RkConverter = CreateComponent<TCodeConverter>(this);
    RkConverter->SetName("RkConverter");
    LangController = CreateComponent<TRkLangController>(this);
    LangController->SetName("LangController");
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
}

void TRKForm::ClearImeNames() {
    for (TComponent* component : ComponentList())
        if (TCodeConverter::HasProperty(component, "ImeName")) TCodeConverter::SetStringProperty(component, "ImeName", "");
}

void TRKForm::FormCreate(TObject* Sender) {
    CodeConversionDone = false;
    ApplyLanguageOnShow = true;
    ClearImeNames();
    if (UICodePage() == "437") {
        for (TComponent* component : ComponentList()) {
            if (!TCodeConverter::HasProperty(component, "Font")) continue;
            TCodeConverter::SetOrdinalProperty(component, "Font.Charset", 134);
            TCodeConverter::SetStringProperty(component, "Font.Name", "Tahoma");
        }
    }
    GiveButtonsDisabledImages();
}

namespace {

template <class Button>
void GiveDisabledImage(Button& button) {
    if (button.NumGlyphs() != 1 || button.Glyph()->Empty()) return;
    TBitmap glyph;
    glyph.Assign(button.Glyph());
    AddDisabledImage(glyph);
    button.SetGlyph(&glyph);
    button.SetNumGlyphs(2);
}

}  // namespace

void TRKForm::GiveButtonsDisabledImages() {
    for (TComponent* component : ComponentList()) {
        if (auto* speed = dynamic_cast<TSpeedButton*>(component))
            GiveDisabledImage(*speed);
        else if (auto* bit = dynamic_cast<TBitBtn*>(component))
            GiveDisabledImage(*bit);
    }
}

void TRKForm::FormShow(TObject* Sender) {
    if (ApplyLanguageOnShow) ApplyLanguage(this, true);
}

std::vector<std::string> TRKForm::LanguageClasses(const TComponent& component, bool byClassChain, bool ownOnly) {
    if (!byClassChain) return {component.ClassName()};
    std::vector<std::string> names;
    for (const TClassInfo* cls = &component.ClassType(); cls; cls = cls->ClassParent()) {
        const std::string& name = cls->ClassName();
        if (name == "TForm" || name == "TDataModule" || (ownOnly && name == "TRKForm")) break;
        names.push_back(name);
    }
    std::reverse(names.begin(), names.end());
    return names;
}

void TRKForm::ApplyLanguageClasses(TComponent& component, const std::vector<std::string>& classes) {
    for (const std::string& name : classes) {
        LangController->SetLangPackageName(name);
        if (!FileExists(LangController->FileName())) continue;
        LangController->SetActive(true);
        LangController->Reader().ApplyTo(&component);
    }
}

void TRKForm::ApplyLanguage(TComponent* component, bool byClassChain) {
    if (component) ApplyLanguageClasses(*component, LanguageClasses(*component, byClassChain, false));
}

void TRKForm::ApplyLanguageOwn(TComponent* component, bool byClassChain) {
    if (component) ApplyLanguageClasses(*component, LanguageClasses(*component, byClassChain, true));
}

std::string TRKForm::LangText(const std::string& className, const std::string& key, bool convert,
                              const std::string& defaultText) const {
    const std::string text = convert ? RkConverter->ToDisplayText(defaultText) : defaultText;
    const TDesignType designType = LangController->DesignType();
    if (!languageFolder_ || languageFolder_->first != designType) languageFolder_.emplace(designType, LanguageFolder(designType));
    return GetLangMessageIn(languageFolder_->second, className, key, text);
}
