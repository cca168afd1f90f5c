#pragma once
// One-line edits. The text is the control's Text; the caret and selection count characters.
// Typing (WM_CHAR, see KeyInput.h) replaces the selection, Backspace and Delete remove, the caret
// keys move; every change by the user or by code raises OnChange. Renderers reflect "Text" and
// "Selection" changes and hand the user's input back through the same keys or ReplaceSelText.
#include <string>

#include "toolkit/ui/kernel/Controls.h"
#include "toolkit/ui/widgets/TextEditing.h"

enum TEditCharCase {
    ecNormal,
    ecUpperCase,
    ecLowerCase
};
TK_ENUM_TYPE(TEditCharCase, "ecNormal", "ecUpperCase", "ecLowerCase")

class TCustomEdit : public TWinControl {
    TK_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* owner);

    // Characters at most (0: no limit); typing beyond it is refused with a beep.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return readOnly_; }
    virtual void SetReadOnly(bool value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value);
    // The character shown instead of each typed one (empty: the text itself).
    const std::string& PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(const std::string& value);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    // Set by user changes, cleared when code sets the text.
    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }

    int SelStart() const { return sel_.Start; }
    void SetSelStart(int value);
    int SelLength() const { return sel_.Length; }
    void SetSelLength(int value);
    std::string SelText() const { return SelectedText(Text(), sel_); }
    // Replaces the selection as typing would (but without the read-only and length checks).
    void SetSelText(const std::string& text);
    void SelectAll();
    void ClearSelection();
    void Clear() { SetText(""); }
    // What the control shows: the text, or the password character once per character.
    std::string DisplayText() const;

    TNotifyEvent OnChange;

    // Input as the user gives it: typed text goes through the read-only, case and length rules
    // (the renderer's input method calls this); false when refused.
    virtual bool ReplaceSelText(const std::string& text);

    bool WantsKey(WORD key, TShiftState shift) const override;
    void CharTyped(char32_t ch) override;

protected:
    // Whether the user may change the text now; data-aware edits put their dataset in edit here.
    virtual bool EditCanModify();
    virtual void Change();
    void KeyDown(WORD& key, TShiftState shift) override;
    void DoEnter() override;
    void TextChanged() override;
    void Paint() override;
    // Paints the framed box of the editor and returns its rectangle; the brush is left clear for text.
    TRect PaintBox(TCanvas& canvas);
    // Stores text typed by the user.
    void UserEdit(const std::string& text);
    bool UserEditing() const { return userEditing_; }
    // The Backspace and Delete keys on the text (read-only refused with a beep).
    virtual void BackspaceKey();
    virtual void DeleteKey();
    std::string ApplyCharCase(const std::string& text) const;

    TTextSelection sel_;

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    TEditCharCase charCase_ = ecNormal;
    std::string passwordChar_;
    bool autoSelect_ = true;
    bool modified_ = false;
    bool userEditing_ = false;
};

class TEdit : public TCustomEdit {
    TK_CLASS_PUBLISHED(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};
