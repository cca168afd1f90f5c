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
#include "toolkit/qt/QtPaintBox.h"
#include "toolkit/qt/QtPeer.h"
#include "toolkit/ui/widgets/ComboBox.h"

namespace {

constexpr int kButtonWidth = 18;

class TQtComboList : public QWidget {
public:
    explicit TQtComboList(TCustomComboBox& combo) : QWidget(nullptr, Qt::Popup), combo_(&combo) {
        setMouseTracking(true);
        setAttribute(Qt::WA_DeleteOnClose);
        hot_ = combo.ItemIndex();
    }

    int Rows() const { return std::max(1, std::min(combo_ ? combo_->Items()->Count() : 0, combo_ ? combo_->DropDownCount() : 1)); }
    int RowHeight() const { return combo_ ? std::max(combo_->ItemHeight(), 16) : 16; }
    void ScrollTo(int index) {
        if (index < top_) top_ = index;
        if (index >= top_ + Rows()) top_ = index - Rows() + 1;
        top_ = std::max(top_, 0);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!combo_) return;
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        TQtCanvas canvas(&painter);
        int count = combo_->Items()->Count();
        for (int row = 0; row < Rows() && top_ + row < count; ++row) {
            int index = top_ + row;
            TOwnerDrawState state;
            if (index == hot_) state.Include(odSelected);
            TRect area{1, 1 + row * RowHeight(), width() - 1, 1 + (row + 1) * RowHeight()};
            RunGuarded([&] { combo_->PaintItem(canvas, index, area, state); });
        }
        painter.setPen(Qt::darkGray);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        int index = IndexAt(event->position().toPoint());
        if (index >= 0 && index != hot_) {
            hot_ = index;
            update();
        }
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        int index = IndexAt(event->position().toPoint());
        if (index >= 0) Pick(index);
    }
    void wheelEvent(QWheelEvent* event) override {
        if (!combo_) return;
        int steps = event->angleDelta().y() / 120;
        top_ = std::clamp(top_ - steps, 0, std::max(0, combo_->Items()->Count() - Rows()));
        update();
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (!combo_) return;
        int count = combo_->Items()->Count();
        switch (event->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down: {
                int index = std::clamp(hot_ + (event->key() == Qt::Key_Down ? 1 : -1), 0, std::max(count - 1, 0));
                if (count > 0) {
                    hot_ = index;
                    TComponentRef<TCustomComboBox> alive(combo_.Get());
                    RunGuarded([&] { combo_->SelectByUser(index); });
                    ScrollTo(index);
                }
                break;
            }
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Escape:
            case Qt::Key_F4: close(); break;
            default: break;
        }
    }
    void hideEvent(QHideEvent*) override {
        if (combo_ && combo_->DroppedDown()) RunGuarded([this] { combo_->SetDroppedDown(false); });
    }

private:
    int IndexAt(QPoint at) const {
        if (!combo_ || !rect().contains(at)) return -1;
        int index = top_ + (at.y() - 1) / RowHeight();
        return index < combo_->Items()->Count() ? index : -1;
    }
    void Pick(int index) {
        TComponentRef<TCustomComboBox> combo = combo_;
        close();
        if (combo) RunGuarded([&] { combo->SelectByUser(index); });
    }

    TComponentRef<TCustomComboBox> combo_;
    int hot_ = -1;
    int top_ = 0;
};

class TQtComboPeer : public TQtPeer {
public:
    explicit TQtComboPeer(TCustomComboBox& combo) : TQtPeer(combo, new TQtPaintBox) {
        static_cast<TQtPaintBox*>(Widget())->OnPaint = [this](QPainter& painter, const QRect&) {
            TQtCanvas canvas(&painter);
            RunGuarded([&] { Control().PaintTo(canvas); });
            // The drop-down button.
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
    void Update(std::string_view property) override {
        if (property == "DroppedDown") ShowDropDown();
        else TQtPeer::Update(property);
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
        list_ = new TQtComboList(Combo());
        list_->setFont(Widget()->font());
        int height = list_->Rows() * list_->RowHeight() + 2;
        list_->setGeometry(QRect(Widget()->mapToGlobal(QPoint(0, Widget()->height())), QSize(Widget()->width(), height)));
        list_->ScrollTo(std::max(Combo().ItemIndex(), 0));
        list_->show();
    }

    QPointer<TQtComboList> list_;
};

const TQtPeerRegistration registration("TCustomComboBox", [](TControl& control) {
    return std::make_unique<TQtComboPeer>(static_cast<TCustomComboBox&>(control));
});

}  // namespace
