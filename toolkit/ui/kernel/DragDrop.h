#pragma once
// Drag and drop between controls, as the desktop runs it inside one application: BeginDrag (or a
// press on a control whose DragMode is dmAutomatic) arms a drag that starts once the mouse has
// moved a few pixels with the button held (at once when immediate). While it runs, the source
// gets no mouse events of its own: each move asks the control under the mouse (OnDragOver, with
// enter, move and leave), the cursor shows whether it accepts, releasing the button over an
// accepting control drops (OnDragDrop there), and OnEndDrag tells the source where it ended.
// Escape cancels. Only one drag runs at a time.
#include "toolkit/ui/kernel/Controls.h"

// Arms a drag of source at the last mouse position; threshold < 0 means the usual 5 pixels.
void BeginDragOf(TControl& source, bool immediate, int threshold);
// The drag of source is armed or running.
bool DragArmed(const TControl* source);
// The drag of source has started (the mouse moved far enough, or it began immediately).
bool DragRunning(const TControl* source);
// Ends the drag of source: with drop, on the accepting control under the mouse; otherwise cancelled.
void EndDragOf(TControl& source, bool drop);
// Mouse messages go through here first: remembers where the mouse is, and takes the moves and the
// release of a running drag from its source (true: the message is the drag's, not the control's).
bool RouteDragMouse(TControl& control, const TMessage& message);
// Escape while a drag runs cancels it; true when it did.
bool CancelDragByKey(WORD key);
// The enabled, visible control deepest under a screen point, on the front-most shown form there.
TControl* FindDragTarget(TPoint screenPos);
