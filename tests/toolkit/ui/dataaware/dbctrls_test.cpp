// Data-aware edits, combo boxes, labels, check boxes and radio groups bound to a real client dataset.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/ui/UiDataSupport.h"
#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dataaware/DBCtrls.h"
#include "toolkit/ui/kernel/KeyInput.h"
#include "toolkit/ui/widgets/StdCtrls.h"

namespace {
using DBCtrlsTest = UiTest;

struct BoundForm {
    TClientDataSet ds;
    TDataSource source{&ds};
    TOwnedPtr<TForm> form{CreateComponent<TForm>(nullptr)};

    template <class T>
    T* Bind(const std::string& name, const std::string& field) {
        auto* c = CreateComponent<T>(form.get());
        c->SetName(name);
        c->SetParent(form.get());
        c->SetDataSource(&source);
        c->SetDataField(field);
        return c;
    }
};
}  // namespace

TEST_F(DBCtrlsTest, EditWritesThroughTheFieldAndAbandonsOnAbort) {
    BoundForm b;
    MakeDocuments(b.ds, {{1, "first", "A", "N"}, {2, "second", "B", "Y"}});
    TField* name = b.ds.FieldByName("NAME");
    std::vector<std::string> log;
    name->OnSetText = [&](TField* f, const std::string& text) {
        log.push_back("set text " + text);
        f->SetAsString(UpperCase(text));
    };
    name->OnValidate = [&](TField* f) {
        log.push_back("validate " + f->AsString());
        if (f->AsString() == "BAD") throw EAbort();
    };
    name->SetDisplayFormat("");
    auto* edtName = b.Bind<TDBEdit>("edtName", "NAME");
    auto* edtId = b.Bind<TDBEdit>("edtId", "ID");
    EXPECT_EQ(edtName->Text(), "first");
    EXPECT_EQ(edtId->Text(), "1");

    b.form->Show();
    edtName->SetFocus();
    SimulateTyping(nullptr, "xyz");
    EXPECT_EQ(b.ds.State(), dsEdit) << "typing puts the dataset into edit";
    EXPECT_EQ(name->AsString(), "first") << "nothing is written while typing";
    SimulateKeystroke(nullptr, VK_TAB);
    EXPECT_EQ(b.form->ActiveControl(), edtId);
    EXPECT_EQ(name->AsString(), "XYZ");
    EXPECT_EQ(edtName->Text(), "XYZ") << "the control shows the field again once left";
    EXPECT_EQ(log, (std::vector<std::string>{"set text xyz", "validate XYZ"}));

    // A validation that aborts keeps the field, the typed text and the focus, and shows nothing.
    edtName->SetFocus();
    SimulateTyping(nullptr, "bad");
    EXPECT_THROW(SimulateKeystroke(nullptr, VK_TAB), EAbort);
    EXPECT_EQ(b.form->ActiveControl(), edtName);
    EXPECT_EQ(name->AsString(), "XYZ");
    EXPECT_EQ(edtName->Text(), "bad");
    EXPECT_EQ(messages->Count(), 0);
    // Enter writes too (and aborts the same way); Escape drops the typing.
    EXPECT_THROW(SimulateKeystroke(nullptr, VK_RETURN), EAbort);
    SimulateKeystroke(nullptr, VK_ESCAPE);
    EXPECT_EQ(edtName->Text(), "XYZ");
    EXPECT_EQ(b.form->ModalResult(), mrNone);
    SimulateTyping(nullptr, "ok");
    SimulateKeystroke(nullptr, VK_RETURN);
    EXPECT_EQ(name->AsString(), "OK");

    // A text the field cannot take is refused with its conversion error; the focus stays.
    edtId->SetFocus();
    SimulateTyping(nullptr, "x1");
    EXPECT_ANY_THROW(b.form->Perform(WM_NEXTDLGCTL, 0, 0));
    EXPECT_EQ(b.form->ActiveControl(), edtId);
    EXPECT_EQ(b.ds.FieldByName("ID")->AsInteger(), 1);
    SimulateKeystroke(nullptr, VK_ESCAPE);

    // Posting writes pending text; moving shows the next record.
    edtName->SetFocus();
    SimulateTyping(nullptr, "posted");
    b.ds.Post();
    EXPECT_EQ(name->AsString(), "POSTED");
    b.ds.Next();
    EXPECT_EQ(edtName->Text(), "second");
    EXPECT_EQ(edtId->Text(), "2");

    // A read-only field refuses typing and leaves the dataset alone.
    name->SetReadOnly(true);
    SimulateTyping(nullptr, "q");
    EXPECT_EQ(b.ds.State(), dsBrowse);
    EXPECT_EQ(edtName->Text(), "second");
    EXPECT_GE(beeps->Count(), 1);
    b.form->Hide();
}

