#pragma once
// Data-aware combo boxes. With MapList (the default) an item line "text", a tab, "value" shows the
// text and stores the value: the field's value selects the item whose value it is, and choosing an
// item writes its value. A line without a tab is both. A value no item has is shown as it is.
#include "toolkit/ui/dataaware/DBControlLink.h"
#include "toolkit/ui/widgets/ComboBox.h"

class TDBComboBox : public TDataAwareEditor<TCustomComboBox> {
    TK_CLASS_PUBLISHED(TDBComboBox, TCustomComboBox)
public:
    explicit TDBComboBox(TComponent* owner);

    bool MapList() const { return mapList_; }
    void SetMapList(bool value);

    std::string ItemText(int index) const override;
    // The value an item stores.
    std::string ItemValue(int index) const;
    // The index of the item that stores value (compared exactly, then without case); -1 when none.
    int IndexOfValue(const std::string& value) const;
    // The value the box would store now: the selected item's, or the text typed.
    std::string Value() const;

    bool WantsKey(WORD key, TShiftState shift) const override;

protected:
    bool EditCanModify() override;
    void Change() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    // New items may show the field's value differently.
    void ItemsChanged() override;

private:
    void ShowField();
    void WriteField();
    void WriteOrKeep();

    bool mapList_ = true;
    bool showingField_ = false;
};
