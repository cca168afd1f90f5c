#pragma once
// The application's hints under Qt: the mouse events the peers route feed the toolkit's hint tracker
// with the screen position and the time, a timer lets the pauses run out, and the hint window is a
// frameless tool window on top that never takes the focus or the mouse.
class QEvent;
class QPointF;
class TControl;

// A mouse event the peer of the control routed (a move over it, a button pressed).
void QtHintMouse(TControl& control, const QEvent& event, const QPointF& globalPosition);
// The mouse left the application's windows, or a key went down: the hint goes away.
void QtHintLeave();
