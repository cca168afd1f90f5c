// Drag and drop between controls as the sort lists of a query dialog use it: reordering inside a
// check list box, copying from one list box to another, refusals, Escape, and a press without a
// move staying a click.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/ui/UiTestSupport.h"
#include "toolkit/ui/kernel/DragDrop.h"
#include "toolkit/ui/kernel/KeyInput.h"
#include "toolkit/ui/widgets/StdCtrls.h"

namespace {
using DragDropTest = UiTest;

LRESULT Mouse(TControl* control, UINT msg, int x, int y, TShiftState shift = {}) {
    return control->Perform(msg, ShiftStateToWParam(shift), MakeLParam(x, y));
}

// Two sort lists on a form: every field on the left, the chosen ones (checked: descending) on the
// right, wired the way the query dialog wires them.
struct SortLists {
    TOwnedPtr<TForm> form{CreateComponent<TForm>(nullptr)};
    TListBox* all = CreateComponent<TListBox>(form.get());
    TCheckListBox* chosen = CreateComponent<TCheckListBox>(form.get());
    TButton* other = CreateComponent<TButton>(form.get());
    std::vector<std::string> log;
    TObject* endedOn = reinterpret_cast<TObject*>(1);

    SortLists() {
        form->SetBounds(100, 50, 500, 300);
        for (TControl* c : std::initializer_list<TControl*>{all, chosen, other}) c->SetParent(form.get());
        all->SetBounds(10, 10, 150, 200);
        chosen->SetBounds(200, 10, 150, 200);
        other->SetBounds(380, 10, 80, 25);
        all->Items()->SetText("单别\tMC001\n单号\tMC002\n日期\tMC003");
        chosen->Items()->SetText("单别\tMC001\n单号\tMC002\n日期\tMC003\n金额\tMC004");
        chosen->SetChecked(0, true);
        all->SetDragMode(dmAutomatic);
        chosen->SetDragMode(dmAutomatic);
        chosen->OnDragOver = [this](TObject*, TObject* source, int, int, TDragState state, bool& accept) {
            accept = source == chosen || source == all;
            log.push_back(state == dsDragEnter ? "enter" : state == dsDragLeave ? "leave" : "move");
        };
        chosen->OnDragDrop = [this](TObject*, TObject* source, int x, int y) {
            if (source == chosen) {
                int to = chosen->ItemAtPos({x, y}, false);
                if (to >= chosen->Count()) to = chosen->Count() - 1;
                chosen->Items()->Move(chosen->ItemIndex(), to);
                chosen->SetItemIndex(to);
            } else if (all->ItemIndex() >= 0 && chosen->Items()->IndexOf(all->Items()->Strings(all->ItemIndex())) < 0) {
                chosen->Items()->Add(all->Items()->Strings(all->ItemIndex()));
            }
            log.push_back("drop");
        };
        chosen->OnEndDrag = [this](TObject*, TObject* target, int, int) { endedOn = target; };
        all->OnEndDrag = [this](TObject*, TObject* target, int, int) { endedOn = target; };
        form->Show();
    }
    // A point of the chosen list (its client coordinates) in the coordinates of the left list.
    TPoint InAll(TPoint onChosen) const {
        return {onChosen.X + chosen->Left() - all->Left(), onChosen.Y + chosen->Top() - all->Top()};
    }
    int RowY(TCustomListBox* list, int index) const { return list->ItemRect(index).Top + 3; }
};
}  // namespace

TEST_F(DragDropTest, ReorderingInsideAListAndCopyingFromAnother) {
    SortLists s;
    // Item 0 (checked) dragged onto item 2: it moves there with its check mark.
    Mouse(s.chosen, WM_LBUTTONDOWN, 20, s.RowY(s.chosen, 0), {ssLeft});
    EXPECT_EQ(s.chosen->ItemIndex(), 0);
    EXPECT_FALSE(s.chosen->Dragging()) << "armed, not started, until the mouse moves";
    Mouse(s.chosen, WM_MOUSEMOVE, 22, s.RowY(s.chosen, 0) + 2, {ssLeft});
    EXPECT_FALSE(s.chosen->Dragging()) << "two pixels are not a drag";
    EXPECT_TRUE(s.log.empty());
    Mouse(s.chosen, WM_MOUSEMOVE, 20, s.RowY(s.chosen, 2), {ssLeft});
    EXPECT_TRUE(s.chosen->Dragging());
    EXPECT_EQ(Screen->Cursor(), crDrag);
    EXPECT_EQ(s.chosen->ItemIndex(), 0) << "moves of a drag are not the list's own";
    Mouse(s.chosen, WM_LBUTTONUP, 20, s.RowY(s.chosen, 2));
    EXPECT_FALSE(s.chosen->Dragging());
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(s.chosen->Items()->Text(), "单号\tMC002\r\n日期\tMC003\r\n单别\tMC001\r\n金额\tMC004\r\n");
    EXPECT_TRUE(s.chosen->Checked(2));
    EXPECT_FALSE(s.chosen->Checked(0));
    EXPECT_EQ(s.endedOn, s.chosen);
    EXPECT_EQ(s.log, (std::vector<std::string>{"enter", "drop"}));

    // Dropped below the items: to the last place.
    s.log.clear();
    Mouse(s.chosen, WM_LBUTTONDOWN, 20, s.RowY(s.chosen, 0), {ssLeft});
    Mouse(s.chosen, WM_MOUSEMOVE, 20, 150, {ssLeft});
    Mouse(s.chosen, WM_MOUSEMOVE, 20, 160, {ssLeft});
    Mouse(s.chosen, WM_LBUTTONUP, 20, 160);
    EXPECT_EQ(s.chosen->Items()->Strings(3), "单号\tMC002");
    EXPECT_EQ(s.log, (std::vector<std::string>{"enter", "move", "drop"}));

    // From the left list onto the right one: a field not chosen yet is added; the drag passes the
    // right list's handler with the left list as source.
    s.chosen->Items()->Delete(3);
    s.log.clear();
    Mouse(s.all, WM_LBUTTONDOWN, 20, s.RowY(s.all, 1), {ssLeft});
    TPoint over = s.InAll({30, 20});
    Mouse(s.all, WM_MOUSEMOVE, over.X, over.Y, {ssLeft});
    EXPECT_TRUE(s.all->Dragging());
    EXPECT_EQ(Screen->Cursor(), crDrag);
    Mouse(s.all, WM_LBUTTONUP, over.X, over.Y);
    EXPECT_EQ(s.chosen->Count(), 4);
    EXPECT_EQ(s.chosen->Items()->Strings(3), "单号\tMC002");
    EXPECT_EQ(s.endedOn, s.chosen);
    EXPECT_EQ(s.all->ItemIndex(), 1);
}

