// Controls drawn by the toolkit itself: the widget's paint events run the control's Paint on a Qt
// canvas, and every change the control reports repaints it. Labels, panels, check boxes, lists,
// grids and the rest look exactly as they paint headless, with real fonts.
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

#include "toolkit/qt/QtCanvas.h"
#include "toolkit/qt/QtPaintBox.h"
#include "toolkit/qt/QtPaintPeer.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/grids/Grids.h"
#include "toolkit/ui/widgets/ListBox.h"

TQtPaintPeer::TQtPaintPeer(TControl& control) : TQtPeer(control, new TQtPaintBox) {
    static_cast<TQtPaintBox*>(Widget())->OnPaint = [this](QPainter& painter, const QRect&) {
        TQtCanvas canvas(&painter);
        RunGuarded([&] { Control().PaintTo(canvas); });
    };
}

void TQtPaintPeer::Update(TPropertyId property) {
    TQtPeer::Update(property);
    Widget()->update();
}

void TQtPaintPeer::MouseRouted(const QEvent& event) {
    if (event.type() != QEvent::Wheel) return;
    int notches = static_cast<const QWheelEvent&>(event).angleDelta().y() / 120;
    if (notches == 0) return;
    RunGuarded([&] {
        if (auto* data = dynamic_cast<TDBGrid*>(&Control())) {
            WORD key = notches > 0 ? VK_UP : VK_DOWN;
            for (int i = 0; i < std::abs(notches); ++i) data->Perform(WM_KEYDOWN, key, 0);
        } else if (auto* grid = dynamic_cast<TCustomGrid*>(&Control())) {
            grid->SetTopRow(
                std::clamp(grid->TopRow() - 3 * notches, grid->FixedRows(), std::max(grid->FixedRows(), grid->RowCount() - 1)));
        } else if (auto* list = dynamic_cast<TCustomListBox*>(&Control())) {
            list->SetTopIndex(std::clamp(list->TopIndex() - 3 * notches, 0, std::max(0, list->Count() - 1)));
        }
    });
}

std::unique_ptr<TQtPeer> MakeQtPaintPeer(TControl& control) { return std::make_unique<TQtPaintPeer>(control); }
