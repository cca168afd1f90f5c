#pragma once
// What list views and tree views share: a ReadOnly switch and the in-place editing of one item's
// caption. F2 (or the item's own call) starts editing unless ReadOnly or OnEditing refuses; typed
// characters add to the text, Backspace takes its last character away, Enter accepts (OnEdited may
// change the text, which becomes the caption), Escape cancels, and leaving the control accepts.
#include <functional>
#include <string>

#include "toolkit/ui/kernel/Controls.h"
#include "toolkit/ui/widgets/TextEditing.h"

template <class Item>
class TCaptionEditingControl : public TWinControl {
public:
    using TEditingEvent = std::function<void(TObject* Sender, Item* Item_, bool& AllowEdit)>;
    using TEditedEvent = std::function<void(TObject* Sender, Item* Item_, std::string& S)>;

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }

    bool IsEditing() const { return editing_ != nullptr; }
    const std::string& EditText() const { return editText_; }
    // The renderer's in-place editor sets the text and then ends the edit.
    void SetEditText(const std::string& text) {
        if (!editing_) return;
        editText_ = text;
        Changed(TPropertyId::EditText);
    }
    // Ends editing: with accept, OnEdited may change the text, which becomes the caption.
    void EndEdit(bool accept) {
        if (!editing_) return;
        Item* item = editing_;
        std::string text = editText_;
        ForgetEdit(item);
        if (accept) {
            if (OnEdited) OnEdited(this, item, text);
            StoreEditedText(item, text);
        }
        Changed(TPropertyId::Editing);
    }

    TEditingEvent OnEditing;
    TEditedEvent OnEdited;

    bool WantsKey(WORD key, TShiftState) const override {
        if (editing_ && (key == VK_RETURN || key == VK_ESCAPE)) return true;
        return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT;
    }

protected:
    explicit TCaptionEditingControl(TComponent* owner) : TWinControl(owner) {}

    // Where an accepted text goes (the item's caption or text).
    virtual void StoreEditedText(Item* item, const std::string& text) = 0;

    // Starts editing item, whose caption is text; false when read-only or OnEditing refuses.
    bool BeginEdit(Item* item, const std::string& text) {
        if (readOnly_) return false;
        if (editing_) EndEdit(true);
        bool allow = true;
        if (OnEditing) OnEditing(this, item, allow);
        if (!allow) return false;
        editing_ = item;
        editText_ = text;
        Changed(TPropertyId::Editing);
        return true;
    }
    // Drops the edit of an item that goes away, without storing anything.
    void ForgetEdit(Item* item) {
        if (editing_ != item) return;
        editing_ = nullptr;
        editText_.clear();
    }
    // The keys of the editor; true while editing (the control's own keys are off then).
    bool EditKeyDown(WORD& key) {
        if (!editing_) return false;
        if (key == VK_RETURN || key == VK_ESCAPE) {
            EndEdit(key == VK_RETURN);
            key = 0;
        } else if (key == VK_BACK) {
            TTextSelection end{static_cast<int>(editText_.size()), 0};
            SetEditText(BackspaceText(editText_, end));
            key = 0;
        }
        return true;
    }
    // A typed character goes to the editor; true while editing.
    bool EditCharTyped(char32_t ch) {
        if (!editing_) return false;
        if (ch >= 0x20 && ch != 0x7F) SetEditText(editText_ + CharToUtf8(ch));
        return true;
    }
    // The caption to paint for item: the text being typed while it is edited.
    const std::string& ShownCaption(const Item* item, const std::string& caption) const {
        return item == editing_ ? editText_ : caption;
    }
    void DoExit() override {
        EndEdit(true);
        TWinControl::DoExit();
    }

    Item* editing_ = nullptr;

private:
    std::string editText_;
    bool readOnly_ = false;
};
