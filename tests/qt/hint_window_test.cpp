// The application's hint window on the screen: the mouse resting on a button shows the short hint in
// a frameless window on top, below the pointer, that follows the mouse and goes when it leaves or a key
// goes down.
#include <QTest>

#include "tests/qt/QtTestSupport.h"
#include "toolkit/qt/QtConvert.h"
#include "toolkit/ui/widgets/HintTracker.h"
#include "toolkit/ui/widgets/HintWindow.h"

using HintWindowTest = QtTest;

namespace {

// Lets the renderer's clock run past the pause.
void Wait(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QTest::qWait(5);
    }
}

}  // namespace

TEST_F(HintWindowTest, TheMouseRestingOnAButtonShowsItsHintBelowThePointer) {
    Application->SetHintPause(100);
    auto* form = CreateComponent<TForm>(Application);
    form->SetBounds(40, 50, 400, 300);
    TButton* save = AddButton(form, "btnSave", 10, 20);
    save->SetHint("保存|保存单据");
    save->SetShowHint(true);
    TButton* plain = AddButton(form, "btnPlain", 200, 20);
    form->Show();
    ProcessQtEvents();
    QWidget* button = WidgetOf(save);
    ASSERT_NE(button, nullptr);

    QTest::mouseMove(button, QPoint(20, 10));
    Wait(30);
    THintWindow& window = ApplicationHints().Window();
    EXPECT_FALSE(window.Active()) << "not before the pause";
    QTest::mouseMove(button, QPoint(21, 10));
    Wait(250);
    ASSERT_TRUE(window.Active());
    QWidget* shown = WidgetOf(&window);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_TRUE(shown->isWindow());
    EXPECT_TRUE(shown->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.Caption(), "保存");
    const QPoint pointer = button->mapToGlobal(QPoint(21, 10));
    EXPECT_EQ(shown->geometry().topLeft(), QPoint(pointer.x(), pointer.y() + THintTracker::kPointerHeight));

    // It follows the mouse over the button.
    QTest::mouseMove(button, QPoint(40, 12));
    Wait(50);
    const QPoint moved = button->mapToGlobal(QPoint(40, 12));
    EXPECT_EQ(shown->geometry().topLeft(), QPoint(moved.x(), moved.y() + THintTracker::kPointerHeight));

    // A key goes down (F6 may open a dialog): gone, and back only when the mouse comes to a control again.
    QTest::keyClick(button, Qt::Key_F6);
    Wait(30);
    EXPECT_FALSE(window.Active());
    EXPECT_FALSE(shown->isVisible());
    QTest::mouseMove(button, QPoint(30, 10));
    Wait(250);
    EXPECT_TRUE(window.Active()) << "the mouse over the button again";

    // Onto a button without a hint: gone.
    QTest::mouseMove(WidgetOf(plain), QPoint(10, 10));
    Wait(50);
    EXPECT_FALSE(window.Active());
    EXPECT_FALSE(shown->isVisible());
    Application->SetHintPause(500);
}
