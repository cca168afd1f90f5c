// Editing the body in the grid: the keys of the master-detail form, entering and leaving the grid,
// deleting a line, the key check before a line is posted, sorting by a title, and the labels of the
// body's user-defined columns.
#include "framework/data/FieldLists.h"
#include "framework/forms/DoubleCF.h"
#include "server/Brokers.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/widgets/PageControl.h"

namespace {

const TLangKeys kKeys("TfrmDouble", {{"sDefItem", "自定义项%d"}});

constexpr TColor kKeyFieldColor = RGB(0, 200, 200);
constexpr int kAnswerOk = mrOk;

bool Editing(const TDataSet* dataSet) { return dataSet && (dataSet->State() == dsEdit || dataSet->State() == dsInsert); }

}  // namespace

// --- Keys -----------------------------------------------------------------------------------------

bool TfrmDouble::DialogKey(WORD key, TShiftState shift) {
    // Ctrl+Down is the form's wherever the focus is (a page control would take it as a dialog key).
    if (key == VK_DOWN && shift == TShiftState{ssCtrl}) {
        EnterBody(false);
        return true;
    }
    return TfrmSingle::DialogKey(key, shift);
}

void TfrmDouble::FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
    TdmDouble* dm = DoubleDM();
    const bool ctrl = Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt) && !Shift.Contains(ssShift);
    const bool inBody = ActiveControl() == gdBody1;
    if (ctrl && Key == VK_DOWN) {
        EnterBody(false);
        Key = 0;
        return;
    }
    if (inBody && gdBody1->ReadOnly() && Shift.Empty() && (Key == VK_F2 || Key == VK_F3 || Key == VK_F4)) {
        Key = 0;
        return;
    }
    if (inBody && ctrl && Key == VK_DELETE) {
        if (DeleteBodyLine()) Key = 0;
        return;
    }
    if (Key == VK_RETURN && Shift.Empty()) {
        if (inBody) return;  // the grid moves to the next cell
        if (dm && ActiveControl() && ActiveControl() == FinalControl && Editing(dm->cdsMain)) {
            // The last header control leads into the body; saving is F12's.
            EnterBody(true);
            Key = 0;
            return;
        }
    }
    TfrmSingle::FormKeyDown(Sender, Key, Shift);
}

void TfrmDouble::FormKeyPress(TObject* Sender, char32_t& Key) { TfrmSingle::FormKeyPress(Sender, Key); }

bool TfrmDouble::DeleteBodyLine() {
    TdmDouble* dm = DoubleDM();
    if (!dm || EditMode == emBrowse || gdBody1->ReadOnly() || !bodyEditable_) return false;
    TClientDataSet* body = dm->cdsBody1;
    if (!body->Active() || body->IsEmpty()) return false;
    if (Brokers->ShowMessageByCode("C", "000005") == kAnswerOk) body->Delete();
    return true;
}

// --- Entering and leaving the grid ----------------------------------------------------------------

void TfrmDouble::gdBody1Enter(TObject* /*Sender*/) {
    TdmDouble* dm = DoubleDM();
    if (!dm || EditMode == emBrowse || !bodyEditable_ || Editing(dm->cdsBody1)) return;
    TClientDataSet* main = dm->cdsMain;
    TClientDataSet* body = dm->cdsBody1;
    const TBookmark line = body->Active() ? body->GetBookmark() : 0;
    try {
        // Header and body are saved together: the header goes on being edited.
        if (Editing(main) && main->Modified()) main->Post();
        if (main->State() == dsBrowse && !main->IsEmpty()) main->Edit();
    } catch (const EAbort&) {
        return;  // the header was refused and the user told why
    }
    if (!body->Active()) return;
    if (line && body->BookmarkValid(line)) body->GotoBookmark(line);
    if (body->IsEmpty()) {
        body->Append();
        BodyGridToFirstColumn();
    }
}

void TfrmDouble::gdBody1Exit(TObject* /*Sender*/) {
    TdmDouble* dm = DoubleDM();
    if (!dm || !Editing(dm->cdsBody1)) return;
    try {
        dm->cdsBody1->Post();
    } catch (const EAbort&) {
        // Refused: the line stays being edited and the user was told why.
    }
}

void TfrmDouble::gdBody1KeyDown(TObject* /*Sender*/, WORD& Key, TShiftState Shift) {
    // Ctrl+Delete is the form's (it asks first); the grid must not delete on its own.
    if (Key == VK_DELETE && Shift.Contains(ssCtrl)) Key = 0;
    // Enter takes the typed text and moves to the next cell, as Tab does.
    if (Key == VK_RETURN && Shift.Empty()) Key = VK_TAB;
}

// --- Posting a line -------------------------------------------------------------------------------

bool TfrmDouble::ValidateBeforePost(TDataSet* dataSet) {
    TdmDouble* dm = DoubleDM();
    if (dm && dataSet == dm->cdsBody1 && EditMode != emBrowse) {
        for (const std::string& name : dm->BodyKeyFieldNames()) {
            TField* field = dataSet->FindField(name);
            if (!field || !Trim(field->AsString()).empty()) continue;
            Brokers->ShowMessageByCode("E", "000003", {field->DisplayLabel()});
            if (gdBody1->CanFocus()) {
                gdBody1->SetFocus();
                gdBody1->SetSelectedField(field);
            }
            return false;
        }
    }
    return TfrmSingle::ValidateBeforePost(dataSet);
}

// --- Titles ---------------------------------------------------------------------------------------

void TfrmDouble::gdBody1TitleButtonClick(TObject* /*Sender*/, const std::string& FieldName) {
    TdmDouble* dm = DoubleDM();
    if (!dm || !BodyTitleSortEnabled) return;
    dm->SortBodyByField(FieldName);
    gdBody1->OnCalcTitleImage = [dm](TObject*, TField* field, int& image) {
        if (field && field == dm->BodySortField) image = dm->IsAscending(dm->cdsBody1) ? 0 : 1;
    };
    gdBody1->Invalidate();
}

void TfrmDouble::ApplyBodyTitleColors() {
    TdmDouble* dm = DoubleDM();
    if (!dm) return;
    const std::vector<std::string> keys = dm->BodyKeyFieldNames();
    gdBody1->OnCalcTitleAttributes = [keys](TObject*, TField* field, TFont*, TBrush* brush, TAlignment&) {
        if (!field) return;
        for (const std::string& key : keys)
            if (SameText(key, field->FieldName())) brush->SetColor(kKeyFieldColor);
    };
}

// The body's user-defined columns are hidden and named as the table definitions name them.
void TfrmDouble::LabelBodyUserFields() {
    TdmDouble* dm = DoubleDM();
    if (!dm || !dm->cdsBody1->Active() || !Brokers) return;
    const std::string table = Brokers->ProgramInfo.Values("D11_TABLE");
    int found = 0;
    for (int n = 1; n <= 100; ++n) {
        TField* field = dm->cdsBody1->FindField(Format("UDF%.2d", {n}));
        if (!field) continue;
        ++found;
        field->SetVisible(false);
        Variant values;
        std::string label;
        try {
            if (Brokers->CheckValue("ADMMD", "02", VarArrayOf({table, field->FieldName()}), values) && values.IsArray() &&
                values.Count() > 0)
                label = Trim(VarToStr(values[values.Low()]));
        } catch (const std::exception&) {
            label.clear();
        }
        field->SetDisplayLabel(label.empty() ? Format(LangText(kKeys, "sDefItem", true), {found}) : label);
    }
}
