// The quick search of the maintenance windows: rkSearchDialog1 with the texts of RkUserIntl1, run
// on the grid that has the focus; the window speaks the user's language and script, the grid
// follows the chosen field, and a blank text or a failed search is reported by coded message.
#include "controls/RkSearch.h"
#include "controls/RkSearchDlg.h"
#include "framework/forms/BaseForm.h"
#include "server/Brokers.h"
#include "toolkit/data/DataSet.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/grids/DBGrid.h"
#include "toolkit/ui/widgets/ComboBox.h"
#include "toolkit/ui/widgets/ToolBar.h"

void TfrmBase::BuildSearch() {
    RkUserIntl1 = CreateComponent<TRkUserIntl>(this);
    RkUserIntl1->SetName("RkUserIntl1");
    RkUserIntl1->DialogFont()->SetName("宋体");
    RkUserIntl1->DialogFont()->SetHeight(-13);
    TRkUserMessages& messages = *RkUserIntl1->UserMessages();
    messages.SearchedTextBlank = "查找的值不可为空。";
    messages.SearchedTextNotFound = "\"%s\"没有找到";
    TRkUserDialogInfo& texts = *RkUserIntl1->UserDialogInfo();
    texts.BtnClose = "关闭(&O)";
    texts.BtnNext = "下一个(&N)";
    texts.ChkCaseSentitive = "区分大小写(&C)";
    texts.ChkWholeWords = "全字匹配(&W)";
    texts.GrpDirection = "方向";
    texts.GrpFields = "字段(&S)";
    texts.GrpOptions = "选项";
    texts.GrpOrigin = "区域";
    texts.LblSearchText = "查找的值(&T)";
    texts.RbBackward = "向上(&B)";
    texts.RbForward = "向下(&D)";
    texts.RbFromCursor = "从当前位置查找(&F)";
    texts.RbFromBeginning = "从头开始查找(&E)";

    rkSearchDialog1 = CreateComponent<TrkSearchDialog>(this);
    rkSearchDialog1->SetName("rkSearchDialog1");
    rkSearchDialog1->Caption = "快速定位";
    rkSearchDialog1->CaseSensitive = false;
    rkSearchDialog1->Direction = sdForward;
    rkSearchDialog1->Origin = soFromCursor;
    rkSearchDialog1->SortFields = sfSortByFieldName;
    rkSearchDialog1->WholeWordsOnly = false;
    rkSearchDialog1->ShowMessages = false;
    rkSearchDialog1->SetUserIntl(RkUserIntl1);
    rkSearchDialog1->OnInitDialog = [this](TObject* d) { rkSearchDialog1InitDialog(d); };
    rkSearchDialog1->OnSelectField = [this](TObject* d, const std::string& n, const std::string& l) {
        rkSearchDialog1SelectField(d, n, l);
    };
    rkSearchDialog1->BeforeSearch = [this](TObject* d) { rkSearchDialog1BeforeSearch(d); };
    rkSearchDialog1->AfterSearch = [this](TObject* d, bool& found) { rkSearchDialog1AfterSearch(d, found); };
}

bool TfrmBase::QuickSearch(TCustomGrid* grid) {
    auto* dataGrid = dynamic_cast<TDBGrid*>(grid);
    if (!dataGrid || !dataGrid->DataSet() || !dataGrid->DataSet()->Active()) return false;
    rkSearchDialog1->SetSearchGrid(dataGrid);
    rkSearchDialog1->Execute();
    return true;
}

void TfrmBase::rkSearchDialog1InitDialog(TObject* Dialog) {
    auto* window = dynamic_cast<TfrmSearchDlg*>(Dialog);
    if (!window) return;
    window->SetFont(ToolBar1->Font());
    // The captions are the language file's (applied to rkSearchDialog1 and RkUserIntl1 with the
    // window); they are shown in the user's script.
    window->SetCaption(RkConverter->ToDisplayText(rkSearchDialog1->Caption));
    for (int i = 0; i < window->ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(window->Components(i)); control && !control->Caption().empty())
            control->SetCaption(RkConverter->ToDisplayText(control->Caption()));
    TDBGrid* grid = rkSearchDialog1->SearchGrid();
    TField* field = grid ? grid->SelectedField() : nullptr;
    if (!field) return;
    for (std::size_t i = 0; i < window->FieldNames.size(); ++i) {
        if (CompareText(window->FieldNames[i], field->FieldName()) != 0) continue;
        window->cbbFields->SetItemIndex(static_cast<int>(i));
        window->cbbFieldsChange(window->cbbFields);
        break;
    }
}

void TfrmBase::rkSearchDialog1SelectField(TObject* Dialog, const std::string& FieldName, const std::string& DisplayLabel) {
    TDBGrid* grid = rkSearchDialog1->SearchGrid();
    TDataSet* dataSet = grid ? grid->DataSet() : nullptr;
    if (TField* field = dataSet ? dataSet->FindField(FieldName) : nullptr) grid->SetSelectedField(field);
}

void TfrmBase::rkSearchDialog1BeforeSearch(TObject* Dialog) {
    auto* window = dynamic_cast<TfrmSearchDlg*>(Dialog);
    if (!window || !window->cbbText->Text().empty()) return;
    Brokers->ShowMessageByCode("E", "000032", {RkConverter->ToDisplayText(RkUserIntl1->UserMessages()->SearchedTextBlank)});
    throw EAbort();
}

void TfrmBase::rkSearchDialog1AfterSearch(TObject* Dialog, bool& Found) {
    auto* window = dynamic_cast<TfrmSearchDlg*>(Dialog);
    if (Found || !window) return;
    const std::string text = RkConverter->ToDisplayText(RkUserIntl1->UserMessages()->SearchedTextNotFound);
    Brokers->ShowMessageByCode("E", "000032", {Format(text, {window->cbbText->Text()})});
}
