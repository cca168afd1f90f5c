// A string grid's pick list on the Qt renderer: the cell's button and F4 drop a Qt pop-up under
// the cell that shows the items' display texts; a click or the keyboard in it picks.
#include <QApplication>
#include <QImage>
#include <QTest>

#include "tests/qt/QtTestSupport.h"
#include "toolkit/qt/QtUserInput.h"
#include "toolkit/ui/grids/Grids.h"

namespace {

using GridPickListTest = QtTest;

QWidget* VisiblePopup() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && (widget->windowFlags() & Qt::Popup) == Qt::Popup) return widget;
    return nullptr;
}

int InkedPixels(const QImage& image) {
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) inked += qGray(image.pixel(x, y)) < 128;
    return inked;
}

}  // namespace

TEST_F(GridPickListTest, TheButtonAndF4DropAPopupThatPicks) {
    auto* form = CreateComponent<TForm>(Application);
    form->SetBounds(0, 0, 500, 260);
    auto* grid = CreateComponent<TStringGrid>(form);
    grid->SetName("sg1");
    grid->SetParent(form);
    grid->SetBounds(10, 10, 460, 200);
    grid->SetColCount(4);
    grid->SetRowCount(3);
    grid->SetColWidths(1, 131);
    grid->SetOptions(grid->Options() + goEditing);
    grid->ColumnPickList(2)->SetText("等于\t=\n大于或等于\t>=\n大于\t>\n小于\t<");
    std::string picked;
    grid->OnPickListClick = [&](TObject*, int, int, const std::string& value) { picked = value; };
    form->Show();
    ProcessQtEvents();
    grid->SetFocus();
    ASSERT_TRUE(grid->FocusCell(2, 1));
    ProcessQtEvents();

    // A click on the cell's button drops the pop-up under the cell; it shows the display texts.
    TRect button = grid->PickButtonRect();
    ASSERT_FALSE(button.IsEmpty());
    ClickControlAt(grid, (button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2);
    ASSERT_TRUE(grid->PickListDropped());
    QWidget* popup = VisiblePopup();
    ASSERT_NE(popup, nullptr);
    QPoint cellBottom = QtWidgetOf(grid)->mapToGlobal(QPoint(grid->CellRect(2, 1).Left, grid->CellRect(2, 1).Bottom));
    EXPECT_EQ(popup->geometry().topLeft(), cellBottom);
    QImage look = popup->grab().toImage();
    EXPECT_GT(InkedPixels(look), 40) << "the items are drawn";
    std::filesystem::path file = TempFile("picklist.png");
    if (const char* keep = std::getenv("TDEF_KEEP_SHOTS")) file = std::filesystem::path(keep) / "grid_picklist.png";
    EXPECT_TRUE(look.save(QString::fromStdString(file.string())));

    // A click on the second item picks it.
    int rowHeight = std::max(grid->DefaultRowHeight() - 4, 16);
    QTest::mouseClick(popup, Qt::LeftButton, Qt::NoModifier, QPoint(10, 1 + rowHeight + rowHeight / 2));
    ProcessQtEvents();
    EXPECT_FALSE(grid->PickListDropped());
    EXPECT_EQ(VisiblePopup(), nullptr);
    EXPECT_EQ(grid->Cells(2, 1), "大于或等于");
    EXPECT_EQ(picked, "大于或等于");

    // F4 from the keyboard opens on the current item; Down, Down, Up and Enter pick the third.
    PressKeys("F4", form);
    ASSERT_TRUE(grid->PickListDropped());
    popup = VisiblePopup();
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Down);
    ProcessQtEvents();
    EXPECT_EQ(grid->PickListIndex(), 3);
    QTest::keyClick(popup, Qt::Key_Up);
    QTest::keyClick(popup, Qt::Key_Return);
    ProcessQtEvents();
    EXPECT_EQ(VisiblePopup(), nullptr);
    EXPECT_EQ(grid->Cells(2, 1), "大于");

    // Escape in the pop-up closes it and keeps the cell.
    PressKeys("F4", form);
    popup = VisiblePopup();
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_Escape);
    ProcessQtEvents();
    EXPECT_FALSE(grid->PickListDropped());
    EXPECT_EQ(VisiblePopup(), nullptr);
    EXPECT_EQ(grid->Cells(2, 1), "大于");
}
