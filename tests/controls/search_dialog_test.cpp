// The find dialog on a data grid, driven as a user drives its window: the text, the field, the
// options and "next"; where the dataset ends up and what the user is told.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/RkSearch.h"
#include "controls/RkSearchDlg.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/DataSource.h"
#include "toolkit/ui/dialogs/ScriptedMessageService.h"
#include "toolkit/ui/dialogs/ScriptedModalLoop.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/KeyInput.h"
#include "toolkit/ui/kernel/Screen.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/CheckBox.h"
#include "toolkit/ui/widgets/ComboBox.h"

namespace {

class SearchDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedMessages_ = Application->SetMessageService(messages);
        savedModal_ = Application->SetModalLoop(modal);
        form.reset(CreateComponent<TForm>(nullptr));
        data = CreateComponent<TClientDataSet>(form.get());
        data->FieldDefs().Add("MC001", ftString, 20);
        data->FieldDefs().Add("MC002", ftString, 40);
        data->CreateDataSet();
        for (auto [code, name] : std::vector<std::pair<const char*, const char*>>{
                 {"T01", "ABC"}, {"T02", "ABC DEF"}, {"T03", "xABCx"}, {"T04", "ABC   "}, {"T05", "其他"}})
            data->AppendRecord({Variant(code), Variant(name)});
        data->FieldByName("MC001")->SetDisplayLabel("表代号");
        data->FieldByName("MC002")->SetDisplayLabel("名称");
        source = CreateComponent<TDataSource>(form.get());
        source->SetDataSet(data);
        grid = CreateComponent<TDBGrid>(form.get());
        grid->SetParent(form.get());
        grid->SetDataSource(source);
        dialog = CreateComponent<TrkSearchDialog>(form.get());
        dialog->SetSearchGrid(grid);
    }
    void TearDown() override {
        form.reset();
        Application->ProcessMessages();
        Application->SetMessageService(savedMessages_);
        Application->SetModalLoop(savedModal_);
        EXPECT_EQ(Screen->FormCount(), 0);
    }

    // Runs the dialog; the script acts on its window (typing, choosing, pressing "next").
    bool Run(const std::function<void(TfrmSearchDlg&)>& script) {
        modal->WhenNext("TfrmSearchDlg", [&](TCustomForm& window) {
            auto& search = static_cast<TfrmSearchDlg&>(window);
            script(search);
            if (window.ModalResult() == mrNone) search.btnClose->Click();
        });
        return dialog->Execute();
    }
    static void Choose(TfrmSearchDlg& window, const std::string& label) {
        window.cbbFields->SelectByUser(window.cbbFields->Items()->IndexOf(label));
    }
    static void Next(TfrmSearchDlg& window, const std::string& text) {
        window.cbbText->SetText(text);
        window.btnNext->Click();
    }
    std::string Code() const { return data->FieldByName("MC001")->AsString(); }

    std::shared_ptr<TScriptedMessageService> messages = std::make_shared<TScriptedMessageService>();
    std::shared_ptr<TScriptedModalLoop> modal = std::make_shared<TScriptedModalLoop>();
    TOwnedPtr<TForm> form;
    TClientDataSet* data = nullptr;
    TDataSource* source = nullptr;
    TDBGrid* grid = nullptr;
    TrkSearchDialog* dialog = nullptr;

private:
    std::shared_ptr<IMessageService> savedMessages_;
    std::shared_ptr<IModalLoop> savedModal_;
};

}  // namespace

TEST_F(SearchDialogTest, TheWindowOffersTheFieldsTheSettingsAndTheLastText) {
    dialog->Caption = "快速定位";
    dialog->CaseSensitive = true;
    dialog->Direction = sdBackward;
    dialog->Origin = soFromBeginning;
    std::vector<std::string> selected;
    dialog->OnSelectField = [&](TObject*, const std::string& name, const std::string& label) {
        selected.push_back(name + "=" + label);
    };
    int inits = 0;
    dialog->OnInitDialog = [&](TObject* window) {
        ++inits;
        EXPECT_TRUE(dynamic_cast<TfrmSearchDlg*>(window));
    };
    EXPECT_FALSE(Run([&](TfrmSearchDlg& w) {
        EXPECT_EQ(w.Caption(), "快速定位");
        EXPECT_EQ(w.cbbText->Text(), "");
        EXPECT_TRUE(w.chkCase->Checked());
        EXPECT_FALSE(w.chkWholeWords->Checked());
        EXPECT_TRUE(w.rbBackward->Checked());
        EXPECT_TRUE(w.rbBeginning->Checked());
        EXPECT_FALSE(w.rbCursor->Checked());
        EXPECT_EQ(w.cbbFields->Items()->Text(), "名称\r\n表代号\r\n") << "sorted by label";
        EXPECT_EQ(w.cbbFields->ItemIndex(), 0);
        EXPECT_EQ(w.FieldNames, (std::vector<std::string>{"MC002", "MC001"}));
        EXPECT_EQ(w.btnNext->Caption(), "&Next");
        Choose(w, "表代号");
        w.cbbText->SetText("T0");
    }));
    EXPECT_EQ(inits, 1);
    EXPECT_EQ(selected, (std::vector<std::string>{"MC001=表代号"}));

    // The last text comes back; in field order now; the texts of a UserIntl replace the built-in ones.
    EXPECT_EQ(dialog->LastSearchText(), "T0");
    dialog->SortFields = sfSortByFieldNo;
    auto* intl = CreateComponent<TRkUserIntl>(form.get());
    intl->UserDialogInfo()->BtnNext = "下一个(&N)";
    intl->UserDialogInfo()->RbFromBeginning = "从头开始查找(&E)";
    intl->DialogFont()->SetName("宋体");
    dialog->SetUserIntl(intl);
    Run([&](TfrmSearchDlg& w) {
        EXPECT_EQ(w.cbbText->Text(), "T0");
        EXPECT_EQ(w.FieldNames, (std::vector<std::string>{"MC001", "MC002"}));
        EXPECT_EQ(w.btnNext->Caption(), "下一个(&N)");
        EXPECT_EQ(w.rbBeginning->Caption(), "从头开始查找(&E)");
        EXPECT_EQ(w.btnClose->Caption(), "Cl&ose");
        EXPECT_EQ(w.Font()->Name(), "宋体");
        w.cbbText->SetText("again");
    });
    EXPECT_EQ(dialog->LastSearchText(), "again");

    // A grid without an open dataset cannot be searched.
    data->Close();
    try {
        dialog->Execute();
        FAIL() << "no error";
    } catch (const ESearchError& e) {
        EXPECT_STREQ(e.what(), "DataSource does not reference an active DataSet");
    }
    EXPECT_TRUE(modal->Showings().size() == 2u);
}

