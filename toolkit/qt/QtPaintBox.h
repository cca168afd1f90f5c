#pragma once
// A widget whose painting is done by the toolkit (forms' client areas, panels, owner-drawn
// controls): paint events call the hook with a painter on the widget.
#include <QPainter>
#include <QPaintEvent>
#include <QWidget>

#include <functional>

class TQtPaintBox : public QWidget {
public:
    explicit TQtPaintBox(QWidget* parent = nullptr) : QWidget(parent) {}

    std::function<void(QPainter& painter, const QRect& area)> OnPaint;

protected:
    void paintEvent(QPaintEvent* event) override {
        QWidget::paintEvent(event);
        if (!OnPaint) return;
        QPainter painter(this);
        OnPaint(painter, event->rect());
    }
};
