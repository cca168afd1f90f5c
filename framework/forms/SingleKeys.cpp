// The keyboard of fast data entry: page switching, Enter that moves on and saves, the calculator
// keys, and the page rules of the edit modes.
#include "framework/forms/SingleCF.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/Memo.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/ui/widgets/Panel.h"
#include "toolkit/ui/widgets/RadioGroup.h"

namespace {

bool IsGridOrInGrid(const TWinControl* control) {
    return control &&
           (control->InheritsFrom("TCustomGrid") || (control->Parent() && control->Parent()->InheritsFrom("TCustomGrid")));
}

bool IsNumericField(const TField* field) { return field && IsNumericFieldType(field->DataType()); }

}  // namespace

bool TfrmSingle::BrowsePageShowing() const { return pgHead->ActivePage() == tbsBrowse; }

bool TfrmSingle::DialogKey(WORD key, TShiftState shift) {
    // The form, not the page control that holds the focus, switches pages (it wraps while editing).
    if (key == VK_TAB && shift.Contains(ssCtrl) && !shift.Contains(ssAlt) && KeyPreview()) {
        WORD k = key;
        FormKeyDown(this, k, shift);
        if (k == 0) return true;
    }
    return TfrmBase::DialogKey(key, shift);
}

void TfrmSingle::SwitchPage(bool forward) {
    TClientDataSet* cds = MainDataSet();
    const bool editing = cds && (cds->State() == dsEdit || cds->State() == dsInsert);
    if (!editing) {
        pgHead->SelectNextPage(forward);
        return;
    }
    std::vector<TTabSheet*> pages;
    for (TTabSheet* page : DetailPages())
        if (page->TabVisible()) pages.push_back(page);
    if (pages.empty()) return;
    int index = 0;
    for (std::size_t i = 0; i < pages.size(); ++i)
        if (pages[i] == pgHead->ActivePage()) index = static_cast<int>(i);
    const int count = static_cast<int>(pages.size());
    TTabSheet* target = pages[static_cast<std::size_t>((index + (forward ? 1 : count - 1)) % count)];
    if (pgHead->ChangeActivePageByUser(target)) target->SelectFirst();
}

void TfrmSingle::FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
    const bool ctrl = Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    if (ctrl && (Key == VK_TAB || Key == VK_PRIOR || Key == VK_NEXT)) {
        SwitchPage(Key == VK_TAB ? !Shift.Contains(ssShift) : Key == VK_NEXT);
        Key = 0;
        return;
    }
    if (Key == VK_RETURN && Shift.Empty()) {
        if (BrowsePageShowing() && ActiveControl() == gdHead) {
            if (pgHead->PageCount() > 0) pgHead->ChangeActivePageByUser(pgHead->Pages(0));
            Key = 0;
            return;
        }
        if (EnterKey()) {
            Key = 0;
            return;
        }
    }
    TfrmBase::FormKeyDown(Sender, Key, Shift);
}

bool TfrmSingle::EnterKey() {
    TClientDataSet* cds = MainDataSet();
    TWinControl* active = ActiveControl();
    if (!cds || cds->State() == dsBrowse || cds->State() == dsInactive || !active) return false;
    if (active->InheritsFrom("TCustomMemo") || IsGridOrInGrid(active)) return false;
    auto lastOfPage = [this](const TWinControl* control) {
        for (const std::string& name : PageLastControls)
            if (!name.empty() && SameText(name, control->Name())) return true;
        return false;
    };
    if (active == FinalControl) {
        DoSave();
        return true;
    }
    if (dynamic_cast<TRadioButton*>(active) && active->Parent() && active->Parent()->InheritsFrom("TCustomRadioGroup")) {
        if (lastOfPage(active->Parent()))
            SwitchPage(true);
        else
            SelectNext(active, true, true);
        return true;
    }
    if (lastOfPage(active)) {
        SwitchPage(true);
        return true;
    }
    SelectNext(active, true, true);
    return true;
}

void TfrmSingle::FormKeyPress(TObject* Sender, char32_t& Key) {
    if (Key == U'+' || Key == U'*' || Key == U'/') {
        TWinControl* active = ActiveControl();
        TField* field = nullptr;
        if (auto* grid = dynamic_cast<TDBGrid*>(active))
            field = grid->SelectedField();
        else if (active && IsPublishedProp(active, "DataField"))
            field = ControlField(active);
        if (IsNumericField(field)) {
            Key = 0;
            RunCalculator();
            return;
        }
    }
    TfrmRadical::FormKeyPress(Sender, Key);
}

// --- Page changes -------------------------------------------------------------------------------

void TfrmSingle::pgHeadChanging(TObject* Sender, bool& AllowChange) { pageLeft_ = pgHead->ActivePage(); }

void TfrmSingle::pgHeadChange(TObject* Sender) {
    if (EditMode == emBrowse) return;
    TTabSheet* page = pgHead->ActivePage();
    const int index = page ? page->PageIndex() : -1;
    bool undo = false;
    if (page == tbsBrowse)
        undo = IsFocusPageOne;
    else if (index >= 1 && index <= 14)
        undo = FunctionRights.Contains(15 + index);
    if (undo && pageLeft_) pgHead->SetActivePage(pageLeft_);
}

void TfrmSingle::ShowMode(int mode) {
    ShowModeOnPages(mode);
    TfrmBase::ShowMode(mode);
}

void TfrmSingle::ShowModeOnPages(int mode) {
    const bool editing = mode == 2 || mode == 3;
    TdmSingle* dm = SingleDM();
    std::vector<std::string> keys;
    if (dm)
        for (const std::string& item : SplitString(dm->KeyFields, ',')) {
            std::string name = Trim(item);
            if (std::size_t dot = name.rfind('.'); dot != std::string::npos) name = name.substr(dot + 1);
            keys.push_back(name);
        }
    auto isKeyControl = [&](const TComponent* control) {
        if (!IsPublishedProp(control, "DataField")) return false;
        const std::string field = GetStrProp(control, "DataField");
        for (const std::string& key : keys)
            if (!field.empty() && SameText(key, field)) return true;
        return false;
    };
    auto applyTo = [&](TWinControl* container) {
        std::vector<TWinControl*> inside;
        container->GetTabOrderList(inside);
        for (TControl* control : container->ControlList())
            if (!dynamic_cast<TWinControl*>(control) && (control->InheritsFrom("TSpeedButton"))) control->SetEnabled(editing);
        for (TWinControl* control : inside) {
            if (control->InheritsFrom("TBitBtn") || control->InheritsFrom("TSpeedButton"))
                control->SetEnabled(editing);
            else if (isKeyControl(control))
                control->SetEnabled(mode != 2);
        }
    };
    const int last = pgHead->PageCount() - 1;
    for (int i = 0; i <= last; ++i) {
        TTabSheet* page = pgHead->Pages(i);
        if (i == last) {
            page->SetEnabled(!editing);
            continue;
        }
        applyTo(page);
        page->SetEnabled(editing && i <= 14 && FunctionRights.Contains(i));
    }
    applyTo(pnlHead);
    pnlHead->SetEnabled(editing && FunctionRights.Contains(0));
}