TEST_F(SearchDialogTest, NextFindsForwardBackwardFromTheBeginningAndStaysWhenNothingIsFound) {
    // Forward from the last record: nothing, the record stays, the user is told.
    data->Last();
    Run([&](TfrmSearchDlg& w) {
        Choose(w, "名称");
        Next(w, "ABC");
    });
    EXPECT_EQ(Code(), "T05");
    ASSERT_EQ(messages->Count(), 1);
    EXPECT_EQ(messages->Last().Text, "Search string \"ABC\" not found");
    EXPECT_EQ(messages->Last().Request.DlgType, mtInformation);

    // From the beginning: the first record itself matches; the origin turns to the cursor, so the
    // next press goes on after it. Case does not matter inside a word (xABCx); going backward
    // returns.
    data->First();
    data->Next();
    data->Next();
    dialog->Origin = soFromBeginning;
    std::vector<std::string> found;
    Run([&](TfrmSearchDlg& w) {
        Choose(w, "名称");
        Next(w, "abc");
        found.push_back(Code());
        EXPECT_TRUE(w.rbCursor->Checked());
        EXPECT_FALSE(w.rbBeginning->Checked());
        Next(w, "abc");
        found.push_back(Code());
        Next(w, "abc");
        found.push_back(Code());
        w.rbBackward->SetChecked(true);
        Next(w, "abc");
        found.push_back(Code());
        w.chkCase->SetChecked(true);
        w.rbForward->SetChecked(true);
        Next(w, "abc");
        found.push_back(Code());
    });
    EXPECT_EQ(found, (std::vector<std::string>{"T01", "T02", "T03", "T02", "T02"}));
    EXPECT_EQ(messages->Count(), 2) << "the case-sensitive search found nothing";
}

TEST_F(SearchDialogTest, WholeWordsIgnoreTrailingBlanksAndBlankTextsAreRefused) {
    data->First();
    std::vector<bool> after;
    dialog->AfterSearch = [&](TObject*, bool& found) { after.push_back(found); };
    Run([&](TfrmSearchDlg& w) {
        Choose(w, "名称");
        w.chkWholeWords->SetChecked(true);
        Next(w, "ABC");
        EXPECT_EQ(Code(), "T04") << "ABC DEF is not the whole word; ABC followed by blanks is";
        Next(w, "");
        EXPECT_EQ(messages->Last().Text, "The search string cannot be blank.");
        EXPECT_EQ(messages->Last().Request.DlgType, mtError);
        EXPECT_EQ(Code(), "T04");
        Choose(w, "表代号");
        Next(w, "T0");
        EXPECT_EQ(Code(), "T04") << "whole words: T0 is no code";
    });
    EXPECT_EQ(after, (std::vector<bool>{true, false})) << "the blank text never searched";

    // Without the built-in messages, a handler that aborts before the search stops it silently.
    dialog->ShowMessages = false;
    int before = messages->Count();
    dialog->BeforeSearch = [](TObject*) { throw EAbort(); };
    after.clear();
    Run([&](TfrmSearchDlg& w) { Next(w, "其他"); });
    EXPECT_TRUE(after.empty());
    EXPECT_EQ(Code(), "T04");
    EXPECT_EQ(messages->Count(), before);
}

TEST_F(SearchDialogTest, TheChosenFieldIsSearchedWhereverItsColumnStands) {
    // The grid shows the name before the code, unlike the dataset: the code column is searched.
    grid->Columns()->Add()->SetFieldName("MC002");
    grid->Columns()->Add()->SetFieldName("MC001");
    data->First();
    Run([&](TfrmSearchDlg& w) {
        Choose(w, "表代号");
        Next(w, "T03");
    });
    EXPECT_EQ(Code(), "T03");
    EXPECT_EQ(messages->Count(), 0);
    // Straight through FindText, backward from the beginning: the last match.
    EXPECT_TRUE(FindText(grid, "MC002", "ABC", true, true, false, false));
    EXPECT_EQ(Code(), "T04");
}
