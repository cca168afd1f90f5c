#include "toolkit/ui/kernel/Screen.h"

#include <algorithm>

#include "toolkit/ui/kernel/DataModule.h"

TScreen* const Screen = new TScreen(nullptr);

TScreen::TScreen(TComponent* owner) : TComponent(owner), iconFont_(new TFont), hintFont_(new TFont), menuFont_(new TFont) {
    // The fonts a headless run offers: the classic user-interface faces and the Chinese ones.
    fonts_.SetSorted(true);
    fonts_.AddStrings(std::vector<std::string>{"Arial", "Courier New", "MS Sans Serif", "SimSun", "Tahoma", "Times New Roman",
                                               "宋体", "新细明体", "细明体"});
}

void TScreen::SetCursor(TCursor cursor) {
    if (cursor == cursor_) return;
    cursor_ = cursor;
    if (OnCursorChange) OnCursorChange(this);
}

TWinControl* TScreen::ActiveControl() const { return activeForm_ ? activeForm_->ActiveControl() : nullptr; }

TCustomForm* TScreen::Forms(int index) const {
    if (index < 0 || index >= FormCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return forms_[static_cast<std::size_t>(index)];
}

TDataModule* TScreen::DataModules(int index) const {
    if (index < 0 || index >= DataModuleCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return dataModules_[static_cast<std::size_t>(index)];
}

void TScreen::SetSize(int width, int height) {
    width_ = width;
    height_ = height;
}

void TScreen::AddForm(TCustomForm* form) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    std::erase(forms_, form);
    std::erase(zOrder_, form);
    if (activeForm_ == form) {
        activeForm_ = nullptr;
        ActivateTopmost(form);
        if (!activeForm_ && OnActiveFormChange) OnActiveFormChange(this);
    }
}

void TScreen::AddDataModule(TDataModule* module) {
    if (std::find(dataModules_.begin(), dataModules_.end(), module) == dataModules_.end()) dataModules_.push_back(module);
}

void TScreen::RemoveDataModule(TDataModule* module) { std::erase(dataModules_, module); }

void TScreen::ActivateForm(TCustomForm* form) {
    if (form == activeForm_) return;
    TCustomForm* previous = activeForm_;
    activeForm_ = form;
    if (previous) previous->SetActive(false);
    if (form && activeForm_ == form) form->SetActive(true);
    if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::FormShown(TCustomForm* form) {
    BringFormToFront(form);
    ActivateForm(form);
}

void TScreen::FormHidden(TCustomForm* form) {
    if (activeForm_ == form) ActivateTopmost(form);
}

void TScreen::BringFormToFront(TCustomForm* form) {
    std::erase(zOrder_, form);
    zOrder_.insert(zOrder_.begin(), form);
}

void TScreen::ActiveControlChanged(TCustomForm* form) {
    if (form == activeForm_ && OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::ActivateTopmost(TCustomForm* except) {
    for (TCustomForm* candidate : zOrder_) {
        if (candidate != except && candidate->Visible()) {
            ActivateForm(candidate);
            return;
        }
    }
    ActivateForm(nullptr);
}

TCursorScope::TCursorScope(TCursor cursor) : saved_(Screen->Cursor()) { Screen->SetCursor(cursor); }

TCursorScope::~TCursorScope() { Screen->SetCursor(saved_); }
