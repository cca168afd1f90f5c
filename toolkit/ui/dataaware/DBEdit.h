#pragma once
// Data-aware edits and memos. The control shows its field (the edit text while it has the focus,
// the display text otherwise); typing puts the dataset into edit state first and is refused when
// the field cannot be written. The typed text is written through the field (its text handler and
// validation) when the control is left, on Enter, or when the record is posted; an exception there
// (EAbort included) leaves the field as it was, keeps the typed text and keeps the focus. Escape
// drops what was typed. The edit takes its field's edit mask: while it has the focus the text is
// shaped by the mask and typing follows it (MaskEdit.h); otherwise it shows the field's display text.
#include <type_traits>

#include "toolkit/rtl/ValueRollback.h"
#include "toolkit/ui/dataaware/DBControlLink.h"
#include "toolkit/ui/widgets/MaskEdit.h"
#include "toolkit/ui/widgets/Memo.h"

// The field behaviour shared by the data-aware edit and memo.
template <class Base>
class TDBTextControl : public TDataAwareControl<Base> {
public:
    explicit TDBTextControl(TComponent* owner)
        : TDataAwareControl<Base>(
              owner, [this] { ShowField(); }, [this] { WriteField(); }) {}

    void SetReadOnly(bool value) override {
        Base::SetReadOnly(value);
        data_.SetReadOnly(value);
    }
    bool WantsKey(WORD key, TShiftState shift) const override {
        if (key == VK_ESCAPE && data_.IsModified()) return true;
        return Base::WantsKey(key, shift);
    }

protected:
    bool EditCanModify() override { return !this->ReadOnly() && data_.BeginChange(); }
    void Change() override {
        if (!data_.Showing() && !showingField_) data_.Modified();
        Base::Change();
    }
    void KeyDown(WORD& key, TShiftState shift) override {
        Base::KeyDown(key, shift);
        if (key == VK_ESCAPE && data_.IsModified()) {
            data_.Reset();
            this->SelectAll();
            key = 0;
        } else if (key == VK_RETURN && shift.Empty()) {
            WriteOrKeep();
        }
    }
    void DoEnter() override {
        ShowField();
        Base::DoEnter();
    }
    void DoExit() override {
        if constexpr (kMasked) this->ValidateEdit();
        WriteOrKeep();
        Base::DoExit();
        leaving_ = true;
        if (!data_.IsModified()) ShowField();
        leaving_ = false;
    }
    virtual std::string FieldText() const { return data_.FieldText(this->Focused() && !leaving_); }
    void ShowField() {
        if (data_.IsModified()) return;
        std::string text = FieldText();
        {
            TValueRollback showing(showingField_, true);
            if constexpr (kMasked) {
                TField* field = data_.Field();
                this->SetEditMask(field ? field->EditMask() : std::string());
                if (this->Focused() && !leaving_ && data_.CanModify())
                    this->SetText(text);
                else
                    this->ShowUnmasked(text);
            } else {
                this->SetText(text);
            }
        }
        this->SetModified(false);
    }
    void WriteField() {
        if (TField* field = data_.Field()) {
            if constexpr (kMasked)
                field->SetText(this->UnmaskedText());
            else
                field->SetText(this->Text());
        }
    }
    void WriteOrKeep() {
        try {
            data_.UpdateRecord();
        } catch (...) {
            this->SelectAll();
            throw;
        }
    }

    using TDataAwareControl<Base>::data_;
    static constexpr bool kMasked = std::is_base_of_v<TCustomMaskEdit, Base>;

private:
    bool leaving_ = false;
    bool showingField_ = false;
};

class TDBEdit : public TDBTextControl<TCustomMaskEdit> {
    TK_CLASS_PUBLISHED(TDBEdit, TCustomMaskEdit)
public:
    explicit TDBEdit(TComponent* owner) : TDBTextControl<TCustomMaskEdit>(owner) {}
};

class TDBMemo : public TDBTextControl<TCustomMemo> {
    TK_CLASS_PUBLISHED(TDBMemo, TCustomMemo)
public:
    explicit TDBMemo(TComponent* owner) : TDBTextControl<TCustomMemo>(owner) {}
};