TEST_F(DBCtrlsTest, ComboBoxShowsTheTextAndStoresTheValue) {
    BoundForm b;
    MakeDocuments(b.ds, {{1, "first", "B", "N"}, {2, "second", "Z", "Y"}});
    TField* kind = b.ds.FieldByName("KIND");
    auto* cbo = b.Bind<TDBComboBox>("cboKind", "KIND");
    auto* other = CreateComponent<TEdit>(b.form.get());
    other->SetParent(b.form.get());
    cbo->Items()->AddStrings(std::vector<std::string>{"甲\tA", "乙\tB", "丙\tC"});
    EXPECT_EQ(cbo->Text(), "乙");
    EXPECT_EQ(cbo->ItemIndex(), 1);
    EXPECT_EQ(cbo->ItemText(2), "丙");
    EXPECT_EQ(cbo->ItemValue(2), "C");

    b.form->Show();
    cbo->SetFocus();
    SimulateKeystroke(nullptr, VK_DOWN);
    EXPECT_EQ(cbo->Text(), "丙");
    EXPECT_EQ(b.ds.State(), dsEdit);
    EXPECT_EQ(kind->AsString(), "B") << "written when left";
    b.form->Perform(WM_NEXTDLGCTL, 0, 0);
    EXPECT_EQ(kind->AsString(), "C");

    // Typing an item's text stores its value; another text is stored as typed.
    cbo->SetFocus();
    SimulateTyping(nullptr, "甲");
    SimulateKeystroke(nullptr, VK_RETURN);
    EXPECT_EQ(kind->AsString(), "A");
    cbo->SelectAll();
    SimulateTyping(nullptr, "Q");
    SimulateKeystroke(nullptr, VK_RETURN);
    EXPECT_EQ(kind->AsString(), "Q");
    b.ds.Post();

    // A value no item has shows as it is, or not at all in a list style.
    b.ds.Next();
    EXPECT_EQ(cbo->Text(), "Z");
    EXPECT_EQ(cbo->ItemIndex(), -1);
    cbo->SetStyle(csDropDownList);
    b.ds.Prior();
    b.ds.Next();
    EXPECT_EQ(cbo->Text(), "");
    // Without MapList the whole line is shown and stored.
    cbo->SetMapList(false);
    EXPECT_EQ(cbo->ItemText(0), "甲\tA");
    b.form->Hide();
}

TEST_F(DBCtrlsTest, LabelsCheckBoxesAndRadioGroupsFollowTheirFields) {
    BoundForm b;
    MakeDocuments(b.ds, {{1, "first", "A", "Y"}, {2, "second", "B", ""}});
    auto* text = b.Bind<TDBText>("lblName", "NAME");
    auto* check = b.Bind<TDBCheckBox>("chkDone", "DONE");
    check->SetValueChecked("Y;y");
    check->SetValueUnchecked("N");
    auto* group = b.Bind<TDBRadioGroup>("rgKind", "KIND");
    group->Items()->AddStrings(std::vector<std::string>{"Kind A", "Kind B"});
    group->Values()->AddStrings(std::vector<std::string>{"A", "B"});
    EXPECT_EQ(text->Caption(), "first");
    EXPECT_EQ(check->State(), cbChecked);
    EXPECT_EQ(group->ItemIndex(), 0);

    b.form->Show();
    check->SetFocus();
    SimulateKeystroke(nullptr, VK_SPACE);
    EXPECT_FALSE(check->Checked());
    group->Buttons(1)->SetFocus();
    EXPECT_EQ(b.ds.FieldByName("DONE")->AsString(), "N") << "the check box wrote when left";
    SimulateKeystroke(nullptr, VK_SPACE);
    EXPECT_EQ(group->Value(), "B");
    check->SetFocus();
    EXPECT_EQ(b.ds.FieldByName("KIND")->AsString(), "B");
    b.ds.Post();

    b.ds.Next();
    EXPECT_EQ(text->Caption(), "second");
    EXPECT_EQ(check->State(), cbGrayed) << "a value neither checked nor unchecked";
    EXPECT_EQ(group->ItemIndex(), 1);
    // Read-only controls do not change the data.
    group->SetReadOnly(true);
    group->Buttons(0)->SetFocus();
    SimulateKeystroke(nullptr, VK_SPACE);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(b.ds.State(), dsBrowse);
    b.form->Hide();
}
