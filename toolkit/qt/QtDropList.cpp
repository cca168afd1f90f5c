#include "toolkit/qt/QtDropList.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

#include "toolkit/qt/QtCanvas.h"
#include "toolkit/qt/QtPeer.h"

TQtDropList::TQtDropList(TQtDropListSource source, int maxRows)
    : QWidget(nullptr, Qt::Popup), source_(std::move(source)), maxRows_(std::max(maxRows, 1)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_DeleteOnClose);
}

int TQtDropList::Rows() const { return std::max(1, std::min(source_.count(), maxRows_)); }

int TQtDropList::RowHeight() const { return std::max(source_.rowHeight(), 16); }

void TQtDropList::SetHot(int index) {
    hot_ = index;
    if (index >= 0) {
        if (index < top_) top_ = index;
        if (index >= top_ + Rows()) top_ = index - Rows() + 1;
        top_ = std::max(top_, 0);
    }
    update();
}

void TQtDropList::ShowBelow(const QRect& anchor) {
    int height = Rows() * RowHeight() + 2;
    setGeometry(QRect(QPoint(anchor.left(), anchor.top() + anchor.height()), QSize(anchor.width(), height)));
    show();
}

void TQtDropList::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    TQtCanvas canvas(&painter);
    int count = source_.count();
    for (int row = 0; row < Rows() && top_ + row < count; ++row) {
        int index = top_ + row;
        TRect area{1, 1 + row * RowHeight(), width() - 1, 1 + (row + 1) * RowHeight()};
        RunGuarded([&] { source_.paintItem(canvas, index, area, index == hot_); });
    }
    painter.setPen(Qt::darkGray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TQtDropList::mouseMoveEvent(QMouseEvent* event) {
    int index = IndexAt(event->position().toPoint());
    if (index < 0 || index == hot_) return;
    hot_ = index;
    update();
    if (source_.hover) RunGuarded([&] { source_.hover(index); });
}

void TQtDropList::mouseReleaseEvent(QMouseEvent* event) {
    int index = IndexAt(event->position().toPoint());
    if (index < 0) return;
    // The pick comes first: the control still sees its list open (closing may be its own answer).
    RunGuarded([&] { source_.pick(index); });
    close();
}

void TQtDropList::wheelEvent(QWheelEvent* event) {
    int steps = event->angleDelta().y() / 120;
    top_ = std::clamp(top_ - steps, 0, std::max(0, source_.count() - Rows()));
    update();
}

void TQtDropList::keyPressEvent(QKeyEvent* event) {
    if (source_.key) RunGuarded([&] { source_.key(*event); });
}

void TQtDropList::hideEvent(QHideEvent*) {
    if (source_.closed) RunGuarded([this] { source_.closed(); });
}

int TQtDropList::IndexAt(QPoint at) const {
    if (!rect().contains(at)) return -1;
    int index = top_ + (at.y() - 1) / RowHeight();
    return index < source_.count() ? index : -1;
}
