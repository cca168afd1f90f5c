#pragma once
// The windows and data modules whose texts the language packs must cover: one entry per class, with
// how to reach an instance from the started program window of Tdef05 (which carries the whole form and
// data-module chain). A helper who adds a window class adds its line here and its entries to
// data/MultiLanguage/ENG and CHT.
#include <functional>
#include <string>
#include <vector>

class TComponent;
class TfrmTdef05;

struct TPackWindow {
    std::string ClassName;
    // The instance whose texts are checked (nullptr: the window could not be reached).
    std::function<TComponent*(TfrmTdef05& program)> Reach;
    // Texts that are data, not the program's own (the caption built from the program's name and the
    // company's): "Caption", "btnX.Hint" ...
    std::vector<std::string> DataTexts;
};

const std::vector<TPackWindow>& PackWindows();
