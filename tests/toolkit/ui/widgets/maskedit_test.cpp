// Masked editing as the user types it: masked edits, data-aware edits that take their field's mask,
// and the in-place editors of data grids and string grids.
#include <gtest/gtest.h>

#include <string>

#include "tests/toolkit/ui/UiDataSupport.h"
#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/dataaware/DBCtrls.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/grids/Grids.h"
#include "toolkit/ui/kernel/KeyInput.h"
#include "toolkit/ui/widgets/MaskEdit.h"
#include "toolkit/ui/widgets/StdCtrls.h"

namespace {
using MaskEditTest = UiTest;

void Keys(const std::string& text) { SimulateTyping(nullptr, text); }
void Key(WORD key, TShiftState shift = {}) { SimulateKeystroke(nullptr, key, shift); }
}  // namespace

TEST_F(MaskEditTest, TypingFillsThePositionsSkipsLiteralsAndRefusesWhatDoesNotFit) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* date = CreateComponent<TMaskEdit>(form.get());
    date->SetParent(form.get());
    auto* other = CreateComponent<TEdit>(form.get());
    other->SetParent(form.get());
    date->SetEditMask("!9999/99/99;1;_");
    EXPECT_EQ(date->Text(), "____/__/__") << "an empty masked edit shows every position";
    form->Show();
    date->SetFocus();
    date->SetSelStart(0);

    Keys("2024");
    EXPECT_EQ(date->Text(), "2024/__/__");
    EXPECT_EQ(date->SelStart(), 5) << "the caret jumps over the literal";
    const int beeps0 = beeps->Count();
    Keys("x");
    EXPECT_EQ(date->Text(), "2024/__/__") << "a letter does not fit a digit";
    EXPECT_EQ(beeps->Count(), beeps0 + 1);
    Keys("3/");  // a typed literal moves on to the day
    EXPECT_EQ(date->Text(), "2024/3_/__");
    EXPECT_EQ(date->SelStart(), 8);
    Keys("15");
    EXPECT_EQ(date->Text(), "2024/3_/15");
    Keys("9");
    EXPECT_EQ(date->Text(), "2024/3_/15") << "nothing beyond the last position";
    EXPECT_EQ(date->UnmaskedText(), "2024/3 /15") << "blanks are stored as spaces, literals kept";

    // Backspace blanks the position before the caret and steps back over literals.
    date->SetSelStart(8);
    Key(VK_BACK);
    EXPECT_EQ(date->Text(), "2024/3_/15") << "the literal stays, the blank month position stays blank";
    EXPECT_EQ(date->SelStart(), 6);
    Key(VK_BACK);
    EXPECT_EQ(date->Text(), "2024/__/15");
    EXPECT_EQ(date->SelStart(), 5);
    Keys("03");
    EXPECT_EQ(date->Text(), "2024/03/15");
    // Delete blanks a selection without moving what follows.
    date->SetSelStart(0);
    date->SetSelLength(4);
    Key(VK_DELETE);
    EXPECT_EQ(date->Text(), "____/03/15");
    // A paste types character by character; what does not fit stops it.
    date->SetSelStart(0);
    EXPECT_TRUE(date->ReplaceSelText("1999"));
    EXPECT_EQ(date->Text(), "1999/03/15");
    date->SelectAll();
    EXPECT_FALSE(date->ReplaceSelText("20a1"));
    EXPECT_EQ(date->Text(), "20__/__/__") << "the selection is blanked, the fitting start typed";

    // Typing the literals too: one the caret just skipped is taken as typed.
    date->SetText("");
    date->SetSelStart(0);
    Keys("2024/03/15");
    EXPECT_EQ(date->Text(), "2024/03/15");

    // Code sets a value: literals added, case and blanks as the mask says.
    auto* code = CreateComponent<TMaskEdit>(form.get());
    code->SetParent(form.get());
    code->SetEditMask(">LL-000;0;_");
    code->SetText("ab123");
    EXPECT_EQ(code->Text(), "AB-123");
    EXPECT_EQ(code->UnmaskedText(), "AB123") << "literals dropped by the mask's second part";
    code->SetEditMask("");
    EXPECT_EQ(code->Text(), "AB123") << "without a mask the value stays";
}

