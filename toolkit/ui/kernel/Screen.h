#pragma once
// The screen: the forms and data modules of the process, the active form and control, the cursor
// shown over the application and the fonts of icons, hints and menus.
#include <vector>

#include "toolkit/ui/kernel/Forms.h"

class TDataModule;

class TScreen : public TComponent {
    TK_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* owner);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    TCustomForm* ActiveForm() const { return activeForm_; }
    TWinControl* ActiveControl() const;

    // Forms in creation order; ZOrder() lists the shown ones front first.
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int index) const;
    const std::vector<TCustomForm*>& FormList() const { return forms_; }
    std::vector<TCustomForm*> ZOrder() const { return zOrder_; }
    int DataModuleCount() const { return static_cast<int>(dataModules_.size()); }
    TDataModule* DataModules(int index) const;

    TFont* IconFont() const { return iconFont_.get(); }
    TFont* HintFont() const { return hintFont_.get(); }
    TFont* MenuFont() const { return menuFont_.get(); }
    void SetIconFont(const TFont* font) { iconFont_->Assign(font); }
    void SetHintFont(const TFont* font) { hintFont_->Assign(font); }
    void SetMenuFont(const TFont* font) { menuFont_->Assign(font); }

    // Names of the fonts installed, sorted; the renderer fills in the real ones.
    TStrings* Fonts() { return &fonts_; }

    // Desktop size used to centre forms (the renderer sets the real one).
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetSize(int width, int height);
    int PixelsPerInch() const { return 96; }

    TNotifyEvent OnActiveFormChange;
    TNotifyEvent OnActiveControlChange;
    TNotifyEvent OnCursorChange;

    // Book-keeping called by forms and data modules.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void AddDataModule(TDataModule* module);
    void RemoveDataModule(TDataModule* module);
    // Makes form the active form (nullptr: none); the old one is deactivated first.
    void ActivateForm(TCustomForm* form);
    void FormShown(TCustomForm* form);
    void FormHidden(TCustomForm* form);
    void BringFormToFront(TCustomForm* form);
    void ActiveControlChanged(TCustomForm* form);

private:
    void ActivateTopmost(TCustomForm* except);

    TCursor cursor_ = crDefault;
    TCustomForm* activeForm_ = nullptr;
    std::vector<TCustomForm*> forms_;
    std::vector<TCustomForm*> zOrder_;
    std::vector<TDataModule*> dataModules_;
    TOwnedPtr<TFont> iconFont_;
    TOwnedPtr<TFont> hintFont_;
    TOwnedPtr<TFont> menuFont_;
    TStringList fonts_;
    int width_ = 1024;
    int height_ = 768;
};

// The process's screen object (never destroyed).
extern TScreen* const Screen;

// Shows a cursor (the hourglass by default) for the scope's lifetime and restores the previous one.
class TCursorScope {
public:
    explicit TCursorScope(TCursor cursor = crHourGlass);
    ~TCursorScope();
    TCursorScope(const TCursorScope&) = delete;
    TCursorScope& operator=(const TCursorScope&) = delete;

private:
    TCursor saved_;
};
