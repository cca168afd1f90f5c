#include "controls/RkSearch.h"

#include <algorithm>

#include "controls/RkSearchDlg.h"
#include "toolkit/data/DataSet.h"
#include "toolkit/rtl/ScopeExit.h"
#include "toolkit/ui/grids/DBGrid.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/ComboBox.h"

void TrkSearchDialog::Publish(TPublisher<TrkSearchDialog>& p) {
    p.Property("Caption", &TrkSearchDialog::Caption);
    p.Property("CaseSensitive", &TrkSearchDialog::CaseSensitive);
    p.Property("Direction", &TrkSearchDialog::Direction);
    p.Property("Origin", &TrkSearchDialog::Origin);
    p.Property("WholeWordsOnly", &TrkSearchDialog::WholeWordsOnly);
    p.Property("ShowMessages", &TrkSearchDialog::ShowMessages);
    p.Property("SortFields", &TrkSearchDialog::SortFields);
    p.Property("SearchGrid", &TrkSearchDialog::SearchGrid, &TrkSearchDialog::SetSearchGrid);
    p.Property("UserIntl", &TrkSearchDialog::UserIntl, &TrkSearchDialog::SetUserIntl);
    p.Property("BeforeSearch", &TrkSearchDialog::BeforeSearch);
    p.Property("AfterSearch", &TrkSearchDialog::AfterSearch);
    p.Property("OnInitDialog", &TrkSearchDialog::OnInitDialog);
    p.Property("OnSelectField", &TrkSearchDialog::OnSelectField);
}

TrkSearchDialog::TrkSearchDialog(TComponent* owner) : TComponent(owner), messages_(new TRkUserMessages) {}

TrkSearchDialog::~TrkSearchDialog() {
    if (window_) window_->Dialog = nullptr;
}

void TrkSearchDialog::SetSearchGrid(TDBGrid* grid) {
    if (grid == grid_) return;
    if (grid_) grid_->RemoveFreeNotification(this);
    grid_ = grid;
    if (grid_) grid_->FreeNotification(this);
}

void TrkSearchDialog::SetUserIntl(TRkUserIntl* intl) {
    if (intl == intl_) return;
    if (intl_) intl_->RemoveFreeNotification(this);
    intl_ = intl;
    if (intl_) intl_->FreeNotification(this);
}

const TRkUserMessages& TrkSearchDialog::Messages() const { return intl_ ? *intl_->UserMessages() : *messages_; }

void TrkSearchDialog::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == grid_) grid_ = nullptr;
    if (component == intl_) intl_ = nullptr;
}

bool TrkSearchDialog::Execute() {
    TDataSet* dataSet = grid_ ? grid_->DataSet() : nullptr;
    if (!dataSet || !dataSet->Active()) throw ESearchError(TRkUserMessages::DataSourceInactive);
    TOwnedPtr<TfrmSearchDlg> window(CreateComponent<TfrmSearchDlg>(Application));
    window->Dialog = this;
    window->Grid = grid_;
    window->cbbText->SetText(lastText_);
    window->SetCaption(Caption);
    window->chkCase->SetChecked(CaseSensitive);
    window->chkWholeWords->SetChecked(WholeWordsOnly);
    (Direction == sdBackward ? window->rbBackward : window->rbForward)->SetChecked(true);
    (Origin == soFromBeginning ? window->rbBeginning : window->rbCursor)->SetChecked(true);

    // The visible fields as "label<tab>name", by that text or in field order.
    std::vector<std::pair<std::string, std::string>> fields;
    for (TField* field : dataSet->FieldList())
        if (field->Visible()) fields.emplace_back(field->DisplayLabel(), field->FieldName());
    if (SortFields == sfSortByFieldName)
        std::stable_sort(fields.begin(), fields.end(),
                         [](const auto& a, const auto& b) { return a.first + '\t' + a.second < b.first + '\t' + b.second; });
    for (const auto& [label, name] : fields) {
        window->cbbFields->Items()->Add(label);
        window->FieldNames.push_back(name);
    }
    if (!fields.empty()) window->cbbFields->SetItemIndex(0);

    window_ = window.get();
    TScopeExit closed([&] {
        lastText_ = window->cbbText->Text();
        window_ = nullptr;
    });
    return window->ShowModal() == mrOk;
}
