// FindText: the record search behind the find dialog's "next".
#include "controls/RkSearch.h"
#include "toolkit/data/DataSet.h"
#include "toolkit/rtl/ControlsDisabled.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/grids/DBGrid.h"

namespace {

// The field whose text is compared: the grid column showing fieldName. When the grid shows no
// such column, the column at the field's position among the dataset's visible fields.
TField* SearchedField(TDBGrid* grid, TDataSet* dataSet, const std::string& fieldName) {
    TField* wanted = dataSet->FindField(fieldName);
    int visibleIndex = -1, position = 0;
    for (TField* field : dataSet->FieldList()) {
        if (!field->Visible()) continue;
        if (field == wanted) visibleIndex = position;
        ++position;
    }
    TDBGridColumns* columns = grid->Columns();
    std::vector<TColumn*> shown;
    for (int i = 0; i < columns->Count(); ++i)
        if (columns->Items(i)->Visible()) shown.push_back(columns->Items(i));
    for (TColumn* column : shown)
        if (wanted && column->Field() == wanted) return wanted;
    if (visibleIndex >= 0 && visibleIndex < static_cast<int>(shown.size()) && shown[visibleIndex]->Field())
        return shown[visibleIndex]->Field();
    return wanted;
}

}  // namespace

bool FindText(TDBGrid* grid, const std::string& fieldName, const std::string& text, bool fromBeginning, bool backward,
              bool wholeWords, bool caseSensitive) {
    TDataSet* dataSet = grid ? grid->DataSet() : nullptr;
    if (!dataSet || !dataSet->Active()) throw ESearchError(TRkUserMessages::DataSourceInactive);
    dataSet->CheckBrowseMode();
    TControlsDisabled still(dataSet);
    const TBookmark start = dataSet->GetBookmark();
    if (backward)
        dataSet->Prior();
    else
        dataSet->Next();
    if (fromBeginning) {
        if (backward)
            dataSet->Last();
        else
            dataSet->First();
    }
    TField* field = SearchedField(grid, dataSet, fieldName);
    const std::string wanted = caseSensitive ? text : UpperCase(text);
    while (field && !(backward ? dataSet->Bof() : dataSet->Eof())) {
        std::string cell = TrimRight(field->DisplayText());
        if (!caseSensitive) cell = UpperCase(cell);
        if (wholeWords ? cell == wanted : cell.find(wanted) != std::string::npos) return true;
        if (backward)
            dataSet->Prior();
        else
            dataSet->Next();
    }
    dataSet->GotoBookmark(start);
    return false;
}
