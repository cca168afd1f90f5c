#pragma once
// Masked edits: with an EditMask ("!9999/99/99;1;_", "99:99;1; " ...) the text always shows every
// position of the mask, typing overwrites the position at the caret and skips the literals, a
// character that does not fit is refused with a beep, and leaving an edit whose text does not fill
// the mask raises EMaskEditError and keeps the focus. Without a mask it is a plain edit.
#include <string>

#include "toolkit/data/EditMask.h"
#include "toolkit/rtl/Exception.h"
#include "toolkit/ui/widgets/Edit.h"

class EMaskEditError : public Exception {
public:
    using Exception::Exception;
};

class TCustomMaskEdit : public TCustomEdit {
    TK_CLASS(TCustomMaskEdit, TCustomEdit)
public:
    explicit TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

    const std::string& EditMask() const { return editMask_; }
    // Shapes the current text by the new mask.
    void SetEditMask(const std::string& value);
    bool IsMasked() const { return !mask_.IsEmpty(); }
    // The value the text stands for: the literals kept or dropped as the mask says, blanks as spaces.
    std::string UnmaskedText() const;
    // Shows a text as it is, not shaped by the mask, until the text is set or typed again (data-aware
    // edits show their field's display text so while they do not have the focus).
    void ShowUnmasked(const std::string& text);
    // Raises EMaskEditError (caret on the first wrong position) when the modified text does not fit
    // the mask; a text left wholly blank passes.
    virtual void ValidateEdit();

    bool ReplaceSelText(const std::string& text) override;

protected:
    void TextChanged() override;
    void BackspaceKey() override;
    void DeleteKey() override;
    void DoEnter() override;
    void DoExit() override;

private:
    std::string editMask_;
    TEditMask mask_;
    bool unmasked_ = false;
    bool showingUnmasked_ = false;
};

class TMaskEdit : public TCustomMaskEdit {
    TK_CLASS_PUBLISHED(TMaskEdit, TCustomMaskEdit)
public:
    explicit TMaskEdit(TComponent* owner) : TCustomMaskEdit(owner) {}
};