TEST_F(MaskEditTest, LeavingAnUnfilledRequiredPositionIsRefusedAndKeepsTheFocus) {
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* code = CreateComponent<TMaskEdit>(form.get());
    code->SetParent(form.get());
    auto* other = CreateComponent<TEdit>(form.get());
    other->SetParent(form.get());
    code->SetEditMask("00:00;1;_");
    form->Show();
    code->SetFocus();
    Key(VK_TAB);
    EXPECT_EQ(form->ActiveControl(), other) << "an untouched blank text may be left";

    code->SetFocus();
    code->SetSelStart(0);
    Keys("12");
    EXPECT_THROW(Key(VK_TAB), EMaskEditError);
    EXPECT_EQ(form->ActiveControl(), code);
    EXPECT_EQ(code->SelStart(), 3) << "the caret waits on the first empty required position";
    Keys("30");
    Key(VK_TAB);
    EXPECT_EQ(form->ActiveControl(), other);
    EXPECT_EQ(code->Text(), "12:30");
}

TEST_F(MaskEditTest, ADataAwareEditTypesByItsFieldsMaskAndWritesTheValue) {
    TClientDataSet ds;
    MakeDocuments(ds, {{1, "0830", "A", "N"}});
    TDataSource source(&ds);
    TField* time = ds.FieldByName("NAME");
    time->SetEditMask("99:99;0; ");
    time->OnGetText = [](TField* f, std::string& text, bool display) {
        const std::string v = f->AsString();
        text = display && v.size() == 4 ? v.substr(0, 2) + "点" + v.substr(2) + "分" : v;
    };
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* edit = CreateComponent<TDBEdit>(form.get());
    edit->SetParent(form.get());
    edit->SetDataSource(&source);
    edit->SetDataField("NAME");
    auto* other = CreateComponent<TEdit>(form.get());
    other->SetParent(form.get());
    EXPECT_EQ(edit->Text(), "08点30分") << "without the focus: the display text, not masked";

    form->Show();
    edit->SetFocus();
    EXPECT_EQ(edit->Text(), "08:30") << "with the focus: the edit text shaped by the mask";
    edit->SetSelStart(0);
    Keys("1a7");
    EXPECT_EQ(edit->Text(), "17:30");
    EXPECT_EQ(ds.State(), dsEdit);
    Key(VK_ESCAPE);
    EXPECT_EQ(edit->Text(), "08:30") << "Escape drops what was typed";
    edit->SetSelStart(3);
    Keys("45");
    Key(VK_TAB);
    EXPECT_EQ(time->AsString(), "0845") << "the field receives the value without the literal";
    EXPECT_EQ(edit->Text(), "08点45分");
}

TEST_F(MaskEditTest, GridEditorsTypeByTheCellsMask) {
    TClientDataSet ds;
    MakeDocuments(ds, {{1, "2024/01/02", "A", "N"}, {2, "", "B", "N"}});
    TDataSource source(&ds);
    ds.FieldByName("NAME")->SetEditMask("!9999/99/99;1;_");
    TOwnedPtr<TForm> form(CreateComponent<TForm>(nullptr));
    auto* grid = CreateComponent<TDBGrid>(form.get());
    grid->SetParent(form.get());
    grid->SetDataSource(&source);
    form->Show();
    grid->SetFocus();
    grid->SetSelectedField(ds.FieldByName("NAME"));

    // The first key fills the mask from its start; a letter is refused with a beep.
    ds.Next();
    Keys("2025");
    EXPECT_EQ(grid->EditorText(), "2025/__/__");
    const int beeps0 = beeps->Count();
    Keys("q");
    EXPECT_EQ(beeps->Count(), beeps0 + 1);
    Keys("0607");
    EXPECT_EQ(grid->EditorText(), "2025/06/07");
    Key(VK_BACK);
    Keys("8");
    Key(VK_RETURN);
    EXPECT_EQ(ds.FieldByName("NAME")->AsString(), "2025/06/08");

    // A string grid asks its event for the mask of a cell.
    auto* strings = CreateComponent<TStringGrid>(form.get());
    strings->SetParent(form.get());
    strings->SetOptions(strings->Options() + goEditing);
    strings->OnGetEditMask = [](TObject*, int col, int row, std::string& mask) {
        if (col == 1) mask = "99:99;1; ";
    };
    strings->SetFocus();
    strings->FocusCell(1, 1);
    Keys("0915");
    EXPECT_EQ(strings->Cells(1, 1), "09:15");
    strings->FocusCell(2, 1);
    Keys("0915");
    EXPECT_EQ(strings->Cells(2, 1), "0915") << "an unmasked cell takes the text as typed";
}
