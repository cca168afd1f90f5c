// Focus and tab order across nested containers, key preview with a focused edit, Ctrl+Tab between
// pages, and modal results through bit buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/kernel/KeyInput.h"
#include "toolkit/ui/widgets/ComCtrls.h"
#include "toolkit/ui/widgets/ExtCtrls.h"
#include "toolkit/ui/widgets/GlyphButton.h"
#include "toolkit/ui/widgets/StdCtrls.h"

namespace {

using FocusTest = UiTest;

template <class T>
T* Make(TCustomForm* form, TWinControl* parent, const std::string& name) {
    auto* c = CreateComponent<T>(form);
    c->SetName(name);
    c->SetParent(parent);
    return c;
}

// edtTop; pnlHead (edtHead1, edtHead2); pages (tsOne: edtOne, cboOne; tsTwo: edtTwo); edtBottom.
struct PagedForm {
    TOwnedPtr<TForm> form{CreateComponent<TForm>(nullptr)};
    TEdit* edtTop;
    TPanel* pnlHead;
    TEdit* edtHead1;
    TEdit* edtHead2;
    TPageControl* pages;
    TTabSheet* tsOne;
    TTabSheet* tsTwo;
    TEdit* edtOne;
    TComboBox* cboOne;
    TEdit* edtTwo;
    TEdit* edtBottom;

    PagedForm() {
        TForm* f = form.get();
        edtTop = Make<TEdit>(f, f, "edtTop");
        pnlHead = Make<TPanel>(f, f, "pnlHead");
        edtHead1 = Make<TEdit>(f, pnlHead, "edtHead1");
        edtHead2 = Make<TEdit>(f, pnlHead, "edtHead2");
        pages = Make<TPageControl>(f, f, "pages");
        tsOne = Make<TTabSheet>(f, pages, "tsOne");
        tsTwo = Make<TTabSheet>(f, pages, "tsTwo");
        edtOne = Make<TEdit>(f, tsOne, "edtOne");
        cboOne = Make<TComboBox>(f, tsOne, "cboOne");
        edtTwo = Make<TEdit>(f, tsTwo, "edtTwo");
        edtBottom = Make<TEdit>(f, f, "edtBottom");
    }
    std::string Focused() const {
        TWinControl* c = form->ActiveControl();
        return c ? c->Name() : "";
    }
};

}  // namespace

TEST_F(FocusTest, TabMovesThroughNestedContainersAndSkipsHiddenPages) {
    PagedForm f;
    f.form->Show();
    EXPECT_EQ(f.Focused(), "edtTop") << "the first tab stop takes the focus when the form is shown";
    EXPECT_EQ(f.pages->ActivePage(), f.tsOne) << "the first page inserted becomes the active one";
    EXPECT_TRUE(f.tsOne->Visible());
    EXPECT_FALSE(f.tsTwo->Visible());

    std::vector<std::string> order;
    for (int i = 0; i < 7; ++i) {
        SimulateKeystroke(nullptr, VK_TAB);
        order.push_back(f.Focused());
    }
    EXPECT_EQ(order, (std::vector<std::string>{"edtHead1", "edtHead2", "pages", "edtOne", "cboOne", "edtBottom", "edtTop"}));
    EXPECT_FALSE(f.edtTwo->CanFocus()) << "controls on a hidden sheet cannot take the focus";
    EXPECT_THROW(f.edtTwo->SetFocus(), EInvalidOperation);

    SimulateKeystroke(nullptr, VK_TAB, {ssShift});
    EXPECT_EQ(f.Focused(), "edtBottom");

    // A disabled panel takes its controls out of the tab order.
    f.pnlHead->SetEnabled(false);
    f.edtTop->SetFocus();
    SimulateKeystroke(nullptr, VK_TAB);
    EXPECT_EQ(f.Focused(), "pages");
    f.pnlHead->SetEnabled(true);

    // Showing the other page makes its controls reachable, and the first page's not.
    f.pages->SetActivePage(f.tsTwo);
    EXPECT_TRUE(f.edtTwo->CanFocus());
    EXPECT_FALSE(f.edtOne->CanFocus());
    f.edtTwo->SetFocus();
    EXPECT_EQ(f.Focused(), "edtTwo");
    // Switching away from the page that holds the focus moves the focus to the page shown.
    f.pages->SetActivePage(f.tsOne);
    EXPECT_EQ(f.Focused(), "tsOne");
    EXPECT_FALSE(f.edtTwo->Focused());
    // Tab order changes inside a container.
    f.edtHead2->SetTabOrder(0);
    f.edtTop->SetFocus();
    SimulateKeystroke(nullptr, VK_TAB);
    EXPECT_EQ(f.Focused(), "edtHead2");
    f.form->Hide();
}

