#pragma once
// Data-aware check boxes and radio groups.
//
// A check box is checked when its field is true (boolean fields) or its text is one of the
// ValueChecked values ("Y;y" lists several; the first is the one written), unchecked for a
// ValueUnchecked value, and grayed for anything else (null included). A radio group checks the
// item whose value (Values, or the item's text where Values has no line) equals the field's text.
// Both write when left or when the record is posted, like the data-aware edits.
#include "toolkit/ui/dataaware/DBControlLink.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/RadioGroup.h"

class TDBCheckBox : public TDataAwareEditor<TCustomCheckBox> {
    TK_CLASS_PUBLISHED(TDBCheckBox, TCustomCheckBox)
public:
    explicit TDBCheckBox(TComponent* owner);

    const std::string& ValueChecked() const { return valueChecked_; }
    void SetValueChecked(const std::string& value);
    const std::string& ValueUnchecked() const { return valueUnchecked_; }
    void SetValueUnchecked(const std::string& value);
    // The state the field's value gives.
    TCheckBoxState FieldState() const;

    void Toggle() override;

protected:
    void DoExit() override;

private:
    void ShowField();
    void WriteField();

    std::string valueChecked_ = "True";
    std::string valueUnchecked_ = "False";
};

class TDBRadioGroup : public TDataAwareEditor<TCustomRadioGroup> {
    TK_CLASS_PUBLISHED(TDBRadioGroup, TCustomRadioGroup)
public:
    explicit TDBRadioGroup(TComponent* owner);
    ~TDBRadioGroup() override;

    TStrings* Values() const { return values_.get(); }
    void SetValues(TStrings* values);
    // The value of the checked item ("" when none).
    std::string Value() const;
    void SetValue(const std::string& value);

protected:
    bool CanModify() override;
    void Click() override;
    void DoExit() override;

private:
    std::string ItemValue(int index) const;
    void ShowField();

    std::unique_ptr<TStringList> values_;
    bool showingField_ = false;
};
