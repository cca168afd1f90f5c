// Dragging with the mouse on the Qt renderer: an item of a check list box dragged onto another
// place of it moves there; one dragged from a second list box onto it is added.
#include "tests/qt/QtTestSupport.h"
#include "toolkit/qt/QtUserInput.h"
#include "toolkit/ui/widgets/ListBox.h"

using ListBoxDragTest = QtTest;

TEST_F(ListBoxDragTest, ReorderAndCopyWithTheMouse) {
    auto* form = CreateComponent<TForm>(Application);
    form->SetBounds(0, 0, 420, 260);
    auto* all = CreateComponent<TListBox>(form);
    auto* chosen = CreateComponent<TCheckListBox>(form);
    all->SetParent(form);
    chosen->SetParent(form);
    all->SetBounds(10, 10, 150, 200);
    chosen->SetBounds(200, 10, 150, 200);
    all->Items()->SetText("单别\tMC001\n单号\tMC002\n日期\tMC003");
    chosen->Items()->SetText("单别\tMC001\n单号\tMC002\n日期\tMC003");
    all->SetDragMode(dmAutomatic);
    chosen->SetDragMode(dmAutomatic);
    int drops = 0;
    chosen->OnDragOver = [&](TObject*, TObject* source, int, int, TDragState, bool& accept) {
        accept = source == chosen || source == all;
    };
    chosen->OnDragDrop = [&](TObject*, TObject* source, int x, int y) {
        ++drops;
        if (source == chosen) {
            int to = std::min(chosen->ItemAtPos({x, y}, false), chosen->Count() - 1);
            chosen->Items()->Move(chosen->ItemIndex(), to);
        } else {
            chosen->Items()->Add(all->Items()->Strings(all->ItemIndex()) + " 2");
        }
    };
    form->Show();
    ProcessQtEvents();

    int row0 = chosen->ItemRect(0).Top + 4, row2 = chosen->ItemRect(2).Top + 4;
    ASSERT_TRUE(DragControl(chosen, 40, row0, chosen, 40, row2));
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(chosen->Items()->Strings(2), "单别\tMC001");
    EXPECT_FALSE(chosen->Dragging());
    EXPECT_EQ(Screen->Cursor(), crDefault);

    ASSERT_TRUE(DragControl(all, 40, all->ItemRect(1).Top + 4, chosen, 40, 150));
    EXPECT_EQ(drops, 2);
    EXPECT_EQ(all->ItemIndex(), 1);
    EXPECT_EQ(chosen->Items()->Strings(3), "单号\tMC002 2");

    // Released over the form itself (nobody accepts): nothing happens.
    ASSERT_TRUE(DragControl(chosen, 40, row0, form, 180, 240));
    EXPECT_EQ(drops, 2);
    EXPECT_EQ(chosen->Count(), 4);
}
