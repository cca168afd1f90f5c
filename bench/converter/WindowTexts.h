#pragma once
// The texts the window conversion converts, in its order: the window's hint, then for every component
// the window owns its caption, hint, button hint, item and line lists (whole), text (unless a field's),
// status panels; list-view columns, items and sub-items; menu items not owned by the window; tree nodes;
// string-grid cells. Empty texts are left out (the conversion skips them too).
#include <string>
#include <vector>

class TCustomForm;

std::vector<std::string> WindowTexts(TCustomForm& window);
