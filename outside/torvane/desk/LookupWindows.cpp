#include "outside/torvane/desk/LookupWindows.h"

#include <optional>

#include "outside/pickvu/LookupService.h"
#include "outside/torvane/desk/LookupForm.h"
#include "outside/torvane/desk/PickerForms.h"

namespace {

std::optional<LookupCallbacks> saved;

LookupCallbacks Windows() {
    LookupCallbacks c;
    c.choose = ChooseLookupRows;
    c.phrase = [](const std::string&, const std::string&, const std::vector<std::string>& phrases, std::string& text) {
        TOwnedPtr<TfrmPhrase> form(CreateComponent<TfrmPhrase>(nullptr, text, phrases));
        if (form->ShowModal() != mrOk) return -1;
        text = form->edPhrase->Text();
        return 0;
    };
    c.inputDay = [](const Variant&, const std::string& text, const std::string&) {
        TOwnedPtr<TfrmInputDay> form(CreateComponent<TfrmInputDay>(nullptr, text));
        return form->ShowModal() == mrOk ? form->StoredDate() : text;
    };
    c.characters = [](const VarArgs&) {
        TOwnedPtr<TfrmCharacters> form(CreateComponent<TfrmCharacters>(nullptr));
        if (form->ShowModal() != mrOk || form->Chosen().empty()) return Variant();
        return Variant(form->Chosen());
    };
    c.calculate = [](const std::string& text) {
        TOwnedPtr<TfrmCalculator> form(CreateComponent<TfrmCalculator>(nullptr, text));
        if (form->ShowModal() != mrOk) return text;
        std::string result = form->Result();
        return result.empty() ? text : result;
    };
    return c;
}

}  // namespace

void InstallLookupWindows() {
    if (!saved) saved = DefaultLookupCallbacks();
    DefaultLookupCallbacks() = Windows();
}

void UninstallLookupWindows() {
    if (!saved) return;
    DefaultLookupCallbacks() = *saved;
    saved.reset();
}
