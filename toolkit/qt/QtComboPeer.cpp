// Combo boxes paint themselves; the drop-down list is a Qt pop-up under the box that paints the
// items through the combo box (owner-drawn ones too). A click on the box's button (anywhere on a
// list-only box) drops it down; a click on an item picks it as the user does; Up, Down, Enter and
// Esc work in the open list; clicking elsewhere closes it.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

#include "toolkit/qt/QtCanvas.h"
#include "toolkit/qt/QtDropList.h"
#include "toolkit/qt/QtPaintBox.h"
#include "toolkit/qt/QtPeer.h"
#include "toolkit/ui/widgets/ComboBox.h"

namespace {

constexpr int kButtonWidth = 18;

class TQtComboPeer : public TQtPeer {
public:
    explicit TQtComboPeer(TCustomComboBox& combo) : TQtPeer(combo, new TQtPaintBox) {
        static_cast<TQtPaintBox*>(Widget())->OnPaint = [this](QPainter& painter, const QRect&) {
            TQtCanvas canvas(&painter);
            RunGuarded([&] { Control().PaintTo(canvas); });
            // The drop-down button (a simple combo box has none).
            if (Combo().Style() == csSimple) return;
            QRect button(Widget()->width() - kButtonWidth, 1, kButtonWidth - 1, Widget()->height() - 2);
            painter.fillRect(button, Widget()->palette().color(QPalette::Button));
            int cx = button.center().x(), cy = button.center().y();
            painter.setBrush(Widget()->palette().color(QPalette::ButtonText));
            painter.setPen(Qt::NoPen);
            QPoint arrow[3] = {QPoint(cx - 4, cy - 2), QPoint(cx + 4, cy - 2), QPoint(cx, cy + 2)};
            painter.drawPolygon(arrow, 3);
        };
    }
    ~TQtComboPeer() override {
        if (list_) list_->close();
    }

protected:
    TCustomComboBox& Combo() const { return static_cast<TCustomComboBox&>(Control()); }
    void Update(TPropertyId property) override {
        if (property == TPropertyId::DroppedDown)
            ShowDropDown();
        else
            TQtPeer::Update(property);
        Widget()->update();
        if (list_) list_->update();
    }
    void ShowColor() override { Widget()->update(); }
    void MouseRouted(const QEvent& event) override {
        if (event.type() != QEvent::MouseButtonPress) return;
        auto& mouse = static_cast<const QMouseEvent&>(event);
        if (mouse.button() != Qt::LeftButton) return;
        bool onButton = mouse.position().x() >= Widget()->width() - kButtonWidth;
        if ((onButton || !Combo().Editable()) && Combo().Style() != csSimple) {
            TComponentRef<TCustomComboBox> combo(&Combo());
            RunGuarded([&] { combo->SetDroppedDown(!combo->DroppedDown()); });
        }
    }

private:
    void ShowDropDown() {
        if (!Combo().DroppedDown()) {
            if (list_) list_->close();
            return;
        }
        if (list_) return;
        TComponentRef<TCustomComboBox> combo(&Combo());
        TQtDropListSource source;
        source.count = [combo] { return combo ? combo->Items()->Count() : 0; };
        source.rowHeight = [combo] { return combo ? combo->ItemHeight() : 16; };
        source.paintItem = [combo](TCanvas& canvas, int index, const TRect& area, bool hot) {
            TOwnerDrawState state;
            if (hot) state.Include(odSelected);
            if (combo) combo->PaintItem(canvas, index, area, state);
        };
        source.pick = [combo](int index) {
            if (combo) combo->SelectByUser(index);
        };
        source.key = [this, combo](QKeyEvent& event) { ListKey(combo, event); };
        source.closed = [combo] {
            if (combo && combo->DroppedDown()) combo->SetDroppedDown(false);
        };
        list_ = new TQtDropList(std::move(source), Combo().DropDownCount());
        list_->setFont(Widget()->font());
        list_->SetHot(Combo().ItemIndex());
        list_->ShowBelow(QRect(Widget()->mapToGlobal(QPoint(0, 0)), Widget()->size()));
    }
    // Up and Down pick the next item at once; Enter, Esc and F4 close the list.
    void ListKey(const TComponentRef<TCustomComboBox>& combo, QKeyEvent& event) {
        if (!combo || !list_) return;
        int count = combo->Items()->Count();
        switch (event.key()) {
            case Qt::Key_Up:
            case Qt::Key_Down: {
                if (count == 0) break;
                int index = std::clamp(list_->Hot() + (event.key() == Qt::Key_Down ? 1 : -1), 0, count - 1);
                list_->SetHot(index);
                combo->SelectByUser(index);
                break;
            }
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Escape:
            case Qt::Key_F4: list_->close(); break;
            default: break;
        }
    }

    QPointer<TQtDropList> list_;
};

const TQtPeerRegistration registration("TCustomComboBox", [](TControl& control) {
    return std::make_unique<TQtComboPeer>(static_cast<TCustomComboBox&>(control));
});

}  // namespace
