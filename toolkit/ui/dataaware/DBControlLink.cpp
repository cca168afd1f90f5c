#include "toolkit/ui/dataaware/DBControlLink.h"

#include "toolkit/rtl/ValueRollback.h"
#include "toolkit/ui/kernel/Forms.h"

TFieldControlLink::TFieldControlLink(TControl& control, std::function<void()> show, std::function<void()> write)
    : control_(control), show_(std::move(show)), write_(std::move(write)) {
    auto showNow = [this] {
        if (control_.ComponentState().Contains(csDestroying)) return;
        TValueRollback showing(showing_, true);
        show_();
    };
    link_.OnDataChange = showNow;
    link_.OnActiveChange = showNow;
    link_.OnUpdateData = [this] { write_(); };
    link_.OnFocusControl = [this] {
        auto* win = dynamic_cast<TWinControl*>(&control_);
        if (win && win->CanFocus() && GetParentForm(win)) win->SetFocus();
    };
}

bool TFieldControlLink::BeginChange() {
    if (!link_.CanModify()) return false;
    return link_.Edit() && link_.CanModify();
}

std::string TFieldControlLink::FieldText(bool focused) const {
    TField* field = link_.Field();
    if (!field) return {};
    if (field->IsBlob()) return field->AsString();
    return focused && link_.CanModify() ? field->Text() : field->DisplayText();
}
