// Controls drawn by the toolkit itself: the widget's paint events run the control's Paint on a Qt
// canvas, and every change the control reports repaints it. Labels, panels, check boxes, lists,
// grids and the rest look exactly as they paint headless, with real fonts.
#include "toolkit/qt/QtCanvas.h"
#include "toolkit/qt/QtPaintBox.h"
#include "toolkit/qt/QtPeer.h"

namespace {

class TQtPaintPeer : public TQtPeer {
public:
    explicit TQtPaintPeer(TControl& control) : TQtPeer(control, new TQtPaintBox) {
        static_cast<TQtPaintBox*>(Widget())->OnPaint = [this](QPainter& painter, const QRect&) {
            TQtCanvas canvas(&painter);
            RunGuarded([&] { Control().PaintTo(canvas); });
        };
    }

protected:
    void Update(std::string_view property) override {
        TQtPeer::Update(property);
        Widget()->update();
    }
    // The control paints its own background (or leaves it to its parent).
    void ShowColor() override { Widget()->update(); }
};

}  // namespace

std::unique_ptr<TQtPeer> MakeQtPaintPeer(TControl& control) { return std::make_unique<TQtPaintPeer>(control); }
