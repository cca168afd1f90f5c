#pragma once
// The pop-up list under a combo box or a grid cell: a Qt pop-up that paints its items through the
// toolkit, follows the mouse, and hands clicks, keys and its closing back to the control it serves.
#include <QWidget>

#include <functional>

class QKeyEvent;
class TCanvas;
struct TRect;

struct TQtDropListSource {
    std::function<int()> count;
    std::function<int()> rowHeight;
    // Draws one item (hot: under the mouse or the keyboard).
    std::function<void(TCanvas& canvas, int index, const TRect& area, bool hot)> paintItem;
    std::function<void(int index)> hover;  // the mouse went over an item
    std::function<void(int index)> pick;   // an item was clicked (the list closes afterwards)
    std::function<void(QKeyEvent& event)> key;
    std::function<void()> closed;  // the list went away (a click elsewhere, too)
};

class TQtDropList : public QWidget {
public:
    TQtDropList(TQtDropListSource source, int maxRows);

    int Rows() const;
    int RowHeight() const;
    int Hot() const { return hot_; }
    // Highlights an item and scrolls it into view.
    void SetHot(int index);
    // Places the list under a rectangle given in global coordinates and shows it.
    void ShowBelow(const QRect& anchor);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent*) override;

private:
    int IndexAt(QPoint at) const;

    TQtDropListSource source_;
    int maxRows_;
    int hot_ = -1;
    int top_ = 0;
};
