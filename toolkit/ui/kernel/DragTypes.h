#pragma once
// The kinds a drag and drop between controls speaks in (see DragDrop.h for how a drag runs).
#include <functional>

#include "toolkit/classes/Component.h"

enum TDragMode {
    dmManual,
    dmAutomatic
};
TK_ENUM_TYPE(TDragMode, "dmManual", "dmAutomatic")
enum TDragState {
    dsDragEnter,
    dsDragLeave,
    dsDragMove
};
TK_ENUM_TYPE(TDragState, "dsDragEnter", "dsDragLeave", "dsDragMove")

// The control under the mouse is asked whether it takes what Source drags (X, Y in its client
// coordinates); Accept starts true when a handler is assigned.
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
// The drag ended on Target (nullptr when cancelled or dropped where nobody accepted it).
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
