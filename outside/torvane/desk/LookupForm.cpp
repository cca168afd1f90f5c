#include "outside/torvane/desk/LookupForm.h"

#include <algorithm>

#include "outside/pickvu/LookupService.h"
#include "outside/torvane/desk/DeskControls.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

std::string CellText(const Variant& row, int column) {
    if (!row.IsArray()) return column == 0 ? VarToStr(row) : std::string();
    return VarToStr(ElementAt(row, column));
}

int ColumnCount(const Variant& rows, const std::vector<std::string>& titles) {
    int count = static_cast<int>(titles.size());
    for (int i = 0; rows.IsArray() && i < rows.Count(); ++i) {
        Variant row = ElementAt(rows, i);
        count = std::max(count, row.IsArray() ? row.Count() : 1);
    }
    return std::max(count, 1);
}

}  // namespace

std::vector<int> MatchingRows(const Variant& rows, const std::string& search) {
    std::vector<int> result;
    std::string wanted = LowerCase(Trim(search));
    for (int i = 0; rows.IsArray() && i < rows.Count(); ++i) {
        Variant row = ElementAt(rows, i);
        bool match = wanted.empty();
        int columns = row.IsArray() ? row.Count() : 1;
        for (int c = 0; c < columns && !match; ++c) match = LowerCase(CellText(row, c)).find(wanted) != std::string::npos;
        if (match) result.push_back(i);
    }
    return result;
}

TfrmLookup::TfrmLookup(TComponent* owner, const std::string& caption, const std::vector<std::string>& titles, const Variant& rows,
                       const std::string& search)
    : TForm(owner), rows_(rows) {
    SetName("frmLookup");
    SetCaption(caption.empty() ? "查询" : caption);
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    UseDeskFont(this);
    SetBounds(0, 0, 520, 380);

    lblSearch = Place<TLabel>(this, this, "lblSearch", 10, 13, 70, 18);
    lblSearch->SetCaption("查找(&F):");
    edSearch = Place<TEdit>(this, this, "edSearch", 80, 10, 300, 22);
    edSearch->SetText(search);
    lblSearch->SetFocusControl(edSearch);
    lblCount = Place<TLabel>(this, this, "lblCount", 390, 13, 120, 18);

    lvRows = Place<TListView>(this, this, "lvRows", 10, 40, 500, 290);
    lvRows->SetViewStyle(vsReport);
    lvRows->SetRowSelect(true);
    lvRows->SetMultiSelect(true);
    lvRows->SetReadOnly(true);
    lvRows->SetHideSelection(false);
    lvRows->SetGridLines(true);
    int columns = ColumnCount(rows, titles);
    for (int c = 0; c < columns; ++c) {
        TListColumn* column = lvRows->Columns()->Add();
        column->SetCaption(c < static_cast<int>(titles.size()) ? titles[c] : std::string());
        column->SetWidth(c == 0 ? 120 : std::max(80, (480 - 120) / std::max(columns - 1, 1)));
    }
    lvRows->OnDblClick = [this](TObject*) {
        if (lvRows->Selected()) SetModalResult(mrOk);
    };

    btnOK = Place<TButton>(this, this, "btnOK", 350, 340, 75, 25);
    btnOK->SetCaption("确定");
    btnOK->SetDefault(true);
    btnOK->SetModalResult(mrOk);
    btnCancel = Place<TButton>(this, this, "btnCancel", 435, 340, 75, 25);
    btnCancel->SetCaption("取消");
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);

    edSearch->OnChange = [this](TObject*) { ShowRows(); };
    OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) {
        // Up and Down in the search box move through the rows.
        if (ActiveControl() != edSearch || (key != VK_UP && key != VK_DOWN) || lvRows->Items()->Count() == 0) return;
        int index = lvRows->ItemIndex();
        index = key == VK_DOWN ? std::min(index + 1, lvRows->Items()->Count() - 1) : std::max(index - 1, 0);
        lvRows->SetItemIndex(index);
        key = 0;
    };
    ShowRows();
    SetActiveControl(edSearch);
}

void TfrmLookup::ShowRows() {
    shown_ = MatchingRows(rows_, edSearch->Text());
    TListItems* items = lvRows->Items();
    items->BeginUpdate();
    items->Clear();
    int columns = lvRows->Columns()->Count();
    for (int index : shown_) {
        Variant row = ElementAt(rows_, index);
        TListItem* item = items->Add();
        item->SetCaption(CellText(row, 0));
        for (int c = 1; c < columns; ++c) item->SubItems()->Add(CellText(row, c));
        item->Data = reinterpret_cast<void*>(static_cast<std::intptr_t>(index));
    }
    items->EndUpdate();
    if (!shown_.empty()) lvRows->SetItemIndex(0);
    lblCount->SetCaption(std::to_string(shown_.size()) + " 笔");
}

Variant TfrmLookup::Chosen() const {
    std::vector<Variant> chosen;
    for (TListItem* item = lvRows->GetNextSelected(nullptr); item; item = lvRows->GetNextSelected(item))
        chosen.push_back(ElementAt(rows_, static_cast<int>(reinterpret_cast<std::intptr_t>(item->Data))));
    if (chosen.empty()) return {};
    return VarArrayOf(chosen);
}

Variant ChooseLookupRows(const LookupRequest& request, const Variant& rows) {
    TOwnedPtr<TfrmLookup> form(CreateComponent<TfrmLookup>(nullptr, request.caption, request.titles, rows, request.search));
    if (form->ShowModal() != mrOk) return {};
    return form->Chosen();
}
