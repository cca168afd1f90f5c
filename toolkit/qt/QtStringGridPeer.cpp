// String grids paint themselves; a cell's open pick list is a Qt pop-up under the cell that paints
// the items' display texts, follows the mouse, picks an item on a click and hands keys back to
// the grid (Up, Down, Enter, Esc work there as in the headless grid).
#include <QKeyEvent>
#include <QPointer>

#include "toolkit/qt/QtDropList.h"
#include "toolkit/qt/QtKeys.h"
#include "toolkit/qt/QtPaintPeer.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/graphics/OwnerDraw.h"
#include "toolkit/ui/grids/StringGrid.h"

namespace {

class TQtStringGridPeer : public TQtPaintPeer {
public:
    explicit TQtStringGridPeer(TStringGrid& grid) : TQtPaintPeer(grid) {}
    ~TQtStringGridPeer() override {
        if (list_) list_->close();
    }

protected:
    TStringGrid& Grid() const { return static_cast<TStringGrid&>(Control()); }
    void Update(TPropertyId property) override {
        if (property == TPropertyId::PickList)
            ShowPickList();
        else if (property == TPropertyId::PickListIndex && list_)
            list_->SetHot(Grid().PickListIndex());
        TQtPaintPeer::Update(property);
    }

private:
    void ShowPickList() {
        if (!Grid().PickListDropped()) {
            if (list_) list_->close();
            return;
        }
        if (list_) return;
        TComponentRef<TStringGrid> grid(&Grid());
        auto items = [grid]() -> TStrings* { return grid ? grid->PickListOf(grid->Col(), grid->Row()) : nullptr; };
        TQtDropListSource source;
        source.count = [items] { return items() ? items()->Count() : 0; };
        source.rowHeight = [grid] { return grid ? grid->DefaultRowHeight() - 4 : 16; };
        source.paintItem = [grid, items](TCanvas& canvas, int index, const TRect& area, bool hot) {
            TStrings* list = items();
            if (!grid || !list) return;
            canvas.SetFont(grid->Font());
            TOwnerDrawState state;
            if (hot) state.Include(odSelected);
            FillItemBackground(canvas, area, state);
            canvas.TextRect(area, area.Left + 2, area.Top + 1, TStringGrid::PickListText((*list)[index]));
        };
        source.hover = [grid](int index) {
            if (grid) grid->SetPickListIndex(index);
        };
        source.pick = [grid](int index) {
            if (grid) grid->PickFromList(index);
        };
        source.key = [grid](QKeyEvent& event) {
            if (!grid) return;
            WORD key = VirtualKeyOf(event.key(), event.modifiers());
            TShiftState shift = ShiftStateOf(event.modifiers());
            bool consumed = key != 0 && grid->Perform(WM_KEYDOWN, key, ShiftStateToWParam(shift)) != 0;
            if (consumed) return;
            for (char32_t ch : TypedCharacters(event)) {
                if (!grid) return;
                grid->Perform(WM_CHAR, ch, ShiftStateToWParam(shift));
            }
        };
        source.closed = [grid] {
            if (grid && grid->PickListDropped()) grid->SetPickListDropped(false);
        };
        list_ = new TQtDropList(std::move(source), Grid().DropDownRows());
        list_->setFont(Widget()->font());
        list_->SetHot(Grid().PickListIndex());
        TRect cell = Grid().CellRect(Grid().Col(), Grid().Row());
        QPoint origin = Widget()->mapToGlobal(QPoint(cell.Left, cell.Top));
        list_->ShowBelow(QRect(origin, QSize(std::max(cell.Width(), 60), cell.Height())));
    }

    QPointer<TQtDropList> list_;
};

const TQtPeerRegistration registration("TStringGrid", [](TControl& control) {
    std::unique_ptr<TQtPeer> peer = std::make_unique<TQtStringGridPeer>(static_cast<TStringGrid&>(control));
    return peer;
});

}  // namespace