TEST_F(DragDropTest, RefusedDropsEscapeAndPlainClicks) {
    SortLists s;
    std::string before = s.chosen->Items()->Text();
    // Over a control without a drag-over handler the cursor says no, and releasing drops nothing.
    Mouse(s.chosen, WM_LBUTTONDOWN, 20, s.RowY(s.chosen, 1), {ssLeft});
    TPoint onButton{s.other->Left() - s.chosen->Left() + 5, s.other->Top() - s.chosen->Top() + 5};
    Mouse(s.chosen, WM_MOUSEMOVE, 20, 100, {ssLeft});
    EXPECT_EQ(Screen->Cursor(), crDrag);
    Mouse(s.chosen, WM_MOUSEMOVE, onButton.X, onButton.Y, {ssLeft});
    EXPECT_EQ(Screen->Cursor(), crNoDrop);
    EXPECT_EQ(s.log, (std::vector<std::string>{"enter", "leave"}));
    EXPECT_EQ(FindDragTarget(s.chosen->ClientToScreen(onButton)), s.other);
    Mouse(s.chosen, WM_LBUTTONUP, onButton.X, onButton.Y);
    EXPECT_EQ(s.chosen->Items()->Text(), before);
    EXPECT_EQ(s.endedOn, nullptr);
    EXPECT_EQ(Screen->Cursor(), crDefault);

    // Escape cancels a running drag: no drop, the source hears it ended nowhere; the release after
    // it is an ordinary one.
    s.log.clear();
    s.endedOn = s.other;
    s.chosen->SetFocus();
    Mouse(s.chosen, WM_LBUTTONDOWN, 20, s.RowY(s.chosen, 0), {ssLeft});
    Mouse(s.chosen, WM_MOUSEMOVE, 20, s.RowY(s.chosen, 2), {ssLeft});
    ASSERT_TRUE(s.chosen->Dragging());
    SimulateKeystroke(s.chosen, VK_ESCAPE);
    EXPECT_FALSE(s.chosen->Dragging());
    EXPECT_EQ(s.endedOn, nullptr);
    EXPECT_EQ(Screen->Cursor(), crDefault);
    Mouse(s.chosen, WM_LBUTTONUP, 20, s.RowY(s.chosen, 2));
    EXPECT_EQ(s.chosen->Items()->Text(), before);
    EXPECT_EQ(s.log, (std::vector<std::string>{"enter", "leave"}));

    // A press and release without moving is a click: it selects, and no drag event runs.
    s.log.clear();
    int clicks = 0;
    s.chosen->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++clicks; };
    Mouse(s.chosen, WM_LBUTTONDOWN, 20, s.RowY(s.chosen, 3), {ssLeft});
    Mouse(s.chosen, WM_LBUTTONUP, 20, s.RowY(s.chosen, 3));
    EXPECT_EQ(s.chosen->ItemIndex(), 3);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(s.log.empty());
    EXPECT_FALSE(s.chosen->Dragging());

    // A release the list never heard (a window opened on the press): the next move without the
    // button starts nothing.
    Mouse(s.chosen, WM_LBUTTONDOWN, 20, s.RowY(s.chosen, 0), {ssLeft});
    Mouse(s.chosen, WM_MOUSEMOVE, 20, s.RowY(s.chosen, 3));
    EXPECT_FALSE(s.chosen->Dragging());
    Mouse(s.chosen, WM_MOUSEMOVE, 20, s.RowY(s.chosen, 2), {ssLeft});
    EXPECT_FALSE(s.chosen->Dragging());
    EXPECT_TRUE(s.log.empty());

    // Manual mode: nothing arms on a press; BeginDrag(true) starts at once.
    s.chosen->SetDragMode(dmManual);
    Mouse(s.chosen, WM_LBUTTONDOWN, 20, s.RowY(s.chosen, 0), {ssLeft});
    Mouse(s.chosen, WM_MOUSEMOVE, 20, s.RowY(s.chosen, 2), {ssLeft});
    EXPECT_FALSE(s.chosen->Dragging());
    Mouse(s.chosen, WM_LBUTTONUP, 20, s.RowY(s.chosen, 2));
    s.chosen->BeginDrag(true);
    EXPECT_TRUE(s.chosen->Dragging());
    s.chosen->EndDrag(false);
    EXPECT_FALSE(s.chosen->Dragging());
    EXPECT_EQ(Screen->Cursor(), crDefault);
}