TEST_F(FocusTest, CtrlTabMovesBetweenPagesThroughTheChangingEvents) {
    PagedForm f;
    TTabSheet* tsThree = Make<TTabSheet>(f.form.get(), f.pages, "tsThree");
    tsThree->SetTabVisible(false);
    std::vector<std::string> log;
    bool allow = true;
    f.pages->OnChanging = [&](TObject*, bool& allowChange) {
        log.push_back("changing from " + f.pages->ActivePage()->Name());
        allowChange = allow;
    };
    f.pages->OnChange = [&](TObject*) { log.push_back("change to " + f.pages->ActivePage()->Name()); };
    f.form->Show();
    f.edtOne->SetFocus();

    SimulateKeystroke(nullptr, VK_TAB, {ssCtrl});
    EXPECT_EQ(f.pages->ActivePage(), f.tsTwo);
    EXPECT_EQ(f.Focused(), "tsTwo") << "the focus left the hidden page for the new one";
    SimulateKeystroke(nullptr, VK_TAB, {ssCtrl});
    EXPECT_EQ(f.pages->ActivePage(), f.tsOne) << "a page whose tab is hidden is skipped, wrapping round";
    allow = false;
    SimulateKeystroke(nullptr, VK_TAB, {ssCtrl, ssShift});
    EXPECT_EQ(f.pages->ActivePage(), f.tsOne) << "OnChanging refused";
    EXPECT_EQ(log, (std::vector<std::string>{"changing from tsOne", "change to tsTwo", "changing from tsTwo", "change to tsOne",
                                             "changing from tsOne"}));

    // Code changes pages silently; a hidden tab does not stop its page from being shown.
    log.clear();
    f.pages->SetActivePage(tsThree);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(tsThree->Visible());
    EXPECT_EQ(tsThree->TabIndex(), -1);
    EXPECT_EQ(f.tsTwo->TabIndex(), 1);
    // A tab click goes through the events and tab indexes count visible tabs only.
    allow = true;
    EXPECT_TRUE(f.pages->ClickTab(1));
    EXPECT_EQ(f.pages->ActivePage(), f.tsTwo);
    EXPECT_EQ(log, (std::vector<std::string>{"changing from tsThree", "change to tsTwo"}));
    f.form->Hide();
}

TEST_F(FocusTest, KeyPreviewSeesKeysBeforeTheFocusedEdit) {
    PagedForm f;
    std::vector<std::string> log;
    f.form->SetKeyPreview(true);
    f.form->OnKeyDown = [&](TObject*, WORD& key, TShiftState shift) {
        log.push_back("form down " + std::to_string(key));
        if (key == VK_F5) key = 0;
    };
    f.form->OnKeyPress = [&](TObject*, char32_t& key) {
        log.push_back("form press " + std::string(1, static_cast<char>(key)));
        if (key == U'x') key = 0;
    };
    f.edtOne->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { log.push_back("edit down " + std::to_string(key)); };
    f.form->Show();
    f.edtOne->SetFocus();

    SimulateKeystroke(nullptr, VK_F5);
    SimulateKeystroke(nullptr, 'A');
    SimulateKeystroke(nullptr, 'X');
    SimulateKeystroke(nullptr, 'B', {ssShift});
    EXPECT_EQ(log, (std::vector<std::string>{"form down 116", "form down 65", "edit down 65", "form press a", "form down 88",
                                             "edit down 88", "form press x", "form down 66", "edit down 66", "form press B"}));
    EXPECT_EQ(f.edtOne->Text(), "aB") << "the form consumed the F5 key and the x character";

    // The arrow keys stay in the edit instead of moving the focus.
    SimulateKeystroke(nullptr, VK_LEFT);
    EXPECT_EQ(f.Focused(), "edtOne");
    EXPECT_EQ(f.edtOne->SelStart(), 1);
    f.form->Hide();
}

TEST_F(FocusTest, ModalResultsComeFromBitButtons) {
    auto* form = CreateComponent<TForm>(nullptr);
    TOwnedPtr<TForm> owned(form);
    auto* ok = Make<TBitBtn>(form, form, "BBOK");
    ok->SetKind(bkOK);
    auto* cancel = Make<TBitBtn>(form, form, "BBCancel");
    cancel->SetKind(bkCancel);
    auto* edit = Make<TEdit>(form, form, "edtValue");
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_EQ(ok->ModalResult(), mrOk);
    EXPECT_TRUE(ok->Default());
    EXPECT_TRUE(cancel->Cancel());

    modal->WhenNext("TForm", [&](TCustomForm&) {
        SimulateTyping(edit, "42");
        ok->Click();
    });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(edit->Text(), "42");

    // Escape presses the cancel button; Enter in an edit presses the default button.
    modal->WhenNext("TForm", [&](TCustomForm&) { SimulateKeystroke(edit, VK_ESCAPE); });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    modal->WhenNext("TForm", [&](TCustomForm&) {
        edit->SetFocus();
        SimulateKeystroke(nullptr, VK_RETURN);
    });
    EXPECT_EQ(form->ShowModal(), mrOk);
    // A mouse click on a button counts only when released over it.
    modal->WhenNext("TForm", [&](TCustomForm&) {
        cancel->Perform(WM_LBUTTONDOWN, 0, MakeLParam(5, 5));
        cancel->Perform(WM_LBUTTONUP, 0, MakeLParam(500, 5));
        EXPECT_EQ(form->ModalResult(), mrNone);
        cancel->Perform(WM_LBUTTONUP, 0, MakeLParam(5, 5));
    });
    EXPECT_EQ(form->ShowModal(), mrCancel);
}
