// Widgets show what the headless controls hold, and what the user does goes back into them.
#include <QPushButton>
#include <QTest>

#include "tests/qt/QtTestSupport.h"
#include "toolkit/qt/QtConvert.h"

using PeersTest = QtTest;

TEST_F(PeersTest, WidgetsMirrorTheControlsState) {
    auto* form = CreateComponent<TForm>(Application);
    form->SetCaption("文档信息录入作业");
    form->SetBounds(40, 50, 400, 300);
    TButton* button = AddButton(form, "btnSave", 10, 20);
    button->SetCaption("保存");
    button->SetHint("Save|Saves the document");
    button->SetShowHint(true);
    EXPECT_EQ(button->Peer(), nullptr) << "no peer before the form is shown";
    form->Show();
    ProcessQtEvents();

    QWidget* window = Window(form);
    auto* push = qobject_cast<QPushButton*>(WidgetOf(button));
    ASSERT_NE(window, nullptr);
    ASSERT_NE(push, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("文档信息录入作业"));
    EXPECT_EQ(window->size(), QSize(400, 300));
    EXPECT_EQ(push->text(), QString::fromUtf8("保存"));
    EXPECT_EQ(push->geometry(), QRect(10, 20, 75, 25));
    EXPECT_TRUE(push->toolTip().isEmpty()) << "hints show in the application's hint window";

    button->SetCaption("&Close");
    button->SetBounds(30, 40, 90, 30);
    button->SetEnabled(false);
    button->Font()->SetColor(clRed);
    button->Font()->SetStyle({fsBold});
    button->SetShowHint(false);
    EXPECT_EQ(push->text(), QString("&Close"));
    EXPECT_EQ(push->geometry(), QRect(30, 40, 90, 30));
    EXPECT_FALSE(push->isEnabled());
    EXPECT_TRUE(push->font().bold());
    EXPECT_EQ(push->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
    button->SetVisible(false);
    EXPECT_FALSE(push->isVisible());

    form->SetColor(clYellow);
    form->SetWidth(500);
    EXPECT_EQ(window->width(), 500);
    form->Hide();
    EXPECT_FALSE(window->isVisible());

    // A control added to a shown form gets its widget at once.
    form->Show();
    TButton* late = AddButton(form, "btnLate", 200, 20);
    ASSERT_NE(WidgetOf(late), nullptr);
    EXPECT_EQ(WidgetOf(late)->parentWidget()->window(), window);
    EXPECT_TRUE(WidgetOf(late)->isVisible());
}

TEST_F(PeersTest, UserActionsReachTheControls) {
    auto* form = CreateComponent<TForm>(Application);
    form->SetBounds(0, 0, 300, 200);
    TButton* first = AddButton(form, "btnFirst", 10, 10);
    TButton* second = AddButton(form, "btnSecond", 100, 10);
    int clicks = 0;
    std::vector<std::string> mouse;
    second->OnClick = [&](TObject*) { ++clicks; };
    second->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        mouse.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) +
                        (s.Contains(ssCtrl) ? " ctrl" : ""));
    };
    form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        mouse.push_back("form " + std::to_string(x) + "," + std::to_string(y));
    };
    bool closeAsked = false;
    form->OnClose = [&](TObject*, TCloseAction& action) {
        closeAsked = true;
        action = caHide;
    };
    form->Show();
    ProcessQtEvents();

    QTest::mouseClick(WidgetOf(second), Qt::LeftButton, Qt::ControlModifier, QPoint(5, 6));
    EXPECT_EQ(clicks, 1);
    ASSERT_EQ(mouse.size(), 1u) << "only the control under the mouse hears it";
    EXPECT_EQ(mouse[0], "down 0 5,6 ctrl");
    EXPECT_EQ(form->ActiveControl(), second) << "clicking focuses";
    QTest::mouseClick(Window(form), Qt::LeftButton, Qt::NoModifier, QPoint(250, 150));
    ASSERT_EQ(mouse.size(), 2u);
    EXPECT_EQ(mouse[1], "form 250,150");

    // The user focusing a widget focuses the control.
    WidgetOf(first)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(form->ActiveControl(), first);

    // Closing the window asks the form, which decides.
    Window(form)->close();
    ProcessQtEvents();
    EXPECT_TRUE(closeAsked);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(Window(form)->isVisible());

    // Freeing a form inside its own button's click is safe.
    form->Show();
    first->OnClick = [form](TObject*) { form->Free(); };
    QTest::mouseClick(WidgetOf(first), Qt::LeftButton);
    ProcessQtEvents();
    EXPECT_EQ(Screen->FormCount(), 0);
}
