#pragma once
// The peer of controls drawn by the toolkit itself (see QtPaintPeer.cpp); peers of such controls
// that add a part of their own derive from it.
#include "toolkit/qt/QtPeer.h"

class TQtPaintPeer : public TQtPeer {
public:
    explicit TQtPaintPeer(TControl& control);

protected:
    void Update(TPropertyId property) override;
    // The control paints its own background (or leaves it to its parent).
    void ShowColor() override { Widget()->update(); }
    // The wheel scrolls grids and lists three lines a notch; a data grid moves its record, as the
    // arrow keys do.
    void MouseRouted(const QEvent& event) override;
};
