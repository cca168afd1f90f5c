// The menu bar and the keyboard of a window as a desktop user knows them: clicks open menus, Left and
// Right move between them, F10 and a lone Alt reach the bar, Alt+letter opens a menu or, for a
// label, moves the focus to its control.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "tests/qt/QtTestSupport.h"
#include "toolkit/qt/QtUserInput.h"
#include "toolkit/ui/widgets/Edit.h"
#include "toolkit/ui/widgets/Label.h"
#include "toolkit/ui/widgets/Menus.h"

namespace {

QMenu* OpenMenu() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && (widget->windowFlags() & Qt::Popup) == Qt::Popup) return qobject_cast<QMenu*>(widget);
    return nullptr;
}

std::string OpenMenuName() {
    QMenu* menu = OpenMenu();
    return menu ? menu->objectName().toStdString() : std::string("(none)");
}

class MenuBarTest : public QtTest {
protected:
    void SetUp() override {
        QtTest::SetUp();
        form = CreateComponent<TForm>(Application);
        form->SetBounds(0, 0, 400, 240);
        auto* menu = CreateComponent<TMainMenu>(form);
        TMenuItem* system = Item(menu->Items(), "miSystem", "系统(&S)");
        Item(system, "miExit", "退出(&X)")->OnClick = [this](TObject*) { clicked.push_back("exit"); };
        TMenuItem* work = Item(menu->Items(), "miWork", "作业(&W)");
        Item(work, "miTdef05", "文档信息录入作业")->OnClick = [this](TObject*) { clicked.push_back("tdef05"); };
        Item(work, "miOther", "其他作业")->OnClick = [this](TObject*) { clicked.push_back("other"); };
        form->SetMenu(menu);
        first = Add<TEdit>("edFirst", 100, 10);
        second = Add<TEdit>("edSecond", 100, 40);
        auto* label = Add<TLabel>("lblSecond", 10, 40);
        label->SetCaption("用户(&U):");
        label->SetFocusControl(second);
        form->Show();
        form->SetActiveControl(first);
        ProcessQtEvents();
        bar = Window(form)->findChild<QMenuBar*>();
        ASSERT_NE(bar, nullptr);
    }
    void TearDown() override {
        if (QMenu* menu = OpenMenu()) menu->close();
        QtTest::TearDown();
    }

    TMenuItem* Item(TMenuItem* parent, const std::string& name, const std::string& caption) {
        auto* item = CreateComponent<TMenuItem>(form);
        item->SetName(name);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }
    template <class T>
    T* Add(const std::string& name, int left, int top) {
        auto* control = CreateComponent<T>(form);
        control->SetName(name);
        control->SetBounds(left, top, 120, 22);
        control->SetParent(form);
        return control;
    }
    // A key on whatever has the keyboard now (an open menu, the bar or the window's focus).
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::activePopupWidget();
        if (!target) target = QApplication::focusWidget();
        if (!target) target = Window(form);
        QTest::keyClick(target, key, modifiers);
        ProcessQtEvents();
    }

    TForm* form = nullptr;
    TEdit* first = nullptr;
    TEdit* second = nullptr;
    QMenuBar* bar = nullptr;
    std::vector<std::string> clicked;
};

}  // namespace

TEST_F(MenuBarTest, TheMouseOpensMenusAndLeftAndRightMoveBetweenThem) {
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions()[0]).center());
    ProcessQtEvents();
    EXPECT_EQ(OpenMenuName(), "miSystem");
    Key(Qt::Key_Right);
    EXPECT_EQ(OpenMenuName(), "miWork");
    Key(Qt::Key_Left);
    EXPECT_EQ(OpenMenuName(), "miSystem");
    Key(Qt::Key_Escape);
    Key(Qt::Key_Escape);
    EXPECT_EQ(OpenMenuName(), "(none)");

    // Alt+S, Right, Down, Enter chooses the first program, not the exit of the first menu.
    Key(Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(OpenMenuName(), "miSystem");
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_EQ(clicked, (std::vector<std::string>{"other"})) << "Right opens the next menu at its first item";
    EXPECT_EQ(OpenMenuName(), "(none)");
}

TEST_F(MenuBarTest, F10AndALoneAltReachTheBarAndEscapeGivesTheFocusBack) {
    Key(Qt::Key_F10);
    EXPECT_EQ(OpenMenuName(), "miSystem") << "F10 opens the first menu";
    Key(Qt::Key_Right);
    EXPECT_EQ(OpenMenuName(), "miWork");
    Key(Qt::Key_Escape);
    EXPECT_EQ(OpenMenuName(), "(none)");
    Key(Qt::Key_Escape);
    EXPECT_EQ(bar->activeAction(), nullptr);
    EXPECT_EQ(form->ActiveControl(), first);
    EXPECT_EQ(QApplication::focusWidget(), WidgetOf(first)) << "the focus is back where it was";

    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Alt, Qt::AltModifier);
    ProcessQtEvents();
    EXPECT_NE(bar->activeAction(), nullptr) << "a lone Alt selects the bar";
    Key(Qt::Key_Escape);
    if (OpenMenuName() != "(none)") Key(Qt::Key_Escape);
    EXPECT_EQ(bar->activeAction(), nullptr);
    EXPECT_TRUE(clicked.empty());

    // Alt with another key is no lone Alt.
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::AltModifier);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Alt, Qt::AltModifier);
    ProcessQtEvents();
    EXPECT_EQ(OpenMenuName(), "(none)");
}

TEST_F(MenuBarTest, ALabelsMnemonicMovesTheFocusToItsControl) {
    Key(Qt::Key_U, Qt::AltModifier);
    EXPECT_EQ(form->ActiveControl(), second);
    EXPECT_EQ(OpenMenuName(), "(none)");
}
