// Real key events pressed through Qt reach the forms' key handling as the desktop delivers them.
#include <QTest>
#include <QTimer>

#include <vector>

#include "tests/qt/QtTestSupport.h"

namespace {

struct KeySeen {
    std::string who;
    WORD key;
    TShiftState shift;
};

}  // namespace

using KeyboardTest = QtTest;

TEST_F(KeyboardTest, KeysReachTheFormThroughKeyPreviewAndFunctionKeys) {
    auto* form = CreateComponent<TForm>(Application);
    TButton* first = AddButton(form, "btnFirst", 10, 10);
    TButton* second = AddButton(form, "btnSecond", 100, 10);
    std::vector<KeySeen> seen;
    std::u32string typed;
    // Modifier keys arrive as keys of their own, as on the desktop; these tests look at the others.
    auto modifier = [](WORD key) { return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU; };
    form->OnKeyDown = [&](TObject*, WORD& key, TShiftState shift) {
        if (modifier(key)) return;
        seen.push_back({"form", key, shift});
        if (key == VK_F5) key = 0;  // the form consumes F5
    };
    form->OnKeyPress = [&](TObject*, char32_t& ch) { typed += ch; };
    first->OnKeyDown = [&](TObject*, WORD& key, TShiftState shift) {
        if (!modifier(key)) seen.push_back({"first", key, shift});
    };
    form->SetKeyPreview(true);
    form->Show();
    ProcessQtEvents();
    ASSERT_EQ(form->ActiveControl(), first);

    QTest::keyClick(Window(form), Qt::Key_F5);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].who, "form") << "a consumed key never reaches the focused control";
    EXPECT_EQ(seen[0].key, VK_F5);

    seen.clear();
    QTest::keyClick(WidgetOf(first), Qt::Key_F2, Qt::ShiftModifier);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].who, "form");
    EXPECT_EQ(seen[0].key, VK_F2);
    EXPECT_TRUE(seen[0].shift.Contains(ssShift));
    EXPECT_EQ(seen[1].who, "first");

    seen.clear();
    QTest::keyClick(WidgetOf(first), Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen[0].key, VK_TAB);
    EXPECT_TRUE(seen[0].shift.Contains(ssCtrl));
    EXPECT_EQ(form->ActiveControl(), first) << "Ctrl+Tab is no focus move";

    seen.clear();
    QTest::keyClick(WidgetOf(first), Qt::Key_Delete, Qt::ControlModifier);
    QTest::keyClick(WidgetOf(first), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].key, VK_DELETE);
    EXPECT_TRUE(seen[0].shift.Contains(ssCtrl));
    EXPECT_EQ(seen[2].key, 'S');
    EXPECT_TRUE(typed.empty()) << "keys with Ctrl type nothing";

    QTest::keyClicks(WidgetOf(first), "aB");
    EXPECT_EQ(typed, U"aB");

    // Without key preview the form hears nothing while a control has the focus.
    form->SetKeyPreview(false);
    seen.clear();
    QTest::keyClick(WidgetOf(first), Qt::Key_F3);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].who, "first");
    (void)second;
}

TEST_F(KeyboardTest, TabEnterAndEscapeActLikeDialogKeys) {
    auto* form = CreateComponent<TForm>(Application);
    TButton* ok = AddButton(form, "btnOK", 10, 10);
    TButton* cancel = AddButton(form, "btnCancel", 100, 10);
    TButton* other = AddButton(form, "btnOther", 190, 10);
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    cancel->SetModalResult(mrCancel);
    cancel->SetCancel(true);
    int otherClicks = 0;
    other->OnClick = [&](TObject*) { ++otherClicks; };
    form->Show();
    ProcessQtEvents();
    ASSERT_EQ(form->ActiveControl(), ok);

    QTest::keyClick(Window(form), Qt::Key_Tab);
    EXPECT_EQ(form->ActiveControl(), cancel);
    EXPECT_EQ(QApplication::focusWidget(), WidgetOf(cancel)) << "Qt's focus follows the toolkit's";
    QTest::keyClick(Window(form), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(form->ActiveControl(), ok);

    // Enter clicks the focused button; space too.
    other->SetFocus();
    QTest::keyClick(Window(form), Qt::Key_Return);
    QTest::keyClick(Window(form), Qt::Key_Space);
    EXPECT_EQ(otherClicks, 2);

    // In a modal loop, Escape answers with the cancel button, Enter with the default one.
    form->Hide();
    int result = mrNone;
    QTimer::singleShot(0, [&] { QTest::keyClick(Window(form), Qt::Key_Escape); });
    result = form->ShowModal();
    EXPECT_EQ(result, mrCancel);
    ok->SetFocus();
    form->Hide();
    QTimer::singleShot(0, [&] {
        cancel->SetFocus();
        other->SetFocus();
        QTest::keyClick(Window(form), Qt::Key_Enter, Qt::KeypadModifier);
    });
    QTimer::singleShot(0, [&] {
        ok->SetFocus();
        QTest::keyClick(Window(form), Qt::Key_Return);
    });
    result = form->ShowModal();
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(otherClicks, 3);
}
